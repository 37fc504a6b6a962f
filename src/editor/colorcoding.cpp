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

// ---- Colouring in slices ----

TColorCodeScan::TColorCodeScan(QString text, int offset, int start, int end, TColorCodeMode mode)
    : m_text(std::move(text)), m_offset(offset), m_total(offset + int(m_text.size())), m_mode(mode)
{
    m_start = std::clamp(start, offset, m_total);
    m_end = std::clamp(end, m_start, m_total);
    m_frontier = m_start;
    for (Pass &p : m_passes)
        p.Free = m_start;
    if (mode == ccNone || m_start >= m_total)
        m_frontier = RangeEnd();
}

TColorCodeScan::TColorCodeScan(QString text, int offset, int start, int end, TColorCodeMode mode, int total,
                               TTextFetch fetch)
    : TColorCodeScan(std::move(text), offset, start, end, mode)
{
    m_fetch = std::move(fetch);
    m_total = std::max(m_total, total);
    m_start = std::clamp(start, offset, m_total);
    m_end = std::clamp(end, m_start, m_total);
    m_frontier = m_start;
    for (Pass &p : m_passes)
        p.Free = m_start;
    m_frontier = (mode == ccNone || m_start >= m_total) ? RangeEnd() : m_start;
}

bool TColorCodeScan::ReadOn()
{
    constexpr int Piece = 1 << 20;
    const int held = m_offset + int(m_text.size());
    if (!m_fetch || held >= m_total)
        return false;
    m_text += m_fetch(held, int(std::min<qint64>(m_total, qint64(held) + Piece)));
    return m_offset + int(m_text.size()) > held;
}

int TColorCodeScan::Find(QChar ch, int from, int to)
{
    for (;;) {
        const int held = m_offset + int(m_text.size());
        const int upTo = std::min(to, held);
        if (from < upTo) {
            const qsizetype i = QStringView(m_text).indexOf(ch, from - m_offset);
            if (i >= 0 && i + m_offset < upTo)
                return int(i) + m_offset;
            from = upTo;
        }
        if (upTo >= to || !ReadOn())
            return -1;
    }
}

int TColorCodeScan::FindDelimiter(QStringView delim, int from, int to)
{
    for (;;) {
        const int held = m_offset + int(m_text.size());
        const int upTo = std::min(to, held);
        const qsizetype last = qsizetype(upTo) - m_offset - delim.size();
        for (qsizetype i = from - m_offset; i <= last; ++i) {
            i = QStringView(m_text).indexOf(delim.front(), i);
            if (i < 0 || i > last)
                break;
            if (QStringView(m_text).mid(i, delim.size()) == delim)
                return int(i) + m_offset;
        }
        // A delimiter may straddle the end of the part held.
        from = std::max(from, upTo - int(delim.size()) + 1);
        if (upTo >= to || !ReadOn())
            return -1;
    }
}

void TColorCodeScan::RunTags(Pass &pass, int before, TStyleRuns &out)
{
    const int limit = m_end + 1;
    const int searchEnd = std::min(limit, m_total);
    const int findEnd = std::min(before, searchEnd);
    int p = pass.Free;
    while (p <= limit && p < m_total) {
        const int lt = Find(u'<', p, findEnd);
        if (lt < 0) {
            p = std::max(p, findEnd);
            break;
        }
        // A tag may end past the range: its ">" is looked for to the end of the text.
        int gt = Find(u'>', lt + 1, m_total);
        pass.CarryLooked = gt < 0 ? m_total : gt + 1;
        if (gt < 0)
            gt = limit;
        const int tagEnd = std::min(gt + 1, m_total);
        TCodeStyleKind style = csTags;
        if (m_mode == ccFull)
            style = ClassifyTag(QStringView(m_text).mid(lt - m_offset, std::min(10, tagEnd - lt)));
        out.push_back({lt, tagEnd - lt, quint8(style)});
        p = gt + 1;
    }
    pass.Free = p;
}

void TColorCodeScan::RunSpans(Pass &pass, int before, QStringView open, QStringView close,
                              TCodeStyleKind style, TStyleRuns &out)
{
    const int rangeEnd = RangeEnd();
    // Every delimiter that begins before `before` is found, also one that ends past it.
    const int findEnd = before >= rangeEnd ? rangeEnd : std::min(rangeEnd, before + int(open.size()) - 1);
    int p = pass.Free;
    while (p < rangeEnd) {
        const int s = FindDelimiter(open, p, findEnd);
        if (s < 0) {
            // One that begins here and ends past findEnd is found next time.
            p = std::max(p, findEnd - int(open.size()) + 1);
            break;
        }
        const int e = FindDelimiter(close, s + 1, rangeEnd);
        int spanEnd = e >= 0 ? e + int(close.size()) + (close.size() > 1 ? 1 : 0) : m_end + 1;
        spanEnd = std::min(spanEnd, m_total);
        pass.CarryLooked = e >= 0 ? e + int(close.size()) : rangeEnd;
        if (spanEnd > s)
            out.push_back({s, spanEnd - s, quint8(style)});
        if (spanEnd <= p)
            break;
        p = spanEnd;
    }
    pass.Free = p;
}

TColorCodeResult TColorCodeScan::Next(int length)
{
    TColorCodeResult result;
    const int rangeEnd = RangeEnd();
    const int a = m_frontier;
    result.ResetStart = result.ResetEnd = a;
    if (a >= rangeEnd)
        return result;
    const bool last = length <= 0 || qint64(a) + length >= rangeEnd;
    const int b = last ? rangeEnd : a + length;
    const int before = last ? INT_MAX : b;
    const int passes = m_mode == ccFull ? 3 : 1;
    std::array<TStyleRuns, 3> found;
    for (int i = 0; i < passes; ++i) {
        Pass &pass = m_passes[size_t(i)];
        TStyleRuns &out = found[size_t(i)];
        const int looked = pass.CarryLooked;
        if (pass.HasCarry)
            out.push_back(pass.Carry);
        const size_t fresh = out.size();
        if (i == 0)
            RunTags(pass, before, out);
        else if (i == 1)
            RunSpans(pass, before, u"<!-", u"->", csComments, out);
        else
            RunSpans(pass, before, u"\"", u"\"", csQuotes, out);
        pass.HasCarry = !last && !out.empty() && out.back().End() > b;
        if (pass.HasCarry)
            pass.Carry = out.back();
        if (out.size() == fresh)
            pass.CarryLooked = looked; // still the old carry, if any
    }
    TStyleRuns runs = m_mode == ccFull ? PaintRuns(PaintRuns(found[0], found[1]), found[2]) : std::move(found[0]);
    // Only [a, b) is final; the last step also takes tags running on past the range.
    for (const TStyleRun &r : runs) {
        const int s = std::max(r.Start, a);
        const int e = last ? r.End() : std::min(r.End(), b);
        if (s < e)
            result.Runs.push_back({s, e - s, r.Style});
    }
    result.ResetEnd = b;
    m_frontier = b;
    Trim();
    return result;
}

void TColorCodeScan::Trim()
{
    // The text before every pass's resume point is not looked at again.
    int keep = m_frontier;
    for (int i = 0; i < (m_mode == ccFull ? 3 : 1); ++i)
        keep = std::min(keep, m_passes[size_t(i)].Resume());
    const qsizetype drop = qsizetype(keep) - m_offset;
    if (drop > (1 << 20) && drop > m_text.size() / 2) {
        // In place: a copy of the rest would stand beside the whole text for a moment.
        m_text.remove(0, drop);
        m_offset = keep;
    }
}

void TColorCodeScan::TextChanged(int pos, int removed, int addedLength, QStringView added)
{
    const int delta = addedLength - removed;
    const int removedEnd = pos + removed;
    // A position at an insertion stays before the new text: the scan goes on to read it.
    const auto shift = [&](int x) { return x <= pos ? x : x >= removedEnd ? x + delta : pos; };
    for (Pass &p : m_passes) {
        const int resume = p.Resume();
        const int looked = p.HasCarry ? std::max(p.Free, p.CarryLooked) : p.Free;
        if (pos >= resume ? pos < looked : removedEnd > resume) {
            // What the pass found from its resume point may read otherwise now: look again.
            p.Free = std::min(resume, pos);
            p.HasCarry = false;
        }
        p.Free = shift(p.Free);
        if (p.HasCarry) {
            p.Carry.Start = shift(p.Carry.Start);
            p.CarryLooked = shift(p.CarryLooked);
        }
    }
    if (m_frontier > pos)
        m_frontier = m_frontier >= removedEnd ? m_frontier + delta : pos + addedLength;
    if (m_end >= pos)
        m_end = m_end >= removedEnd ? m_end + delta : pos + addedLength;
    m_start = shift(m_start);
    m_total += delta;

    if (pos >= m_offset) {
        const qsizetype at = pos - m_offset;
        if (at <= m_text.size())
            m_text.replace(at, std::min<qsizetype>(removed, m_text.size() - at), added.toString());
    } else if (removedEnd <= m_offset) {
        m_offset += delta;
    } else {
        m_text = added.toString() + m_text.mid(removedEnd - m_offset);
        m_offset = pos;
    }
}
