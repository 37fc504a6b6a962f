#pragma once
// Character tables of the spelling engine. Inside the engine a word is a string of
// Windows-1252 bytes; words from the editor are converted at the boundary, and a word
// holding a character that Windows-1252 cannot hold is never known.
#include <QByteArray>
#include <QString>
#include <optional>

namespace Spell {

// Number of letters of the engine's alphabet; a letter code is 0..63 (6 bits).
constexpr int AlphabetSize = 64;

// Upper-case map: a-z, à-þ (not ÷ and ð), š, œ and ÿ to their capitals; other bytes stay.
unsigned char UpperCase(unsigned char c);
QByteArray UpperCased(const QByteArray &word);
// The alphabet's letter for a code (only bits 0-5 count, so a node's flag byte may be
// passed whole).
unsigned char LetterOfCode(unsigned char flags);
// The letter code of a byte: letters and their lower-case forms to 0..63, every other
// byte (digits, punctuation, space, ×, ÷) to 0, the code of A.
unsigned char CodeOfLetter(unsigned char c);

// Lower-case letters of the case pattern: a-z, š, œ, à-ÿ except ð and ÷.
bool IsLowerLetter(unsigned char c);
// Lower-cases A-Z, Š, Œ, Ÿ and À-Þ except Ð and ×; other bytes stay.
unsigned char LowerCase(unsigned char c);

// Editor text to engine bytes; nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> ToEngineText(const QString &word);
QString FromEngineText(const QByteArray &bytes);

} // namespace Spell
