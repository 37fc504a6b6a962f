#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include "dialogs/tagdialog.h"
#include "platform/colortypes.h"

// Table markup without widgets: the quick table of the sizer, the Table Wizard's model and
// the whole table it writes, and the TABLE, TR and TD/TH tags of the three table dialogs.
// The widgets in tabledialogs.h only show and gather these values.

// ---- quick table sizer

constexpr int TableSizerColumns = 6;
constexpr int TableSizerRows = 12;
constexpr int TableSizerCellSize = 16;
constexpr int TableSizerCellStep = 17;
constexpr int TableSizerStatusHeight = 20;

// Where the cell of row (1 to 12) and column (1 to 6) stands on the sizer panel.
QRect TableSizerCellRect(int row, int column);
// The cell under a point of the panel as (column, row), or (0, 0) between and outside cells.
QPoint TableSizerCellAt(const QPoint &pos);
// The panel's size: the cells plus the status strip along the bottom.
QSize TableSizerPanelSize();
// "3 x 2 Table" for 3 rows and 2 columns.
QString TableSizerStatusText(int rows, int columns);
// Whether a cell is highlighted while the mouse stands over (hoverRow, hoverColumn).
bool TableSizerCellHighlighted(int row, int column, int hoverRow, int hoverColumn);

// The empty table a sizer click inserts: rows of "<TD> </TD>" cells, one per line and
// indented by a tab, CR LF line ends, no line end after "</TABLE>". It is inserted as a new
// element without end text, so a selection follows the table. Counts below 1 count as 1.
QString QuickTableMarkup(int rows, int columns);
TTagResult QuickTableText(int rows, int columns);

// ---- Table Wizard

// The properties of one wizard cell, stored by value in the grid.
struct TCellAttributes
{
    QString Align;
    QString VAlign;
    QString Width;
    QString Height;
    QString ColSpan;
    QString RowSpan;
    bool Background = false;
    TColor Color = 0;
    bool NoWrap = false;

    bool operator==(const TCellAttributes &) const = default;
};

// One grid cell: its content and, once it has been visited or written, its attributes.
struct TWizardCell
{
    QString Text;
    bool HasAttributes = false;
    TCellAttributes Attributes;

    bool operator==(const TWizardCell &) const = default;
};

// The table-wide fields of the "Table Properties" page.
struct TTableWizardProperties
{
    QString Caption;
    QString Padding = QStringLiteral("0");
    QString Spacing = QStringLiteral("0");
    QString Width = QStringLiteral("0");
    QString Border = QStringLiteral("0");
    QString Align;
    QString VAlign;
    bool Background = false;
    TColor Color = Colors::clBlack;

    bool operator==(const TTableWizardProperties &) const = default;
};

// The alignment words of the wizard's and the dialogs' lists.
QStringList TableAlignWords();          // TOP, MIDDLE, ... ABSBOTTOM (as the image dialog)
QStringList TableVAlignWords();         // TOP, BOTTOM
QStringList CellAlignWords();           // Left, Center, Right
QStringList CellVAlignWords();          // Top, Middle, Bottom, Baseline

constexpr int WizardMaxCount = 99;
// The number a Rows or Columns box stands for: 1 when empty or unreadable, at most 99.
int WizardCountFromText(const QString &text);
// A box value stepped by an up-down button (delta is +1, -1, or +5, -5 for widths) and kept
// within [minimum, maximum]; an empty or unreadable box becomes the minimum.
QString StepBoxValue(const QString &text, int delta, int minimum, int maximum);

// The wizard's grid and properties. The grid is always at least 1 by 1 and the current cell
// always lies inside it: shrinking the grid moves the current cell back inside first. Every
// access with a row or column outside the grid reads an empty cell and writes nothing.
class TTableWizardModel
{
public:
    TTableWizardModel();

    TTableWizardProperties Properties;

    int RowCount() const { return m_rows; }
    int ColumnCount() const { return m_columns; }
    // New sizes, clamped to 1 to 99; removed cells lose content and attributes.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    bool Contains(int row, int column) const;

    TWizardCell Cell(int row, int column) const;
    QString Text(int row, int column) const { return Cell(row, column).Text; }
    // The text of a cell; writing gives the cell its attributes first.
    void SetText(int row, int column, const QString &text);
    // The attributes of a cell, created when missing (an empty text becomes one blank).
    TCellAttributes Visit(int row, int column);
    void SetAttributes(int row, int column, const TCellAttributes &attributes);

    int CurrentRow() const { return m_currentRow; }
    int CurrentColumn() const { return m_currentColumn; }
    // Makes a cell current and visits it; ignored outside the grid.
    void SetCurrent(int row, int column);
    TCellAttributes CurrentAttributes() { return Visit(m_currentRow, m_currentColumn); }
    void SetCurrentAttributes(const TCellAttributes &attributes)
    {
        SetAttributes(m_currentRow, m_currentColumn, attributes);
    }

    // Clear: back to 1 by 1, every cell forgotten, the first cell current and visited.
    // Table-wide properties other than the size are kept.
    void Clear();

    // The whole table as the wizard inserts it.
    QString Build() const;

private:
    qsizetype Index(int row, int column) const { return qsizetype(row) * m_columns + column; }
    void Resize(int rows, int columns);

    int m_rows = 1;
    int m_columns = 1;
    int m_currentRow = 0;
    int m_currentColumn = 0;
    QVector<TWizardCell> m_cells;   // row by row, m_rows * m_columns cells
};

// "#RRGGBB" for a colour value (system colours resolved against the palette).
QString HexColorText(TColor color);

// ---- Table, Table Row and Table Data / Table Header dialogs

struct TTableFields
{
    QString Spacing = QStringLiteral("0");
    QString Padding = QStringLiteral("0");
    QString Border = QStringLiteral("0");
    QString Align;
    QString VAlign;
    QString BgColor;            // as the colour combo yields it
    QString BkImage;
    QString Width = QStringLiteral("0");

    bool operator==(const TTableFields &) const = default;
};

struct TTableRowFields
{
    QString Align;
    QString VAlign;
    QString BgColor;
    QString Width;
    QString Height;

    bool operator==(const TTableRowFields &) const = default;
};

struct TTableCellFields
{
    QString Align;
    QString VAlign;
    QString BgColor;
    QString ColSpan = QStringLiteral("1");
    QString RowSpan = QStringLiteral("1");
    QString BkImage;
    QString Width;
    QString Height;
    bool NoWrap = false;

    bool operator==(const TTableCellFields &) const = default;
};

constexpr int TableSizeMaxLength = 4;   // width and height boxes of the dialogs
constexpr int TableSpanMaxLength = 2;

// The fields a dialog opens with: the defaults for a new element, otherwise each read from
// its attribute of the edited tag (missing ones give empty boxes).
TTableFields ReadTableFields(const QString &tag);
TTableRowFields ReadTableRowFields(const QString &tag);
TTableCellFields ReadTableCellFields(const QString &tag);
TTableFields OpenTableFields(const TDialogContext &context);
TTableRowFields OpenTableRowFields(const TDialogContext &context);
TTableCellFields OpenTableCellFields(const TDialogContext &context);

// The start tag and, for a new element, the end tag. Only the start tag is rebuilt in edit
// mode, so the content and the end tag of an edited element stay. The cell is a header
// cell (TH) when the context says HeaderCell, else a data cell (TD).
TTagResult BuildTableTag(const TTableFields &fields, const TDialogContext &context);
TTagResult BuildTableRowTag(const TTableRowFields &fields, const TDialogContext &context);
TTagResult BuildTableCellTag(const TTableCellFields &fields, const TDialogContext &context);

// The caption of the cell dialog: "Table Header" or "Table Data".
QString TableCellCaption(bool header);

// How a chosen background image is written: relative to the base folder, and under
// LowerCaseFiles only its folder part lower-cased.
QString TableBackgroundReference(const TDialogContext &context, const QString &file);
// The background-image chooser's title and filter.
QString TableImageDialogTitle();
QString TableImageFilter();
