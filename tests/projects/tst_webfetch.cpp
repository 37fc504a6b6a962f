// Fetching pages from a small HTTP server of the test's own, and the checks on addresses.
#include <QElapsedTimer>
#include <QtTest>

#include "common/htmlextensions.h"
#include "projects/cannedserver.h"
#include "projects/webfetch.h"
#include "testsupport.h"

class TestWebFetch : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    TCannedServer m_server;

private slots:
    void initTestCase()
    {
        m_config = UseTemporaryConfig();
        QVERIFY(m_server.isListening());
        const QByteArray long1 = QByteArray(900 * 1024, 'a');
        const QByteArray page = TCannedServer::Reply("200 OK", "text/html", "<P>" + long1 + "</P>");
        QList<QByteArray> five;
        for (int i = 0; i < 5; ++i)
            five << page.mid(i * page.size() / 5, (i + 1) * page.size() / 5 - i * page.size() / 5);
        m_server.Replies["/pieces"] = five;
        m_server.Replies["/page"] = {TCannedServer::Reply("200 OK", "text/html", "<P>here</P>\n")};
        m_server.Replies["/moved"] = {TCannedServer::Moved("/page")};
        m_server.Replies["/loop"] = {TCannedServer::Moved("/loop")};
        m_server.Replies["/huge"] = {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n",
                                     QByteArray(1024 * 1024, 'x'), QByteArray(512 * 1024, 'y')};
        m_server.Replies["/missing"] = {TCannedServer::Reply("404 Not Found", "text/html", "<P>gone</P>")};
        m_server.Replies["/picture"] = {TCannedServer::Reply("200 OK", "image/png", "\x89PNG\r\n")};
        m_server.Replies["/zero"] = {TCannedServer::Reply("200 OK", "text/html", QByteArray("\0<P>x</P>", 9))};
        m_server.Replies["/utf8"] = {TCannedServer::Reply("200 OK", "text/html", "<P>caf\xC3\xA9 \xE2\x82\xAC</P>")};
        m_server.Replies["/cp1252"] = {TCannedServer::Reply("200 OK", "text/html", "<P>caf\xE9 \x80</P>")};
    }

    void fetch_data()
    {
        QTest::addColumn<QString>("url"); // %1: the server's address
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut");
        const QString none;
        QTest::newRow("a page sent in five pieces arrives whole")
            << "%1/pieces" << int(fsOK) << QString("<P>" + QString(900 * 1024, u'a') + "</P>") << false;
        QTest::newRow("302 to a page") << "%1/moved" << int(fsOK) << "<P>here</P>\n" << false;
        QTest::newRow("a redirect loop") << "%1/loop" << int(fsOpenFailed) << none << false;
        QTest::newRow("over the cap: the first 1 MiB, cut")
            << "%1/huge" << int(fsOK) << QString(1024 * 1024, u'x') << true;
        QTest::newRow("404") << "%1/missing" << int(fsOpenFailed) << none << false;
        QTest::newRow("image/png") << "%1/picture" << int(fsMediaType) << none << false;
        QTest::newRow("no answer") << "%1/silent" << int(fsOpenFailed) << none << false;
        QTest::newRow("refused") << "http://127.0.0.1:1/" << int(fsOpenFailed) << none << false;
        QTest::newRow("not http") << "ftp://127.0.0.1/page.html" << int(fsOpenFailed) << none << false;
        QTest::newRow("first byte zero") << "%1/zero" << int(fsOK) << none << false;
        QTest::newRow("UTF-8") << "%1/utf8" << int(fsOK) << QString::fromUtf8("<P>café €</P>") << false;
        QTest::newRow("Windows-1252") << "%1/cp1252" << int(fsOK) << QString::fromUtf8("<P>café €</P>") << false;
    }
    void fetch()
    {
        QFETCH(QString, url);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(bool, cut);
        TWebFetch fetch;
        fetch.Cap = 1024 * 1024;
        fetch.IdleTimeoutMs = 1000;
        QElapsedTimer clock;
        clock.start();
        const TWebPage page = fetch.Fetch(url.contains(u'%') ? url.arg(m_server.Base()) : url);
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(int(page.Status), status);
        QCOMPARE(page.Text.size(), text.size());
        QCOMPARE(page.Text, text);
        QCOMPARE(page.Cut, cut);
        QVERIFY(!fetch.Running());
    }

    void stopEndsTheFetch()
    {
        TWebFetch fetch;
        QTimer::singleShot(100, &fetch, [&fetch] { fetch.Stop(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(int(fetch.Fetch(m_server.Base() + "/silent").Status), int(fsStopped));
        QVERIFY(clock.elapsed() < 2000);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("kind");
        QTest::newRow("capitals") << "HTTP://X.COM" << true << int(wkPage);
        QTest::newRow("http:// alone") << "http://" << false << int(wkPage);
        QTest::newRow("no scheme") << "www.x.com" << false << int(wkUncertain);
        QTest::newRow("https, a folder") << "https://x/" << true << int(wkPage);
        QTest::newRow("an image") << "http://x/a.gif" << true << int(wkRefused);
        QTest::newRow("a script asks first") << "http://x/page.php" << true << int(wkUncertain);
        QTest::newRow("query left out") << "http://x/page.html?a=b" << true << int(wkPage);
        QTest::newRow("fragment left out") << "http://x/clip.avi#t=1" << true << int(wkRefused);
    }
    void addresses()
    {
        QFETCH(QString, url);
        QFETCH(bool, valid);
        QFETCH(int, kind);
        QCOMPARE(IsValidWebAddress(url), valid);
        QCOMPARE(int(WebAddressKind(url)), kind);
    }
};

QTEST_GUILESS_MAIN(TestWebFetch)
#include "tst_webfetch.moc"
