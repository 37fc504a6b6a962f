#include "spelling/lettertosound.h"

#include "spelling/charmaps.h"

#include <array>
#include <cstring>

namespace Spell {
namespace {

// English letter-to-sound rules of the kind published by the Naval Research Laboratory in
// 1976. A space in Output marks a pause. Context patterns: # one or more vowels, : zero or
// more non-vowels, ^ one non-vowel, . a voiced consonant (B D G J L M N R V W Z), + a front
// vowel (E I Y), % a suffix (ER ES ED ING ELY E; right context only).
constexpr TSoundRule Rules[] = {
    // punctuation
    {"", " ", "", " "},
    {"", "-", "", ""},
    {".", "'S", "", "z"},
    {"#:.E", "'S", "", "z"},
    {"#", "'S", "", "z"},
    {"", "'", "", ""},
    {"", ",", "", " "},
    {"", ".", "", " "},
    {"", "?", "", " "},
    {"", "!", "", " "},
    {"", "", "", ""},
    // A
    {"", "A", " ", "AX"},
    {"", "AE", " ", "AE"},
    {"", "A", "E", ""},
    {" ", "ARE", " ", "AAr"},
    {" ", "AR", "O", "AXr"},
    {"", "AR", "#", "EHr"},
    {"^", "AS", "#", "EYs"},
    {"", "A", "WA", "AX"},
    {"", "AW", "", "AO"},
    {" :", "ANY", "", "EHnIY"},
    {"", "A", "^+#", "EY"},
    {"#:", "ALLY", "", "AXlIY"},
    {" ", "AL", "#", "AXl"},
    {"", "AGAIN", "", "AXgEHn"},
    {"#:", "AG", "E", "IHj"},
    {"", "A", "^+:#", "AE"},
    {" :", "A", "^+ ", "EY"},
    {"", "A", "^%", "EY"},
    {" ", "ARR", "", "AXr"},
    {"", "ARR", "", "AEr"},
    {" :", "AR", " ", "AAr"},
    {"", "AR", " ", "ER"},
    {"", "AR", "", "AAr"},
    {"", "AIR", "", "EHr"},
    {"", "AI", "", "EY"},
    {"", "AY", "", "EY"},
    {"", "AU", "", "AO"},
    {"#:", "AL", " ", "AXl"},
    {"#:", "ALS", " ", "AXlz"},
    {"", "ALK", "", "AOk"},
    {"", "AL", "^", "AOl"},
    {" :", "ABLE", "", "EYbAXl"},
    {"", "ABLE", "", "AXbAXl"},
    {"", "ANG", "+", "EYnj"},
    {"", "A", "", "AE"},
    {"", "", "", ""},
    // B
    {" ", "BE", "^#", "bIH"},
    {" ", "BOTH", " ", "bOWTH"},
    {" ", "BUS", "#", "bIHz"},
    {"", "BUIL", "", "bIHl"},
    {"", "B", "", "b"},
    {"", "", "", ""},
    // C
    {" ", "CH", "^", "k"},
    {"^E", "CH", "", "k"},
    {"", "CH", "", "CH"},
    {" S", "CI", "#", "sAY"},
    {"", "CI", "A", "SH"},
    {"", "CI", "O", "SH"},
    {"", "CI", "EN", "SH"},
    {"", "C", "+", "s"},
    {"", "CK", "", "k"},
    {"", "COM", "%", "kAHm"},
    {"", "C", "", "k"},
    {"", "", "", ""},
    // D
    {"#:", "DED", " ", "dIHd"},
    {".E", "D", " ", "d"},
    {"#:^E", "D", " ", "t"},
    {" ", "DE", "^#", "dIH"},
    {" ", "DO", " ", "dUW"},
    {" ", "DOES", "", "dAHz"},
    {" ", "DOW", "", "dAW"},
    {"", "DU", "A", "jUW"},
    {"", "D", "", "d"},
    {"", "", "", ""},
    // E
    {"#:", "E", " ", ""},
    {"':^", "E", " ", ""},
    {" :", "E", " ", "IY"},
    {"#", "ED", " ", "d"},
    {"#:", "E", "D ", ""},
    {"", "EV", "ER", "EHv"},
    {"", "E", "^%", "IY"},
    {"", "ERI", "#", "IYrIY"},
    {"", "ERI", "", "EHrIH"},
    {"#:", "ER", "#", "ER"},
    {"", "ER", "#", "EHr"},
    {"", "ER", "", "ER"},
    {" ", "EVEN", "", "IYvEHn"},
    {"#:", "E", "W", ""},
    {"T", "EW", "", "UW"},
    {"S", "EW", "", "UW"},
    {"R", "EW", "", "UW"},
    {"D", "EW", "", "UW"},
    {"L", "EW", "", "UW"},
    {"Z", "EW", "", "UW"},
    {"N", "EW", "", "UW"},
    {"J", "EW", "", "UW"},
    {"TH", "EW", "", "UW"},
    {"CH", "EW", "", "UW"},
    {"SH", "EW", "", "UW"},
    {"", "EW", "", "yUW"},
    {"", "E", "O", "IY"},
    {"#:S", "ES", " ", "IHz"},
    {"#:C", "ES", " ", "IHz"},
    {"#:G", "ES", " ", "IHz"},
    {"#:Z", "ES", " ", "IHz"},
    {"#:X", "ES", " ", "IHz"},
    {"#:J", "ES", " ", "IHz"},
    {"#:CH", "ES", " ", "IHz"},
    {"#:SH", "ES", " ", "IHz"},
    {"#:", "E", "S ", ""},
    {"#:", "ELY", " ", "lIY"},
    {"#:", "EMENT", "", "mEHnt"},
    {"", "EFUL", "", "fUHl"},
    {"", "EE", "", "IY"},
    {"", "EARN", "", "ERn"},
    {" ", "EAR", "^", "ER"},
    {"", "EAD", "", "EHd"},
    {"#:", "EA", " ", "IYAX"},
    {"", "EA", "SU", "EH"},
    {"", "EA", "", "IY"},
    {"", "EIGH", "", "EY"},
    {"", "EI", "", "IY"},
    {" ", "EYE", "", "AY"},
    {"", "EY", "", "IY"},
    {"", "EU", "", "yUW"},
    {"", "E", "", "EH"},
    {"", "", "", ""},
    // F
    {"", "FUL", "", "fUHl"},
    {"", "F", "", "f"},
    {"", "", "", ""},
    // G
    {"", "GIV", "", "gIHv"},
    {" ", "G", "I^", "g"},
    {"", "GE", "T", "gEH"},
    {"SU", "GGES", "", "gjEHs"},
    {"", "GG", "", "g"},
    {" B#", "G", "", "g"},
    {"", "G", "+", "j"},
    {"", "GREAT", "", "grEYt"},
    {"#", "GH", "", ""},
    {"", "G", "", "g"},
    {"", "", "", ""},
    // H
    {" ", "HAV", "", "hAEv"},
    {" ", "HERE", "", "hIYr"},
    {" ", "HOUR", "", "AWER"},
    {"", "HOW", "", "hAW"},
    {"", "H", "#", "h"},
    {"", "H", "", ""},
    {"", "", "", ""},
    // I
    {" ", "IN", "", "IHn"},
    {" ", "I", " ", "AY"},
    {"", "IN", "D", "AYn"},
    {"", "IER", "", "IYER"},
    {"#:R", "IED", "", "IYd"},
    {"", "IED", " ", "AYd"},
    {"", "IEN", "", "IYEHn"},
    {"", "IE", "T", "AYEH"},
    {" :", "I", "%", "AY"},
    {"", "I", "%", "IY"},
    {"", "IE", "", "IY"},
    {"", "I", "^+:#", "IH"},
    {"", "IR", "#", "AYr"},
    {"", "IZ", "%", "AYz"},
    {"", "IS", "%", "AYz"},
    {"", "I", "D%", "AY"},
    {"+^", "I", "^+", "IH"},
    {"", "I", "T%", "AY"},
    {"#:^", "I", "^+", "IH"},
    {"", "I", "^+", "AY"},
    {"", "IR", "", "ER"},
    {"", "IGH", "", "AY"},
    {"", "ILD", "", "AYld"},
    {"", "IGN", " ", "AYn"},
    {"", "IGN", "^", "AYn"},
    {"", "IGN", "%", "AYn"},
    {"", "IQUE", "", "IYk"},
    {"", "I", "", "IH"},
    {"", "", "", ""},
    // J
    {"", "J", "", "j"},
    {"", "", "", ""},
    // K
    {" ", "K", "N", ""},
    {"", "K", "", "k"},
    {"", "", "", ""},
    // L
    {"", "LO", "C#", "lOW"},
    {"L", "L", "", ""},
    {"#:^", "L", "%", "AXl"},
    {"", "LEAD", "", "lIYd"},
    {"", "L", "", "l"},
    {"", "", "", ""},
    // M
    {"", "MOV", "", "mUWv"},
    {"", "M", "", "m"},
    {"", "", "", ""},
    // N
    {"E", "NG", "+", "nj"},
    {"", "NG", "R", "NGg"},
    {"", "NG", "#", "NGg"},
    {"", "NGL", "%", "NGgAXl"},
    {"", "NG", "", "NG"},
    {"", "NK", "", "NGk"},
    {" ", "NOW", " ", "nAW"},
    {"", "N", "", "n"},
    {"", "", "", ""},
    // O
    {"", "OF", " ", "AXv"},
    {"", "OROUGH", "", "EROW"},
    {"#:", "OR", " ", "ER"},
    {"#:", "ORS", " ", "ERz"},
    {"", "OR", "", "AOr"},
    {" ", "ONE", "", "wAHn"},
    {"", "OW", "", "OW"},
    {" ", "OVER", "", "OWvER"},
    {"", "OV", "", "AHv"},
    {"", "O", "^%", "OW"},
    {"", "O", "^EN", "OW"},
    {"", "O", "^I#", "OW"},
    {"", "OL", "D", "OWl"},
    {"", "OUGHT", "", "AOt"},
    {"", "OUGH", "", "AHf"},
    {" ", "OU", "", "AW"},
    {"H", "OU", "S#", "AW"},
    {"", "OUS", "", "AXs"},
    {"", "OUR", "", "AOr"},
    {"", "OULD", "", "UHd"},
    {"^", "OU", "^L", "AH"},
    {"", "OUP", "", "UWp"},
    {"", "OU", "", "AW"},
    {"", "OY", "", "OY"},
    {"", "OING", "", "OWIHNG"},
    {"", "OI", "", "OY"},
    {"", "OOR", "", "AOr"},
    {"", "OOK", "", "UHk"},
    {"", "OOD", "", "UHd"},
    {"", "OO", "", "UW"},
    {"", "O", "E", "OW"},
    {"", "O", " ", "OW"},
    {"", "OA", "", "OW"},
    {" ", "ONLY", "", "OWnlIY"},
    {" ", "ONCE", "", "wAHns"},
    {"", "ON'T", "", "OWnt"},
    {"C", "O", "N", "AA"},
    {"", "O", "NG", "AO"},
    {" :^", "O", "N", "AH"},
    {"I", "ON", "", "AXn"},
    {"#:", "ON", " ", "AXn"},
    {"#^", "ON", "", "AXn"},
    {"", "O", "ST ", "OW"},
    {"", "OF", "^", "AOf"},
    {"", "OTHER", "", "AHDHER"},
    {"", "OSS", " ", "AOs"},
    {"#:^", "OM", "", "AHm"},
    {"", "O", "", "AA"},
    {"", "", "", ""},
    // P
    {"", "PH", "", "f"},
    {"", "PEOP", "", "pIYp"},
    {"", "POW", "", "pAW"},
    {"", "PUT", " ", "pUHt"},
    {"", "P", "", "p"},
    {"", "", "", ""},
    // Q
    {"", "QUAR", "", "kwAOr"},
    {"", "QU", "", "kw"},
    {"", "Q", "", "k"},
    {"", "", "", ""},
    // R
    {" ", "RE", "^#", "rIY"},
    {"", "R", "", "r"},
    {"", "", "", ""},
    // S
    {"", "SH", "", "SH"},
    {"#", "SION", "", "ZHAXn"},
    {"", "SOME", "", "sAHm"},
    {"#", "SUR", "#", "ZHER"},
    {"", "SUR", "#", "SHER"},
    {"#", "SU", "#", "ZHUW"},
    {"#", "SSU", "#", "SHUW"},
    {"#", "SED", " ", "zd"},
    {"#", "S", "#", "z"},
    {"", "SAID", "", "sEHd"},
    {"^", "SION", "", "SHAXn"},
    {"", "S", "S", ""},
    {".", "S", " ", "z"},
    {"#:.E", "S", " ", "z"},
    {"#:^##", "S", " ", "z"},
    {"#:^#", "S", " ", "s"},
    {"U", "S", " ", "s"},
    {" :#", "S", " ", "z"},
    {" ", "SCH", "", "sk"},
    {"", "S", "C+", ""},
    {"#", "SM", "", "zm"},
    {"#", "SN", "'", "zAXn"},
    {"", "S", "", "s"},
    {"", "", "", ""},
    // T
    {" ", "THE", " ", "DHAX"},
    {"", "TO", " ", "tUW"},
    {"", "THAT", " ", "DHAEt"},
    {" ", "THIS", " ", "DHIHs"},
    {" ", "THEY", "", "DHEY"},
    {" ", "THERE", "", "DHEHr"},
    {"", "THER", "", "DHER"},
    {"", "THEIR", "", "DHEHr"},
    {" ", "THAN", " ", "DHAEn"},
    {" ", "THEM", " ", "DHEHm"},
    {"", "THESE", " ", "DHIYz"},
    {" ", "THEN", "", "DHEHn"},
    {"", "THOSE", "", "DHOWz"},
    {"", "THOUGH", " ", "DHOW"},
    {" ", "THUS", "", "DHAHs"},
    {"", "TH", "", "TH"},
    {"#:", "TED", " ", "tIHd"},
    {"S", "TI", "#N", "CH"},
    {"", "TI", "O", "SH"},
    {"", "TI", "A", "SH"},
    {"", "TIEN", "", "SHAXn"},
    {"", "TUR", "#", "CHER"},
    {"", "TU", "A", "CHUW"},
    {" ", "TWO", "", "tUW"},
    {"", "T", "", "t"},
    {"", "", "", ""},
    // U
    {" ", "UN", "I", "yUWn"},
    {" ", "UN", "", "AHn"},
    {" ", "UPON", "", "AXpAOn"},
    {"T", "UR", "#", "UHr"},
    {"S", "UR", "#", "UHr"},
    {"R", "UR", "#", "UHr"},
    {"D", "UR", "#", "UHr"},
    {"L", "UR", "#", "UHr"},
    {"Z", "UR", "#", "UHr"},
    {"N", "UR", "#", "UHr"},
    {"J", "UR", "#", "UHr"},
    {"TH", "UR", "#", "UHr"},
    {"CH", "UR", "#", "UHr"},
    {"SH", "UR", "#", "UHr"},
    {"", "UR", "#", "yUHr"},
    {"", "UR", "", "ER"},
    {"", "U", "^ ", "AH"},
    {"", "U", "^^", "AH"},
    {"", "UY", "", "AY"},
    {" G", "U", "#", ""},
    {"G", "U", "%", ""},
    {"G", "U", "#", "w"},
    {"#N", "U", "", "yUW"},
    {"T", "U", "", "UW"},
    {"S", "U", "", "UW"},
    {"R", "U", "", "UW"},
    {"D", "U", "", "UW"},
    {"L", "U", "", "UW"},
    {"Z", "U", "", "UW"},
    {"N", "U", "", "UW"},
    {"J", "U", "", "UW"},
    {"TH", "U", "", "UW"},
    {"CH", "U", "", "UW"},
    {"SH", "U", "", "UW"},
    {"", "U", "", "yUW"},
    {"", "", "", ""},
    // V
    {"", "VIEW", "", "vyUW"},
    {"", "V", "", "v"},
    {"", "", "", ""},
    // W
    {" ", "WERE", "", "wER"},
    {"", "WA", "S", "wAA"},
    {"", "WA", "T", "wAA"},
    {"", "WHERE", "", "WHEHr"},
    {"", "WHAT", "", "WHAAt"},
    {"", "WHOL", "", "hOWl"},
    {"", "WHO", "", "hUW"},
    {"", "WH", "", "WH"},
    {"", "WAR", "", "wAOr"},
    {"", "WOR", "^", "wER"},
    {"", "WR", "", "r"},
    {"", "W", "", "w"},
    {"", "", "", ""},
    // X
    {"", "X", "", "ks"},
    {"", "", "", ""},
    // Y
    {"", "YOUNG", "", "yAHNG"},
    {" ", "YOU", "", "yUW"},
    {" ", "YES", "", "yEHs"},
    {" ", "Y", "", "y"},
    {"#:^", "Y", " ", "IY"},
    {"#:^", "Y", "I", "IY"},
    {" :", "Y", " ", "AY"},
    {" :", "Y", "#", "AY"},
    {" :", "Y", "^+:#", "IH"},
    {" :", "Y", "^#", "AY"},
    {"", "Y", "", "IH"},
    {"", "", "", ""},
    // Z
    {"", "Z", "", "z"},
    {"", "", "", ""},
};
static_assert(sizeof(Rules) / sizeof(Rules[0]) == SoundRuleSlots);

constexpr int Boundary = -1; // any position outside the text

struct TTables {
    std::array<unsigned char, 256> fold{};
    std::array<short, 26> first{};
    // Lengths of each rule's strings, so the transcription does not measure them again.
    std::array<std::array<unsigned char, 4>, SoundRuleSlots> lengths{};

    TTables()
    {
        for (int c = 0; c < 256; ++c)
            fold[c] = static_cast<unsigned char>(c);
        auto set = [this](int from, int to, char value) {
            for (int c = from; c <= to; ++c)
                fold[c] = static_cast<unsigned char>(value);
        };
        set('0', '0', 'O');
        set('1', '1', 'I');
        set('7', '7', 'I');
        set('2', '2', 'L');
        set('3', '4', 'G');
        set('9', '9', 'G');
        set('5', '5', 'S');
        set('6', '6', 'B');
        set('8', '8', 'B');
        set(0x8A, 0x8A, 'S'); set(0x9A, 0x9A, 'S');
        set(0x8C, 0x8C, 'C'); set(0x9C, 0x9C, 'C');
        set(0x9F, 0x9F, 'Y');
        set(0xC0, 0xC6, 'A'); set(0xE0, 0xE6, 'A');
        set(0xC7, 0xC7, 'C'); set(0xE7, 0xE7, 'C');
        set(0xC8, 0xCB, 'E'); set(0xE8, 0xEB, 'E');
        set(0xCC, 0xCF, 'I'); set(0xEC, 0xEF, 'I');
        set(0xD0, 0xD0, 'D');
        set(0xD1, 0xD1, 'N'); set(0xF1, 0xF1, 'N');
        set(0xD2, 0xD6, 'O'); set(0xD8, 0xD8, 'O'); set(0xF0, 0xF0, 'O');
        set(0xF2, 0xF6, 'O'); set(0xF8, 0xF8, 'O');
        set(0xD9, 0xDC, 'U'); set(0xF9, 0xFC, 'U');
        set(0xDD, 0xDD, 'Y'); set(0xFD, 0xFD, 'Y'); set(0xFF, 0xFF, 'Y');
        set(0xDE, 0xDE, 'P'); set(0xFE, 0xFE, 'P');
        set(0xDF, 0xDF, 'B');

        for (int slot = 0; slot < SoundRuleSlots; ++slot) {
            const TSoundRule &r = Rules[slot];
            lengths[slot] = {static_cast<unsigned char>(std::strlen(r.Left)), static_cast<unsigned char>(std::strlen(r.Match)),
                             static_cast<unsigned char>(std::strlen(r.Right)), static_cast<unsigned char>(std::strlen(r.Output))};
        }
        first.fill(0);
        for (int letter = 0; letter < 26; ++letter)
            for (int slot = 0; slot < SoundRuleSlots; ++slot)
                if (static_cast<unsigned char>(Rules[slot].Match[0]) == 'A' + letter) {
                    first[letter] = static_cast<short>(slot);
                    break;
                }
    }
};

const TTables &Tables()
{
    static const TTables tables;
    return tables;
}

bool IsVowel(int c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }
bool IsVoiced(int c) { return c > 0 && std::strchr("BDGJLMNRVWZ", c) != nullptr; }
bool IsFront(int c) { return c == 'E' || c == 'I' || c == 'Y'; }

// The text being transcribed, with the boundary outside it.
struct TText {
    const unsigned char *chars;
    int length;
    int At(int pos) const { return pos >= 0 && pos < length ? chars[pos] : Boundary; }
    bool HasAt(int pos, const char *s, int n) const
    {
        if (pos < 0 || pos + n > length)
            return false;
        for (int i = 0; i < n; ++i)
            if (chars[pos + i] != static_cast<unsigned char>(s[i]))
                return false;
        return true;
    }
};

// One pattern character at `pos`, moving by `step`; false when it does not match.
bool MatchOne(const TText &t, char pattern, int &pos, int step)
{
    const int c = t.At(pos);
    switch (pattern) {
    case '#':
        if (!IsVowel(c))
            return false;
        while (IsVowel(t.At(pos)))
            pos += step;
        return true;
    case ':':
        while (t.At(pos) != Boundary && !IsVowel(t.At(pos)))
            pos += step;
        return true;
    case '^':
        if (IsVowel(c))
            return false;
        break;
    case '.':
        if (!IsVoiced(c))
            return false;
        break;
    case '+':
        if (!IsFront(c))
            return false;
        break;
    case ' ':
    case '\\':
        if (c != pattern)
            return false;
        break;
    default:
        if (pattern < 'A' || pattern > 'Z' || c != pattern)
            return false;
    }
    pos += step;
    return true;
}

bool LeftMatches(const TText &t, const char *pattern, int length, int pos)
{
    for (int k = length - 1; k >= 0; --k)
        if (!MatchOne(t, pattern[k], pos, -1))
            return false;
    return true;
}

bool RightMatches(const TText &t, const char *pattern, int pos)
{
    for (; *pattern; ++pattern) {
        if (*pattern != '%') {
            if (!MatchOne(t, *pattern, pos, +1))
                return false;
            continue;
        }
        bool found = false;
        static constexpr struct {
            const char *text;
            int length;
        } Endings[] = {{"ER", 2}, {"ES", 2}, {"ED", 2}, {"ING", 3}, {"ELY", 3}, {"E", 1}};
        for (const auto &ending : Endings) {
            if (t.HasAt(pos, ending.text, ending.length)) {
                pos += ending.length;
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

} // namespace

const TSoundRule *SoundRules() { return Rules; }

int FirstSoundRule(unsigned char letter)
{
    return letter >= 'A' && letter <= 'Z' ? Tables().first[letter - 'A'] : 0;
}

int TranscribeInto(const unsigned char *text, int length, unsigned char *out)
{
    // Upper-cased and folded, with one space after it; longer input could add nothing to a
    // transcription that is already full.
    unsigned char buffer[256];
    const TTables &tables = Tables();
    const int n = length < 254 ? length : 254;
    for (int i = 0; i < n; ++i)
        buffer[i] = tables.fold[UpperCase(text[i])];
    buffer[n] = ' ';
    const TText t{buffer, n + 1};

    int written = 0;
    int p = 0;
    while (p < t.length && written < MaxTranscription) {
        const unsigned char c = buffer[p];
        int slot = c >= 'A' && c <= 'Z' ? tables.first[c - 'A'] : 0;
        for (;; ++slot) {
            const TSoundRule &rule = Rules[slot];
            const auto &lengths = tables.lengths[slot];
            const int m = lengths[1];
            if (m == 0) { // the group's closing slot: nothing to say for this character
                ++p;
                break;
            }
            if (!t.HasAt(p, rule.Match, m) || !LeftMatches(t, rule.Left, lengths[0], p - 1)
                || !RightMatches(t, rule.Right, p + m))
                continue;
            for (int i = 0; i < lengths[3] && written < MaxTranscription; ++i)
                out[written++] = static_cast<unsigned char>(rule.Output[i]);
            p += m;
            break;
        }
    }
    return written;
}

QByteArray Transcribe(const QByteArray &word)
{
    unsigned char out[MaxTranscription];
    const int n = TranscribeInto(reinterpret_cast<const unsigned char *>(word.constData()),
                                 static_cast<int>(word.size()), out);
    return QByteArray(reinterpret_cast<const char *>(out), n);
}

} // namespace Spell
