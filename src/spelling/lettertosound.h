#pragma once
// English letter-to-sound rules: the transcription the phonetic suggestions compare, and the
// rule table it reads.
#include <QByteArray>

namespace Spell {

// One rule: when the text holds Match between a Left and a Right context, write Output.
// A slot with an empty match closes its group.
struct TSoundRule {
    const char *Left;
    const char *Match;
    const char *Right;
    const char *Output;
};

// The punctuation group, then one group per letter A-Z, each closed by an empty slot.
constexpr int SoundRuleSlots = 381;
const TSoundRule *SoundRules();
// The first slot of the group for a letter A-Z (0-based).
int FirstSoundRule(unsigned char letter);

// A transcription is stored in at most this many characters.
constexpr int MaxTranscription = 30;

// Transcribes Windows-1252 text into `out` (room for MaxTranscription bytes); returns its length.
int TranscribeInto(const unsigned char *text, int length, unsigned char *out);
QByteArray Transcribe(const QByteArray &word);

} // namespace Spell
