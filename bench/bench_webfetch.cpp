// Fetching a page from a local server: the core fetch to decoded text against
// `curl -s -o /dev/null` of the same page in the same run, and the time until the page
// stands in its tab when opened through File > Open from the Web.
#include "bench_util.h"
#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "editor/richhtml.h"
#include "platform/messagebox.h"
#include "projects/openfromweb.h"
#include "projects/webfetch.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

using namespace bench;

namespace {

constexpr int Runs = 7;
constexpr double TargetRatio = 1.5;

// Serves one page to every request, from a thread of its own so that curl (a process the
// main thread waits for) is served too.
class TPageServer : public QObject
{
public:
    explicit TPageServer(const QByteArray &page)
        : m_reply("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(page.size()) +
                  "\r\nConnection: close\r\n\r\n" + page)
    {
    }
    void Start()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost);
        m_port = m_server->serverPort();
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server->nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return; // a request in pieces is not sent by either client here
                    s->write(m_reply);
                    s->disconnectFromHost();
                });
            }
        });
    }
    quint16 Port() const { return m_port; }

private:
    QByteArray m_reply;
    QTcpServer *m_server = nullptr;
    std::atomic<quint16> m_port = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_webfetch PAGE (the 10 MB page)\n");
        return 2;
    }
    QFile pageFile(QString::fromLocal8Bit(argv[1]));
    if (!pageFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_webfetch: cannot read %s\n", argv[1]);
        return 2;
    }
    const QByteArray page = pageFile.readAll();
    QThread thread;
    TPageServer server(page);
    server.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(&server, [&server] { server.Start(); }, Qt::BlockingQueuedConnection);
    const QString url = QStringLiteral("http://127.0.0.1:%1/page.html").arg(server.Port());
    Out("Open from the Web: a page of %s bytes from a local server, median of %d runs\n", Num(page.size()).constData(), Runs);

    std::vector<double> fetchMs, curlMs;
    qsizetype chars = 0;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        TWebFetch fetch;
        const TWebPage got = fetch.Fetch(url);
        fetchMs.push_back(Ms(t));
        chars = got.Text.size();
        if (got.Status != fsOK || got.Text.isEmpty()) {
            std::fprintf(stderr, "bench_webfetch: the fetch failed\n");
            return 1;
        }
    }
    const bool haveCurl = !QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty();
    for (int i = 0; haveCurl && i < Runs; ++i) {
        QProcess curl;
        QElapsedTimer t;
        t.start();
        curl.start(QStringLiteral("curl"), {"-s", "-o", "/dev/null", url});
        if (!curl.waitForFinished(-1) || curl.exitCode() != 0) {
            std::fprintf(stderr, "bench_webfetch: curl failed\n");
            return 1;
        }
        curlMs.push_back(Ms(t));
    }
    // The decoding alone (the same as for a file read from disk), to tell it from the transfer.
    std::vector<double> decodeMs;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        chars = WebPageText(page).size();
        decodeMs.push_back(Ms(t));
    }
    const double fetch = Median(fetchMs);
    Out("    core fetch to decoded text     %8.1f ms  (%s characters)\n", fetch, Num(chars).constData());
    Out("      of which decoding, alone     %8.1f ms\n", Median(decodeMs));
    if (haveCurl) {
        const double curl = Median(curlMs);
        Out("    curl -s -o /dev/null (process) %8.1f ms\n", curl);
        const double ratio = fetch / curl;
        Record("fetch 10 MB page vs curl", QStringLiteral("%1 x curl (%2 ms)").arg(ratio, 0, 'f', 2).arg(fetch, 0, 'f', 0),
               "<= 1.50 x curl", ratio <= TargetRatio);
    } else {
        Out("    curl not installed (scripts/setup-deps --bench); no comparison\n");
        Record("fetch 10 MB page vs curl", QStringLiteral("not measured"), "<= 1.50 x curl", false);
    }

    // Through the main window: from the command to the page painted in its new tab.
    TMessageHook::Set([](TMsgKind, const QString &, const QString &, int) { return int(mbOK); });
    TOpenFromWebHook::Set([url] { return url; });
    TfMain main;
    main.show();
    Settle();
    QElapsedTimer t;
    t.start();
    main.Action(QStringLiteral("mnuFileOpenWeb"))->trigger();
    TPaintCounter paints(main.ActiveEditor()->viewport());
    while (paints.Count() == 0 && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double shown = Ms(t);
    const bool opened = main.ActiveEditor()->TextLength() == chars;
    Out("    shown in its tab               %8.1f ms%s\n", shown, opened ? "" : "  (the page did not open)");
    RecordInfo("fetch: decoding the 10 MB page alone", QStringLiteral("%1 ms").arg(Median(decodeMs), 0, 'f', 0));
    RecordInfo("fetched 10 MB page shown in its tab", opened ? QStringLiteral("%1 ms").arg(shown, 0, 'f', 0) : QStringLiteral("failed"));
    main.ActiveEditor()->SetModified(false);
    main.close();

    thread.quit();
    thread.wait();
    Out("\nSummary: open from the Web figures with a target\n");
    PrintFigures();
    return opened ? 0 : 1;
}
