#pragma once

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
    void Open(const TDialogContext &context, bool fileAsDynSource, bool autoSize);

    void SetBaseFolder(const QString &folder);
    void SetSourceFile(const QString &file);
    void SetDynSourceFile(const QString &file);

    TImageFields Fields() const;
    void SetFields(const TImageFields &fields);
    // The start text; an image has no end text.
    QString Build() const;

    // One cycle of the dialog for the context: with show, it is shown modally and false is
    // returned on Cancel; without (files dropped on the editor), the text is built from the
    // context's file at once. The context's file is taken as the dynamic source when
    // fileAsDynSource is set (video in the Microsoft multimedia format). Auto-size follows
    // "AutoFillImageSize". On true, startText holds the IMG tag and endText is empty; the
    // caller inserts them with ReplaceSelection set exactly when context.IsEdit().
    static bool Execute(QWidget *parent, const TDialogContext &context, QString &startText, QString &endText,
                        bool show = true, bool fileAsDynSource = false);

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
