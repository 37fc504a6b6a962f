#pragma once

#include <QString>
#include <QStringList>

// Typing figures of the editor control, printed by `bench_editor suite` after the figures of
// bench_editor.cpp, and the speed of the colour-run computation on its own:
//   keys typed while a large page is still being coloured (the worst time until shown),
//   a key typed at the end of a page on one long line (in child processes, each key capped),
//   ColorCodeRuns over a whole page against an outside command-line highlighter.
namespace bench {

void ColouringKeysSection(const QString &page);
void OneLineSection();
void ColourRateSection(const QString &page);

// `bench_editor oneline ours|bare CHARS wrap|nowrap KEYS`: one single-line run in this process,
// reported line by line on stdout for OneLineSection, which reads it with a time limit.
int OneLineChild(const QStringList &args);

} // namespace bench
