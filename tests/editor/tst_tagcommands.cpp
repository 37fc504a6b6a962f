// The text work of the tag commands: case changes, outermost tags, lines to blocks,
// Go to Line and the date captions.
#include <QtTest>

#include "editor/tagcommands.h"

class TestTagCommands : public QObject
{
    Q_OBJECT

private slots:
    void caseChanges_data();
    void caseChanges();
    void stripOutermost_data();
    void stripOutermost();
    void convertLines_data();
    void convertLines();
    void goToLine_data();
    void goToLine();
    void datetimeCaptions();
};

void TestTagCommands::caseChanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("tags and text alike") << "<b>Bold</b>" << "<B>BOLD</B>" << "<b>bold</b>";
    QTest::newRow("accented letters stay") << "\u00e9t\u00c9" << "\u00e9T\u00c9" << "\u00e9t\u00c9";
    QTest::newRow("digits and signs stay") << "a1-Z_" << "A1-Z_" << "a1-z_";
}

void TestTagCommands::caseChanges()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(UppercaseAZ(text), upper);
    QCOMPARE(LowercaseAZ(text), lower);
}

void TestTagCommands::stripOutermost_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<QString>("result");
    QTest::newRow("bold element") << "<B>word</B>" << true << "word";
    QTest::newRow("nested: first start and last end go") << "<B><I>x</I></B>" << true << "<I>x</I>";
    QTest::newRow("text before the first tag goes too") << "lead <B>x</B> tail" << true << "x";
    QTest::newRow("no lt") << "plain > text" << false << "";
    QTest::newRow("gt before lt") << "a > <B>" << false << "";
    QTest::newRow("only a start tag") << "<B>word" << false << "";
    QTest::newRow("lt without gt after the first tag") << "<B>a < b" << false << "";
}

void TestTagCommands::stripOutermost()
{
    QFETCH(QString, text);
    QFETCH(bool, changes);
    QFETCH(QString, result);
    const std::optional<QString> r = StripOutermostText(text);
    QCOMPARE(r.has_value(), changes);
    if (changes)
        QCOMPARE(*r, result);
}

void TestTagCommands::convertLines_data()
{
    QTest::addColumn<int>("conversion");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("block");
    QTest::newRow("ordered list with an empty middle line")
        << int(lcOrderedList) << QStringList{"one", "", "three"}
        << "<OL>\r\n\t<LI>one\r\n\t<LI>\r\n\t<LI>three\r\n</OL>\r\n";
    QTest::newRow("unordered list") << int(lcUnorderedList) << QStringList{"a"} << "<UL>\r\n\t<LI>a\r\n</UL>\r\n";
    QTest::newRow("row per line") << int(lcTableRows) << QStringList{"a", "b"}
                                  << "<TABLE>\r\n\t<TR><TD>a</TD></TR>\r\n\t<TR><TD>b</TD></TR>\r\n</TABLE>\r\n";
    QTest::newRow("column per line") << int(lcTableColumns) << QStringList{"a"} << "<TABLE>\r\n\t<TD>a</TD>\r\n</TABLE>\r\n";
}

void TestTagCommands::convertLines()
{
    QFETCH(int, conversion);
    QFETCH(QStringList, lines);
    QFETCH(QString, block);
    QCOMPARE(ConvertLinesText(lines, LineConversionTexts(TLineConversion(conversion))), block);
}

void TestTagCommands::goToLine_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("target");
    QTest::newRow("line 5 of 120") << "5" << 0 << 4;
    QTest::newRow("last line") << "120" << 0 << 119;
    QTest::newRow("beyond the last line stays") << "121" << 3 << -1;
    QTest::newRow("negative stays") << "-2" << 3 << -1;
    QTest::newRow("zero is the caret's own line") << "0" << 7 << 7;
    QTest::newRow("letters go to line 1") << "abc" << 7 << 0;
    QTest::newRow("blanks around a number") << " 12 " << 0 << 11;
}

void TestTagCommands::goToLine()
{
    QFETCH(QString, answer);
    QFETCH(int, caretLine);
    QFETCH(int, target);
    QCOMPARE(GoToLineTarget(answer, 120, caretLine), target);
    QCOMPARE(GoToLinePrompt(120), QStringLiteral("Enter Line Number (1-120)"));
}

void TestTagCommands::datetimeCaptions()
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QDateTime when(QDate(2026, 12, 8), QTime(14, 5, 9));
    const QStringList c = DatetimeCaptions(when, locale);
    QCOMPARE(c.size(), 4);
    QCOMPARE(c.at(0), locale.toString(when.date(), QLocale::ShortFormat));
    QCOMPARE(c.at(1), locale.toString(when.date(), QLocale::LongFormat));
    // Date and time only: the long time format's zone is left out.
    QCOMPARE(c.at(2), c.at(0) + QStringLiteral(" 2:05:09 PM"));
    QCOMPARE(c.at(3), QStringLiteral("Tuesday, December 8, 2026 2:05:09 PM"));
}

QTEST_GUILESS_MAIN(TestTagCommands)
#include "tst_tagcommands.moc"
