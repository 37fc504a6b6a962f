#include "spelling/suggestions.h"

#include "spelling/charmaps.h"
#include "spelling/lettertosound.h"
#include "spelling/trie.h"

#include <algorithm>
#include <cstring>

namespace Spell {
namespace {

struct TKeyTables {
    std::array<unsigned char, 256> code{};      // a character's sound code
    std::array<bool, 256> drop{};               // characters a sound key leaves out
    std::array<const char *, 256> neighbours{}; // null: the letter alone

    TKeyTables()
    {
        for (int c = 0; c < 256; ++c)
            code[c] = static_cast<unsigned char>(c);
        auto set = [this](const char *chars, unsigned char value) {
            for (; *chars; ++chars)
                code[static_cast<unsigned char>(*chars)] = value;
        };
        auto range = [this](int from, int to, unsigned char value) {
            for (int c = from; c <= to; ++c)
                code[c] = value;
        };
        set("BFPV68\xDE\xDF", 1);
        set("CGJKQSXZ3459\x8A\x8C\xC7", 2);
        set("DT\xD0", 3);
        set("L2", 4);
        set("MN\xD1", 5);
        set("R", 6);
        set("'-`", 7);
        set("0\xD8", 'O');
        range(0xD2, 0xD6, 'O');
        set("17", 'I');
        range(0xCC, 0xCF, 'I');
        range(0xC0, 0xC6, 'A');
        range(0xC8, 0xCB, 'E');
        range(0xD9, 0xDC, 'U');
        // The drop set: vowels, H, W, Y and their accented forms.
        for (unsigned char c : QByteArrayView("AEHIOUWY\x9F\xF0"))
            drop[c] = true;
        for (int c = 0xC0; c <= 0xDD; ++c)
            drop[c] = c != 0xC7 && c != 0xD0 && c != 0xD1 && c != 0xD7;

        auto near = [this](const char *firsts, const char *tried) {
            for (; *firsts; ++firsts)
                neighbours[static_cast<unsigned char>(*firsts)] = tried;
        };
        near("A\xC0\xC1\xC2\xC3\xC4\xC5\xC6", "EDA\xC0\xC1\xC2\xC3\xC4\xC5\xC6");
        near("B\xDF", "PVNB\xDF");
        near("C\x8C\xC7", "SXVC\xC7\x8C");
        near("D\xD0", "FD\xD0");
        near("E\xC8\xC9\xCA\xCB", "IWRE\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF");
        near("F", "DGF");
        near("G", "JG");
        near("H", "JGH");
        near("I\xCC\xCD\xCE\xCF", "EOUI\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF");
        near("J", "GJ");
        near("K", "CLJK");
        near("L", "KL");
        near("M", "NM\xD1");
        near("N\xD1", "MBN\xD1");
        near("O\xD2\xD3\xD4\xD5\xD6", "PIO\xD2\xD3\xD4\xD5\xD6\xCC\xCD\xCE\xCF");
        near("P\xDE", "BOP\xDE");
        near("Q", "WQ");
        near("R", "ETR");
        near("S", "ACDS\x8A\x8C");
        near("T", "YRT");
        near("U\xD9\xDA\xDB\xDC", "YIU\xD9\xDA\xDB\xDC");
        near("V", "BCV\xC7\x8C");
        near("W", "QEW");
        near("X", "CZX");
        near("Y\x9F\xDD", "TUY\x9F\xDD");
        near("Z", "XZ");
    }
};

const TKeyTables &KeyTables()
{
    static const TKeyTables tables;
    return tables;
}

const unsigned char *Bytes(const QByteArray &a) { return reinterpret_cast<const unsigned char *>(a.constData()); }

// Finds the longest common block of s1[a..b] and s2[c..d] (1-based, inclusive), counts it,
// and goes on with the parts right and left of it. A one-character range is never matched.
void BlockSearch(const unsigned char *s1, int a, int b, const unsigned char *s2, int c, int d, int &total)
{
    if (a == b || c == d)
        return;
    int best = 0, bi = 0, bj = 0;
    int end1 = b, end2 = d;
    int i = a - 1;
    while (i < end1) {
        ++i;
        int j = c - 1;
        while (j < end2) {
            ++j;
            // A longer block moves i on, possibly past the narrowed range: nothing can start there.
            if (i > end1)
                break;
            if (s1[i - 1] != s2[j - 1])
                continue;
            int k = j, l = i;
            while (k <= end2 && l <= end1 && s1[l - 1] == s2[k - 1]) {
                ++k;
                ++l;
            }
            const int length = k - j;
            if (length > best) {
                best = length;
                bi = i;
                bj = j;
                end1 = b - length - 1;
                end2 = d - length - 1;
                i += length;
            }
            j += length;
        }
    }
    if (best > 0) {
        total += 2 * best;
        BlockSearch(s1, bi + best, b, s2, bj + best, d, total);
        BlockSearch(s1, a, bi - 1, s2, c, bj - 1, total);
    }
}

// One depth-first walk of one dictionary for one neighbour letter.
class TWalk {
public:
    TWalk(TTrieSource &dicts, int dictionary, const unsigned char *key, TCandidateSink &sink)
        : dicts_(dicts), dictionary_(dictionary), key_(key), sink_(sink),
          code_(KeyTables().code.data()), drop_(KeyTables().drop.data())
    {
        nodeCount_ = dicts.NodeCount(dictionary);
        // A sound trie reaches each node at most once, and no child index lies past 65535, so
        // more reads than that mean a corrupt dictionary that loops.
        budget_ = std::min<std::uint32_t>(nodeCount_, 65535 + AlphabetSize);
    }

    void Run() { Group(1, 0, 0); }

private:
    // Walks the sibling group at `start`; the prefix holds `depth` letters whose key matched the
    // first `matched` sound codes of the word's key. False stops the whole walk.
    bool Group(std::uint32_t start, int depth, int matched)
    {
        for (std::uint32_t i = start, n = 0; ; ++i, ++n) {
            if (i < 1 || i > nodeCount_ || n >= static_cast<std::uint32_t>(AlphabetSize))
                return true; // a child index or sibling group outside the dictionary: a corrupt branch
            if (budget_ == 0)
                return false;
            --budget_;
            TTrieNode node;
            if (!dicts_.ReadNode(dictionary_, i, node))
                return true;
            const unsigned char letter = LetterOfCode(node.flags);
            prefix_[depth] = letter;
            if (node.flags & WordEnds)
                sink_.Offer(prefix_, std::min(depth + 1, MaxCandidate));
            if (node.child != 0 && node.child != FreeSlot && depth + 1 < MaxWalkDepth) {
                const int next = Extend(letter, depth, matched);
                if (next >= 0 && !Group(node.child, depth + 1, next))
                    return false;
            }
            if (node.flags & LastSibling)
                return true;
        }
    }

    // The key of the prefix with `letter` added, as the number of the word key's sound codes it
    // matches; -1 when it no longer agrees with the word's key.
    int Extend(unsigned char letter, int depth, int matched) const
    {
        if (depth == 0)
            return letter == key_[0] ? 0 : -1;
        if (drop_[letter] || matched == 3)
            return matched;
        const unsigned char code = code_[letter];
        for (int i = 1; i <= matched; ++i)
            if (key_[i] == code)
                return matched;
        return key_[matched + 1] == code ? matched + 1 : -1;
    }

    TTrieSource &dicts_;
    int dictionary_;
    const unsigned char *key_;
    TCandidateSink &sink_;
    const unsigned char *code_;
    const bool *drop_;
    std::uint32_t nodeCount_ = 0;
    std::uint32_t budget_ = 0;
    unsigned char prefix_[MaxWalkDepth];
};

// Scores each candidate against the word and ranks it.
class TScorer : public TCandidateSink {
public:
    TScorer(TRanking &ranking, bool phonetic, const QByteArray &target)
        : ranking_(ranking), phonetic_(phonetic), target_(target) {}

    void Offer(const unsigned char *text, int length) override
    {
        unsigned char side[MaxCandidate];
        int n = 0;
        if (phonetic_) {
            n = TranscribeInto(text, length, side);
        } else {
            for (int i = 0; i < length; ++i)
                if (text[i] != '\'')
                    side[n++] = text[i];
        }
        ranking_.Add(text, length, Similarity(side, n, Bytes(target_), static_cast<int>(target_.size())));
    }

private:
    TRanking &ranking_;
    bool phonetic_;
    const QByteArray &target_;
};

bool EndsSplit(unsigned char c) { return c == 'A' || c == 'I'; }

QStringList Suggest(TTrieSource &dicts, const QString &word, int maxCount, bool phonetic)
{
    const std::optional<QByteArray> bytes = ToEngineText(word);
    if (!bytes)
        return {};
    dicts.RefreshHeaders();
    const QByteArray typed = bytes->left(MaxSuggestedWord);
    if (typed.isEmpty())
        return {};
    const QByteArray upper = UpperCased(typed);
    const QByteArray target = phonetic ? Transcribe(upper) : upper;

    TRanking ranking(maxCount);
    TScorer scorer(ranking, phonetic, target);
    WalkDictionaries(dicts, upper, scorer);
    SplitCandidates(dicts, upper, scorer);

    QStringList out;
    out.reserve(ranking.Count());
    for (int i = 0; i < ranking.Count(); ++i)
        out.append(FromEngineText(ApplyCasePattern(typed, ranking.Text(i))));
    return out;
}

} // namespace

QStringList SuggestCloseMatches(TTrieSource &dicts, const QString &word, int maxCount)
{
    return Suggest(dicts, word, maxCount, false);
}

QStringList SuggestPhonetic(TTrieSource &dicts, const QString &word, int maxCount)
{
    return Suggest(dicts, word, maxCount, true);
}

QByteArray NeighbourLetters(unsigned char first)
{
    const char *tried = KeyTables().neighbours[first];
    return tried ? QByteArray(tried) : QByteArray(1, static_cast<char>(first));
}

QByteArray SoundKey(const QByteArray &text, TKeyPadding padding, const QByteArray &source)
{
    const TKeyTables &tables = KeyTables();
    QByteArray key(4, '\0');
    int k = 0;
    if (!text.isEmpty())
        key[k++] = text[0];
    // From the second character on: drop, code, and keep the first of each repeated code.
    for (qsizetype i = 1; i < text.size() && k < 4; ++i) {
        const auto letter = static_cast<unsigned char>(text[i]);
        if (tables.drop[letter])
            continue;
        const unsigned char c = tables.code[letter];
        if (std::memchr(key.constData() + 1, c, k - 1 > 0 ? k - 1 : 0))
            continue;
        key[k++] = static_cast<char>(c);
    }
    if (padding == kpSource)
        for (; k < 4; ++k)
            key[k] = k < source.size() ? source[k] : '\0';
    return key;
}

int Similarity(const unsigned char *s1, int len1, const unsigned char *s2, int len2)
{
    if (len1 + len2 == 0)
        return 0;
    int total = 0;
    BlockSearch(s1, 1, len1, s2, 1, len2, total);
    return total * 100 / (len1 + len2);
}

int Similarity(const QByteArray &s1, const QByteArray &s2)
{
    return Similarity(Bytes(s1), static_cast<int>(s1.size()), Bytes(s2), static_cast<int>(s2.size()));
}

TRanking::TRanking(int capacity) : capacity_(std::clamp(capacity, 1, MaxSuggestions)) {}

void TRanking::Add(const unsigned char *text, int length, int score)
{
    // The place before the first entry scoring lower; equal scores keep their order.
    int pos = count_;
    while (pos > 0 && entries_[pos - 1].score < score)
        --pos;
    if (pos == capacity_)
        return;
    const int last = std::min(count_, capacity_ - 1);
    std::move_backward(entries_.begin() + pos, entries_.begin() + last, entries_.begin() + last + 1);
    TEntry &entry = entries_[pos];
    entry.length = static_cast<std::uint8_t>(std::min(length, MaxCandidate));
    std::memcpy(entry.text, text, entry.length);
    entry.score = static_cast<std::uint16_t>(score);
    count_ = std::min(count_ + 1, capacity_);
}

QByteArray TRanking::Text(int i) const
{
    return QByteArray(reinterpret_cast<const char *>(entries_[i].text), entries_[i].length);
}

QByteArray ApplyCasePattern(const QByteArray &typed, const QByteArray &candidate)
{
    if (!std::any_of(typed.begin(), typed.end(), [](char c) { return IsLowerLetter(static_cast<unsigned char>(c)); }))
        return candidate;
    // Letters that carry the pattern in the typed word and in the candidate.
    auto typedLetter = [](unsigned char c) {
        return c == '\'' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0x8A || c == 0x8C
            || c == 0x9A || c == 0x9C || c == 0x9F || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xEF)
            || c == 0xF0 || c >= 0xF8;
    };
    auto candidateLetter = [](unsigned char c) {
        return c == '\'' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0x8A || c == 0x8C
            || c == 0x9A || c == 0x9C || c == 0x9F || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6)
            || c >= 0xF8;
    };
    auto upperPattern = [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x9F || (c >= 0xC0 && c <= 0xD6)
            || (c >= 0xD8 && c <= 0xDF) || c == 0xF0;
    };
    QByteArray out(candidate);
    for (char &c : out)
        c = static_cast<char>(LowerCase(static_cast<unsigned char>(c)));
    const auto *t = Bytes(typed);
    const qsizetype n = typed.size(), m = out.size();
    for (qsizetype i = 0, j = 0; i < n && j < m; ++i, ++j) {
        while (i < n - 1 && !typedLetter(t[i]))
            ++i;
        while (j < m - 1 && !candidateLetter(static_cast<unsigned char>(out[j])))
            ++j;
        if (upperPattern(t[i]))
            out[j] = static_cast<char>(UpperCase(static_cast<unsigned char>(out[j])));
    }
    return out;
}

void WalkDictionaries(TTrieSource &dicts, const QByteArray &upperWord, TCandidateSink &sink)
{
    if (upperWord.isEmpty())
        return;
    unsigned char key[4];
    std::memcpy(key, SoundKey(upperWord, kpZeros).constData(), 4);
    const QByteArray letters = NeighbourLetters(static_cast<unsigned char>(upperWord[0]));
    const int count = dicts.DictionaryCount();
    for (char letter : letters) {
        key[0] = static_cast<unsigned char>(letter);
        for (int d = 0; d < count; ++d)
            TWalk(dicts, d, key, sink).Run();
    }
}

void SplitCandidates(TTrieSource &dicts, const QByteArray &upperWord, TCandidateSink &sink)
{
    const int n = static_cast<int>(upperWord.size());
    if (n < 2)
        return;
    const int first = EndsSplit(static_cast<unsigned char>(upperWord[0])) ? 1 : 2;
    const int last = EndsSplit(static_cast<unsigned char>(upperWord[n - 1])) ? n - 1 : n - 2;
    for (int d = first; d <= last; ++d) {
        const QByteArray left = upperWord.left(d), right = upperWord.mid(d);
        if (dicts.IsWordKnown(left) && dicts.IsWordKnown(right)) {
            const QByteArray candidate = left + ' ' + right;
            sink.Offer(Bytes(candidate), std::min(static_cast<int>(candidate.size()), MaxCandidate));
        }
    }
}

} // namespace Spell
