#pragma once

#include <QString>
#include <QStringList>

#include "editor/tagresult.h"

// The markup of the List and Form Element dialogs, which make new structures only: a whole
// list from its items, and one form control from its kind, name, value and numbers. The
// dialogs only show these fields.

// ---- list

struct TListFields
{
    bool Ordered = true;
    QStringList Items{QString()};   // one per grid row, from the top

    bool operator==(const TListFields &) const = default;
};

constexpr int ListRowsMin = 1;
constexpr int ListRowsMax = 99;
// The grid's row count for the Rows box's text: the number within 1 to 99; an unreadable
// number counts as 1.
int ListRowCount(const QString &rowsText);
// "<OL>" or "<UL>", CR LF, then per item a tab, "<LI>", the item as typed and CR LF, then
// "</OL>" or "</UL>"; tag names in the tag case. The whole list is the start text.
TTagResult BuildList(const TListFields &fields);

// ---- form control

// The kinds in the order the dialog's list offers them.
enum TFormElementKind {
    feText,
    feTextArea,
    feHidden,
    feCheckbox,
    feRadioButton,
    feSelectList,
    feSubmitButton,
    feResetButton
};

// "Text", "Text Area", "Hidden", "Checkbox", "Radio Button", "Select List",
// "Submit Button", "Reset Button".
QStringList FormElementKindNames();

struct TFormElementFields
{
    TFormElementKind Kind = feText;
    QString Name;
    QString Value;
    QString Number1 = QStringLiteral("0");   // Size, or Rows
    QString Number2 = QStringLiteral("0");   // Max Len, or Cols

    bool operator==(const TFormElementFields &) const = default;
};

// The fields as choosing a kind leaves them: name and value empty, both numbers "0".
TFormElementFields FormElementFieldsFor(TFormElementKind kind);

// Which boxes a kind shows: the number panel with the labels of its numbers (an empty
// second label hides the second number), and the Value box.
struct TFormElementBoxes
{
    bool Numbers = false;
    QString Label1;
    QString Label2;
    bool Value = true;

    bool operator==(const TFormElementBoxes &) const = default;
};
TFormElementBoxes FormElementBoxes(TFormElementKind kind);

// The control's start text, followed by CR LF, and its end text ("</TEXTAREA>", or CR LF
// and "</SELECT>"). Every literal piece is in the tag case, the type word included; the
// name and value are written even when empty, a double quote in them as "&quot;". A Text
// field leaves SIZE and MAXLENGTH out while their number is 0 (MAXLENGTH=0 would let
// nothing be typed); a Select List gets one OPTION line per row.
TTagResult BuildFormElement(const TFormElementFields &fields);
