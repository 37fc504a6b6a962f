// The dictionary engine: lookups, user dictionaries, damaged files and the generated main
// dictionary.
#include <QtTest>

#include "spelling/charmaps.h"
#include "spelling/dictengine.h"
#include "spelling/dictwriter.h"
#include "testsupport.h"

using namespace Spell;

namespace {

const QStringList FirstWords = {"house", "bat", QString::fromUtf8("café"), "ant", "hen", "o'clock"};
const QStringList SecondWords = {"zebra", "zoo", "yak"};

QList<QByteArray> Bytes(const QStringList &words)
{
    QList<QByteArray> result;
    for (const QString &word : words)
        result.append(*ToEngineText(word));
    return result;
}

QByteArray TwoDictionaryFile()
{
    return MainDictionaryBytes({BuildTrie(Bytes(FirstWords)), BuildTrie(Bytes(SecondWords))});
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray UInt32(std::uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (8 * i));
    return b;
}

// Ways to damage the two-dictionary file. Offsets: P is where the first header starts,
// node i of the first dictionary lies at P + 17 + 3 * (i - 1).
enum TDamage {
    dmNoEndOfPreamble,
    dmHeaderCut,
    dmNodeCountOverSlots,
    dmSlotsPastEnd,
    dmSecondDictionaryCut,
    dmNodeCountTooLarge,
    dmChildPastNodeCount,
    dmChildToItsOwnGroup,
    dmNoLastSibling,
    dmTrailingBytes,
    dmUserFileAsMain,
};

} // namespace

Q_DECLARE_METATYPE(TDamage)

class TstDictEngine : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> FConfig;
    QTemporaryDir FDir;

    QString Path(const QString &name) const { return FDir.filePath(name); }

private slots:
    void initTestCase()
    {
        FConfig = UseTemporaryConfig();
        QVERIFY(WriteFile(Path("main.dct"), TwoDictionaryFile()));
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("known");
        QTest::newRow("empty word") << "" << true;
        QTest::newRow("one letter") << "q" << true;
        QTest::newRow("stored word") << "house" << true;
        QTest::newRow("mixed case") << "HoUsE" << true;
        QTest::newRow("prefix of a stored word") << "hous" << false;
        QTest::newRow("longer than a stored word") << "houses" << false;
        QTest::newRow("apostrophe s stripped") << "house's" << true;
        QTest::newRow("apostrophe s stripped twice") << "HOUSE'S'S" << true;
        QTest::newRow("apostrophe alone stays") << "house'" << false;
        QTest::newRow("apostrophe inside a word") << "o'clock" << true;
        QTest::newRow("digit reads as A") << "b4t" << true;
        QTest::newRow("full stop reads as A") << "b.t" << true;
        QTest::newRow("accented letter, either case") << QString::fromUtf8("CAFÉ") << true;
        QTest::newRow("accent differs") << QString::fromUtf8("cafè") << false;
        QTest::newRow("second dictionary") << "Zebra" << true;
        QTest::newRow("second dictionary, last group") << "yak" << true;
        QTest::newRow("not stored anywhere") << "zebu" << false;
        QTest::newRow("character outside code page 1252") << QString::fromUtf8("hous\u0113") << false;
        QTest::newRow("too long for any trie") << QString(10000, 'a') << false;
    }
    void lookup()
    {
        QFETCH(QString, word);
        QFETCH(bool, known);
        TSpellEngine engine;
        QVERIFY(engine.OpenMainDictionary(Path("main.dct")));
        QCOMPARE(engine.DictionaryCount(), 2);
        QCOMPARE(engine.IsWordKnown(word), known);
    }

    void mainFile()
    {
        TSpellEngine engine;
        QVERIFY(engine.OpenMainDictionary(Path("main.dct")));
        QVERIFY(!engine.OpenMainDictionary(Path("main.dct"))); // one main file at a time
        TTrieNode node;
        QVERIFY(!engine.ReadNode(0, 0, node));
        QVERIFY(engine.ReadNode(0, engine.NodeCount(0), node));
        QVERIFY(!engine.ReadNode(0, engine.NodeCount(0) + 1, node));
        QCOMPARE(engine.Header(1).WordCount, 3u);
        QCOMPARE(engine.AddUserWord(QStringLiteral("cat"), -1), false);
        engine.CloseDictionaries();
        QCOMPARE(engine.DictionaryCount(), 0);
        QVERIFY(!engine.IsWordKnown(QStringLiteral("house")));

        // The writer's bytes, byte for byte (the fuzzer's seed is this file).
        QCOMPARE(MainDictionaryBytes({BuildTrie({"bat", "HE"}), BuildTrie({"zoo"})}).toHex(),
                 QByteArray("50656e647769636b2064696374696f6e61727920666f726d617420310d0a1a"
                            "050000000500000002000000011f0000000300010500470400400000d30000c4"
                            "030000000300000001000000013f00000002005903004e0000ce"));

        // A dictionary of a single node still counts: it gets a free slot after it.
        const QString tiny = Path("tiny.dct");
        QVERIFY(WriteFile(tiny, MainDictionaryBytes({BuildTrie(Bytes(FirstWords)), BuildTrie({"Q"})})));
        QVERIFY(engine.OpenMainDictionary(tiny));
        QCOMPARE(engine.DictionaryCount(), 2);
        QCOMPARE(engine.NodeCount(1), 1u);
    }

    void damagedFile_data()
    {
        QTest::addColumn<TDamage>("damage");
        QTest::addColumn<QString>("unknown"); // empty: the open must fail
        QTest::newRow("no end of preamble") << dmNoEndOfPreamble << "";
        QTest::newRow("header cut short") << dmHeaderCut << "";
        QTest::newRow("node count over slot count") << dmNodeCountOverSlots << "";
        QTest::newRow("slots past the end of the file") << dmSlotsPastEnd << "";
        QTest::newRow("second dictionary cut short") << dmSecondDictionaryCut << "";
        QTest::newRow("node count beyond 16-bit indexes") << dmNodeCountTooLarge << "";
        QTest::newRow("child index past the node count") << dmChildPastNodeCount << "ant";
        QTest::newRow("child index back to its own group") << dmChildToItsOwnGroup << "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
        QTest::newRow("group without a last sibling") << dmNoLastSibling << "xylophone";
        QTest::newRow("bytes after the last dictionary") << dmTrailingBytes << "";
        QTest::newRow("user dictionary offered as main") << dmUserFileAsMain << "";
    }
    void damagedFile()
    {
        QFETCH(TDamage, damage);
        QFETCH(QString, unknown);
        QByteArray bytes = TwoDictionaryFile();
        const qsizetype p = bytes.indexOf('\x1A') + 1;
        const auto node = [&](int i) { return p + HeaderSize + NodeSize * (i - 1); };
        const std::uint32_t nodes1 = TDictionaryHeader::FromBytes(bytes.constData() + p).NodeCount;
        switch (damage) {
        case dmNoEndOfPreamble: bytes[p - 1] = ' '; bytes.truncate(p + 40); break;
        case dmHeaderCut: bytes.truncate(p + 10); break;
        case dmNodeCountOverSlots: bytes.replace(p, 4, UInt32(nodes1 + 1)); break;
        case dmSlotsPastEnd: bytes.replace(p + 4, 4, UInt32(0xFFFFFFF0u)); break;
        case dmSecondDictionaryCut: bytes.chop(2); break;
        case dmNodeCountTooLarge: bytes.replace(p, 8, UInt32(70000) + UInt32(70000)); bytes.append(QByteArray(3 * 70000, '\0')); break;
        case dmChildPastNodeCount: bytes[node(1)] = char(0xFF); bytes[node(1) + 1] = char(0x7F); break;
        case dmChildToItsOwnGroup: bytes[node(1)] = 1; bytes[node(1) + 1] = 0; break;
        case dmNoLastSibling:
            for (std::uint32_t i = 1; i <= nodes1; ++i)
                bytes[node(int(i)) + 2] = char(bytes[node(int(i)) + 2] & ~LastSibling);
            break;
        case dmTrailingBytes: bytes.append(QByteArray(40, '\x7F')); break;
        case dmUserFileAsMain: bytes = NewUserDictionaryBytes(); break;
        }
        const QString path = Path("damaged.dct");
        QVERIFY(WriteFile(path, bytes));
        TSpellEngine engine;
        const bool opened = engine.OpenMainDictionary(path);
        QCOMPARE(opened, !unknown.isEmpty());
        if (opened) {
            QVERIFY(!engine.IsWordKnown(unknown));
            // Whatever else is asked, the walk stays inside the file and ends.
            for (const QString &word : FirstWords + SecondWords + QStringList{"bb", "zzzz", "a'a'a"})
                engine.IsWordKnown(word);
        }
        if (damage != dmUserFileAsMain)
            QCOMPARE(engine.OpenUserDictionary(path), 0); // not a user dictionary either
    }

    void userFileOfferedAsMainAndBack()
    {
        TSpellEngine engine;
        QCOMPARE(engine.OpenUserDictionary(Path("main.dct")), 0);
        QCOMPARE(engine.OpenUserDictionary(Path("missing.dct")), -1);
        QCOMPARE(engine.AddUserWord(QStringLiteral("cat"), 2), false);
    }

    void newUserDictionary()
    {
        const QString path = Path("new.dct");
        TSpellEngine engine;
        QCOMPARE(engine.CreateUserDictionary(path, {}), 2);
        QByteArray expected = "USER DICTIONARY\r\nPendwick dictionary format 1\r\n\x1A";
        expected += UInt32(1) + UInt32(500) + UInt32(1) + QByteArray(1, '\0') + UInt32(std::uint32_t(expected.size()));
        expected += QByteArray("\x00\x00\xC0", 3);
        for (int i = 2; i <= 500; ++i)
            expected += QByteArray("\xE8\xFD\xC0", 3);
        QCOMPARE(ReadFile(path), expected);
        QVERIFY(engine.IsWordKnown(QStringLiteral("a")));
        QVERIFY(!engine.IsWordKnown(QStringLiteral("aa")));
        QCOMPARE(engine.OpenUserDictionary(path), 3);
        QCOMPARE(engine.CreateUserDictionary(Path("no/such/folder/x.dct"), {}), -1);
        QCOMPARE(engine.DictionaryCount(), 2);
    }

    void addWords_data()
    {
        QTest::addColumn<QStringList>("adds");    // a leading "!" : the add must fail
        QTest::addColumn<QStringList>("unknown"); // words that must stay unknown
        QTest::newRow("prefix of a stored word") << QStringList{"HOUSE", "HOU"} << QStringList{"HO", "HOUS"};
        QTest::newRow("stored word extended") << QStringList{"HOU", "HOUSE"} << QStringList{"HOUS"};
        QTest::newRow("new first letters insert at node 1")
            << QStringList{"apple", "ant", "zoo", "bat", "cat", "abbey", "yak", "ban"} << QStringList{"ba", "ap", "zo"};
        QTest::newRow("more words than the first slots hold")
            << [] { QStringList w; for (int i = 0; i < 300; ++i) w << QString("w%1x%2").arg(char('a' + i % 26)).arg(char('a' + i / 26)); return w; }()
            << QStringList{"wax", "wzz"};
        QTest::newRow("word of 25 letters") << QStringList{QString(25, 'k')} << QStringList{QString(24, 'k')};
        QTest::newRow("word of 26 letters") << QStringList{"!" + QString(26, 'k')} << QStringList{QString(26, 'k')};
        QTest::newRow("character outside code page 1252")
            << QStringList{"!" + QString::fromUtf8("\u0101bc")} << QStringList{QString::fromUtf8("\u0101bc"), "abc"};
        QTest::newRow("accented and special letters") << QStringList{QString::fromUtf8("œuvre"), QString::fromUtf8("ÿes")}
                                                     << QStringList{QString::fromUtf8("Œuv")};
    }
    void addWords()
    {
        QFETCH(QStringList, adds);
        QFETCH(QStringList, unknown);
        const QString path = Path("add.dct");
        TSpellEngine engine;
        const int id = engine.CreateUserDictionary(path, {});
        QVERIFY(id > 0);
        QStringList added;
        for (const QString &word : adds) {
            const bool fails = word.startsWith('!');
            QCOMPARE(engine.AddUserWord(fails ? word.mid(1) : word, id), !fails);
            if (!fails)
                added << word;
            for (const QString &w : added) // every stored word stays known after each add
                QVERIFY2(engine.IsWordKnown(w), qPrintable(w));
        }
        for (const QString &w : unknown)
            QVERIFY2(!engine.IsWordKnown(w), qPrintable(w));
        QCOMPARE(engine.Header(0).WordCount, std::uint32_t(1 + added.size()));
        // The words are in the file, not only in this engine.
        TSpellEngine other;
        QVERIFY(other.OpenUserDictionary(path) > 0);
        for (const QString &w : added)
            QVERIFY(other.IsWordKnown(w));
        // A list given at creation ends up the same.
        QVERIFY(other.CreateUserDictionary(Path("list.dct"), added) > 0);
        for (const QString &w : added)
            QVERIFY(other.IsWordKnown(w));
        QCOMPARE(other.Header(1).WordCount, std::uint32_t(1 + added.size()));
    }

    void prefixAddSetsOnlyTheWordEnd()
    {
        const QString path = Path("prefix.dct");
        TSpellEngine engine;
        const int id = engine.CreateUserDictionary(path, {"HOUSE"});
        const QByteArray before = ReadFile(path);
        QVERIFY(engine.AddUserWord(QStringLiteral("hou"), id));
        const QByteArray after = ReadFile(path);
        const qsizetype wordCount = before.indexOf('\x1A') + 1 + 8;
        QList<qsizetype> changed;
        for (qsizetype i = 0; i < before.size(); ++i)
            if (before[i] != after[i])
                changed << i;
        QCOMPARE(after.size(), before.size());
        QCOMPARE(changed.size(), 2); // the word count's low byte and one flag byte
        QCOMPARE(changed[0], wordCount);
        QCOMPARE(uchar(after[changed[1]]), uchar(before[changed[1]] | WordEnds));
        QVERIFY(engine.AddUserWord(QStringLiteral("hou"), id));
        const QByteArray again = ReadFile(path);
        for (qsizetype i = 0; i < after.size(); ++i)
            if (i != wordCount)
                QCOMPARE(again[i], after[i]);
        QCOMPARE(uchar(again[wordCount]), uchar(after[wordCount] + 1));
    }

    void secondProcess()
    {
        // Two engines stand for two processes sharing one user dictionary.
        const QString path = Path("shared.dct");
        TSpellEngine first, second;
        const int a = first.CreateUserDictionary(path, {});
        const int b = second.OpenUserDictionary(path);
        QVERIFY(first.AddUserWord(QStringLiteral("foo"), a));
        QVERIFY(second.IsWordKnown(QStringLiteral("foo"))); // the header is read again
        QVERIFY(second.AddUserWord(QStringLiteral("bar"), b)); // and the adds build on each other
        QVERIFY(first.IsWordKnown(QStringLiteral("bar")));
        QVERIFY(second.IsWordKnown(QStringLiteral("foo")));
        QCOMPARE(second.Header(0).WordCount, 3u);

        // While another process holds the lock, nothing is added.
        QLockFile lock(path + ".lock");
        QVERIFY(lock.lock());
        first.SetLockTimeout(50);
        QCOMPARE(first.AddUserWord(QStringLiteral("baz"), a), false);
        QVERIFY(!first.IsWordKnown(QStringLiteral("baz")));
    }

    void generatedDictionaryKnowsEveryWord()
    {
#ifndef PENDWICK_MAIN_DICTIONARY
        QSKIP("built without the main dictionary");
#else
        QFile list(QStringLiteral(PENDWICK_WORD_LIST));
        QVERIFY(list.open(QIODevice::ReadOnly));
        TSpellEngine engine;
        QVERIFY(engine.OpenMainDictionary(QStringLiteral(PENDWICK_MAIN_DICTIONARY)));
        QVERIFY(engine.DictionaryCount() > 2);
        for (int d = 0; d < engine.DictionaryCount(); ++d)
            QVERIFY(engine.NodeCount(d) > 1 && engine.NodeCount(d) < 64000);
        QStringList missing;
        int words = 0;
        for (const QString &word : QString::fromUtf8(list.readAll()).split('\n', Qt::SkipEmptyParts)) {
            ++words;
            if (!engine.IsWordKnown(word))
                missing << word;
        }
        QVERIFY(words > 100000);
        QCOMPARE(missing.mid(0, 20), QStringList());
        QVERIFY(!engine.IsWordKnown(QStringLiteral("qzxvkw")));
#endif
    }
};

QTEST_GUILESS_MAIN(TstDictEngine)
#include "tst_dictengine.moc"
