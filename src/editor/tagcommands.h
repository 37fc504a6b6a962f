#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// The text work behind the tag commands that need no dialog.

// Letters a-z to upper case, or A-Z to lower case; everything else stays.
QString UppercaseAZ(const QString &text);
QString LowercaseAZ(const QString &text);

// What "Strip Outermost Tags" leaves of a selected text: everything up to and including
// the first ">" goes, and from the end the last tag and what follows it. Nothing when the
// text has no tag to strip.
std::optional<QString> StripOutermostText(const QString &text);

// The four texts a conversion of lines uses, already in the tag case they are written in.
struct TLineBlockTexts
{
    QString BlockStart, BlockEnd, LinePrefix, LineSuffix;
};
enum TLineConversion { lcOrderedList, lcUnorderedList, lcTableRows, lcTableColumns };
// Raw texts (upper case) of a conversion; pass each through the tag case before use.
TLineBlockTexts LineConversionTexts(TLineConversion conversion);
// Each line becomes one item: a tab, the prefix, the line, the suffix, CR LF; the block
// start and end stand on lines of their own.
QString ConvertLinesText(const QStringList &lines, const TLineBlockTexts &texts);

// The line Go to Line moves to (0-based), or -1 to stay: the answer counts from 1, a
// non-number counts as 1, 0 means the caret's own line, anything outside the document stays.
int GoToLineTarget(const QString &answer, int lineCount, int caretLine);
QString GoToLinePrompt(int lineCount);


// The captions of the four Insert Datetime items, in menu order: short date, long date,
// short date with long time, long date with long time (the time without its zone).
QStringList DatetimeCaptions(const QDateTime &when, const QLocale &locale = QLocale());
