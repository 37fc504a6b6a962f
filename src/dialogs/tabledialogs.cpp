#include "dialogs/tabledialogs.h"
#include "dialogs/listboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/configstore.h"
#include "platform/filedialogs.h"
#include "settings/colorcombo.h"
#include "dialogs/rundialog.h"

namespace {

const QString RegRoot = PendwickKey();

enum TBoxKeys { bkDigits, bkDigitsPercent, bkAny };

// A box that takes only the given keys, and at most maxLength characters of typing. Both
// limits are a validator, never QLineEdit's maximum length: a validator judges only what
// the user types, while a maximum length would also cut a longer value read from a tag
// (WIDTH="100px"). An edit that starts from such a value is let through until the text
// is valid again.
QLineEdit *Box(QWidget *parent, const QString &name, TBoxKeys keys, int maxLength = 0)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    if (keys != bkAny || maxLength > 0) {
        const QString chars = keys == bkDigits        ? QStringLiteral("[0-9]")
                              : keys == bkDigitsPercent ? QStringLiteral("[0-9%]")
                                                        : QStringLiteral(".");
        const QString count = maxLength > 0 ? QStringLiteral("{0,%1}").arg(maxLength) : QStringLiteral("*");
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(chars + count), box));
    }
    return box;
}

TUpDownBox UpDown(QWidget *parent, const QString &name, TBoxKeys keys, int minimum, int maximum, int step,
                  int maxLength = 0)
{
    TUpDownBox b;
    b.Panel = new QWidget(parent);
    auto *row = new QHBoxLayout(b.Panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    b.Edit = Box(b.Panel, name, keys, maxLength);
    b.Up = new QToolButton(b.Panel);
    b.Up->setObjectName(name + QStringLiteral("Up"));
    b.Up->setArrowType(Qt::UpArrow);
    b.Down = new QToolButton(b.Panel);
    b.Down->setObjectName(name + QStringLiteral("Down"));
    b.Down->setArrowType(Qt::DownArrow);
    row->addWidget(b.Edit, 1);
    row->addWidget(b.Up);
    row->addWidget(b.Down);
    QLineEdit *edit = b.Edit;
    QObject::connect(b.Up, &QToolButton::clicked, edit,
                     [=] { edit->setText(StepBoxValue(edit->text(), step, minimum, maximum)); });
    QObject::connect(b.Down, &QToolButton::clicked, edit,
                     [=] { edit->setText(StepBoxValue(edit->text(), -step, minimum, maximum)); });
    return b;
}

QComboBox *WordList(QWidget *parent, const QString &name, const QStringList &words)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->addItems(words);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    return box;
}

void AddRow(QGridLayout *grid, int row, int column, const QString &label, QWidget *field)
{
    auto *caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    grid->addWidget(caption, row, column);
    grid->addWidget(field, row, column + 1);
}

TkrColorCombo *ColorCombo(QWidget *parent)
{
    auto *combo = new TkrColorCombo(parent);
    combo->setObjectName(QStringLiteral("krColorBG"));
    combo->SetRegRoot(RegRoot);
    return combo;
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// OK and Cancel at the bottom of a dialog.
void AddOKCancel(QDialog *dialog, QVBoxLayout *layout, QPushButton *&ok, QPushButton *&cancel)
{
    auto *buttons = new QHBoxLayout;
    ok = Button(dialog, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    ok->setDefault(true);
    cancel = Button(dialog, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

// The background-image box with its browse button; a chosen file goes in as a reference.
QWidget *ImageChooser(QWidget *parent, QLineEdit *&edit, QPushButton *&browse, const TDialogContext *context)
{
    auto *panel = new QWidget(parent);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    edit = Box(panel, QStringLiteral("txtBkImage"), bkAny);
    browse = Button(panel, QStringLiteral("btnBkImage"), QStringLiteral("..."));
    row->addWidget(edit, 1);
    row->addWidget(browse);
    QLineEdit *target = edit;
    QObject::connect(browse, &QPushButton::clicked, panel, [=] {
        const QString file =
            RunFileDialog(fdOpen, panel->window(), TableImageDialogTitle(), context->BaseFolder, TableImageFilter());
        if (!file.isEmpty() && QFileInfo(file).isFile())
            target->setText(TableBackgroundReference(*context, file));
    });
    return panel;
}

void SetSwatch(QFrame *swatch, TColor color)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColorToQColor(color));
    swatch->setPalette(palette);
}

QFrame *Swatch(QWidget *parent, const QString &name)
{
    auto *swatch = new QFrame(parent);
    swatch->setObjectName(name);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(24, 20);
    return swatch;
}

// Restores the cursor however the preparation ends.
struct THourglass
{
    THourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { Restore(); }
    void Restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }
    bool m_on = true;
};

} // namespace

// ---- quick table sizer

TkrTableSizer::TkrTableSizer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("krTableSizer"));
    setMouseTracking(true);
    setFixedSize(TableSizerPanelSize());
    setAutoFillBackground(true);
    pnlStatus = new QLabel(this);
    pnlStatus->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus->setFrameShape(QFrame::Panel);
    pnlStatus->setFrameShadow(QFrame::Sunken);
    pnlStatus->setGeometry(0, height() - TableSizerStatusHeight, width(), TableSizerStatusHeight);
    hide();
}

QString TkrTableSizer::StatusText() const
{
    return pnlStatus->text();
}

bool TkrTableSizer::IsCellHighlighted(int row, int column) const
{
    return TableSizerCellHighlighted(row, column, m_hoverRows, m_hoverColumns);
}

void TkrTableSizer::HoverCell(int row, int column)
{
    if (row < 1 || column < 1 || row > TableSizerRows || column > TableSizerColumns)
        return;
    if (row == m_hoverRows && column == m_hoverColumns)
        return;
    m_hoverRows = row;
    m_hoverColumns = column;
    pnlStatus->setText(TableSizerStatusText(row, column));
    update();
}

void TkrTableSizer::SelectCell(int row, int column)
{
    if (row < 1 || column < 1 || row > TableSizerRows || column > TableSizerColumns)
        return;
    hide();
    Reset();
    emit OnCellSelect(this, row, column);
}

void TkrTableSizer::Reset()
{
    m_hoverRows = 0;
    m_hoverColumns = 0;
    pnlStatus->clear();
    update();
}

void TkrTableSizer::ToggleUnder(const QWidget *button, const QWidget *toolBarPanel)
{
    if (isVisible()) {
        hide();
        return;
    }
    QPoint at(button->mapTo(toolBarPanel->window(), QPoint(0, 0)).x() + 10,
              toolBarPanel->mapTo(toolBarPanel->window(), QPoint(0, toolBarPanel->height())).y() - 7);
    if (parentWidget())
        at = parentWidget()->mapFrom(toolBarPanel->window(), at);
    move(at);
    show();
    raise();
}

void TkrTableSizer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::gray);
    for (int r = 1; r <= TableSizerRows; ++r)
        for (int c = 1; c <= TableSizerColumns; ++c) {
            const QRect cell = TableSizerCellRect(r, c);
            painter.fillRect(cell, IsCellHighlighted(r, c) ? QColor(Qt::darkBlue) : QColor(Qt::white));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
}

void TkrTableSizer::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint cell = TableSizerCellAt(event->position().toPoint());
    if (cell.x() > 0)
        HoverCell(cell.y(), cell.x());
}

void TkrTableSizer::mousePressEvent(QMouseEvent *event)
{
    const QPoint cell = TableSizerCellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.x() > 0)
        SelectCell(cell.y(), cell.x());
}

// ---- Table Wizard

TfTableWizard::TfTableWizard(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTableWizard"));
    setWindowTitle(QStringLiteral("Table Wizard"));
    auto *layout = new QVBoxLayout(this);
    pgcWizard = new QTabWidget(this);
    pgcWizard->setObjectName(QStringLiteral("pgcWizard"));
    layout->addWidget(pgcWizard);

    // Table Properties
    auto *tablePage = new QWidget(pgcWizard);
    auto *tg = new QGridLayout(tablePage);
    txtRows = UpDown(tablePage, QStringLiteral("txtRows"), bkDigits, 1, WizardMaxCount, 1);
    txtCols = UpDown(tablePage, QStringLiteral("txtCols"), bkDigits, 1, WizardMaxCount, 1);
    txtCaption = Box(tablePage, QStringLiteral("txtCaption"), bkAny);
    txtPadding = UpDown(tablePage, QStringLiteral("txtPadding"), bkDigits, 0, 99, 1);
    txtSpacing = UpDown(tablePage, QStringLiteral("txtSpacing"), bkDigits, 0, 99, 1);
    txtTblWidth = UpDown(tablePage, QStringLiteral("txtTblWidth"), bkDigitsPercent, 0, 999, 5);
    txtBorder = UpDown(tablePage, QStringLiteral("txtBorder"), bkDigitsPercent, 0, 99, 1);
    cboTblAlign = WordList(tablePage, QStringLiteral("cboTblAlign"), TableAlignWords());
    cboTblVAlign = WordList(tablePage, QStringLiteral("cboTblVAlign"), TableVAlignWords());
    AddRow(tg, 0, 0, QStringLiteral("Rows"), txtRows.Panel);
    AddRow(tg, 0, 2, QStringLiteral("Columns"), txtCols.Panel);
    auto *captionLabel = new QLabel(QStringLiteral("Caption"), tablePage);
    captionLabel->setBuddy(txtCaption);
    tg->addWidget(captionLabel, 1, 0);
    tg->addWidget(txtCaption, 1, 1, 1, 3);
    AddRow(tg, 2, 0, QStringLiteral("Cell Padding"), txtPadding.Panel);
    AddRow(tg, 2, 2, QStringLiteral("Cell Spacing"), txtSpacing.Panel);
    AddRow(tg, 3, 0, QStringLiteral("Table Width"), txtTblWidth.Panel);
    AddRow(tg, 3, 2, QStringLiteral("Border Width"), txtBorder.Panel);
    AddRow(tg, 4, 0, QStringLiteral("Align"), cboTblAlign);
    AddRow(tg, 4, 2, QStringLiteral("VAlign"), cboTblVAlign);
    chkTblBackground = new QCheckBox(QStringLiteral("Bkgrnd. Color"), tablePage);
    chkTblBackground->setObjectName(QStringLiteral("chkTblBackground"));
    spdTblColor = Button(tablePage, QStringLiteral("spdTblColor"), QStringLiteral("..."));
    pnlTblColor = Swatch(tablePage, QStringLiteral("pnlTblColor"));
    tg->addWidget(chkTblBackground, 5, 0);
    tg->addWidget(pnlTblColor, 5, 1, Qt::AlignLeft);
    tg->addWidget(spdTblColor, 5, 2, Qt::AlignLeft);
    krTblColorSelect = new TkrColorSelection(tablePage);
    krTblColorSelect->setObjectName(QStringLiteral("krTblColorSelect"));
    krTblColorSelect->SetRegRoot(RegRoot);
    krTblColorSelect->hide();
    tg->addWidget(krTblColorSelect, 6, 0, 1, 4, Qt::AlignLeft);
    tg->setRowStretch(7, 1);
    pgcWizard->addTab(tablePage, QStringLiteral("&Table Properties"));

    // Cell Properties
    auto *cellPage = new QWidget(pgcWizard);
    auto *cg = new QGridLayout(cellPage);
    txtCellWidth = Box(cellPage, QStringLiteral("txtCellWidth"), bkDigitsPercent);
    txtCellHeight = Box(cellPage, QStringLiteral("txtCellHeight"), bkAny);
    cboCellAlign = WordList(cellPage, QStringLiteral("cboCellAlign"), CellAlignWords());
    cboCellVAlign = WordList(cellPage, QStringLiteral("cboCellVAlign"), CellVAlignWords());
    chkNoWrap = new QCheckBox(QStringLiteral("NOWRAP"), cellPage);
    chkNoWrap->setObjectName(QStringLiteral("chkNoWrap"));
    chkCellBackground = new QCheckBox(QStringLiteral("Bkgrnd. Color"), cellPage);
    chkCellBackground->setObjectName(QStringLiteral("chkCellBackground"));
    spdCellColor = Button(cellPage, QStringLiteral("spdCellColor"), QStringLiteral("..."));
    pnlCellColor = Swatch(cellPage, QStringLiteral("pnlCellColor"));
    txtCellRowSpan = UpDown(cellPage, QStringLiteral("txtCellRowSpan"), bkDigitsPercent, 1, 99, 1);
    txtCellColSpan = UpDown(cellPage, QStringLiteral("txtCellColSpan"), bkDigitsPercent, 1, 99, 1);
    AddRow(cg, 0, 0, QStringLiteral("Width"), txtCellWidth);
    AddRow(cg, 0, 2, QStringLiteral("Height"), txtCellHeight);
    AddRow(cg, 1, 0, QStringLiteral("Align"), cboCellAlign);
    AddRow(cg, 1, 2, QStringLiteral("VAlign"), cboCellVAlign);
    AddRow(cg, 2, 0, QStringLiteral("Row Span"), txtCellRowSpan.Panel);
    AddRow(cg, 2, 2, QStringLiteral("Column Span"), txtCellColSpan.Panel);
    cg->addWidget(chkNoWrap, 3, 0);
    cg->addWidget(chkCellBackground, 4, 0);
    cg->addWidget(pnlCellColor, 4, 1, Qt::AlignLeft);
    cg->addWidget(spdCellColor, 4, 2, Qt::AlignLeft);
    krCellColorSelect = new TkrColorSelection(cellPage);
    krCellColorSelect->setObjectName(QStringLiteral("krCellColorSelect"));
    krCellColorSelect->SetRegRoot(RegRoot);
    krCellColorSelect->hide();
    cg->addWidget(krCellColorSelect, 5, 0, 1, 4, Qt::AlignLeft);
    cg->setRowStretch(6, 1);
    pgcWizard->addTab(cellPage, QStringLiteral("Cell &Properties"));

    grdTable = new QTableWidget(1, 1, this);
    grdTable->setObjectName(QStringLiteral("grdTable"));
    grdTable->horizontalHeader()->hide();
    grdTable->verticalHeader()->hide();
    grdTable->horizontalHeader()->setDefaultSectionSize(288);
    grdTable->verticalHeader()->setDefaultSectionSize(51);
    grdTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdTable->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdTable->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grdTable->setTabKeyNavigation(true);
    grdTable->setSelectionMode(QAbstractItemView::SingleSelection);
    grdTable->setMinimumHeight(160);
    layout->addWidget(grdTable, 1);

    auto *buttons = new QHBoxLayout;
    cmdClear = Button(this, QStringLiteral("cmdClear"), QStringLiteral("&Clear"));
    cmdOK = Button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdCancel = Button(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    txtRows.Edit->setText(QStringLiteral("1"));
    txtCols.Edit->setText(QStringLiteral("1"));
    txtPadding.Edit->setText(QStringLiteral("0"));
    txtSpacing.Edit->setText(QStringLiteral("0"));
    txtTblWidth.Edit->setText(QStringLiteral("0"));
    txtBorder.Edit->setText(QStringLiteral("0"));
    txtCellRowSpan.Edit->setText(QStringLiteral("1"));
    txtCellColSpan.Edit->setText(QStringLiteral("1"));
    SetTableColor(Colors::clBlack);
    SetCellColor(Colors::clBlack);
    spdTblColor->setEnabled(false);
    spdCellColor->setEnabled(false);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdClear, &QPushButton::clicked, this, &TfTableWizard::cmdClearClick);

    // Grid size: the up-downs at once, the boxes when left after a change.
    connect(txtRows.Up, &QToolButton::clicked, this, &TfTableWizard::ApplyRows);
    connect(txtRows.Down, &QToolButton::clicked, this, &TfTableWizard::ApplyRows);
    connect(txtRows.Edit, &QLineEdit::editingFinished, this, &TfTableWizard::ApplyRows);
    connect(txtCols.Up, &QToolButton::clicked, this, &TfTableWizard::ApplyColumns);
    connect(txtCols.Down, &QToolButton::clicked, this, &TfTableWizard::ApplyColumns);
    connect(txtCols.Edit, &QLineEdit::editingFinished, this, &TfTableWizard::ApplyColumns);

    connect(chkTblBackground, &QCheckBox::toggled, spdTblColor, &QWidget::setEnabled);
    connect(spdTblColor, &QPushButton::clicked, this,
            [this] { krTblColorSelect->setVisible(!krTblColorSelect->isVisible()); });
    connect(krTblColorSelect, &TkrColorSelection::OnColorSelect, this, [this](TkrColorSelection *, TColor color) {
        SetTableColor(color);
        krTblColorSelect->hide();
    });
    connect(pgcWizard, &QTabWidget::currentChanged, this, [this] {
        krTblColorSelect->hide();
        krCellColorSelect->hide();
    });

    // Every change on the cell page goes into the current cell.
    connect(txtCellWidth, &QLineEdit::textChanged, this, &TfTableWizard::StoreCellPage);
    connect(txtCellHeight, &QLineEdit::textChanged, this, &TfTableWizard::StoreCellPage);
    connect(txtCellRowSpan.Edit, &QLineEdit::textChanged, this, &TfTableWizard::StoreCellPage);
    connect(txtCellColSpan.Edit, &QLineEdit::textChanged, this, &TfTableWizard::StoreCellPage);
    connect(cboCellAlign, &QComboBox::currentTextChanged, this, &TfTableWizard::StoreCellPage);
    connect(cboCellVAlign, &QComboBox::currentTextChanged, this, &TfTableWizard::StoreCellPage);
    connect(chkNoWrap, &QCheckBox::toggled, this, &TfTableWizard::StoreCellPage);
    connect(chkCellBackground, &QCheckBox::toggled, this, [this](bool on) {
        spdCellColor->setEnabled(on);
        StoreCellPage();
    });
    connect(spdCellColor, &QPushButton::clicked, this,
            [this] { krCellColorSelect->setVisible(!krCellColorSelect->isVisible()); });
    connect(krCellColorSelect, &TkrColorSelection::OnColorSelect, this, [this](TkrColorSelection *, TColor color) {
        SetCellColor(color);
        krCellColorSelect->hide();
        StoreCellPage();
    });

    connect(grdTable, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_syncing)
            SelectGridCell(row, column);
    });
    connect(grdTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!m_syncing && item)
            m_model.SetText(item->row(), item->column(), item->text());
    });

    SyncGrid();
}

TTableWizardProperties TfTableWizard::Properties() const
{
    TTableWizardProperties p;
    p.Caption = txtCaption->text();
    p.Padding = txtPadding.Edit->text();
    p.Spacing = txtSpacing.Edit->text();
    p.Width = txtTblWidth.Edit->text();
    p.Border = txtBorder.Edit->text();
    p.Align = cboTblAlign->currentText();
    p.VAlign = cboTblVAlign->currentText();
    p.Background = chkTblBackground->isChecked();
    p.Color = m_tblColor;
    return p;
}

TTagResult TfTableWizard::Build()
{
    m_model.Properties = Properties();
    return {m_model.Build(), QString()};
}

void TfTableWizard::ApplyRows()
{
    const int rows = WizardCountFromText(txtRows.Edit->text());
    if (rows == m_model.RowCount())
        return;
    m_model.SetRowCount(rows);
    SyncGrid();
}

void TfTableWizard::ApplyColumns()
{
    const int columns = WizardCountFromText(txtCols.Edit->text());
    if (columns == m_model.ColumnCount())
        return;
    m_model.SetColumnCount(columns);
    SyncGrid();
}

void TfTableWizard::SelectGridCell(int row, int column)
{
    if (!m_model.Contains(row, column))
        return;
    m_model.SetCurrent(row, column);
    ShowCellText(row, column);
    if (grdTable->currentRow() != row || grdTable->currentColumn() != column) {
        const bool syncing = m_syncing;
        m_syncing = true;
        grdTable->setCurrentCell(row, column);
        m_syncing = syncing;
    }
    LoadCellPage();
}

// The grid shows the model: its size, every cell's text and the current cell. The model is
// resized before the grid, so nothing the grid reports during the change can name a cell the
// model no longer has.
void TfTableWizard::SyncGrid()
{
    m_syncing = true;
    grdTable->setRowCount(m_model.RowCount());
    grdTable->setColumnCount(m_model.ColumnCount());
    for (int r = 0; r < m_model.RowCount(); ++r)
        for (int c = 0; c < m_model.ColumnCount(); ++c)
            ShowCellText(r, c);
    grdTable->setCurrentCell(m_model.CurrentRow(), m_model.CurrentColumn());
    m_syncing = false;
    LoadCellPage();
}

void TfTableWizard::ShowCellText(int row, int column)
{
    const bool syncing = m_syncing;
    m_syncing = true;
    QTableWidgetItem *item = grdTable->item(row, column);
    const QString text = m_model.Text(row, column);
    if (!item)
        grdTable->setItem(row, column, new QTableWidgetItem(text));
    else if (item->text() != text)
        item->setText(text);
    m_syncing = syncing;
}

void TfTableWizard::LoadCellPage()
{
    const TCellAttributes a = m_model.CurrentAttributes();
    const bool syncing = m_syncing;
    m_syncing = true;
    ChooseListText(cboCellAlign, a.Align);
    ChooseListText(cboCellVAlign, a.VAlign);
    txtCellWidth->setText(a.Width);
    txtCellHeight->setText(a.Height);
    txtCellRowSpan.Edit->setText(a.RowSpan);
    txtCellColSpan.Edit->setText(a.ColSpan);
    chkNoWrap->setChecked(a.NoWrap);
    chkCellBackground->setChecked(a.Background);
    spdCellColor->setEnabled(a.Background);
    SetCellColor(a.Color);
    m_syncing = syncing;
}

void TfTableWizard::StoreCellPage()
{
    if (m_syncing)
        return;
    TCellAttributes a;
    a.Align = cboCellAlign->currentText();
    a.VAlign = cboCellVAlign->currentText();
    a.Width = txtCellWidth->text();
    a.Height = txtCellHeight->text();
    a.ColSpan = txtCellColSpan.Edit->text();
    a.RowSpan = txtCellRowSpan.Edit->text();
    a.Background = chkCellBackground->isChecked();
    a.Color = a.Background ? m_cellColor : 0;
    a.NoWrap = chkNoWrap->isChecked();
    m_model.SetCurrentAttributes(a);
    ShowCellText(m_model.CurrentRow(), m_model.CurrentColumn());
}

void TfTableWizard::cmdClearClick()
{
    txtRows.Edit->setText(QStringLiteral("1"));
    txtCols.Edit->setText(QStringLiteral("1"));
    m_model.Clear();
    m_syncing = true;
    grdTable->clearContents();
    m_syncing = false;
    SyncGrid();
}

void TfTableWizard::SetTableColor(TColor color)
{
    m_tblColor = color;
    SetSwatch(pnlTblColor, color);
}

void TfTableWizard::SetCellColor(TColor color)
{
    m_cellColor = color;
    SetSwatch(pnlCellColor, color);
}

std::optional<TTagResult> TfTableWizard::Execute(QWidget *parent, const TDialogContext &context)
{
    THourglass hourglass;
    TfTableWizard dialog(parent);
    hourglass.Restore();
    if (context.Show && dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    THourglass building;
    return dialog.Build();
}

// ---- Table dialog

TfTable::TfTable(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTable"));
    setWindowTitle(QStringLiteral("Table"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    txtSpacing = UpDown(this, QStringLiteral("txtSpacing"), bkDigits, 0, 99, 1);
    txtPadding = UpDown(this, QStringLiteral("txtPadding"), bkDigits, 0, 99, 1);
    txtBorder = UpDown(this, QStringLiteral("txtBorder"), bkDigits, 0, 99, 1);
    cboAlign = WordList(this, QStringLiteral("cboAlign"), TableAlignWords());
    cboVAlign = WordList(this, QStringLiteral("cboVAlign"), TableVAlignWords());
    krColorBG = ColorCombo(this);
    QWidget *image = ImageChooser(this, txtBkImage, btnBkImage, &m_context);
    txtWidth = UpDown(this, QStringLiteral("txtWidth"), bkDigitsPercent, 0, 999, 5, TableSizeMaxLength);
    AddRow(grid, 0, 0, QStringLiteral("Cell Spacing"), txtSpacing.Panel);
    AddRow(grid, 0, 2, QStringLiteral("Cell Padding"), txtPadding.Panel);
    AddRow(grid, 1, 0, QStringLiteral("Border"), txtBorder.Panel);
    AddRow(grid, 1, 2, QStringLiteral("Width"), txtWidth.Panel);
    AddRow(grid, 2, 0, QStringLiteral("Align"), cboAlign);
    AddRow(grid, 2, 2, QStringLiteral("VAlign"), cboVAlign);
    AddRow(grid, 3, 0, QStringLiteral("Background Color"), krColorBG);
    auto *imageLabel = new QLabel(QStringLiteral("Background Image"), this);
    imageLabel->setBuddy(txtBkImage);
    grid->addWidget(imageLabel, 4, 0);
    grid->addWidget(image, 4, 1, 1, 3);
    layout->addLayout(grid);
    AddOKCancel(this, layout, cmdOK, cmdCancel);
    SetFields(TTableFields());
}

void TfTable::Open(const TDialogContext &context)
{
    m_context = context;
    krColorBG->SetForceHex(context.ForceHexColor);
    SetFields(OpenTableFields(context));
}

TTableFields TfTable::Fields() const
{
    TTableFields f;
    f.Spacing = txtSpacing.Edit->text();
    f.Padding = txtPadding.Edit->text();
    f.Border = txtBorder.Edit->text();
    f.Align = cboAlign->currentText();
    f.VAlign = cboVAlign->currentText();
    f.BgColor = krColorBG->Text();
    f.BkImage = txtBkImage->text();
    f.Width = txtWidth.Edit->text();
    return f;
}

void TfTable::SetFields(const TTableFields &f)
{
    txtSpacing.Edit->setText(f.Spacing);
    txtPadding.Edit->setText(f.Padding);
    txtBorder.Edit->setText(f.Border);
    ChooseListText(cboAlign, f.Align);
    ChooseListText(cboVAlign, f.VAlign);
    krColorBG->SetText(f.BgColor);
    txtBkImage->setText(f.BkImage);
    txtWidth.Edit->setText(f.Width);
}

TTagResult TfTable::Build() const
{
    return BuildTableTag(Fields(), m_context);
}

std::optional<TTagResult> TfTable::Execute(QWidget *parent, const TDialogContext &context)
{
    TfTable dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- Table Row dialog

TfTableRow::TfTableRow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTableRow"));
    setWindowTitle(QStringLiteral("Table Row"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    cboAlign = WordList(this, QStringLiteral("cboAlign"), CellAlignWords());
    cboVAlign = WordList(this, QStringLiteral("cboVAlign"), CellVAlignWords());
    krColorBG = ColorCombo(this);
    txtWidth = Box(this, QStringLiteral("txtWidth"), bkDigitsPercent, TableSizeMaxLength);
    txtHeight = Box(this, QStringLiteral("txtHeight"), bkDigitsPercent, TableSizeMaxLength);
    AddRow(grid, 0, 0, QStringLiteral("Align"), cboAlign);
    AddRow(grid, 0, 2, QStringLiteral("VAlign"), cboVAlign);
    AddRow(grid, 1, 0, QStringLiteral("Width"), txtWidth);
    AddRow(grid, 1, 2, QStringLiteral("Height"), txtHeight);
    AddRow(grid, 2, 0, QStringLiteral("Background Color"), krColorBG);
    layout->addLayout(grid);
    AddOKCancel(this, layout, cmdOK, cmdCancel);
    SetFields(TTableRowFields());
}

void TfTableRow::Open(const TDialogContext &context)
{
    m_context = context;
    krColorBG->SetForceHex(context.ForceHexColor);
    SetFields(OpenTableRowFields(context));
}

TTableRowFields TfTableRow::Fields() const
{
    TTableRowFields f;
    f.Align = cboAlign->currentText();
    f.VAlign = cboVAlign->currentText();
    f.BgColor = krColorBG->Text();
    f.Width = txtWidth->text();
    f.Height = txtHeight->text();
    return f;
}

void TfTableRow::SetFields(const TTableRowFields &f)
{
    ChooseListText(cboAlign, f.Align);
    ChooseListText(cboVAlign, f.VAlign);
    krColorBG->SetText(f.BgColor);
    txtWidth->setText(f.Width);
    txtHeight->setText(f.Height);
}

TTagResult TfTableRow::Build() const
{
    return BuildTableRowTag(Fields(), m_context);
}

std::optional<TTagResult> TfTableRow::Execute(QWidget *parent, const TDialogContext &context)
{
    TfTableRow dialog(parent);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}

// ---- cell dialog

TfTableAttribute::TfTableAttribute(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTableAttribute"));
    auto *layout = new QVBoxLayout(this);
    imgMode = new QLabel(this);
    imgMode->setObjectName(QStringLiteral("imgMode"));
    imgMode->setFrameShape(QFrame::Box);
    imgMode->setAlignment(Qt::AlignCenter);
    layout->addWidget(imgMode);
    auto *grid = new QGridLayout;
    cboCellAlign = WordList(this, QStringLiteral("cboCellAlign"), CellAlignWords());
    cboCellVAlign = WordList(this, QStringLiteral("cboCellVAlign"), CellVAlignWords());
    krColorBG = ColorCombo(this);
    txtCellColSpan = UpDown(this, QStringLiteral("txtCellColSpan"), bkDigits, 1, 99, 1, TableSpanMaxLength);
    txtCellRowSpan = UpDown(this, QStringLiteral("txtCellRowSpan"), bkDigits, 1, 99, 1, TableSpanMaxLength);
    QWidget *image = ImageChooser(this, txtBkImage, btnBkImage, &m_context);
    txtCellWidth = Box(this, QStringLiteral("txtCellWidth"), bkDigitsPercent, TableSizeMaxLength);
    txtCellHeight = Box(this, QStringLiteral("txtCellHeight"), bkDigitsPercent, TableSizeMaxLength);
    chkNoWrap = new QCheckBox(QStringLiteral("NOWRAP"), this);
    chkNoWrap->setObjectName(QStringLiteral("chkNoWrap"));
    AddRow(grid, 0, 0, QStringLiteral("Align"), cboCellAlign);
    AddRow(grid, 0, 2, QStringLiteral("VAlign"), cboCellVAlign);
    AddRow(grid, 1, 0, QStringLiteral("Column Span"), txtCellColSpan.Panel);
    AddRow(grid, 1, 2, QStringLiteral("Row Span"), txtCellRowSpan.Panel);
    AddRow(grid, 2, 0, QStringLiteral("Width"), txtCellWidth);
    AddRow(grid, 2, 2, QStringLiteral("Height"), txtCellHeight);
    AddRow(grid, 3, 0, QStringLiteral("Background Color"), krColorBG);
    grid->addWidget(chkNoWrap, 3, 3);
    auto *imageLabel = new QLabel(QStringLiteral("Background Image"), this);
    imageLabel->setBuddy(txtBkImage);
    grid->addWidget(imageLabel, 4, 0);
    grid->addWidget(image, 4, 1, 1, 3);
    layout->addLayout(grid);
    AddOKCancel(this, layout, cmdOK, cmdCancel);
    SetHeaderMode(false);
    SetFields(TTableCellFields());
}

void TfTableAttribute::SetHeaderMode(bool header)
{
    m_header = header;
    setWindowTitle(TableCellCaption(header));
    // A small picture of the cell kind: a bold heading cell or a plain data cell.
    imgMode->setText(header ? QStringLiteral("<b>&lt;TH&gt;</b> Heading cell") : QStringLiteral("&lt;TD&gt; Data cell"));
}

void TfTableAttribute::Open(const TDialogContext &context)
{
    m_context = context;
    krColorBG->SetForceHex(context.ForceHexColor);
    SetFields(OpenTableCellFields(context));
}

TTableCellFields TfTableAttribute::Fields() const
{
    TTableCellFields f;
    f.Align = cboCellAlign->currentText();
    f.VAlign = cboCellVAlign->currentText();
    f.BgColor = krColorBG->Text();
    f.ColSpan = txtCellColSpan.Edit->text();
    f.RowSpan = txtCellRowSpan.Edit->text();
    f.BkImage = txtBkImage->text();
    f.Width = txtCellWidth->text();
    f.Height = txtCellHeight->text();
    f.NoWrap = chkNoWrap->isChecked();
    return f;
}

void TfTableAttribute::SetFields(const TTableCellFields &f)
{
    ChooseListText(cboCellAlign, f.Align);
    ChooseListText(cboCellVAlign, f.VAlign);
    krColorBG->SetText(f.BgColor);
    txtCellColSpan.Edit->setText(f.ColSpan);
    txtCellRowSpan.Edit->setText(f.RowSpan);
    txtBkImage->setText(f.BkImage);
    txtCellWidth->setText(f.Width);
    txtCellHeight->setText(f.Height);
    chkNoWrap->setChecked(f.NoWrap);
}

TTagResult TfTableAttribute::Build() const
{
    TDialogContext context = m_context;
    context.HeaderCell = m_header;
    return BuildTableCellTag(Fields(), context);
}

std::optional<TTagResult> TfTableAttribute::Execute(QWidget *parent, const TDialogContext &context)
{
    TfTableAttribute dialog(parent);
    dialog.SetHeaderMode(context.HeaderCell);
    dialog.Open(context);
    return RunTagDialog(dialog, context);
}
