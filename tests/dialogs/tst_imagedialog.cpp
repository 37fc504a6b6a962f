// The Image dialog on the offscreen platform: edit mode, OK and its warning, Clear, the
// Infinite box and building without showing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "platform/messagebox.h"
#include "dialogs/imagedialog.h"
#include "testsupport.h"

class TestImageDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void cleanup() { SetMessageHook(nullptr); }
    void editAndOK_data();
    void editAndOK();
    void okWithoutSourceWarns();
    void infiniteEnablesLoop();
    void clearButton();
    void digitsOnly();
    void executeWithoutShowing();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestImageDialog::editAndOK_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("width cleared") << "<IMG SRC=\"a.gif\" ID=logo WIDTH=10>" << "txtWidth" << ""
                                   << "<IMG SRC=\"a.gif\" ID=logo>";
    QTest::newRow("alt text added") << "<IMG SRC=\"a.gif\">" << "txtAlt" << "Home"
                                    << "<IMG SRC=\"a.gif\" ALT=\"Home\">";
    QTest::newRow("use map gets its #") << "<IMG SRC=\"a.gif\">" << "txtUseMap" << "nav"
                                        << "<IMG SRC=\"a.gif\" USEMAP=\"#nav\">";
    QTest::newRow("width changed, mixed-case source kept")
        << "<IMG SRC=\"Images/Logo.GIF\" WIDTH=10>" << "txtWidth" << "20" << "<IMG SRC=\"Images/Logo.GIF\" WIDTH=20>";
    QTest::newRow("typed source lower-cased") << "<IMG SRC=\"a.gif\">" << "txtSource" << "Pics/B.GIF"
                                              << "<IMG SRC=\"pics/b.gif\">";
    QTest::newRow("values the boxes cannot show kept")
        << "<IMG SRC=\"a.gif\" DYNSRC=\"c.avi\" START=mouseover WIDTH=\"100px\" USEMAP=\"nav\">" << "txtAlt" << "x"
        << "<IMG SRC=\"a.gif\" DYNSRC=\"c.avi\" START=mouseover WIDTH=\"100px\" USEMAP=\"nav\" ALT=\"x\">";
}

void TestImageDialog::editAndOK()
{
    QFETCH(QString, tag);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TfImg dialog;
    TDialogContext context;
    context.EditedTag = tag;
    context.LowerCaseFiles = true;
    dialog.Open(context, true);
    QCOMPARE(dialog.txtSource->text(), GetAttributeValue(tag, "SRC="));
    auto *edit = dialog.findChild<QLineEdit *>(box);
    QVERIFY(edit);
    edit->setText(text);
    dialog.cmdOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Build(), (TTagResult{expected, QString()}));
    if (box == "txtUseMap")
        QCOMPARE(dialog.txtUseMap->text(), QString("#nav"));
}

void TestImageDialog::okWithoutSourceWarns()
{
    QStringList seen;
    SetMessageHook([&seen](TMsgKind kind, const QString &, const QString &text, int buttons) {
        seen << QString("%1|%2|%3").arg(int(kind)).arg(text).arg(buttons);
        return int(mbOK);
    });
    TfImg dialog;
    dialog.Open(TDialogContext(), true);
    dialog.show();
    dialog.cmdOK->click();
    QCOMPARE(seen, QStringList{QString("%1|Please select an image.|%2").arg(int(mkWarning)).arg(int(mbOK))});
    QVERIFY(dialog.isVisible());
    dialog.txtDynSource->setText("clip.avi");
    dialog.cmdOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(seen.size(), 1);
}

void TestImageDialog::infiniteEnablesLoop()
{
    TfImg dialog;
    dialog.Open(TDialogContext(), true);
    QVERIFY(dialog.chkDynInfinite->isChecked());
    QVERIFY(!dialog.txtDynLoop->isEnabled());
    QVERIFY(!dialog.txtDynLoopDelay->isEnabled());
    QCOMPARE(dialog.txtDynLoop->text(), QString("1"));
    QCOMPARE(dialog.cboDynStart->currentText(), QString("FILEOPEN"));
    dialog.chkDynInfinite->click();
    QVERIFY(dialog.txtDynLoop->isEnabled());
    QVERIFY(dialog.txtDynLoopDelay->isEnabled());
    dialog.txtDynSource->setText("c.avi");
    dialog.txtDynLoop->setText("4");
    QCOMPARE(dialog.Build().StartText, QString("<IMG BORDER=0 DYNSRC=\"c.avi\" LOOP=4 START=FILEOPEN>"));
    // Editing a tag with a counted loop opens with the box clear and the loop enabled.
    TDialogContext context;
    context.EditedTag = "<IMG DYNSRC=\"c.avi\" LOOP=2>";
    dialog.Open(context, true);
    QVERIFY(!dialog.chkDynInfinite->isChecked());
    QVERIFY(dialog.txtDynLoop->isEnabled());
    QCOMPARE(dialog.txtDynLoop->text(), QString("2"));
}

void TestImageDialog::clearButton()
{
    TfImg dialog;
    TDialogContext context;
    context.EditedTag = "<IMG SRC=\"a.gif\" WIDTH=3 HSPACE=4 BORDER=2 ALIGN=\"LEFT\" ISMAP>";
    dialog.Open(context, true);
    QCOMPARE(dialog.cboAlign->currentText(), QString("LEFT"));
    dialog.cmdClear->click();
    QCOMPARE(dialog.txtSource->text(), QString());
    QCOMPARE(dialog.txtWidth->text(), QString());
    QCOMPARE(dialog.txtBorder->text(), QString("0"));
    QCOMPARE(dialog.cboAlign->currentText(), QString());
    QVERIFY(!dialog.chkIsMap->isChecked());
    QCOMPARE(dialog.txtHSpace->text(), QString("4"));
    dialog.updBorderUp->click();
    QCOMPARE(dialog.txtBorder->text(), QString("1"));
}

void TestImageDialog::digitsOnly()
{
    TfImg dialog;
    dialog.show();
    dialog.txtWidth->setFocus();
    QTest::keyClicks(dialog.txtWidth, "1a2%3");
    QCOMPARE(dialog.txtWidth->text(), QString("123"));
    QTest::keyClick(dialog.txtWidth, Qt::Key_Backspace);
    QCOMPARE(dialog.txtWidth->text(), QString("12"));
}

void TestImageDialog::executeWithoutShowing()
{
    TDialogContext context;
    context.BaseFolder = "/web";
    context.FileName = "/web/media/Clip.avi";
    context.LowerCaseFiles = true;
    context.Show = false;
    context.FileAsDynSource = true;
    const std::optional<TTagResult> text = TfImg::Execute(nullptr, context);
    QVERIFY(text);
    QCOMPARE(text->StartText, QString("<IMG BORDER=0 DYNSRC=\"media/clip.avi\" LOOP=INFINITE START=FILEOPEN>"));
    QCOMPARE(text->EndText, QString());
}

QTEST_MAIN(TestImageDialog)
#include "tst_imagedialog.moc"
