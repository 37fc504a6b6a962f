#pragma once

#include <optional>

#include <QDialog>

#include "dialogs/imagetag.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The "Image" dialog: one IMG tag with its size, spacing, border, alignment, alternative
// text, image map and an optional dynamic source. The dialog shows and gathers the fields;
// reading a tag or a file into them and building the tag are done by imagetag.h.
class TfImg : public QDialog
{
    Q_OBJECT

public:
    explicit TfImg(QWidget *parent = nullptr);

    // The opening order: clear, take LowerCaseFiles and the auto-size flag, set the base
    // folder, the context's file (as source, or as dynamic source), then the edited tag.
    void Open(const TDialogContext &context, bool autoSize);

    void SetBaseFolder(const QString &folder);
    void SetSourceFile(const QString &file);
    void SetDynSourceFile(const QString &file);

    TImageFields Fields() const;
    void SetFields(const TImageFields &fields);
    // The IMG tag as the start text; an image has no end text.
    TTagResult Build() const;

    // One cycle of the dialog for the context: shown modally unless context.Show is cleared
    // (files dropped on the editor), when the text is built from the context's file at once.
    // The file is taken as the dynamic source with context.FileAsDynSource (video in the
    // Microsoft multimedia format). Auto-size follows "AutoFillImageSize". Nothing on
    // Cancel; the caller inserts the text with ReplaceSelection set exactly when
    // context.IsEdit().
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QLineEdit *txtSource = nullptr;
    QPushButton *btnSource = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLineEdit *txtHeight = nullptr;
    QLineEdit *txtHSpace = nullptr;
    QLineEdit *txtVSpace = nullptr;
    QLineEdit *txtBorder = nullptr;
    QToolButton *updBorderUp = nullptr;
    QToolButton *updBorderDown = nullptr;
    QComboBox *cboAlign = nullptr;
    QLineEdit *txtAlt = nullptr;
    QLineEdit *txtUseMap = nullptr;
    QCheckBox *chkIsMap = nullptr;
    QGroupBox *grpDynSource = nullptr;
    QLineEdit *txtDynSource = nullptr;
    QPushButton *btnDynSource = nullptr;
    QComboBox *cboDynStart = nullptr;
    QCheckBox *chkDynInfinite = nullptr;
    QLineEdit *txtDynLoop = nullptr;
    QLineEdit *txtDynLoopDelay = nullptr;
    QCheckBox *chkDynControls = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdClear = nullptr;

private:
    void cmdOKClick();
    void cmdClearClick();
    void btnSourceClick();
    void btnDynSourceClick();
    void chkDynInfiniteClick();
    void StepBorder(int step);

    // Hidden state: the real paths of the chosen files and the opening options.
    QString m_sourceFile;
    QString m_dynSourceFile;
    TDialogContext m_context;
    bool m_autoSize = true;
};
