#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <functional>
#include <vector>

#include "platform/colortypes.h"

// Colour coding of HTML markup as plain data: given a text and a range, which character
// ranges take which style. The editor control shows the result; nothing here needs a widget.

enum TColorCodeMode { ccNone, ccMinimal, ccFull };

// The seven styles, in the order their settings are read and written.
enum TCodeStyleKind : quint8 {
    csTags,
    csJumps,
    csImages,
    csComments,
    csTables,
    csQuotes,
    csScripts,
    csCount
};

// Effects bits of a style.
enum TFontEffect { feBold = 1, feItalic = 2, feUnderline = 4 };

struct TCodeStyle
{
    int Effects = 0;
    TColor Color = 0;
    bool operator==(const TCodeStyle &o) const { return Effects == o.Effects && Color == o.Color; }
};

struct TCodeStyleInfo
{
    const char *Stem;    // settings name stem: stem + "Color", stem + "Effects"
    TColor DefaultColor;
};

// Stems and default colours of the seven styles, indexed by TCodeStyleKind.
const std::array<TCodeStyleInfo, csCount> &CodeStyleInfo();
std::array<TCodeStyle, csCount> DefaultCodeStyles();

// A range of characters in one style. Runs in a list are sorted and do not overlap.
struct TStyleRun
{
    int Start = 0;
    int Length = 0;
    quint8 Style = csTags;
    int End() const { return Start + Length; }
    bool operator==(const TStyleRun &o) const
    {
        return Start == o.Start && Length == o.Length && Style == o.Style;
    }
};
using TStyleRuns = std::vector<TStyleRun>;

// The runs of `base` with `cover` painted over them (cover wins where they overlap).
TStyleRuns PaintRuns(const TStyleRuns &base, const TStyleRuns &cover);
// The runs with [from, to) taken out (runs crossing the edges are cut).
TStyleRuns EraseRange(const TStyleRuns &runs, int from, int to);

// Part of a document's text: Text holds the characters from Offset on. FindBeyond, when
// set, finds a character at or after a position past the window's end (-1 when none);
// without it the window must reach the end of the text.
struct TTextWindow
{
    QStringView Text;
    int Offset = 0;
    int TotalLength = 0;
    std::function<int(QChar ch, int from)> FindBeyond;
};

struct TColorCodeResult
{
    int ResetStart = 0;   // [ResetStart, ResetEnd) takes the plain style first
    int ResetEnd = 0;
    TStyleRuns Runs;      // then these runs; they may reach past ResetEnd (a tag to its ">")
    bool Stopped = false; // stopped by the caller part-way through the tag pass
};

// Ranges longer than this report progress and can be stopped.
constexpr int LongColorCodeRun = 2048;

// Called every 21 tags of a long run with the progress in percent; returns false to stop.
using TColorCodeProgress = std::function<bool(int percent)>;

// Colours [start, end] of the text (end is inclusive: the range given the plain style
// reaches to end + 1). Tags are coloured by kind (Full) or all alike (Minimal); in Full
// mode comment spans and then quoted spans are painted over them.
TColorCodeResult ColorCodeRuns(const TTextWindow &window, int start, int end, TColorCodeMode mode,
                               const TColorCodeProgress &progress = {});
TColorCodeResult ColorCodeRuns(QStringView text, int start, int end, TColorCodeMode mode,
                               const TColorCodeProgress &progress = {});

// The style of one tag's text ("<" through ">") in Full mode.
TCodeStyleKind ClassifyTag(QStringView tagText);
