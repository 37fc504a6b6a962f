// Spelling lookups: 5 MB of dictionary words, drawn with a fixed seed from the word list the
// main dictionary is made from, looked up one by one, against hunspell's list mode
// (`hunspell -l -d en_US`) on the same text in the same run.
//
// Suggestions: 1,000 misspellings made from lower-case words of the list by one random edit
// each (deletion, insertion, substitution, transposition; 250 of each, fixed seed), all unknown
// to the main dictionary. Both kinds of suggestions (close matches and sound) with the
// Spelling dialog's maximum of 10: mean time per word and the share of words whose intended
// word comes first and among the first five; against hunspell's pipe mode
// (`hunspell -a -d en_US`) on the same words in the same run.
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
#include <algorithm>
#include <random>
#include <vector>

#include "bench_util.h"
#include "spelling/dictengine.h"

using namespace bench;

namespace {

constexpr qint64 TextBytes = 5 * 1024 * 1024;
constexpr double TargetRatio = 10.0;
constexpr int Misspellings = 1000;
constexpr int DialogMaxCount = 10; // the Spelling dialog's maximum of suggestions
constexpr int TopCount = 5;

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

// One misspelling and the word it was made from.
struct TMisspelling {
    QString Typed, Intended;
};

enum TEdit { eDeletion, eInsertion, eSubstitution, eTransposition, EditCount };

const char *const EditNames[EditCount] = {"deletion", "insertion", "substitution", "transposition"};

bool IsPlainLowerWord(const QString &word)
{
    if (word.size() < 4)
        return false;
    for (QChar c : word)
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            return false;
    return true;
}

// Misspellings/EditCount of each edit, drawn with a fixed seed; an edit that leaves the word
// as it was or makes a word the dictionary knows is drawn again.
std::vector<TMisspelling> MakeMisspellings(const QStringList &list, Spell::TSpellEngine &engine)
{
    QStringList sources;
    for (const QString &word : list)
        if (IsPlainLowerWord(word)) // also leaves out the "'s" forms
            sources.append(word);
    std::vector<TMisspelling> out;
    if (sources.isEmpty())
        return out;
    std::mt19937 random(1015);
    std::uniform_int_distribution<qsizetype> pickWord(0, sources.size() - 1);
    std::uniform_int_distribution<int> pickLetter(0, 25);
    for (int edit = 0; edit < EditCount; ++edit) {
        for (int made = 0; made < Misspellings / EditCount;) {
            const QString &word = sources[pickWord(random)];
            const auto n = word.size();
            QString typed = word;
            const QChar letter(QLatin1Char(char('a' + pickLetter(random))));
            switch (edit) {
            case eDeletion:
                typed.remove(std::uniform_int_distribution<qsizetype>(0, n - 1)(random), 1);
                break;
            case eInsertion:
                typed.insert(std::uniform_int_distribution<qsizetype>(0, n)(random), letter);
                break;
            case eSubstitution:
                typed[std::uniform_int_distribution<qsizetype>(0, n - 1)(random)] = letter;
                break;
            case eTransposition: {
                const qsizetype i = std::uniform_int_distribution<qsizetype>(0, n - 2)(random);
                std::swap(typed[i], typed[i + 1]);
                break;
            }
            }
            if (typed == word || engine.IsWordKnown(typed))
                continue;
            out.push_back({typed, word});
            ++made;
        }
    }
    return out;
}

// How often the intended word is first and among the first five.
struct THits {
    int First = 0, TopFive = 0;

    void Count(const QStringList &suggestions, const QString &intended)
    {
        for (int i = 0; i < std::min<qsizetype>(TopCount, suggestions.size()); ++i) {
            if (suggestions[i].compare(intended, Qt::CaseInsensitive) == 0) {
                First += i == 0;
                ++TopFive;
                return;
            }
        }
    }
};

struct TSuggestFigures {
    double MicrosPerWord = 0;
    THits Hits;
    bool Measured = false;
};

QString Percent(int count, qsizetype of)
{
    return QStringLiteral("%1%").arg(of > 0 ? 100.0 * count / double(of) : 0.0, 0, 'f', 1);
}

TSuggestFigures RunOurs(Spell::TSpellEngine &engine, const std::vector<TMisspelling> &words, bool phonetic)
{
    TSuggestFigures figures;
    std::vector<QStringList> lists;
    lists.reserve(words.size());
    QElapsedTimer timer;
    timer.start();
    for (const TMisspelling &word : words)
        lists.push_back(phonetic ? engine.SuggestPhonetic(word.Typed, DialogMaxCount)
                                 : engine.SuggestCloseMatches(word.Typed, DialogMaxCount));
    figures.MicrosPerWord = double(timer.nsecsElapsed()) / 1e3 / double(words.size());
    for (size_t i = 0; i < words.size(); ++i)
        figures.Hits.Count(lists[i], words[i].Intended);
    figures.Measured = true;
    return figures;
}

// hunspell's pipe mode on the words, one a line behind "^" so that no word reads as a command.
// It answers each line with one line a word ("&" with suggestions after ": ", "#" for none,
// "*", "+" or "-" for a word it knows) and an empty line; the first line is its banner.
TSuggestFigures RunHunspell(const std::vector<TMisspelling> &words, const QString &folder)
{
    TSuggestFigures figures;
    const QString inputPath = QDir(folder).filePath(QStringLiteral("misspellings.txt"));
    {
        QFile input(inputPath);
        QByteArray text;
        for (const TMisspelling &word : words)
            text += '^' + word.Typed.toUtf8() + '\n';
        if (!input.open(QIODevice::WriteOnly) || input.write(text) != text.size()) {
            Out("    cannot write %s\n", qPrintable(inputPath));
            return figures;
        }
    }
    QProcess hunspell;
    hunspell.setStandardInputFile(inputPath);
    QElapsedTimer timer;
    timer.start();
    hunspell.start(QStringLiteral("hunspell"), {"-a", "-d", "en_US"});
    if (!hunspell.waitForFinished(-1) || hunspell.exitStatus() != QProcess::NormalExit || hunspell.exitCode() != 0) {
        Out("    hunspell -a -d en_US failed: %s\n", qPrintable(hunspell.errorString()));
        return figures;
    }
    figures.MicrosPerWord = double(timer.nsecsElapsed()) / 1e3 / double(words.size());
    const QStringList lines = QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n');
    size_t answered = 0;
    for (qsizetype i = 1; i < lines.size() && answered < words.size(); ++i) {
        const QString &line = lines[i];
        if (line.isEmpty())
            continue;
        QStringList suggestions;
        if (line.startsWith('&')) {
            const qsizetype colon = line.indexOf(QLatin1String(": "));
            if (colon >= 0)
                suggestions = line.mid(colon + 2).split(QLatin1String(", "));
        }
        figures.Hits.Count(suggestions, words[answered].Intended);
        ++answered;
    }
    if (answered != words.size()) {
        Out("    hunspell answered %lld of %lld words\n", qlonglong(answered), qlonglong(words.size()));
        return figures;
    }
    figures.Measured = true;
    return figures;
}

void PrintRow(const char *label, const TSuggestFigures &f, qsizetype count)
{
    Out("    %-34s %10.1f  %7s  %9s\n", label, f.MicrosPerWord, qPrintable(Percent(f.Hits.First, count)),
        qPrintable(Percent(f.Hits.TopFive, count)));
}

void MeasureSuggestions(const QStringList &list, Spell::TSpellEngine &engine, const QString &folder)
{
    const std::vector<TMisspelling> words = MakeMisspellings(list, engine);
    if (words.empty()) {
        Out("\nSuggestions: no lower-case words of four letters or more in the list\n");
        Record("suggestions, mean time per word", QStringLiteral("not measured"), "<= hunspell's", false);
        return;
    }
    Out("\nSuggestions: %lld misspellings (", qlonglong(words.size()));
    for (int edit = 0; edit < EditCount; ++edit)
        Out("%s%d %s", edit ? ", " : "", Misspellings / EditCount, EditNames[edit]);
    Out("), at most %d suggestions each; e.g. %s -> %s\n", DialogMaxCount, qPrintable(words.front().Typed),
        qPrintable(words.front().Intended));
    Out("    %-34s %10s  %7s  %9s\n", "", "us/word", "first", "top five");
    const TSuggestFigures close = RunOurs(engine, words, false);
    PrintRow("Pendwick SuggestCloseMatches", close, qsizetype(words.size()));
    const TSuggestFigures sound = RunOurs(engine, words, true);
    PrintRow("Pendwick SuggestPhonetic", sound, qsizetype(words.size()));
    TSuggestFigures theirs;
    if (QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty()) {
        Out("    hunspell not installed (scripts/setup-deps --bench); no comparison\n");
    } else {
        theirs = RunHunspell(words, folder);
        if (theirs.Measured)
            PrintRow("hunspell -a -d en_US (process)", theirs, qsizetype(words.size()));
    }

    const qsizetype n = qsizetype(words.size());
    auto timeFigure = [&](const char *name, const TSuggestFigures &ours) {
        const QString value = theirs.Measured
            ? QStringLiteral("%1 vs %2 us").arg(ours.MicrosPerWord, 0, 'f', 0).arg(theirs.MicrosPerWord, 0, 'f', 0)
            : QStringLiteral("%1 us, no hunspell").arg(ours.MicrosPerWord, 0, 'f', 0);
        Record(name, value, "mean time per word <= hunspell's",
               theirs.Measured && ours.MicrosPerWord <= theirs.MicrosPerWord);
    };
    auto hitFigure = [&](const char *name, const TSuggestFigures &f) {
        RecordInfo(name, QStringLiteral("%1 / %2").arg(Percent(f.Hits.First, n), Percent(f.Hits.TopFive, n)));
    };
    timeFigure("suggestions by spelling, time vs hunspell -a", close);
    timeFigure("suggestions by sound, time vs hunspell -a", sound);
    hitFigure("suggestions by spelling, first / top five", close);
    hitFigure("suggestions by sound, first / top five", sound);
    if (theirs.Measured)
        hitFigure("hunspell -a suggestions, first / top five", theirs);
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

    const double theirsRate = HunspellListRate(textPath, double(words.size()));
    const double ratio = theirsRate > 0 ? oursRate / theirsRate : 0;
    if (theirsRate > 0)
        Out("    ratio                           %8.1f x\n", ratio);
    Record("spelling lookups, words/s vs hunspell -l",
           theirsRate > 0 ? QStringLiteral("%1x (%2/s)").arg(ratio, 0, 'f', 1).arg(qint64(oursRate))
                          : QStringLiteral("%1/s, no hunspell").arg(qint64(oursRate)),
           ">= 10x hunspell", theirsRate > 0 && ratio >= TargetRatio && unknown == 0);
    MeasureSuggestions(list, engine, work.path());

    Out("\nSummary: spelling figures with a target\n");
    PrintFigures();
    return unknown == 0 ? 0 : 1;
}
