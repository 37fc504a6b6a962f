#pragma once

#include <QString>

// The figures of the program as a whole, printed by `bench_editor suite` after the editor's
// own: start-up time (bench_startup and bench_minimal, each started as a process of its
// own, found beside bench_editor) and the Open command of the main window.
namespace bench {

// Runs of each kind; both sections alternate the kinds within a run.
constexpr int StartupRuns = 9;
constexpr int OpenRuns = 5;

void StartupSection(const QString &binDir);
void OpenSection(const QString &page);

} // namespace bench
