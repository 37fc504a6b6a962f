#include "spelling/dictengine.h"
#include "spelling/suggestions.h"

#include "spelling/charmaps.h"
#include "spelling/dictwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cstring>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace Spell {

const char DictionaryFormatNotice[] = "Pendwick dictionary format 1";

namespace {

// The device and inode of a file, or 0 where they cannot be read.
quint64 FileIdentity(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(fileName).constData(), &st) == 0)
        return (quint64(st.st_dev) << 40) ^ quint64(st.st_ino);
#else
    Q_UNUSED(fileName);
#endif
    return 0;
}

constexpr std::uint8_t CodeBits = 0x3F;
constexpr int CacheLines = 1024;
constexpr int NodesPerLine = 8;
constexpr int LineBytes = NodesPerLine * NodeSize;

std::uint32_t UInt32At(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
           | std::uint32_t(b[3]) << 24;
}

} // namespace

TDictionaryHeader TDictionaryHeader::FromBytes(const char *bytes)
{
    TDictionaryHeader header;
    header.NodeCount = UInt32At(bytes);
    header.SlotCount = UInt32At(bytes + 4);
    header.WordCount = UInt32At(bytes + 8);
    header.MainFlag = std::uint8_t(bytes[12]);
    header.HeaderOffset = UInt32At(bytes + 13);
    return header;
}

// An open dictionary file. The main file is mapped when the platform allows it, so that a
// node read is a copy from the page cache; otherwise nodes are read with seek and read.
struct TSpellEngine::TFileHandle {
    QFile file;
    const uchar *map = nullptr;
    qint64 size = 0;

    // Reads up to `length` bytes at `offset`; the number read.
    qint64 Read(qint64 offset, char *to, qint64 length)
    {
        if (offset < 0 || offset >= size)
            return 0;
        length = std::min(length, size - offset);
        if (map) {
            std::memcpy(to, map + offset, std::size_t(length));
            return length;
        }
        if (!file.seek(offset))
            return 0;
        return std::max<qint64>(file.read(to, length), 0);
    }
};

struct TSpellEngine::TDictionary {
    TDictionaryHeader header;
    qint64 headerPos = 0; // where the header was found
    qint64 base = 0;      // node i lies at base + 3 * i
    std::shared_ptr<TFileHandle> file;
    QString fileName;
    bool open = true;
    int kind = 0; // 0 first of a main file, 1 further one of it, 2 user dictionary
    int identifier = -1;
    // Main dictionaries: a direct-mapped cache of blocks of 8 nodes.
    struct TCache {
        std::array<qint64, CacheLines> tag;
        std::array<std::uint8_t, CacheLines> length{};
        std::array<std::array<char, LineBytes>, CacheLines> data;
        TCache() { tag.fill(-1); }
    };
    std::unique_ptr<TCache> cache;
    // User dictionaries: what the file looked like when it was read, to notice a
    // replacement by another process.
    qint64 diskSize = -1;
    QDateTime diskModified;
    quint64 diskIdentity = 0; // which file the name stood for: a replaced file is another
};

namespace {

// The offset just after the preamble's 0x1A, or -1 when the file has none.
qint64 SkipPreamble(QFile &file)
{
    if (!file.seek(0))
        return -1;
    char chunk[4096];
    qint64 at = 0;
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n <= 0)
            return -1;
        if (const void *end = std::memchr(chunk, 0x1A, std::size_t(n)))
            return at + (static_cast<const char *>(end) - chunk) + 1;
        at += n;
    }
}

// Whether a header describes nodes that lie inside a file of `fileSize` bytes.
bool HeaderFits(const TDictionaryHeader &header, qint64 headerPos, qint64 fileSize)
{
    if (header.NodeCount >= FreeSlot)
        return false;
    const qint64 nodesEnd = headerPos + HeaderSize
                            + qint64(NodeSize) * std::max(header.NodeCount, header.SlotCount);
    return nodesEnd <= fileSize;
}

// Writes a user dictionary's header and nodes into the file's bytes at `headerPos`; the
// file grows when the nodes pass its end, and slots after the last node stay as they were.
void PutDictionary(QByteArray &bytes, qint64 headerPos, TDictionaryHeader header, const TTrieNodes &nodes)
{
    header.NodeCount = std::uint32_t(nodes.size());
    bytes.replace(headerPos, HeaderSize, header.ToBytes());
    const qint64 nodesAt = headerPos + HeaderSize;
    if (bytes.size() < nodesAt + NodeSize * qint64(nodes.size()))
        bytes.resize(nodesAt + NodeSize * qint64(nodes.size()));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        char *at = bytes.data() + nodesAt + NodeSize * qint64(i);
        at[0] = char(nodes[i].child & 0xFF);
        at[1] = char(nodes[i].child >> 8);
        at[2] = char(nodes[i].flags);
    }
}

} // namespace

TSpellEngine::TSpellEngine() = default;

TSpellEngine::~TSpellEngine()
{
    CloseDictionaries();
}

std::unique_ptr<TSpellEngine> TSpellEngine::CreateEngine()
{
    return std::make_unique<TSpellEngine>();
}

bool TSpellEngine::OpenMainDictionary(const QString &fileName)
{
    if (!FDictionaries.empty() && FDictionaries.front()->kind == 0)
        return false; // one main file at a time
    auto handle = std::make_shared<TFileHandle>();
    handle->file.setFileName(fileName);
    if (!handle->file.open(QIODevice::ReadOnly))
        return false;
    handle->size = handle->file.size();
    qint64 pos = SkipPreamble(handle->file);
    if (pos < 0)
        return false;

    std::vector<std::unique_ptr<TDictionary>> found;
    char bytes[HeaderSize];
    for (;;) {
        if (handle->Read(pos, bytes, HeaderSize) != HeaderSize)
            return false;
        const TDictionaryHeader header = TDictionaryHeader::FromBytes(bytes);
        if (found.empty() && header.MainFlag == 0)
            return false; // a user dictionary
        if (header.NodeCount > header.SlotCount || !HeaderFits(header, pos, handle->size))
            return false;
        auto dictionary = std::make_unique<TDictionary>();
        dictionary->header = header;
        dictionary->headerPos = pos;
        dictionary->base = pos + HeaderSize - NodeSize;
        dictionary->file = handle;
        dictionary->fileName = fileName;
        dictionary->kind = found.empty() ? 0 : 1;
        dictionary->cache = std::make_unique<TDictionary::TCache>();
        found.push_back(std::move(dictionary));
        // The next header follows the last slot; a tail too short for a header and a
        // node is not a dictionary.
        pos = pos + HeaderSize + qint64(NodeSize) * header.SlotCount;
        if (pos + 20 >= handle->size)
            break;
    }
    handle->map = handle->file.map(0, handle->size);
    FDictionaries.insert(FDictionaries.begin(), std::move(found.front()));
    for (std::size_t i = 1; i < found.size(); ++i)
        FDictionaries.push_back(std::move(found[i]));
    return true;
}

int TSpellEngine::OpenUserDictionary(const QString &fileName)
{
    auto dictionary = std::make_unique<TDictionary>();
    dictionary->fileName = fileName;
    dictionary->kind = 2;
    {
        QFile probe(fileName);
        if (!probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return -1;
    }
    if (!ReopenUser(*dictionary))
        return 0;
    dictionary->identifier = NextIdentifier();
    const int identifier = dictionary->identifier;
    FDictionaries.push_back(std::move(dictionary));
    return identifier;
}

// (Re)opens a user dictionary's file by name and reads its header; false, leaving the
// dictionary as it was, when the file cannot be read or is not a valid user dictionary.
bool TSpellEngine::ReopenUser(TDictionary &dictionary)
{
    auto handle = std::make_shared<TFileHandle>();
    handle->file.setFileName(dictionary.fileName);
    if (!handle->file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    const QFileInfo info(dictionary.fileName);
    handle->size = handle->file.size();
    const qint64 pos = SkipPreamble(handle->file);
    char bytes[HeaderSize];
    if (pos < 0 || handle->Read(pos, bytes, HeaderSize) != HeaderSize)
        return false;
    const TDictionaryHeader header = TDictionaryHeader::FromBytes(bytes);
    if (header.MainFlag != 0 || !HeaderFits(header, pos, handle->size))
        return false;
    dictionary.header = header;
    dictionary.headerPos = pos;
    dictionary.base = pos + HeaderSize - NodeSize;
    dictionary.file = std::move(handle);
    dictionary.diskSize = info.size();
    dictionary.diskModified = info.lastModified();
    dictionary.diskIdentity = FileIdentity(dictionary.fileName);
    dictionary.open = true;
    return true;
}

int TSpellEngine::NextIdentifier()
{
    const int identifier = FNextIdentifier;
    FNextIdentifier = std::uint16_t(FNextIdentifier + 1); // 65535 wraps to 0
    return identifier;
}

int TSpellEngine::CreateUserDictionary(const QString &fileName, const QStringList &words)
{
    QStringList sorted = words;
    sorted.sort();
    QByteArray bytes = NewUserDictionaryBytes();
    const qint64 headerPos = bytes.indexOf('\x1A') + 1;
    TDictionaryHeader header = TDictionaryHeader::FromBytes(bytes.constData() + headerPos);
    // The words go in before the file is written, so the file is written once.
    TTrieNodes nodes{TTrieNode{0, std::uint8_t(LastSibling | WordEnds)}};
    for (const QString &word : sorted) {
        const std::optional<QByteArray> engineText = ToEngineText(word);
        if (engineText && AddWordToTrie(nodes, UpperCased(*engineText)))
            ++header.WordCount;
    }
    PutDictionary(bytes, headerPos, header, nodes);
    QLockFile lock(fileName + QStringLiteral(".lock"));
    if (!lock.tryLock(FLockTimeout) || !WriteDictionaryFile(fileName, bytes))
        return -1;
    const int identifier = OpenUserDictionary(fileName);
    return identifier > 0 ? identifier : -1;
}

TSpellEngine::TDictionary *TSpellEngine::UserDictionary(int identifier)
{
    if (identifier < 0)
        return nullptr;
    for (auto &dictionary : FDictionaries)
        if (dictionary->kind == 2 && dictionary->identifier == identifier)
            return dictionary.get();
    return nullptr;
}

bool TSpellEngine::AddUserWord(const QString &word, int identifier)
{
    const std::optional<QByteArray> engineText = ToEngineText(word);
    return engineText && AddUserWord(*engineText, identifier);
}

// The dictionary is changed under a lock file beside it: the file is read again (another
// process may have added words), the word is added to the nodes in memory, and the whole
// file is replaced in one step, so that a crash or a full disk leaves the old dictionary.
bool TSpellEngine::AddUserWord(const QByteArray &word, int identifier)
{
    TDictionary *dictionary = UserDictionary(identifier);
    const QByteArray upper = UpperCased(word);
    if (!dictionary || upper.isEmpty() || upper.size() > MaxUserWordLength)
        return false;
    QLockFile lock(dictionary->fileName + QStringLiteral(".lock"));
    if (!lock.tryLock(FLockTimeout))
        return false;
    QFile file(dictionary->fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    const qint64 headerPos = bytes.indexOf('\x1A') + 1;
    if (headerPos <= 0 || headerPos + HeaderSize > bytes.size())
        return false;
    TDictionaryHeader header = TDictionaryHeader::FromBytes(bytes.constData() + headerPos);
    if (header.MainFlag != 0 || !HeaderFits(header, headerPos, bytes.size()))
        return false;
    const qint64 nodesAt = headerPos + HeaderSize;
    TTrieNodes nodes(header.NodeCount);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto *at = reinterpret_cast<const uchar *>(bytes.constData()) + nodesAt + NodeSize * qint64(i);
        nodes[i].child = std::uint16_t(at[0] | at[1] << 8);
        nodes[i].flags = at[2];
    }
    if (!AddWordToTrie(nodes, upper))
        return false;
    ++header.WordCount;
    // The header goes back where it was found, saying so.
    header.HeaderOffset = std::uint32_t(headerPos);
    PutDictionary(bytes, headerPos, header, nodes);
    // Our own handle is let go first: some platforms refuse to replace an open file.
    dictionary->file.reset();
    const bool written = WriteDictionaryFile(dictionary->fileName, bytes);
    if (!ReopenUser(*dictionary))
        dictionary->open = false;
    return written;
}

bool TSpellEngine::IsWordKnown(const QString &word)
{
    const std::optional<QByteArray> engineText = ToEngineText(word);
    return engineText && IsWordKnown(*engineText);
}

bool TSpellEngine::IsWordKnown(const QByteArray &word)
{
    // Letter codes do not depend on case; a word's codes are worked out once for every
    // dictionary and every "'S" stripped.
    static const std::array<std::uint8_t, 256> codeOf = [] {
        std::array<std::uint8_t, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[std::size_t(c)] = CodeOfLetter(UpperCase(uchar(c)));
        return table;
    }();
    RefreshHeaders();
    std::uint8_t codes[MaxTrieDepth];
    qsizetype length = word.size();
    for (qsizetype i = 0; i < std::min<qsizetype>(length, MaxTrieDepth); ++i)
        codes[i] = codeOf[uchar(word[i])];
    for (;;) {
        if (length <= 1)
            return true;
        if (length <= MaxTrieDepth)
            for (auto &dictionary : FDictionaries)
                if (Contains(*dictionary, codes, length))
                    return true;
        if (word[length - 2] != '\'' || UpperCase(uchar(word[length - 1])) != 'S')
            return false;
        length -= 2;
    }
}

bool TSpellEngine::Contains(TDictionary &dictionary, const std::uint8_t *codes, qsizetype length)
{
    const std::uint32_t count = dictionary.header.NodeCount;
    // A mapped main file lies whole in memory (checked against the header when opened), so
    // its nodes are taken straight from the mapping.
    const uchar *nodes = dictionary.open && dictionary.file && dictionary.file->map
                             ? dictionary.file->map + dictionary.base
                             : nullptr;
    std::uint32_t group = 1;
    const qsizetype last = length - 1;
    for (qsizetype d = 0; d <= last; ++d) {
        const std::uint8_t code = codes[d];
        std::uint32_t next = 0;
        TTrieNode node;
        // A group holds each letter at most once, so a longer one is damaged.
        for (std::uint32_t index = group; index < group + AlphabetSize; ++index) {
            if (nodes && index <= count) {
                const uchar *at = nodes + NodeSize * std::size_t(index);
                node.child = std::uint16_t(at[0] | at[1] << 8);
                node.flags = at[2];
            } else if (!ReadNodeOf(dictionary, index, node)) {
                return false;
            }
            if ((node.flags & CodeBits) == code) {
                if (d == last) {
                    if (node.flags & WordEnds)
                        return true;
                } else if (node.child != 0 && node.child != FreeSlot) {
                    if (node.child > count)
                        return false;
                    next = node.child;
                    break;
                }
            }
            if (node.flags & LastSibling)
                return false;
        }
        if (next == 0)
            return false;
        group = next;
    }
    return false;
}

bool TSpellEngine::ReadNodeOf(TDictionary &dictionary, std::uint32_t index, TTrieNode &node)
{
    if (!dictionary.open || !dictionary.file || index < 1 || index > dictionary.header.NodeCount)
        return false;
    char bytes[NodeSize];
    if (auto *cache = dictionary.cache.get()) {
        const qint64 block = dictionary.base + qint64(NodeSize) * (index & ~7u);
        const std::size_t line = std::size_t((block / NodesPerLine) % CacheLines);
        if (cache->tag[line] != block) {
            cache->length[line] = std::uint8_t(dictionary.file->Read(block, cache->data[line].data(), LineBytes));
            cache->tag[line] = block;
        }
        const int at = NodeSize * int(index % NodesPerLine);
        if (at + NodeSize > cache->length[line])
            return false;
        std::memcpy(bytes, cache->data[line].data() + at, NodeSize);
    } else if (dictionary.file->Read(dictionary.base + qint64(NodeSize) * index, bytes, NodeSize) != NodeSize) {
        return false;
    }
    node.child = std::uint16_t(uchar(bytes[0]) | uchar(bytes[1]) << 8);
    node.flags = std::uint8_t(bytes[2]);
    return true;
}

void TSpellEngine::RefreshHeaders()
{
    for (auto &dictionary : FDictionaries) {
        if (dictionary->kind != 2)
            continue;
        // Another process replaces the whole file when it adds a word: read the new one.
        const QFileInfo info(dictionary->fileName);
        // A word added by another process changes neither size nor, within a millisecond,
        // the time; the replaced file is another file, though.
        if (info.exists()
            && (info.size() != dictionary->diskSize || info.lastModified() != dictionary->diskModified
                || FileIdentity(dictionary->fileName) != dictionary->diskIdentity)) {
            ReopenUser(*dictionary);
            continue;
        }
        if (!dictionary->file)
            continue;
        char bytes[HeaderSize];
        dictionary->file->size = dictionary->file->file.size();
        if (dictionary->file->Read(dictionary->headerPos, bytes, HeaderSize) != HeaderSize)
            continue;
        const TDictionaryHeader header = TDictionaryHeader::FromBytes(bytes);
        if (header.MainFlag == 0 && HeaderFits(header, dictionary->headerPos, dictionary->file->size))
            dictionary->header = header;
    }
}

void TSpellEngine::CloseDictionaries()
{
    // The shared handle of a main file closes with its last dictionary.
    FDictionaries.clear();
}

int TSpellEngine::DictionaryCount() const
{
    return int(FDictionaries.size());
}

std::uint32_t TSpellEngine::NodeCount(int dictionary) const
{
    if (dictionary < 0 || dictionary >= DictionaryCount())
        return 0;
    const TDictionary &d = *FDictionaries[std::size_t(dictionary)];
    return d.open ? d.header.NodeCount : 0;
}

bool TSpellEngine::ReadNode(int dictionary, std::uint32_t index, TTrieNode &node)
{
    if (dictionary < 0 || dictionary >= DictionaryCount())
        return false;
    return ReadNodeOf(*FDictionaries[std::size_t(dictionary)], index, node);
}

TDictionaryHeader TSpellEngine::Header(int dictionary) const
{
    if (dictionary < 0 || dictionary >= DictionaryCount())
        return {};
    return FDictionaries[std::size_t(dictionary)]->header;
}

const QStringList &TSpellEngine::SuggestCloseMatches(const QString &word, int maxCount)
{
    FResults = Spell::SuggestCloseMatches(*this, word, maxCount);
    return FResults;
}

const QStringList &TSpellEngine::SuggestPhonetic(const QString &word, int maxCount)
{
    FResults = Spell::SuggestPhonetic(*this, word, maxCount);
    return FResults;
}

} // namespace Spell
