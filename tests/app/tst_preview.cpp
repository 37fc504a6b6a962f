// External browser preview: browser list, launch plans, launch settings, preview copies.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "app/preview.h"
#include "platform/configstore.h"
#include "testsupport.h"

using namespace Preview;

Q_DECLARE_METATYPE(Preview::LaunchAction)

namespace {

// A conversation partner that records every call and answers as told.
class RecordingDde : public DdeClient
{
public:
    int connectsToFail = 0; // the first n connection attempts fail
    QStringList calls;

    bool Connect(const QString &app, const QString &service, const QString &topic) override
    {
        calls << QStringLiteral("connect %1 %2 %3").arg(app, service, topic);
        if (connectsToFail > 0) {
            --connectsToFail;
            return false;
        }
        return true;
    }
    bool Request(const QString &item, QString *) override
    {
        calls << QStringLiteral("request ") + item;
        return true;
    }
    void Disconnect() override { calls << QStringLiteral("disconnect"); }
};

// Records what would have been started instead of starting it.
struct StartLog
{
    int count = 0;
    QString program;
    QStringList arguments;
    ProgramStarter Starter()
    {
        return [this](const QString &p, const QStringList &a) {
            ++count;
            program = p;
            arguments = a;
            return true;
        };
    }
};

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }

    void parseEntry_data();
    void parseEntry();
    void browserListRoundTrip();
    void browserListStopsAtFirstEmpty();
    void sameNameFindsFirst();

    void serviceName_data();
    void serviceName();
    void ddeUrl();

    void plan_data();
    void plan();
    void ddeFailureStillSendsDocument();
    void ddeSuccessStartsNothing();
    void ddeActivationRetriedOnce();
    void realProgramGetsPathWithBlanks();

    void launchDecision_data();
    void launchDecision();

    void previewCopyNamesAndContent();
    void previewCopyReplacesPrevious();
    void previewCopyUntitledUsesFallback();
    void previewCopiesDeletedAtClose();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestPreview::parseEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("name and path") << "Navigator|/opt/nav/netscape" << "Navigator" << "/opt/nav/netscape";
    QTest::newRow("no bar: all name") << "Navigator" << "Navigator" << "";
    QTest::newRow("second bar stays in path") << "A|/x|y" << "A" << "/x|y";
    QTest::newRow("empty name") << "|/bin/b" << "" << "/bin/b";
}

void TestPreview::parseEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, path);
    const BrowserEntry e = ParseBrowserEntry(entry);
    QCOMPARE(e.name, name);
    QCOMPARE(e.path, path);
    if (entry.contains(QLatin1Char('|')))
        QCOMPARE(FormatBrowserEntry(e.name, e.path), entry);
}

void TestPreview::browserListRoundTrip()
{
    const QStringList six = {"A|/a", "B|/b", "C|/c", "D|/d", "E|/e", "F|/f"};
    QVERIFY(WriteBrowserList(six));
    QCOMPARE(ReadBrowserList(), six.mid(0, 5));
    QCOMPARE(ConfigStore::Read(BrowsersKey(), "Browser1", QString()), QString("A|/a"));
    QVERIFY(!ConfigStore::ValueExists(BrowsersKey(), "Browser6"));
    QVERIFY(WriteBrowserList({}));
    QVERIFY(ReadBrowserList().isEmpty());
}

void TestPreview::browserListStopsAtFirstEmpty()
{
    ConfigStore::EraseKey(BrowsersKey());
    ConfigStore::Write(BrowsersKey(), "Browser1", "One|/one");
    ConfigStore::Write(BrowsersKey(), "Browser2", "");
    ConfigStore::Write(BrowsersKey(), "Browser3", "Three|/three");
    QCOMPARE(ReadBrowserList(), QStringList{"One|/one"});
}

void TestPreview::sameNameFindsFirst()
{
    const QStringList list = {"Other|/o", "Same|/first", "Same|/second"};
    QCOMPARE(FindBrowserByName(list, "Same"), 1);
    QCOMPARE(FindBrowserByName(list, "same"), -1);
    QCOMPARE(FindBrowserByName(list, "Missing"), -1);
}

void TestPreview::serviceName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("stem");
    QTest::newRow("windows upper") << "C:\\Program Files\\IE\\IEXPLORE.EXE" << "IEXPLORE" << "C:\\Program Files\\IE\\IEXPLORE";
    QTest::newRow("windows lower") << "C:\\nav\\netscape.exe" << "NETSCAPE" << "C:\\nav\\netscape";
    QTest::newRow("unix no extension") << "/usr/bin/firefox" << "FIREFOX" << "/usr/bin/firefox";
    QTest::newRow("dot in folder only") << "/opt/b.d/ie20" << "IE20" << "/opt/b.d/ie20";
}

void TestPreview::serviceName()
{
    QFETCH(QString, path);
    QFETCH(QString, service);
    QFETCH(QString, stem);
    QCOMPARE(BrowserServiceName(path), service);
    QCOMPARE(BrowserPathWithoutExtension(path), stem);
}

void TestPreview::ddeUrl()
{
    QCOMPARE(BrowserDdeUrl("C:\\WEB\\INDEX.HTM"), QString("file:///C|/WEB/INDEX.HTM"));
    QCOMPARE(BrowserDdeUrl("/home/a b/x.html"), QString("file:////home/a b/x.html"));
}

void TestPreview::plan_data()
{
    QTest::addColumn<QString>("browser");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("tryDde");
    QTest::newRow("plain browser, path with blanks is one argument")
        << "/usr/bin/firefox" << "/home/me/my site/index page.html"
        << QStringList{"/home/me/my site/index page.html"} << false;
    QTest::newRow("IE20 gets file: prefix")
        << "C:\\ie\\IE20.EXE" << "C:\\web\\a b.htm" << QStringList{"file:C:\\web\\a b.htm"} << false;
    QTest::newRow("netscape tries dde, keeps document")
        << "/opt/netscape.exe" << "/tmp/x.html" << QStringList{"/tmp/x.html"} << true;
    QTest::newRow("iexplore tries dde, keeps document")
        << "C:\\IE\\iexplore.exe" << "C:\\WEB\\INDEX.HTM" << QStringList{"C:\\WEB\\INDEX.HTM"} << true;
}

void TestPreview::plan()
{
    QFETCH(QString, browser);
    QFETCH(QString, document);
    QFETCH(QStringList, arguments);
    QFETCH(bool, tryDde);
    const BrowserLaunch p = PlanBrowserLaunch(browser, document);
    QCOMPARE(p.program, browser);
    QCOMPARE(p.arguments, arguments);
    QCOMPARE(p.tryDde, tryDde);
    if (tryDde) {
        QCOMPARE(p.activateTopic, QString("WWW_Activate"));
        QCOMPARE(p.activateItem, QString("0xFFFFFFFF, 0x0"));
        QCOMPARE(p.openTopic, QString("WWW_OpenURL"));
        QCOMPARE(p.openItem, BrowserDdeUrl(document) + ",,0xFFFFFFFF,,,,");
    } else {
        QVERIFY(p.activateTopic.isEmpty() && p.openTopic.isEmpty());
    }
}

void TestPreview::ddeFailureStillSendsDocument()
{
    auto dde = CreateDdeClient();
    StartLog log;
    QVERIFY(SendToBrowser("/opt/netscape", "/srv/a page.html", *dde, log.Starter()));
    QCOMPARE(log.count, 1);
    QCOMPARE(log.program, QString("/opt/netscape"));
    QCOMPARE(log.arguments, QStringList{"/srv/a page.html"});
}

void TestPreview::ddeSuccessStartsNothing()
{
    RecordingDde dde;
    StartLog log;
    QVERIFY(SendToBrowser("C:\\IE\\IEXPLORE.EXE", "C:\\WEB\\INDEX.HTM", dde, log.Starter()));
    QCOMPARE(log.count, 0);
    const QStringList expected = {
        "connect C:\\IE\\IEXPLORE IEXPLORE WWW_Activate", "request 0xFFFFFFFF, 0x0", "disconnect",
        "connect  IEXPLORE WWW_OpenURL", "request file:///C|/WEB/INDEX.HTM,,0xFFFFFFFF,,,,", "disconnect"};
    QCOMPARE(dde.calls, expected);
}

void TestPreview::ddeActivationRetriedOnce()
{
    RecordingDde once;
    once.connectsToFail = 1;
    StartLog log;
    QVERIFY(SendToBrowser("/x/netscape", "/d.html", once, log.Starter()));
    QCOMPARE(log.count, 0);

    RecordingDde twice;
    twice.connectsToFail = 2;
    QVERIFY(SendToBrowser("/x/netscape", "/d.html", twice, log.Starter()));
    QCOMPARE(log.count, 1);
    QCOMPARE(log.arguments, QStringList{"/d.html"});
    QCOMPARE(twice.calls.filter("request").size(), 0);
}

void TestPreview::realProgramGetsPathWithBlanks()
{
    QTemporaryDir dir;
    const QString record = dir.filePath("args.txt");
    const QString script = dir.filePath("fake browser");
    QVERIFY(WriteTestFile(script, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$0.tmp\" && mv \"$0.tmp\" \""
                                      + record.toLocal8Bit() + "\"\n"));
    QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner));
    const QString doc = dir.filePath("my page; $(rm -rf x).html");
    NullDdeClient dde;
    QVERIFY(SendToBrowser(script, doc, dde));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QFile r(record);
    QVERIFY(r.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(r.readAll()), "[" + doc + "]\n");
}

void TestPreview::launchDecision_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("untitled");
    QTest::addColumn<LaunchAction>("action");
    QTest::newRow("0 modified named prompts") << 0 << true << false << LaunchAction::PromptSaveThenSend;
    QTest::newRow("0 unmodified named sends file") << 0 << false << false << LaunchAction::SendFile;
    QTest::newRow("1 modified named saves") << 1 << true << false << LaunchAction::SaveThenSend;
    QTest::newRow("1 unmodified named sends file") << 1 << false << false << LaunchAction::SendFile;
    QTest::newRow("5 behaves as 1: saves") << 5 << true << false << LaunchAction::SaveThenSend;
    QTest::newRow("-1 behaves as 1: saves") << -1 << true << false << LaunchAction::SaveThenSend;
    QTest::newRow("0 untitled asks save as") << 0 << true << true << LaunchAction::SaveAsThenSend;
    QTest::newRow("1 untitled asks save as") << 1 << false << true << LaunchAction::SaveAsThenSend;
    QTest::newRow("5 untitled asks save as") << 5 << true << true << LaunchAction::SaveAsThenSend;
    QTest::newRow("2 named uses copy") << 2 << true << false << LaunchAction::SendTemporaryCopy;
    QTest::newRow("2 untitled uses copy") << 2 << true << true << LaunchAction::SendTemporaryCopy;
}

void TestPreview::launchDecision()
{
    QFETCH(int, setting);
    QFETCH(bool, modified);
    QFETCH(bool, untitled);
    QFETCH(LaunchAction, action);
    const LaunchDecision d = DecideLaunch(setting, modified, untitled);
    QCOMPARE(d.action, action);
    QCOMPARE(d.message, action == LaunchAction::SaveAsThenSend
                            ? QString("This document must be saved in order to display it.")
                            : QString());
}

void TestPreview::previewCopyNamesAndContent()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("index.html");
    PreviewCopies copies;
    QSet<QString> names;
    for (int i = 0; i < 20; ++i) {
        // A file already holding the next name would be overwritten by a guessed name;
        // exclusive creation never reuses one.
        const QString made = copies.Create(doc, QString(), QStringLiteral("<p>%1 \u00e9</p>").arg(i));
        QVERIFY(!made.isEmpty());
        const QFileInfo info(made);
        QCOMPARE(info.absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
        QVERIFY(info.fileName().startsWith("~pw"));
        QVERIFY(info.fileName().endsWith(".html"));
        QVERIFY(info.fileName().size() > QString("~pw.html").size());
        QVERIFY(!names.contains(made));
        names.insert(made);
        QCOMPARE(QString::fromUtf8(ReadTestFile(made)), QStringLiteral("<p>%1 \u00e9</p>").arg(i));
    }
    // A copy is encoded as its document is saved, so a Windows-1252 page stays single-byte.
    TTextFileFormat cp1252;
    cp1252.Encoding = teWindows1252;
    cp1252.LineEnd = leLF;
    QCOMPARE(ReadTestFile(copies.Create(doc, QString(), QStringLiteral("\u00e9\u00a0\n"), cp1252)), QByteArray("\xe9\xa0\n"));
    copies.DeleteAll();
}

void TestPreview::previewCopyReplacesPrevious()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("page.html");
    PreviewCopies copies;
    const QString first = copies.Create(doc, QString(), "one");
    const QString second = copies.Create(doc, QString(), "two");
    QVERIFY(!first.isEmpty() && !second.isEmpty());
    QVERIFY(first != second);
    QVERIFY(!QFile::exists(first));
    QVERIFY(QFile::exists(second));
    QCOMPARE(copies.Files(), QStringList{second});
    QCOMPARE(QDir(dir.path()).entryList({"~pw*"}, QDir::Files | QDir::Hidden), QStringList{QFileInfo(second).fileName()});
    copies.DeleteAll();
}

void TestPreview::previewCopyUntitledUsesFallback()
{
    QTemporaryDir panel;
    PreviewCopies copies;
    const QString made = copies.Create(QString(), panel.path(), "x");
    QCOMPARE(QFileInfo(made).absolutePath(), QFileInfo(panel.path()).absoluteFilePath());
    QVERIFY(copies.Create(QString(), QString(), "x").isEmpty());
    QVERIFY(!QFile::exists(made)); // the earlier copy still went first
    QVERIFY(copies.Create(panel.filePath("missing/doc.html"), QString(), "x").isEmpty());
    QVERIFY(copies.Files().isEmpty());
}

void TestPreview::previewCopiesDeletedAtClose()
{
    QTemporaryDir dir;
    PreviewCopies &copies = TemporaryPreviews();
    QVERIFY(&copies == &TemporaryPreviews());
    const QString made = copies.Create(dir.filePath("d.html"), QString(), "x");
    QVERIFY(QFile::exists(made));
    QCOMPARE(copies.DeleteAll(), 0);
    QVERIFY(!QFile::exists(made));
    QVERIFY(copies.Files().isEmpty());
}

QTEST_GUILESS_MAIN(TestPreview)
#include "tst_preview.moc"
