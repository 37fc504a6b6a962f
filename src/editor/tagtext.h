#pragma once

#include <QString>
#include <QStringView>

// Tag text operations on plain strings: finding the tag at the caret, telling which kind of
// element a tag is, reading and changing one attribute in a tag, and the letter case in
// which generated tags are written. Tag and attribute names match without regard to case;
// values keep the case in which they stand.

// The element kinds that tag editing recognises. The numbering is fixed (0 to 20).
enum TTagKind {
    tkAnchor,
    tkBGSound,
    tkBody,
    tkComment,
    tkEmbed,
    tkFont,
    tkFrame,
    tkFrameset,
    tkFloatingFrame,
    tkHorzRule,
    tkImage,
    tkMarquee,
    tkMeta,
    tkObject,
    tkParameter,
    tkScript,
    tkTable,
    tkTableHeader,
    tkTableData,
    tkTableRow,
    tkNone
};

// A stretch of text; Length 0 means none.
struct TTagSpan
{
    int Start = 0;
    int Length = 0;
    bool IsEmpty() const { return Length == 0; }
    bool operator==(const TTagSpan &o) const = default;
};

// The tag at or before the caret: from the last "<" at or before the character after the
// caret through the first ">" after it. None when the caret is at 0, when there is no "<"
// or when no ">" follows it.
TTagSpan FindTagAtCaret(QStringView text, int caret);

// Which kind a tag text is, judged from its first 10 characters; tkNone for end tags and
// anything unknown.
TTagKind TagKindOf(QStringView tagText);

// The value of an attribute, the name given with its "=" ("WIDTH="). The name must follow
// "<" or a space and be followed directly by the value (WIDTH=100 or WIDTH="100"); a name
// inside another attribute's quoted value does not count. Quotes around the value are not
// returned. Empty when the attribute is missing or its value empty.
QString GetAttributeValue(const QString &tagText, const QString &name);

// Sets an attribute to value (written as given, so a caller who wants quotes passes them).
// A missing attribute is added before the ">"; an empty value or "" removes the attribute.
// The old value loses its quotes; runs of spaces outside quotes become one space.
void SetAttributeValue(QString &tagText, const QString &name, const QString &value);

// Reduces every run of spaces outside double quotes to one space.
void CollapseSpaces(QString &text);

// The text in the case generated tags are written in (upper case unless LowerCaseTags is
// on), at most 255 characters long.
QString TagCase(const QString &text);
constexpr int TagCaseMaxLength = 255;

// The program-wide tag case switch, set at start-up and by the settings dialog.
void SetLowerCaseTags(bool on);
bool LowerCaseTags();
