#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "editor/tagresult.h"

// The tag buttons of the speedbar without their widgets: the built-in button table, the
// text a click inserts, the five user-defined tag bars as they are stored in the settings,
// the rules of the "Custom Buttons" dialog, and the "Tag List" page's entries.

// What a tag button does when clicked. The order is fixed.
enum TTagButtonAction {
    krSimpleTag,
    krColor,
    krPrompt,
    krImage,
    krBody,
    krFont,
    krQuickStart,
    krFrameWizard,
    krFrame,
    krFrameSet,
    krFloatingFrame,
    krMeta,
    krTableWizard,
    krTable,
    krTableData,
    krTableRow,
    krTableHeader,
    krHorzRule,
    krComment,
    krFormElement,
    krAnchor,
    krList,
    krActiveX
};
using TkrAction = TTagButtonAction;

// True for the actions that open an element dialog (everything but simple, prompt and colour).
bool IsDialogAction(TTagButtonAction action);

// ---- The speedbar's pages ----

// The pages in tab order; the five custom pages come last.
enum TSpeedbarPage {
    spQuickTab,
    spFonts,
    spTables,
    spFrames,
    spLists,
    spStyles,
    spAdvanced,
    spTagList,
    spApps,
    spCustom1,
    spCustom2,
    spCustom3,
    spCustom4,
    spCustom5
};
constexpr int SpeedbarPageCount = spCustom5 + 1;
constexpr int CustomBarCount = 5;

// "Software\Pendwick\Speedbar": one "..._Visible" boolean per page.
QString SpeedbarKey();
// The page's caption ("QuickTab", ..., "Tag List", "Apps", "Custom 1" ... "Custom 5").
QString SpeedbarPageCaption(int page);
// The value that says whether the page is shown ("Fonts_Visible", "TagList_Visible",
// "Custom1_Visible", ...); empty for QuickTab, which is always shown.
QString SpeedbarVisibleValueName(int page);
bool SpeedbarPageDefaultVisible(int page);
// The stored visibility, or the page's default; QuickTab is always visible.
bool ReadSpeedbarPageVisible(int page);

// ---- Built-in buttons ----

// How a built-in button is handled: the shared tag button handler, or one of its own.
enum TSpeedbarCommand { scTagButton, scQuickTable, scScript };

struct TSpeedbarButtonDef
{
    TSpeedbarPage Page = spQuickTab;
    QString Name;           // object name ("spdBold"); the image is speedbar/<Name>.png
    QString Hint;
    QString Caption;        // empty: the button shows its image
    TTagButtonAction Action = krSimpleTag;
    QString TagStart;
    QString TagEnd;
    QString PromptText;
    TSpeedbarCommand Command = scTagButton;
    bool SetAtStart = false; // tags given by StartUpButtonTags() when the speedbar is set up
};

// Every built-in button, page by page in the order they stand on their page.
const QList<TSpeedbarButtonDef> &SpeedbarButtons();

// The tags of a button set up at start ("Definition list", "Form action", "Image Map"),
// in the tag case of the moment; nothing for any other button name.
std::optional<TTagResult> StartUpButtonTags(const QString &name);

// ---- What a click inserts ----

// A simple tag button: an entity ("&...") goes in unchanged and alone; anything else in
// the tag case.
TTagResult SimpleTagInsertion(const QString &tagStart, const QString &tagEnd);
// The prompt of a prompt button's input box.
QString PromptButtonPrompt(const QString &promptText);
// A prompt button answered with `answer`: the first "%INPUT%" of the start tag (found in
// any letter case, since the tag may already be in lower case) becomes the answer, or the
// answer follows the start tag when it has none. The answer keeps its own case.
TTagResult PromptInsertion(const QString &tagStart, const QString &tagEnd, const QString &answer);

// ---- User-defined tag bars ----

constexpr int TagBarSlotCount = 16;
// The "Custom Buttons" dialog creates at most this many; a stored bar may hold all 16.
constexpr int MaxCustomizedButtons = 15;
constexpr int ToolbarNameMaxLength = 12;
constexpr int CaptionMaxLength = 3;
constexpr int HintMaxLength = 50;
constexpr int TagTextMaxLength = 1000;
// The images "GLYPH_1" ... "GLYPH_51" the dialog offers.
constexpr int CustomGlyphCount = 51;

struct TTagBarSlot
{
    bool Visible = false;
    QString Caption;
    QString Hint;
    int GlyphIndex = 0;     // 0: no image, the caption shows
    QString TagStart;
    QString TagEnd;
    bool operator==(const TTagBarSlot &o) const = default;
};

struct TTagBarData
{
    QString ToolbarName;
    std::array<TTagBarSlot, TagBarSlotCount> Slots;
    bool operator==(const TTagBarData &o) const = default;
};

// A new bar: every slot hidden, captioned "C" + n, hinted "Custom " + n, without image.
TTagBarData NewTagBar();
TTagBarSlot NewTagBarSlot(int n);
// Visible slots always form a prefix 0..k-1; this is k.
int VisibleCount(const TTagBarData &bar);

// Settings key of custom bar n (1-5): "Software\Pendwick\CustomButtons", then
// "...CustomButtons2" to "...CustomButtons5".
QString CustomBarLocation(int n);
// Reads the bar's name and buttons from `location` into `bar`. Buttons are read from 0
// up to the first one without a stored caption; the slots from there on keep what they
// held. A stored image wins over a stored caption.
void ReadTagBar(const QString &location, TTagBarData &bar);
// Erases `location` and writes the name and the visible buttons 0..k-1.
void WriteTagBar(const QString &location, const TTagBarData &bar);

// The first `maxLength` characters of a text (the limit of an edit field).
QString LimitText(const QString &text, int maxLength);

// The rules of the "Custom Buttons" dialog on a copy of a bar. The dialog's fields show
// Fields(); the current button is the one shown pressed (-1: none, and the fields are
// disabled).
class TTagBarEditor
{
public:
    struct TFields
    {
        QString Caption;
        QString Hint;
        QString TagStart;
        QString TagEnd;
        int Glyph = 0;      // the image list's entry (0: no image)
        bool operator==(const TFields &o) const = default;
    };

    explicit TTagBarEditor(const TTagBarData &bar, int glyphCount = CustomGlyphCount);

    const TTagBarData &Bar() const { return m_bar; }
    int GlyphCount() const { return m_glyphCount; }
    int Current() const { return m_current; }
    bool EditEnabled() const { return m_current >= 0; }
    const TFields &Fields() const { return m_fields; }
    const QString &ToolbarName() const { return m_name; }

    // Edits made in the fields, cut to their limits.
    void SetToolbarName(const QString &name);
    void SetHint(const QString &hint);
    void SetTagStart(const QString &text);
    void SetTagEnd(const QString &text);
    // Typing a caption takes the image list back to "no image".
    void CaptionEdited(const QString &caption);
    // Choosing an image clears the caption and gives the current button that image at once.
    void GlyphChosen(int entry);

    // Copies the fields into the current button.
    void StoreFields();
    // A button of the dialog's bar was clicked.
    void Select(int index);
    // "&Add": false when nothing happened (15 or more buttons).
    bool Add();
    // "&Delete": false when there was no button.
    bool Delete();
    // "OK": false (and nothing changes) when the toolbar name is empty; otherwise the name
    // and the fields are stored in Bar().
    bool Accept();

private:
    void ShowFields();
    void ClearFields();

    TTagBarData m_bar;
    int m_glyphCount;
    int m_current = -1;
    TFields m_fields;
    QString m_name;
};

// ---- Images ----

// The image of custom glyph n from the program folder's "glyphs/GLYPH_" + n + ".png",
// with pure red pixels made transparent; a null image when there is none.
QImage CustomGlyphImage(int n);
// The image of a built-in speedbar button from "speedbar/" + name + ".png".
QImage SpeedbarButtonImage(const QString &name);
// Makes every pure red (#FF0000) pixel transparent.
QImage RedToTransparent(const QImage &image);

// ---- The "Tag List" page ----

// The lines of a data file beside the program ("Tags.dat", "Attributes.dat"): one entry per
// line, a line ending at CR, LF or both; empty when the file cannot be read.
QStringList ReadDataFileLines(const QString &fileName);
// A tag entry split at its first "..": start and end text as written (the end empty for a
// single tag).
TTagResult SplitTagEntry(const QString &entry);
// What inserting a tag list entry writes: both halves in the tag case.
TTagResult TagListInsertion(const QString &entry);
// The entry a typed character selects: the first one after `current` that begins with
// `prefix` + the character (letter case ignored), wrapping to the top; -1 when none does.
int FindEntryByFirstLetter(const QStringList &entries, int current, QChar typed,
                           const QString &prefix = QStringLiteral("<"));
