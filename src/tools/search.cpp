#include "tools/search.h"

#include <algorithm>
#include <limits>

namespace {

Qt::CaseSensitivity CaseOf(TSearchOptions options)
{
    return options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// No word character right after the match (its left side is the caller's business, since
// after a replacement the character before it may be new).
bool WordEndsAt(QStringView text, int end)
{
    return end >= int(text.size()) || !IsWordChar(text[end]);
}

} // namespace

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

int SearchText(QStringView text, QStringView findText, int from, int to, TSearchOptions options)
{
    const int n = int(text.size());
    const int m = int(findText.size());
    if (m == 0)
        return -1;
    from = std::clamp(from, 0, n);
    to = std::clamp(to, from, n);
    // Searching a view that ends at `to` keeps every match inside the range.
    const QStringView range = text.first(to);
    const Qt::CaseSensitivity cs = CaseOf(options);
    for (qsizetype p = range.indexOf(findText, from, cs); p >= 0; p = range.indexOf(findText, p + 1, cs)) {
        if (!options.WholeWord)
            return int(p);
        const bool startOk = p == 0 || !IsWordChar(text[p - 1]);
        if (startOk && WordEndsAt(text, int(p) + m))
            return int(p);
    }
    return -1;
}

int SearchStart(int selStart)
{
    if (selStart < 0)
        return 0;
    return selStart == std::numeric_limits<int>::max() ? selStart : selStart + 1;
}

int FindNextText(QStringView text, QStringView findText, int selStart, TSearchOptions options)
{
    return SearchText(text, findText, SearchStart(selStart), int(text.size()), options);
}

TReplaceResult ReplaceAllFrom(QStringView text, QStringView findText, QStringView replaceText,
                              int from, TSearchOptions options)
{
    TReplaceResult r;
    const int n = int(text.size());
    const int m = int(findText.size());
    if (m == 0)
        return r;
    from = std::clamp(from, 0, n);
    const Qt::CaseSensitivity cs = CaseOf(options);

    // The character before offset p in the text as replaced so far (null at the start).
    auto charBefore = [&](int p, int lastEnd) -> QChar {
        if (r.Count == 0 || p > lastEnd)
            return p > 0 ? text[p - 1] : QChar();
        if (!r.NewRegion.isEmpty())
            return r.NewRegion.back();
        return r.First > 0 ? text[r.First - 1] : QChar();
    };

    int lastEnd = from;
    for (qsizetype p = text.indexOf(findText, from, cs); p >= 0; p = text.indexOf(findText, p + 1, cs)) {
        if (options.WholeWord) {
            const QChar before = charBefore(int(p), lastEnd);
            if ((!before.isNull() && IsWordChar(before)) || !WordEndsAt(text, int(p) + m))
                continue;
        }
        if (r.Count == 0) {
            r.First = int(p);
            // A rough guess that spares most reallocations on long runs.
            r.NewRegion.reserve(std::min<qsizetype>(n - p, 1 << 20));
        } else {
            r.NewRegion.append(text.mid(lastEnd, p - lastEnd));
        }
        r.NewRegion.append(replaceText);
        ++r.Count;
        lastEnd = int(p) + m;
        // Resume after the inserted text, which in the old text is after the match.
        p = lastEnd - 1;
    }
    r.OldEnd = r.Count > 0 ? lastEnd : 0;
    return r;
}
