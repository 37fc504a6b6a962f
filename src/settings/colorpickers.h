#pragma once

#include <QString>
#include <array>
#include <optional>

#include "platform/colortypes.h"

// The plain logic behind the colour combo and the colour selection panel: the fixed item
// list, the value as text in both directions, and which item the arrow keys start from.

// The colour combo's fixed list of 19 items.
constexpr int ColorComboItemCount = 19;
constexpr int ColorComboDropDownCount = 10;  // items shown when the list is dropped
constexpr int ciUnassigned = 0;
constexpr int ciCustom = 1;
constexpr int ciSeparator = 2;
constexpr int ciFirstNamed = 3;  // "Aqua"; the sixteen names follow in alphabetical order
constexpr int NamedColorCount = 16;
// An extra item after the fixed list, present only while the combo holds a value that no
// item stands for ("orange"): it shows that value and gives it back unchanged.
constexpr int ciHeld = ColorComboItemCount;

struct TNamedColor
{
    const char *name;
    TColor color;
};

// The sixteen HTML colour names with their values, in list order (Aqua ... Yellow).
const std::array<TNamedColor, NamedColorCount> &NamedColors();
// The list index of the named item of exactly this colour, or -1.
int NamedColorIndex(TColor color);

// Parses an HTML colour text: the first "#" is removed, the rest padded on the left with
// "0" to six characters, and characters 1-2, 3-4 and 5-6 read as hex red, green and blue
// (each 0 when not valid hex). "#123" is red 00, green 01, blue 23.
TColor ParseColorText(const QString &text);

// Index the list should move from before it handles a key itself, so that the arrow keys
// and space step over the separator: right, down and space on "Custom...", left and up on
// "Aqua" start from the separator. std::nullopt leaves the selection alone.
std::optional<int> ColorComboKeyStart(int key, int currentIndex);

// The state of a colour combo: which item is selected, the custom colour and how the value
// reads as text. The widget shows this and forwards the user's choices to it.
class TColorComboState
{
public:
    static constexpr TColor DefaultCustomColor = Colors::clGray;

    // -1 when nothing is selected.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int index);

    bool ForceHex() const { return m_forceHex; }
    void SetForceHex(bool value) { m_forceHex = value; }
    QString UnassignedCaption() const { return m_unassignedCaption; }
    void SetUnassignedCaption(const QString &caption) { m_unassignedCaption = caption; }
    TColor CustomColor() const { return m_customColor; }
    // A new custom colour; a held value shown by "Custom..." is forgotten.
    void SetCustomColor(TColor color);

    // The caption of an item: the unassigned caption, "Custom...", empty for the separator,
    // a colour name, or the held value for the extra item.
    QString Caption(int index) const;
    // The colour an item stands for: the custom colour for "Custom...", nothing for the
    // unassigned item, the separator and indexes outside the list.
    std::optional<TColor> ItemColor(int index) const;
    // The colour of the selected item, nothing when unassigned or nothing is selected.
    std::optional<TColor> SelectedColor() const { return ItemColor(m_itemIndex); }

    // The value as the tag dialogs write it: the text SetText was given, exactly as it was,
    // while the item it selected is selected (and the custom colour unchanged); otherwise
    // empty when unassigned or nothing is chosen, the colour name of a named item, or
    // (custom colour, or any colour with ForceHex) "#RRGGBB".
    QString Text() const;
    // Selects from a value, and holds the value so that Text gives it back untouched: empty
    // selects the unassigned item; a text without "#" selects the first item whose caption
    // matches it without regard to case; a text with "#" is parsed and set as a colour. A
    // text that matches no item, or only the unassigned one, selects the extra item
    // (ciHeld) that shows it.
    void SetText(const QString &text);
    // Selects the named item of exactly this colour; any other colour becomes the custom
    // colour with "Custom..." selected. Forgets a held value.
    void SetColor(TColor color);
    // Whether the extra item is there.
    bool HasHeldItem() const { return m_heldIndex == ciHeld; }
    // The number of items: the fixed list, and the extra item when there is one.
    int ItemCount() const { return HasHeldItem() ? ColorComboItemCount + 1 : ColorComboItemCount; }

    // The item a choice in the list settles on: the separator settles on "Custom...".
    static int ChosenIndex(int index) { return index == ciSeparator ? ciCustom : index; }

private:
    void ForgetHeldText();

    int m_itemIndex = -1;
    QString m_heldText;     // the value as SetText was given it
    int m_heldIndex = -1;   // the item it selected; -1 when nothing is held
    bool m_forceHex = false;
    QString m_unassignedCaption = QStringLiteral("Unassigned");
    TColor m_customColor = DefaultCustomColor;
};

// The colour selection panel: 16 swatches of 16 x 16 in a 4 x 4 grid, entries 0-7 and 12-19
// of the default 20-colour system palette in row order, and the "Other..." button below.
constexpr int ColorSwatchCount = 16;
constexpr int ColorSwatchColumns = 4;
constexpr int ColorSwatchSize = 16;
const std::array<TColor, ColorSwatchCount> &SwatchColors();
struct TSwatchPos
{
    int x;
    int y;
};
// Top-left corner of a swatch (index 0-15, row by row) inside the panel.
TSwatchPos SwatchPosition(int index);
// The swatch under a point of the panel, or -1.
int SwatchAt(int x, int y);
