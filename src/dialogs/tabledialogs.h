#pragma once

#include <optional>

#include <QDialog>
#include <QWidget>

#include "dialogs/tablemarkup.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolButton;
class TkrColorCombo;
class TkrColorSelection;

// A box with an up and a down button beside it, stepping its number within a range.
struct TUpDownBox
{
    QWidget *Panel = nullptr;
    QLineEdit *Edit = nullptr;
    QToolButton *Up = nullptr;
    QToolButton *Down = nullptr;
};

// ---- quick table sizer

// The grid of 6 by 12 squares that drops down under the QuickTable button. Moving the mouse
// over it highlights a size and shows it in the status strip; a click hides the sizer and
// reports the size through OnCellSelect.
class TkrTableSizer : public QWidget
{
    Q_OBJECT

public:
    explicit TkrTableSizer(QWidget *parent = nullptr);

    // The size under the mouse, 0 when none.
    int HoverRows() const { return m_hoverRows; }
    int HoverColumns() const { return m_hoverColumns; }
    QString StatusText() const;
    bool IsCellHighlighted(int row, int column) const;

    // What the mouse does, callable directly: hovering over and clicking a cell.
    void HoverCell(int row, int column);
    void SelectCell(int row, int column);

    // The QuickTable button's click: hides a visible sizer; otherwise places it with its left
    // edge 10 pixels right of the button's left edge and its top 7 pixels above the bottom of
    // the tool bar panel (both taken in the panel's coordinates), shows it and raises it.
    void ToggleUnder(const QWidget *button, const QWidget *toolBarPanel);

    QLabel *pnlStatus = nullptr;

signals:
    // A cell was clicked: the quick table of rows by columns is wanted (QuickTableText).
    void OnCellSelect(TkrTableSizer *sender, int rows, int columns);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Reset();

    int m_hoverRows = 0;
    int m_hoverColumns = 0;
};

// ---- Table Wizard

// The "Table Wizard": table-wide properties, an editable grid of the cells' contents and the
// properties of the current cell. The grid and its cells are held by TTableWizardModel; this
// dialog only shows them and writes the controls' values back.
class TfTableWizard : public QDialog
{
    Q_OBJECT

public:
    explicit TfTableWizard(QWidget *parent = nullptr);

    const TTableWizardModel &Model() const { return m_model; }
    // The "Table Properties" page as it stands.
    TTableWizardProperties Properties() const;
    // The whole table from the current controls and grid, as the start text (no end text).
    TTagResult Build();

    // Applies the Rows or Columns box to the grid (what leaving the box or its up-down does).
    void ApplyRows();
    void ApplyColumns();
    // Selects a grid cell as a click would.
    void SelectGridCell(int row, int column);

    // Shows the wizard (hourglass while it is prepared); on OK, the whole table as the start
    // text, inserted as a new element. Nothing on Cancel.
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QTabWidget *pgcWizard = nullptr;
    // Table Properties
    TUpDownBox txtRows;
    TUpDownBox txtCols;
    QLineEdit *txtCaption = nullptr;
    TUpDownBox txtPadding;
    TUpDownBox txtSpacing;
    TUpDownBox txtTblWidth;
    TUpDownBox txtBorder;
    QComboBox *cboTblAlign = nullptr;
    QComboBox *cboTblVAlign = nullptr;
    QCheckBox *chkTblBackground = nullptr;
    QPushButton *spdTblColor = nullptr;
    QFrame *pnlTblColor = nullptr;
    TkrColorSelection *krTblColorSelect = nullptr;
    // Cell Properties
    QLineEdit *txtCellWidth = nullptr;
    QLineEdit *txtCellHeight = nullptr;
    QComboBox *cboCellAlign = nullptr;
    QComboBox *cboCellVAlign = nullptr;
    QCheckBox *chkNoWrap = nullptr;
    QCheckBox *chkCellBackground = nullptr;
    QPushButton *spdCellColor = nullptr;
    QFrame *pnlCellColor = nullptr;
    TkrColorSelection *krCellColorSelect = nullptr;
    TUpDownBox txtCellRowSpan;
    TUpDownBox txtCellColSpan;

    QTableWidget *grdTable = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void SyncGrid();
    void LoadCellPage();
    void StoreCellPage();
    void ShowCellText(int row, int column);
    void cmdClearClick();
    void SetTableColor(TColor color);
    void SetCellColor(TColor color);

    TTableWizardModel m_model;
    TColor m_tblColor = Colors::clBlack;
    TColor m_cellColor = Colors::clBlack;
    bool m_syncing = false;     // the grid or the cell page is being filled from the model
};

// ---- Table, Table Row and Table Data / Table Header dialogs

// The "Table" dialog for one TABLE start tag.
class TfTable : public QDialog
{
    Q_OBJECT

public:
    explicit TfTable(QWidget *parent = nullptr);

    // Fills the dialog from the context (defaults, or the edited tag); colours are written as
    // "#RRGGBB" when the context says ForceHexColor.
    void Open(const TDialogContext &context);
    TTableFields Fields() const;
    void SetFields(const TTableFields &fields);
    TTagResult Build() const;

    // One cycle of the dialog: nothing on Cancel. On OK the start tag and, for a new table,
    // "</TABLE>"; in edit mode the end text is empty and only the start tag is replaced.
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    TUpDownBox txtSpacing;
    TUpDownBox txtPadding;
    TUpDownBox txtBorder;
    QComboBox *cboAlign = nullptr;
    QComboBox *cboVAlign = nullptr;
    TkrColorCombo *krColorBG = nullptr;
    QLineEdit *txtBkImage = nullptr;
    QPushButton *btnBkImage = nullptr;
    TUpDownBox txtWidth;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
};

// The "Table Row" dialog for one TR start tag.
class TfTableRow : public QDialog
{
    Q_OBJECT

public:
    explicit TfTableRow(QWidget *parent = nullptr);

    void Open(const TDialogContext &context);
    TTableRowFields Fields() const;
    void SetFields(const TTableRowFields &fields);
    TTagResult Build() const;

    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QComboBox *cboAlign = nullptr;
    QComboBox *cboVAlign = nullptr;
    TkrColorCombo *krColorBG = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLineEdit *txtHeight = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
};

// The cell dialog: "Table Data" for a TD tag, "Table Header" for a TH (or THEAD) tag.
class TfTableAttribute : public QDialog
{
    Q_OBJECT

public:
    explicit TfTableAttribute(QWidget *parent = nullptr);

    // The mode is set before the dialog is filled: caption and picture follow it. Open
    // keeps the mode that is set.
    void SetHeaderMode(bool header);
    bool HeaderMode() const { return m_header; }
    void Open(const TDialogContext &context);
    TTableCellFields Fields() const;
    void SetFields(const TTableCellFields &fields);
    TTagResult Build() const;

    // One cycle in data mode (TD), or in header mode (TH) when the context says HeaderCell;
    // F3 on a THEAD tag opens header mode.
    static std::optional<TTagResult> Execute(QWidget *parent, const TDialogContext &context);

    QLabel *imgMode = nullptr;
    QComboBox *cboCellAlign = nullptr;
    QComboBox *cboCellVAlign = nullptr;
    TkrColorCombo *krColorBG = nullptr;
    TUpDownBox txtCellColSpan;
    TUpDownBox txtCellRowSpan;
    QLineEdit *txtBkImage = nullptr;
    QPushButton *btnBkImage = nullptr;
    QLineEdit *txtCellWidth = nullptr;
    QLineEdit *txtCellHeight = nullptr;
    QCheckBox *chkNoWrap = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    TDialogContext m_context;
    bool m_header = false;
};
