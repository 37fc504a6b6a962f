// Typing figures of the editor control and the speed of the colour-run computation alone.
// See bench_typing.h; bench_editor.cpp calls these sections from its suite.

#include "bench_typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "bench_util.h"
#include "common/textfile.h"
#include "editor/colorcoding.h"
#include "editor/richhtml.h"

namespace bench {

namespace {

const QSize ViewSize(900, 700);

bool ReadPageText(const QString &file, QString &text)
{
    TTextFileFormat format;
    QString error;
    if (!ReadTextFile(file, text, format, error)) {
        Out("    cannot read %s: %s\n", qPrintable(file), qPrintable(error));
        return false;
    }
    return true;
}

void Show(QPlainTextEdit *w)
{
    w->resize(ViewSize);
    w->show();
    (void)QTest::qWaitForWindowExposed(w, 2000);
    w->activateWindow();
    w->setFocus();
    Settle();
}

// Whether the editor's colours over the whole text are those a fresh colouring gives,
// character by character (runs may be cut in different places and still colour alike).
bool ColoursFresh(const TkrRichHTML *w)
{
    const QString text = w->Text();
    const int n = int(text.size());
    const auto marks = [n](const TStyleRuns &runs) {
        std::vector<int> m(size_t(n), -1);
        for (const TStyleRun &r : runs)
            for (int i = std::max(0, r.Start); i < std::min(n, r.End()); ++i)
                m[size_t(i)] = r.Style;
        return m;
    };
    return marks(w->StyleRunsIn(0, n)) == marks(ColorCodeRuns(text, 0, n, ccFull).Runs);
}

} // namespace

// ---- Keys typed while a large page is being coloured ----

namespace {

constexpr int ColouringKeys = 20;
constexpr int ColouringKeyIntervalMs = 25;
constexpr int ColouringLimitMs = 180000;

// Records when a viewport starts a paint.
class TPaintClock : public QObject
{
public:
    TPaintClock(QWidget *target, std::function<void()> onPaint) : m_target(target), m_onPaint(std::move(onPaint))
    {
        target->installEventFilter(this);
    }
    ~TPaintClock() override { m_target->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_target && event->type() == QEvent::Paint)
            m_onPaint();
        return false;
    }

private:
    QWidget *m_target;
    std::function<void()> m_onPaint;
};

} // namespace

void ColouringKeysSection(const QString &page)
{
    QString text;
    if (!ReadPageText(page, text))
        return;
    const int length = int(text.size());
    text = QString();

    auto w = std::make_unique<TkrRichHTML>();
    Show(w.get());

    // Each key is posted as the window system would deliver it, then followed until its
    // character is in the text and a paint of the view has begun after that.
    struct TKey
    {
        double Posted = -1, Arrived = -1, Shown = -1;
        bool DuringColouring = false;
    };
    std::array<TKey, ColouringKeys> keys;
    int posted = 0, arrived = 0, shown = 0;
    bool colouring = false;
    double colouringEnd = -1;
    QElapsedTimer clock;
    clock.start();

    QObject::connect(w.get(), &TkrRichHTML::OnProgressChange, w.get(), [&](TkrRichHTML *, int value) {
        colouring = value < 100;
        if (!colouring)
            colouringEnd = Ms(clock);
    });
    QObject::connect(w.get(), &QPlainTextEdit::textChanged, w.get(), [&] {
        const int typed = std::min(w->TextLength() - length, posted);
        for (; arrived < typed; ++arrived)
            keys[size_t(arrived)].Arrived = Ms(clock);
    });
    auto paints = std::make_unique<TPaintClock>(w->viewport(), [&] {
        for (; shown < arrived; ++shown)
            keys[size_t(shown)].Shown = Ms(clock);
    });

    // The run counts as going on while its progress is below 100 or its caption shows.
    auto running = [&] { return colouring || !w->ProgressCaption().isEmpty(); };

    QTimer typist;
    typist.setInterval(ColouringKeyIntervalMs);
    QObject::connect(&typist, &QTimer::timeout, [&] {
        // The first key goes once the page's text is in the editor.
        if (posted >= ColouringKeys || (posted == 0 && w->TextLength() != length))
            return;
        const QChar ch = QLatin1Char(char('a' + posted));
        const auto key = Qt::Key(Qt::Key_A + posted);
        TKey &k = keys[size_t(posted)];
        k.Posted = Ms(clock);
        k.DuringColouring = running();
        ++posted;
        QCoreApplication::postEvent(w.get(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(ch)));
        QCoreApplication::postEvent(w.get(), new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch)));
    });
    typist.start();

    const bool loaded = w->LoadDocument(page);
    const double loadReturned = Ms(clock);
    while (Ms(clock) < ColouringLimitMs && (shown < ColouringKeys || running()))
        QTest::qWait(5);
    typist.stop();
    const bool stillColouring = running();
    const bool timedOut = shown < ColouringKeys || stillColouring;
    Settle();

    std::vector<double> latencies;
    double worst = 0;
    int during = 0;
    for (const TKey &k : keys) {
        during += k.DuringColouring ? 1 : 0;
        if (k.Shown >= 0) {
            latencies.push_back(k.Shown - k.Posted);
            worst = std::max(worst, k.Shown - k.Posted);
        }
    }
    QString typed;
    for (int i = 0; i < ColouringKeys; ++i)
        typed += QLatin1Char(char('a' + i));
    const bool inOrder = w->TextLength() == length + ColouringKeys && w->Text().contains(typed);
    const bool fresh = !timedOut && ColoursFresh(w.get());
    paints.reset();
    w.reset();
    Settle();

    if (!loaded) {
        Out("    LoadDocument failed\n");
        Record("key while 50M page is coloured (worst of 20)", QStringLiteral("not measured"), "<= 50 ms", false);
        return;
    }
    Out("    LoadDocument returned after %.0f ms; colouring done after %.0f ms\n", loadReturned, colouringEnd);
    Out("    %d keys posted every %d ms from the moment the page's text was in the editor;\n"
        "    %d of them while the colouring still ran\n",
        posted, ColouringKeyIntervalMs, during);
    if (timedOut)
        Out("    stopped after %d s: %d of %d keys shown%s\n", ColouringLimitMs / 1000, shown, ColouringKeys,
            stillColouring ? ", colouring still running" : "");
    const bool met = !timedOut && worst <= 50.0;
    Out("    time until shown (in the text, view painted): median %.0f ms, worst %.0f ms   target worst <= 50 ms   "
        "%s\n",
        Median(latencies), worst, Verdict(met));
    Out("    the %d keys reached the text, in order: %s\n", ColouringKeys, inOrder ? "yes" : "NO");
    Out("    colours after the typing match a fresh colouring: %s\n", fresh ? "yes" : "NO");
    Record("key while 50M page is coloured (worst of 20)", QStringLiteral("%1 ms").arg(worst, 0, 'f', 0),
           "<= 50 ms", met);
}

// ---- A key typed at the end of a page on one long line ----

namespace {

constexpr int OneLineKeys = 9;
constexpr double OneLineKeyLimitMs = 10000;
constexpr double OneLineLoadLimitMs = 120000;
constexpr int OneLineSmall = 200 * 1000;
constexpr int OneLineLarge = 2 * 1000 * 1000;

// Minified HTML: a page on one line, about `chars` characters, the same every time.
QString OneLinePage(int chars)
{
    QString s;
    s.reserve(chars + 64);
    s += QStringLiteral("<HTML><BODY>");
    for (int i = 0; s.size() < chars; ++i)
        s += QStringLiteral("<B>word%1</B> <A HREF=\"p%1.html\">l</A> ").arg(i);
    return s;
}

struct TLineRun
{
    bool Ok = false;          // the child ran to the end and its keys reached the text
    bool Stopped = false;     // a step went past its limit and the child was stopped
    QString Why;
    double LoadMs = 0;
    std::vector<double> Keys; // key + repaint
    std::vector<double> Idle; // key + repaint + what the event loop did after it
};

// Runs one single-line child and reads its report, stopping it when a step takes too long.
TLineRun RunLineChild(bool ours, int chars, bool wrap)
{
    TLineRun r;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("oneline"), ours ? QStringLiteral("ours") : QStringLiteral("bare"), QString::number(chars),
             wrap ? QStringLiteral("wrap") : QStringLiteral("nowrap"), QString::number(OneLineKeys)});
    if (!p.waitForStarted(30000)) {
        r.Why = QStringLiteral("could not start");
        return r;
    }
    double limit = OneLineLoadLimitMs;
    QElapsedTimer step;
    step.start();
    for (;;) {
        while (!p.canReadLine()) {
            const int left = int(limit - Ms(step));
            if (p.state() == QProcess::NotRunning || left <= 0 || !p.waitForReadyRead(std::max(left, 1))) {
                if (p.canReadLine())
                    break;
                if (p.state() != QProcess::NotRunning && Ms(step) >= limit) {
                    p.kill();
                    p.waitForFinished(30000);
                    r.Stopped = true;
                    r.Why = QStringLiteral("over %1 s, stopped").arg(limit / 1000, 0, 'f', 0);
                } else if (r.Why.isEmpty()) {
                    p.waitForFinished(30000);
                    r.Why = QStringLiteral("the child ended early");
                }
                return r;
            }
        }
        const QList<QByteArray> words = p.readLine().simplified().split(' ');
        if (words.value(0) == "ready") {
            r.LoadMs = words.value(1).toDouble();
        } else if (words.value(0) == "key") {
            r.Keys.push_back(words.value(1).toDouble());
            r.Idle.push_back(words.value(1).toDouble() + words.value(2).toDouble());
        } else if (words.value(0) == "done") {
            r.Ok = words.value(1) == "1";
            if (!r.Ok)
                r.Why = QStringLiteral("the typed keys did not reach the end of the text");
            p.waitForFinished(30000);
            return r;
        }
        limit = OneLineKeyLimitMs;
        step.start();
    }
}

double Worst(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

} // namespace

int OneLineChild(const QStringList &args)
{
    if (args.size() != 6)
        return 2;
    const bool ours = args.at(2) == QLatin1String("ours");
    const int chars = args.at(3).toInt();
    const bool wrap = args.at(4) == QLatin1String("wrap");
    const int keys = args.at(5).toInt();
    const QString text = OneLinePage(chars);

    std::unique_ptr<QPlainTextEdit> w;
    QTemporaryDir dir;
    QElapsedTimer t;
    if (ours) {
        const QString file = dir.filePath(QStringLiteral("oneline.html"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(text.toLatin1()) != text.size())
            return 1;
        f.close();
        auto e = std::make_unique<TkrRichHTML>();
        e->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        Show(e.get());
        t.start();
        if (!e->LoadDocument(file))
            return 1;
        w = std::move(e);
    } else {
        {
            TkrRichHTML probe;
            w = std::make_unique<QPlainTextEdit>();
            w->setFont(probe.font());
            w->setTabStopDistance(probe.tabStopDistance());
        }
        w->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        Show(w.get());
        t.start();
        w->setPlainText(text);
    }
    w->moveCursor(QTextCursor::End);
    w->ensureCursorVisible();
    w->viewport()->repaint();
    Out("ready %.1f\n", Ms(t));
    Settle();

    QElapsedTimer spent;
    spent.start();
    int typed = 0;
    for (int i = 0; i < keys; ++i) {
        w->setFocus();
        Settle();
        t.start();
        QTest::keyClick(w.get(), 'x');
        w->viewport()->repaint();
        const double key = Ms(t);
        t.start();
        Settle();
        Out("key %.2f %.2f\n", key, Ms(t));
        ++typed;
        // Slow keys: a few are enough to see it.
        if (typed >= 3 && spent.elapsed() > 15000)
            break;
    }
    const QString expected = QString(typed, QLatin1Char('x'));
    QTextCursor c(w->document());
    c.movePosition(QTextCursor::End);
    c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, typed);
    const QString end = c.selectedText();
    Out("done %d\n", end == expected ? 1 : 0);
    return 0;
}

void OneLineSection()
{
    Out("    page: \"<B>wordN</B> <A HREF=\\\"pN.html\\\">l</A> \" repeated on one line; caret at its end;\n"
        "    each key (x) + repaint timed in a process of its own, %d keys, median; worst = key + repaint\n"
        "    + what the event loop did after it; a step over %.0f s stops the process\n",
        OneLineKeys, OneLineKeyLimitMs / 1000);
    Out("    %-6s %-7s %9s %9s %9s %9s %7s   %-20s %s\n", "wrap", "chars", "load ms", "ours ms", "worst", "bare ms",
        "ratio", "target", "result");
    for (const bool wrap : {true, false}) {
        const char *wrapName = wrap ? "on" : "off";
        double smallMedian = -1;
        for (const int chars : {OneLineSmall, OneLineLarge}) {
            const bool large = chars == OneLineLarge;
            const QByteArray size = Num(chars);
            if (large && smallMedian * (double(OneLineLarge) / OneLineSmall) > OneLineKeyLimitMs) {
                Out("    %-6s %-7s a key at %s characters took %.0f ms: at this size it would take\n"
                    "    %-6s %-7s over %.0f s, stopped before starting\n",
                    wrapName, size.constData(), Num(OneLineSmall).constData(), smallMedian, "", "",
                    OneLineKeyLimitMs / 1000);
                Record(wrap ? "key at end of 2 MB one-line page, wrap on" : "key at end of 2 MB one-line page, wrap off",
                       QStringLiteral("over %1 s").arg(OneLineKeyLimitMs / 1000, 0, 'f', 0),
                       "<= 2 x bare, <= 100 ms", false);
                continue;
            }
            const TLineRun bare = RunLineChild(false, chars, wrap);
            const TLineRun ours = RunLineChild(true, chars, wrap);
            const double o = Median(ours.Keys), b = Median(bare.Keys);
            const double ratio = b > 0 ? o / b : 0;
            const double worst = Worst(ours.Idle);
            const bool complete = ours.Ok && bare.Ok;
            const bool met = complete && ratio <= 2.0 && worst <= 100.0;
            if (!large && !ours.Keys.empty())
                smallMedian = o;
            if (!large && ours.Stopped)
                smallMedian = OneLineKeyLimitMs;
            Out("    %-6s %-7s %9.0f %9.1f %9.1f %9.1f %7.2f   %-20s %s\n", wrapName, size.constData(), ours.LoadMs, o,
                worst, b, ratio, large ? "<= 2.00, <= 100 ms" : "(small first)",
                large ? Verdict(met) : "");
            if (!ours.Ok)
                Out("    %-6s %-7s ours: %s%s\n", "", "", qPrintable(ours.Why),
                    ours.Keys.empty() ? "" : qPrintable(QStringLiteral(" (after %1 keys)").arg(ours.Keys.size())));
            if (!bare.Ok)
                Out("    %-6s %-7s bare: %s\n", "", "", qPrintable(bare.Why));
            if (large)
                Record(wrap ? "key at end of 2 MB one-line page, wrap on" : "key at end of 2 MB one-line page, wrap off",
                       complete ? QStringLiteral("%1 x, worst %2 ms").arg(ratio, 0, 'f', 2).arg(worst, 0, 'f', 0)
                                : ours.Why,
                       "<= 2 x bare, <= 100 ms", met);
        }
    }
}

// ---- The colour-run computation alone ----

namespace {

// Seconds the highlighter takes over a file, its output thrown away; negative when it cannot run.
double HighlighterSeconds(const QString &program, const QString &file)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, {QStringLiteral("-s"), QStringLiteral("HTML"), QStringLiteral("-f"), QStringLiteral("ansi"), file});
    if (!p.waitForStarted(30000) || !p.waitForFinished(300000))
        return -1;
    const double s = Ms(t) / 1000;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? s : -1;
}

} // namespace

void ColourRateSection(const QString &page)
{
    QString text;
    if (!ReadPageText(page, text))
        return;
    const double mb = double(QFileInfo(page).size()) / 1e6;
    std::vector<double> ms;
    size_t runs = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const TColorCodeResult r = ColorCodeRuns(text, 0, int(text.size()), ccFull);
        ms.push_back(Ms(t));
        runs = r.Runs.size();
    }
    const double ours = mb / (Median(ms) / 1000);
    Out("    %-48s %9s %9s\n", "", "ms", "MB/s");
    Out("    %-48s %9.0f %9.1f\n", "ColorCodeRuns, full mode (median of 3)", Median(ms), ours);
    Out("    (%s runs over %.1f MB)\n", Num(qint64(runs)).constData(), mb);

    const QString program = QStandardPaths::findExecutable(QStringLiteral("kate-syntax-highlighter"));
    double theirs = -1;
    if (!program.isEmpty()) {
        // Its start-up (process, syntax definitions) is timed on a tiny page and taken off.
        QTemporaryDir dir;
        const QString tiny = dir.filePath(QStringLiteral("tiny.html"));
        QFile f(tiny);
        if (f.open(QIODevice::WriteOnly) && f.write("<P>x</P>\n") > 0) {
            f.close();
            std::vector<double> start, whole;
            for (int i = 0; i < 3; ++i) {
                start.push_back(HighlighterSeconds(program, tiny));
                whole.push_back(HighlighterSeconds(program, page));
            }
            if (*std::min_element(start.begin(), start.end()) >= 0 && *std::min_element(whole.begin(), whole.end()) >= 0) {
                const double s = Median(whole) - Median(start);
                theirs = s > 0 ? mb / s : -1;
                Out("    %-48s %9.0f %9.1f\n", "kate-syntax-highlighter -s HTML -f ansi (median)", s * 1000, theirs);
                Out("    (its start-up, %.0f ms on a one-line page, is taken off)\n", Median(start) * 1000);
            }
        }
    }
    if (theirs < 0)
        Out("    %-48s not available\n", "kate-syntax-highlighter -s HTML -f ansi");
    else
        Out("    ours / highlighter: %.2f times its rate (for reference; the goals set no target here)\n",
            ours / theirs);
}

} // namespace bench
