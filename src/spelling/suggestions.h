#pragma once
// Suggestions for an unknown word: close matches by spelling and by sound, drawn from the
// dictionaries' tries (pruned by a sound key and by keyboard neighbours of the first letter)
// and from splitting the word in two known words, ranked best first.
#include <QByteArray>
#include <QStringList>
#include <array>
#include <cstdint>

namespace Spell {

class TTrieSource;

constexpr int MaxSuggestedWord = 25;  // the word is cut to this many characters
constexpr int MaxCandidate = 30;      // candidates are stored cut to this many characters
constexpr int MaxSuggestions = 255;   // the largest maximum count
constexpr int MaxWalkDepth = 64;      // no dictionary word is longer; deeper chains are corrupt

// Suggestions for `word` as typed, best first, in its case pattern; at most `maxCount`
// (1-255) entries. A word holding a character outside Windows-1252 gets none.
QStringList SuggestCloseMatches(TTrieSource &dicts, const QString &word, int maxCount);
QStringList SuggestPhonetic(TTrieSource &dicts, const QString &word, int maxCount);

// The letters a word's first letter (upper case) may have been mistyped for, in the order
// the dictionaries are walked for them.
QByteArray NeighbourLetters(unsigned char first);

// The four-character sound key of a text. Short keys are filled with byte 0 or, in source
// mode, with the characters of `source` at the missing positions.
enum TKeyPadding { kpZeros, kpSource };
QByteArray SoundKey(const QByteArray &text, TKeyPadding padding, const QByteArray &source = {});

// How alike two strings are, 0-100: twice the characters of their common blocks over their
// total length. A one-character string has nothing in common with anything.
int Similarity(const unsigned char *s1, int len1, const unsigned char *s2, int len2);
int Similarity(const QByteArray &s1, const QByteArray &s2);

// Candidates kept sorted by descending score; equal scores stay in order of arrival.
class TRanking {
public:
    explicit TRanking(int capacity);
    void Add(const unsigned char *text, int length, int score);
    int Count() const { return count_; }
    QByteArray Text(int i) const;
    int Score(int i) const { return entries_[i].score; }

private:
    struct TEntry {
        unsigned char text[MaxCandidate];
        std::uint8_t length;
        std::uint16_t score;
    };
    std::array<TEntry, MaxSuggestions> entries_;
    int capacity_;
    int count_ = 0;
};

// The candidate (upper case, as the dictionary spells it) in the case pattern of the word as typed.
QByteArray ApplyCasePattern(const QByteArray &typed, const QByteArray &candidate);

// Receives the candidates a search draws, in order.
class TCandidateSink {
public:
    virtual ~TCandidateSink() = default;
    virtual void Offer(const unsigned char *text, int length) = 0;
};

// Walks every dictionary once per neighbour letter of the upper-cased word's first letter and
// offers each word reached through prefixes that keep the word's sound key.
void WalkDictionaries(TTrieSource &dicts, const QByteArray &upperWord, TCandidateSink &sink);
// Offers "LEFT RIGHT" for each split of the upper-cased word into two known words.
void SplitCandidates(TTrieSource &dicts, const QByteArray &upperWord, TCandidateSink &sink);

} // namespace Spell
