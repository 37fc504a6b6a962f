#pragma once

#include <QString>

// Text transformations behind the editor's commands, on plain strings.

struct TReplaceAllResult
{
    QString Text;     // the whole text after replacing
    int Count = 0;
    int First = -1;   // where the first match was (old and new text agree up to here)
    int OldEnd = -1;  // end of the last match in the old text
    int NewEnd = -1;  // end of its replacement in the new text
};

// Replaces every occurrence from the start on, left to right, continuing after each
// inserted replacement. An empty find text replaces nothing.
TReplaceAllResult ReplaceAllText(const QString &text, const QString &find, const QString &replace,
                                 bool matchCase);

// Removes tags from the text: while the first "<" comes no later than the first ">", the
// text from that "<" through that ">" goes. A ">" before the next "<" ends the stripping.
QString StripTagsText(const QString &text);

// Where stripping a selection really begins: when the first ">" comes before the first "<"
// (or there is a "<" and no ">"), at that "<"; otherwise at 0.
int StripTagsStart(const QString &text);

// One tab before each line; each line that begins with a tab loses that tab.
QString IndentText(const QString &lines);
QString UnindentText(const QString &lines);
