#pragma once

#include <optional>

#include <QDialog>

#include "dialogs/elementtags.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TkrColorCombo;

// The "Comment", "Anchor", "Font", "Body", "Horizontal Rule" and "META Editor" dialogs.
// Each shows the fields of elementtags.h and reads them back; filling from a tag and
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
