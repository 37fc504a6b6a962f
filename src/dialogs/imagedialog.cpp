#include "dialogs/imagedialog.h"
#include "dialogs/listboxes.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/rundialog.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"

namespace {

QLineEdit *DigitsBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    return box;
}

QLineEdit *TextBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void AddRow(QGridLayout *grid, int row, int column, const QString &label, QWidget *field)
{
    auto *caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    grid->addWidget(caption, row, column);
    grid->addWidget(field, row, column + 1);
}

const QString ImageFilter = QStringLiteral("Web Images (*.jpg *.gif *.png);;Animation Files (*.avi);;All Files (*)");
const QString AnimationFilter = QStringLiteral("Animation Files (*.avi);;Web Images (*.jpg *.gif *.png);;All Files (*)");

} // namespace

TfImg::TfImg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfImg"));
    setWindowTitle(QStringLiteral("Image"));
    auto *layout = new QVBoxLayout(this);

    auto *image = new QGroupBox(this);
    auto *grid = new QGridLayout(image);

    txtSource = TextBox(image, "txtSource");
    btnSource = new QPushButton(QStringLiteral("..."), image);
    btnSource->setObjectName(QStringLiteral("btnSource"));
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(txtSource, 1);
    sourceRow->addWidget(btnSource);
    auto *sourceLabel = new QLabel(QStringLiteral("Source"), image);
    sourceLabel->setBuddy(txtSource);
    grid->addWidget(sourceLabel, 0, 0);
    grid->addLayout(sourceRow, 0, 1, 1, 3);

    txtWidth = DigitsBox(image, "txtWidth");
    txtHeight = DigitsBox(image, "txtHeight");
    txtHSpace = DigitsBox(image, "txtHSpace");
    txtVSpace = DigitsBox(image, "txtVSpace");
    AddRow(grid, 1, 0, QStringLiteral("Width"), txtWidth);
    AddRow(grid, 1, 2, QStringLiteral("Height"), txtHeight);
    AddRow(grid, 2, 0, QStringLiteral("HSpace"), txtHSpace);
    AddRow(grid, 2, 2, QStringLiteral("VSpace"), txtVSpace);

    auto *borderBox = new QWidget(image);
    auto *borderRow = new QHBoxLayout(borderBox);
    borderRow->setContentsMargins(0, 0, 0, 0);
    borderRow->setSpacing(0);
    txtBorder = DigitsBox(borderBox, "txtBorder");
    updBorderUp = new QToolButton(borderBox);
    updBorderUp->setObjectName(QStringLiteral("updBorderUp"));
    updBorderUp->setArrowType(Qt::UpArrow);
    updBorderDown = new QToolButton(borderBox);
    updBorderDown->setObjectName(QStringLiteral("updBorderDown"));
    updBorderDown->setArrowType(Qt::DownArrow);
    borderRow->addWidget(txtBorder, 1);
    borderRow->addWidget(updBorderUp);
    borderRow->addWidget(updBorderDown);
    AddRow(grid, 3, 0, QStringLiteral("Border"), borderBox);

    cboAlign = new QComboBox(image);
    cboAlign->setObjectName(QStringLiteral("cboAlign"));
    cboAlign->setEditable(true);
    cboAlign->addItems(ImageAlignWords());
    AddRow(grid, 3, 2, QStringLiteral("Align"), cboAlign);

    txtAlt = TextBox(image, "txtAlt");
    txtUseMap = TextBox(image, "txtUseMap");
    chkIsMap = new QCheckBox(QStringLiteral("ISMAP"), image);
    chkIsMap->setObjectName(QStringLiteral("chkIsMap"));
    auto *altLabel = new QLabel(QStringLiteral("Alt. Text"), image);
    altLabel->setBuddy(txtAlt);
    grid->addWidget(altLabel, 4, 0);
    grid->addWidget(txtAlt, 4, 1, 1, 3);
    AddRow(grid, 5, 0, QStringLiteral("Use Map"), txtUseMap);
    grid->addWidget(chkIsMap, 5, 3);
    layout->addWidget(image);

    grpDynSource = new QGroupBox(QStringLiteral("Dynamic Source (MSIE)"), this);
    grpDynSource->setObjectName(QStringLiteral("grpDynSource"));
    auto *dyn = new QGridLayout(grpDynSource);
    txtDynSource = TextBox(grpDynSource, "txtDynSource");
    btnDynSource = new QPushButton(QStringLiteral("..."), grpDynSource);
    btnDynSource->setObjectName(QStringLiteral("btnDynSource"));
    auto *dynRow = new QHBoxLayout;
    dynRow->addWidget(txtDynSource, 1);
    dynRow->addWidget(btnDynSource);
    auto *dynLabel = new QLabel(QStringLiteral("Dyn Source"), grpDynSource);
    dynLabel->setBuddy(txtDynSource);
    dyn->addWidget(dynLabel, 0, 0);
    dyn->addLayout(dynRow, 0, 1, 1, 3);
    cboDynStart = new QComboBox(grpDynSource);
    cboDynStart->setObjectName(QStringLiteral("cboDynStart"));
    cboDynStart->addItems(ImageDynStartWords());
    AddRow(dyn, 1, 0, QStringLiteral("Start"), cboDynStart);
    chkDynInfinite = new QCheckBox(QStringLiteral("Infinite"), grpDynSource);
    chkDynInfinite->setObjectName(QStringLiteral("chkDynInfinite"));
    dyn->addWidget(chkDynInfinite, 1, 3);
    txtDynLoop = DigitsBox(grpDynSource, "txtDynLoop");
    txtDynLoopDelay = DigitsBox(grpDynSource, "txtDynLoopDelay");
    AddRow(dyn, 2, 0, QStringLiteral("Loop"), txtDynLoop);
    AddRow(dyn, 2, 2, QStringLiteral("Loop Delay"), txtDynLoopDelay);
    chkDynControls = new QCheckBox(QStringLiteral("Controls"), grpDynSource);
    chkDynControls->setObjectName(QStringLiteral("chkDynControls"));
    dyn->addWidget(chkDynControls, 3, 1);
    layout->addWidget(grpDynSource);

    auto *buttons = new QHBoxLayout;
    cmdClear = new QPushButton(QStringLiteral("&Clear"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &TfImg::cmdOKClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdClear, &QPushButton::clicked, this, &TfImg::cmdClearClick);
    connect(btnSource, &QPushButton::clicked, this, &TfImg::btnSourceClick);
    connect(btnDynSource, &QPushButton::clicked, this, &TfImg::btnDynSourceClick);
    connect(chkDynInfinite, &QCheckBox::toggled, this, &TfImg::chkDynInfiniteClick);
    connect(updBorderUp, &QToolButton::clicked, this, [this] { StepBorder(1); });
    connect(updBorderDown, &QToolButton::clicked, this, [this] { StepBorder(-1); });
    // A reference typed by hand no longer stands for the file chosen before.
    connect(txtSource, &QLineEdit::textEdited, this, [this] { m_sourceFile.clear(); });
    connect(txtDynSource, &QLineEdit::textEdited, this, [this] { m_dynSourceFile.clear(); });

    SetFields(TImageFields());
}

void TfImg::Open(const TDialogContext &context, bool autoSize)
{
    m_context = context;
    m_autoSize = autoSize;
    SetFields(OpenImageFields(context, autoSize));
}

void TfImg::SetBaseFolder(const QString &folder)
{
    m_context.BaseFolder = folder;
    TImageFields fields = Fields();
    RebaseImageFiles(fields, folder, m_context.LowerCaseFiles);
    SetFields(fields);
}

void TfImg::SetSourceFile(const QString &file)
{
    TImageFields fields = Fields();
    SetImageSourceFile(fields, file, m_context.BaseFolder, m_context.LowerCaseFiles, m_autoSize);
    SetFields(fields);
}

void TfImg::SetDynSourceFile(const QString &file)
{
    TImageFields fields = Fields();
    SetImageDynSourceFile(fields, file, m_context.BaseFolder, m_context.LowerCaseFiles);
    SetFields(fields);
}

TImageFields TfImg::Fields() const
{
    TImageFields f;
    f.Source = txtSource->text();
    f.Width = txtWidth->text();
    f.Height = txtHeight->text();
    f.HSpace = txtHSpace->text();
    f.VSpace = txtVSpace->text();
    f.Border = txtBorder->text();
    f.Align = cboAlign->currentText();
    f.Alt = txtAlt->text();
    f.UseMap = txtUseMap->text();
    f.IsMap = chkIsMap->isChecked();
    f.DynSource = txtDynSource->text();
    f.DynStart = cboDynStart->currentIndex() < 0 ? QString() : cboDynStart->currentText();
    f.DynInfinite = chkDynInfinite->isChecked();
    f.DynLoop = txtDynLoop->text();
    f.DynLoopDelay = txtDynLoopDelay->text();
    f.DynControls = chkDynControls->isChecked();
    f.SourceFile = m_sourceFile;
    f.DynSourceFile = m_dynSourceFile;
    return f;
}

void TfImg::SetFields(const TImageFields &f)
{
    txtSource->setText(f.Source);
    txtWidth->setText(f.Width);
    txtHeight->setText(f.Height);
    txtHSpace->setText(f.HSpace);
    txtVSpace->setText(f.VSpace);
    txtBorder->setText(f.Border);
    ChooseListText(cboAlign, f.Align);
    txtAlt->setText(f.Alt);
    txtUseMap->setText(f.UseMap);
    chkIsMap->setChecked(f.IsMap);
    txtDynSource->setText(f.DynSource);
    ChooseListText(cboDynStart, f.DynStart);
    chkDynInfinite->setChecked(f.DynInfinite);
    txtDynLoop->setText(f.DynLoop);
    txtDynLoopDelay->setText(f.DynLoopDelay);
    chkDynControls->setChecked(f.DynControls);
    m_sourceFile = f.SourceFile;
    m_dynSourceFile = f.DynSourceFile;
    chkDynInfiniteClick();
}

TTagResult TfImg::Build() const
{
    return BuildImageTag(Fields(), m_context);
}

void TfImg::cmdOKClick()
{
    const TImageFields fields = Fields();
    if (!ImageFieldsComplete(fields)) {
        MessageBox(mkWarning, QStringLiteral("Please select an image."), mbOK, this);
        txtSource->setFocus();
        return;
    }
    // The box shows the "#" the tag will carry.
    txtUseMap->setText(ImageUseMapValue(fields, m_context));
    accept();
}

void TfImg::cmdClearClick()
{
    TImageFields fields = Fields();
    ClearImageFields(fields);
    SetFields(fields);
}

void TfImg::btnSourceClick()
{
    const QString file = RunFileDialog(fdOpen, this, QStringLiteral("Select a File"), m_context.BaseFolder, ImageFilter);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        SetSourceFile(file);
}

void TfImg::btnDynSourceClick()
{
    const QString file =
        RunFileDialog(fdOpen, this, QStringLiteral("Select a File"), m_context.BaseFolder, AnimationFilter);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        SetDynSourceFile(file);
}

void TfImg::chkDynInfiniteClick()
{
    const bool counted = !chkDynInfinite->isChecked();
    txtDynLoop->setEnabled(counted);
    txtDynLoopDelay->setEnabled(counted);
}

void TfImg::StepBorder(int step)
{
    bool ok = false;
    const int value = txtBorder->text().toInt(&ok);
    txtBorder->setText(QString::number(std::clamp(ok ? value + step : 0, 0, 10)));
}

std::optional<TTagResult> TfImg::Execute(QWidget *parent, const TDialogContext &context)
{
    TfImg dialog(parent);
    dialog.Open(context, AutoFillImageSizeSetting());
    return RunTagDialog(dialog, context);
}
