#include "dialogs/tablemarkup.h"

#include <algorithm>

#include <QSize>

#include "dialogs/tagfields.h"
#include "editor/tagtext.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr QChar Tab = u'\t';
constexpr QChar Quote = u'"';

// The first left (or top) pixel of cell number n (1-based) along one axis.
int CellStart(int n)
{
    return TableSizerCellStep * n - 14;
}

// The 1-based cell number along one axis under pixel p, or 0.
int CellAlong(int p, int count)
{
    if (p < CellStart(1))
        return 0;
    const int n = (p + 14) / TableSizerCellStep;
    if (n < 1 || n > count || p >= CellStart(n) + TableSizerCellSize)
        return 0;
    return n;
}

// A percent width is quoted, a pixel width bare.
QString WidthValue(const QString &width)
{
    return width.contains(u'%') ? Quote + width + Quote : width;
}

} // namespace

// ---- quick table sizer

QRect TableSizerCellRect(int row, int column)
{
    return QRect(CellStart(column), CellStart(row), TableSizerCellSize, TableSizerCellSize);
}

QPoint TableSizerCellAt(const QPoint &pos)
{
    const int column = CellAlong(pos.x(), TableSizerColumns);
    const int row = CellAlong(pos.y(), TableSizerRows);
    if (column == 0 || row == 0)
        return QPoint(0, 0);
    return QPoint(column, row);
}

QSize TableSizerPanelSize()
{
    // As much margin right of and below the cells as left of and above them.
    const int margin = CellStart(1);
    return QSize(CellStart(TableSizerColumns) + TableSizerCellSize + margin,
                 CellStart(TableSizerRows) + TableSizerCellSize + margin + TableSizerStatusHeight);
}

QString TableSizerStatusText(int rows, int columns)
{
    return QStringLiteral("%1 x %2 Table").arg(rows).arg(columns);
}

bool TableSizerCellHighlighted(int row, int column, int hoverRow, int hoverColumn)
{
    return row >= 1 && column >= 1 && row <= hoverRow && column <= hoverColumn;
}

QString QuickTableMarkup(int rows, int columns)
{
    rows = std::max(rows, 1);
    columns = std::max(columns, 1);
    const QString rowStart = CrLf + TagCase(QStringLiteral("<TR>")) + CrLf;
    const QString cell = Tab + TagCase(QStringLiteral("<TD> </TD>")) + CrLf;
    const QString rowEnd = TagCase(QStringLiteral("</TR>"));
    QString text = TagCase(QStringLiteral("<TABLE>"));
    for (int r = 0; r < rows; ++r) {
        text += rowStart;
        for (int c = 0; c < columns; ++c)
            text += cell;
        text += rowEnd;
    }
    text += CrLf + TagCase(QStringLiteral("</TABLE>"));
    return text;
}

TTagResult QuickTableText(int rows, int columns)
{
    return {QuickTableMarkup(rows, columns), QString()};
}

// ---- Table Wizard

QStringList TableAlignWords()
{
    return {QStringLiteral("TOP"),      QStringLiteral("MIDDLE"),   QStringLiteral("BOTTOM"),
            QStringLiteral("RIGHT"),    QStringLiteral("LEFT"),     QStringLiteral("TEXTTOP"),
            QStringLiteral("BASELINE"), QStringLiteral("ABSMIDDLE"), QStringLiteral("ABSBOTTOM")};
}

QStringList TableVAlignWords()
{
    return {QStringLiteral("TOP"), QStringLiteral("BOTTOM")};
}

QStringList CellAlignWords()
{
    return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
}

QStringList CellVAlignWords()
{
    return {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom"), QStringLiteral("Baseline")};
}

int WizardCountFromText(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1)
        return 1;
    return std::min(n, WizardMaxCount);
}

QString StepBoxValue(const QString &text, int delta, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return QString::number(minimum);
    return QString::number(std::clamp(value + delta, minimum, maximum));
}

QString HexColorText(TColor color)
{
    const QColor c = ColorToQColor(color);
    return QString::asprintf("#%02X%02X%02X", c.red(), c.green(), c.blue());
}

TTableWizardModel::TTableWizardModel()
{
    Clear();
}

bool TTableWizardModel::Contains(int row, int column) const
{
    return row >= 0 && column >= 0 && row < m_rows && column < m_columns;
}

void TTableWizardModel::Resize(int rows, int columns)
{
    rows = std::clamp(rows, 1, WizardMaxCount);
    columns = std::clamp(columns, 1, WizardMaxCount);
    if (rows == m_rows && columns == m_columns && m_cells.size() == qsizetype(rows) * columns)
        return;
    QVector<TWizardCell> cells(qsizetype(rows) * columns);
    const int keepRows = std::min(rows, m_rows);
    const int keepColumns = std::min(columns, m_columns);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepColumns; ++c)
            cells[qsizetype(r) * columns + c] = m_cells.at(Index(r, c));
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
    // A current cell that was removed gives way to the nearest one left in the grid.
    if (!Contains(m_currentRow, m_currentColumn))
        SetCurrent(std::min(m_currentRow, m_rows - 1), std::min(m_currentColumn, m_columns - 1));
}

void TTableWizardModel::SetRowCount(int rows)
{
    Resize(rows, m_columns);
}

void TTableWizardModel::SetColumnCount(int columns)
{
    Resize(m_rows, columns);
}

TWizardCell TTableWizardModel::Cell(int row, int column) const
{
    if (!Contains(row, column))
        return {};
    return m_cells.at(Index(row, column));
}

TCellAttributes TTableWizardModel::Visit(int row, int column)
{
    if (!Contains(row, column))
        return {};
    TWizardCell &cell = m_cells[Index(row, column)];
    if (!cell.HasAttributes) {
        cell.HasAttributes = true;
        cell.Attributes = TCellAttributes();
        if (cell.Text.isEmpty())
            cell.Text = QStringLiteral(" ");
    }
    return cell.Attributes;
}

void TTableWizardModel::SetText(int row, int column, const QString &text)
{
    if (!Contains(row, column))
        return;
    Visit(row, column);
    m_cells[Index(row, column)].Text = text;
}

void TTableWizardModel::SetAttributes(int row, int column, const TCellAttributes &attributes)
{
    if (!Contains(row, column))
        return;
    Visit(row, column);
    m_cells[Index(row, column)].Attributes = attributes;
}

void TTableWizardModel::SetCurrent(int row, int column)
{
    if (!Contains(row, column))
        return;
    m_currentRow = row;
    m_currentColumn = column;
    Visit(row, column);
}

void TTableWizardModel::Clear()
{
    m_cells = QVector<TWizardCell>(1);
    m_rows = 1;
    m_columns = 1;
    m_currentRow = 0;
    m_currentColumn = 0;
    Visit(0, 0);
}

QString TTableWizardModel::Build() const
{
    const TTableWizardProperties &p = Properties;
    QString text = TagCase(QStringLiteral("<TABLE"));
    if (!p.Padding.isEmpty())
        text += TagCase(QStringLiteral(" CELLPADDING=")) + p.Padding;
    if (!p.Spacing.isEmpty())
        text += TagCase(QStringLiteral(" CELLSPACING=")) + p.Spacing;
    if (!p.Width.isEmpty())
        text += TagCase(QStringLiteral(" WIDTH=")) + WidthValue(p.Width);
    if (!p.Border.isEmpty())
        text += TagCase(QStringLiteral(" BORDER=")) + p.Border;
    // Alignment words are written in the case of the markup around them.
    if (!p.Align.isEmpty())
        text += TagCase(QStringLiteral(" ALIGN=\"") + p.Align + Quote);
    if (!p.VAlign.isEmpty())
        text += TagCase(QStringLiteral(" VALIGN=\"") + p.VAlign + Quote);
    if (p.Background)
        text += TagCase(QStringLiteral(" BGCOLOR=")) + Quote + HexColorText(p.Color) + Quote;
    text += u'>';

    if (!p.Caption.isEmpty())
        text += CrLf + Tab + TagCase(QStringLiteral("<CAPTION>")) + p.Caption + TagCase(QStringLiteral("</CAPTION>"))
              + CrLf;

    const QString rowStart = CrLf + TagCase(QStringLiteral("<TR>")) + CrLf;
    const QString rowEnd = TagCase(QStringLiteral("</TR>"));
    const QString cellEnd = TagCase(QStringLiteral("</TD>")) + CrLf;
    for (int r = 0; r < m_rows; ++r) {
        text += rowStart;
        for (int c = 0; c < m_columns; ++c) {
            const TWizardCell &cell = m_cells.at(Index(r, c));
            // A cell never visited is written as a fresh one would be: blank, no attributes.
            const TCellAttributes a = cell.HasAttributes ? cell.Attributes : TCellAttributes();
            const QString content = cell.HasAttributes || !cell.Text.isEmpty() ? cell.Text : QStringLiteral(" ");
            text += Tab + TagCase(QStringLiteral("<TD"));
            if (!a.Align.isEmpty())
                text += TagCase(QStringLiteral(" ALIGN=\"") + a.Align + Quote);
            if (!a.VAlign.isEmpty())
                text += TagCase(QStringLiteral(" VALIGN=\"") + a.VAlign + Quote);
            if (!a.Width.isEmpty())
                text += TagCase(QStringLiteral(" WIDTH=")) + Quote + a.Width + Quote;
            if (!a.Height.isEmpty())
                text += TagCase(QStringLiteral(" HEIGHT=")) + Quote + a.Height + Quote;
            if (!a.ColSpan.isEmpty())
                text += TagCase(QStringLiteral(" COLSPAN=")) + a.ColSpan;
            if (!a.RowSpan.isEmpty())
                text += TagCase(QStringLiteral(" ROWSPAN=")) + a.RowSpan;
            if (a.NoWrap)
                text += TagCase(QStringLiteral(" NOWRAP"));
            if (a.Background)
                text += TagCase(QStringLiteral(" BGCOLOR=")) + Quote + HexColorText(a.Color) + Quote;
            text += u'>' + content + cellEnd;
        }
        text += rowEnd;
    }
    text += CrLf + TagCase(QStringLiteral("</TABLE>"));
    return text;
}

// ---- Table, Table Row and cell dialogs

namespace {

// Each dialog's attributes in the order they are written.
constexpr TFieldSpec<TTableFields> TableSpecs[] = {
    TextField("CELLSPACING=", &TTableFields::Spacing, vsBare),
    TextField("CELLPADDING=", &TTableFields::Padding, vsBare),
    TextField("BORDER=", &TTableFields::Border, vsBare),
    TextField("ALIGN=", &TTableFields::Align, vsQuoted),
    TextField("VALIGN=", &TTableFields::VAlign, vsQuoted),
    TextField("BGCOLOR=", &TTableFields::BgColor, vsQuoted),
    TextField("BACKGROUND=", &TTableFields::BkImage, vsQuoted),
    TextField("WIDTH=", &TTableFields::Width, vsQuotedIfPercent),
};

constexpr TFieldSpec<TTableRowFields> TableRowSpecs[] = {
    TextField("ALIGN=", &TTableRowFields::Align, vsQuoted),
    TextField("VALIGN=", &TTableRowFields::VAlign, vsQuoted),
    TextField("BGCOLOR=", &TTableRowFields::BgColor, vsQuoted),
    TextField("WIDTH=", &TTableRowFields::Width, vsQuotedIfPercent),
    TextField("HEIGHT=", &TTableRowFields::Height, vsQuotedIfPercent),
};

constexpr TFieldSpec<TTableCellFields> TableCellSpecs[] = {
    TextField("ALIGN=", &TTableCellFields::Align, vsQuoted),
    TextField("VALIGN=", &TTableCellFields::VAlign, vsQuoted),
    TextField("BGCOLOR=", &TTableCellFields::BgColor, vsQuoted),
    TextField("COLSPAN=", &TTableCellFields::ColSpan, vsBare),
    TextField("ROWSPAN=", &TTableCellFields::RowSpan, vsBare),
    TextField("BACKGROUND=", &TTableCellFields::BkImage, vsQuoted),
    TextField("WIDTH=", &TTableCellFields::Width, vsQuotedIfPercent),
    TextField("HEIGHT=", &TTableCellFields::Height, vsQuotedIfPercent),
    FlagField("NOWRAP", &TTableCellFields::NoWrap),
};

// The fields as read from a tag; an absent attribute leaves an empty box, not the default.
template <class TFields, std::size_t N>
TFields ReadAll(const TFieldSpec<TFields> (&rows)[N], const QString &tag)
{
    TFields fields;
    ReadFields<TFields>(fields, rows, tag);
    return fields;
}

} // namespace

TTableFields ReadTableFields(const QString &tag)
{
    return ReadAll(TableSpecs, tag);
}

TTableRowFields ReadTableRowFields(const QString &tag)
{
    return ReadAll(TableRowSpecs, tag);
}

TTableCellFields ReadTableCellFields(const QString &tag)
{
    return ReadAll(TableCellSpecs, tag);
}

TTableFields OpenTableFields(const TDialogContext &context)
{
    return context.IsEdit() ? ReadTableFields(context.EditedTag) : TTableFields();
}

TTableRowFields OpenTableRowFields(const TDialogContext &context)
{
    return context.IsEdit() ? ReadTableRowFields(context.EditedTag) : TTableRowFields();
}

TTableCellFields OpenTableCellFields(const TDialogContext &context)
{
    return context.IsEdit() ? ReadTableCellFields(context.EditedTag) : TTableCellFields();
}

TTagResult BuildTableTag(const TTableFields &f, const TDialogContext &context)
{
    return BuildFieldsTag<TTableFields>(QStringLiteral("<TABLE>"), QStringLiteral("</TABLE>"), TableSpecs, f,
                                        context);
}

TTagResult BuildTableRowTag(const TTableRowFields &f, const TDialogContext &context)
{
    return BuildFieldsTag<TTableRowFields>(QStringLiteral("<TR>"), QStringLiteral("</TR>"), TableRowSpecs, f,
                                           context);
}

TTagResult BuildTableCellTag(const TTableCellFields &f, const TDialogContext &context)
{
    const bool header = context.HeaderCell;
    return BuildFieldsTag<TTableCellFields>(header ? QStringLiteral("<TH>") : QStringLiteral("<TD>"),
                                            header ? QStringLiteral("</TH>") : QStringLiteral("</TD>"),
                                            TableCellSpecs, f, context);
}

QString TableCellCaption(bool header)
{
    return header ? QStringLiteral("Table Header") : QStringLiteral("Table Data");
}

QString TableBackgroundReference(const TDialogContext &context, const QString &file)
{
    return FileReference(context.BaseFolder, file, context.LowerCaseFiles, true);
}

QString TableImageDialogTitle()
{
    return QStringLiteral("Select an Image");
}

QString TableImageFilter()
{
    return QStringLiteral("Web Images (*.jpg *.gif);;All Files (*)");
}
