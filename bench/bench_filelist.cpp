// The file panel listing a folder of 12,000 files (bench/make-filelist-folder.py): the time
// until every description is in the list, against a program that only reads the folder and
// the head of each file (filelist_baseline, beside this one); the longest wait of a 10 ms
// timer while the listing runs; and how soon Escape stops it.
#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "app/filepanel.h"
#include "app/mainwindow.h"
#include "bench_util.h"
#include "platform/programfolder.h"

using namespace bench;

namespace {

double BaselineMs(const QString &program, const QString &folder)
{
    QProcess p;
    p.start(program, {folder});
    p.waitForFinished(-1);
    return QString::fromLatin1(p.readAllStandardOutput()).split(u' ').value(0).toDouble();
}

// Lists the folder and waits for the end; the longest gap between two ticks of a 10 ms timer.
double ListOnce(TFilePanel &panel, const QString &folder, double *longestWait)
{
    QElapsedTimer clock, sinceTick;
    double longest = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, Ms(sinceTick));
        sinceTick.restart();
    });
    clock.start();
    sinceTick.start();
    ticks.start();
    panel.ListFolder(folder);
    while (panel.Listing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    panel.lvwFiles->viewport()->repaint();
    const double ms = Ms(clock);
    ticks.stop();
    if (longestWait)
        *longestWait = longest;
    return ms;
}

// Escape arrives a third of the way into the listing (by the time a whole listing took), as
// a key press through the event queue, so that the listing still runs on any machine.
double EscapeMs(TFilePanel &panel, const QString &folder, int afterMs)
{
    QElapsedTimer sent;
    panel.ListFolder(folder);
    QTimer::singleShot(afterMs, [&] {
        sent.start();
        QCoreApplication::postEvent(panel.lvwFiles, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    while (panel.Listing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return sent.isValid() ? Ms(sent) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        Out("usage: bench_filelist FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString baseline = QCoreApplication::applicationDirPath() + QStringLiteral("/filelist_baseline");
    SetProgramFolder(QCoreApplication::applicationDirPath() + u'/');
    TfMain main;
    Settle();
    TFilePanel &panel = main.FilePanel();

    Out("File panel: listing %s\n", argv[1]);
    BaselineMs(baseline, folder); // warms the cache
    std::vector<double> base, listing, waits;
    for (int i = 0; i < 3; ++i) {
        base.push_back(BaselineMs(baseline, folder));
        double wait = 0;
        listing.push_back(ListOnce(panel, folder, &wait));
        waits.push_back(wait);
        Out("  run %d: listing %.0f ms (%d items), baseline %.1f ms, longest timer wait %.0f ms\n", i + 1, listing.back(),
            panel.lvwFiles->topLevelItemCount(), base.back(), wait);
    }
    const double ratio = Median(listing) / std::max(0.001, Median(base));
    const double longest = *std::max_element(waits.begin(), waits.end());
    const double escape = EscapeMs(panel, folder, std::max(1, int(Median(listing) / 3)));
    Out("  Escape stopped the listing %.0f ms after the key (%d items kept)\n", escape, panel.lvwFiles->topLevelItemCount());

    Record("file panel: list 12,000 files vs read heads", QStringLiteral("%1 x baseline").arg(ratio, 0, 'f', 2),
           "<= 3.00 x baseline", ratio <= 3.0);
    Record("file panel: longest 10 ms timer wait", QStringLiteral("%1 ms").arg(longest, 0, 'f', 0), "<= 100 ms",
           longest <= 100);
    Record("file panel: Escape stops the listing", QStringLiteral("%1 ms").arg(escape, 0, 'f', 0), "<= 100 ms",
           escape >= 0 && escape <= 100);
    Out("\nSummary: file panel figures with a target\n");
    PrintFigures();
    return 0;
}
