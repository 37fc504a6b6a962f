// A typed character's time with a 10 MB document modified, while a recovery copy of it is
// being written in the worker against while none is.
//
//   bench_recovery PAGE
#include "bench_util.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>

#include "app/htmltab.h"
#include "app/recoverywriter.h"
#include "editor/richhtml.h"

using namespace bench;

namespace {

// The time of one key: the event, and the repaint it causes.
double KeyMs(TkrRichHTML *e)
{
    QElapsedTimer t;
    t.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(e, &press);
    e->viewport()->repaint();
    QCoreApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        Out("usage: bench_recovery PAGE\n");
        return 2;
    }
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    TkrHTMLTab tabs;
    tabs.resize(900, 700);
    tabs.show();
    tabs.AddDocument(QString::fromLocal8Bit(argv[1]), ccFull, false);
    TkrRichHTML *e = tabs.ActiveEditor();
    e->FinishColorCoding();
    e->Select(e->TextLength() / 2, 0);
    KeyMs(e); // modified from here on
    TRecoveryWriter writer(&tabs);
    const int Keys = 40;
    std::vector<double> idle, writing;
    for (int i = 0; i < Keys; ++i)
        idle.push_back(KeyMs(e));
    // Keys while a copy is on its way: a new write is queued whenever the last one ended.
    int writes = 0;
    QElapsedTimer writeTime;
    double takeMs = 0;
    for (int i = 0; i < Keys; ++i) {
        if (writer.WritesDone() == writes) {
            QElapsedTimer t;
            t.start();
            writer.WriteAll(); // takes the text on this thread, as the timer does
            takeMs = std::max(takeMs, double(t.nsecsElapsed()) / 1e6);
            ++writes;
        }
        writing.push_back(KeyMs(e));
    }
    writer.WaitForWrites();
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double idleMax = *std::max_element(idle.begin(), idle.end());
    const double writingMax = *std::max_element(writing.begin(), writing.end());
    Out("    10 MB document, %d keys each: without a write median %.2f ms max %.2f ms; during writes median %.2f ms max %.2f ms (%d copies, taking the text %.2f ms)\n",
        Keys, median(idle), idleMax, median(writing), writingMax, writes, takeMs);
    Out("\nSummary: recovery figures with a target\n");
    Record("key at 10M, no recovery write", QStringLiteral("%1 ms median, %2 ms max").arg(median(idle), 0, 'f', 2).arg(idleMax, 0, 'f', 2),
           "< 5 ms", median(idle) < 5);
    Record("key at 10M, recovery write running", QStringLiteral("%1 ms median, %2 ms max").arg(median(writing), 0, 'f', 2).arg(writingMax, 0, 'f', 2),
           "< 5 ms", median(writing) < 5);
    RecordInfo("taking the 10M text for a copy (GUI thread)", QStringLiteral("%1 ms").arg(takeMs, 0, 'f', 2));
    PrintFigures();
    return 0;
}
