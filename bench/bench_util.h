#pragma once

// Small helpers shared by the benchmark sources: report output, medians, and letting the
// event loop settle outside the timers.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline void Out(const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::vfprintf(stdout, fmt, ap);
    va_end(ap);
    std::fflush(stdout);
}

inline QByteArray Num(qint64 n)
{
    return QLocale(QLocale::English).toString(n).toUtf8();
}

inline double Ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline const char *Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// One figure of the closing summary: what was measured, its value, the target, and whether
// the target was met. Sections add theirs as they go; the suite prints them all at the end.
struct TFigure
{
    std::string Name, Value, Target;
    bool Met = false;
    bool Info = false; // a figure without a target, shown for information
};

inline std::vector<TFigure> &Figures()
{
    static std::vector<TFigure> figures;
    return figures;
}

inline void Record(const char *name, const QString &value, const char *target, bool met)
{
    Figures().push_back({name, value.toStdString(), target, met});
}

inline void RecordInfo(const char *name, const QString &value)
{
    Figures().push_back({name, value.toStdString(), "(information)", true, true});
}

// Words per second of `hunspell -l -d en_US` over a text file, as a whole process, printed
// as a row; 0 when hunspell is not installed or fails (said in the row).
inline double HunspellListRate(const QString &textPath, double words)
{
    if (QStandardPaths::findExecutable(QStringLiteral("hunspell")).isEmpty()) {
        Out("    hunspell not installed (scripts/setup-deps --bench); no comparison\n");
        return 0;
    }
    QProcess hunspell;
    hunspell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    hunspell.start(QStringLiteral("hunspell"), {"-l", "-d", "en_US", textPath});
    if (!hunspell.waitForFinished(-1) || hunspell.exitCode() != 0) {
        Out("    hunspell -l -d en_US failed: %s\n", qPrintable(hunspell.errorString()));
        return 0;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double rate = words / seconds;
    Out("    hunspell -l -d en_US (process)  %8.3f s  %12s words/s\n", seconds, Num(qint64(rate)).constData());
    return rate;
}

inline void PrintFigures()
{
    for (const TFigure &f : Figures())
        Out("    %-46s %-22s %-32s %s\n", f.Name.c_str(), f.Value.c_str(), f.Target.c_str(),
            f.Info ? "-" : Verdict(f.Met));
}

// Lets posted events (updates, deferred layout, deletions) run, outside any timer.
inline void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Counts paint events reaching a viewport, to be sure a repaint really painted.
class TPaintCounter : public QObject
{
public:
    explicit TPaintCounter(QWidget *target) : m_target(target) { target->installEventFilter(this); }
    ~TPaintCounter() override { m_target->removeEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_target && event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    QWidget *m_target;
    int m_count = 0;
};

} // namespace bench
