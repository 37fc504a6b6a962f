#include "spelling/dictwriter.h"

#include "spelling/charmaps.h"
#include "spelling/dictengine.h"

#include <QSaveFile>
#include <algorithm>
#include <map>

namespace Spell {
namespace {

constexpr std::uint8_t CodeBits = 0x3F;

// A trie under construction: each node's children by letter code.
struct TBuildNode {
    std::map<std::uint8_t, int> children;
    bool wordEnds = false;
};

// Appends the group of `parent`'s children and, after it, their own groups in turn;
// returns the 1-based index of the group's first node.
std::uint16_t EmitGroup(const std::vector<TBuildNode> &tree, int parent, TTrieNodes &out)
{
    const auto &children = tree[std::size_t(parent)].children;
    const std::size_t first = out.size();
    for (const auto &[code, child] : children) {
        TTrieNode node;
        node.flags = std::uint8_t(code | (tree[std::size_t(child)].wordEnds ? WordEnds : 0));
        out.push_back(node);
    }
    out.back().flags |= LastSibling;
    std::size_t i = first;
    for (const auto &[code, child] : children) {
        if (!tree[std::size_t(child)].children.empty())
            out[i].child = EmitGroup(tree, child, out);
        ++i;
    }
    return std::uint16_t(first + 1);
}

void PutUInt32(QByteArray &bytes, qsizetype at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void AppendNode(QByteArray &bytes, const TTrieNode &node)
{
    bytes.append(char(node.child & 0xFF));
    bytes.append(char(node.child >> 8));
    bytes.append(char(node.flags));
}

// Writes letters[from..] as a chain starting at node k (already in the trie): k holds the
// first letter, each further letter takes a new node at the end.
void AppendChain(TTrieNodes &nodes, std::size_t k, const QByteArray &letters, qsizetype from)
{
    const qsizetype n = letters.size() - from;
    TTrieNode &head = nodes[k - 1];
    head.flags = std::uint8_t((head.flags & LastSibling) | CodeOfLetter(uchar(letters[from])));
    if (n == 1) {
        head.flags |= WordEnds;
        head.child = 0;
        return;
    }
    head.child = std::uint16_t(nodes.size() + 1);
    for (qsizetype i = from + 1; i < letters.size(); ++i) {
        TTrieNode node;
        node.flags = std::uint8_t(CodeOfLetter(uchar(letters[i])) | LastSibling);
        if (i + 1 == letters.size())
            node.flags |= WordEnds;
        else
            node.child = std::uint16_t(nodes.size() + 2);
        nodes.push_back(node);
    }
}

} // namespace

TTrieNodes BuildTrie(const QList<QByteArray> &words)
{
    std::vector<TBuildNode> tree(1);
    for (const QByteArray &word : words) {
        if (word.isEmpty())
            continue;
        int at = 0;
        for (char c : word) {
            const std::uint8_t code = CodeOfLetter(UpperCase(uchar(c)));
            auto found = tree[std::size_t(at)].children.find(code);
            if (found == tree[std::size_t(at)].children.end()) {
                tree.emplace_back();
                found = tree[std::size_t(at)].children.emplace(code, int(tree.size() - 1)).first;
            }
            at = found->second;
        }
        tree[std::size_t(at)].wordEnds = true;
    }
    TTrieNodes nodes;
    nodes.reserve(tree.size());
    if (!tree[0].children.empty())
        EmitGroup(tree, 0, nodes);
    return nodes;
}

std::uint32_t WordsInTrie(const TTrieNodes &nodes)
{
    return std::uint32_t(std::count_if(nodes.begin(), nodes.end(),
                                       [](const TTrieNode &n) { return n.flags & WordEnds; }));
}

bool AddWordToTrie(TTrieNodes &nodes, const QByteArray &upperWord)
{
    const qsizetype length = upperWord.size();
    if (length == 0 || length > MaxUserWordLength || nodes.size() + std::size_t(length) > MaxNodeCount)
        return false;
    if (nodes.empty()) {
        nodes.emplace_back();
        AppendChain(nodes, 1, upperWord, 0);
        nodes[0].flags |= LastSibling;
        return true;
    }
    std::size_t group = 1;
    for (qsizetype pos = 0; pos < length; ++pos) {
        const std::uint8_t code = CodeOfLetter(uchar(upperWord[pos]));
        std::size_t found = 0;
        std::size_t at = group;
        for (int scanned = 0; scanned < AlphabetSize; ++scanned, ++at) {
            if (at > nodes.size())
                return false; // the group runs past the nodes in use
            if ((nodes[at - 1].flags & CodeBits) == code) {
                found = at;
                break;
            }
            if (nodes[at - 1].flags & LastSibling)
                break;
        }
        if (found == 0) {
            // A letter new to this group: insert its node at the group's first slot.
            nodes.insert(nodes.begin() + std::ptrdiff_t(group - 1), TTrieNode{});
            for (TTrieNode &node : nodes)
                if (node.child > group && node.child != FreeSlot)
                    ++node.child;
            AppendChain(nodes, group, upperWord, pos);
            return true;
        }
        TTrieNode &node = nodes[found - 1];
        if (pos + 1 == length) {
            node.flags |= WordEnds;
            return true;
        }
        if (node.child != 0 && node.child != FreeSlot) {
            if (node.child > nodes.size())
                return false;
            group = node.child;
            continue;
        }
        const std::size_t chain = nodes.size() + 1;
        nodes.emplace_back();
        nodes[found - 1].child = std::uint16_t(chain);
        AppendChain(nodes, chain, upperWord, pos + 1);
        nodes[chain - 1].flags |= LastSibling;
        return true;
    }
    return false;
}

QList<TTrieNodes> SplitIntoDictionaries(const QList<QByteArray> &words, std::uint32_t nodeLimit)
{
    std::map<std::uint8_t, QList<QByteArray>> byLetter;
    for (const QByteArray &word : words)
        if (!word.isEmpty())
            byLetter[CodeOfLetter(UpperCase(uchar(word[0])))].append(word);

    QList<TTrieNodes> result;
    QList<QByteArray> pending;
    std::size_t pendingNodes = 0;
    for (const auto &[code, letterWords] : byLetter) {
        // The tries of single letters add up: the first group just gains their nodes.
        const std::size_t size = BuildTrie(letterWords).size();
        if (size >= nodeLimit)
            return {};
        if (pendingNodes + size >= nodeLimit) {
            result.append(BuildTrie(pending));
            pending.clear();
            pendingNodes = 0;
        }
        pending += letterWords;
        pendingNodes += size;
    }
    if (!pending.isEmpty())
        result.append(BuildTrie(pending));
    return result;
}

QByteArray MainDictionaryBytes(const QList<TTrieNodes> &dictionaries)
{
    QByteArray bytes = QByteArray(DictionaryFormatNotice) + "\r\n\x1A";
    for (const TTrieNodes &nodes : dictionaries) {
        TDictionaryHeader header;
        header.NodeCount = std::uint32_t(nodes.size());
        header.SlotCount = std::max<std::uint32_t>(header.NodeCount, 2);
        header.WordCount = WordsInTrie(nodes);
        header.MainFlag = 1;
        header.HeaderOffset = std::uint32_t(bytes.size());
        bytes += header.ToBytes();
        for (const TTrieNode &node : nodes)
            AppendNode(bytes, node);
        for (std::uint32_t i = header.NodeCount; i < header.SlotCount; ++i)
            AppendNode(bytes, TTrieNode{FreeSlot, std::uint8_t(LastSibling | WordEnds)});
    }
    return bytes;
}

QByteArray NewUserDictionaryBytes()
{
    QByteArray bytes = QByteArray("USER DICTIONARY\r\n") + DictionaryFormatNotice + "\r\n\x1A";
    TDictionaryHeader header;
    header.NodeCount = 1;
    header.SlotCount = NewUserSlots;
    header.WordCount = 1;
    header.MainFlag = 0;
    header.HeaderOffset = std::uint32_t(bytes.size());
    bytes += header.ToBytes();
    // Node 1 is the word A alone in its group; the other slots are free.
    AppendNode(bytes, TTrieNode{0, std::uint8_t(LastSibling | WordEnds)});
    for (std::uint32_t i = 2; i <= NewUserSlots; ++i)
        AppendNode(bytes, TTrieNode{FreeSlot, std::uint8_t(LastSibling | WordEnds)});
    return bytes;
}

bool WriteDictionaryFile(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Used by the engine when it writes a header back.
QByteArray TDictionaryHeader::ToBytes() const
{
    QByteArray bytes(HeaderSize, '\0');
    PutUInt32(bytes, 0, NodeCount);
    PutUInt32(bytes, 4, SlotCount);
    PutUInt32(bytes, 8, WordCount);
    bytes[12] = char(MainFlag);
    PutUInt32(bytes, 13, HeaderOffset);
    return bytes;
}

} // namespace Spell
