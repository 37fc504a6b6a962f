#pragma once

#include <span>

#include <QString>

#include "dialogs/tagdialog.h"

// A dialog's fields listed once: one row per attribute, in the order the attributes are
// written, names the attribute, the member of the dialog's field structure that holds it
// and how its value is written. The same rows fill the fields from an edited tag and write
// them into the tag, so reading and building can never disagree about a field.

// How a field's value is read and written.
enum TValueStyle {
    vsQuoted,           // NAME="text"
    vsBare,             // NAME=text, for pixel numbers and counts
    vsQuotedIfPercent,  // quoted when the text holds "%" (a width of "50%"), else bare
    vsReference,        // quoted; a reference typed or chosen in the dialog is lower-cased
                        // under LowerCaseFiles, one left as the edited tag held it is not
    vsMapReference,     // quoted, with a "#" put in front of a name typed without one
    vsKeyword,          // NAME=KEYWORD while the switch is on, else NAME=text bare
                        // (LOOP=INFINITE or LOOP=3); read back as on when the keyword stands
    vsFlag              // a flag attribute (" NOWRAP") present while the switch is on
};

template <class TFields>
struct TFieldSpec
{
    const char *Attribute;              // with its "=" for values ("WIDTH="), bare for flags ("NOWRAP")
    TValueStyle Style;
    QString TFields::*Text = nullptr;   // the value (every style but vsFlag)
    bool TFields::*Switch = nullptr;    // vsFlag: the flag is set; vsKeyword: the keyword is written
    const char *Keyword = nullptr;      // vsKeyword: the keyword ("INFINITE")
};

// Rows of the common kinds.
template <class TFields>
constexpr TFieldSpec<TFields> TextField(const char *attribute, QString TFields::*text, TValueStyle style)
{
    return {attribute, style, text, nullptr, nullptr};
}
template <class TFields>
constexpr TFieldSpec<TFields> FlagField(const char *flag, bool TFields::*on)
{
    return {flag, vsFlag, nullptr, on, nullptr};
}
template <class TFields>
constexpr TFieldSpec<TFields> KeywordField(const char *attribute, const char *keyword, bool TFields::*on,
                                           QString TFields::*otherwise)
{
    return {attribute, vsKeyword, otherwise, on, keyword};
}

// The value a vsMapReference field is written with: as the edited tag holds it when the
// user left it alone, else with a "#" in front unless it has one.
QString MapReferenceValue(const TDialogContext &context, const QString &name, const QString &value);

// One field read from a tag: the attribute's value without its quotes (empty when absent);
// a flag or keyword switch is on when the flag or keyword stands in the tag. A keyword
// field that is off takes the value as its text; one that is on leaves its text alone.
void ReadFieldValue(const QString &tag, const char *attribute, TValueStyle style, const char *keyword,
                    QString *text, bool *on);
// One field written by the tag builder in its style.
void WriteFieldValue(TTagBuilder &tag, const char *attribute, TValueStyle style, const char *keyword,
                     const QString &text, bool on, const TDialogContext &context);

// Fills every field of the rows from the tag.
template <class TFields>
void ReadFields(TFields &fields, std::span<const TFieldSpec<TFields>> rows, const QString &tag)
{
    for (const TFieldSpec<TFields> &row : rows)
        ReadFieldValue(tag, row.Attribute, row.Style, row.Keyword, row.Text ? &(fields.*row.Text) : nullptr,
                       row.Switch ? &(fields.*row.Switch) : nullptr);
}

// Writes every field of the rows, in their order.
template <class TFields>
void WriteFields(TTagBuilder &tag, std::span<const TFieldSpec<TFields>> rows, const TFields &fields,
                 const TDialogContext &context)
{
    for (const TFieldSpec<TFields> &row : rows)
        WriteFieldValue(tag, row.Attribute, row.Style, row.Keyword, row.Text ? fields.*row.Text : QString(),
                        row.Switch ? fields.*row.Switch : false, context);
}

// The tag of a single-tag dialog: the edited tag, or the skeleton ("<TABLE>") for a new
// element, with every field written; for a new element the end tag ("</TABLE>", put through
// TagCase) follows, in edit mode the end text is empty so the content and end tag stay.
template <class TFields>
TTagResult BuildFieldsTag(const QString &skeleton, const QString &endTag, std::span<const TFieldSpec<TFields>> rows,
                          const TFields &fields, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, skeleton);
    WriteFields(tag, rows, fields, context);
    return {tag.Text(), tag.IsEdit() || endTag.isEmpty() ? QString() : TagCase(endTag)};
}
