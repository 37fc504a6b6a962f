// spellsuggest: reads one unknown word a line from standard input and prints the word, a tab
// and the first five suggestions the Spelling dialog would list, separated by commas. It uses
// the main dictionary "Pendwick.dct" beside the program.
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "spelling/dictengine.h"

namespace {

constexpr int DialogMaxCount = 10; // the checker's default maximum of suggestions
constexpr int Shown = 5;

// The one place that opens the dictionary engine with the main dictionary.
std::unique_ptr<Spell::TSpellEngine> OpenMainDictionary(const QString &path)
{
    auto engine = Spell::TSpellEngine::CreateEngine();
    if (!engine->OpenMainDictionary(path))
        return nullptr;
    return engine;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Pendwick.dct"));
    std::unique_ptr<Spell::TSpellEngine> dicts = OpenMainDictionary(path);
    if (!dicts) {
        std::fprintf(stderr, "spellsuggest: cannot open the main dictionary %s\n", qPrintable(path));
        return 1;
    }
    QTextStream in(stdin), out(stdout);
    QString word;
    while (in.readLineInto(&word)) {
        const QStringList suggestions = dicts->SuggestCloseMatches(word, DialogMaxCount);
        out << word << '\t' << suggestions.mid(0, Shown).join(QLatin1Char(',')) << '\n';
    }
    return 0;
}
