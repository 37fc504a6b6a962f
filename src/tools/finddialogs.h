#pragma once

#include <QWidget>
#include <functional>

#include "tools/search.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TkrRichHTML;

// The searches the dialogs run on an editor, without messages. Each begins at the character
// after the selection start and runs forward without wrapping.

// Selects the next occurrence and returns its offset, or -1 (the selection stays).
int FindNextIn(TkrRichHTML *editor, const QString &findText, TSearchOptions options);
// Replaces the next occurrence as one undo step, the caret after the inserted text; false
// when there is none.
bool ReplaceNextIn(TkrRichHTML *editor, const QString &findText, const QString &replaceText,
                   TSearchOptions options);
// Replaces every occurrence from there on as one undo step and returns how many; the caret
// ends after the last inserted text.
int ReplaceAllIn(TkrRichHTML *editor, const QString &findText, const QString &replaceText,
                 TSearchOptions options);

// What the find and replace windows share: the find text, the two options and the greyed or
// hidden direction buttons. The windows are modeless, belong to the main window and are
// only hidden when closed, so their texts and options last for the run.
class TSearchDialog : public QWidget
{
    Q_OBJECT

public:
    // The editor of the tab active at the moment of a click (null: nothing to search).
    std::function<TkrRichHTML *()> ActiveEditor;

    QString FindText() const;
    void SetFindText(const QString &text);
    TSearchOptions Options() const;
    void SetOptions(TSearchOptions options);

    // Shows the window (again), brings it to the front and selects the find text.
    void Execute();

    QLineEdit *txtFind = nullptr;
    QCheckBox *chkWholeWord = nullptr;
    QCheckBox *chkMatchCase = nullptr;
    QGroupBox *grpDirection = nullptr;
    QRadioButton *optUp = nullptr;
    QRadioButton *optDown = nullptr;
    QPushButton *btnFindNext = nullptr;
    QPushButton *btnCancel = nullptr;

protected:
    explicit TSearchDialog(QWidget *parent);
    TkrRichHTML *Editor() const;
    void keyPressEvent(QKeyEvent *e) override;
};

// "Find": Find Next only, no direction buttons.
class TFindDialog : public TSearchDialog
{
    Q_OBJECT

public:
    explicit TFindDialog(QWidget *parent = nullptr);

    // Find Next: selects the next occurrence, or reports "Text not found." and closes.
    void cdgFindFind();
};

// "Replace": Find Next with a question per occurrence, Replace and Replace All; the
// direction buttons are shown greyed.
class TReplaceDialog : public TSearchDialog
{
    Q_OBJECT

public:
    explicit TReplaceDialog(QWidget *parent = nullptr);

    QString ReplaceText() const;
    void SetReplaceText(const QString &text);

    // Find Next: selects the next occurrence and asks whether to replace it.
    void cdgReplaceFind();
    // Replace (replaceAll false) the next occurrence, or Replace All from there on.
    void cdgReplaceReplace(bool replaceAll);

    QLineEdit *txtReplace = nullptr;
    QPushButton *btnReplace = nullptr;
    QPushButton *btnReplaceAll = nullptr;
};
