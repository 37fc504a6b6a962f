#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Values read out of a file's text. Every reader gives its neutral value for a missing
// or unreadable file instead of failing. File bytes are taken as UTF-8 when they are
// valid UTF-8 and as Windows-1252 otherwise.

// The whole file with its line ends dropped (lines joined without a separator); empty
// when the file does not exist.
QString ReadFileAsOneLine(const QString &fileName);

// The text between <TITLE> and </TITLE> (found without regard to case) within the first
// 512 bytes; "[Untitled]" when there is none, "Err" when the file cannot be opened.
QString DocumentTitle(const QString &fileName);
// The same over the head of a file: bytes after the first 512, or after a zero byte,
// are not looked at.
QString TitleFromBytes(QByteArrayView head);
constexpr qsizetype TitleHeadSize = 512;

// Every value that follows prefix (found without regard to case) up to the next double
// quote, e.g. prefix HREF=" collects the link targets. Sorted without regard to case;
// with dropDuplicates a value is kept once (again without regard to case).
QStringList CollectQuotedValues(const QString &prefix, const QString &fileName, bool dropDuplicates);
QStringList QuotedValuesFromText(const QString &prefix, const QString &text, bool dropDuplicates);

// Deletes fragment from text, without regard to case, until none is left, including
// occurrences that the deletions bring together ("AABB" less "ab" is empty).
QString RemoveAllOccurrences(const QString &text, const QString &fragment);
