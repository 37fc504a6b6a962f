#include "dialogs/tablemarkup.h"

#include <algorithm>

#include <QSize>

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

TTableFields ReadTableFields(const QString &tag)
{
    TTableFields f;
    f.Spacing = GetAttributeValue(tag, QStringLiteral("CELLSPACING="));
    f.Padding = GetAttributeValue(tag, QStringLiteral("CELLPADDING="));
    f.Border = GetAttributeValue(tag, QStringLiteral("BORDER="));
    f.Align = GetAttributeValue(tag, QStringLiteral("ALIGN="));
    f.VAlign = GetAttributeValue(tag, QStringLiteral("VALIGN="));
    f.BgColor = GetAttributeValue(tag, QStringLiteral("BGCOLOR="));
    f.BkImage = GetAttributeValue(tag, QStringLiteral("BACKGROUND="));
    f.Width = GetAttributeValue(tag, QStringLiteral("WIDTH="));
    return f;
}

TTableRowFields ReadTableRowFields(const QString &tag)
{
    TTableRowFields f;
    f.Align = GetAttributeValue(tag, QStringLiteral("ALIGN="));
    f.VAlign = GetAttributeValue(tag, QStringLiteral("VALIGN="));
    f.BgColor = GetAttributeValue(tag, QStringLiteral("BGCOLOR="));
    f.Width = GetAttributeValue(tag, QStringLiteral("WIDTH="));
    f.Height = GetAttributeValue(tag, QStringLiteral("HEIGHT="));
    return f;
}

TTableCellFields ReadTableCellFields(const QString &tag)
{
    TTableCellFields f;
    f.Align = GetAttributeValue(tag, QStringLiteral("ALIGN="));
    f.VAlign = GetAttributeValue(tag, QStringLiteral("VALIGN="));
    f.BgColor = GetAttributeValue(tag, QStringLiteral("BGCOLOR="));
    f.ColSpan = GetAttributeValue(tag, QStringLiteral("COLSPAN="));
    f.RowSpan = GetAttributeValue(tag, QStringLiteral("ROWSPAN="));
    f.BkImage = GetAttributeValue(tag, QStringLiteral("BACKGROUND="));
    f.Width = GetAttributeValue(tag, QStringLiteral("WIDTH="));
    f.Height = GetAttributeValue(tag, QStringLiteral("HEIGHT="));
    // Judged as the builder judges it, so a NOWRAP inside a quoted value is no flag.
    f.NoWrap = HasFlag(tag, QStringLiteral("NOWRAP"));
    return f;
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

namespace {

TTagResult Finish(const TTagBuilder &tag, const QString &endTag)
{
    return {tag.Text(), tag.IsEdit() ? QString() : TagCase(endTag)};
}

} // namespace

TTagResult BuildTableTag(const TTableFields &f, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<TABLE>"));
    tag.Bare(QStringLiteral("CELLSPACING="), f.Spacing);
    tag.Bare(QStringLiteral("CELLPADDING="), f.Padding);
    tag.Bare(QStringLiteral("BORDER="), f.Border);
    tag.Quoted(QStringLiteral("ALIGN="), f.Align);
    tag.Quoted(QStringLiteral("VALIGN="), f.VAlign);
    tag.Quoted(QStringLiteral("BGCOLOR="), f.BgColor);
    tag.Quoted(QStringLiteral("BACKGROUND="), f.BkImage);
    tag.QuotedIfPercent(QStringLiteral("WIDTH="), f.Width);
    return Finish(tag, QStringLiteral("</TABLE>"));
}

TTagResult BuildTableRowTag(const TTableRowFields &f, const TDialogContext &context)
{
    TTagBuilder tag(context.EditedTag, QStringLiteral("<TR>"));
    tag.Quoted(QStringLiteral("ALIGN="), f.Align);
    tag.Quoted(QStringLiteral("VALIGN="), f.VAlign);
    tag.Quoted(QStringLiteral("BGCOLOR="), f.BgColor);
    tag.QuotedIfPercent(QStringLiteral("WIDTH="), f.Width);
    tag.QuotedIfPercent(QStringLiteral("HEIGHT="), f.Height);
    return Finish(tag, QStringLiteral("</TR>"));
}

TTagResult BuildTableCellTag(const TTableCellFields &f, const TDialogContext &context)
{
    const bool header = context.HeaderCell;
    TTagBuilder tag(context.EditedTag, header ? QStringLiteral("<TH>") : QStringLiteral("<TD>"));
    tag.Quoted(QStringLiteral("ALIGN="), f.Align);
    tag.Quoted(QStringLiteral("VALIGN="), f.VAlign);
    tag.Quoted(QStringLiteral("BGCOLOR="), f.BgColor);
    tag.Bare(QStringLiteral("COLSPAN="), f.ColSpan);
    tag.Bare(QStringLiteral("ROWSPAN="), f.RowSpan);
    tag.Quoted(QStringLiteral("BACKGROUND="), f.BkImage);
    tag.QuotedIfPercent(QStringLiteral("WIDTH="), f.Width);
    tag.QuotedIfPercent(QStringLiteral("HEIGHT="), f.Height);
    tag.Flag(QStringLiteral("NOWRAP"), f.NoWrap);
    return Finish(tag, header ? QStringLiteral("</TH>") : QStringLiteral("</TD>"));
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
