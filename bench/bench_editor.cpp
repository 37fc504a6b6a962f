// Timing and memory figures for the editor control (TkrRichHTML), each against a bare
// QPlainTextEdit doing the same job in the same run, so that the ratios mean something on a
// noisy machine. This is a measurement, not a test: missing a target does not fail the run.
//
//   bench_editor suite PAGE_1M PAGE_10M PAGE_50M   the whole report (bench/run.sh calls this)
//   bench_editor peak-bare PAGE                     bare load in this process, prints peak memory
//   bench_editor peak-ours PAGE                     editor load in this process, prints peak memory
//   bench_editor peak-idle                          an empty shown editor, prints peak memory
//   bench_editor typing PAGE_10M PAGE_50M           sections (j) to (l) alone
//   bench_editor oneline ours|bare CHARS wrap|nowrap KEYS   keys at the end of a one-line page
//
// The figures of the program as a whole, (g) start-up and (h) the Open command, are in
// bench_shell.cpp; the typing figures and the colour-run computation alone are in
// bench_typing.cpp. The suite ends with a summary of every figure that has a target.
//
// Every timed step ends with a forced repaint of the viewport, so what is measured is what it
// takes until the user sees the result.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/messagebox.h"
#include "bench_shell.h"
#include "bench_typing.h"
#include "bench_util.h"
#include "editor/richhtml.h"
#include "common/textfile.h"
#include "tools/finddialogs.h"
#include "tools/search.h"

namespace {

using namespace bench;

const QSize ViewSize(900, 700);

// Repetitions: small pages are cheap, so more runs give steadier medians there.
constexpr int LoadRuns1M = 11;
constexpr int LoadRuns10M = 5;
constexpr int LoadRuns50M = 2;
constexpr int EditRuns = 15;
constexpr int ReplaceRuns = 3;

// What a bare editor is given so that both paint the same glyphs: our font and tab stops.
QFont g_font;
qreal g_tabStop = 80;

void ShowAndSettle(QPlainTextEdit *w)
{
    w->resize(ViewSize);
    w->show();
    (void)QTest::qWaitForWindowExposed(w, 2000);
    Settle();
}

std::unique_ptr<QPlainTextEdit> NewBare(bool show = true)
{
    auto w = std::make_unique<QPlainTextEdit>();
    w->setFont(g_font);
    w->setTabStopDistance(g_tabStop);
    w->resize(ViewSize);
    if (show)
        ShowAndSettle(w.get());
    return w;
}

std::unique_ptr<TkrRichHTML> NewOurs(bool show = true)
{
    auto w = std::make_unique<TkrRichHTML>();
    w->resize(ViewSize);
    if (show)
        ShowAndSettle(w.get());
    return w;
}

template <class W>
void Discard(std::unique_ptr<W> &w)
{
    w.reset();
    Settle();
}

bool ReadPage(const QString &file, QString &text)
{
    TTextFileFormat format;
    QString error;
    if (!ReadTextFile(file, text, format, error)) {
        Out("cannot read %s: %s\n", qPrintable(file), qPrintable(error));
        return false;
    }
    return true;
}

// Peak and current resident set size of this process, in kB, from /proc/self/status.
void MemoryKb(qint64 &peak, qint64 &current)
{
    peak = current = -1;
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "VmHWM:")
            peak = parts[1].toLongLong();
        else if (parts[0] == "VmRSS:")
            current = parts[1].toLongLong();
    }
}

// ---- (a) Loading ----

struct TLoadFigure
{
    double Ms = 0;
    int Paints = 0;
    bool Ok = true;
};

TLoadFigure LoadBare(const QString &text)
{
    auto w = NewBare();
    TLoadFigure r;
    {
        TPaintCounter paints(w->viewport());
        QElapsedTimer t;
        t.start();
        w->setPlainText(text);
        w->viewport()->repaint();
        r.Ms = Ms(t);
        r.Paints = paints.Count();
    }
    r.Ok = w->document()->characterCount() - 1 == text.size();
    Discard(w);
    return r;
}

TLoadFigure LoadOurs(const QString &file, int expectedLength)
{
    auto w = NewOurs();
    TLoadFigure r;
    bool loaded;
    {
        TPaintCounter paints(w->viewport());
        QElapsedTimer t;
        t.start();
        loaded = w->LoadDocument(file);
        w->viewport()->repaint();
        r.Ms = Ms(t);
        r.Paints = paints.Count();
    }
    r.Ok = loaded && w->TextLength() == expectedLength && !w->StyleRunsIn(0, 200).empty();
    Discard(w);
    return r;
}

void LoadSection(const char *label, const QString &file, int runs)
{
    QString text;
    if (!ReadPage(file, text))
        return;
    std::vector<double> ours, bare;
    bool ok = true, painted = true;
    for (int i = 0; i < runs; ++i) {
        // Alternate the order, so neither side always gets the memory the other just freed.
        for (int k = 0; k < 2; ++k) {
            if ((i + k) % 2 == 0) {
                const TLoadFigure f = LoadBare(text);
                bare.push_back(f.Ms);
                ok = ok && f.Ok;
                painted = painted && f.Paints > 0;
            } else {
                const TLoadFigure f = LoadOurs(file, int(text.size()));
                ours.push_back(f.Ms);
                ok = ok && f.Ok;
                painted = painted && f.Paints > 0;
            }
        }
    }
    const double o = Median(ours), b = Median(bare);
    const double ratio = b > 0 ? o / b : 0;
    const bool met = ok && ratio <= 1.3;
    Out("    %-4s %5d %11.1f %11.1f %8.2f   <= 1.30   %s%s\n", label, runs, o, b, ratio, Verdict(met),
        !ok ? "   (check failed: text or colours missing)"
            : !painted ? "   (no paint event seen)" : "");
    Record(qPrintable(QStringLiteral("load + first paint, %1 page").arg(QLatin1String(label))),
           QStringLiteral("%1 x bare").arg(ratio, 0, 'f', 2), "<= 1.30 x bare", met);
}

// ---- (b), (c), (d) Edits in the middle of a 10M page ----

struct TSpot
{
    int Start = -1;   // a word at the start of a paragraph line past the middle
    int Length = 0;
};

TSpot FindWordNearMiddle(const QString &text)
{
    TSpot s;
    const qsizetype p = text.indexOf(QLatin1String("\n<P>"), text.size() / 2);
    if (p < 0)
        return s;
    s.Start = int(p + 4);
    qsizetype e = s.Start;
    while (e < text.size() && text[e].isLetter())
        ++e;
    s.Length = int(e - s.Start);
    return s;
}

QString Around(const QPlainTextEdit *w, int from, int to)
{
    QTextCursor c(w->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return c.selectedText();
}

// One kind of edit, timed over several runs: the edit with its forced repaint, then what the
// event loop still does afterwards (the time until idle and the paint events it delivers).
struct TEditTimes
{
    std::vector<double> Ms, AfterMs;
    int Paints = 0;
    int LaterPaints = 0;
    double LaterPaintsPerRun() const { return Ms.empty() ? 0 : double(LaterPaints) / double(Ms.size()); }
};

template <class F>
void TimeEdit(QPlainTextEdit *w, TEditTimes &times, F &&edit)
{
    TPaintCounter counter(w->viewport());
    QElapsedTimer t;
    t.start();
    edit();
    w->viewport()->repaint();
    times.Ms.push_back(Ms(t));
    const int painted = counter.Count();
    t.start();
    Settle();
    times.AfterMs.push_back(Ms(t));
    times.Paints += painted;
    times.LaterPaints += counter.Count() - painted;
}

void Row(const char *what, const char *name, const TEditTimes &ours, const TEditTimes &bare, bool ok)
{
    const double ms = Median(ours.Ms), b = Median(bare.Ms);
    const double ratio = b > 0 ? ms / b : 0;
    const bool met = ok && b > 0 && ratio <= 1.5;
    Out("    %-34s %4d %8.2f %7.2f %8.2f %7.2f %6.2f   <= 1.50  %s%s\n", what, int(ours.Ms.size()), ms,
        Median(ours.AfterMs), b, Median(bare.AfterMs), ratio, Verdict(met),
        ours.Paints == 0 ? "   (no paint event seen)" : "");
    Record(name, QStringLiteral("%1 x bare").arg(ratio, 0, 'f', 2), "<= 1.50 x bare", met);
}

void EditSection(const QString &file)
{
    QString text;
    if (!ReadPage(file, text))
        return;
    const TSpot spot = FindWordNearMiddle(text);
    if (spot.Start < 0 || spot.Length == 0) {
        Out("    no paragraph line found past the middle of the page\n");
        return;
    }
    const QString word = text.mid(spot.Start, spot.Length);
    Out("    at character %s of %s (line %s), word \"%s\"\n", Num(spot.Start).constData(),
        Num(text.size()).constData(), Num(text.left(spot.Start).count(u'\n') + 1).constData(),
        qPrintable(word));

    auto ours = NewOurs();
    if (!ours->LoadDocument(file)) {
        Out("    LoadDocument failed: %s\n", qPrintable(ours->LastError()));
        return;
    }
    auto bare = NewBare();
    bare->setPlainText(text);
    Settle();

    const int lo = spot.Start - 40, hi = spot.Start + spot.Length + 40;
    const QString original = Around(ours.get(), lo, hi);
    const QString wrapped = QStringLiteral("<B>") + word + QStringLiteral("</B>");
    QStringList problems;
    auto problem = [&](const QString &p) {
        if (!problems.contains(p))
            problems.append(p);
    };

    // (b) and (c): InsertTags around the selected word, then Undo.
    TEditTimes insert, undo, bareInsert, bareUndo;
    for (int i = 0; i < EditRuns; ++i) {
        ours->Select(spot.Start, spot.Length);
        ours->centerCursor();
        Settle();
        TimeEdit(ours.get(), insert,
                 [&] { ours->InsertTags(QStringLiteral("<B>"), QStringLiteral("</B>"), false); });
        if (Around(ours.get(), spot.Start, spot.Start + int(wrapped.size())) != wrapped)
            problem(QStringLiteral("InsertTags did not wrap the word"));
        const TStyleRuns runs = ours->StyleRunsIn(spot.Start, spot.Start + 3);
        if (runs.empty() || runs.front().Start != spot.Start || runs.front().Length != 3)
            problem(QStringLiteral("the inserted <B> is not coloured as a tag"));
        TimeEdit(ours.get(), undo, [&] { ours->Undo(); });
        if (Around(ours.get(), lo, hi) != original)
            problem(QStringLiteral("Undo did not restore the text"));

        // The same edit on the bare control, for reference.
        QTextCursor c(bare->document());
        c.setPosition(spot.Start);
        c.setPosition(spot.Start + spot.Length, QTextCursor::KeepAnchor);
        bare->setTextCursor(c);
        bare->centerCursor();
        Settle();
        TimeEdit(bare.get(), bareInsert, [&] {
            QTextCursor e(bare->document());
            e.beginEditBlock();
            e.setPosition(spot.Start + spot.Length);
            e.insertText(QStringLiteral("</B>"));
            e.setPosition(spot.Start);
            e.insertText(QStringLiteral("<B>"));
            e.endEditBlock();
        });
        TimeEdit(bare.get(), bareUndo, [&] { bare->undo(); });
    }

    // (d) A typed character and Enter after the word, sent as key events.
    TEditTimes keys, bareKeys;
    const int caret = spot.Start + spot.Length;
    for (int i = 0; i < EditRuns; ++i) {
        ours->Select(caret, 0);
        ours->centerCursor();
        ours->setFocus();
        Settle();
        const int steps = ours->UndoCount();
        TimeEdit(ours.get(), keys, [&] {
            QTest::keyClick(ours.get(), 'x');
            QTest::keyClick(ours.get(), Qt::Key_Return);
        });
        if (ours->TextRange(caret, caret + 2) != QLatin1String("x\n"))
            problem(QStringLiteral("the typed x and Enter did not reach the text"));
        while (ours->UndoCount() > steps)
            ours->Undo();
        Settle();
        if (Around(ours.get(), lo, hi) != original)
            problem(QStringLiteral("undoing the typed keys did not restore the text"));

        QTextCursor c(bare->document());
        c.setPosition(caret);
        bare->setTextCursor(c);
        bare->centerCursor();
        bare->setFocus();
        Settle();
        TimeEdit(bare.get(), bareKeys, [&] {
            QTest::keyClick(bare.get(), 'x');
            QTest::keyClick(bare.get(), Qt::Key_Return);
        });
        for (int k = 0; k < 4 && Around(bare.get(), lo, hi) != original; ++k)
            bare->undo();
        Settle();
    }

    Out("    %-34s %4s %8s %7s %8s %7s %6s   %-8s %s\n", "", "runs", "ours ms", "+after", "bare ms", "+after",
        "ratio", "target", "result");
    const bool ok = problems.isEmpty();
    Row("(b) InsertTags <B>..</B> + repaint", "InsertTags at 10M, with repaint", insert, bareInsert, ok);
    Row("(c) Undo of it + repaint", "Undo at 10M, with repaint", undo, bareUndo, ok);
    Row("(d) key x + Enter + repaint", "key + Enter at 10M, with repaint", keys, bareKeys, ok);
    Out("    bare: the same edit on a QPlainTextEdit with its own undo; ratio = ours ms / bare ms.\n"
        "    +after: what the event loop does once the forced repaint is over (not in the target);\n"
        "    paint events it delivers per edit: ours %.1f / %.1f / %.1f, bare %.1f / %.1f / %.1f\n",
        insert.LaterPaintsPerRun(), undo.LaterPaintsPerRun(), keys.LaterPaintsPerRun(),
        bareInsert.LaterPaintsPerRun(), bareUndo.LaterPaintsPerRun(), bareKeys.LaterPaintsPerRun());
    for (const QString &p : problems)
        Out("    check failed: %s\n", qPrintable(p));
}

// ---- (e) Replace All on a 10M page ----

void ReplaceSection(const QString &file)
{
    QString text;
    if (!ReadPage(file, text))
        return;
    // Words of the page: its vocabulary and its tag and attribute names. Matching ignores case,
    // as ReplaceAll(..., false) does.
    struct TCandidate
    {
        const char *Find;
        const char *Replace;
    };
    static const TCandidate candidates[] = {
        {"TD", "TH"},       {"TABLE", "TBODY"}, {"SCRIPT", "SCRIPTS"}, {"FONT", "SPAN"},
        {"WIDTH", "W"},     {"IMG", "IMAGE"},   {"page", "leaf"},     {"BR", "HR"},
        {"the", "a"},       {"quick", "fast"},  {"brown", "grey"},    {"fox", "cat"},
        {"jumps", "leaps"}, {"over", "past"},   {"lazy", "idle"},     {"dog", "hound"},
        {"editor", "writer"}, {"markup", "tags"}, {"image", "picture"}, {"link", "jump"},
        {"paragraph", "para"}, {"heading", "title"}, {"list", "items"}, {"anchor", "mark"},
        {"frame", "pane"},  {"style", "look"},  {"colour", "color"},
    };
    const TCandidate *best = nullptr;
    qsizetype bestCount = -1;
    for (const TCandidate &c : candidates) {
        const qsizetype n = text.count(QLatin1String(c.Find), Qt::CaseInsensitive);
        if (n > bestCount) {
            bestCount = n;
            best = &c;
        }
    }
    const QString find = QLatin1String(best->Find), replace = QLatin1String(best->Replace);
    Out("    \"%s\" -> \"%s\": %s matches (QString::count, ignoring case)\n", best->Find, best->Replace,
        Num(bestCount).constData());
    if (bestCount < 100000)
        Out("    no word or tag name of the page reaches 100,000 matches at this size; \"%s\" is the\n"
            "    most frequent, so it is used\n",
            best->Find);

    std::vector<double> oursMs, bareMs;
    int reported = -1;
    qsizetype runsBefore = 0, runsAfter = 0;
    const int mid = int(text.size() / 2);
    for (int i = 0; i < ReplaceRuns; ++i) {
        for (int k = 0; k < 2; ++k) {
            if ((i + k) % 2 == 0) {
                auto w = NewBare();
                w->setPlainText(text);
                Settle();
                QString t = text;
                t.detach();
                QElapsedTimer timer;
                timer.start();
                t.replace(find, replace, Qt::CaseInsensitive);
                w->setPlainText(t);
                w->viewport()->repaint();
                bareMs.push_back(Ms(timer));
                t = QString();
                Discard(w);
            } else {
                auto w = NewOurs();
                w->LoadDocument(file);
                Settle();
                runsBefore = qsizetype(w->StyleRunsIn(mid, mid + 4000).size());
                QElapsedTimer timer;
                timer.start();
                reported = w->ReplaceAll(find, replace, false);
                w->viewport()->repaint();
                oursMs.push_back(Ms(timer));
                runsAfter = qsizetype(w->StyleRunsIn(mid, mid + 4000).size());
                Discard(w);
            }
        }
    }
    const double o = Median(oursMs), b = Median(bareMs);
    const double ratio = b > 0 ? o / b : 0;
    Out("    %5s %11s %11s %8s   %-7s %s\n", "runs", "ours ms", "bare ms", "ratio", "target", "result");
    const bool met = reported == bestCount && ratio <= 1.5;
    Out("    %5d %11.1f %11.1f %8.2f   <= 1.50  %s\n", ReplaceRuns, o, b, ratio, Verdict(met));
    Out("    (ours = ReplaceAll + repaint; bare = QString::replace + setPlainText + repaint)\n");
    Record("Replace All at 10M", QStringLiteral("%1 x bare").arg(ratio, 0, 'f', 2), "<= 1.50 x bare", met);
    if (reported != bestCount)
        Out("    check failed: ReplaceAll reported %d replacements, QString::count found %s\n", reported,
            Num(bestCount).constData());
    if (runsAfter * 2 < runsBefore)
        Out("    note: Replace All leaves the text it replaced uncoloured: colour runs in 4,000\n"
            "    characters at the middle of the page: %s before, %s after\n",
            Num(runsBefore).constData(), Num(runsAfter).constData());
}

// ---- (i) Find and Replace through the dialogs' operations ----

void SearchSection(const QString &file)
{
    QString text;
    if (!ReadPage(file, text))
        return;
    // Find Next from the start to a match near the end: the closing HTML tag.
    const QString target = QStringLiteral("</HTML>");
    std::vector<double> findMs;
    int found = -1;
    {
        auto w = NewOurs();
        w->LoadDocument(file);
        Settle();
        for (int i = 0; i < 5; ++i) {
            w->Select(0, 0);
            QElapsedTimer timer;
            timer.start();
            found = FindNextIn(w.get(), target, TSearchOptions());
            w->viewport()->repaint();
            findMs.push_back(Ms(timer));
        }
        Discard(w);
    }
    const double f = Median(findMs);
    Out("    Find Next of \"%s\" from the start: match at %s of %s characters\n", qPrintable(target),
        Num(found).constData(), Num(text.size()).constData());
    Out("    %-42s %8.1f ms   target < 50 ms  %s\n", "Find Next + repaint (median of 5)", f, Verdict(f < 50.0));

    // Replace All as the Replace dialog runs it (one undo step, colours worked out again),
    // against QString::replace + setPlainText.
    const QString find = QStringLiteral("TD"), replace = QStringLiteral("TH");
    std::vector<double> oursMs, bareMs;
    int count = 0;
    bool coloured = false;
    for (int i = 0; i < 3; ++i) {
        {
            auto w = NewBare();
            w->setPlainText(text);
            Settle();
            QString t = text;
            t.detach();
            QElapsedTimer timer;
            timer.start();
            t.replace(find, replace, Qt::CaseInsensitive);
            w->setPlainText(t);
            w->viewport()->repaint();
            bareMs.push_back(Ms(timer));
            Discard(w);
        }
        {
            auto w = NewOurs();
            w->LoadDocument(file);
            Settle();
            const int mid = int(text.size() / 2);
            QElapsedTimer timer;
            timer.start();
            count = ReplaceAllIn(w.get(), find, replace, TSearchOptions());
            w->viewport()->repaint();
            oursMs.push_back(Ms(timer));
            // Colours afterwards are those a fresh colouring of the whole new text gives.
            const QString after = w->Text();
            const TColorCodeResult fresh = ColorCodeRuns(after, 0, int(after.size()), ccFull);
            const TStyleRuns now = w->StyleRunsIn(mid, mid + 4000);
            TStyleRuns expected;
            for (const TStyleRun &r : fresh.Runs) {
                const int a = std::max(r.Start, mid), b = std::min(r.End(), mid + 4000);
                if (a < b)
                    expected.push_back({a, b - a, r.Style});
            }
            coloured = !now.empty() && now == expected;
            Discard(w);
        }
    }
    const double o = Median(oursMs), b = Median(bareMs);
    Out("    Replace All \"%s\" -> \"%s\": %s replacements\n", qPrintable(find), qPrintable(replace),
        Num(count).constData());
    Out("    %5s %11s %11s %8s   %-7s %s\n", "runs", "ours ms", "bare ms", "ratio", "target", "result");
    Out("    %5d %11.1f %11.1f %8.2f   <= 1.50  %s\n", 3, o, b, b > 0 ? o / b : 0.0, Verdict(b > 0 && o / b <= 1.5));
    Out("    colours after Replace All match a fresh colouring: %s\n", coloured ? "yes" : "NO");
}

// ---- (f) Peak memory, in child processes ----

int PeakChild(const QString &mode, const QString &file)
{
    std::unique_ptr<QPlainTextEdit> w;
    if (mode == QLatin1String("peak-bare")) {
        QString text;
        if (!ReadPage(file, text))
            return 1;
        w = NewBare(false);
        w->setPlainText(text);
        text = QString();
    } else if (mode == QLatin1String("peak-ours")) {
        auto e = NewOurs(false);
        if (!e->LoadDocument(file)) {
            Out("LoadDocument failed: %s\n", qPrintable(e->LastError()));
            return 1;
        }
        w = std::move(e);
    } else {
        w = NewOurs(false);
    }
    ShowAndSettle(w.get());
    w->viewport()->repaint();
    Settle();
    qint64 peak, current;
    MemoryKb(peak, current);
    Out("peak-kb %lld rss-kb %lld\n", peak, current);
    return 0;
}

bool RunPeakChild(const QStringList &args, qint64 &peak, qint64 &current)
{
    peak = current = -1;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), args);
    if (!p.waitForStarted(30000) || !p.waitForFinished(600000))
        return false;
    const QList<QByteArray> words = p.readAllStandardOutput().simplified().split(' ');
    for (int i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == "peak-kb")
            peak = words[i + 1].toLongLong();
        else if (words[i] == "rss-kb")
            current = words[i + 1].toLongLong();
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && peak > 0;
}

void PeakSection(const QString &file)
{
    qint64 idlePeak, idleNow, barePeak, bareNow, oursPeak, oursNow;
    const bool idleOk = RunPeakChild({QStringLiteral("peak-idle")}, idlePeak, idleNow);
    const bool bareOk = RunPeakChild({QStringLiteral("peak-bare"), file}, barePeak, bareNow);
    const bool oursOk = RunPeakChild({QStringLiteral("peak-ours"), file}, oursPeak, oursNow);
    if (!bareOk || !oursOk) {
        Out("    a child process failed (bare %s, ours %s)\n", bareOk ? "ok" : "failed",
            oursOk ? "ok" : "failed");
        Record("peak memory at 50M", QStringLiteral("not measured"), "<= 1.20 x bare", false);
        return;
    }
    const double ratio = double(oursPeak) / double(barePeak);
    Out("    %-28s %10s %10s\n", "", "peak MB", "after MB");
    Out("    %-28s %10.1f %10.1f\n", "bare (read, setPlainText)", barePeak / 1024.0, bareNow / 1024.0);
    Out("    %-28s %10.1f %10.1f\n", "ours (LoadDocument)", oursPeak / 1024.0, oursNow / 1024.0);
    Out("    ratio of peaks %.2f   target <= 1.20   %s\n", ratio, Verdict(ratio <= 1.2));
    Record("peak memory at 50M", QStringLiteral("%1 x bare").arg(ratio, 0, 'f', 2), "<= 1.20 x bare", ratio <= 1.2);
    if (idleOk && barePeak > idlePeak)
        Out("    (an empty shown editor peaks at %.1f MB; above that: bare %.1f MB, ours %.1f MB, ratio %.2f)\n",
            idlePeak / 1024.0, (barePeak - idlePeak) / 1024.0, (oursPeak - idlePeak) / 1024.0,
            double(oursPeak - idlePeak) / double(barePeak - idlePeak));
}

// ---- The report ----

void PageLine(const char *label, const QString &file)
{
    QString text;
    if (!ReadPage(file, text))
        return;
    Out("  %-4s %s bytes, %s characters, %s lines\n", label, Num(QFileInfo(file).size()).constData(),
        Num(text.size()).constData(), Num(text.count(u'\n') + 1).constData());
}

int Suite(const QString &page1, const QString &page10, const QString &page50)
{
    QElapsedTimer total;
    total.start();
    Out("Pendwick editor benchmark\n");
    Out("  Qt %s, platform %s, font %s %dpt, view %dx%d\n", qVersion(),
        qPrintable(QGuiApplication::platformName()), qPrintable(QFontInfo(g_font).family()),
        QFontInfo(g_font).pointSize(), ViewSize.width(), ViewSize.height());
    Out("  bare = a plain QPlainTextEdit with the same font and size, measured in the same run\n");
    PageLine("1M", page1);
    PageLine("10M", page10);
    PageLine("50M", page50);

    // Warm up fonts, glyph caches and the allocator once on the small page.
    {
        QString text;
        if (ReadPage(page1, text)) {
            (void)LoadBare(text);
            (void)LoadOurs(page1, int(text.size()));
        }
    }

    Out("\n(a) Load and first paint: ours = LoadDocument(file) with full colour coding + repaint,\n"
        "    bare = setPlainText(text read and decoded beforehand) + repaint; medians\n");
    Out("    %-4s %5s %11s %11s %8s   %-8s %s\n", "page", "runs", "ours ms", "bare ms", "ratio", "target",
        "result");
    LoadSection("1M", page1, LoadRuns1M);
    LoadSection("10M", page10, LoadRuns10M);
    LoadSection("50M", page50, LoadRuns50M);

    Out("\n(b-d) Edits in the middle of the 10M page, each with the repaint that shows it; medians\n");
    EditSection(page10);

    Out("\n(e) Replace All on the 10M page; medians\n");
    ReplaceSection(page10);

    Out("\n(f) Peak memory loading the 50M page, each in a process of its own (VmHWM)\n");
    PeakSection(page50);

    Out("\n(g) Start-up until the main window is shown and painted, offscreen; medians of %d runs\n"
        "    each, alternating, each run in a fresh configuration folder\n",
        StartupRuns);
    StartupSection(QCoreApplication::applicationDirPath());

    Out("\n(h) Open command on the 10M page in the main window; medians of %d runs each, alternating\n",
        OpenRuns);
    OpenSection(page10);

    Out("\n(i) Find and Replace on the 10M page, through the dialogs' operations\n");
    SearchSection(page10);

    Out("\n(j) Keys typed while the 50M page is still being coloured (LoadDocument in a shown editor)\n");
    ColouringKeysSection(page50);

    Out("\n(k) A key typed at the end of a page on one long line, word wrap on and off\n");
    OneLineSection();

    Out("\n(l) The colour-run computation alone over the 10M page, no widget\n");
    ColourRateSection(page10);

    Out("\nSummary: every figure with a target (missed targets do not change the exit status)\n");
    PrintFigures();

    Out("\nDone in %.0f s. Figures are from this run only; compare ratios, not absolute times.\n",
        total.elapsed() / 1000.0);
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: bench_editor suite PAGE_1M PAGE_10M PAGE_50M\n"
                 "       bench_editor peak-bare PAGE | peak-ours PAGE | peak-idle\n"
                 "       bench_editor startup | typing PAGE_10M PAGE_50M\n"
                 "       bench_editor oneline ours|bare CHARS wrap|nowrap KEYS\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Never stop on a message box: say what it was and answer OK.
    SetMessageHook([](TMsgKind, const QString &caption, const QString &text, int) {
        std::fprintf(stderr, "[message] %s: %s\n", qPrintable(caption), qPrintable(text));
        return int(mbOK);
    });
    {
        TkrRichHTML probe;
        g_font = probe.font();
        g_tabStop = probe.tabStopDistance();
    }

    const QStringList args = app.arguments();
    if (args.size() < 2)
        return Usage();
    const QString cmd = args.at(1);
    if (cmd == QLatin1String("suite") && args.size() == 5)
        return Suite(args.at(2), args.at(3), args.at(4));
    if ((cmd == QLatin1String("peak-bare") || cmd == QLatin1String("peak-ours")) && args.size() == 3)
        return PeakChild(cmd, args.at(2));
    if (cmd == QLatin1String("peak-idle") && args.size() == 2)
        return PeakChild(cmd, QString());
    if (cmd == QLatin1String("oneline"))
        return OneLineChild(args);
    if (cmd == QLatin1String("edit") && args.size() == 3) {
        // Sections (b) to (d) alone, on one page.
        EditSection(args.at(2));
        return 0;
    }
    if (cmd == QLatin1String("typing") && args.size() == 4) {
        // Sections (j) to (l) alone, for a quick look at typing and the colour-run speed.
        Out("(j) Keys typed while the 50M page is still being coloured\n");
        ColouringKeysSection(args.at(3));
        Out("\n(k) A key typed at the end of a page on one long line, word wrap on and off\n");
        OneLineSection();
        Out("\n(l) The colour-run computation alone over the 10M page, no widget\n");
        ColourRateSection(args.at(2));
        Out("\n");
        PrintFigures();
        return 0;
    }
    if (cmd == QLatin1String("startup") && args.size() == 2) {
        // Section (g) alone, for a quick look at start-up.
        StartupSection(QCoreApplication::applicationDirPath());
        return 0;
    }
    return Usage();
}
