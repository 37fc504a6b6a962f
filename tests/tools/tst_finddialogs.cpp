// The Find and Replace windows on a real editor: where each search starts, the messages,
// the question per occurrence and the undo steps replacements leave.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "platform/messagebox.h"
#include "editor/richhtml.h"
#include "testsupport.h"
#include "tools/finddialogs.h"

namespace {

// The style letter at each position of the editor's text ('.' plain).
QString Marks(const TkrRichHTML &e)
{
    QString m(e.TextLength(), u'.');
    for (const TStyleRun &r : e.StyleRunsIn(0, e.TextLength()))
        for (int i = r.Start; i < r.End(); ++i)
            m[i] = QChar(u'A' + r.Style);
    return m;
}

} // namespace

class TestFindDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windows();
    void textsAndOptionsKept();
    void findNext_data();
    void findNext();
    void findOverlappingNoWrap();
    void findOnActiveTab();
    void replaceFindQuestion_data();
    void replaceFindQuestion();
    void replaceFindNotFound();
    void replaceButton();
    void replaceAll_data();
    void replaceAll();
    void replaceAllUndoneWhole();
    void replaceAllColours();

private:
    void SetText(TkrRichHTML *e, const QString &text, int caret);

    std::unique_ptr<QTemporaryDir> m_config;
    QWidget *m_main = nullptr;
    TkrRichHTML *m_editor = nullptr;
    TkrRichHTML *m_active = nullptr;
    TFindDialog *m_find = nullptr;
    TReplaceDialog *m_replace = nullptr;
    TMessageRecorder m_recorder;
    QList<TShownBox> &m_boxes = m_recorder.Boxes;
    QList<int> &m_answers = m_recorder.Answers;
};

void TestFindDialogs::initTestCase()
{
    m_config = UseTemporaryConfig();
    m_recorder.FixedAnswer = mbOK;
}

void TestFindDialogs::init()
{
    m_recorder.Clear();
    m_main = new QWidget;
    m_editor = new TkrRichHTML(m_main);
    m_active = m_editor;
    m_main->resize(600, 400);
    m_editor->resize(600, 400);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_find = new TFindDialog(m_main);
    m_replace = new TReplaceDialog(m_main);
    m_find->ActiveEditor = [this] { return m_active; };
    m_replace->ActiveEditor = [this] { return m_active; };
}

void TestFindDialogs::cleanup()
{
    delete m_main;
    m_main = nullptr;
}

void TestFindDialogs::SetText(TkrRichHTML *e, const QString &text, int caret)
{
    e->setPlainText(text);
    e->ColorCodeAll();
    e->ClearUndo();
    e->SetModified(false);
    e->Select(caret, 0);
}

void TestFindDialogs::windows()
{
    m_find->Execute();
    m_replace->Execute();
    QVERIFY(m_find->isWindow());
    QVERIFY(m_replace->isWindow());
    QVERIFY(!m_find->isModal());
    QVERIFY(!m_replace->isModal());
    QCOMPARE(m_find->windowTitle(), QStringLiteral("Find"));
    QCOMPARE(m_replace->windowTitle(), QStringLiteral("Replace"));
    // Find has no direction buttons; Replace shows them greyed, set to Down.
    QVERIFY(!m_find->grpDirection->isVisible());
    QVERIFY(m_replace->grpDirection->isVisible());
    QVERIFY(!m_replace->grpDirection->isEnabled());
    QVERIFY(m_replace->optDown->isChecked());
    QVERIFY(m_replace->btnReplace->isVisible());
    QVERIFY(m_replace->btnReplaceAll->isVisible());
    QCOMPARE(m_replace->btnReplaceAll->text().remove(u'&'), QStringLiteral("Replace All"));
    QCOMPARE(m_find->btnFindNext->text().remove(u'&'), QStringLiteral("Find Next"));
    // Cancel only hides: the window lives on with its parent.
    QTest::mouseClick(m_find->btnCancel, Qt::LeftButton);
    QVERIFY(!m_find->isVisible());
    QTest::keyClick(m_replace, Qt::Key_Escape);
    QVERIFY(!m_replace->isVisible());
}

void TestFindDialogs::textsAndOptionsKept()
{
    m_replace->Execute();
    m_replace->txtFind->setText(QStringLiteral("old"));
    m_replace->txtReplace->setText(QStringLiteral("new"));
    m_replace->chkMatchCase->setChecked(true);
    m_replace->hide();
    m_replace->Execute();
    QCOMPARE(m_replace->FindText(), QStringLiteral("old"));
    QCOMPARE(m_replace->ReplaceText(), QStringLiteral("new"));
    QVERIFY(m_replace->Options().MatchCase);
    QVERIFY(!m_replace->Options().WholeWord);
    QCOMPARE(m_replace->txtFind->selectedText(), QStringLiteral("old"));
}

void TestFindDialogs::findNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("expected");

    QTest::newRow("caret at 0 finds the second occurrence") << "<p>x<p>" << "<p>" << 0 << false << false << 4;
    QTest::newRow("caret at 0, only the first occurrence") << "<p>x" << "<p>" << 0 << false << false << -1;
    QTest::newRow("case ignored") << "a TITLE" << "title" << 0 << false << false << 2;
    QTest::newRow("match case") << "a TITLE title" << "title" << 0 << true << false << 8;
    QTest::newRow("whole word") << "a titles title" << "title" << 0 << false << true << 9;
    QTest::newRow("whole word and match case") << "a Title titles title" << "title" << 0 << true << true << 15;
    QTest::newRow("nothing after the caret") << "title x" << "title" << 3 << false << false << -1;
    QTest::newRow("empty find text") << "title" << "" << 0 << false << false << -1;
    QTest::newRow("non-breaking space") << "a b a\u00A0b" << "a\u00A0b" << 0 << false << false << 4;
}

void TestFindDialogs::findNext()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(int, caret);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, expected);

    SetText(m_editor, text, caret);
    m_find->Execute();
    m_find->SetFindText(find);
    m_find->SetOptions({matchCase, wholeWord});
    QTest::mouseClick(m_find->btnFindNext, Qt::LeftButton);
    if (expected >= 0) {
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(m_editor->SelStart(), expected);
        QCOMPARE(m_editor->SelLength(), find.size());
        QVERIFY(m_find->isVisible());
    } else {
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].Kind, mkInformation);
        QCOMPARE(m_boxes[0].Caption, QStringLiteral("Information"));
        QCOMPARE(m_boxes[0].Text, QStringLiteral("Text not found."));
        QCOMPARE(m_boxes[0].Buttons, int(mbOK));
        QCOMPARE(m_editor->SelStart(), caret);
        QVERIFY(!m_find->isVisible());
    }
    QCOMPARE(m_editor->Text(), text);
    QVERIFY(!m_editor->Modified());
}

void TestFindDialogs::findOverlappingNoWrap()
{
    SetText(m_editor, QStringLiteral("aaaa"), 0);
    m_find->Execute();
    m_find->SetFindText(QStringLiteral("aa"));
    QList<int> seen;
    for (int i = 0; i < 3 && m_boxes.isEmpty(); ++i) {
        QTest::keyClick(m_find->txtFind, Qt::Key_Return);
        if (m_boxes.isEmpty())
            seen.append(m_editor->SelStart());
    }
    QCOMPARE(seen, (QList<int>{1, 2}));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].Text, QStringLiteral("Text not found."));
    // The last match stays selected; nothing went back to the start.
    QCOMPARE(m_editor->SelStart(), 2);
    QCOMPARE(m_editor->SelLength(), 2);
}

void TestFindDialogs::findOnActiveTab()
{
    auto *other = new TkrRichHTML(m_main);
    SetText(m_editor, QStringLiteral("x word word"), 0);
    SetText(other, QStringLiteral("word and word"), 0);
    m_find->Execute();
    m_find->SetFindText(QStringLiteral("word"));
    m_find->cdgFindFind();
    QCOMPARE(m_editor->SelStart(), 2);
    m_active = other;
    m_find->cdgFindFind();
    QCOMPARE(other->SelStart(), 9);
    QCOMPARE(m_editor->SelStart(), 2);
    m_active = m_editor;
    m_find->cdgFindFind();
    QCOMPARE(m_editor->SelStart(), 7);
    // No tab at all: nothing happens.
    m_active = nullptr;
    m_find->cdgFindFind();
    QVERIFY(m_boxes.isEmpty());
}

void TestFindDialogs::replaceFindQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes replaces") << int(mbYes);
    QTest::newRow("no leaves the match selected") << int(mbNo);
}

void TestFindDialogs::replaceFindQuestion()
{
    QFETCH(int, answer);
    SetText(m_editor, QStringLiteral("<i>a</i> <i>b</i>"), 0);
    m_replace->Execute();
    m_replace->SetFindText(QStringLiteral("<i>"));
    m_replace->SetReplaceText(QStringLiteral("<em>"));
    m_answers = {answer};
    QTest::mouseClick(m_replace->btnFindNext, Qt::LeftButton);

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].Kind, mkConfirm);
    QCOMPARE(m_boxes[0].Caption, QStringLiteral("Confirm"));
    QCOMPARE(m_boxes[0].Text, QStringLiteral("Replace this occurrence of \"<i>\"?"));
    QCOMPARE(m_boxes[0].Buttons, int(mbYes | mbNo));
    QVERIFY(m_replace->isVisible());
    if (answer == mbNo) {
        QCOMPARE(m_editor->Text(), QStringLiteral("<i>a</i> <i>b</i>"));
        QCOMPARE(m_editor->SelStart(), 9);
        QCOMPARE(m_editor->SelText(), QStringLiteral("<i>"));
        QCOMPARE(m_editor->UndoCount(), 0);
        QVERIFY(!m_editor->Modified());
        return;
    }
    QCOMPARE(m_editor->Text(), QStringLiteral("<i>a</i> <em>b</i>"));
    QCOMPARE(m_editor->SelStart(), 13);
    QCOMPARE(m_editor->SelLength(), 0);
    QVERIFY(m_editor->Modified());
    QCOMPARE(m_editor->UndoCount(), 1);
    QCOMPARE(m_editor->UndoStep(0).Position, 9);
    QCOMPARE(m_editor->UndoStep(0).InsertedLength, 4);
    QCOMPARE(m_editor->UndoStep(0).RemovedText, QStringLiteral("<i>"));
    m_editor->Undo();
    QCOMPARE(m_editor->Text(), QStringLiteral("<i>a</i> <i>b</i>"));
}

void TestFindDialogs::replaceFindNotFound()
{
    SetText(m_editor, QStringLiteral("abc"), 0);
    m_replace->Execute();
    m_replace->SetFindText(QStringLiteral("x\"y"));
    m_replace->cdgReplaceFind();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].Kind, mkInformation);
    QCOMPARE(m_boxes[0].Text, QStringLiteral("Search string \"x\"y\" not found."));
    QCOMPARE(m_boxes[0].Buttons, int(mbOK));
    QVERIFY(!m_replace->isVisible());
}

// Replace replaces the next occurrence after the search start (not the selection as such),
// one undo step each, and says "Search Complete." only when there is none left.
void TestFindDialogs::replaceButton()
{
    SetText(m_editor, QStringLiteral("a a a"), 0);
    m_editor->Select(0, 1);
    m_replace->Execute();
    m_replace->SetFindText(QStringLiteral("a"));
    m_replace->SetReplaceText(QStringLiteral("aa"));

    QTest::mouseClick(m_replace->btnReplace, Qt::LeftButton);
    QCOMPARE(m_editor->Text(), QStringLiteral("a aa a"));
    QCOMPARE(m_editor->SelStart(), 4);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_replace->isVisible());
    QTest::mouseClick(m_replace->btnReplace, Qt::LeftButton);
    QCOMPARE(m_editor->Text(), QStringLiteral("a aa aa"));
    QCOMPARE(m_editor->SelStart(), 7);
    QCOMPARE(m_editor->UndoCount(), 2);
    QCOMPARE(m_editor->UndoStep(1).Position, 5);
    QCOMPARE(m_editor->UndoStep(1).InsertedLength, 2);
    QCOMPARE(m_editor->UndoStep(1).RemovedText, QStringLiteral("a"));

    QTest::mouseClick(m_replace->btnReplace, Qt::LeftButton);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].Kind, mkInformation);
    QCOMPARE(m_boxes[0].Text, QStringLiteral("Search Complete."));
    QVERIFY(!m_replace->isVisible());
    QCOMPARE(m_editor->UndoCount(), 2);

    m_editor->Undo();
    QCOMPARE(m_editor->Text(), QStringLiteral("a aa a"));
    m_editor->Undo();
    QCOMPARE(m_editor->Text(), QStringLiteral("a a a"));
}

void TestFindDialogs::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caretAfter");

    QTest::newRow("letter by that letter and another") << "xaaa" << "a" << "ab" << 0 << false << false
                                                       << "xababab" << 7;
    QTest::newRow("caret at 0 keeps the first occurrence") << "aaa" << "a" << "ab" << 0 << false << false
                                                           << "aabab" << 5;
    QTest::newRow("empty replacement") << "x<br><br>y<br>" << "<br>" << "" << 0 << false << false
                                       << "xy" << 2;
    QTest::newRow("whole word") << "x cat cats cat" << "cat" << "dog" << 0 << false << true
                                << "x dog cats dog" << 14;
    QTest::newRow("match case") << "x Cat cat CAT" << "cat" << "dog" << 0 << true << false
                                << "x Cat dog CAT" << 9;
    QTest::newRow("whole word and match case") << "x Cat cats cat" << "cat" << "dog" << 0 << true << true
                                               << "x Cat cats dog" << 14;
    QTest::newRow("none after the caret") << "cat x" << "cat" << "dog" << 2 << false << false
                                          << "cat x" << 2;
    QTest::newRow("empty find text") << "cat" << "" << "dog" << 0 << false << false << "cat" << 0;
    QTest::newRow("across lines") << "x\n<b>\n<b>" << "<b>" << "<strong>" << 0 << false << false
                                  << "x\n<strong>\n<strong>" << 19;
}

void TestFindDialogs::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(int, caret);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QString, expected);
    QFETCH(int, caretAfter);

    SetText(m_editor, text, caret);
    m_replace->Execute();
    m_replace->SetFindText(find);
    m_replace->SetReplaceText(replace);
    m_replace->SetOptions({matchCase, wholeWord});
    QTest::mouseClick(m_replace->btnReplaceAll, Qt::LeftButton);

    QCOMPARE(m_editor->Text(), expected);
    QCOMPARE(m_editor->SelStart(), caretAfter);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].Kind, mkInformation);
    QCOMPARE(m_boxes[0].Text, QStringLiteral("Search Complete."));
    QVERIFY(!m_replace->isVisible());
    const bool changed = expected != text;
    QCOMPARE(m_editor->Modified(), changed);
    QCOMPARE(m_editor->UndoCount(), changed ? 1 : 0);
    if (changed) {
        m_editor->Undo();
        QCOMPARE(m_editor->Text(), text);
    }
}

// Far more replacements than the history holds steps: one Undo brings the text back whole.
void TestFindDialogs::replaceAllUndoneWhole()
{
    QString text = QStringLiteral("<html>\n");
    for (int i = 0; i < 1000; ++i)
        text += QStringLiteral("<p>item %1</p>\n").arg(i);
    SetText(m_editor, text, 0);
    m_editor->InsertTags(QStringLiteral("<!-- -->"), QString(), false);
    const QString before = m_editor->Text();

    m_replace->Execute();
    m_replace->SetFindText(QStringLiteral("<p>"));
    m_replace->SetReplaceText(QStringLiteral("<li>"));
    m_replace->cdgReplaceReplace(true);
    QCOMPARE(m_editor->Text().count(QStringLiteral("<li>")), 1000);
    QVERIFY(!m_editor->Text().contains(QStringLiteral("<p>")));
    QCOMPARE(m_editor->UndoCount(), 2);
    QCOMPARE(m_editor->UndoStep(1).InsertedLength - m_editor->UndoStep(1).RemovedText.size(), 1000);

    m_editor->Undo();
    QCOMPARE(m_editor->Text(), before);
    m_editor->Undo();
    QCOMPARE(m_editor->Text(), text);
}

// After Replace All the colours are those the new text gets when coloured from scratch.
void TestFindDialogs::replaceAllColours()
{
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("<td class=\"c%1\">cell &amp; td</td>\n").arg(i);
    SetText(m_editor, text, 0);
    m_replace->Execute();
    m_replace->SetFindText(QStringLiteral("td"));
    m_replace->SetReplaceText(QStringLiteral("th a=\"<\""));
    m_replace->cdgReplaceReplace(true);

    TkrRichHTML fresh;
    SetText(&fresh, m_editor->Text(), 0);
    QCOMPARE(Marks(*m_editor), Marks(fresh));
    m_editor->Undo();
    SetText(&fresh, text, 0);
    QCOMPARE(Marks(*m_editor), Marks(fresh));
}

QTEST_MAIN(TestFindDialogs)
#include "tst_finddialogs.moc"
