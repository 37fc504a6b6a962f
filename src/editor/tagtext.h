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
// caret through the first ">" after it; a comment ("<!--") runs through the first "-->"
// after its "<!--" when there is one. None when the caret is at 0, when there is no "<"
// or when no ">" follows it.
TTagSpan FindTagAtCaret(QStringView text, int caret);

// Which kind a tag text is, judged from its first 10 characters; tkNone for end tags and
// anything unknown.
TTagKind TagKindOf(QStringView tagText);

// Follows a tag text character by character and tells which characters belong to a
// quoted value. A double quote opens or closes a value wherever it stands; a single quote
// opens one only where a value begins (right after "=", blanks allowed between), since
// elsewhere it is an apostrophe in the text. A value ends at the quote that opened it.
class TQuoteScanner
{
public:
    // Takes the next character; true when it belongs to a quoted value, quotes included.
    bool Quoted(QChar c);
    bool Inside() const { return !m_quote.isNull(); }

private:
    QChar m_quote;      // the quote of the value being read; null outside values
    QChar m_lastMark;   // the last non-blank character outside quoted values
};

// The tag's own closing ">": the first one outside quoted values, or -1.
qsizetype TagCloseAt(QStringView tagText);

// An attribute as it stands in a tag text.
struct TAttributeText
{
    bool Found = false;   // the name stands in the tag outside quoted values
    QString Value;        // what GetAttributeValue returns
    QChar Quote;          // the quote around the value (double or single); null when bare
};

// The value of an attribute, the name given with its "=" ("WIDTH="). The name must follow
// "<" or a space and be followed directly by the value (WIDTH=100, WIDTH="100" or
// WIDTH='100'); a name inside another attribute's quoted value does not count. Quotes
// around the value are not returned. Empty when the attribute is missing or its value empty.
QString GetAttributeValue(const QString &tagText, const QString &name);
// The same, with whether the attribute is there at all and how its value is quoted.
TAttributeText ReadAttribute(const QString &tagText, const QString &name);

// Sets an attribute to value (written as given, so a caller who wants quotes passes them).
// A missing attribute is added before the tag's closing ">"; an empty value or "" removes
// the attribute. The old value loses its quotes (double or single); runs of spaces outside
// quoted values become one space.
void SetAttributeValue(QString &tagText, const QString &name, const QString &value);

// Reduces every run of spaces outside quoted values (as TQuoteScanner reads them) to one
// space.
void CollapseSpaces(QString &text);

// The text in the case generated tags are written in (upper case unless LowerCaseTags is
// on), at most 255 characters long.
QString TagCase(const QString &text);
constexpr int TagCaseMaxLength = 255;

// The program-wide tag case switch, set at start-up and by the settings dialog.
void SetLowerCaseTags(bool on);
bool LowerCaseTags();
