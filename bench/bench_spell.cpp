// Spelling lookups: 5 MB of dictionary words, drawn with a fixed seed from the word list the
// main dictionary is made from, looked up one by one, against hunspell's list mode
// (`hunspell -l -d en_US`) on the same text in the same run.
//
//   bench_spell [WORD-LIST]      (default /usr/share/dict/american-english)
//
// The main dictionary "Pendwick.dct" is read from the folder of this program.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <random>

#include "bench_util.h"
#include "spelling/dictengine.h"

using namespace bench;

namespace {

constexpr qint64 TextBytes = 5 * 1024 * 1024;
constexpr double TargetRatio = 10.0;

// Words drawn with a fixed seed until the text holds TextBytes bytes, one word a line.
QStringList DrawWords(const QStringList &list)
{
    std::mt19937 random(15);
    std::uniform_int_distribution<qsizetype> pick(0, list.size() - 1);
    QStringList words;
    qint64 bytes = 0;
    while (bytes < TextBytes) {
        const QString &word = list[pick(random)];
        words.append(word);
        bytes += word.toUtf8().size() + 1;
    }
    return words;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString listPath = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                      : QStringLiteral("/usr/share/dict/american-english");
    QFile listFile(listPath);
    if (!listFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_spell: cannot read the word list %s\n", qPrintable(listPath));
        return 2;
    }
    const QStringList list = QString::fromUtf8(listFile.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList words = DrawWords(list);
    QTemporaryDir work;
    const QString textPath = work.filePath(QStringLiteral("words.txt"));
    {
        QFile text(textPath);
        if (!text.open(QIODevice::WriteOnly) || text.write(words.join('\n').toUtf8() + '\n') < 0) {
            std::fprintf(stderr, "bench_spell: cannot write %s\n", qPrintable(textPath));
            return 2;
        }
    }
    Out("Spelling lookups: %s words (%s bytes) drawn from %s\n", Num(words.size()).constData(),
        Num(QFileInfo(textPath).size()).constData(), qPrintable(listPath));

    const QString dictionary = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Pendwick.dct"));
    QElapsedTimer timer;
    timer.start();
    Spell::TSpellEngine engine;
    if (!engine.OpenMainDictionary(dictionary)) {
        std::fprintf(stderr, "bench_spell: cannot open %s\n", qPrintable(dictionary));
        return 1;
    }
    qsizetype unknown = 0;
    for (const QString &word : words)
        if (!engine.IsWordKnown(word))
            ++unknown;
    const double ours = double(timer.nsecsElapsed()) / 1e9;
    const double oursRate = words.size() / ours;
    Out("    Pendwick (open + IsWordKnown)   %8.3f s  %12s words/s  (%lld unknown)\n", ours,
        Num(qint64(oursRate)).constData(), qlonglong(unknown));

    double theirsRate = 0;
    if (QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty()) {
        Out("    hunspell not installed (scripts/setup-deps --bench); no comparison\n");
    } else {
        QProcess hunspell;
        hunspell.setStandardOutputFile(QProcess::nullDevice());
        timer.restart();
        hunspell.start(QStringLiteral("hunspell"), {"-l", "-d", "en_US", textPath});
        if (!hunspell.waitForFinished(-1) || hunspell.exitCode() != 0) {
            Out("    hunspell -l -d en_US failed: %s\n", qPrintable(hunspell.errorString()));
        } else {
            const double theirs = double(timer.nsecsElapsed()) / 1e9;
            theirsRate = words.size() / theirs;
            Out("    hunspell -l -d en_US (process)  %8.3f s  %12s words/s\n", theirs,
                Num(qint64(theirsRate)).constData());
        }
    }
    const double ratio = theirsRate > 0 ? oursRate / theirsRate : 0;
    if (theirsRate > 0)
        Out("    ratio                           %8.1f x\n", ratio);
    Record("spelling lookups, words/s vs hunspell -l",
           theirsRate > 0 ? QStringLiteral("%1x (%2/s)").arg(ratio, 0, 'f', 1).arg(qint64(oursRate))
                          : QStringLiteral("%1/s, no hunspell").arg(qint64(oursRate)),
           ">= 10x hunspell", theirsRate > 0 && ratio >= TargetRatio && unknown == 0);
    Out("\nSummary: spelling figures with a target\n");
    PrintFigures();
    return unknown == 0 ? 0 : 1;
}
