// Build-time program: writes the main dictionary from a word list, one word a line
// (UTF-8), into a file of several dictionaries split by first letter.
//
//   pendwick_makedict WORD-LIST OUTPUT
#include "spelling/charmaps.h"
#include "spelling/dictwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: pendwick_makedict WORD-LIST OUTPUT\n");
        return 2;
    }
    QFile list(args[1]);
    if (!list.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "pendwick_makedict: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QStringList lines = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.trimmed();
    const QSet<QString> known(lines.begin(), lines.end());

    // Lookups strip "'s", so a possessive whose stem is in the list needs no nodes.
    QList<QByteArray> words;
    int possessives = 0;
    QStringList unencodable;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        if (line.endsWith(QLatin1String("'s"), Qt::CaseInsensitive) && known.contains(line.chopped(2))) {
            ++possessives;
            continue;
        }
        if (const auto bytes = Spell::ToEngineText(line))
            words.append(*bytes);
        else
            unencodable.append(line);
    }

    const QList<Spell::TTrieNodes> dictionaries = Spell::SplitIntoDictionaries(words, 64000);
    if (dictionaries.isEmpty()) {
        std::fprintf(stderr, "pendwick_makedict: the words of one letter do not fit one dictionary\n");
        return 1;
    }
    if (!Spell::WriteDictionaryFile(args[2], Spell::MainDictionaryBytes(dictionaries))) {
        std::fprintf(stderr, "pendwick_makedict: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    std::printf("pendwick_makedict: %lld words (%d possessives left to the lookup, %lld not in code page 1252",
                qlonglong(words.size()), possessives, qlonglong(unencodable.size()));
    for (const QString &word : unencodable)
        std::printf(" %s", qPrintable(word));
    std::printf(")\npendwick_makedict: %lld dictionaries of", qlonglong(dictionaries.size()));
    for (const Spell::TTrieNodes &nodes : dictionaries)
        std::printf(" %zu", nodes.size());
    std::printf(" nodes\n");
    return 0;
}
