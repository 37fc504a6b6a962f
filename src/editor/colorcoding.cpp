#include "editor/colorcoding.h"

#include <algorithm>
#include <cmath>

const std::array<TCodeStyleInfo, csCount> &CodeStyleInfo()
{
    static const std::array<TCodeStyleInfo, csCount> info = {{
        {"FontTags", Colors::clNavy},
        {"FontJumps", Colors::clGreen},
        {"FontImages", Colors::clPurple},
        {"FontComments", Colors::clGray},
        {"FontTables", Colors::clTeal},
        {"FontQuotes", Colors::clBlack},
        {"FontScripts", Colors::clMaroon},
    }};
    return info;
}

std::array<TCodeStyle, csCount> DefaultCodeStyles()
{
    std::array<TCodeStyle, csCount> styles;
    for (int i = 0; i < csCount; ++i)
        styles[i] = TCodeStyle{0, CodeStyleInfo()[i].DefaultColor};
    return styles;
}

TStyleRuns EraseRange(const TStyleRuns &runs, int from, int to)
{
    if (from >= to)
        return runs;
    TStyleRuns out;
    out.reserve(runs.size() + 1);
    for (const TStyleRun &r : runs) {
        if (r.End() <= from || r.Start >= to) {
            out.push_back(r);
            continue;
        }
        if (r.Start < from)
            out.push_back({r.Start, from - r.Start, r.Style});
        if (r.End() > to)
            out.push_back({to, r.End() - to, r.Style});
    }
    return out;
}

TStyleRuns PaintRuns(const TStyleRuns &base, const TStyleRuns &cover)
{
    if (cover.empty())
        return base;
    // The pieces of the base runs that no cover run hides...
    TStyleRuns pieces;
    pieces.reserve(base.size() + cover.size());
    size_t j = 0;
    for (const TStyleRun &b : base) {
        while (j < cover.size() && cover[j].End() <= b.Start)
            ++j;
        int pos = b.Start;
        for (size_t k = j; k < cover.size() && cover[k].Start < b.End(); ++k) {
            if (cover[k].Start > pos)
                pieces.push_back({pos, cover[k].Start - pos, b.Style});
            pos = std::max(pos, cover[k].End());
        }
        if (pos < b.End())
            pieces.push_back({pos, b.End() - pos, b.Style});
    }
    // ...merged with the cover runs, in order.
    TStyleRuns out(pieces.size() + cover.size());
    std::merge(pieces.begin(), pieces.end(), cover.begin(), cover.end(), out.begin(),
               [](const TStyleRun &a, const TStyleRun &b) { return a.Start < b.Start; });
    return out;
}

namespace {

inline QChar UpperAscii(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') ? QChar(char16_t(u - 32)) : c;
}

// Searches a character in [from, to) of the window's text (absolute positions).
int FindInWindow(const TTextWindow &w, QChar ch, int from, int to)
{
    const int winEnd = w.Offset + int(w.Text.size());
    to = std::min(to, winEnd);
    if (from >= to)
        return -1;
    const qsizetype i = w.Text.indexOf(ch, from - w.Offset);
    if (i < 0 || i + w.Offset >= to)
        return -1;
    return int(i) + w.Offset;
}

// Searches a delimiter that must lie wholly within [from, to).
int FindDelimiter(const TTextWindow &w, QStringView delim, int from, int to)
{
    const int winEnd = w.Offset + int(w.Text.size());
    to = std::min(to, winEnd);
    if (from >= to)
        return -1;
    // Scan for the first character (a fast single-character search), then compare the rest.
    const qsizetype last = qsizetype(to) - w.Offset - delim.size();
    qsizetype i = from - w.Offset;
    while (i <= last) {
        i = w.Text.indexOf(delim.front(), i);
        if (i < 0 || i > last)
            return -1;
        if (w.Text.mid(i, delim.size()) == delim)
            return int(i) + w.Offset;
        ++i;
    }
    return -1;
}

void SpanPass(const TTextWindow &w, int start, int end, QStringView open, QStringView close,
              TCodeStyleKind style, TStyleRuns &out)
{
    const int total = w.TotalLength;
    const int rangeEnd = std::min(end + 1, total);
    int p = start;
    while (p < rangeEnd) {
        const int s = FindDelimiter(w, open, p, rangeEnd);
        if (s < 0)
            break;
        const int e = FindDelimiter(w, close, s + 1, rangeEnd);
        int spanEnd;
        if (e >= 0)
            spanEnd = e + int(close.size()) + (close.size() > 1 ? 1 : 0);
        else
            spanEnd = end + 1;
        spanEnd = std::min(spanEnd, total);
        if (spanEnd > s)
            out.push_back({s, spanEnd - s, quint8(style)});
        if (spanEnd <= p)
            break;
        p = spanEnd;
    }
}

} // namespace

namespace {

// The tag-name patterns of each class, without their "<"; a pattern matches at any "<"
// within the first ten characters of the tag, as a plain substring test.
struct TTagPatterns
{
    TCodeStyleKind Style;
    std::initializer_list<const char *> Patterns;
};

bool MatchesAt(const char16_t *head, int n, int at, const char *pattern)
{
    for (int k = 0; pattern[k]; ++k)
        if (at + k >= n || head[at + k] != char16_t(pattern[k]))
            return false;
    return true;
}

} // namespace

TCodeStyleKind ClassifyTag(QStringView tagText)
{
    static const TTagPatterns classes[] = {
        {csJumps, {"A ", "/A>"}},
        {csImages, {"IMG"}},
        {csTables, {"TABLE", "TD", "TR", "/TABLE", "/TD", "/TR", "TH", "/TH"}},
        {csScripts, {"SCRIPT", "/SCRIPT", "OBJECT", "/OBJECT", "INSERT", "/INSERT", "PARAM", "STYLE", "/STYLE",
                     "SPAN", "/SPAN"}},
    };
    char16_t head[10];
    const int n = int(std::min<qsizetype>(10, tagText.size()));
    for (int i = 0; i < n; ++i)
        head[i] = UpperAscii(tagText[i]).unicode();
    for (const TTagPatterns &c : classes)
        for (int i = 0; i < n; ++i)
            if (head[i] == u'<')
                for (const char *p : c.Patterns)
                    if (MatchesAt(head, n, i + 1, p))
                        return c.Style;
    return csTags;
}

TColorCodeResult ColorCodeRuns(const TTextWindow &w, int start, int end, TColorCodeMode mode,
                               const TColorCodeProgress &progress)
{
    TColorCodeResult result;
    const int total = w.TotalLength;
    start = std::clamp(start, 0, total);
    end = std::clamp(end, start, total);
    const int limit = end + 1;
    result.ResetStart = start;
    result.ResetEnd = std::min(limit, total);
    if (mode == ccNone || start >= total)
        return result;

    const bool longRun = end - start > LongColorCodeRun;
    const int searchEnd = std::min(limit, total);

    // Tag pass: every "<" in the range through its ">".
    TStyleRuns tags;
    int counter = 0;
    int p = start;
    while (p <= limit && p < total) {
        const int lt = FindInWindow(w, u'<', p, searchEnd);
        if (lt < 0)
            break;
        int gt = FindInWindow(w, u'>', lt + 1, searchEnd);
        if (gt < 0) {
            // The tag may end after the range: look on to the end of the whole text.
            const int winEnd = w.Offset + int(w.Text.size());
            gt = FindInWindow(w, u'>', std::max(lt + 1, searchEnd), total);
            if (gt < 0 && winEnd < total && w.FindBeyond)
                gt = w.FindBeyond(u'>', std::max(lt + 1, winEnd));
            if (gt < 0)
                gt = limit;
        }
        const int tagEnd = std::min(gt + 1, total);
        TCodeStyleKind style = csTags;
        if (mode == ccFull) {
            const int headLen = std::min(10, tagEnd - lt);
            const int winEnd = w.Offset + int(w.Text.size());
            style = ClassifyTag(w.Text.mid(lt - w.Offset, std::min(headLen, winEnd - lt)));
        }
        tags.push_back({lt, tagEnd - lt, quint8(style)});
        p = gt + 1;
        if (longRun && progress && ++counter > 20) {
            counter = 0;
            const int percent = int(std::lround(double(p) / double(limit) * 100.0));
            if (!progress(std::clamp(percent, 0, 100))) {
                result.Runs = std::move(tags);
                result.Stopped = true;
                return result;
            }
        }
    }

    if (mode != ccFull) {
        result.Runs = std::move(tags);
        return result;
    }

    // Comments, then quotes, painted over the tags.
    TStyleRuns comments, quotes;
    SpanPass(w, start, end, u"<!-", u"->", csComments, comments);
    SpanPass(w, start, end, u"\"", u"\"", csQuotes, quotes);
    result.Runs = PaintRuns(PaintRuns(tags, comments), quotes);
    return result;
}

TColorCodeResult ColorCodeRuns(QStringView text, int start, int end, TColorCodeMode mode,
                               const TColorCodeProgress &progress)
{
    TTextWindow w;
    w.Text = text;
    w.Offset = 0;
    w.TotalLength = int(text.size());
    return ColorCodeRuns(w, start, end, mode, progress);
}
