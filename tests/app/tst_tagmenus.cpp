// The tag commands of the main window's menus, run on a real editor: wrapping, single
// tags, case, stripping, converting lines and Go to Line, each one undo step.
#include <QFile>
#include <QMenu>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/htmltab.h"
#include "platform/inputbox.h"
#include "app/mainwindow.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "app/shellsettings.h"
#include "dialogs/convertdialogs.h"
#include "dialogs/tabledialogs.h"
#include "dialogs/tagdialog.h"
#include "dialogs/tablemarkup.h"
#include "editor/richhtml.h"
#include "common/textfile.h"
#include "editor/tagbar.h"
#include "editor/tagtext.h"
#include "platform/configstore.h"
#include "testsupport.h"

class TestTagMenus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuItems_data();
    void menuItems();
    void datetimeInsertsCaption();
    void stripAllAsksFirst_data();
    void stripAllAsksFirst();
    void caseOfSelection();
    void stripOutermost_data();
    void stripOutermost();
    void convertLines_data();
    void convertLines();
    void goToLine_data();
    void goToLine();
    void indentKeysFollowSelection_data();
    void indentKeysFollowSelection();
    void speedbarWritesIntoActiveDocument();
    void tagSelectionToggleKeepsInStep();
    void editTagEntryNamesTheKind_data();
    void editTagEntryNamesTheKind();
    void droppedFilesBecomeElements();
    void quickTableSizer();
    void elementDialogsRoundTrip_data();
    void elementDialogsRoundTrip();

private:
    void Trigger(const char *name) { m_main->Action(QLatin1String(name))->trigger(); }
    TkrRichHTML *Editor() { return m_main->ActiveEditor(); }
    void SetText(const QString &text)
    {
        Editor()->Select(0, Editor()->TextLength());
        Editor()->InsertTags(text, QString(), true);
        Editor()->ClearUndo();
        Editor()->SetModified(false);
    }

    std::unique_ptr<QTemporaryDir> m_config;
    TfMain *m_main = nullptr;
    TMessageRecorder m_boxes;
    TModalAnswerer m_modal;
    std::optional<TLineConversion> m_conversion;
};

void TestTagMenus::initTestCase()
{
    m_config = UseTemporaryConfig();
    m_boxes.FixedAnswer = mbOK;
    SetConversionHook([this](bool) { return m_conversion; });
}

void TestTagMenus::init()
{
    ConfigStore::EraseKey(AppKey());
    m_main = new TfMain;
    m_boxes.Clear();
    m_modal.Clear();
}

void TestTagMenus::cleanup()
{
    SetLowerCaseTags(false);
    for (int i = 0; i < m_main->HTMLTab()->DocumentCount(); ++i)
        m_main->HTMLTab()->Editor(i)->SetModified(false);
    delete m_main;
    m_main = nullptr;
}

void TestTagMenus::menuItems_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    // The text is "one two", with "two" selected when selLength is 3.
    QTest::newRow("bold wraps the selection") << "mnuTagsBold" << false << false << 3 << "one <B>two</B>" << 7 << 3;
    QTest::newRow("bold without selection") << "mnuTagsBold" << false << false << 0 << "one <B></B>two" << 7 << 0;
    QTest::newRow("bold in overwrite mode drops the selection") << "mnuTagsBold" << false << true << 3 << "one <B></B>" << 7 << 0;
    QTest::newRow("font size +1 in lower case keeps its value")
        << "mnuTagsFontPlus" << true << false << 3 << "one <font size=\"+1\">two</font>" << 20 << 3;
    QTest::newRow("break stands before the selected text") << "mnuTagsBreak" << false << false << 3 << "one <BR>two" << 8 << 0;
    QTest::newRow("nbsp never changes case") << "mnuTagsNbsp" << true << false << 0 << "one &nbsp;two" << 10 << 0;
    QTest::newRow("paragraph in lower case") << "mnuTagsParagraph" << true << false << 0 << "one <p>two" << 7 << 0;
    QTest::newRow("heading 2") << "mnuTagsH2" << false << false << 3 << "one <H2>two</H2>" << 8 << 3;
}

void TestTagMenus::menuItems()
{
    QFETCH(QString, action);
    QFETCH(bool, lowerCase);
    QFETCH(bool, overwrite);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    QFETCH(int, selected);
    SetLowerCaseTags(lowerCase);
    SetText(QStringLiteral("one two"));
    if (overwrite)
        Editor()->ToggleInsertMode();
    Editor()->Select(4, selLength);
    m_main->Action(action)->trigger();
    QCOMPARE(Editor()->Text(), expected);
    QCOMPARE(Editor()->SelStart(), caret);
    QCOMPARE(Editor()->SelLength(), selected);
    QVERIFY(Editor()->Modified());
    QCOMPARE(Editor()->UndoCount(), 1);
    Editor()->Undo();
    QCOMPARE(Editor()->Text(), QStringLiteral("one two"));
    if (overwrite)
        Editor()->ToggleInsertMode();
}

void TestTagMenus::datetimeInsertsCaption()
{
    SetText(QString());
    QMenu *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuTagsDatetime"));
    QVERIFY(menu);
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QAction *longDatetime = menu->actions().at(3);
    const QString caption = longDatetime->data().toString();
    QVERIFY(caption.contains(QString::number(QDate::currentDate().year())));
    longDatetime->trigger();
    QCOMPARE(Editor()->Text(), caption);
}

void TestTagMenus::stripAllAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yes strips") << int(mbYes) << "a b";
    QTest::newRow("no keeps") << int(mbNo) << "<B>a</B> <I>b</I>";
    QTest::newRow("closing the box keeps") << int(mbCancel) << "<B>a</B> <I>b</I>";
}

void TestTagMenus::stripAllAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(QString, expected);
    SetText(QStringLiteral("<B>a</B> <I>b</I>"));
    m_boxes.Answers << answer;
    Trigger("mnuTagsStripAll");
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({
        {mkWarning, QStringLiteral("This will strip all HTML tags from the current document.  Continue?"), mbYes | mbNo}}));
    QCOMPARE(Editor()->Text(), expected);
}

void TestTagMenus::caseOfSelection()
{
    SetText(QStringLiteral("<b>caf\u00e9</b> x"));
    Editor()->Select(0, 11);
    Trigger("mnuPopupUppercase");
    QCOMPARE(Editor()->Text(), QStringLiteral("<B>CAF\u00e9</B> x"));
    QCOMPARE(Editor()->SelLength(), 11);
    Trigger("mnuPopupLowercase");
    QCOMPARE(Editor()->Text(), QStringLiteral("<b>caf\u00e9</b> x"));
    QCOMPARE(Editor()->UndoCount(), 2);
    Editor()->Undo();
    QCOMPARE(Editor()->Text(), QStringLiteral("<B>CAF\u00e9</B> x"));
}

void TestTagMenus::stripOutermost_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a whole line keeps its line break") << "<B>bold</B>\nnext" << 0 << 12 << "bold\nnext";
    QTest::newRow("text before the first tag goes too") << "say <B>x</B>!" << 0 << 12 << "x!";
    QTest::newRow("nested elements lose the outer pair") << "<B><I>x</I></B>" << 0 << 15 << "<I>x</I>";
    QTest::newRow("no tag: nothing happens") << "plain text" << 0 << 5 << "plain text";
}

void TestTagMenus::stripOutermost()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    SetText(text);
    Editor()->Select(selStart, selLength);
    Trigger("mnuPopupStripOutermost");
    QCOMPARE(Editor()->Text(), expected);
    if (expected != text) {
        Editor()->Undo();
        QCOMPARE(Editor()->Text(), text);
    }
}

void TestTagMenus::convertLines_data()
{
    QTest::addColumn<int>("conversion");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    const QString text = QStringLiteral("one\n\nthree\nrest");
    QTest::newRow("ordered list with an empty middle line")
        << int(lcOrderedList) << 0 << 11 << "<OL>\n\t<LI>one\n\t<LI>\n\t<LI>three\n</OL>\nrest";
    QTest::newRow("selection ending after a line break leaves the next line")
        << int(lcUnorderedList) << 1 << 4 << "<UL>\n\t<LI>one\n\t<LI>\n</UL>\nthree\nrest";
    QTest::newRow("rows, selection inside the lines")
        << int(lcTableRows) << 12 << 2 << "one\n\nthree\n<TABLE>\n\t<TR><TD>rest</TD></TR>\n</TABLE>";
}

void TestTagMenus::convertLines()
{
    QFETCH(int, conversion);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    const QString text = QStringLiteral("one\n\nthree\nrest");
    SetText(text);
    Editor()->Select(selStart, selLength);
    m_conversion = TLineConversion(conversion);
    Trigger(conversion >= lcTableRows ? "mnuPopupLinesToTable" : "mnuPopupLinesToList");
    QCOMPARE(Editor()->Text(), expected);
    QCOMPARE(Editor()->UndoCount(), 1);
    Editor()->Undo();
    QCOMPARE(Editor()->Text(), text);
    // Cancel changes nothing.
    m_conversion.reset();
    Trigger("mnuPopupLinesToList");
    QCOMPARE(Editor()->Text(), text);
}

void TestTagMenus::goToLine_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("caret");
    // Five lines; the caret starts on line 3 (0-based 2), at its third character.
    QTest::newRow("line 4") << "4" << true << 8;
    QTest::newRow("beyond the end stays") << "9" << true << 6;
    QTest::newRow("zero: start of its own line") << "0" << true << 4;
    QTest::newRow("letters: line 1") << "x" << true << 0;
    QTest::newRow("cancel stays") << "1" << false << 6;
}

void TestTagMenus::goToLine()
{
    QFETCH(QString, answer);
    QFETCH(bool, ok);
    QFETCH(int, caret);
    SetText(QStringLiteral("a\nb\ncde\nf\ng"));
    Editor()->Select(6, 0);
    m_modal.InputAnswers << (ok ? std::optional<QString>(answer) : std::nullopt);
    Trigger("mnuEditGoToLine");
    QVERIFY(m_boxes.Boxes.isEmpty());
    QCOMPARE(m_modal.InputPrompts(), QStringList{QStringLiteral("Enter Line Number (1-5)")});
    QCOMPARE(Editor()->SelStart(), caret);
}

void TestTagMenus::indentKeysFollowSelection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Ctrl+. indents") << int(Qt::Key_Period) << "one\ntwo" << "\tone\n\ttwo";
    QTest::newRow("Ctrl+, unindents") << int(Qt::Key_Comma) << "\tone\n\ttwo" << "one\ntwo";
}

// The keys work once text is selected, also after the Edit menu opened without a selection.
void TestTagMenus::indentKeysFollowSelection()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    SetText(text);
    Editor()->Select(0, 0);
    QMetaObject::invokeMethod(m_main->findChild<QMenu *>(QStringLiteral("mnuEdit")), "aboutToShow");
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    Editor()->setFocus();
    Editor()->Select(0, Editor()->TextLength());
    QTest::keyClick(Editor(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(Editor()->Text(), expected);
}

void TestTagMenus::speedbarWritesIntoActiveDocument()
{
    SetText(QStringLiteral("word"));
    Editor()->Select(0, 4);
    TkrTagButton *bold = m_main->Speedbar()->Button(QStringLiteral("spdBold"));
    QVERIFY(bold);
    bold->click();
    QCOMPARE(Editor()->Text(), QStringLiteral("<B>word</B>"));
    emit bold->OnHint(bold->Hint());
    QCOMPARE(m_main->StatusPanelText(1), QStringLiteral(" Bold"));
    emit bold->OnHint(QString());
    QCOMPARE(m_main->StatusPanelText(1), QStringLiteral(" Ready."));
}

void TestTagMenus::tagSelectionToggleKeepsInStep()
{
    Trigger("mnuOptionsTagSelection");
    QVERIFY(m_main->TagSelectionVisible());
    QVERIFY(m_main->Action(QStringLiteral("spdTagSelection"))->isChecked());
    Trigger("spdTagSelection");
    QVERIFY(!m_main->TagSelectionVisible());
    QVERIFY(!m_main->Action(QStringLiteral("mnuOptionsTagSelection"))->isChecked());
}

void TestTagMenus::editTagEntryNamesTheKind_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("inside a TD start tag") << "<TABLE><TR><TD ALIGN=LEFT>x</TD>" << 14 << "Edit Table Data Tag..." << true;
    QTest::newRow("inside THEAD") << "<THEAD>" << 3 << "Edit Table Header Tag..." << true;
    QTest::newRow("text after an image tag") << "<IMG SRC=\"a.gif\"> text" << 20 << "Edit Image Tag..." << true;
    QTest::newRow("inside a bold tag") << "<B>x</B>" << 1 << "Edit Tag" << false;
    QTest::newRow("start of the document") << "<IMG>" << 0 << "Edit Tag" << false;
}

void TestTagMenus::editTagEntryNamesTheKind()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    SetText(text);
    Editor()->Select(caret, 0);
    QMenu *popup = m_main->findChild<QMenu *>(QStringLiteral("mnuPopupEdit"));
    QMetaObject::invokeMethod(popup, "aboutToShow");
    QAction *entry = m_main->Action(QStringLiteral("mnuPE_EditTag"));
    QCOMPARE(entry->text(), caption);
    QCOMPARE(entry->isEnabled(), enabled);
    QCOMPARE(Editor()->SelLength(), 0); // finding the tag selects nothing
}

// Files dropped on the editor become elements at once, without a dialog.
void TestTagMenus::droppedFilesBecomeElements()
{
    const TTempFiles dir;
    QStringList files;
    for (const char *name : {"a.gif", "b.png", "c.jpg", "site.css"})
        files << dir.Write(QLatin1String(name), QByteArray());
    SetText(QString());
    m_main->DropFiles(files);
    const QString text = Editor()->Text();
    QCOMPARE(text.count(QStringLiteral("<IMG")), 3);
    QVERIFY(text.contains(QStringLiteral("<LINK REL=STYLE TYPE=\"text/css\" SRC=\"")));
    QVERIFY(text.contains(QStringLiteral("site.css\">")));
    QVERIFY(m_boxes.Boxes.isEmpty());
}

// The QuickTable button drops the sizer down; a cell inserts the quick table; any other tag
// button and the viewer page hide it.
void TestTagMenus::quickTableSizer()
{
    SetText(QStringLiteral("after"));
    Editor()->Select(0, 0);
    TkrTableSizer *sizer = m_main->TableSizer();
    QVERIFY(!sizer->isVisible());
    m_main->Speedbar()->Button(QStringLiteral("spdQuickTable"))->click();
    QVERIFY(sizer->isVisible());
    sizer->SelectCell(2, 2);
    QVERIFY(!sizer->isVisible());
    QCOMPARE(Editor()->Text(), NormalizeLineBreaks(QuickTableMarkup(2, 2)) + QStringLiteral("after"));
    QCOMPARE(Editor()->UndoCount(), 1);

    m_main->Speedbar()->Button(QStringLiteral("spdQuickTable"))->click();
    QVERIFY(sizer->isVisible());
    m_main->Speedbar()->Button(QStringLiteral("spdBold"))->click();
    QVERIFY(!sizer->isVisible());
    m_main->Speedbar()->Button(QStringLiteral("spdQuickTable"))->click();
    QVERIFY(sizer->isVisible());
    m_main->findChild<QTabWidget *>(QStringLiteral("pgHTML"))->setCurrentIndex(1);
    QVERIFY(!sizer->isVisible());
    m_main->findChild<QTabWidget *>(QStringLiteral("pgHTML"))->setCurrentIndex(0);

    // Escape or a click elsewhere closes it too.
    m_main->Speedbar()->Button(QStringLiteral("spdQuickTable"))->click();
    QVERIFY(sizer->isVisible());
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QVERIFY(!sizer->isVisible());
    m_main->Speedbar()->Button(QStringLiteral("spdQuickTable"))->click();
    QTest::mouseClick(Editor()->viewport(), Qt::LeftButton);
    QVERIFY(!sizer->isVisible());
}

// F3 on a tag (or a Tools menu entry for a new element) opens its dialog, which is
// confirmed with OK, after typing an HREF when the row gives one. A tag left alone stays as
// it was; LowerCaseFiles (on by default) lower-cases a typed address only.
void TestTagMenus::elementDialogsRoundTrip_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("href");      // typed into the HREF box; empty: untouched
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("history");   // head of the link history afterwards
    const QString f3 = QStringLiteral("actEditTagKey");
    QTest::newRow("comment holding markup") << f3 << "x<!-- <B>old</B> -->y" << 3 << "" << "x<!-- <B>old</B> -->y"
                                            << "";
    QTest::newRow("anchor with unknown attributes and an untouched HREF")
        << f3 << "<A  HREF=Docs/Page.HTML CLASS=nav>t</A>" << 2 << ""
        << "<A  HREF=Docs/Page.HTML CLASS=nav>t</A>" << "Docs/Page.HTML";
    QTest::newRow("anchor with a typed address") << f3 << "<a href=x.html id=K>t</a>" << 2 << "HTTP://Example.COM/X"
                                                 << "<a href=\"http://example.com/x\" id=K>t</a>"
                                                 << "http://example.com/x";
    QTest::newRow("font with odd size and colour") << f3 << "<FONT SIZE=+10 COLOR=beige face='Times'>x</FONT>" << 2
                                                   << "" << "<FONT SIZE=+10 COLOR=beige face='Times'>x</FONT>" << "";
    QTest::newRow("body with short and named colours") << f3 << "<BODY BGCOLOR=\"#FFF\" TEXT=navy ID=Main>" << 2
                                                       << "" << "<BODY BGCOLOR=\"#FFF\" TEXT=navy ID=Main>" << "";
    QTest::newRow("rule with noshade in a value")
        << f3 << "<hr class=\"noshade\" width=\"50px\" align=center>" << 2 << ""
        << "<HR CLASS=\"noshade\" WIDTH=\"50px\" ALIGN=center>" << "";
    QTest::newRow("meta") << f3 << "<meta http-equiv=Expires content=\"0\">" << 2 << ""
                          << "<meta http-equiv=Expires content=\"0\">" << "";
    QTest::newRow("new rule from the Tools menu") << "mnuToolsHREditor" << "ab" << 1 << "" << "a<HR>b" << "";
    QTest::newRow("new comment from the Tools menu") << "mnuToolsCommentEditor" << "ab" << 1 << "" << "ab" << "";
    QTest::newRow("new font from the Tools menu") << "mnuToolsQuickFont" << "ab" << 1 << ""
                                                  << "a<FONT SIZE=\"2\"></FONT>b" << "";
    QTest::newRow("new anchor from the Tools menu") << "mnuToolsQuickAnchor" << "ab" << 1 << "Up.HTML"
                                                    << "a<A HREF=\"up.html\"></A>b" << "up.html";
}

void TestTagMenus::elementDialogsRoundTrip()
{
    QFETCH(QString, command);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, href);
    QFETCH(QString, expected);
    QFETCH(QString, history);
    SetText(text);
    Editor()->Select(caret, 0);
    bool answered = false;
    QTimer::singleShot(0, this, [&answered, href] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!href.isEmpty())
            dialog->findChild<QComboBox *>(QStringLiteral("cboURL"))->setEditText(href);
        dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        answered = true;
    });
    Trigger(command.toLatin1().constData());
    QVERIFY(answered);
    QCOMPARE(Editor()->Text(), expected);
    if (!history.isEmpty())
        QCOMPARE(ReadLinkHistory().value(0), history);
}

QTEST_MAIN(TestTagMenus)
#include "tst_tagmenus.moc"
