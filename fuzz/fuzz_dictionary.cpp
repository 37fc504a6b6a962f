// Opens arbitrary bytes as a main dictionary file and looks up words made from the input:
// the reader must refuse or answer, never read outside the file or walk without end, and
// the suggestion walks must end over any trie.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "spelling/dictengine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.dct"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return 0;
    }
    Spell::TSpellEngine engine;
    if (!engine.OpenMainDictionary(path))
        return 0;
    (void)engine.IsWordKnown(QByteArray("HOUSE'S"));
    // Words cut from the input's tail, so the fuzzer can steer them along its tries.
    for (qsizetype length = 2; length <= 40 && length <= bytes.size(); length += 7)
        (void)engine.IsWordKnown(bytes.right(length));
    // The suggestion walks over whatever tries the file holds end, whatever they hold.
    const QString tail = QString::fromLatin1(bytes.right(std::min<qsizetype>(12, bytes.size())));
    (void)engine.SuggestCloseMatches(tail, 10);
    (void)engine.SuggestPhonetic(tail, 3);
    // Every node the engine offers can be read.
    for (int d = 0; d < engine.DictionaryCount(); ++d) {
        Spell::TTrieNode node;
        const std::uint32_t count = engine.NodeCount(d);
        for (std::uint32_t i = 1; i <= count && i <= 4096; ++i)
            if (!engine.ReadNode(d, i, node))
                __builtin_trap(); // a node inside the count must be readable
    }
    return 0;
}
