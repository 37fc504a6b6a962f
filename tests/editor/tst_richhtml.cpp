// The editor control: insert, undo, keys, whole-text commands, files and colours.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QRandomGenerator>
#include <QtTest>

#include "platform/messagebox.h"
#include "editor/richhtml.h"
#include "platform/configstore.h"
#include "testsupport.h"

namespace {

// The style letter at each position of the editor's text ('.' plain), as in the golden pictures.
QString Marks(int length, const TStyleRuns &runs)
{
    QString m(length, u'.');
    const char letters[] = "TJICBQS";
    for (const TStyleRun &r : runs)
        for (int i = r.Start; i < r.End(); ++i)
            m[i] = QLatin1Char(letters[r.Style]);
    return m;
}

QString Marks(const TkrRichHTML &e)
{
    return Marks(e.TextLength(), e.StyleRunsIn(0, e.TextLength()));
}

// A page long enough to be coloured in the background.
QString LongPage(int size)
{
    QString text;
    while (text.size() < size)
        text += QStringLiteral("<TABLE BORDER=1><TR><TD>\"cell\"</TD></TR></TABLE> <!-- c --> <A HREF=\"x\">l</A>\n");
    return text;
}

} // namespace

class TestRichHTML : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void insertTags_data();
    void insertTags();
    void insertTagsIsOneUndoStep();
    void undoRestoresEveryEdit_data();
    void undoRestoresEveryEdit();
    void historyKeepsLast100();
    void redoRetracesASeededSequence();
    void keysThatChangeNothingRecordNothing_data();
    void keysThatChangeNothingRecordNothing();
    void insertKeyTogglesOverwrite();
    void typedTextIsPlainUntilLineIsLeft();
    void colouringLeavesTextStateAlone();
    void formatsReachTheLayout();
    void layoutFormatsFollowEdits_data();
    void layoutFormatsFollowEdits();
    void colouringALineStopsAtItsEnd();
    void replaceAll();
    void indentAndUnindent_data();
    void indentAndUnindent();
    void stripTags_data();
    void stripTags();
    void selectLines();
    void loadAndSave_data();
    void loadAndSave();
    void untouchedLinesKeepTheirLineEnds_data();
    void untouchedLinesKeepTheirLineEnds();
    void loadRefusesBinaryAndKeepsDocument();
    void failedSaveStaysModified();
    void insertFromFile();
    void fontSettings();
    void updateNesting();
    void longColouringReportsProgress();
    void inputDuringLongColouring();
    void editsDuringBackgroundColouring_data();
    void editsDuringBackgroundColouring();
    void modifiedNotifications();

private:
    std::unique_ptr<QTemporaryDir> m_config;
    TTempFiles m_dir;
    TkrRichHTML *m_e = nullptr;
    TMessageRecorder m_boxes;

    void SetText(const QString &text) { QVERIFY(m_e->LoadDocument(m_dir.Write(QStringLiteral("doc.html"), text.toUtf8()))); }
};

void TestRichHTML::initTestCase()
{
    m_config = UseTemporaryConfig();
    m_boxes.FixedAnswer = mbOK;
}

void TestRichHTML::init()
{
    m_boxes.Clear();
    m_e = new TkrRichHTML;
    m_e->resize(600, 400);
    m_e->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_e));
}

void TestRichHTML::cleanup()
{
    delete m_e;
    m_e = nullptr;
}

void TestRichHTML::insertTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("endText");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");

    QTest::newRow("wraps the selected word, still selected")
        << "one two three" << 4 << 3 << false << false << "<B>" << "</B>" << "one <B>two</B> three" << 7 << 3;
    QTest::newRow("nothing selected: caret between the tags")
        << "ab" << 1 << 0 << false << false << "<B>" << "</B>" << "a<B></B>b" << 4 << 0;
    QTest::newRow("overwrite mode drops the selection")
        << "one two three" << 4 << 3 << true << false << "<B>" << "</B>" << "one <B></B> three" << 7 << 0;
    QTest::newRow("an edited tag is replaced, caret after the new one")
        << "x<HR>y" << 1 << 4 << false << true << "<HR SIZE=2>" << "" << "x<HR SIZE=2>y" << 12 << 0;
    QTest::newRow("generated line breaks become ordinary ones")
        << "" << 0 << 0 << false << false << "<UL>\r\n\t<LI>" << "\r\n</UL>" << "<UL>\n\t<LI>\n</UL>" << 10 << 0;
}

void TestRichHTML::insertTags()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, overwrite);
    QFETCH(bool, replace);
    QFETCH(QString, startText);
    QFETCH(QString, endText);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    QFETCH(int, selected);
    SetText(text);
    if (overwrite)
        m_e->ToggleInsertMode();
    m_e->Select(selStart, selLength);
    m_e->InsertTags(startText, endText, replace);
    QCOMPARE(m_e->Text(), expected);
    QCOMPARE(m_e->SelStart(), caret);
    QCOMPARE(m_e->SelLength(), selected);
    QVERIFY(m_e->Modified());
}

void TestRichHTML::insertTagsIsOneUndoStep()
{
    SetText(QStringLiteral("<P>one two</P>"));
    m_e->Select(7, 3);
    m_e->InsertTags(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
    QCOMPARE(m_e->UndoCount(), 1);
    // The new tags are coloured at once.
    QCOMPARE(Marks(*m_e), QStringLiteral("TTT....TTT...TTTTTTTT"));
    m_e->Undo();
    QCOMPARE(m_e->Text(), QStringLiteral("<P>one two</P>"));
    QCOMPARE(Marks(*m_e), QStringLiteral("TTT.......TTTT"));
    QVERIFY(!m_e->CanUndo());
}

void TestRichHTML::undoRestoresEveryEdit_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("typing") << "type";
    QTest::newRow("typing over a selection") << "type-over";
    QTest::newRow("typing over a non-breaking space") << "type-over-nbsp";
    QTest::newRow("shift enter breaks the line") << "shift-enter";
    QTest::newRow("enter") << "enter";
    QTest::newRow("backspace") << "backspace";
    QTest::newRow("delete at line end") << "delete-eol";
    QTest::newRow("ctrl backspace deletes a word") << "ctrl-backspace";
    QTest::newRow("overwrite typing") << "overwrite";
    QTest::newRow("cut") << "cut";
    QTest::newRow("paste") << "paste";
    QTest::newRow("replace all") << "replace-all";
    QTest::newRow("indent") << "indent";
    QTest::newRow("strip tags") << "strip";
    QTest::newRow("mixed sequence") << "mixed";
}

// Undoing every step, newest first, gives back the text as loaded: no step may rewrite
// text other than what it recorded.
void TestRichHTML::undoRestoresEveryEdit()
{
    QFETCH(QString, edit);
    const QString original = QStringLiteral("<P>first\u00A0line</P>\nsecond <B>bold</B> word\n\tthird\n");
    SetText(original);
    m_e->setFocus();
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(m_e, k, m); };
    if (edit == QLatin1String("type") || edit == QLatin1String("mixed")) {
        m_e->Select(3, 0);
        QTest::keyClicks(m_e, QStringLiteral("new "));
    }
    if (edit == QLatin1String("type-over")) {
        m_e->Select(3, 5);
        QTest::keyClicks(m_e, QStringLiteral("x"));
    }
    if (edit == QLatin1String("type-over-nbsp")) {
        m_e->Select(8, 1);
        QTest::keyClicks(m_e, QStringLiteral("x"));
        QCOMPARE(m_e->UndoStep(0).RemovedText, QStringLiteral("\u00A0"));
    }
    if (edit == QLatin1String("shift-enter")) {
        m_e->Select(8, 0);
        key(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(m_e->Text(), QString(original).insert(8, u'\n'));
        QCOMPARE(m_e->LineCount(), 5);
    }
    if (edit == QLatin1String("enter") || edit == QLatin1String("mixed")) {
        m_e->Select(10, 0);
        key(Qt::Key_Return);
    }
    if (edit == QLatin1String("backspace") || edit == QLatin1String("mixed")) {
        m_e->Select(0, 0);
        key(Qt::Key_Backspace); // at the start: nothing
        m_e->Select(19, 0);
        key(Qt::Key_Backspace);
    }
    if (edit == QLatin1String("delete-eol")) {
        m_e->Select(17, 0);
        key(Qt::Key_Delete);
        QCOMPARE(m_e->UndoStep(0).RemovedText, QStringLiteral("\n"));
    }
    if (edit == QLatin1String("ctrl-backspace")) {
        m_e->Select(25, 0);
        key(Qt::Key_Backspace, Qt::ControlModifier);
        QVERIFY(m_e->Text() != original);
    }
    if (edit == QLatin1String("overwrite")) {
        m_e->ToggleInsertMode();
        m_e->Select(3, 0);
        QTest::keyClicks(m_e, QStringLiteral("XYZ"));
        QVERIFY(m_e->Text().startsWith(QStringLiteral("<P>XYZst")));
    }
    if (edit == QLatin1String("cut") || edit == QLatin1String("mixed")) {
        m_e->Select(2, 6);
        m_e->Cut();
    }
    if (edit == QLatin1String("paste") || edit == QLatin1String("mixed")) {
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted\r\ntwo lines"));
        m_e->Select(5, 4);
        m_e->Paste();
        QVERIFY(m_e->Text().contains(QStringLiteral("pasted\ntwo lines")));
    }
    if (edit == QLatin1String("replace-all") || edit == QLatin1String("mixed"))
        QVERIFY(m_e->ReplaceAll(QStringLiteral("i"), QStringLiteral("ii"), false) > 0);
    if (edit == QLatin1String("indent") || edit == QLatin1String("mixed")) {
        m_e->Select(2, 30);
        m_e->IndentLines();
    }
    if (edit == QLatin1String("strip") || edit == QLatin1String("mixed")) {
        m_e->Select(0, m_e->TextLength());
        m_e->StripTags(false);
    }
    QVERIFY(m_e->Text() != original);
    QVERIFY(m_e->Modified());
    const QString edited = m_e->Text();
    while (m_e->CanUndo())
        m_e->Undo();
    QCOMPARE(m_e->Text(), original);
    // Every step comes back, in order.
    while (m_e->CanRedo())
        m_e->Redo();
    QCOMPARE(m_e->Text(), edited);
}

// A seeded random mix of edits, undone fully and redone fully: each Redo gives back the text
// and selection the matching change left, and the saved file equals the one saved right
// after the edits. A new change clears the redo; a redone tag is coloured as when fresh.
void TestRichHTML::redoRetracesASeededSequence()
{
    SetText(QStringLiteral("<P>one two</P>\n<B>three</B> four\n\tfive six\n"));
    m_e->setFocus();
    QRandomGenerator rng(2512);
    QStringList texts{m_e->Text()};
    QList<QPair<int, int>> selections{{0, 0}};
    for (int i = 0; i < 40; ++i) {
        const int n = m_e->TextLength();
        const int at = int(rng.bounded(n + 1));
        switch (rng.bounded(7)) {
        case 0: m_e->Select(at, 0); QTest::keyClicks(m_e, QStringLiteral("a")); break;
        case 1: m_e->Select(at, 0); QTest::keyClick(m_e, Qt::Key_Return); break;
        case 2:
            QGuiApplication::clipboard()->setText(QStringLiteral("pa\u00A0ste\r\nd"));
            m_e->Select(at, std::min(3, n - at));
            m_e->Paste();
            break;
        case 3:
            m_e->ToggleInsertMode();
            m_e->Select(at, 0);
            QTest::keyClicks(m_e, QStringLiteral("X"));
            m_e->ToggleInsertMode();
            break;
        case 4: m_e->Select(at, std::min(4, n - at)); m_e->InsertTags(QStringLiteral("<I>"), QStringLiteral("</I>"), false); break;
        case 5: m_e->ReplaceAll(QStringLiteral("o"), QStringLiteral("0"), false); break;
        default: m_e->Select(at, std::min(12, n - at)); m_e->IndentLines(); break;
        }
        QCoreApplication::processEvents();
        if (m_e->Text() == texts.last())
            continue; // nothing changed, nothing recorded
        texts.append(m_e->Text());
        selections.append({m_e->SelStart(), m_e->SelLength()});
    }
    QVERIFY(m_e->SaveDocument(m_dir.FilePath(QStringLiteral("edited.html"))));
    const int steps = m_e->UndoCount();
    QCOMPARE(steps, int(texts.size()) - 1);
    for (int i = steps; i > 0; --i) {
        m_e->Undo();
        QCOMPARE(m_e->Text(), texts[i - 1]);
    }
    QVERIFY(!m_e->CanUndo() && m_e->CanRedo());
    for (int i = 1; i <= steps; ++i) {
        m_e->Redo();
        QCOMPARE(m_e->Text(), texts[i]);
        QCOMPARE((QPair<int, int>{m_e->SelStart(), m_e->SelLength()}), selections[i]);
    }
    QVERIFY(!m_e->CanRedo() && m_e->Modified());
    QVERIFY(m_e->SaveDocument(m_dir.FilePath(QStringLiteral("redone.html"))));
    QFile a(m_dir.FilePath(QStringLiteral("edited.html"))), b(m_dir.FilePath(QStringLiteral("redone.html")));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());

    m_e->Undo();
    m_e->Undo();
    QVERIFY(m_e->CanRedo());
    m_e->InsertTags(QStringLiteral("new"), QString(), false);
    QVERIFY(!m_e->CanRedo()); // a new change clears what can be redone

    SetText(QStringLiteral("<P>one two</P>\nthree"));
    m_e->Select(7, 3);
    m_e->InsertTags(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
    m_e->Undo();
    m_e->Redo();
    QCOMPARE(m_e->SelText(), QStringLiteral("two"));
    TkrRichHTML fresh;
    fresh.SetColorCodeMode(ccFull);
    QVERIFY(fresh.LoadDocument(m_dir.Write(QStringLiteral("fresh.html"), m_e->Text().toUtf8())));
    QCOMPARE(Marks(*m_e), Marks(fresh));
}

void TestRichHTML::historyKeepsLast100()
{
    SetText(QString());
    for (int i = 0; i < 101; ++i)
        m_e->InsertTags(QString::number(i % 10), QString(), false);
    QCOMPARE(m_e->UndoCount(), TkrRichHTML::MaxUndoSteps);
    while (m_e->CanUndo())
        m_e->Undo();
    QCOMPARE(m_e->Text(), QStringLiteral("0"));
}

void TestRichHTML::keysThatChangeNothingRecordNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("backspace at the start") << int(Qt::Key_Backspace) << int(Qt::NoModifier);
    QTest::newRow("left arrow") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("f13") << int(Qt::Key_F13) << int(Qt::NoModifier);
    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("ctrl insert copies") << int(Qt::Key_Insert) << int(Qt::ControlModifier);
    QTest::newRow("insert toggles mode only") << int(Qt::Key_Insert) << int(Qt::NoModifier);
}

void TestRichHTML::keysThatChangeNothingRecordNothing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    SetText(QStringLiteral("abc"));
    m_e->Select(0, 0);
    QTest::keyClick(m_e, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_e->Text(), QStringLiteral("abc"));
    QCOMPARE(m_e->UndoCount(), 0);
    QVERIFY(!m_e->Modified());
}

void TestRichHTML::insertKeyTogglesOverwrite()
{
    QSignalSpy spy(m_e, &TkrRichHTML::OnInsertModeChange);
    QTest::keyClick(m_e, Qt::Key_Insert);
    QVERIFY(m_e->OverwriteMode());
    QVERIFY(m_e->overwriteMode());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toBool(), false);
    QTest::keyClick(m_e, Qt::Key_Insert);
    QVERIFY(!m_e->OverwriteMode());
}

// Typing inside a coloured tag shows the typed character plain and keeps the rest of the
// line's colours; leaving the line with Enter or Down colours it again.
void TestRichHTML::typedTextIsPlainUntilLineIsLeft()
{
    SetText(QStringLiteral("<B>x</B>\nline two"));
    m_e->Select(2, 0);
    QTest::keyClicks(m_e, QStringLiteral("R"));
    QCOMPARE(m_e->Text(), QStringLiteral("<BR>x</B>\nline two"));
    QCOMPARE(Marks(*m_e).left(9), QStringLiteral("TT.T.TTTT"));
    QVERIFY(TkrRichHTML::LineChanged());
    QTest::keyClick(m_e, Qt::Key_Down);
    QCOMPARE(Marks(*m_e).left(9), QStringLiteral("TTTT.TTTT"));
    QVERIFY(!TkrRichHTML::LineChanged());

    // Enter splits a coloured line; the part moved down keeps its colours.
    m_e->Select(6, 0);
    QTest::keyClick(m_e, Qt::Key_Return);
    QCOMPARE(m_e->Text(), QStringLiteral("<BR>x<\n/B>\nline two"));
    QCOMPARE(Marks(*m_e).left(11), QStringLiteral("TTTT.T.TTT."));
    QCOMPARE(m_e->UndoCount(), 2);
}

void TestRichHTML::colouringLeavesTextStateAlone()
{
    SetText(QStringLiteral("<B>a</B> \"q\""));
    m_e->InsertTags(QStringLiteral("x"), QString(), false);
    const int steps = m_e->UndoCount();
    m_e->SetModified(false);
    m_e->ColorCodeAll();
    m_e->SetColorCodeMode(ccMinimal);
    QCOMPARE(Marks(*m_e), QStringLiteral(".TTT.TTTT...."));
    m_e->SetColorCodeMode(ccNone);
    QCOMPARE(Marks(*m_e), QStringLiteral("............."));
    m_e->SetColorCodeMode(ccFull);
    QCOMPARE(Marks(*m_e), QStringLiteral(".TTT.TTTT.QQQ"));
    QVERIFY(!m_e->Modified());
    QCOMPARE(m_e->UndoCount(), steps);
}

void TestRichHTML::formatsReachTheLayout()
{
    SetText(QStringLiteral("a <A HREF=\"x\">b</A>\n<!-- c -->"));
    TCodeStyle jumps = m_e->Style(csJumps);
    jumps.Effects = feBold | feUnderline;
    m_e->SetStyle(csJumps, jumps);
    const QList<QTextLayout::FormatRange> line0 = m_e->LineFormats(0);
    QVERIFY(!line0.isEmpty());
    QCOMPARE(line0.first().start, 2);
    QCOMPARE(line0.first().format.foreground().color(), ColorToQColor(Colors::clGreen));
    QCOMPARE(line0.first().format.fontWeight(), int(QFont::Bold));
    QVERIFY(line0.first().format.fontUnderline());
    const QList<QTextLayout::FormatRange> line1 = m_e->LineFormats(1);
    QCOMPARE(line1.size(), 1);
    QCOMPARE(line1.first().length, 10);
    QCOMPARE(line1.first().format.foreground().color(), ColorToQColor(Colors::clGray));
    m_e->viewport()->repaint(); // painting applies the same formats without complaint
}

void TestRichHTML::layoutFormatsFollowEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed"); // typed at the caret; empty: <B>..</B> inserted there
    const QString longLine = QStringLiteral("<B>w</B> <A HREF=\"p.html\">l</A> \"q\" ").repeated(1500);
    QTest::newRow("key before a tag") << QStringLiteral("<B>x</B>\nline") << 0 << QStringLiteral("a");
    QTest::newRow("keys at the end of a long line") << longLine << int(longLine.size()) << QStringLiteral("x<");
    QTest::newRow("keys in the middle of a long line") << longLine << int(longLine.size() / 2) << QStringLiteral("\"<");
    QTest::newRow("tags in the middle of a long line") << longLine << int(longLine.size() / 2) << QString();
}

// What the layout of the edited line shows follows the colours as they stand, and after leaving
// the line they equal a fresh colouring; a long line carries them only around the caret.
void TestRichHTML::layoutFormatsFollowEdits()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    SetText(text);
    m_e->resize(400, 300);
    m_e->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_e));
    m_e->Select(caret, 0);
    const auto check = [&] {
        m_e->viewport()->repaint();
        const QTextBlock block = m_e->document()->findBlock(m_e->SelStart());
        const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
        QVERIFY(!formats.isEmpty());
        const int pos = block.position();
        const int from = formats.first().start, to = formats.last().start + formats.last().length;
        const TStyleRuns runs = m_e->StyleRunsIn(pos + from, pos + to);
        QCOMPARE(formats.size(), qsizetype(runs.size()));
        for (qsizetype i = 0; i < formats.size(); ++i) {
            QCOMPARE(formats[i].start + pos, runs[size_t(i)].Start);
            QCOMPARE(formats[i].length, runs[size_t(i)].Length);
            QCOMPARE(formats[i].format.foreground().color(), ColorToQColor(m_e->Style(runs[size_t(i)].Style).Color));
        }
        QVERIFY(to >= m_e->SelStart() - pos - 100);
        if (block.length() > 20000)
            QVERIFY(formats.size() < qsizetype(m_e->StyleRunsIn(pos, pos + block.length()).size()) / 2);
    };
    if (typed.isEmpty()) {
        m_e->InsertTags(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
    } else {
        QTest::keyClicks(m_e, typed);
        check();
        QTest::keyClick(m_e, Qt::Key_Home); // leaving the line colours it again
    }
    check();
    const QString now = m_e->Text();
    QCOMPARE(m_e->StyleRunsIn(0, INT_MAX), ColorCodeRuns(now, 0, int(now.size()), ccFull).Runs);
}

// Colouring a line again leaves the next line alone: a tag running on into it keeps its colour there.
void TestRichHTML::colouringALineStopsAtItsEnd()
{
    SetText(QStringLiteral("<TABLE\nBORDER=1\nWIDTH=2>x"));
    QCOMPARE(Marks(*m_e), QStringLiteral("BBBBBBBBBBBBBBBBBBBBBBBB."));
    m_e->ColorCodeLine(1);
    QCOMPARE(Marks(*m_e).mid(m_e->LineStart(2)), QStringLiteral("BBBBBBBB."));
}

void TestRichHTML::replaceAll()
{
    SetText(QStringLiteral("<td>a</TD><Td>b</td>"));
    QCOMPARE(m_e->ReplaceAll(QStringLiteral("td"), QStringLiteral("TH"), false), 4);
    QCOMPARE(m_e->Text(), QStringLiteral("<TH>a</TH><TH>b</TH>"));
    QCOMPARE(m_e->UndoCount(), 1);
    // The replaced region keeps correct colours.
    QCOMPARE(Marks(*m_e), QStringLiteral("BBBB.BBBBBBBBB.BBBBB"));
    QCOMPARE(m_e->ReplaceAll(QString(), QStringLiteral("x"), false), 0);
    QCOMPARE(m_e->ReplaceAll(QStringLiteral("TH"), QStringLiteral("th"), true), 4);
    m_e->Undo();
    m_e->Undo();
    QCOMPARE(m_e->Text(), QStringLiteral("<td>a</TD><Td>b</td>"));

    // Non-breaking spaces between the matches stay what they are.
    SetText(QStringLiteral("a\u00A0b a\u00A0b"));
    QCOMPARE(m_e->ReplaceAll(QStringLiteral("b"), QStringLiteral("c"), false), 2);
    QCOMPARE(m_e->Text(), QStringLiteral("a\u00A0c a\u00A0c"));
}

void TestRichHTML::indentAndUnindent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("indent");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("steps");
    QTest::newRow("indent two lines") << "a\nb\nc" << 0 << 3 << true << "\ta\n\tb\nc" << 1;
    QTest::newRow("indent stops before a selected line break") << "a\nb\nc" << 0 << 4 << true << "\ta\n\tb\nc" << 1;
    QTest::newRow("indent caret line") << "a\nb" << 3 << 0 << true << "a\n\tb" << 1;
    QTest::newRow("unindent removes one tab") << "\t\ta\n\tb\nc" << 0 << 5 << false << "\ta\nb\nc" << 1;
    QTest::newRow("unindent without tabs changes nothing but records") << "a\nb" << 0 << 3 << false << "a\nb" << 1;
}

void TestRichHTML::indentAndUnindent()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, indent);
    QFETCH(QString, expected);
    QFETCH(int, steps);
    SetText(text);
    m_e->Select(selStart, selLength);
    indent ? m_e->IndentLines() : m_e->UnindentLines();
    QCOMPARE(m_e->Text(), expected);
    QCOMPARE(m_e->UndoCount(), steps);
    m_e->Undo();
    QCOMPARE(m_e->Text(), text);
}

void TestRichHTML::stripTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole document") << "<P><B>a</B></P>\n<I>b</I>" << 0 << 0 << true << "a\nb";
    QTest::newRow("nothing selected does nothing") << "<B>a</B>" << 1 << 0 << false << "<B>a</B>";
    QTest::newRow("selection keeps text before its first lt")
        << "<P>x</P> y" << 2 << 8 << false << "<P>x y";
    QTest::newRow("gt without lt strips nothing") << "a > b" << 0 << 5 << false << "a > b";
}

void TestRichHTML::stripTags()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, whole);
    QFETCH(QString, expected);
    SetText(text);
    m_e->Select(selStart, selLength);
    m_e->StripTags(whole);
    QCOMPARE(m_e->Text(), expected);
    QCOMPARE(m_e->SelLength(), 0);
}

void TestRichHTML::selectLines()
{
    SetText(QStringLiteral("one\ntwo\nthree"));
    m_e->SelectLines(0, 1);
    QCOMPARE(m_e->SelText(), QStringLiteral("one\ntwo\n"));
    m_e->SelectLines(2, 2);
    QCOMPARE(m_e->SelText(), QStringLiteral("three"));
}

void TestRichHTML::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("windows-1252") << QByteArray("<HTML>\r\n<BODY>caf\xE9</BODY>\r\n</HTML>\r\n")
                                  << QStringLiteral("<HTML>\n<BODY>caf\u00E9</BODY>\n</HTML>\n");
    QTest::newRow("windows-1252 non-breaking space") << QByteArray("<P>a\xA0" "b \xA0</P>\r\n")
                                                     << QStringLiteral("<P>a\u00A0b \u00A0</P>\n");
    QTest::newRow("utf-8 non-breaking space") << QByteArray("<P>caf\xC3\xA9\xC2\xA0!</P>\n")
                                              << QStringLiteral("<P>caf\u00E9\u00A0!</P>\n");
    QTest::newRow("line and paragraph separators") << QByteArray("a\xE2\x80\xA8" "b\r\nc\xE2\x80\xA9" "d\r\n")
                                                   << QStringLiteral("a\u2028b\nc\nd\n");
    QTest::newRow("mixed line ends") << QByteArray("<HTML>\r\n<BODY>\n</BODY>\r\n</HTML>\n")
                                     << QStringLiteral("<HTML>\n<BODY>\n</BODY>\n</HTML>\n");
}

// A document saved unchanged is byte for byte the file it was loaded from.
void TestRichHTML::loadAndSave()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString path = m_dir.Write(QStringLiteral("page.html"), bytes);
    m_e->InsertTags(QStringLiteral("old"), QString(), false);
    QSignalSpy saved(m_e, &TkrRichHTML::OnDocumentSaved);
    m_e->SetFilename(path);
    QCOMPARE(m_e->Filename(), path);
    QCOMPARE(m_e->Text(), text);
    QCOMPARE(m_e->TextRange(0, m_e->TextLength()), text);
    m_e->Select(0, m_e->TextLength());
    QCOMPARE(m_e->SelText(), text);
    QVERIFY(!m_e->Modified());
    QVERIFY(!m_e->CanUndo());
    const QString copy = m_dir.FilePath(QStringLiteral("copy.html"));
    QVERIFY(m_e->SaveDocument(copy));
    QCOMPARE(saved.count(), 1);
    QCOMPARE(m_e->Filename(), copy);
    QCOMPARE(ReadTestFile(copy), bytes);
}

void TestRichHTML::untouchedLinesKeepTheirLineEnds_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("enter after the last line")
        << "end" << QByteArray("<HTML>\r\n<BODY>\n</BODY>\r\n</HTML>\nx\r\ny");
    QTest::newRow("enter inside a line")
        << "split" << QByteArray("<HTML>\r\n<BOD\r\nY>\n</BODY>\r\n</HTML>\n");
    QTest::newRow("joined lines") << "join" << QByteArray("<HTML>\r\n<BODY></BODY>\r\n</HTML>\n");
    QTest::newRow("joined lines undone") << "join-undo" << QByteArray("<HTML>\r\n<BODY>\n</BODY>\r\n</HTML>\n");
    QTest::newRow("replace all across lines") << "replace" << QByteArray("<html>\r\n<body>\n</body>\r\n</html>\n");
    QTest::newRow("pasted lines over lines, undone")
        << "paste-undo" << QByteArray("<HTML>\r\n<BODY>\n</BODY>\r\n</HTML>\n");
}

// A file that mixes line-end styles keeps them where the user did not edit; a new line
// break takes the style of the file's first line end.
void TestRichHTML::untouchedLinesKeepTheirLineEnds()
{
    QFETCH(QString, edit);
    QFETCH(QByteArray, saved);
    const QString path = m_dir.Write(QStringLiteral("mixed.html"), "<HTML>\r\n<BODY>\n</BODY>\r\n</HTML>\n");
    QVERIFY(m_e->LoadDocument(path));
    m_e->setFocus();
    if (edit == QLatin1String("end")) {
        QTest::keyClick(m_e, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(m_e, QStringLiteral("x"));
        QTest::keyClick(m_e, Qt::Key_Return);
        QTest::keyClicks(m_e, QStringLiteral("y"));
    } else if (edit == QLatin1String("split")) {
        m_e->Select(11, 0);
        QTest::keyClick(m_e, Qt::Key_Return);
    } else if (edit.startsWith(QLatin1String("join"))) {
        m_e->Select(14, 0);
        QTest::keyClick(m_e, Qt::Key_Backspace);
    } else if (edit == QLatin1String("replace")) {
        QCOMPARE(m_e->ReplaceAll(QStringLiteral("<"), QStringLiteral("<"), false), 4);
        m_e->Select(0, m_e->TextLength());
        m_e->ReplaceSelection(m_e->SelText().toLower());
    } else if (edit == QLatin1String("paste-undo")) {
        QGuiApplication::clipboard()->setText(QStringLiteral("1\n2\n3\n4\n"));
        m_e->Select(0, m_e->TextLength());
        m_e->Paste();
    }
    if (edit.endsWith(QLatin1String("-undo")))
        m_e->Undo();
    QVERIFY(m_e->SaveDocument(path));
    QCOMPARE(ReadTestFile(path), saved);
}

void TestRichHTML::loadRefusesBinaryAndKeepsDocument()
{
    SetText(QStringLiteral("keep me"));
    m_e->InsertTags(QStringLiteral("!"), QString(), false);
    const QString path = m_dir.Write(QStringLiteral("image.gif"), QByteArray("GIF89a\0\0\x01\0", 10));
    QVERIFY(!m_e->LoadDocument(path));
    QVERIFY(m_e->LastError().contains(path));
    QCOMPARE(m_e->Text(), QStringLiteral("!keep me"));
    QVERIFY(m_e->Modified());
    QVERIFY(m_e->CanUndo());
}

void TestRichHTML::failedSaveStaysModified()
{
    SetText(QStringLiteral("text"));
    m_e->InsertTags(QStringLiteral("more "), QString(), false);
    const QString blocker = m_dir.FilePath(QStringLiteral("doc.html"));
    QVERIFY(!m_e->SaveDocument(blocker + QStringLiteral("/cannot.html")));
    QVERIFY(!m_e->LastError().isEmpty());
    QVERIFY(m_e->Modified());
    QCOMPARE(m_e->Filename(), blocker);
}

void TestRichHTML::insertFromFile()
{
    SetText(QStringLiteral("end"));
    const QString missing = m_dir.FilePath(QStringLiteral("missing.html"));
    QVERIFY(!m_e->InsertFromFile(missing));
    QCOMPARE(m_boxes.Boxes, QList<TShownBox>({{mkMessage, QStringLiteral("File \"%1\" does not exist.").arg(missing), mbOK}}));

    const QString part = m_dir.Write(QStringLiteral("part.html"), "<P>one</P>\r\n<P>two</P>");
    m_e->Select(0, 0);
    QVERIFY(m_e->InsertFromFile(part));
    QCOMPARE(m_e->Text(), QStringLiteral("<P>one</P>\n<P>two</P>\nend"));
    QCOMPARE(m_e->UndoCount(), 2);

    const QString empty = m_dir.Write(QStringLiteral("empty.html"), QByteArray());
    QVERIFY(m_e->InsertFromFile(empty));
    QCOMPARE(m_e->UndoCount(), 3);
}

void TestRichHTML::fontSettings()
{
    const QString key = QStringLiteral("Software\\Pendwick\\ColorCoding");
    ConfigStore::WriteInt(key, QStringLiteral("FontJumpsColor"), Colors::clRed);
    ConfigStore::WriteInt(key, QStringLiteral("FontQuotesEffects"), feItalic);
    ConfigStore::Write(key, QStringLiteral("DefaultFontSize"), QStringLiteral("12"));
    m_e->ReadFontSettings(key);
    QCOMPARE(m_e->Style(csJumps).Color, Colors::clRed);
    QCOMPARE(m_e->Style(csQuotes).Effects, int(feItalic));
    QCOMPARE(m_e->Style(csTables).Color, Colors::clTeal);
    QCOMPARE(m_e->EditorFontSize(), 12);

    const QString other = QStringLiteral("Software\\Pendwick\\Other");
    m_e->WriteFontSettings(other);
    QCOMPARE(ConfigStore::Read(other, QStringLiteral("FontJumpsColor"), QString()), QString::number(Colors::clRed));
    QCOMPARE(ConfigStore::Read(other, QStringLiteral("FontTagsColor"), QString()), QStringLiteral("8388608"));
    QCOMPARE(ConfigStore::Read(other, QStringLiteral("DefaultFontSize"), QString()), QStringLiteral("12"));

    m_e->ReadFontSettings(QString());
    m_e->WriteFontSettings(QString());
    QCOMPARE(m_boxes.Boxes, (QList<TShownBox>{{mkMessage, QStringLiteral("ReadFontSettings - Invalid FFontRegistryKey"), mbOK},
                                              {mkMessage, QStringLiteral("WriteFontSettings - Invalid FontRegKey"), mbOK}}));
}

void TestRichHTML::updateNesting()
{
    m_e->BeginUpdate();
    QVERIFY(m_e->Updating());
    QVERIFY(!m_e->viewport()->updatesEnabled());
    m_e->InsertTags(QStringLiteral("<B>"), QStringLiteral("</B>"), false);
    QVERIFY(!m_e->viewport()->updatesEnabled()); // an operation leaves redraw as it found it
    m_e->EndUpdate();
    QVERIFY(!m_e->Updating());
    QVERIFY(m_e->viewport()->updatesEnabled());

    m_e->HoldUpdate(true);
    m_e->EndUpdate(); // held: nothing changes
    QVERIFY(m_e->Updating());
    QVERIFY(!m_e->viewport()->updatesEnabled());
    m_e->HoldUpdate(false);
    QVERIFY(!m_e->UpdateHeld());
    QVERIFY(m_e->viewport()->updatesEnabled());
}

void TestRichHTML::longColouringReportsProgress()
{
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("<B>w</B> <I>x</I>\n");
    SetText(QString());
    QSignalSpy progress(m_e, &TkrRichHTML::OnProgressChange);
    QString captionSeen;
    connect(m_e, &TkrRichHTML::OnProgressChange, this, [&](TkrRichHTML *e, int) {
        if (captionSeen.isEmpty())
            captionSeen = e->ProgressCaption();
    });
    SetText(text);
    QVERIFY(m_e->ColorCodingActive()); // the rest follows in the background
    QTRY_VERIFY(!m_e->ColorCodingActive());
    QVERIFY(progress.count() >= 3);
    QCOMPARE(progress.first().at(1).toInt(), 0);
    QCOMPARE(progress.last().at(1).toInt(), 100);
    QCOMPARE(captionSeen, QStringLiteral("Color coding..."));
    QVERIFY(m_e->ProgressCaption().isEmpty());

    // Escape pressed while it runs stops it: what was coloured stays, the rest stays plain.
    SetText(QString());
    QCoreApplication::postEvent(m_e, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    SetText(text + QStringLiteral("\"quoted\""));
    QTRY_VERIFY(!m_e->ColorCodingActive());
    const QString marks = Marks(*m_e);
    QVERIFY(marks.startsWith(QStringLiteral("TTT.TTTT.TTT.TTTT.")));
    QVERIFY(marks.endsWith(QStringLiteral("..........")));
    QVERIFY(!marks.contains(u'Q'));
    QCOMPARE(progress.last().at(1).toInt(), 100);
    QVERIFY(m_e->ProgressCaption().isEmpty());
    QCOMPARE(m_e->ProgressValue(), -1);

    // With two editors colouring at once, one Escape stops both.
    TkrRichHTML other;
    SetText(QString());
    other.SetColorCodeMode(ccFull);
    QVERIFY(other.LoadDocument(m_dir.Write(QStringLiteral("other.html"), text.toUtf8())));
    SetText(text);
    QVERIFY(other.ColorCodingActive() && m_e->ColorCodingActive());
    QCoreApplication::postEvent(m_e, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QTRY_VERIFY(!m_e->ColorCodingActive());
    QVERIFY(!other.ColorCodingActive());
    QVERIFY(Marks(other).endsWith(QStringLiteral("..........")));
}

// Keys typed while a long colour coding runs land at once, in order; a dialog that opens
// meanwhile gets its own keys.
void TestRichHTML::inputDuringLongColouring()
{
    const QString text = LongPage(400000);
    SetText(QString());
    m_e->activateWindow();
    m_e->setFocus();
    QWindow *window = m_e->window()->windowHandle();
    QString dialogText, typedMeanwhile;
    bool typed = false, stillColouring = false;
    connect(m_e, &TkrRichHTML::OnProgressChange, this, [&](TkrRichHTML *, int percent) {
        if (typed || percent == 0 || percent == 100)
            return;
        typed = true;
        QTest::keyClick(window, Qt::Key_Q);
        QDialog dialog(m_e);
        auto *edit = new QLineEdit(&dialog);
        QTimer::singleShot(0, &dialog, [&] {
            edit->setFocus();
            QTest::keyClick(dialog.windowHandle(), Qt::Key_X);
            dialog.accept();
        });
        dialog.exec();
        dialogText = edit->text();
        QTest::keyClick(window, Qt::Key_W);
        typedMeanwhile = m_e->TextRange(0, 2);
        stillColouring = m_e->ColorCodingActive();
    });
    SetText(text);
    QTRY_VERIFY(!m_e->ColorCodingActive());
    QVERIFY(typed);
    QVERIFY(stillColouring);
    QCOMPARE(dialogText, QStringLiteral("x"));
    QCOMPARE(typedMeanwhile, QStringLiteral("qw"));
    QCOMPARE(m_e->Text(), QStringLiteral("qw") + text);
}

// Edits while a page is coloured in the background, with the event loop running between
// them: the colours come out as a fresh colouring of the final text gives them.
void TestRichHTML::editsDuringBackgroundColouring_data()
{
    QTest::addColumn<int>("seed"); // 0: one edit near the end, in the part not yet coloured
    QTest::newRow("edit in the part not yet coloured") << 0;
    QTest::newRow("keys typed at the start, the line not left") << -1;
    for (int seed = 1; seed <= 3; ++seed)
        QTest::addRow("random edits, seed %d", seed) << seed;
}

void TestRichHTML::editsDuringBackgroundColouring()
{
    QFETCH(int, seed);
    SetText(LongPage(300000));
    QVERIFY(m_e->ColorCodingActive());
    if (seed < 0) {
        m_e->Select(0, 0);
        for (QChar c : QStringLiteral("abcdefghijklmnopqrst")) {
            QTest::keyClick(m_e, c.toLatin1());
            QCoreApplication::processEvents();
        }
    } else if (seed == 0) {
        const int pos = m_e->TextLength() - 100;
        QVERIFY(m_e->ColorCodedUpTo() < pos);
        m_e->Select(m_e->LineStart(m_e->LineFromChar(pos)), 0);
        m_e->InsertTags(QStringLiteral("<IMG SRC=\"a\">"), QString(), false);
    } else {
        QRandomGenerator rng{quint32(seed)};
        const QStringList pieces = {QStringLiteral("<B>x</B>"), QStringLiteral("\n"), QStringLiteral("<!-- c -->"),
                                    QStringLiteral("\"q\"")};
        while (m_e->ColorCodingActive()) {
            // At a line start, before or after the part coloured so far; typed or inserted.
            const int line = rng.bounded(m_e->LineCount());
            m_e->Select(m_e->LineStart(line), 0);
            switch (rng.bounded(3)) {
            case 0:
                m_e->InsertTags(pieces[rng.bounded(int(pieces.size()))], QString(), false);
                break;
            case 1:
                QTest::keyClicks(m_e, QStringLiteral("ab"));
                QTest::keyClick(m_e, Qt::Key_Down);
                break;
            default:
                m_e->SelectLines(line, line);
                QTest::keyClick(m_e, Qt::Key_Delete);
                break;
            }
            QCoreApplication::processEvents();
        }
    }
    const QString text = m_e->Text();
    QCOMPARE(Marks(*m_e), Marks(int(text.size()), ColorCodeRuns(text, 0, int(text.size()), ccFull).Runs));
}

void TestRichHTML::modifiedNotifications()
{
    QSignalSpy spy(m_e, &TkrRichHTML::OnModifyStatusChange);
    m_e->SetModified(true);
    m_e->SetModified(true);
    QCOMPARE(spy.count(), 2);
    m_e->BeginUpdate();
    m_e->SetModified(false);
    QCOMPARE(spy.count(), 2);
    m_e->EndUpdate();
}

QTEST_MAIN(TestRichHTML)
#include "tst_richhtml.moc"
