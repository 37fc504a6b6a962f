// Colour coding as data: golden pictures of whole pages, the ranges of partial runs, and
// the run store that keeps colours in step with edits.
#include <QtTest>

#include "editor/colorcoding.h"
#include "editor/stylerunstore.h"
#include "testsupport.h"

namespace {

// One letter per style: '.' plain, T tags, J jumps, I images, C comments, B tables (boards),
// Q quotes, S scripts.
char StyleLetter(int style)
{
    static const char letters[csCount] = {'T', 'J', 'I', 'C', 'B', 'Q', 'S'};
    return style >= 0 && style < csCount ? letters[style] : '?';
}

QString Marks(int length, const TStyleRuns &runs)
{
    QString m(length, u'.');
    for (const TStyleRun &r : runs)
        for (int i = r.Start; i < r.End() && i < length; ++i)
            m[i] = QLatin1Char(StyleLetter(r.Style));
    return m;
}

// The text line by line, each followed by a line of style letters under it.
QString Picture(const QString &text, const TStyleRuns &runs)
{
    const QString marks = Marks(int(text.size()), runs);
    QString out;
    int from = 0;
    while (from < text.size()) {
        int nl = int(text.indexOf(u'\n', from));
        if (nl < 0)
            nl = int(text.size());
        out += QString(text.mid(from, nl - from)).replace(u'\t', u' ') + u'\n';
        out += marks.mid(from, nl - from) + u'\n';
        from = nl + 1;
    }
    return out;
}

QString ReadAll(const QString &path) { return QString::fromUtf8(ReadTestFile(path)); }

TStyleRun Run(int start, int length, TCodeStyleKind style) { return {start, length, quint8(style)}; }

} // namespace

class TestColorCoding : public QObject
{
    Q_OBJECT

private slots:
    void goldenPages_data();
    void goldenPages();
    void partialRanges_data();
    void partialRanges();
    void classifyTag_data();
    void classifyTag();
    void windowMatchesWholeText();
    void longRunReportsAndStops();
    void slicesMatchOneRun_data();
    void slicesMatchOneRun();
    void slicesFollowEdits();
    void editBeforeACarriedSpan_data();
    void editBeforeACarriedSpan();
    void paintRuns_data();
    void paintRuns();
    void storeFollowsEdits_data();
    void storeFollowsEdits();
    void storePaintsPartialRange();
    void storeAcrossManyChunks();
};

void TestColorCoding::goldenPages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    const char *pages[] = {"bold_quote_comment", "table_head_address", "anchors", "lone_lt", "mixed_spans"};
    for (const char *p : pages) {
        QTest::newRow(qPrintable(QStringLiteral("%1 full").arg(QLatin1String(p)))) << QString::fromLatin1(p) << int(ccFull);
        QTest::newRow(qPrintable(QStringLiteral("%1 minimal").arg(QLatin1String(p)))) << QString::fromLatin1(p) << int(ccMinimal);
    }
}

// Set PENDWICK_UPDATE_GOLDEN=1 to write the pictures anew (then read them before committing).
void TestColorCoding::goldenPages()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    const QString dir = QStringLiteral(PENDWICK_TEST_DATA);
    const QString text = ReadAll(dir + u'/' + name + QStringLiteral(".html"));
    QVERIFY(!text.isEmpty());
    const TColorCodeResult r = ColorCodeRuns(text, 0, int(text.size()), TColorCodeMode(mode));
    const QString picture = Picture(text, r.Runs);
    const QString goldenPath =
        dir + u'/' + name + (mode == ccFull ? QStringLiteral(".full.golden") : QStringLiteral(".minimal.golden"));
    if (qEnvironmentVariableIsSet("PENDWICK_UPDATE_GOLDEN"))
        QVERIFY(WriteTestFile(goldenPath, picture.toUtf8()));
    QCOMPARE(picture, ReadAll(goldenPath));
}

void TestColorCoding::partialRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("resetEnd");

    // A tag that starts in the range but ends after it is coloured through its ">".
    QTest::newRow("tag ends after range") << QStringLiteral("ab<B\nCD>ef") << 0 << 3 << QStringLiteral("..TTTTTT..") << 4;
    // A "<" with no ">" anywhere after it colours to the end of the range only.
    QTest::newRow("lone lt colours to range end") << QStringLiteral("a<bc\ndef") << 0 << 3 << QStringLiteral(".TTTT...") << 4;
    // Quotes are found anywhere; one without a partner colours to the end of the range.
    QTest::newRow("open quote to range end") << QStringLiteral("x \"abc def") << 0 << 5 << QStringLiteral("..QQQQ....") << 6;
    // A comment span takes the one character after "->".
    QTest::newRow("comment takes one more") << QStringLiteral("<!-- c -->xyz") << 0 << 13 << QStringLiteral("CCCCCCCCCCC..") << 13;
    // Ranges past the text are clamped.
    QTest::newRow("range past end") << QStringLiteral("<I>") << 0 << 99 << QStringLiteral("TTT") << 3;
    QTest::newRow("range inside tag text") << QStringLiteral("a <B> b") << 4 << 7 << QStringLiteral(".......") << 7;
    QTest::newRow("empty text") << QString() << 0 << 0 << QString() << 0;
}

void TestColorCoding::partialRanges()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, marks);
    QFETCH(int, resetEnd);
    const TColorCodeResult r = ColorCodeRuns(text, start, end, ccFull);
    QCOMPARE(Marks(int(text.size()), r.Runs), marks);
    QCOMPARE(r.ResetEnd, resetEnd);
    QVERIFY(!r.Stopped);
}

void TestColorCoding::classifyTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("style");
    QTest::newRow("anchor") << QStringLiteral("<a href=x>") << int(csJumps);
    QTest::newRow("anchor end") << QStringLiteral("</A>") << int(csJumps);
    QTest::newRow("anchor with tab") << QStringLiteral("<A\tHREF=x>") << int(csTags);
    QTest::newRow("abbr is no anchor") << QStringLiteral("<ABBR>") << int(csTags);
    QTest::newRow("image") << QStringLiteral("<img src=x>") << int(csImages);
    QTest::newRow("thead is a table tag") << QStringLiteral("<THEAD>") << int(csTables);
    QTest::newRow("table end") << QStringLiteral("</table>") << int(csTables);
    QTest::newRow("param") << QStringLiteral("<PARAM NAME=x>") << int(csScripts);
    QTest::newRow("span end") << QStringLiteral("</span>") << int(csScripts);
    QTest::newRow("address") << QStringLiteral("<ADDRESS>") << int(csTags);
    // Only the first ten characters count.
    QTest::newRow("pattern past ten chars") << QStringLiteral("<P CLASS=\"<IMG\">") << int(csTags);
}

void TestColorCoding::classifyTag()
{
    QFETCH(QString, tag);
    QFETCH(int, style);
    QCOMPARE(int(ClassifyTag(tag)), style);
}

// Colouring a window of the text, with the rest reachable only through FindBeyond, gives the
// same runs as colouring with the whole text at hand.
void TestColorCoding::windowMatchesWholeText()
{
    const QString text = QStringLiteral("one <B>two</B>\n<A HREF=\"x\">three\n<I\n") + QString(5000, u'z') + QStringLiteral("> end");
    const int start = 15, end = 34;
    const TColorCodeResult whole = ColorCodeRuns(text, start, end, ccFull);
    TTextWindow w;
    const QString part = text.mid(start, 20);
    w.Text = part;
    w.Offset = start;
    w.TotalLength = int(text.size());
    int asked = 0;
    w.FindBeyond = [&](QChar ch, int from) {
        ++asked;
        return int(text.indexOf(ch, from));
    };
    const TColorCodeResult windowed = ColorCodeRuns(w, start, end, ccFull);
    QVERIFY(whole.Runs == windowed.Runs);
    QCOMPARE(asked, 1);
}

void TestColorCoding::longRunReportsAndStops()
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("<B>word</B> ");
    QList<int> reports;
    TColorCodeResult r = ColorCodeRuns(text, 0, int(text.size()), ccFull, [&](int p) {
        reports << p;
        return true;
    });
    QCOMPARE(reports.size(), 400 / 21);
    QVERIFY(std::is_sorted(reports.begin(), reports.end()));
    QVERIFY(reports.last() <= 100);
    QVERIFY(!r.Stopped);

    // Stopping leaves the tags coloured so far and skips the span passes.
    text += QStringLiteral("\"quoted\"");
    r = ColorCodeRuns(text, 0, int(text.size()), ccFull, [](int) { return false; });
    QVERIFY(r.Stopped);
    QCOMPARE(int(r.Runs.size()), 21);
    QCOMPARE(r.ResetEnd, int(text.size()));

    // Short ranges never report.
    reports.clear();
    ColorCodeRuns(text, 0, LongColorCodeRun, ccFull, [&](int p) {
        reports << p;
        return true;
    });
    QVERIFY(reports.isEmpty());
}

// Colouring in slices of any length gives what one run over the range gives, also for spans
// that begin in one slice and end many slices later or never.
void TestColorCoding::slicesMatchOneRun_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end"); // -1: the whole text
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("slice");
    const QString page = QStringLiteral("<HTML><!-- a \"c\" -> x -->\n<A HREF=\"u\">l</A> \"q<B>\" <TD\nX=1>t<!-\n");
    for (int slice : {1, 2, 3, 7, 64}) {
        QTest::addRow("page in slices of %d", slice) << page << 0 << -1 << int(ccFull) << slice;
        QTest::addRow("minimal page in slices of %d", slice) << page << 0 << -1 << int(ccMinimal) << slice;
        QTest::addRow("part of the page in slices of %d", slice) << page << 9 << 40 << int(ccFull) << slice;
        QTest::addRow("unclosed quote and tag in slices of %d", slice)
            << QStringLiteral("a <B> \"open <I x=1 \n<!- -") << 0 << -1 << int(ccFull) << slice;
    }
}

void TestColorCoding::slicesMatchOneRun()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, mode);
    QFETCH(int, slice);
    if (end < 0)
        end = int(text.size());
    const TColorCodeResult whole = ColorCodeRuns(text, start, end, TColorCodeMode(mode));
    TStyleRunStore expected, sliced;
    expected.Paint(whole.ResetStart, whole.ResetEnd, whole.Runs);
    TColorCodeScan scan(text.mid(start), start, start, end, TColorCodeMode(mode));
    int steps = 0;
    while (!scan.Done() && ++steps < 1000) {
        const TColorCodeResult r = scan.Next(slice);
        sliced.Paint(r.ResetStart, r.ResetEnd, r.Runs);
    }
    QCOMPARE(Marks(int(text.size()) + 4, sliced.AllRuns()), Marks(int(text.size()) + 4, expected.AllRuns()));
    // The same with nothing held at first and the text handed over three characters at a
    // time, so that delimiters straddle what is held.
    TStyleRunStore fetched;
    TColorCodeScan reading(QString(), start, start, end, TColorCodeMode(mode), int(text.size()),
                           [&text](int from, int to) { return text.mid(from, std::min(3, to - from)); });
    for (steps = 0; !reading.Done() && ++steps < 1000;) {
        const TColorCodeResult r = reading.Next(slice);
        fetched.Paint(r.ResetStart, r.ResetEnd, r.Runs);
    }
    QCOMPARE(Marks(int(text.size()) + 4, fetched.AllRuns()), Marks(int(text.size()) + 4, expected.AllRuns()));
}

// Edits between slices, before, inside and after the part coloured so far, with the edited
// lines coloured again as the editor does: the colours come out as one fresh run over the
// final text gives them.
void TestColorCoding::slicesFollowEdits()
{
    const QStringList pieces = {QStringLiteral("<B>x</B>"), QStringLiteral("word "), QStringLiteral("\n"),
                                QStringLiteral("<A HREF=\"u\">l</A>"), QStringLiteral("<!-- c -->"),
                                QStringLiteral("\"q\""), QStringLiteral("<TD>")};
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QRandomGenerator rng(seed);
        QString text;
        for (int i = 0; i < 60; ++i)
            text += pieces[rng.bounded(int(pieces.size()))];
        TStyleRunStore store;
        TColorCodeScan scan(text, 0, 0, int(text.size()), ccFull);
        while (!scan.Done()) {
            const int what = rng.bounded(4);
            if (what == 0) {
                const TColorCodeResult r = scan.Next(1 + rng.bounded(40));
                store.Paint(r.ResetStart, r.ResetEnd, r.Runs);
                continue;
            }
            // An edit at a boundary between pieces: after a ">", a line break or a quote
            // pair, or a whole line taken out.
            QList<int> cuts = {0, int(text.size())};
            for (int i = 0; i < text.size(); ++i)
                if (text[i] == u'>' || text[i] == u'\n' || (text[i] == u' ' && text.mid(i - 4, 4) == QLatin1String("word")))
                    cuts << i + 1;
            int pos = cuts[rng.bounded(int(cuts.size()))];
            int removed = 0;
            QString added;
            if (what == 1) {
                const int lineStart = int(text.lastIndexOf(u'\n', std::max(0, pos - 1))) + 1;
                pos = pos > 0 && text[pos - 1] == u'\n' ? pos : lineStart;
                const int nl = int(text.indexOf(u'\n', pos));
                removed = (nl < 0 ? int(text.size()) : nl + 1) - pos;
            } else {
                added = pieces[rng.bounded(int(pieces.size()))];
            }
            text.replace(pos, removed, added);
            store.TextChanged(pos, removed, int(added.size()));
            scan.TextChanged(pos, removed, added);
            // The editor colours the lines it touched.
            const int a = pos > 0 ? int(text.lastIndexOf(u'\n', pos - 1)) + 1 : 0;
            const int b = int(text.indexOf(u'\n', pos + int(added.size())));
            const TColorCodeResult line = ColorCodeRuns(text, a, b < 0 ? int(text.size()) : b, ccFull);
            store.Paint(line.ResetStart, line.ResetEnd, line.Runs);
        }
        const TColorCodeResult fresh = ColorCodeRuns(text, 0, int(text.size()), ccFull);
        const QString got = Marks(int(text.size()), store.AllRuns());
        const QString want = Marks(int(text.size()), fresh.Runs);
        if (got != want)
            QFAIL(qPrintable(QStringLiteral("seed %1:\n%2").arg(seed).arg(Picture(text, store.AllRuns())
                                                                       + Picture(text, fresh.Runs))));
    }
}

// Keys typed at the top while the rest is coloured, after every step length: the scan
// moves all it holds, also when it no longer keeps the text where the keys went.
void TestColorCoding::editBeforeACarriedSpan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("steps"); // empty: every step length
    QTest::newRow("quote") << "<P>\"a quoted text\"</P> <B>\"x\" and \"y\"</B>\n<I>\"z\"</I>" << QList<int>();
    QTest::newRow("comment") << "<P>x</P><!-- a comment --><B>\"x\"</B><!-- c -->\n<I>y</I>" << QList<int>();
    QTest::newRow("script") << "<SCRIPT>var a = 1;</SCRIPT><B>\"x\"</B>\n<SCRIPT>b</SCRIPT><I>y</I>" << QList<int>();
    // Past its first megabytes the scan no longer keeps the text before it.
    QTest::newRow("long text, the start no longer kept")
        << QStringLiteral("<P>\"q\"</P><!-- c -->\n").repeated(150000) << QList<int>{2000000, 2500000};
}

void TestColorCoding::editBeforeACarriedSpan()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, steps);
    if (steps.isEmpty())
        for (int step = 1; step < text.size(); ++step)
            steps << step;
    for (int step : std::as_const(steps)) {
        QString edited = text;
        TStyleRunStore store;
        TColorCodeScan scan(edited, 0, 0, int(edited.size()), ccFull);
        TColorCodeResult r = scan.Next(step);
        store.Paint(r.ResetStart, r.ResetEnd, r.Runs);
        for (int i = 0; i < 12; ++i) {
            edited.insert(0, u'k');
            store.TextChanged(0, 0, 1);
            // As the editor does: the new text only where the scan still keeps the text.
            scan.TextChanged(0, 0, 1, scan.NeedsText(0, 0) ? QStringView(u"k") : QStringView());
        }
        while (!scan.Done()) {
            r = scan.Next(step);
            store.Paint(r.ResetStart, r.ResetEnd, r.Runs);
        }
        QVERIFY2(Marks(int(edited.size()), store.AllRuns())
                     == Marks(int(edited.size()), ColorCodeRuns(edited, 0, int(edited.size()), ccFull).Runs),
                 qPrintable(QStringLiteral("step %1").arg(step)));
    }
}

void TestColorCoding::paintRuns_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("cover");
    QTest::addColumn<QString>("expected");
    // Pictures: position i carries the style letter of the run there.
    QTest::newRow("cover inside base") << "TTTTTTTTTT" << "...QQQ...." << "TTTQQQTTTT";
    QTest::newRow("cover spans two base runs") << "TTT..JJJ.." << "..CCCCC..." << "TTCCCCCJ..";
    QTest::newRow("cover over nothing") << ".........." << ".QQ....QQ." << ".QQ....QQ.";
    QTest::newRow("several covers in one run") << "TTTTTTTTTT" << ".Q.Q.Q...." << "TQTQTQTTTT";
    QTest::newRow("cover exactly base") << "..III....." << "..QQQ....." << "..QQQ.....";
}

static TStyleRuns RunsOfPicture(const QString &p)
{
    TStyleRuns runs;
    const QString letters = QStringLiteral("TJICBQS");
    for (int i = 0; i < p.size();) {
        if (p[i] == u'.') {
            ++i;
            continue;
        }
        int j = i;
        while (j < p.size() && p[j] == p[i])
            ++j;
        runs.push_back(Run(i, j - i, TCodeStyleKind(letters.indexOf(p[i]))));
        i = j;
    }
    return runs;
}

void TestColorCoding::paintRuns()
{
    QFETCH(QString, base);
    QFETCH(QString, cover);
    QFETCH(QString, expected);
    const TStyleRuns out = PaintRuns(RunsOfPicture(base), RunsOfPicture(cover));
    QCOMPARE(Marks(int(base.size()), out), expected);
    for (size_t i = 1; i < out.size(); ++i)
        QVERIFY(out[i - 1].End() <= out[i].Start);
}

void TestColorCoding::storeFollowsEdits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("after");
    // Inserted text is plain; runs after the edit move; runs crossing it are cut.
    QTest::newRow("typing inside a tag") << "TTTTT..QQQ" << 2 << 0 << 1 << "TT.TTT..QQQ";
    QTest::newRow("typing at run start") << "..TTT" << 2 << 0 << 2 << "....TTT";
    QTest::newRow("typing at run end") << "TTT.." << 3 << 0 << 1 << "TTT...";
    QTest::newRow("deleting across runs") << "TTTT..QQQQ" << 2 << 6 << 0 << "TTQQ";
    QTest::newRow("replacing a run") << "..TTT..." << 2 << 3 << 1 << "......";
    QTest::newRow("deleting before runs") << "....TTJJ" << 0 << 2 << 0 << "..TTJJ";
}

void TestColorCoding::storeFollowsEdits()
{
    QFETCH(QString, before);
    QFETCH(int, pos);
    QFETCH(int, removed);
    QFETCH(int, added);
    QFETCH(QString, after);
    TStyleRunStore store;
    store.Paint(0, int(before.size()), RunsOfPicture(before));
    store.TextChanged(pos, removed, added);
    QCOMPARE(Marks(int(after.size()), store.AllRuns()), after);
}

void TestColorCoding::storePaintsPartialRange()
{
    TStyleRunStore store;
    store.Paint(0, 20, RunsOfPicture(QStringLiteral("TTTT..QQQQ..JJJJ..II")));
    // Colouring [6, 12) anew: the old runs there go, a new tag may reach past the range.
    store.Paint(6, 12, {Run(8, 6, csTables)});
    QCOMPARE(Marks(20, store.AllRuns()), QStringLiteral("TTTT....BBBBBBJJ..II"));
    QCOMPARE(Marks(20, store.RunsIn(5, 15)).mid(5, 10), QStringLiteral("...BBBBBBJ"));
}

// Enough runs for many chunks: edits near the start move all later runs correctly.
void TestColorCoding::storeAcrossManyChunks()
{
    TStyleRunStore store;
    TStyleRuns runs;
    for (int i = 0; i < 5000; ++i)
        runs.push_back(Run(i * 10, 4, csTags));
    store.Paint(0, 50000, runs);
    QCOMPARE(store.RunCount(), 5000);
    store.TextChanged(5, 0, 3);      // between run 0 and run 1
    store.TextChanged(20003, 10, 0); // cuts run 2000 ([20003,20007) after the shift) whole
    const TStyleRuns all = store.AllRuns();
    QCOMPARE(int(all.size()), 4999);
    QCOMPARE(all[1].Start, 13);
    QCOMPARE(all[1999].Start, 19993);
    QCOMPARE(all[2000].Start, 20003);
    QCOMPARE(all.back().Start, 49990 + 3 - 10);
    const TStyleRuns mid = store.RunsIn(30000, 30010);
    QCOMPARE(int(mid.size()), 1);
}

QTEST_GUILESS_MAIN(TestColorCoding)
#include "tst_colorcoding.moc"
