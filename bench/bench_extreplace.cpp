// Extended Replace over a folder of 10,000 pages: the whole sweep as Search > Extended
// Replace runs it (the counting pass, the question answered Yes, progress, the report),
// against `sed -i` over the same files in the same run, and against the replacing alone
// without the counting pass.
#include "bench_util.h"
#include "platform/messagebox.h"
#include "tools/extreplace.h"
#include "tools/extreplacedialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace bench;

namespace {

constexpr int Pages = 10000;
constexpr double TargetRatio = 2.0;
const QString Word = QStringLiteral("brown");
const QString Other = QStringLiteral("other");

// A fresh copy of the folder: every page the same text under varied names.
QStringList MakeFolder(const QString &folder, const QByteArray &page)
{
    QDir().mkpath(folder);
    QRandomGenerator rng(20);
    QStringList files;
    for (int i = 0; i < Pages; ++i) {
        const QString path = QStringLiteral("%1/p%2-%3.html").arg(folder).arg(i, 5, 10, QChar(u'0')).arg(rng.bounded(100000));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            return {};
        files.append(path);
    }
    // Read once, so every run finds the files in the cache.
    for (const QString &path : files) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            f.readAll();
    }
    return files;
}

double SedSeconds(const QStringList &files)
{
    QElapsedTimer t;
    t.start();
    for (qsizetype i = 0; i < files.size(); i += 1000) {
        QProcess sed;
        sed.start(QStringLiteral("sed"), QStringList{"-i", QStringLiteral("s/%1/%2/g").arg(Word, Other)} + files.mid(i, 1000));
        if (!sed.waitForFinished(-1) || sed.exitCode() != 0)
            return -1;
    }
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_extreplace PAGE (a 20 KB page holding the word \"brown\")\n");
        return 2;
    }
    QFile pageFile(QString::fromLocal8Bit(argv[1]));
    if (!pageFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_extreplace: cannot read %s\n", argv[1]);
        return 2;
    }
    const QByteArray page = pageFile.readAll();
    const int perPage = int(page.count(Word.toLatin1()));
    QTemporaryDir work;
    Out("Extended Replace over a folder of %s pages of %s bytes, \"%s\" (%d a page) by \"%s\"\n",
        Num(Pages).constData(), Num(page.size()).constData(), qPrintable(Word), perPage, qPrintable(Other));

    const QStringList sedFiles = MakeFolder(work.filePath(QStringLiteral("sed")), page);
    const double sed = SedSeconds(sedFiles);

    // The sweep as the command runs it, with its questions answered Yes.
    const QString sweepFolder = work.filePath(QStringLiteral("sweep"));
    MakeFolder(sweepFolder, page);
    TMessageHook::Set([](TMsgKind, const QString &, const QString &, int) { return int(mbYes); });
    QString report;
    TReplaceResultsHook::Set([&report](const QString &text) { report = text; });
    TExtReplaceHost host;
    host.DocumentCount = [] { return 0; };
    host.Editor = [](int) { return nullptr; };
    host.FileName = [](int) { return QString(); };
    host.ActiveIndex = [] { return 0; };
    host.SetActiveIndex = [](int) {};
    host.Reload = [](int) { return false; };
    host.PanelFolder = [] { return QString(); };
    host.CurrentProject = [] { return QString(); };
    host.Progress = [](const QString &, int) {};
    host.StatusText = [](const QString &) {};
    TExtReplaceRequest request{Word, Other, true, false, rsFolder, sweepFolder, QString()};
    QElapsedTimer t;
    t.start();
    TExtendedReplace(host).Run(request);
    const double sweep = double(t.nsecsElapsed()) / 1e9;
    const bool reportOk = report.count(QStringLiteral("%1 replacements made").arg(perPage)) == Pages;

    // The replacing alone, without the counting pass or the window.
    const QStringList plainFiles = MakeFolder(work.filePath(QStringLiteral("plain")), page);
    t.restart();
    int replaced = 0;
    for (const QString &file : plainFiles)
        replaced += ReplaceInFile(file, Word, Other, true, false).Count;
    const double plain = double(t.nsecsElapsed()) / 1e9;

    // The three folders must now hold the same bytes.
    QFile a(sedFiles.first()), b(plainFiles.first());
    const bool same = a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();

    Out("    sed -i (1,000 files a call)        %8.3f s\n", sed);
    Out("    Extended Replace sweep             %8.3f s  (%s)\n", sweep, reportOk ? "every page reported" : "REPORT INCOMPLETE");
    Out("    replacing alone (no counting)      %8.3f s  (%s replaced)\n", plain, Num(replaced).constData());
    const double ratio = sed > 0 ? sweep / sed : 0;
    Out("    sweep / sed %.2f, sweep / replacing alone %.2f, results %s\n", ratio, plain > 0 ? sweep / plain : 0,
        same ? "equal to sed's" : "DIFFER FROM sed's");
    Out("\nSummary: extended replace figures with a target\n");
    Record("folder sweep, 10,000 pages, vs sed -i", QStringLiteral("%1 x sed (%2 s)").arg(ratio, 0, 'f', 2).arg(sweep, 0, 'f', 2),
           "<= 2 x sed", sed > 0 && ratio <= TargetRatio && reportOk && same);
    RecordInfo("sweep vs replacing alone", QStringLiteral("%1 x").arg(plain > 0 ? sweep / plain : 0, 0, 'f', 2));
    PrintFigures();
    return 0;
}
