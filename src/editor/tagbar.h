#pragma once

#include <QDialog>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <functional>
#include <optional>

#include "editor/tagbuttons.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TkrRichHTML;

// A small flat button that inserts a tag, asks for a value to build one, or opens an
// element dialog. Its hint is shown as a tool tip and reported while the mouse is over it.
class TkrTagButton : public QToolButton
{
    Q_OBJECT

public:
    explicit TkrTagButton(QWidget *parent = nullptr);

protected:
    // A button whose caption is bold or not, in the given colour (custom bar buttons).
    TkrTagButton(QWidget *parent, bool bold, const QColor &captionColor);

public:

    TTagButtonAction Action = krSimpleTag;
    QString TagStart;
    QString TagEnd;
    QString PromptText;
    QString CommandLine;    // not used by tag buttons

    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    // The caption shows when the button has no image.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    void SetImage(const QImage &image);
    bool HasImage() const { return !icon().isNull(); }

signals:
    // The hint while the mouse is over the button; an empty text when it leaves.
    void OnHint(const QString &hint);

protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void UpdateStyle();

    QString m_hint;
    QString m_caption;
};

// One of the 16 slots of a user-defined tag bar.
class TkrTagBarButton : public TkrTagButton
{
    Q_OBJECT

public:
    TkrTagBarButton(int index, QWidget *parent = nullptr);

    int Index() const { return m_index; }
    // Image number n > 0 shows "GLYPH_" + n (none when that image is missing); 0 shows the caption.
    int GlyphIndex() const { return m_glyphIndex; }
    void SetGlyphIndex(int n);

private:
    int m_index;
    int m_glyphIndex = 0;
};

// A user-defined tag bar: 16 button slots, of which the visible ones always form a prefix,
// kept in the settings under RegistryLocation().
class TkrTagBar : public QWidget
{
    Q_OBJECT

public:
    explicit TkrTagBar(QWidget *parent = nullptr);

    int GlyphCount() const { return m_glyphCount; }
    void SetGlyphCount(int count) { m_glyphCount = count; }
    QString RegistryLocation() const { return m_registryLocation; }
    void SetRegistryLocation(const QString &key) { m_registryLocation = key; }
    QString ToolbarName() const { return m_toolbarName; }
    void SetToolbarName(const QString &name) { m_toolbarName = name; }

    TkrTagBarButton *Button(int n) const { return m_buttons[size_t(n)]; }
    int VisibleCount() const;

    // The name and all 16 slots as plain data, and back.
    TTagBarData Data() const;
    void SetData(const TTagBarData &data);

    void ReadFromRegistry();
    void WriteToRegistry();
    // Runs the "Custom Buttons" dialog; on OK takes its bar and writes it to the settings.
    bool Customize();

    // One button at a time shown pressed (the dialog's own bar).
    void SetGrouped(bool grouped);
    void SetPressed(int n);

signals:
    void OnTagButtonClick(TkrTagBar *sender, int index, const QString &startTag, const QString &endTag);
    void OnHint(const QString &hint);

private:
    std::array<TkrTagBarButton *, TagBarSlotCount> m_buttons{};
    QButtonGroup *m_group = nullptr;
    int m_glyphCount = 0;
    QString m_registryLocation;
    QString m_toolbarName;
};

// The "Custom Buttons" dialog: edits a copy of a tag bar; Result() is the edited bar.
class TfCustomButtons : public QDialog
{
    Q_OBJECT

public:
    TfCustomButtons(const TTagBarData &bar, int glyphCount, QWidget *parent = nullptr);

    TTagBarData Result() const { return m_editor.Bar(); }
    const TTagBarEditor &Editor() const { return m_editor; }

    TkrTagBar *krButtons = nullptr;
    QLineEdit *txtToolbarName = nullptr;
    QGroupBox *grpCustom = nullptr;
    QLineEdit *txtCaption = nullptr;
    QLineEdit *txtHint = nullptr;
    QPlainTextEdit *memStart = nullptr;
    QPlainTextEdit *memEnd = nullptr;
    QComboBox *cboGlyphs = nullptr;
    QPushButton *btnAdd = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    void btnAddClick();
    void btnDeleteClick();
    void btnOKClick();

private:
    void krButtonsClick(int index);
    void txtCaptionEdited(const QString &text);
    void cboGlyphsChange(int entry);
    void memTextChanged(QPlainTextEdit *memo);
    // Shows the editor's state: the bar, the pressed button and the fields.
    void ShowEditor();

    TTagBarEditor m_editor;
    bool m_showing = false;
};

// The speedbar "pgSpeedbar": pages of tag buttons above the documents, the "Tag List"
// page and the five user-defined tag bars. Every insert goes to ActiveEditor().
class TkrSpeedbar : public QTabWidget
{
    Q_OBJECT

public:
    explicit TkrSpeedbar(QWidget *parent = nullptr);

    std::function<TkrRichHTML *()> ActiveEditor;

    // The set-up at start: the buttons whose tags are set at start, the custom bars, the
    // page visibility and the tag list.
    void Setup();
    // Shows and hides the pages as the settings say.
    void ApplyPageVisibility();

    QWidget *Page(int page) const { return m_pages[size_t(page)]; }
    // The page's tab caption, also while the page is hidden.
    QString PageCaption(int page) const { return m_pages[size_t(page)]->windowTitle(); }
    // A built-in button by object name (its page is made first if need be).
    TkrTagButton *Button(const QString &name) const;
    // Makes the buttons of every page now, not when each page first shows.
    void BuildAllPages() const;
    // Custom bar n, 1 to 5.
    TkrTagBar *CustomBar(int n) const { return m_bars[size_t(n - 1)]; }
    QComboBox *TagList() const { return cboTagList; }
    // The empty rows the style list and the application bar will go into.
    QHBoxLayout *StylesLayout() const { return layStyles; }
    QHBoxLayout *AppsLayout() const { return layApps; }

    // The handlers, reachable for the menus and for tests.
    void TagButtonClick(TkrTagButton *button);
    void CustomTagButtonClick(const QString &startTag, const QString &endTag);
    void CustomizeClick(int n);
    void btnInsertTagClick();
    // The first-letter search of the tag list; false when no entry matched.
    bool TagListKeyPress(QChar typed);

signals:
    void OnHint(const QString &hint);
    void OnBeforeTagButton();
    void OnDialogButton(int action);
    void OnQuickTable();
    void OnScript();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *AddPage(int page);
    void SetPageCaption(int page, const QString &caption);
    TkrTagButton *AddButton(QHBoxLayout *row, const TSpeedbarButtonDef &def, int at);
    int PageOf(const QWidget *w) const;
    void BuildPage(int page);
    void SetStartUpTags(TkrTagButton *button, const QString &name);
    void WatchHint(TkrTagButton *button);
    TkrRichHTML *Editor() const;

    std::array<QWidget *, SpeedbarPageCount> m_pages{};
    std::array<TkrTagBar *, CustomBarCount> m_bars{};
    std::array<bool, SpeedbarPageCount> m_built{};
    bool m_setUp = false;
    QComboBox *cboTagList = nullptr;
    TkrTagButton *btnInsertTag = nullptr;
    QHBoxLayout *layStyles = nullptr;
    QHBoxLayout *layApps = nullptr;
};
