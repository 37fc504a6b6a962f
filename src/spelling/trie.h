#pragma once
// What the suggestion search needs from the dictionaries: their nodes, read one at a
// time, and the lookup of a whole word. The dictionary engine provides it.
#include <QByteArray>
#include <cstdint>

namespace Spell {

// One node slot of a dictionary trie.
struct TTrieNode {
    std::uint16_t child = 0; // 1-based first node of the child group; 0 or FreeSlot: none
    std::uint8_t flags = 0;  // bits 0-5 letter code, 0x40 last sibling, 0x80 a word ends here
};

constexpr std::uint16_t FreeSlot = 65000;
constexpr std::uint8_t LastSibling = 0x40;
constexpr std::uint8_t WordEnds = 0x80;

class TTrieSource {
public:
    virtual ~TTrieSource() = default;
    // Re-reads the headers of the user dictionaries (another process may have added words).
    virtual void RefreshHeaders() = 0;
    // The open dictionaries, in lookup order.
    virtual int DictionaryCount() const = 0;
    // Nodes in use in a dictionary (nodes 1..count).
    virtual std::uint32_t NodeCount(int dictionary) const = 0;
    // Reads node `index` (1-based); false when it lies outside the dictionary or cannot be read.
    virtual bool ReadNode(int dictionary, std::uint32_t index, TTrieNode &node) = 0;
    // Whether a word (Windows-1252 bytes, any case) is known in any open dictionary.
    virtual bool IsWordKnown(const QByteArray &word) = 0;
};

} // namespace Spell
