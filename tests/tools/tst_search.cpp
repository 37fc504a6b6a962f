// The search and replace over plain text behind the Find and Replace windows.
#include <QtTest>
#include <climits>

#include "testsupport.h"
#include "tools/search.h"

Q_DECLARE_METATYPE(QList<int>)

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_config = UseTemporaryConfig(); }

    void searchText_data();
    void searchText();
    void searchStart_data();
    void searchStart();
    void findNext_data();
    void findNext();
    void findNextWalk_data();
    void findNextWalk();
    void replaceAll_data();
    void replaceAll();
    void replaceAllMatchesPlainReplace();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestSearch::searchText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("expected");

    QTest::newRow("first occurrence") << "one two two" << "two" << 0 << 11 << false << false << 4;
    QTest::newRow("from the match itself") << "one two" << "two" << 4 << 7 << false << false << 4;
    QTest::newRow("from past it") << "one two" << "two" << 5 << 7 << false << false << -1;
    QTest::newRow("case ignored by default") << "<P>text</P>" << "</p>" << 0 << 11 << false << false << 7;
    QTest::newRow("match case refuses other case") << "Text text" << "text" << 0 << 9 << true << false << 5;
    QTest::newRow("match case, none") << "TEXT Text" << "text" << 0 << 9 << true << false << -1;
    QTest::newRow("whole word skips word parts") << "catalog cat" << "cat" << 0 << 11 << false << true << 8;
    QTest::newRow("whole word at both ends") << "cat" << "cat" << 0 << 3 << false << true << 0;
    QTest::newRow("whole word next to markup") << "<b>cat</b>" << "cat" << 0 << 10 << false << true << 3;
    QTest::newRow("whole word, digit joins a word") << "cat9 cat" << "cat" << 0 << 8 << false << true << 5;
    QTest::newRow("whole word, underscore joins a word") << "_cat cat" << "cat" << 0 << 8 << false << true << 5;
    QTest::newRow("whole word, accented letter joins a word") << QString::fromUtf8("caté cat") << "cat" << 0 << 8
                                                              << false << true << 5;
    QTest::newRow("whole word looks before the range") << "xcat" << "cat" << 1 << 4 << false << true << -1;
    QTest::newRow("whole word and match case") << "Cat cats cat" << "cat" << 0 << 12 << true << true << 9;
    QTest::newRow("whole word and match case, none") << "Cat cats" << "cat" << 0 << 8 << true << true << -1;
    QTest::newRow("match must end inside the range") << "abcabc" << "bc" << 0 << 2 << false << false << -1;
    QTest::newRow("match ending at the range end") << "abcabc" << "bc" << 0 << 3 << false << false << 1;
    QTest::newRow("range end past the text clamped") << "abc" << "c" << 0 << 1000 << false << false << 2;
    QTest::newRow("range end beyond int clamped") << "abc" << "c" << 1 << INT_MAX << false << false << 2;
    QTest::newRow("negative start clamped") << "abc" << "a" << -7 << 3 << false << false << 0;
    QTest::newRow("start past the text") << "abc" << "c" << 10 << 20 << false << false << -1;
    QTest::newRow("end before start") << "abcabc" << "a" << 4 << 1 << false << false << -1;
    QTest::newRow("empty find text finds nothing") << "abc" << "" << 0 << 3 << false << false << -1;
    QTest::newRow("empty text") << "" << "a" << 0 << 0 << false << false << -1;
    QTest::newRow("find longer than the text") << "ab" << "abc" << 0 << 2 << false << false << -1;
    QTest::newRow("across a line break") << "a\nb" << "a\nb" << 0 << 3 << false << false << 0;
}

void TestSearch::searchText()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, expected);
    QCOMPARE(SearchText(text, find, from, to, {matchCase, wholeWord}), expected);
}

void TestSearch::searchStart_data()
{
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("expected");
    QTest::newRow("caret at 0") << 0 << 1;
    QTest::newRow("caret inside") << 41 << 42;
    QTest::newRow("negative caret") << -3 << 0;
    QTest::newRow("largest offset does not overflow") << INT_MAX << INT_MAX;
}

void TestSearch::searchStart()
{
    QFETCH(int, selStart);
    QFETCH(int, expected);
    QCOMPARE(SearchStart(selStart), expected);
}

void TestSearch::findNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("expected");

    QTest::newRow("caret at 0 skips the match at 0") << "ab ab" << "ab" << 0 << 3;
    QTest::newRow("caret at 0, the only match at 0") << "ab cd" << "ab" << 0 << -1;
    QTest::newRow("selected match passed over") << "xab ab" << "ab" << 1 << 4;
    QTest::newRow("match right after the caret") << "xab" << "ab" << 0 << 1;
    QTest::newRow("no wrap to earlier matches") << "ab ab x" << "ab" << 3 << -1;
    QTest::newRow("caret at the end") << "abab" << "ab" << 4 << -1;
    QTest::newRow("caret past the end clamped") << "abab" << "ab" << 99 << -1;
    QTest::newRow("empty find text") << "abab" << "" << 0 << -1;
}

void TestSearch::findNext()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(int, selStart);
    QFETCH(int, expected);
    QCOMPARE(FindNextText(text, find, selStart, {}), expected);
}

void TestSearch::findNextWalk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QList<int>>("visits");

    QTest::newRow("two letters in a run of four") << "aaaa" << "aa" << false << QList<int>{1, 2};
    QTest::newRow("two letters in a run of five") << "aaaaa" << "aa" << false << QList<int>{1, 2, 3};
    QTest::newRow("three letters overlapping by two") << "xabababa" << "aba" << false << QList<int>{1, 3, 5};
    QTest::newRow("match case in a mixed run") << "aAaAa" << "aa" << true << QList<int>{};
    QTest::newRow("case ignored in a mixed run") << "aAaA" << "aa" << false << QList<int>{1, 2};
}

// Repeated Find Next from the caret at 0, each search starting after the previous match's
// start, until nothing is found; it must never come back round.
void TestSearch::findNextWalk()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(bool, matchCase);
    QFETCH(QList<int>, visits);

    QList<int> seen;
    int caret = 0;
    for (int p; (p = FindNextText(text, find, caret, {matchCase, false})) >= 0 && seen.size() <= text.size();) {
        seen.append(p);
        caret = p;
    }
    QCOMPARE(seen, visits);
}

void TestSearch::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("oldEnd");

    QTest::newRow("letter by that letter and another") << "aaa" << "a" << "ab" << 0 << false << false
                                                       << "ababab" << 3 << 0 << 3;
    QTest::newRow("from the second letter on") << "aaa" << "a" << "ab" << 1 << false << false
                                               << "aabab" << 2 << 1 << 3;
    QTest::newRow("replacement containing the find text") << "cat cat" << "cat" << "concat" << 0 << false << false
                                                          << "concat concat" << 2 << 0 << 7;
    QTest::newRow("empty replacement removes") << "x-x-x" << "x" << "" << 1 << false << false
                                               << "x--" << 2 << 2 << 5;
    QTest::newRow("overlapping occurrences not re-searched") << "aaaaa" << "aa" << "b" << 0 << false << false
                                                             << "bba" << 2 << 0 << 4;
    QTest::newRow("gaps kept between occurrences") << "<b>x</b> <B>y</B>" << "<b>" << "<strong>" << 0 << false << false
                                                   << "<strong>x</b> <strong>y</B>" << 2 << 0 << 12;
    QTest::newRow("match case") << "Foo foo FOO" << "foo" << "bar" << 0 << true << false
                                << "Foo bar FOO" << 1 << 4 << 7;
    QTest::newRow("whole word skips word parts") << "cat catalog cat" << "cat" << "dog" << 0 << false << true
                                                 << "dog catalog dog" << 2 << 0 << 15;
    QTest::newRow("whole word and match case") << "Cat cat cats" << "cat" << "dog" << 0 << true << true
                                               << "Cat dog cats" << 1 << 4 << 7;
    QTest::newRow("whole word sees the inserted text before") << "--" << "-" << "z" << 0 << false << true
                                                              << "z-" << 1 << 0 << 1;
    QTest::newRow("whole word after removed occurrences") << "a,,b" << "," << "" << 0 << false << true
                                                          << "a,,b" << 0 << 0 << 0;
    QTest::newRow("line breaks kept") << "a\nb\na" << "a" << "c" << 0 << false << false
                                      << "c\nb\nc" << 2 << 0 << 5;
    QTest::newRow("nothing after the start") << "abc" << "a" << "x" << 1 << false << false
                                             << "abc" << 0 << 0 << 0;
    QTest::newRow("start past the end clamped") << "abc" << "c" << "x" << 50 << false << false
                                                << "abc" << 0 << 0 << 0;
    QTest::newRow("negative start clamped") << "abc" << "a" << "x" << -2 << false << false
                                            << "xbc" << 1 << 0 << 1;
    QTest::newRow("empty find text replaces nothing") << "abc" << "" << "x" << 0 << false << false
                                                      << "abc" << 0 << 0 << 0;
}

void TestSearch::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(int, from);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QString, expected);
    QFETCH(int, count);
    QFETCH(int, first);
    QFETCH(int, oldEnd);

    const TReplaceResult r = ReplaceAllFrom(text, find, replace, from, {matchCase, wholeWord});
    QCOMPARE(r.Count, count);
    if (count == 0) {
        QVERIFY(r.NewRegion.isEmpty());
        return;
    }
    QCOMPARE(r.First, first);
    QCOMPARE(r.OldEnd, oldEnd);
    const QString result = text.left(r.First) + r.NewRegion + text.mid(r.OldEnd);
    QCOMPARE(result, expected);
    // The caret goes after the last inserted text.
    QCOMPARE(result.mid(r.NewEnd() - replace.size(), replace.size()), replace);
    QCOMPARE(result.mid(r.NewEnd()), text.mid(r.OldEnd));
}

// Many occurrences with long gaps give the same text as a plain replace over the whole text.
void TestSearch::replaceAllMatchesPlainReplace()
{
    QString text;
    for (int i = 0; i < 1000; ++i)
        text += QStringLiteral("<p>line %1 with word</p>\n").arg(i);
    const TReplaceResult r = ReplaceAllFrom(text, u"word", u"words and more", 0, {});
    QCOMPARE(r.Count, 1000);
    QCOMPARE(text.left(r.First) + r.NewRegion + text.mid(r.OldEnd),
             QString(text).replace(QStringLiteral("word"), QStringLiteral("words and more")));
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
