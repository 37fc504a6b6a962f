#include "platform/codepage.h"

namespace {

// Windows-1252 bytes 0x80-0x9F; the five unassigned bytes map to the C1 control of the same
// value so that they come back unchanged when saved.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};


} // namespace

bool IsValidUtf8(const QByteArray &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
        else return false;
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

QString DecodeWindows1252(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(Cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

bool EncodeWindows1252(const QString &text, QByteArray &out)
{
    out.resize(text.size());
    char *d = out.data();
    const QChar *s = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            d[i] = char(u);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k)
            if (Cp1252High[k] == u) {
                found = k;
                break;
            }
        if (found < 0)
            return false;
        d[i] = char(0x80 + found);
    }
    return true;
}

QString DecodeUtf8Or1252(const QByteArray &bytes)
{
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : DecodeWindows1252(bytes.constData(), bytes.size());
}
