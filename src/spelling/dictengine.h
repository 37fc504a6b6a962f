#pragma once
// The spelling dictionary engine: letter tries packed into 3-byte nodes, read node by node
// from dictionary files; one read-only main file (several dictionaries) and user
// dictionaries that grow as words are added.
#include "spelling/trie.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QFile;

namespace Spell {

// The first line of every dictionary file this program writes.
extern const char DictionaryFormatNotice[];
// Size of a dictionary header and of a node slot, in bytes.
constexpr int HeaderSize = 17;
constexpr int NodeSize = 3;
// Longest word a user dictionary takes, and the node space of one dictionary.
constexpr int MaxUserWordLength = 25;
constexpr std::uint32_t MaxNodeCount = 63999;
// No trie this program writes is deeper; a walk that goes deeper reads a damaged file.
constexpr int MaxTrieDepth = 64;
// Slots a new user dictionary file holds.
constexpr std::uint32_t NewUserSlots = 500;

struct TDictionaryHeader {
    std::uint32_t NodeCount = 0;
    std::uint32_t SlotCount = 0;
    std::uint32_t WordCount = 0;
    std::uint8_t MainFlag = 0;
    std::uint32_t HeaderOffset = 0;

    static TDictionaryHeader FromBytes(const char *bytes);
    QByteArray ToBytes() const;
};

class TSpellEngine : public TTrieSource {
public:
    TSpellEngine();
    ~TSpellEngine() override;
    TSpellEngine(const TSpellEngine &) = delete;
    TSpellEngine &operator=(const TSpellEngine &) = delete;
    static std::unique_ptr<TSpellEngine> CreateEngine();

    // Opens every dictionary of a main file; false when one is already open, the file
    // cannot be read or is not a valid main dictionary file.
    bool OpenMainDictionary(const QString &fileName);
    // The new dictionary's identifier; 0 when the file is not a (valid) user dictionary,
    // -1 when it cannot be opened.
    int OpenUserDictionary(const QString &fileName);
    // Writes a new user dictionary holding the words, leaves it open: identifier or -1.
    int CreateUserDictionary(const QString &fileName, const QStringList &words);
    // Adds a word to the open user dictionary with that identifier; false when nothing was
    // added (unknown identifier, word too long or not in code page 1252, no node space,
    // the file could not be locked or written).
    bool AddUserWord(const QString &word, int identifier);
    bool AddUserWord(const QByteArray &word, int identifier);
    bool IsWordKnown(const QString &word);
    void CloseDictionaries();
    // The list suggestions are collected in.
    QStringList &Results() { return FResults; }
    // Known words close to a word by spelling, or by sound, best first, in the case pattern
    // of the word as typed; the result list is overwritten by the next call.
    const QStringList &SuggestCloseMatches(const QString &word, int maxCount);
    const QStringList &SuggestPhonetic(const QString &word, int maxCount);

    // TTrieSource
    void RefreshHeaders() override;
    int DictionaryCount() const override;
    std::uint32_t NodeCount(int dictionary) const override;
    bool ReadNode(int dictionary, std::uint32_t index, TTrieNode &node) override;
    bool IsWordKnown(const QByteArray &word) override;

    // The header of an open dictionary, for callers that report on the files.
    TDictionaryHeader Header(int dictionary) const;
    // How long an add waits for another process that holds a user dictionary's lock.
    void SetLockTimeout(int milliseconds) { FLockTimeout = milliseconds; }

private:
    struct TFileHandle;
    struct TDictionary;

    bool Contains(TDictionary &dictionary, const std::uint8_t *codes, qsizetype length);
    bool ReadNodeOf(TDictionary &dictionary, std::uint32_t index, TTrieNode &node);
    TDictionary *UserDictionary(int identifier);
    bool ReopenUser(TDictionary &dictionary);
    int NextIdentifier();

    std::vector<std::unique_ptr<TDictionary>> FDictionaries;
    QStringList FResults;
    std::uint16_t FNextIdentifier = 2;
    int FLockTimeout = 5000;
};

} // namespace Spell
