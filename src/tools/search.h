#pragma once

#include <QString>
#include <QStringView>

// Find and replace over plain text, in 0-based character offsets.

struct TSearchOptions
{
    bool MatchCase = false;  // off: letters compare without regard to case
    bool WholeWord = false;  // on: no word character right before or after a match
};

// A letter, a digit or an underscore: what a whole-word match may not touch.
bool IsWordChar(QChar c);

// The offset of the first occurrence of findText lying wholly within [from, to) of text,
// or -1. The range is clamped to the text; an empty findText finds nothing.
int SearchText(QStringView text, QStringView findText, int from, int to, TSearchOptions options);

// Where a search begins for a selection starting at selStart: the character after it, so
// that a match at the caret or the match already selected is passed over.
int SearchStart(int selStart);

// Find Next: the first occurrence from SearchStart(selStart) to the end of the text, or -1.
// It never wraps round to the beginning.
int FindNextText(QStringView text, QStringView findText, int selStart, TSearchOptions options);

// Replace All as one change to a region of the text: [First, OldEnd) of the old text
// becomes NewRegion. Nothing changed when Count is 0.
struct TReplaceResult
{
    int Count = 0;
    int First = 0;       // offset of the first occurrence replaced
    int OldEnd = 0;      // end of the last occurrence replaced, in the old text
    QString NewRegion;   // the region after replacing
    int NewEnd() const { return First + int(NewRegion.size()); }  // after the last inserted text
};

// Replaces every occurrence from offset `from` on, left to right. Each search resumes right
// after the text just inserted, so a replacement that contains the find text is never searched
// again and the loop always ends. Whole-word tests look at the text as it stands after the
// earlier replacements. An empty findText replaces nothing.
TReplaceResult ReplaceAllFrom(QStringView text, QStringView findText, QStringView replaceText,
                              int from, TSearchOptions options);
