// The editor finds the tag at the caret and selects it when asked.
#include <QtTest>

#include "editor/richhtml.h"
#include "testsupport.h"

class TestTagAtCaret : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }
    void tagAtCaret_data();
    void tagAtCaret();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestTagAtCaret::tagAtCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    QTest::newRow("caret at 0 before a tag") << "<IMG SRC=a>" << 0 << 0 << true << "" << 0 << 0;
    QTest::newRow("caret inside an image tag, selected")
        << "x <IMG SRC=a.gif> y" << 6 << 0 << true << "<IMG SRC=a.gif>" << 2 << 15;
    QTest::newRow("caret inside an image tag, not selected")
        << "x <IMG SRC=a.gif> y" << 6 << 0 << false << "<IMG SRC=a.gif>" << 6 << 0;
    QTest::newRow("selected end tag stays selected") << "a <B>b</B> c" << 6 << 4 << true << "</B>" << 6 << 4;
    QTest::newRow("caret in text after a bold end tag") << "<B>b</B> plain" << 11 << 0 << true << "</B>" << 4 << 4;
    QTest::newRow("tag over lines selected whole")
        << "p\n<TABLE\nBORDER=1>\nq" << 12 << 0 << true << "<TABLE\nBORDER=1>" << 2 << 16;
    QTest::newRow("no > keeps the selection") << "a <B b" << 4 << 1 << true << "" << 4 << 1;
}

void TestTagAtCaret::tagAtCaret()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, select);
    QFETCH(QString, tag);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    TkrRichHTML e;
    e.setPlainText(text);
    e.SetModified(false);
    e.ClearUndo();
    e.Select(selStart, selLength);
    QCOMPARE(e.GetTagAtCaret(select), tag);
    QCOMPARE(e.SelStart(), newStart);
    QCOMPARE(e.SelLength(), newLength);
    // Finding a tag is no edit.
    QCOMPARE(e.Text(), text);
    QVERIFY(!e.Modified());
    QCOMPARE(e.UndoCount(), 0);
}

QTEST_MAIN(TestTagAtCaret)
#include "tst_tagatcaret.moc"
