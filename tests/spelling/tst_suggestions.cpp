// Suggestions: sound keys, similarity, letter-to-sound transcription, ranking, case pattern,
// split candidates and the dictionary walk, over a small in-memory trie.
#include <QtTest>

#include "spelling/charmaps.h"
#include "spelling/lettertosound.h"
#include "spelling/suggestions.h"
#include "spelling/trie.h"
#include "testsupport.h"

#include <vector>

using namespace Spell;

namespace {

// A dictionary held in memory, built from a word list in the trie layout of the files.
class TMemoryTrie : public TTrieSource {
public:
    explicit TMemoryTrie(const QByteArrayList &words = {})
    {
        QByteArrayList upper;
        for (const QByteArray &w : words)
            upper.append(UpperCased(w));
        std::sort(upper.begin(), upper.end());
        known = QSet<QByteArray>(upper.begin(), upper.end());
        nodes.resize(1);
        AddGroup(upper, 0, -1);
        count = nodes.size() - 1;
    }
    void RefreshHeaders() override {}
    int DictionaryCount() const override { return 1; }
    std::uint32_t NodeCount(int) const override { return count; }
    bool ReadNode(int, std::uint32_t index, TTrieNode &node) override
    {
        ++reads;
        if (index < 1 || index >= nodes.size())
            return false;
        node = nodes[index];
        return true;
    }
    bool IsWordKnown(const QByteArray &word) override { return word.size() <= 1 || known.contains(UpperCased(word)); }

    std::vector<TTrieNode> nodes; // node 0 unused
    std::uint32_t count = 0;
    QSet<QByteArray> known;
    int reads = 0;

private:
    void AddGroup(const QByteArrayList &words, int depth, int parent)
    {
        QByteArray letters;
        for (const QByteArray &w : words)
            if (w.size() > depth && !letters.contains(w[depth]))
                letters += w[depth];
        const int start = int(nodes.size());
        for (char c : letters)
            nodes.push_back({0, CodeOfLetter(uchar(c))});
        nodes.back().flags |= LastSibling;
        if (parent >= 0)
            nodes[parent].child = std::uint16_t(start);
        for (int i = 0; i < letters.size(); ++i) {
            QByteArrayList longer;
            for (const QByteArray &w : words)
                if (w.size() > depth && w[depth] == letters[i]) {
                    if (w.size() == depth + 1)
                        nodes[start + i].flags |= WordEnds;
                    else
                        longer.append(w);
                }
            if (!longer.isEmpty())
                AddGroup(longer, depth + 1, start + i);
        }
    }
};

class TRecorder : public TCandidateSink {
public:
    void Offer(const unsigned char *text, int length) override
    {
        seen.append(QByteArray(reinterpret_cast<const char *>(text), length));
    }
    QByteArrayList seen;
};

TTrieNode Node(std::uint16_t child, char letter, std::uint8_t bits = 0)
{
    return {child, std::uint8_t(CodeOfLetter(uchar(letter)) | bits)};
}

} // namespace

class TstSuggestions : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> config_;
private slots:
    void initTestCase() { config_ = UseTemporaryConfig(); }

    void soundKey_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("source"); // empty: zero padding
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("vowels, H, W and Y dropped") << QByteArray("SHOWY") << QByteArray() << QByteArray("S\0\0\0", 4);
        QTest::newRow("codes from the second character") << QByteArray("PHONE") << QByteArray() << QByteArray("P\x05\0\0", 4);
        QTest::newRow("repeats removed even apart, first takes no part") << QByteArray("BCDCB") << QByteArray() << QByteArray("B\x02\x03\x01");
        QTest::newRow("cut to four") << QByteArray("STRENGTH") << QByteArray() << QByteArray("S\x03\x06\x05");
        QTest::newRow("digits and accents") << QByteArray("A0\xC9" "7") << QByteArray() << QByteArray("AOI\0", 4);
        QTest::newRow("apostrophe, hyphen, back-quote") << QByteArray("D'-`\xC7") << QByteArray() << QByteArray("D\x07\x02\0", 4);
        QTest::newRow("empty text") << QByteArray() << QByteArray() << QByteArray("\0\0\0\0", 4);
        QTest::newRow("source fills the missing places") << QByteArray("SL") << QByteArray("S\x02\x03\x01") << QByteArray("S\x04\x03\x01");
    }
    void soundKey()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, key);
        QCOMPARE(SoundKey(text, source.isEmpty() ? kpZeros : kpSource, source), key);
    }

    void similarity_data()
    {
        QTest::addColumn<QByteArray>("s1");
        QTest::addColumn<QByteArray>("s2");
        QTest::addColumn<int>("score");
        QTest::newRow("one character each") << QByteArray("A") << QByteArray("A") << 0;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << 0;
        QTest::newRow("two equal characters") << QByteArray("AB") << QByteArray("AB") << 100;
        QTest::newRow("equal strings") << QByteArray("HELLO") << QByteArray("HELLO") << 100;
        QTest::newRow("nothing in common") << QByteArray("ABC") << QByteArray("XYZ") << 0;
        QTest::newRow("swapped letters") << QByteArray("TEH") << QByteArray("THE") << 66;   // T, then E: 4 of 6
        QTest::newRow("swapped end") << QByteArray("ABCD") << QByteArray("ABDC") << 75;     // AB, then C: 6 of 8
        // The block reaches the end of s1 while s2 goes on: the search must not read past s1.
        QTest::newRow("block at the end of the candidate") << QByteArray("AB") << QByteArray("ABXXXXXX") << 40;
    }
    void similarity()
    {
        QFETCH(QByteArray, s1);
        QFETCH(QByteArray, s2);
        QFETCH(int, score);
        // Exact-size buffers, so that a read past either string is caught.
        std::vector<uchar> a(s1.begin(), s1.end()), b(s2.begin(), s2.end());
        QCOMPARE(Similarity(a.data(), int(a.size()), b.data(), int(b.size())), score);
    }

    void transcribe_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArray>("sound");
        // PHONE: [PH] -> f; O: "[O] ^%" (N, then the ending E) -> OW; [N] -> n;
        // E: "#: [E] space" (N is no vowel, O is) -> nothing; the appended space -> space.
        QTest::newRow("phone") << QByteArray("phone") << QByteArray("fOWn ");
        QTest::newRow("cat") << QByteArray("CAT") << QByteArray("kAEt ");
        // The word's start is no space: "space [THE] space" does not apply, [TH] does.
        QTest::newRow("the at the start") << QByteArray("THE") << QByteArray("THEH ");
        QTest::newRow("the after a space") << QByteArray("GO THE") << QByteArray("gOW DHAX ");
        QTest::newRow("ship") << QByteArray("SHIP") << QByteArray("SHIHp ");
        QTest::newRow("fine") << QByteArray("FINE") << QByteArray("fAYn ");
        QTest::newRow("apostrophe in the match") << QByteArray("DON'T") << QByteArray("dOWnt ");
        QTest::newRow("digits fold to letters") << QByteArray("C4T") << QByteArray("kgt ");
    }
    void transcribe()
    {
        QFETCH(QByteArray, word);
        QFETCH(QByteArray, sound);
        QCOMPARE(Transcribe(word), sound);
        QVERIFY(Transcribe(word.repeated(20)).size() == MaxTranscription);
    }

    void ranking_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("added"); // text:score ...
        QTest::addColumn<QString>("ranked");
        QTest::newRow("maximum 1, equal later score does not displace") << 1 << "A:50 B:50" << "A";
        QTest::newRow("maximum 1, higher score displaces") << 1 << "A:50 B:60" << "B";
        QTest::newRow("first candidate stored with score 0") << 1 << "A:0 B:0" << "A";
        QTest::newRow("equal scores keep their order") << 5 << "A:50 B:60 C:50 D:60" << "B D A C";
        QTest::newRow("full array drops the last") << 2 << "A:10 B:20 C:30 D:5" << "C B";
        QTest::newRow("maximum below 1 counts as 1") << 0 << "A:1 B:2" << "B";
    }
    void ranking()
    {
        QFETCH(int, capacity);
        QFETCH(QString, added);
        QFETCH(QString, ranked);
        TRanking r(capacity);
        for (const QString &item : added.split(' ')) {
            const QByteArray text = item.section(':', 0, 0).toLatin1();
            r.Add(reinterpret_cast<const uchar *>(text.constData()), int(text.size()), item.section(':', 1).toInt());
        }
        QStringList out;
        for (int i = 0; i < r.Count(); ++i)
            out.append(QString::fromLatin1(r.Text(i)));
        QCOMPARE(out.join(' '), ranked);
    }

    void casePattern_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<QByteArray>("cased");
        QTest::newRow("all capitals") << QByteArray("TEH") << QByteArray("THE") << QByteArray("THE");
        QTest::newRow("initial capital") << QByteArray("Teh") << QByteArray("THE") << QByteArray("The");
        QTest::newRow("lower case") << QByteArray("teh") << QByteArray("THE") << QByteArray("the");
        QTest::newRow("mixed, letter by letter") << QByteArray("tEh") << QByteArray("THE") << QByteArray("tHe");
        QTest::newRow("longer candidate") << QByteArray("McDonals") << QByteArray("MCDONALDS") << QByteArray("McDonalds");
        QTest::newRow("space of a split skipped") << QByteArray("Alot") << QByteArray("A LOT") << QByteArray("A lot");
        QTest::newRow("accented capital") << QByteArray("\xC9" "dith") << QByteArray("EDITH") << QByteArray("Edith");
    }
    void casePattern()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, candidate);
        QFETCH(QByteArray, cased);
        QCOMPARE(ApplyCasePattern(typed, candidate), cased);
    }

    void splits_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QByteArrayList>("known");
        QTest::addColumn<QByteArrayList>("splits");
        QTest::newRow("two letters, A and I at both ends") << QByteArray("AI") << QByteArrayList() << QByteArrayList{"A I"};
        QTest::newRow("two letters, ends in another letter") << QByteArray("AX") << QByteArrayList() << QByteArrayList();
        QTest::newRow("two letters, begins with another letter") << QByteArray("XI") << QByteArrayList() << QByteArrayList();
        QTest::newRow("three letters ending in A: only the last split")
            << QByteArray("TOA") << QByteArrayList{"TO", "OA"} << QByteArrayList{"TO A"};
        QTest::newRow("begins with A") << QByteArray("ALOT") << QByteArrayList{"LOT", "AL", "OT"} << QByteArrayList{"A LOT", "AL OT"};
    }
    void splits()
    {
        QFETCH(QByteArray, word);
        QFETCH(QByteArrayList, known);
        QFETCH(QByteArrayList, splits);
        TMemoryTrie dict(known);
        TRecorder recorder;
        SplitCandidates(dict, word, recorder);
        QCOMPARE(recorder.seen, splits);
    }

    void suggest_data()
    {
        QTest::addColumn<bool>("phonetic");
        QTest::addColumn<QByteArrayList>("dictionary");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("maxCount");
        QTest::addColumn<QString>("suggestions");
        const QByteArrayList sa{"A", "SAD", "SAT"};
        QTest::newRow("one-letter word once per neighbour, at the end") << false << sa << "saf" << 20 << "sad,sat,a,a,a,a,a,a";
        QTest::newRow("full list leaves them out") << false << sa << "saf" << 2 << "sad,sat";
        const QByteArrayList cafe{"CAFE", "DAFT", "SAFE"};
        QTest::newRow("neighbours in table order") << false << cafe << "saf" << 10 << "safe,cafe,daft";
        QTest::newRow("all capitals") << false << cafe << "SAF" << 10 << "SAFE,CAFE,DAFT";
        QTest::newRow("initial capital") << false << cafe << "Saf" << 10 << "Safe,Cafe,Daft";
        QTest::newRow("first letter outside the table")
            << false << QByteArrayList{"\xD8STER", "OSTER"} << QString::fromUtf8("\xC3\xB8st") << 10 << QString::fromUtf8("\xC3\xB8ster");
        QTest::newRow("character outside Windows-1252") << false << cafe << QString::fromUtf8("sa\xC4\x80") << 10 << "";
        QTest::newRow("split candidate") << false << QByteArrayList{"LOT"} << "alot" << 10 << "a lot";
        const QByteArrayList fone{"FINE", "FOAN"};
        QTest::newRow("spelling ties keep walk order") << false << fone << "fone" << 10 << "fine,foan";
        QTest::newRow("sound ranks by transcription") << true << fone << "fone" << 10 << "foan,fine";
    }
    void suggest()
    {
        QFETCH(bool, phonetic);
        QFETCH(QByteArrayList, dictionary);
        QFETCH(QString, word);
        QFETCH(int, maxCount);
        QFETCH(QString, suggestions);
        TMemoryTrie dict(dictionary);
        const QStringList got = phonetic ? SuggestPhonetic(dict, word, maxCount) : SuggestCloseMatches(dict, word, maxCount);
        QCOMPARE(got.join(','), suggestions);
    }

    // A corrupt dictionary ends the walk of its branch; nothing loops or reads out of range.
    void corruptWalk_data()
    {
        QTest::addColumn<std::vector<TTrieNode>>("nodes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArrayList>("offered");
        QTest::newRow("child index past the node count")
            << std::vector<TTrieNode>{{}, Node(3, 'S', LastSibling | WordEnds), Node(0, 'X', LastSibling),
                                      Node(3, 'S', LastSibling | WordEnds)} << 2 << QByteArrayList(6, "S");
        QTest::newRow("sibling group runs past the node count")
            << std::vector<TTrieNode>{{}, Node(3, 'S', LastSibling), Node(0, 'X', LastSibling), Node(0, 'A'),
                                      Node(0, 'B', WordEnds)} << 3 << QByteArrayList();
        QTest::newRow("node count larger than the readable nodes")
            << std::vector<TTrieNode>{{}, Node(2, 'S', LastSibling), Node(0, 'O')} << 50 << QByteArrayList();
        // Vowels keep the key, so without a limit these would be walked 5^63 times.
        QTest::newRow("cycle through a group of vowels")
            << std::vector<TTrieNode>{{}, Node(2, 'S', LastSibling), Node(2, 'A'), Node(2, 'E'), Node(2, 'I'),
                                      Node(2, 'O'), Node(2, 'U', LastSibling)} << 6 << QByteArrayList();
    }
    void corruptWalk()
    {
        QFETCH(std::vector<TTrieNode>, nodes);
        QFETCH(int, count);
        QFETCH(QByteArrayList, offered);
        TMemoryTrie dict;
        dict.nodes = nodes;
        dict.count = std::uint32_t(count);
        TRecorder recorder;
        WalkDictionaries(dict, "SAT", recorder);
        QCOMPARE(recorder.seen, offered);
        QVERIFY(dict.reads <= 6 * std::max(count, 64)); // six neighbour letters of S
    }

    void deepChain()
    {
        // A chain of 70 letters: the walk goes no deeper than 64 and cuts candidates to 30.
        TMemoryTrie dict({QByteArray(40, 'S'), QByteArray(70, 'S')});
        TRecorder recorder;
        WalkDictionaries(dict, "SS", recorder);
        QCOMPARE(recorder.seen, QByteArrayList{QByteArray(MaxCandidate, 'S')});
    }
};

QTEST_GUILESS_MAIN(TstSuggestions)
#include "tst_suggestions.moc"
