// The table widgets on the offscreen platform: the quick table sizer, the Table Wizard's grid
// and cell page, and the Table, Table Row and cell dialogs opened on a tag.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "platform/filedialogs.h"
#include "dialogs/tabledialogs.h"
#include "editor/richhtml.h"
#include "settings/colorcombo.h"
#include "testsupport.h"

namespace {

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

class TestTableDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup()
    {
        SetFileDialogHook(nullptr);
        SetLowerCaseTags(false);
    }

    void sizerHoverAndClick();
    void sizerMouse_data();
    void sizerMouse();
    void sizerToggle();
    void quickTableBeforeSelection();

    void wizardDefaults();
    void wizardCellPage();
    void wizardShrinkWithLastCellCurrent_data();
    void wizardShrinkWithLastCellCurrent();
    void wizardErasedCellAndClear();
    void wizardColourGrids();

    void cellDialogEdit_data();
    void cellDialogEdit();
    void cellDialogMode();
    void tableDialogNew();
    void rowDialogForceHex();
    void dialogsKeepWhatTheyCannotShow_data();
    void dialogsKeepWhatTheyCannotShow();
    void backgroundImageBrowse();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

// ---- sizer

void TestTableDialogs::sizerHoverAndClick()
{
    TkrTableSizer sizer;
    QSignalSpy spy(&sizer, &TkrTableSizer::OnCellSelect);
    sizer.show();
    sizer.HoverCell(1, 1);
    QCOMPARE(sizer.StatusText(), QString("1 x 1 Table"));
    QVERIFY(sizer.IsCellHighlighted(1, 1));
    QVERIFY(!sizer.IsCellHighlighted(1, 2));
    sizer.HoverCell(13, 1);   // no such row: nothing changes
    QCOMPARE(sizer.StatusText(), QString("1 x 1 Table"));

    sizer.SelectCell(12, 6);
    QVERIFY(!sizer.isVisible());
    QVERIFY(sizer.StatusText().isEmpty());
    QVERIFY(!sizer.IsCellHighlighted(1, 1));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 12);
    QCOMPARE(spy.at(0).at(2).toInt(), 6);
}

void TestTableDialogs::sizerMouse_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("selected");
    QTest::newRow("third row, second column") << QPoint(25, 40) << "3 x 2 Table" << 1;
    QTest::newRow("gap between cells") << QPoint(19, 19) << "" << 0;
}

void TestTableDialogs::sizerMouse()
{
    QFETCH(QPoint, pos);
    QFETCH(QString, status);
    QFETCH(int, selected);
    TkrTableSizer sizer;
    QSignalSpy spy(&sizer, &TkrTableSizer::OnCellSelect);
    sizer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sizer));
    QTest::mouseMove(&sizer, pos);
    QTRY_COMPARE(sizer.StatusText(), status);
    QTest::mouseClick(&sizer, Qt::LeftButton, {}, pos);
    QCOMPARE(spy.count(), selected);
    if (selected) {
        QCOMPARE(spy.at(0).at(1).toInt(), 3);
        QCOMPARE(spy.at(0).at(2).toInt(), 2);
        QVERIFY(!sizer.isVisible());
    }
}

void TestTableDialogs::sizerToggle()
{
    QWidget window;
    window.resize(400, 400);
    auto *panel = new QWidget(&window);
    panel->setGeometry(0, 0, 400, 60);
    auto *button = new QToolButton(panel);
    button->setGeometry(50, 5, 30, 30);
    auto *sizer = new TkrTableSizer(&window);
    window.show();
    sizer->ToggleUnder(button, panel);
    QVERIFY(sizer->isVisible());
    QCOMPARE(sizer->pos(), QPoint(60, 53));
    sizer->ToggleUnder(button, panel);
    QVERIFY(!sizer->isVisible());
}

void TestTableDialogs::quickTableBeforeSelection()
{
    TkrRichHTML editor;
    editor.setPlainText("one two");
    editor.Select(4, 3);
    const TTagResult table = QuickTableText(1, 1);
    editor.InsertTags(table.StartText, table.EndText, false);
    QString expected = "one " + Lines({"<TABLE>", "<TR>", "\t<TD> </TD>", "</TR>", "</TABLE>"}) + "two";
    QCOMPARE(editor.Text().replace("\r\n", "\n"), expected.replace("\r\n", "\n"));
}

// ---- wizard

void TestTableDialogs::wizardDefaults()
{
    TfTableWizard wizard;
    QCOMPARE(wizard.windowTitle(), QString("Table Wizard"));
    QCOMPARE(wizard.grdTable->rowCount(), 1);
    QCOMPARE(wizard.grdTable->columnCount(), 1);
    // The text itself is the model's, checked with the model.
    QCOMPARE(wizard.Build().StartText, TTableWizardModel().Build());
}

void TestTableDialogs::wizardCellPage()
{
    TfTableWizard wizard;
    wizard.txtCols.Edit->setText("2");
    wizard.ApplyColumns();
    QCOMPARE(wizard.grdTable->columnCount(), 2);
    wizard.SelectGridCell(0, 1);
    wizard.grdTable->item(0, 1)->setText("Price");
    wizard.cboCellAlign->setCurrentIndex(wizard.cboCellAlign->findText("Center"));
    wizard.txtCellWidth->setText("50%");
    wizard.txtCellColSpan.Up->click();   // an empty span steps to 1
    QCOMPARE(wizard.txtCellColSpan.Edit->text(), QString("1"));
    // Back to the first cell: its page is empty again, the second cell keeps its values.
    wizard.SelectGridCell(0, 0);
    QVERIFY(wizard.txtCellWidth->text().isEmpty());
    QCOMPARE(wizard.Build().StartText, Lines({"<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0>", "<TR>", "\t<TD> </TD>",
                                    "\t<TD ALIGN=\"CENTER\" WIDTH=\"50%\" COLSPAN=1>Price</TD>", "</TR>",
                                    "</TABLE>"}));
    wizard.SelectGridCell(0, 1);
    QCOMPARE(wizard.cboCellAlign->currentText(), QString("Center"));
    QCOMPARE(wizard.txtCellWidth->text(), QString("50%"));
}

void TestTableDialogs::wizardShrinkWithLastCellCurrent_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("gridRows");
    QTest::addColumn<int>("gridColumns");
    QTest::newRow("to 1 by 1") << "1" << "1" << 1 << 1;
    QTest::newRow("unreadable counts as 1") << "" << "x" << 1 << 1;
    QTest::newRow("columns only") << "3" << "2" << 3 << 2;
}

void TestTableDialogs::wizardShrinkWithLastCellCurrent()
{
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(int, gridRows);
    QFETCH(int, gridColumns);
    TfTableWizard wizard;
    wizard.txtRows.Edit->setText("3");
    wizard.ApplyRows();
    wizard.txtCols.Edit->setText("3");
    wizard.ApplyColumns();
    wizard.grdTable->setCurrentCell(2, 2);
    QCOMPARE(wizard.Model().CurrentRow(), 2);
    wizard.chkNoWrap->setChecked(true);

    wizard.txtRows.Edit->setText(rows);
    wizard.ApplyRows();
    wizard.txtCols.Edit->setText(columns);
    wizard.ApplyColumns();
    QCOMPARE(wizard.grdTable->rowCount(), gridRows);
    QCOMPARE(wizard.grdTable->columnCount(), gridColumns);
    QVERIFY(wizard.Model().Contains(wizard.Model().CurrentRow(), wizard.Model().CurrentColumn()));
    QCOMPARE(wizard.grdTable->currentRow(), wizard.Model().CurrentRow());
    QCOMPARE(wizard.grdTable->currentColumn(), wizard.Model().CurrentColumn());
    // The page shows the new current cell, and a change on it lands in that cell.
    QVERIFY(!wizard.chkNoWrap->isChecked());
    wizard.txtCellHeight->setText("7");
    const QString text = wizard.Build().StartText;
    QCOMPARE(text.count("HEIGHT=\"7\""), 1);
    QVERIFY(!text.contains("NOWRAP"));
    QCOMPARE(text.count("<TD"), gridRows * gridColumns);
}

void TestTableDialogs::wizardErasedCellAndClear()
{
    TfTableWizard wizard;
    wizard.grdTable->item(0, 0)->setText(QString());
    QVERIFY(wizard.Build().StartText.contains("\t<TD></TD>\r\n"));
    wizard.txtRows.Edit->setText("2");
    wizard.ApplyRows();
    wizard.SelectGridCell(1, 0);
    wizard.txtCellWidth->setText("9");
    wizard.cmdClear->click();
    QCOMPARE(wizard.txtRows.Edit->text(), QString("1"));
    QCOMPARE(wizard.grdTable->rowCount(), 1);
    QVERIFY(wizard.txtCellWidth->text().isEmpty());
    QCOMPARE(wizard.grdTable->item(0, 0)->text(), QString(" "));
    QVERIFY(wizard.Build().StartText.contains("\t<TD> </TD>\r\n"));
}

void TestTableDialogs::wizardColourGrids()
{
    TfTableWizard wizard;
    wizard.show();
    QVERIFY(!wizard.spdTblColor->isEnabled());
    wizard.chkTblBackground->setChecked(true);
    QVERIFY(wizard.spdTblColor->isEnabled());
    wizard.spdTblColor->click();
    QVERIFY(wizard.krTblColorSelect->isVisible());
    emit wizard.krTblColorSelect->OnColorSelect(wizard.krTblColorSelect, Colors::clTeal);
    QVERIFY(!wizard.krTblColorSelect->isVisible());
    QVERIFY(wizard.Build().StartText.startsWith("<TABLE CELLPADDING=0 CELLSPACING=0 WIDTH=0 BORDER=0 BGCOLOR=\"#008080\">"));

    wizard.pgcWizard->setCurrentIndex(1);
    wizard.chkCellBackground->setChecked(true);
    wizard.spdCellColor->click();
    QVERIFY(wizard.krCellColorSelect->isVisible());
    wizard.pgcWizard->setCurrentIndex(0);   // switching pages hides the colour grids
    QVERIFY(!wizard.krCellColorSelect->isVisible());
    emit wizard.krCellColorSelect->OnColorSelect(wizard.krCellColorSelect, Colors::clRed);
    QVERIFY(wizard.Build().StartText.contains("\t<TD BGCOLOR=\"#FF0000\"> </TD>"));
}

// ---- tag dialogs

void TestTableDialogs::cellDialogEdit_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("expected");
    QTest::newRow("NOWRAP cleared") << "<TD NOWRAP>" << false << "<TD>";
    QTest::newRow("header cell keeps its content's end tag") << "<TH ALIGN=\"Right\" NOWRAP>" << true
                                                             << "<TH ALIGN=\"Right\">";
}

void TestTableDialogs::cellDialogEdit()
{
    QFETCH(QString, tag);
    QFETCH(bool, header);
    QFETCH(QString, expected);
    TfTableAttribute dialog;
    dialog.SetHeaderMode(header);
    dialog.Open(EditContext(tag));
    QVERIFY(dialog.chkNoWrap->isChecked());
    QVERIFY(dialog.txtCellColSpan.Edit->text().isEmpty());
    dialog.chkNoWrap->setChecked(false);
    dialog.cmdOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Build(), (TTagResult{expected, QString()}));

    // In an editor, only the selected start tag is replaced.
    TkrRichHTML editor;
    editor.setPlainText(tag + "cell" + (header ? "</TH>" : "</TD>"));
    editor.Select(0, int(tag.size()));
    const TTagResult result = dialog.Build();
    editor.InsertTags(result.StartText, result.EndText, true);
    QCOMPARE(editor.Text(), expected + "cell" + (header ? "</TH>" : "</TD>"));
}

void TestTableDialogs::cellDialogMode()
{
    TfTableAttribute dialog;
    QCOMPARE(dialog.windowTitle(), QString("Table Data"));
    dialog.SetHeaderMode(true);
    QCOMPARE(dialog.windowTitle(), QString("Table Header"));
    dialog.Open(TDialogContext());
    QCOMPARE(dialog.txtCellColSpan.Edit->text(), QString("1"));
    QVERIFY(dialog.krColorBG->Text().isEmpty());
    // Typing stops at 4 characters for sizes (2 for spans).
    QTest::keyClicks(dialog.txtCellWidth, "12a%45");
    QCOMPARE(dialog.txtCellWidth->text(), QString("12%4"));
    dialog.txtCellWidth->clear();
    dialog.cboCellAlign->setCurrentIndex(dialog.cboCellAlign->findText("Center"));
    QCOMPARE(dialog.Build(), (TTagResult{"<TH ALIGN=\"Center\" COLSPAN=1 ROWSPAN=1>", "</TH>"}));
}

void TestTableDialogs::tableDialogNew()
{
    TfTable dialog;
    dialog.Open(TDialogContext());
    dialog.txtWidth.Edit->setText("80%");
    QCOMPARE(dialog.Build(), (TTagResult{"<TABLE CELLSPACING=0 CELLPADDING=0 BORDER=0 WIDTH=\"80%\">", "</TABLE>"}));
    dialog.txtWidth.Edit->setText("80");
    dialog.txtWidth.Up->click();
    QCOMPARE(dialog.txtWidth.Edit->text(), QString("85"));

    TfTable edit;
    edit.Open(EditContext("<TABLE BORDER=1>"));
    QVERIFY(edit.txtWidth.Edit->text().isEmpty());
    QCOMPARE(edit.Build(), (TTagResult{"<TABLE BORDER=1>", QString()}));
}

void TestTableDialogs::rowDialogForceHex()
{
    // A colour the user leaves alone stays as it stands; one chosen is written in the
    // combo's own spelling.
    TDialogContext hex = EditContext("<TR BGCOLOR=\"red\">");
    hex.ForceHexColor = true;
    TfTableRow dialog;
    dialog.Open(hex);
    QCOMPARE(dialog.Build().StartText, QString("<TR BGCOLOR=\"red\">"));
    dialog.krColorBG->setCurrentIndex(11);
    QCOMPARE(dialog.Build().StartText, QString("<TR BGCOLOR=\"#000080\">"));
    TfTableRow named;
    named.Open(EditContext("<TR BGCOLOR=\"red\">"));
    named.krColorBG->setCurrentIndex(11);
    QCOMPARE(named.Build().StartText, QString("<TR BGCOLOR=\"Navy\">"));
}

// Filling never cuts or changes a value: what no box or list can show is written back as
// it stood when the user leaves it alone.
void TestTableDialogs::dialogsKeepWhatTheyCannotShow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tag");
    QTest::newRow("table") << "table"
                           << "<TABLE CELLSPACING=100 BORDER=\"1\" BGCOLOR=\"orange\" WIDTH=\"100px\">";
    QTest::newRow("table, short hex colour") << "table" << "<TABLE WIDTH=12345 BGCOLOR=\"#FFF\">";
    QTest::newRow("row") << "row" << "<TR BGCOLOR='beige' WIDTH=\"100px\" HEIGHT=12345 VALIGN=top>";
    QTest::newRow("cell") << "cell" << "<TD COLSPAN=100 ROWSPAN=\"3x\" WIDTH=\"100px\" HEIGHT=\"75%\" BGCOLOR=navy>";
}

void TestTableDialogs::dialogsKeepWhatTheyCannotShow()
{
    QFETCH(QString, kind);
    QFETCH(QString, tag);
    TDialogContext context = EditContext(tag);
    context.ForceHexColor = true;
    TTagResult result;
    if (kind == "table") {
        TfTable dialog;
        dialog.Open(context);
        result = dialog.Build();
    } else if (kind == "row") {
        TfTableRow dialog;
        dialog.Open(context);
        result = dialog.Build();
    } else {
        TfTableAttribute dialog;
        dialog.Open(context);
        result = dialog.Build();
    }
    QCOMPARE(result.StartText, tag);
}

void TestTableDialogs::backgroundImageBrowse()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("Site/Art"));
    const QString file = dir.filePath("Site/Art/Tile.GIF");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QString title;
    SetFileDialogHook([&](TFileDialogKind, const QString &t, const QString &) {
        title = t;
        return file;
    });
    TDialogContext context;
    context.BaseFolder = dir.filePath("Site");
    context.LowerCaseFiles = true;
    TfTableAttribute dialog;
    dialog.Open(context);
    dialog.btnBkImage->click();
    QCOMPARE(title, QString("Select an Image"));
    QCOMPARE(dialog.txtBkImage->text(), QString("art/Tile.GIF"));
}

QTEST_MAIN(TestTableDialogs)
#include "tst_tabledialogs.moc"
