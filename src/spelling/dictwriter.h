#pragma once
// Building dictionary tries in memory and writing dictionary files: the main dictionary
// generator, new user dictionaries and the rewrite behind every added user word.
#include "spelling/trie.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

namespace Spell {

// The nodes of one trie; node i (1-based) is element i - 1.
using TTrieNodes = std::vector<TTrieNode>;

// A trie holding the words (Windows-1252 bytes, any case; empty words are ignored). Each
// sibling group is followed by the groups of its members, so a word's path lies close
// together in the file.
TTrieNodes BuildTrie(const QList<QByteArray> &words);
// Number of words a trie holds (nodes where a word ends).
std::uint32_t WordsInTrie(const TTrieNodes &nodes);

// Adds an upper-cased word the way a user dictionary grows: a prefix of a stored path
// only marks its last node, new letters go into a chain at the end, and a letter new to
// a group is inserted at the group's first slot (every later node moves up one slot).
// False, with the nodes unchanged, when the word is empty or longer than a user word
// may be, the node space would overflow, or the trie is damaged.
bool AddWordToTrie(TTrieNodes &nodes, const QByteArray &upperWord);

// Splits the words into tries by first letter, each below `nodeLimit` nodes, keeping
// letters in alphabet order; empty when one letter alone needs more nodes.
QList<TTrieNodes> SplitIntoDictionaries(const QList<QByteArray> &words, std::uint32_t nodeLimit);

// The bytes of a main dictionary file holding the tries one after another. A trie of
// fewer than two nodes gets a free slot added, so that readers do not take it for
// trailing bytes.
QByteArray MainDictionaryBytes(const QList<TTrieNodes> &dictionaries);
// The bytes of a new user dictionary: preamble, header, the word A and free slots.
QByteArray NewUserDictionaryBytes();
// Replaces a file with the bytes in one step (an interrupted write leaves the old file).
bool WriteDictionaryFile(const QString &fileName, const QByteArray &bytes);

} // namespace Spell
