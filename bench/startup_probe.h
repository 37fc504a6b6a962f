#pragma once

// The watcher the start-up probes (bench_startup, bench_minimal) share. It ends the process
// as soon as the watched top-level window has been exposed and has painted its first frame,
// and prints on stdout when each step of the start was reached:
//
//   main=US app=US ... painted=US
//
// US are microseconds since the moment the benchmark started the process, which it hands
// over in PENDWICK_BENCH_T0 (CLOCK_MONOTONIC nanoseconds, the same clock in every process).
// Without that variable the times count from the probe's own main().
//
// "Exposed and painted" is seen from outside the window's code: the application-wide event
// filter takes the Expose event of the window (or an UpdateRequest of its widget), delivers
// it itself, and when paint events reached the window's widgets during that delivery, the
// frame has been painted and flushed to the backing store: the process ends there.

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <unistd.h>

namespace bench {

class TFirstFrameProbe : public QObject
{
public:
    using TIsTarget = std::function<bool(QWidget *topLevel)>;

    // Call first thing in main(): a probe that never sees its frame (a box waiting for an
    // answer, a window that never shows) must not hang the benchmark.
    static void Begin()
    {
        alarm(60);
        Mark("main");
    }

    // Installs the watcher on the application; isTarget tells the window to wait for.
    explicit TFirstFrameProbe(TIsTarget isTarget) : m_isTarget(std::move(isTarget))
    {
        qApp->installEventFilter(this);
    }

    static void Mark(const char *step)
    {
        Marks() += std::string(Marks().empty() ? "" : " ") + step + '=' + std::to_string(SinceStartUs());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            if (m_delivering && watched->isWidgetType() && IsTarget(static_cast<QWidget *>(watched)->window()))
                ++m_paints;
            return false;
        case QEvent::Show:
            if (!m_shown && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()
                && IsTarget(static_cast<QWidget *>(watched))) {
                m_shown = true;
                Mark("shown");
            }
            return false;
        case QEvent::Expose:
            if (!m_delivering && watched->isWindowType() && IsTarget(WidgetOf(static_cast<QWindow *>(watched))))
                return Deliver(watched, event);
            return false;
        case QEvent::UpdateRequest:
            if (!m_delivering && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()
                && IsTarget(static_cast<QWidget *>(watched)))
                return Deliver(watched, event);
            return false;
        default:
            return false;
        }
    }

private:
    static std::string &Marks()
    {
        static std::string marks;
        return marks;
    }

    static long long NowNs()
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return ts.tv_sec * 1000000000LL + ts.tv_nsec;
    }

    static long long SinceStartUs()
    {
        static const long long start = [] {
            const char *t0 = std::getenv("PENDWICK_BENCH_T0");
            return t0 && *t0 ? std::atoll(t0) : NowNs();
        }();
        return (NowNs() - start) / 1000;
    }

    static QWidget *WidgetOf(QWindow *window)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window)
                return w;
        return nullptr;
    }

    bool IsTarget(QWidget *topLevel) const { return topLevel && m_isTarget(topLevel); }

    // Delivers the event now, as the application would have right after this filter, and
    // ends the process when the window painted during it. The event has been delivered
    // either way, so the original delivery stops here.
    bool Deliver(QObject *watched, QEvent *event)
    {
        m_delivering = true;
        const int before = m_paints;
        qApp->notify(watched, event);
        m_delivering = false;
        if (m_paints > before) {
            Mark("painted");
            std::printf("%s\n", Marks().c_str());
            std::fflush(stdout);
            // Nothing of the program runs past its first frame: no teardown either.
            std::_Exit(0);
        }
        return true;
    }

    TIsTarget m_isTarget;
    bool m_delivering = false;
    bool m_shown = false;
    int m_paints = 0;
};

} // namespace bench
