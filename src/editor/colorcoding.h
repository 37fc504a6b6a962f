#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
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

// Colours a range in slices, front to back, with the same result as one ColorCodeRuns over
// the whole range, so a long colouring can be spread over many short steps. The scan keeps
// its own copy of the text from where it may still look; between steps the text may change
// (TextChanged), and whatever the scan had looked at past an edit is looked at again.
class TColorCodeScan
{
public:
    // Colours [start, end] of the document as ColorCodeRuns does; `text` is the document's
    // text from `offset` (at most start) to its end.
    TColorCodeScan(QString text, int offset, int start, int end, TColorCodeMode mode);
    // The text of the document [from, to), asked for as the scan reads on.
    using TTextFetch = std::function<QString(int from, int to)>;
    // The same over a document of `total` characters of which `text` holds those from
    // `offset` on as far as it goes; the rest is fetched a piece at a time as the scan reads
    // on, so a large document is not held twice.
    TColorCodeScan(QString text, int offset, int start, int end, TColorCodeMode mode, int total, TTextFetch fetch);

    bool Done() const { return m_frontier >= RangeEnd(); }
    // Colours before this position are final.
    int Frontier() const { return m_frontier; }
    int Start() const { return m_start; }
    // The end of the range taking the plain style (exclusive).
    int RangeEnd() const { return std::min(m_end + 1, m_total); }
    int TextLength() const { return m_total; }

    // The next step: the colours of at least `length` characters from Frontier() (the last
    // step takes the rest, and tags running on past the range). Paint ResetStart..ResetEnd
    // plain, then the runs.
    TColorCodeResult Next(int length);
    // [pos, pos + removed) of the document became `added`.
    void TextChanged(int pos, int removed, QStringView added) { TextChanged(pos, removed, int(added.size()), added); }
    // The same with the length of the new text given apart: its characters are needed only
    // where NeedsText says so, and may be left out (empty) elsewhere.
    void TextChanged(int pos, int removed, int addedLength, QStringView added);
    // Whether TextChanged needs the added text of an edit at pos (it does not for edits
    // wholly before the part of the text it keeps).
    bool NeedsText(int pos, int removed) const { return pos + removed >= m_offset; }

private:
    // One pass (tags, comments or quotes): it searches from Free on; Carry is a span found
    // before the frontier that reaches past it.
    struct Pass
    {
        int Free = 0;
        bool HasCarry = false;
        TStyleRun Carry;
        int CarryNext = 0;     // where the search goes on after the carried span
        int CarryLooked = 0;   // the text up to here decided the carried span
        int Resume() const { return HasCarry ? Carry.Start : Free; }
    };
    int Find(QChar ch, int from, int to);
    int FindDelimiter(QStringView delim, int from, int to);
    // Fetches more of the document after the part held; false when there is no more.
    bool ReadOn();
    // Appends the spans of one pass that begin before `before`.
    void RunTags(Pass &pass, int before, TStyleRuns &out);
    void RunSpans(Pass &pass, int before, QStringView open, QStringView close, TCodeStyleKind style,
                  TStyleRuns &out);
    void Trim();

    QString m_text;   // the document's text from m_offset on (as far as fetched)
    TTextFetch m_fetch;
    int m_offset = 0;
    int m_total = 0;
    int m_start = 0;
    int m_end = 0;
    TColorCodeMode m_mode = ccFull;
    int m_frontier = 0;
    std::array<Pass, 3> m_passes; // tags, comments, quotes
};
