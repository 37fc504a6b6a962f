// Feeds arbitrary file heads to the title reader, and arbitrary text to the quoted-value
// collector and the fragment remover that work on the same kind of file text.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "common/filetext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const QString title = TitleFromBytes(bytes);
    if (title.size() > TitleHeadSize)
        __builtin_trap(); // a title comes from the head alone
    const QString text = QString::fromLatin1(bytes);
    (void)QuotedValuesFromText(QStringLiteral("HREF=\""), text, size % 2 == 0);
    // The first byte gives the length of the fragment that follows it; the rest is the
    // text it is removed from.
    if (size > 1) {
        const qsizetype fragmentLength = std::min<qsizetype>(data[0] % 3 + 1, qsizetype(size) - 1);
        const QString fragment = QString::fromLatin1(bytes.sliced(1, fragmentLength));
        const QString rest = QString::fromLatin1(bytes.sliced(1 + fragmentLength));
        if (RemoveAllOccurrences(rest, fragment).contains(fragment, Qt::CaseInsensitive))
            __builtin_trap(); // nothing of the fragment may be left
    }
    return 0;
}
