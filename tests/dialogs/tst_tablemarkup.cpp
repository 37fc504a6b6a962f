// Table markup without widgets: the quick table, the Table Wizard's grid and text, and the
// TABLE, TR, TD and TH tags of the table dialogs.
#include <QtTest>

#include "dialogs/tablemarkup.h"
#include "editor/tagtext.h"
#include "testsupport.h"

Q_DECLARE_METATYPE(TTableCellFields)
Q_DECLARE_METATYPE(TCellAttributes)

namespace {

// Joins lines with CR LF, as the generated markup is laid out.
QString Lines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

TDialogContext EditContext(const QString &tag)
{
    TDialogContext context;
    context.EditedTag = tag;
    return context;
}

} // namespace

class TestTableMarkup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup() { SetLowerCaseTags(false); }

    void quickTable_data();
    void quickTable();
    void quickTableHasNoEndText();
    void sizerCells_data();
    void sizerCells();
    void sizerHighlight();

    void wizardDefaults();
    void wizardTableProperties_data();
    void wizardTableProperties();
    void wizardCellAttributes_data();
    void wizardCellAttributes();
    void wizardCaptionAndTexts();
    void wizardResizedGrid();
    void wizardShrinkWithLastCellCurrent_data();
    void wizardShrinkWithLastCellCurrent();
    void wizardOutsideGrid();
    void wizardClear();
    void wizardCount_data();
    void wizardCount();
    void stepBox_data();
    void stepBox();

    void newTags_data();
    void newTags();
    void editCellReplacesStartTagOnly_data();
    void editCellReplacesStartTagOnly();
    void editTable();
    void editRow();
    void readCellFields();
    void backgroundReference();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

// ---- quick table

void TestTableMarkup::quickTable_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2 x 2, line by line")
        << 2 << 2 << false
        << Lines({"<TABLE>", "<TR>", "\t<TD> </TD>", "\t<TD> </TD>", "</TR>", "<TR>", "\t<TD> </TD>", "\t<TD> </TD>",
                  "</TR>", "</TABLE>"});
    QTest::newRow("1 x 1") << 1 << 1 << false << Lines({"<TABLE>", "<TR>", "\t<TD> </TD>", "</TR>", "</TABLE>"});
    QTest::newRow("1 row of 3 columns")
        << 1 << 3 << false << Lines({"<TABLE>", "<TR>", "\t<TD> </TD>", "\t<TD> </TD>", "\t<TD> </TD>", "</TR>", "</TABLE>"});
    QTest::newRow("lower-case tags") << 1 << 1 << true << Lines({"<table>", "<tr>", "\t<td> </td>", "</tr>", "</table>"});
    QTest::newRow("a count of 0 counts as 1") << 0 << 0 << false
                                              << Lines({"<TABLE>", "<TR>", "\t<TD> </TD>", "</TR>", "</TABLE>"});
}

void TestTableMarkup::quickTable()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(bool, lowerCase);
    QFETCH(QString, expected);
    SetLowerCaseTags(lowerCase);
    QCOMPARE(QuickTableMarkup(rows, columns), expected);
}

void TestTableMarkup::quickTableHasNoEndText()
{
    // The largest table the sizer offers: 12 rows of 6 cells, and no end text, so that a
    // selection is not wrapped but follows the table.
    const TTagResult result = QuickTableText(TableSizerRows, TableSizerColumns);
    QVERIFY(result.EndText.isEmpty());
    QCOMPARE(result.StartText.count(QStringLiteral("<TR>")), 12);
    QCOMPARE(result.StartText.count(QStringLiteral("\t<TD> </TD>\r\n")), 72);
    QVERIFY(result.StartText.endsWith(QStringLiteral("</TR>\r\n</TABLE>")));
}

void TestTableMarkup::sizerCells_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QPoint>("cell");   // (column, row); (0, 0) for none
    QTest::newRow("top-left pixel of the first cell") << QPoint(3, 3) << QPoint(1, 1);
    QTest::newRow("bottom-right pixel of the first cell") << QPoint(18, 18) << QPoint(1, 1);
    QTest::newRow("gap between first and second column") << QPoint(19, 5) << QPoint(0, 0);
    QTest::newRow("second column, third row") << QPoint(20, 37) << QPoint(2, 3);
    QTest::newRow("margin above the cells") << QPoint(5, 2) << QPoint(0, 0);
    QTest::newRow("last cell") << QPoint(88 + 15, 190 + 15) << QPoint(6, 12);
    QTest::newRow("right of the last column") << QPoint(105, 5) << QPoint(0, 0);
    QTest::newRow("on the status strip") << QPoint(10, 215) << QPoint(0, 0);
}

void TestTableMarkup::sizerCells()
{
    QFETCH(QPoint, pos);
    QFETCH(QPoint, cell);
    QCOMPARE(TableSizerCellAt(pos), cell);
    if (cell != QPoint(0, 0))
        QVERIFY(TableSizerCellRect(cell.y(), cell.x()).contains(pos));
}

void TestTableMarkup::sizerHighlight()
{
    QCOMPARE(TableSizerCellRect(1, 1), QRect(3, 3, 16, 16));
    QCOMPARE(TableSizerCellRect(12, 6), QRect(88, 190, 16, 16));
    QVERIFY(TableSizerPanelSize().height() >= 206 + TableSizerStatusHeight);
    QCOMPARE(TableSizerStatusText(3, 2), QString("3 x 2 Table"));
    QCOMPARE(TableSizerStatusText(1, 1), QString("1 x 1 Table"));
    int lit = 0;
    for (int r = 1; r <= TableSizerRows; ++r)
        for (int c = 1; c <= TableSizerColumns; ++c)
            lit += TableSizerCellHighlighted(r, c, 3, 2) ? 1 : 0;
    QCOMPARE(lit, 6);
    QVERIFY(TableSizerCellHighlighted(1, 1, 1, 1));
    QVERIFY(!TableSizerCellHighlighted(1, 2, 1, 1));
    QVERIFY(!TableSizerCellHighlighted(2, 1, 1, 1));
}

// ---- Table Wizard

void TestTableMarkup::wizardDefaults()
{
    TTableWizardModel model;
    QCOMPARE(model.Build(), Lines({"<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0>", "<TR>", "\t<TD> </TD>",
                                   "</TR>", "</TABLE>"}));
    QCOMPARE(model.Text(0, 0), QString(" "));
}

void TestTableMarkup::wizardTableProperties_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("percent width quoted") << "Width" << "80%" << false
                                          << "<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=\"80%\" BORDER=0>";
    QTest::newRow("empty padding left out") << "Padding" << "" << false
                                            << "<TABLE CELLSPACING=0 WIDTH=0 BORDER=0>";
    QTest::newRow("align after border") << "Align" << "LEFT" << false
                                        << "<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0 ALIGN=\"LEFT\">";
    QTest::newRow("align word lower-cased with its name")
        << "Align" << "ABSMIDDLE" << true << "<table cellpadding=0 cellspacing=0 width=0 border=0 align=\"absmiddle\">";
    QTest::newRow("valign last") << "VAlign" << "BOTTOM" << false
                                 << "<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0 VALIGN=\"BOTTOM\">";
    QTest::newRow("background colour as upper-case hex")
        << "Color" << "teal" << true << "<table cellpadding=0 cellspacing=0 width=0 border=0 bgcolor=\"#008080\">";
    QTest::newRow("black swatch at start") << "Background" << "" << false
                                           << "<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0 BGCOLOR=\"#000000\">";
}

void TestTableMarkup::wizardTableProperties()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(bool, lowerCase);
    QFETCH(QString, firstLine);
    SetLowerCaseTags(lowerCase);
    TTableWizardModel model;
    TTableWizardProperties &p = model.Properties;
    if (field == "Width")
        p.Width = value;
    else if (field == "Padding")
        p.Padding = value;
    else if (field == "Align")
        p.Align = value;
    else if (field == "VAlign")
        p.VAlign = value;
    else if (field == "Color") {
        p.Background = true;
        p.Color = Colors::clTeal;
    } else if (field == "Background")
        p.Background = true;
    QCOMPARE(model.Build().section(QStringLiteral("\r\n"), 0, 0), firstLine);
}

void TestTableMarkup::wizardCellAttributes_data()
{
    QTest::addColumn<TCellAttributes>("attributes");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("cellLine");
    TCellAttributes centred;
    centred.Align = "Center";
    centred.Width = "50%";
    QTest::newRow("Center and 50% width") << centred << false << "\t<TD ALIGN=\"CENTER\" WIDTH=\"50%\"> </TD>";
    QTest::newRow("lower-case tags write align=\"center\"") << centred << true
                                                            << "\t<td align=\"center\" width=\"50%\"> </td>";
    TCellAttributes spans;
    spans.ColSpan = "2";
    spans.RowSpan = "3";
    spans.Height = "40";
    QTest::newRow("spans bare, height always quoted") << spans << false
                                                      << "\t<TD HEIGHT=\"40\" COLSPAN=2 ROWSPAN=3> </TD>";
    TCellAttributes coloured;
    coloured.Background = true;
    coloured.Color = 0x0080FF;   // 0x00BBGGRR: orange
    coloured.NoWrap = true;
    coloured.VAlign = "Baseline";
    QTest::newRow("nowrap before the cell colour")
        << coloured << false << "\t<TD VALIGN=\"BASELINE\" NOWRAP BGCOLOR=\"#FF8000\"> </TD>";
    TCellAttributes colourOff = coloured;
    colourOff.Background = false;
    colourOff.NoWrap = false;
    colourOff.VAlign.clear();
    QTest::newRow("colour kept but not ticked") << colourOff << false << "\t<TD> </TD>";
}

void TestTableMarkup::wizardCellAttributes()
{
    QFETCH(TCellAttributes, attributes);
    QFETCH(bool, lowerCase);
    QFETCH(QString, cellLine);
    SetLowerCaseTags(lowerCase);
    TTableWizardModel model;
    model.SetCurrentAttributes(attributes);
    QCOMPARE(model.Build().section(QStringLiteral("\r\n"), 2, 2), cellLine);
}

void TestTableMarkup::wizardCaptionAndTexts()
{
    TTableWizardModel model;
    model.Properties.Caption = "Prices";
    model.Properties.Padding.clear();
    model.Properties.Spacing.clear();
    model.Properties.Width.clear();
    model.Properties.Border = "1";
    model.SetColumnCount(2);
    model.SetText(0, 0, "Tea");
    model.SetText(0, 1, "");   // written, then erased by the user
    TCellAttributes red;
    red.Background = true;
    red.Color = Colors::clRed;
    model.SetAttributes(0, 1, red);
    QCOMPARE(model.Build(), Lines({"<TABLE BORDER=1>", "\t<CAPTION>Prices</CAPTION>", "", "<TR>", "\t<TD>Tea</TD>",
                                   "\t<TD BGCOLOR=\"#FF0000\"></TD>", "</TR>", "</TABLE>"}));
}

void TestTableMarkup::wizardResizedGrid()
{
    TTableWizardModel model;
    model.Properties = TTableWizardProperties();
    model.Properties.Padding.clear();
    model.Properties.Spacing.clear();
    model.Properties.Width.clear();
    model.Properties.Border.clear();
    model.SetColumnCount(3);
    model.SetRowCount(2);
    for (int c = 0; c < 3; ++c)
        model.SetText(0, c, QString("a%1").arg(c));
    TCellAttributes wide;
    wide.ColSpan = "2";
    model.SetAttributes(1, 2, wide);
    model.SetText(1, 2, "x");
    model.SetCurrent(1, 2);

    model.SetColumnCount(2);   // drops the third column with its text and its span
    model.SetColumnCount(3);   // gives it back empty
    QCOMPARE(model.Cell(1, 2), TWizardCell());
    QCOMPARE(model.Build(), Lines({"<TABLE>", "<TR>", "\t<TD>a0</TD>", "\t<TD>a1</TD>", "\t<TD> </TD>", "</TR>",
                                   "<TR>", "\t<TD> </TD>", "\t<TD> </TD>", "\t<TD> </TD>", "</TR>", "</TABLE>"}));
}

void TestTableMarkup::wizardShrinkWithLastCellCurrent_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("currentColumn");
    QTest::newRow("rows removed") << 1 << 4 << 0 << 3;
    QTest::newRow("columns removed") << 4 << 1 << 3 << 0;
    QTest::newRow("both removed") << 1 << 1 << 0 << 0;
    QTest::newRow("below the minimum") << 0 << -5 << 0 << 0;
}

void TestTableMarkup::wizardShrinkWithLastCellCurrent()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, currentRow);
    QFETCH(int, currentColumn);
    TTableWizardModel model;
    model.SetRowCount(4);
    model.SetColumnCount(4);
    model.SetCurrent(3, 3);
    TCellAttributes last;
    last.Align = "Right";
    model.SetCurrentAttributes(last);

    model.SetRowCount(rows);
    model.SetColumnCount(columns);
    QCOMPARE(model.CurrentRow(), currentRow);
    QCOMPARE(model.CurrentColumn(), currentColumn);
    // The cell page goes on storing into the current cell, which must be a cell of the grid.
    TCellAttributes page;
    page.Width = "10";
    model.SetCurrentAttributes(page);
    QCOMPARE(model.Cell(currentRow, currentColumn).Attributes, page);
    QCOMPARE(model.Build().count(QStringLiteral("WIDTH=\"10\"")), 1);
    QVERIFY(!model.Build().contains(QStringLiteral("RIGHT")));
}

void TestTableMarkup::wizardOutsideGrid()
{
    TTableWizardModel model;
    model.SetColumnCount(2);
    const QString before = model.Build();
    model.SetText(0, 2, "beyond");
    model.SetText(-1, 0, "before");
    TCellAttributes left;
    left.Align = "Left";
    model.SetAttributes(1, 0, left);
    model.SetCurrent(5, 5);
    QCOMPARE(model.Build(), before);
    QCOMPARE(model.CurrentRow(), 0);
    QCOMPARE(model.CurrentColumn(), 0);
    QCOMPARE(model.Cell(0, 99), TWizardCell());
    QCOMPARE(model.Visit(99, 0), TCellAttributes());
    model.SetRowCount(1000);
    QCOMPARE(model.RowCount(), WizardMaxCount);
}

void TestTableMarkup::wizardClear()
{
    TTableWizardModel model;
    model.Properties.Caption = "kept";
    model.SetRowCount(3);
    model.SetColumnCount(3);
    model.SetText(2, 2, "gone");
    model.SetCurrent(2, 2);
    model.Clear();
    QCOMPARE(model.RowCount(), 1);
    QCOMPARE(model.ColumnCount(), 1);
    QCOMPARE(model.CurrentRow(), 0);
    QCOMPARE(model.Text(0, 0), QString(" "));
    QCOMPARE(model.Properties.Caption, QString("kept"));
    model.SetRowCount(3);
    model.SetColumnCount(3);
    QCOMPARE(model.Cell(2, 2), TWizardCell());
}

void TestTableMarkup::wizardCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("not a number") << "x3" << 1;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("percent typed") << "5%" << 1;
    QTest::newRow("plain") << "7" << 7;
    QTest::newRow("above 99") << "250" << 99;
}

void TestTableMarkup::wizardCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(WizardCountFromText(text), count);
}

void TestTableMarkup::stepBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("result");
    QTest::newRow("up") << "1" << 1 << 1 << 99 << "2";
    QTest::newRow("down stops at the minimum") << "1" << -1 << 1 << 99 << "1";
    QTest::newRow("up stops at the maximum") << "99" << 1 << 1 << 99 << "99";
    QTest::newRow("width steps of 5") << "20" << 5 << 0 << 999 << "25";
    QTest::newRow("empty becomes the minimum") << "" << 1 << 1 << 99 << "1";
    QTest::newRow("percent becomes the minimum") << "50%" << 5 << 0 << 999 << "0";
}

void TestTableMarkup::stepBox()
{
    QFETCH(QString, text);
    QFETCH(int, delta);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, result);
    QCOMPARE(StepBoxValue(text, delta, minimum, maximum), result);
}

// ---- table dialogs

void TestTableMarkup::newTags_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("table defaults with width 80%")
        << "table" << false << "<TABLE CELLSPACING=0 CELLPADDING=0 BORDER=0 WIDTH=\"80%\">" << "</TABLE>";
    QTest::newRow("data cell with Center") << "data" << false << "<TD ALIGN=\"Center\" COLSPAN=1 ROWSPAN=1>"
                                           << "</TD>";
    QTest::newRow("header cell with Center") << "header" << false << "<TH ALIGN=\"Center\" COLSPAN=1 ROWSPAN=1>"
                                             << "</TH>";
    QTest::newRow("data cell keeps the word's case in lower-case markup")
        << "data" << true << "<td align=\"Center\" colspan=1 rowspan=1>" << "</td>";
    QTest::newRow("row with every field") << "row" << false
                                          << "<TR ALIGN=\"Right\" VALIGN=\"Top\" BGCOLOR=\"#00FF00\" WIDTH=\"50%\" "
                                             "HEIGHT=20>"
                                          << "</TR>";
}

void TestTableMarkup::newTags()
{
    QFETCH(QString, kind);
    QFETCH(bool, lowerCase);
    QFETCH(QString, start);
    QFETCH(QString, end);
    SetLowerCaseTags(lowerCase);
    TDialogContext context;
    context.HeaderCell = kind == "header";
    TTagResult result;
    if (kind == "table") {
        TTableFields f = OpenTableFields(context);
        f.Width = "80%";
        result = BuildTableTag(f, context);
    } else if (kind == "row") {
        TTableRowFields f = OpenTableRowFields(context);
        f.Align = "Right";
        f.VAlign = "Top";
        f.BgColor = "#00FF00";
        f.Width = "50%";
        f.Height = "20";
        result = BuildTableRowTag(f, context);
    } else {
        TTableCellFields f = OpenTableCellFields(context);
        f.Align = "Center";
        result = BuildTableCellTag(f, context);
    }
    QCOMPARE(result.StartText, start);
    QCOMPARE(result.EndText, end);
}

void TestTableMarkup::editCellReplacesStartTagOnly_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("header");
    QTest::addColumn<TTableCellFields>("change");   // fields to overlay; empty texts untouched
    QTest::addColumn<QString>("expected");
    TTableCellFields noWrapOff;
    QTest::newRow("clearing NOWRAP") << "<TD NOWRAP>" << false << noWrapOff << "<TD>";
    TTableCellFields colour;
    colour.BgColor = "silver";
    QTest::newRow("colour appended, unknown attribute kept")
        << "<td id=c1 align=\"left\">" << false << colour << "<td id=c1 align=\"left\" BGCOLOR=\"silver\">";
    TTableCellFields span;
    span.ColSpan = "3";
    QTest::newRow("span replaced in place") << "<TD COLSPAN=2 ALIGN=\"Right\">" << false << span
                                            << "<TD COLSPAN=3 ALIGN=\"Right\">";
    TTableCellFields width;
    width.Width = "25%";
    QTest::newRow("THEAD edited in header mode") << "<THEAD>" << true << width << "<THEAD WIDTH=\"25%\">";
    TTableCellFields quotedWord;
    quotedWord.NoWrap = true;
    QTest::newRow("NOWRAP in a title is no flag")
        << "<TD TITLE=\"a NOWRAP b\">" << false << quotedWord << "<TD TITLE=\"a NOWRAP b\" NOWRAP>";
}

void TestTableMarkup::editCellReplacesStartTagOnly()
{
    QFETCH(QString, tag);
    QFETCH(bool, header);
    QFETCH(TTableCellFields, change);
    QFETCH(QString, expected);
    TDialogContext context = EditContext(tag);
    context.HeaderCell = header;
    TTableCellFields f = OpenTableCellFields(context);
    if (!change.BgColor.isEmpty())
        f.BgColor = change.BgColor;
    if (change.ColSpan != "1")
        f.ColSpan = change.ColSpan;
    if (!change.Width.isEmpty())
        f.Width = change.Width;
    f.NoWrap = change.NoWrap;
    const TTagResult result = BuildTableCellTag(f, context);
    QCOMPARE(result.StartText, expected);
    QVERIFY(result.EndText.isEmpty());
}

void TestTableMarkup::editTable()
{
    const TDialogContext context = EditContext("<TABLE BORDER=2 class=\"x\" BGCOLOR=\"navy\">");
    TTableFields f = OpenTableFields(context);
    QVERIFY(f.Width.isEmpty());
    QVERIFY(f.Spacing.isEmpty());
    QCOMPARE(f.Border, QString("2"));
    QCOMPARE(f.BgColor, QString("navy"));
    QCOMPARE(BuildTableTag(f, context), (TTagResult{"<TABLE BORDER=2 class=\"x\" BGCOLOR=\"navy\">", ""}));
    f.BgColor.clear();
    f.BkImage = "img/Back.gif";
    QCOMPARE(BuildTableTag(f, context).StartText, QString("<TABLE BORDER=2 class=\"x\" BACKGROUND=\"img/Back.gif\">"));
}

void TestTableMarkup::editRow()
{
    const TDialogContext context = EditContext("<tr valign=top height=\"10%\">");
    TTableRowFields f = OpenTableRowFields(context);
    QCOMPARE(f.VAlign, QString("top"));
    QCOMPARE(f.Height, QString("10%"));
    f.Height = "12";
    f.VAlign.clear();
    const TTagResult result = BuildTableRowTag(f, context);
    QCOMPARE(result.StartText, QString("<tr height=12>"));   // the name keeps its place and case
    QVERIFY(result.EndText.isEmpty());
}

void TestTableMarkup::readCellFields()
{
    const TTableCellFields f =
        ReadTableCellFields("<TD ALIGN=\"Center\" VALIGN=Middle BGCOLOR=\"#A0B0C0\" COLSPAN=2 ROWSPAN=4 "
                            "BACKGROUND=\"b.jpg\" WIDTH=\"30%\" HEIGHT=8 nowrap>");
    TTableCellFields expected;
    expected.Align = "Center";
    expected.VAlign = "Middle";
    expected.BgColor = "#A0B0C0";
    expected.ColSpan = "2";
    expected.RowSpan = "4";
    expected.BkImage = "b.jpg";
    expected.Width = "30%";
    expected.Height = "8";
    expected.NoWrap = true;
    QCOMPARE(f, expected);
    QCOMPARE(ReadTableCellFields("<TD>").ColSpan, QString());
    QCOMPARE(TableCellCaption(false), QString("Table Data"));
    QCOMPARE(TableCellCaption(true), QString("Table Header"));
}

void TestTableMarkup::backgroundReference()
{
    TDialogContext context;
    context.BaseFolder = "/site/Pages";
    context.LowerCaseFiles = true;
    QCOMPARE(TableBackgroundReference(context, "/site/Pages/Art/Tile.GIF"), QString("art/Tile.GIF"));
    context.LowerCaseFiles = false;
    QCOMPARE(TableBackgroundReference(context, "/site/Art/Tile.GIF"), QString("../Art/Tile.GIF"));
    QCOMPARE(HexColorText(Colors::clNavy), QString("#000080"));
}

QTEST_GUILESS_MAIN(TestTableMarkup)
#include "tst_tablemarkup.moc"
