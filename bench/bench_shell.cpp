// Figures of the program as a whole, against the least Qt itself does for the same:
//
//   (g) start-up: the time from starting the process until the main window is shown and has
//       painted its first frame, for the program's own entry (bench_startup) with the splash
//       window on and off, against one empty QMainWindow (bench_minimal);
//   (h) the Open command on the 10M page in the main window, against setPlainText on a bare
//       QPlainTextEdit of the same font and size.

#include "bench_shell.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <vector>

#include "app/htmltab.h"
#include "app/mainwindow.h"
#include "platform/messagebox.h"
#include "app/messagedialog.h"
#include "app/shellsettings.h"
#include "bench_util.h"
#include "editor/richhtml.h"
#include "common/textfile.h"
#include "platform/configstore.h"

extern char **environ;

namespace bench {
namespace {

// ---- (g) Start-up ----

// The steps the probes mark (startup_probe.h), in the order they happen.
const char *const StartupSteps[] = {"main", "app", "splash", "main-window", "shown", "painted"};

struct TStartupVariant
{
    const char *Label;
    QString Program;
    bool SplashOff = false;  // "ShowSplash" "0" written to the run's configuration first
    bool SplashExpected = false;
    std::vector<double> WallMs;
    std::map<std::string, std::vector<double>> StepMs;
    int Failures = 0;
    QString FirstFailure;
    bool SplashWrong = false; // the splash showed, or did not, against the setting
};

long long NowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// Sets PENDWICK_CONFIG for this process while it lives, so ConfigStore writes that file.
class TConfigFileScope
{
public:
    explicit TConfigFileScope(const QString &file)
        : m_had(qEnvironmentVariableIsSet("PENDWICK_CONFIG")), m_old(qgetenv("PENDWICK_CONFIG"))
    {
        qputenv("PENDWICK_CONFIG", QFile::encodeName(file));
    }
    ~TConfigFileScope()
    {
        if (m_had)
            qputenv("PENDWICK_CONFIG", m_old);
        else
            qunsetenv("PENDWICK_CONFIG");
    }

private:
    bool m_had;
    QByteArray m_old;
};

// Writes "ShowSplash" "0" under the program's key, through the store the program reads.
bool WriteSplashOff(const QString &configFile)
{
    TConfigFileScope scope(configFile);
    return ConfigStore::Write(AppKey(), QStringLiteral("ShowSplash"), QStringLiteral("0")) && !ShowSplashSetting();
}

struct TSpawned
{
    bool Ok = false;
    double WallMs = 0;
    QByteArray Out;
    QString Why;
};

// Starts the program with no arguments in its own configuration folder, with stdout and
// stderr going to files there, and waits for it. The wall time runs from just before the
// spawn to the moment its exit is reaped.
TSpawned SpawnTimed(const QString &program, const QString &runDir)
{
    TSpawned r;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PENDWICK_CONFIG"), runDir + QStringLiteral("/registry.ini"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), runDir + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("PENDWICK_BENCH_T0"));
    std::vector<std::string> strings;
    for (const QString &kv : env.toStringList())
        strings.push_back(kv.toStdString());
    // The start time is filled in at the last moment, into room kept for it.
    strings.push_back("PENDWICK_BENCH_T0=" + std::string(20, ' '));
    std::string &t0Entry = strings.back();
    std::vector<char *> envp;
    for (std::string &s : strings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    const std::string prog = QFile::encodeName(program).toStdString();
    const std::string out = QFile::encodeName(runDir + QStringLiteral("/stdout.txt")).toStdString();
    const std::string err = QFile::encodeName(runDir + QStringLiteral("/stderr.txt")).toStdString();
    char *argv[] = {const_cast<char *>(prog.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    const long long t0 = NowNs();
    std::snprintf(t0Entry.data() + 18, 21, "%lld", t0);
    t0Entry.resize(std::strlen(t0Entry.c_str()));
    envp[strings.size() - 1] = t0Entry.data();
    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, prog.c_str(), &actions, nullptr, argv, envp.data());
    int status = 0;
    pid_t reaped = -1;
    if (spawnError == 0) {
        do
            reaped = waitpid(pid, &status, 0);
        while (reaped < 0 && errno == EINTR);
    }
    const long long t1 = NowNs();
    posix_spawn_file_actions_destroy(&actions);

    if (spawnError != 0) {
        r.Why = QStringLiteral("cannot start: %1").arg(QString::fromLocal8Bit(std::strerror(spawnError)));
        return r;
    }
    r.WallMs = double(t1 - t0) / 1e6;
    QFile o(runDir + QStringLiteral("/stdout.txt"));
    if (o.open(QIODevice::ReadOnly))
        r.Out = o.readAll().trimmed();
    if (reaped != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        QFile e(runDir + QStringLiteral("/stderr.txt"));
        const QByteArray errText = e.open(QIODevice::ReadOnly) ? e.readAll().trimmed().right(300) : QByteArray();
        r.Why = WIFSIGNALED(status) ? QStringLiteral("ended by signal %1").arg(WTERMSIG(status))
                                    : QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
        if (!errText.isEmpty())
            r.Why += QStringLiteral(": ") + QString::fromLocal8Bit(errText).simplified();
        return r;
    }
    if (!r.Out.contains("painted=")) {
        r.Why = QStringLiteral("ended without reporting its first frame");
        return r;
    }
    r.Ok = true;
    return r;
}

void RunStartup(TStartupVariant &v, const QString &runDir, bool record)
{
    QDir().mkpath(runDir);
    if (v.SplashOff && !WriteSplashOff(runDir + QStringLiteral("/registry.ini"))) {
        ++v.Failures;
        if (v.FirstFailure.isEmpty())
            v.FirstFailure = QStringLiteral("cannot write ShowSplash to the configuration");
        return;
    }
    const TSpawned s = SpawnTimed(v.Program, runDir);
    if (!s.Ok) {
        ++v.Failures;
        if (v.FirstFailure.isEmpty())
            v.FirstFailure = s.Why;
        return;
    }
    std::map<std::string, double> steps;
    for (const QByteArray &word : s.Out.split(' ')) {
        const int eq = word.indexOf('=');
        if (eq > 0)
            steps[word.left(eq).toStdString()] = word.mid(eq + 1).toDouble() / 1000.0;
    }
    if ((steps.count("splash") != 0) != v.SplashExpected)
        v.SplashWrong = true;
    if (!record)
        return;
    v.WallMs.push_back(s.WallMs);
    for (const auto &[name, ms] : steps)
        v.StepMs[name].push_back(ms);
}

QString StepCell(const TStartupVariant &v, const char *step)
{
    const auto it = v.StepMs.find(step);
    if (it == v.StepMs.end() || it->second.empty())
        return QStringLiteral("-");
    return QString::number(Median(it->second), 'f', 1);
}

// ---- (h) Open command ----

// Counts paint events reaching the viewport of any editor (the editor Open creates does not
// exist before the timer starts).
class TEditorPaints : public QObject
{
public:
    TEditorPaints() { qApp->installEventFilter(this); }
    ~TEditorPaints() override { qApp->removeEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->parent()) {
            auto *editor = qobject_cast<TkrRichHTML *>(watched->parent());
            if (editor && editor->viewport() == watched)
                ++m_count;
        }
        return false;
    }

private:
    int m_count = 0;
};

struct TOpenFigure
{
    double Ms = 0;
    bool Ok = true;
    bool Painted = true;
};

TOpenFigure OpenOurs(TfMain &w, const QString &file, qsizetype expectedLength)
{
    TOpenFigure r;
    bool opened;
    TkrRichHTML *e;
    {
        TEditorPaints paints;
        QElapsedTimer t;
        t.start();
        opened = w.OpenDocument(file);
        e = w.ActiveEditor();
        e->viewport()->repaint();
        r.Ms = Ms(t);
        r.Painted = paints.Count() > 0;
    }
    r.Ok = opened && e->Filename() == QFileInfo(file).absoluteFilePath() && e->TextLength() == expectedLength
           && !e->StyleRunsIn(0, 200).empty();
    return r;
}

// Closes every document (only the one just opened), as Close All with nothing to save.
bool CloseOurs(TfMain &w)
{
    w.ActiveEditor()->SetModified(false);
    const bool closed = w.CloseAll();
    Settle();
    return closed && w.HTMLTab()->DocumentCount() == 1 && w.ActiveEditor()->TextLength() == 0;
}

struct TBareLook
{
    QFont Font;
    qreal TabStop = 80;
    QPlainTextEdit::LineWrapMode Wrap = QPlainTextEdit::WidgetWidth;
    QSize Size;
};

TOpenFigure OpenBare(const TBareLook &look, const QString &text)
{
    auto w = std::make_unique<QPlainTextEdit>();
    w->setFrameShape(QFrame::NoFrame); // as the tab set's editors
    w->setFont(look.Font);
    w->setTabStopDistance(look.TabStop);
    w->setLineWrapMode(look.Wrap);
    w->resize(look.Size);
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get(), 2000);
    Settle();
    TOpenFigure r;
    {
        TPaintCounter paints(w->viewport());
        QElapsedTimer t;
        t.start();
        w->setPlainText(text);
        w->viewport()->repaint();
        r.Ms = Ms(t);
        r.Painted = paints.Count() > 0;
    }
    r.Ok = w->document()->characterCount() - 1 == text.size();
    w.reset();
    Settle();
    return r;
}

// The tab set's own AddDocument, without the rest of the Open command, for the breakdown.
double AddOurs(TfMain &w, const QString &file, bool wordWrap, bool &ok)
{
    QElapsedTimer t;
    t.start();
    const bool added = w.HTMLTab()->AddDocument(QFileInfo(file).absoluteFilePath(), ccFull, wordWrap);
    w.ActiveEditor()->viewport()->repaint();
    const double ms = Ms(t);
    ok = added && !w.ActiveEditor()->StyleRunsIn(0, 200).empty();
    return ms;
}

// Keeps the offscreen platform's notes on what it cannot do out of the report.
class TQuietPlatform
{
public:
    TQuietPlatform() { s_previous = qInstallMessageHandler(&Handler); }
    ~TQuietPlatform() { qInstallMessageHandler(s_previous); }

private:
    static void Handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
            return;
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace

void StartupSection(const QString &binDir)
{
    std::vector<TStartupVariant> variants(3);
    variants[0].Label = "minimal: one empty QMainWindow";
    variants[0].Program = binDir + QStringLiteral("/bench_minimal");
    variants[1].Label = "pendwick, splash on (default)";
    variants[1].Program = binDir + QStringLiteral("/bench_startup");
    variants[1].SplashExpected = true;
    variants[2].Label = "pendwick, \"ShowSplash\" \"0\"";
    variants[2].Program = binDir + QStringLiteral("/bench_startup");
    variants[2].SplashOff = true;
    for (const TStartupVariant &v : variants) {
        if (!QFileInfo(v.Program).isExecutable()) {
            Out("    %s not found beside bench_editor: not measured\n", qPrintable(QFileInfo(v.Program).fileName()));
            return;
        }
    }
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/pendwick-startup.XXXXXX"));
    if (!work.isValid()) {
        Out("    cannot create a temporary folder: not measured\n");
        return;
    }
    int n = 0;
    auto runDir = [&] { return work.path() + QStringLiteral("/run-%1").arg(++n, 3, 10, QLatin1Char('0')); };
    // Once each untimed, so that all start with the program files and libraries in memory.
    for (TStartupVariant &v : variants)
        RunStartup(v, runDir(), false);
    for (int i = 0; i < StartupRuns; ++i)
        for (int k = 0; k < 3; ++k)
            RunStartup(variants[size_t((i + k) % 3)], runDir(), true);

    const double minimal = Median(variants[0].WallMs);
    Out("    %-34s %4s %9s %8s   %-8s %s\n", "program", "runs", "wall ms", "ratio", "target", "result");
    for (const TStartupVariant &v : variants) {
        const double ms = Median(v.WallMs);
        if (v.WallMs.empty()) {
            Out("    %-34s %4d %9s\n", v.Label, 0, "-");
        } else if (&v == &variants[0]) {
            Out("    %-34s %4d %9.1f\n", v.Label, int(v.WallMs.size()), ms);
        } else {
            const double ratio = minimal > 0 ? ms / minimal : 0;
            Out("    %-34s %4d %9.1f %8.2f   <= 2.00   %s\n", v.Label, int(v.WallMs.size()), ms, ratio,
                Verdict(minimal > 0 && ratio <= 2.0));
        }
    }
    Out("    (wall = from spawning the process until its exit is reaped; each run ends itself right\n"
        "    after the main window's first frame; pendwick = src/app/main.cpp's steps in bench_startup)\n");
    Out("    where the time goes, ms from spawn (medians):\n");
    Out("    %-34s %7s %7s %7s %7s %7s %7s\n", "", "main()", "QApp", "splash", "window", "shown", "painted");
    for (const TStartupVariant &v : variants) {
        Out("    %-34s", v.Label);
        for (const char *step : StartupSteps)
            Out(" %7s", qPrintable(StepCell(v, step)));
        Out("\n");
    }
    Out("    (main(): entered, after loading and static initialisation; QApp: application object\n"
        "    made; splash: splash window painted; window: main window about to be created;\n"
        "    shown: its show event; painted: its first frame done. The minimal window shows no text,\n"
        "    so it never loads a font; pendwick's menus, toolbar and status bar do)\n");
    for (const TStartupVariant &v : variants) {
        if (v.Failures)
            Out("    check failed: %s: %d of %d runs failed, first: %s\n", v.Label, v.Failures, StartupRuns + 1,
                qPrintable(v.FirstFailure));
        if (v.SplashWrong)
            Out("    check failed: %s: the splash window %s\n", v.Label,
                v.SplashExpected ? "did not show" : "showed although switched off");
    }
}

void OpenSection(const QString &page)
{
    QString text;
    TTextFileFormat format;
    QString error;
    if (!ReadTextFile(page, text, format, error)) {
        Out("    cannot read %s: %s\n", qPrintable(page), qPrintable(error));
        return;
    }
    QTemporaryDir config(QDir::tempPath() + QStringLiteral("/pendwick-open.XXXXXX"));
    if (!config.isValid()) {
        Out("    cannot create a temporary folder: not measured\n");
        return;
    }
    TConfigFileScope scope(config.path() + QStringLiteral("/registry.ini"));
    TQuietPlatform quiet;
    // Never stop on a one-time notice: say which it was and answer OK.
    SetNoticeHook([](int n, bool &) {
        std::fprintf(stderr, "[notice] %d\n", n);
        return int(mbOK);
    });
    std::vector<double> ours, bare, add;
    bool ok = true, painted = true, closed = true, addOk = true;
    TBareLook look;
    {
        auto w = std::make_unique<TfMain>();
        (void)QTest::qWaitForWindowExposed(w.get(), 2000);
        Settle();
        // A first open, untimed: warms up and tells the font and size a bare editor is given.
        {
            const TOpenFigure f = OpenOurs(*w, page, text.size());
            ok = ok && f.Ok;
            TkrRichHTML *e = w->ActiveEditor();
            look.Font = e->font();
            look.TabStop = e->tabStopDistance();
            look.Wrap = e->lineWrapMode();
            look.Size = e->size();
            closed = closed && CloseOurs(*w);
            (void)OpenBare(look, text);
        }
        // Three kinds in turn: bare, the Open command, and for the breakdown the tab set's
        // AddDocument on its own (the editor's part of the command).
        for (int i = 0; i < OpenRuns; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int kind = (i + k) % 3;
                if (kind == 0) {
                    const TOpenFigure f = OpenBare(look, text);
                    bare.push_back(f.Ms);
                    ok = ok && f.Ok;
                    painted = painted && f.Painted;
                } else if (kind == 1) {
                    const TOpenFigure f = OpenOurs(*w, page, text.size());
                    ours.push_back(f.Ms);
                    ok = ok && f.Ok;
                    painted = painted && f.Painted;
                    closed = closed && CloseOurs(*w);
                } else {
                    bool added = false;
                    add.push_back(AddOurs(*w, page, look.Wrap != QPlainTextEdit::NoWrap, added));
                    addOk = addOk && added;
                    closed = closed && CloseOurs(*w);
                }
            }
        }
        w.reset();
        Settle();
    }
    SetNoticeHook({});

    const double o = Median(ours), b = Median(bare);
    const double ratio = b > 0 ? o / b : 0;
    Out("    editor %dx%d, font %s %dpt, %s; bare given the same\n", look.Size.width(), look.Size.height(),
        qPrintable(QFontInfo(look.Font).family()), QFontInfo(look.Font).pointSize(),
        look.Wrap == QPlainTextEdit::NoWrap ? "no wrap" : "word wrap");
    Out("    %5s %11s %11s %8s   %-8s %s\n", "runs", "ours ms", "bare ms", "ratio", "target", "result");
    Out("    %5d %11.1f %11.1f %8.2f   <= 1.50   %s%s\n", OpenRuns, o, b, ratio, Verdict(ratio <= 1.5),
        !ok ? "   (check failed: text, file name or colours missing)"
            : !painted ? "   (no paint event seen)" : "");
    Out("    (ours = TfMain::OpenDocument(file) + repaint of the editor's viewport; bare =\n"
        "    setPlainText(text read and decoded beforehand) + repaint; Close All between runs)\n");
    const double a = Median(add);
    auto halfRange = [](const std::vector<double> &v) {
        if (v.empty())
            return 0.0;
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        return (*hi - *lo) / 2;
    };
    Out("    breakdown: TkrHTMLTab::AddDocument(file) + repaint alone %.1f ms (ratio %.2f); the rest of\n"
        "    the command (tab change, menus, recent files, caption, status bar) adds %+.1f ms, where\n"
        "    the runs of the two alone spread over +-%.1f ms\n",
        a, b > 0 ? a / b : 0, o - a, halfRange(ours) + halfRange(add));
    if (!addOk)
        Out("    check failed: AddDocument did not load the page with its colours\n");
    if (!closed)
        Out("    check failed: Close All did not leave one empty document\n");
}

} // namespace bench
