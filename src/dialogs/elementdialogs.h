#pragma once

#include <optional>

#include <QDialog>

#include "dialogs/elementtags.h"
#include "dialogs/listformtags.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;
class TkrColorCombo;

// The "Comment", "Anchor", "Font", "Body", "Horizontal Rule", "META Editor", "List" and
// "Form Element" dialogs. Each shows the fields of elementtags.h or listformtags.h and
// reads them back; filling from a tag and
// building the markup happen there. Every one opens through Execute, for a new element or
// on an edited tag (edit mode), and returns nothing when cancelled.

// Comment lines from a memo; the whole memo text is selected when it gets the focus.
class TfComment : public QDialog
{
    Q_OBJECT

public:
    explicit TfComment(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    QString MemoText() const;
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QPlainTextEdit *memComment = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_editedTag; // the comment being edited, if any
};

// An A tag with its link target, target frame, name and, for a new anchor, the text
// between the tags. In edit mode the description is hidden. After OK the link target
// heads the link history.
class TfAnchor : public QDialog
{
    Q_OBJECT

public:
    explicit TfAnchor(QWidget *parent = nullptr);
    // The HREF list becomes the context's link history; the context's file fills HREF; in
    // edit mode the edited tag fills the boxes and the description group is hidden.
    void Open(const TDialogContext &context);
    // A file chosen for HREF (the browse button, or a file from the file panel).
    void SetFile(const QString &file);
    TAnchorFields Fields() const;
    void SetFields(const TAnchorFields &fields);
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);
    // Anchor from file: the dialog filled with the file's reference as HREF, shown unless
    // context.Show is cleared (then built at once).
    static std::optional<TTagResult> FromFile(QWidget *parent, const TDialogContext &context, const QString &file);

    QGroupBox *grpAnchor = nullptr;
    QComboBox *cboURL = nullptr;
    QPushButton *btnSource = nullptr;
    QComboBox *cboTarget = nullptr;
    QLineEdit *txtName = nullptr;
    QGroupBox *grpDescription = nullptr;
    QPlainTextEdit *memDescription = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void btnSourceClick();
    TDialogContext m_context;
};

// A FONT tag: size with its sign, face and colour.
class TfFont : public QDialog
{
    Q_OBJECT

public:
    explicit TfFont(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    TFontFields Fields() const;
    void SetFields(const TFontFields &fields);
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QComboBox *cboSize = nullptr;       // the sign
    QLineEdit *txtSize = nullptr;
    QToolButton *updSizeUp = nullptr;
    QToolButton *updSizeDown = nullptr;
    QComboBox *cboFace = nullptr;
    TkrColorCombo *krColorCombo = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
};

// A BODY tag: background image and the five page colours, with a preview of the colours.
// Opened on an empty "<BODY>" tag it returns that tag with the chosen attributes as its
// start text (what the Quick Start window takes).
class TfBody : public QDialog
{
    Q_OBJECT

public:
    explicit TfBody(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    TBodyFields Fields() const;
    void SetFields(const TBodyFields &fields);
    TTagResult Build() const;
    // The preview panel takes the background colour (silver when none) and its labels the
    // text, link, visited and active colours (black, blue, purple, red when none).
    void RefreshPreview();
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QLineEdit *txtImage = nullptr;
    QPushButton *btnImage = nullptr;
    TkrColorCombo *krColorBG = nullptr;
    TkrColorCombo *krColorText = nullptr;
    TkrColorCombo *krColorLink = nullptr;
    TkrColorCombo *krColorVLink = nullptr;
    TkrColorCombo *krColorALink = nullptr;
    QWidget *pnlPreview = nullptr;
    QLabel *lblText = nullptr;
    QLabel *lblLink = nullptr;
    QLabel *lblVLink = nullptr;
    QLabel *lblALink = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void btnImageClick();
    TDialogContext m_context;
};

// An HR tag: alignment, size, width and shading.
class TfHorzRule : public QDialog
{
    Q_OBJECT

public:
    explicit TfHorzRule(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    THorzRuleFields Fields() const;
    void SetFields(const THorzRuleFields &fields);
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QComboBox *cboAlign = nullptr;
    QLineEdit *txtSize = nullptr;
    QToolButton *updSizeUp = nullptr;
    QToolButton *updSizeDown = nullptr;
    QLineEdit *txtWidth = nullptr;
    QToolButton *updWidthUp = nullptr;
    QToolButton *updWidthDown = nullptr;
    QCheckBox *chkNoShade = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
};

// A META tag.
class TfMeta : public QDialog
{
    Q_OBJECT

public:
    explicit TfMeta(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    TMetaFields Fields() const;
    void SetFields(const TMetaFields &fields);
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QComboBox *cboEquiv = nullptr;
    QLineEdit *txtContent = nullptr;
    QComboBox *cboName = nullptr;
    QLineEdit *txtURL = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
};

// A whole list, one grid row per item. New lists only.
class TfList : public QDialog
{
    Q_OBJECT

public:
    explicit TfList(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    // The items of every grid row, an item still being typed included.
    TListFields Fields() const;
    void SetFields(const TListFields &fields);
    // The grid's row count from the Rows box.
    void ApplyRows();
    // Empties every item, leaves one row, selected, and Rows "1".
    void cmdClearClick();
    // The text built when OK was pressed, else built now.
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QRadioButton *optList_Ord = nullptr;
    QRadioButton *optList_Unord = nullptr;
    QLineEdit *txtRows = nullptr;
    QToolButton *updRowsUp = nullptr;
    QToolButton *updRowsDown = nullptr;
    QTableWidget *grdList = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void cmdOKClick();
    void CommitGridEdit() const;
    QString m_rowsShown;              // the Rows text the grid was last sized for
    std::optional<TTagResult> m_text; // built on OK, kept while the dialog lives
};

// One form control: its kind, name, value and the numbers of its kind. New controls only.
class TfFormElement : public QDialog
{
    Q_OBJECT

public:
    explicit TfFormElement(QWidget *parent = nullptr);
    void Open(const TDialogContext &context);
    TFormElementFields Fields() const;
    void SetFields(const TFormElementFields &fields);
    // A kind chosen in the list: fields emptied, numbers "0", boxes arranged for it.
    void cboFormElementChange();
    TTagResult Build() const;
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QComboBox *cboFormElement = nullptr;
    QLineEdit *txtName = nullptr;
    QLabel *lblValue = nullptr;
    QLineEdit *txtValue = nullptr;
    QWidget *pnlVal = nullptr;
    QLabel *lblVal1 = nullptr;
    QLineEdit *txtVal1 = nullptr;
    QToolButton *updVal1Up = nullptr;
    QToolButton *updVal1Down = nullptr;
    QLabel *lblVal2 = nullptr;
    QWidget *pnlVal2 = nullptr;       // the second number with its up-down
    QLineEdit *txtVal2 = nullptr;
    QToolButton *updVal2Up = nullptr;
    QToolButton *updVal2Down = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
