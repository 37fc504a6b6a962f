// The element dialogs' wiring: key filters, up-downs, what filling shows, the anchor's
// edit mode and file choosers, and the body's colour preview. The markup itself is tested
// on the builders (tst_elementtags).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "dialogs/elementdialogs.h"
#include "settings/colorcombo.h"
#include "testsupport.h"

class TestElementDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void keysAndUpDowns_data();
    void keysAndUpDowns();
    void fontFill();
    void anchorEditAndBrowse();
    void bodyPreviewAndBrowse();
    void commentSelectsAll();
    void listGrid();
    void formElementBoxes_data();
    void formElementBoxes();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestElementDialogs::keysAndUpDowns_data()
{
    QTest::addColumn<QString>("box");     // "font size", "rule size", "rule width"
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("ups");         // negative: down clicks
    QTest::addColumn<QString>("expected");
    QTest::newRow("font size takes 1 to 7 only") << "font size" << "" << "8a3" << 0 << "3";
    QTest::newRow("font size up-down stops at 7") << "font size" << "6" << "" << 3 << "7";
    QTest::newRow("font size up-down stops at 1") << "font size" << "2" << "" << -4 << "1";
    QTest::newRow("rule size steps by 3") << "rule size" << "" << "1x2" << 2 << "18";
    QTest::newRow("rule size stops at 0") << "rule size" << "2" << "" << -1 << "0";
    QTest::newRow("rule width takes %") << "rule width" << "" << "50%px" << 0 << "50%";
    QTest::newRow("rule width stops at 999") << "rule width" << "998" << "" << 2 << "999";
    QTest::newRow("form number: digits, at most 3") << "form number" << "" << "12a34" << 0 << "123";
    QTest::newRow("form number stops at 0") << "form number" << "1" << "" << -2 << "0";
    QTest::newRow("list rows stop at 99") << "list rows" << "98" << "" << 3 << "99";
    QTest::newRow("list rows stop at 1") << "list rows" << "2x" << "" << -3 << "1";
}

void TestElementDialogs::keysAndUpDowns()
{
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(int, ups);
    QFETCH(QString, expected);
    TfFont font;
    TfHorzRule rule;
    TfFormElement form;
    TfList list;
    QLineEdit *edit = box == "font size" ? font.txtSize : box == "rule size" ? rule.txtSize
                      : box == "form number" ? form.txtVal2 : box == "list rows" ? list.txtRows : rule.txtWidth;
    QWidget *dialog = edit->window();
    QToolButton *up = dialog->findChild<QToolButton *>("upd" + edit->objectName().mid(3) + "Up");
    QToolButton *down = dialog->findChild<QToolButton *>("upd" + edit->objectName().mid(3) + "Down");
    QVERIFY(up && down);
    edit->setText(start);
    QTest::keyClicks(edit, typed);
    for (int i = 0; i < std::abs(ups); ++i)
        (ups > 0 ? up : down)->click();
    QCOMPARE(edit->text(), expected);
}

void TestElementDialogs::fontFill()
{
    TfFont dialog;
    QCOMPARE(dialog.txtSize->text(), QStringLiteral("2"));
    QStringList faces;
    for (int i = 0; i < dialog.cboFace->count(); ++i)
        faces << dialog.cboFace->itemText(i);
    QStringList sorted = faces;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(faces, sorted);
    TDialogContext context;
    context.EditedTag = QStringLiteral("<FONT SIZE=\"-2\" COLOR=\"#FFF\" FACE=\"No Such Face\">");
    dialog.Open(context);
    QCOMPARE(dialog.cboSize->currentText(), QStringLiteral("-"));
    QCOMPARE(dialog.txtSize->text(), QStringLiteral("2"));
    QCOMPARE(dialog.cboFace->currentText(), QStringLiteral("No Such Face"));
    QCOMPARE(dialog.Build().StartText, context.EditedTag);
}

void TestElementDialogs::anchorEditAndBrowse()
{
    const TTempFiles dir;
    const QString file = dir.Write(QStringLiteral("Docs/Page.HTML"), QByteArray());
    TModalAnswerer modal;
    modal.FileAnswers << file;
    TfAnchor dialog;
    TDialogContext context;
    context.BaseFolder = dir.Path();
    context.LowerCaseFiles = true;
    context.LinkHistory = QStringList{QStringLiteral("a.html"), QStringLiteral("b.html")};
    context.EditedTag = QStringLiteral("<A HREF=\"b.html\" TARGET=_top>");
    dialog.Open(context);
    QCOMPARE(dialog.cboURL->count(), 2);
    QCOMPARE(dialog.cboURL->currentText(), QStringLiteral("b.html"));
    QCOMPARE(dialog.cboTarget->currentText(), QStringLiteral("_top"));
    QVERIFY(dialog.grpDescription->isHidden());
    dialog.btnSource->click();
    QCOMPARE(modal.FileDialogs.size(), 1);
    QCOMPARE(modal.FileDialogs[0].Caption, QStringLiteral("Select HTML Document"));
    QCOMPARE(dialog.cboURL->currentText(), QStringLiteral("docs/page.html"));

    // Anchor from file, built without showing, puts the file's reference first in the history.
    context.EditedTag.clear();
    context.Show = false;
    const std::optional<TTagResult> text = TfAnchor::FromFile(nullptr, context, file);
    QVERIFY(text);
    QCOMPARE(*text, (TTagResult{QStringLiteral("<A HREF=\"docs/page.html\">"), QStringLiteral("</A>")}));
    QCOMPARE(ReadLinkHistory().value(0), QStringLiteral("docs/page.html"));
}

void TestElementDialogs::bodyPreviewAndBrowse()
{
    const TTempFiles dir;
    const QString file = dir.Write(QStringLiteral("Pics/Back.GIF"), QByteArray());
    TModalAnswerer modal;
    modal.FileAnswers << file;
    TfBody dialog;
    const auto shown = [&dialog] {
        return QList<QColor>{dialog.pnlPreview->palette().color(QPalette::Window),
                             dialog.lblText->palette().color(QPalette::WindowText),
                             dialog.lblLink->palette().color(QPalette::WindowText),
                             dialog.lblVLink->palette().color(QPalette::WindowText),
                             dialog.lblALink->palette().color(QPalette::WindowText)};
    };
    QCOMPARE(shown(), (QList<QColor>{QColor(0xC0, 0xC0, 0xC0), Qt::black, Qt::blue, QColor(0x80, 0, 0x80), Qt::red}));
    TDialogContext context;
    context.BaseFolder = dir.Path();
    context.LowerCaseFiles = true;
    context.EditedTag = QStringLiteral("<BODY BGCOLOR=beige TEXT=\"#FFFFFF\">");
    dialog.Open(context);
    QCOMPARE(shown().mid(0, 2), (QList<QColor>{QColor(0xF5, 0xF5, 0xDC), Qt::white}));
    dialog.krColorLink->SetText(QStringLiteral("Green"));
    emit dialog.krColorLink->OnColorSelect(dialog.krColorLink);
    QCOMPARE(shown()[2], QColor(0, 0x80, 0));
    dialog.btnImage->click();
    QCOMPARE(modal.FileDialogs.value(0).Caption, QStringLiteral("Select an Image"));
    QCOMPARE(dialog.txtImage->text(), QStringLiteral("pics/Back.GIF"));
}

void TestElementDialogs::commentSelectsAll()
{
    TfComment dialog;
    TDialogContext context;
    context.EditedTag = QStringLiteral("<!-- a\tb -->");
    dialog.Open(context);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.memComment->hasFocus() || dialog.focusWidget() == dialog.memComment);
    QCOMPARE(dialog.memComment->textCursor().selectedText(), QStringLiteral(" a\tb "));
    QVERIFY(!dialog.memComment->tabChangesFocus());
    QTest::keyClick(dialog.memComment, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestElementDialogs::listGrid()
{
    TfList dialog;
    dialog.Open(TDialogContext());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.txtRows->text(), QStringLiteral("1"));
    QVERIFY(dialog.optList_Ord->isChecked());
    // Leaving the Rows box after a change sizes the grid, and so does a click on its up-down.
    dialog.txtRows->setFocus();
    dialog.txtRows->setText(QStringLiteral("5"));
    dialog.grdList->setFocus();
    QTRY_COMPARE(dialog.grdList->rowCount(), 5);
    dialog.txtRows->setText(QStringLiteral("2"));
    dialog.updRowsUp->click();
    QCOMPARE(dialog.grdList->rowCount(), 3);
    dialog.grdList->setItem(0, 0, new QTableWidgetItem(QStringLiteral("One")));
    // The last item is still being typed when OK is pressed.
    const QModelIndex last = dialog.grdList->model()->index(2, 0);
    dialog.grdList->setCurrentIndex(last);
    dialog.grdList->edit(last);
    QVERIFY(dialog.grdList->indexWidget(last));
    QTest::keyClicks(dialog.grdList->indexWidget(last), QStringLiteral("Three"));
    dialog.optList_Unord->setChecked(true);
    dialog.cmdOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Build().StartText, QStringLiteral("<UL>\r\n\t<LI>One\r\n\t<LI>\r\n\t<LI>Three\r\n</UL>"));
    // Clear leaves one empty row.
    dialog.cmdClear->click();
    QCOMPARE(dialog.grdList->rowCount(), 1);
    QCOMPARE(dialog.txtRows->text(), QStringLiteral("1"));
    QCOMPARE(dialog.grdList->currentRow(), 0);
    QCOMPARE(dialog.Fields().Items, QStringList{QString()});
}

void TestElementDialogs::formElementBoxes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("label1");   // empty: no number panel
    QTest::addColumn<QString>("label2");   // empty: no second number
    QTest::addColumn<bool>("value");
    QTest::newRow("Text") << "Text" << "Size" << "Max Len" << true;
    QTest::newRow("Text Area") << "Text Area" << "Rows" << "Cols" << true;
    QTest::newRow("Select List") << "Select List" << "Rows" << "" << false;
    QTest::newRow("Checkbox") << "Checkbox" << "" << "" << true;
}

void TestElementDialogs::formElementBoxes()
{
    QFETCH(QString, kind);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QFETCH(bool, value);
    TfFormElement dialog;
    dialog.Open(TDialogContext());
    QCOMPARE(dialog.cboFormElement->currentText(), QStringLiteral("Text"));
    QCOMPARE(dialog.cboFormElement->count(), 8);
    dialog.txtName->setText(QStringLiteral("n"));
    dialog.txtValue->setText(QStringLiteral("v"));
    dialog.txtVal1->setText(QStringLiteral("7"));
    dialog.cboFormElement->setCurrentText(kind);
    emit dialog.cboFormElement->activated(dialog.cboFormElement->currentIndex());
    QCOMPARE(dialog.Fields(), FormElementFieldsFor(TFormElementKind(dialog.cboFormElement->currentIndex())));
    QCOMPARE(dialog.pnlVal->isHidden(), label1.isEmpty());
    if (!label1.isEmpty())
        QCOMPARE(dialog.lblVal1->text(), label1);
    QCOMPARE(dialog.lblVal2->isHidden() || dialog.pnlVal2->isHidden(), label2.isEmpty());
    if (!label2.isEmpty())
        QCOMPARE(dialog.lblVal2->text(), label2);
    QCOMPARE(!dialog.txtValue->isHidden() && !dialog.lblValue->isHidden(), value);
}

QTEST_MAIN(TestElementDialogs)
#include "tst_elementdialogs.moc"
