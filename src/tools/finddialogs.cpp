#include "tools/finddialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/messagebox.h"
#include "editor/richhtml.h"

// ---- Searches on an editor ----

int FindNextIn(TkrRichHTML *editor, const QString &findText, TSearchOptions options)
{
    const int p = FindNextText(editor->Text(), findText, editor->SelStart(), options);
    if (p >= 0) {
        editor->Select(p, int(findText.size()));
        editor->ensureCursorVisible();
    }
    return p;
}

bool ReplaceNextIn(TkrRichHTML *editor, const QString &findText, const QString &replaceText,
                   TSearchOptions options)
{
    const int p = FindNextText(editor->Text(), findText, editor->SelStart(), options);
    if (p < 0)
        return false;
    editor->ReplaceText(p, int(findText.size()), replaceText);
    editor->ensureCursorVisible();
    return true;
}

int ReplaceAllIn(TkrRichHTML *editor, const QString &findText, const QString &replaceText,
                 TSearchOptions options)
{
    TReplaceResult r = ReplaceAllFrom(editor->Text(), findText, replaceText,
                                      SearchStart(editor->SelStart()), options);
    if (r.Count == 0)
        return 0;
    editor->ReplaceText(r.First, r.OldEnd - r.First, r.NewRegion);
    editor->ensureCursorVisible();
    return r.Count;
}

// ---- Shared window ----

TSearchDialog::TSearchDialog(QWidget *parent)
    : QWidget(parent, Qt::Dialog)
{
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    chkWholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    chkMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));

    grpDirection = new QGroupBox(QStringLiteral("Direction"), this);
    grpDirection->setObjectName(QStringLiteral("grpDirection"));
    optUp = new QRadioButton(QStringLiteral("&Up"), grpDirection);
    optUp->setObjectName(QStringLiteral("optUp"));
    optDown = new QRadioButton(QStringLiteral("&Down"), grpDirection);
    optDown->setObjectName(QStringLiteral("optDown"));
    optDown->setChecked(true);  // searches always run towards the end
    auto *directionLayout = new QHBoxLayout(grpDirection);
    directionLayout->addWidget(optUp);
    directionLayout->addWidget(optDown);

    btnFindNext = new QPushButton(QStringLiteral("&Find Next"), this);
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    btnFindNext->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(txtFind, &QLineEdit::returnPressed, btnFindNext, &QPushButton::click);
}

QString TSearchDialog::FindText() const
{
    return txtFind->text();
}

void TSearchDialog::SetFindText(const QString &text)
{
    txtFind->setText(text);
}

TSearchOptions TSearchDialog::Options() const
{
    return {chkMatchCase->isChecked(), chkWholeWord->isChecked()};
}

void TSearchDialog::SetOptions(TSearchOptions options)
{
    chkMatchCase->setChecked(options.MatchCase);
    chkWholeWord->setChecked(options.WholeWord);
}

void TSearchDialog::Execute()
{
    show();
    raise();
    activateWindow();
    txtFind->setFocus();
    txtFind->selectAll();
}

TkrRichHTML *TSearchDialog::Editor() const
{
    return ActiveEditor ? ActiveEditor() : nullptr;
}

void TSearchDialog::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(e);
}

// ---- Find ----

TFindDialog::TFindDialog(QWidget *parent)
    : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("cdgFind"));
    setWindowTitle(QStringLiteral("Find"));
    grpDirection->hide();

    auto *label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(txtFind);
    auto *fields = new QGridLayout;
    fields->addWidget(label, 0, 0);
    fields->addWidget(txtFind, 0, 1, 1, 2);
    fields->addWidget(chkWholeWord, 1, 0, 1, 2);
    fields->addWidget(chkMatchCase, 2, 0, 1, 2);
    fields->addWidget(grpDirection, 1, 2, 2, 1);
    fields->setRowStretch(3, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnFindNext);
    buttons->addWidget(btnCancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(btnFindNext, &QPushButton::clicked, this, &TFindDialog::cdgFindFind);
}

void TFindDialog::cdgFindFind()
{
    TkrRichHTML *editor = Editor();
    if (!editor)
        return;
    if (FindNextIn(editor, FindText(), Options()) < 0) {
        MessageBox(mkInformation, QStringLiteral("Text not found."), mbOK, this);
        hide();
    }
}

// ---- Replace ----

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("cdgReplace"));
    setWindowTitle(QStringLiteral("Replace"));
    grpDirection->setEnabled(false);

    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    btnReplace = new QPushButton(QStringLiteral("&Replace"), this);
    btnReplace->setObjectName(QStringLiteral("btnReplace"));
    btnReplaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
    btnReplaceAll->setObjectName(QStringLiteral("btnReplaceAll"));

    auto *findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(txtFind);
    auto *replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(txtReplace);
    auto *fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(txtFind, 0, 1, 1, 2);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(txtReplace, 1, 1, 1, 2);
    fields->addWidget(chkWholeWord, 2, 0, 1, 2);
    fields->addWidget(chkMatchCase, 3, 0, 1, 2);
    fields->addWidget(grpDirection, 2, 2, 2, 1);
    fields->setRowStretch(4, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnFindNext);
    buttons->addWidget(btnReplace);
    buttons->addWidget(btnReplaceAll);
    buttons->addWidget(btnCancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(btnFindNext, &QPushButton::clicked, this, &TReplaceDialog::cdgReplaceFind);
    connect(btnReplace, &QPushButton::clicked, this, [this] { cdgReplaceReplace(false); });
    connect(btnReplaceAll, &QPushButton::clicked, this, [this] { cdgReplaceReplace(true); });
}

QString TReplaceDialog::ReplaceText() const
{
    return txtReplace->text();
}

void TReplaceDialog::SetReplaceText(const QString &text)
{
    txtReplace->setText(text);
}

void TReplaceDialog::cdgReplaceFind()
{
    TkrRichHTML *editor = Editor();
    if (!editor)
        return;
    const QString findText = FindText();
    if (FindNextIn(editor, findText, Options()) < 0) {
        MessageBox(mkInformation, QStringLiteral("Search string \"%1\" not found.").arg(findText), mbOK, this);
        hide();
        return;
    }
    const int answer = MessageBox(mkConfirm, QStringLiteral("Replace this occurrence of \"%1\"?").arg(findText),
                                  mbYes | mbNo, this);
    // Yes replaces the match just selected, in the editor it was found in.
    if (answer == mbYes)
        editor->ReplaceText(editor->SelStart(), editor->SelLength(), ReplaceText());
}

void TReplaceDialog::cdgReplaceReplace(bool replaceAll)
{
    TkrRichHTML *editor = Editor();
    if (!editor)
        return;
    const bool replaced = replaceAll ? ReplaceAllIn(editor, FindText(), ReplaceText(), Options()) > 0
                                     : ReplaceNextIn(editor, FindText(), ReplaceText(), Options());
    // Replace All always ends in a search that fails; Replace only when there was nothing.
    if (replaceAll || !replaced) {
        MessageBox(mkInformation, QStringLiteral("Search Complete."), mbOK, this);
        hide();
    }
}
