#include "spelling/charmaps.h"

#include "common/textfile.h"

#include <array>

namespace Spell {
namespace {

struct TTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> code{};
    std::array<unsigned char, 64> alphabet{};

    TTables()
    {
        for (int c = 0; c < 256; ++c) {
            upper[c] = static_cast<unsigned char>(c);
            lower[c] = static_cast<unsigned char>(c);
        }
        for (int c = 'a'; c <= 'z'; ++c)
            upper[c] = static_cast<unsigned char>(c - 0x20);
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7 && c != 0xF0)
                upper[c] = static_cast<unsigned char>(c - 0x20);
        upper[0x9A] = 0x8A;
        upper[0x9C] = 0x8C;
        upper[0xFF] = 0x9F;

        for (int c = 'A'; c <= 'Z'; ++c)
            lower[c] = static_cast<unsigned char>(c + 0x20);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD0 && c != 0xD7)
                lower[c] = static_cast<unsigned char>(c + 0x20);
        lower[0x8A] = 0x9A;
        lower[0x8C] = 0x9C;
        lower[0x9F] = 0xFF;

        // The alphabet: A-Z, apostrophe, hyphen, Š, Œ, Ÿ, À-Ö, Ø-ß, ð, back-quote.
        int n = 0;
        for (int c = 'A'; c <= 'Z'; ++c)
            alphabet[n++] = static_cast<unsigned char>(c);
        for (unsigned char c : {'\'', '-', '\x8A', '\x8C', '\x9F'})
            alphabet[n++] = c;
        for (int c = 0xC0; c <= 0xD6; ++c)
            alphabet[n++] = static_cast<unsigned char>(c);
        for (int c = 0xD8; c <= 0xDF; ++c)
            alphabet[n++] = static_cast<unsigned char>(c);
        alphabet[n++] = 0xF0;
        alphabet[n++] = '`';

        for (int i = 0; i < AlphabetSize; ++i)
            code[alphabet[i]] = static_cast<unsigned char>(i);
        for (int c = 'a'; c <= 'z'; ++c)
            code[c] = static_cast<unsigned char>(c - 'a');
        for (int c = 0xE0; c <= 0xEF; ++c) // à-ï
            code[c] = static_cast<unsigned char>(31 + c - 0xE0);
        code[0xF1] = 48; // ñ
        for (int c = 0xF2; c <= 0xF6; ++c) // ò-ö
            code[c] = static_cast<unsigned char>(49 + c - 0xF2);
        code[0xF8] = 54; // ø
        for (int c = 0xF9; c <= 0xFC; ++c) // ù-ü
            code[c] = static_cast<unsigned char>(55 + c - 0xF9);
        code[0xFD] = 59; // ý
        code[0xFE] = 60; // þ
        code[0xFF] = 30; // ÿ
        code[0x9A] = 28; // š
        code[0x9C] = 29; // œ
    }
};

const TTables &Tables()
{
    static const TTables tables;
    return tables;
}

} // namespace

unsigned char UpperCase(unsigned char c) { return Tables().upper[c]; }
unsigned char LowerCase(unsigned char c) { return Tables().lower[c]; }
unsigned char LetterOfCode(unsigned char flags) { return Tables().alphabet[flags & 0x3F]; }
unsigned char CodeOfLetter(unsigned char c) { return Tables().code[c]; }

QByteArray UpperCased(const QByteArray &word)
{
    QByteArray out(word);
    for (char &c : out)
        c = static_cast<char>(UpperCase(static_cast<unsigned char>(c)));
    return out;
}

bool IsLowerLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || c == 0x9A || c == 0x9C || (c >= 0xE0 && c != 0xF0 && c != 0xF7);
}

std::optional<QByteArray> ToEngineText(const QString &word)
{
    QByteArray out;
    if (!EncodeWindows1252(word, out))
        return std::nullopt;
    return out;
}

QString FromEngineText(const QByteArray &bytes)
{
    return DecodeWindows1252(bytes.constData(), bytes.size());
}

} // namespace Spell
