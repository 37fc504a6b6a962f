#include "editor/stylerunstore.h"

#include <algorithm>
#include <climits>

int TStyleRunStore::RunCount() const
{
    int n = 0;
    for (const Chunk &c : m_chunks)
        n += int(c.Runs.size());
    return n;
}

size_t TStyleRunStore::FirstChunkEndingAfter(int pos) const
{
    auto it = std::partition_point(m_chunks.begin(), m_chunks.end(),
                                   [pos](const Chunk &c) { return c.End() <= pos; });
    return size_t(it - m_chunks.begin());
}

void TStyleRunStore::Rechunk(size_t from, size_t to, const TStyleRuns &runs)
{
    std::vector<Chunk> fresh;
    for (size_t i = 0; i < runs.size(); i += ChunkSize) {
        Chunk c;
        c.Runs.assign(runs.begin() + i, runs.begin() + std::min(runs.size(), i + ChunkSize));
        fresh.push_back(std::move(c));
    }
    m_chunks.erase(m_chunks.begin() + from, m_chunks.begin() + to);
    m_chunks.insert(m_chunks.begin() + from, std::make_move_iterator(fresh.begin()),
                    std::make_move_iterator(fresh.end()));
}

void TStyleRunStore::Paint(int resetStart, int resetEnd, const TStyleRuns &runs)
{
    int lo = resetStart, hi = std::max(resetStart, resetEnd);
    if (!runs.empty()) {
        lo = std::min(lo, runs.front().Start);
        hi = std::max(hi, runs.back().End());
    }
    if (lo >= hi)
        return;
    // The chunks that hold anything in [lo, hi).
    const size_t first = FirstChunkEndingAfter(lo);
    size_t last = first;
    while (last < m_chunks.size() && m_chunks[last].First() < hi)
        ++last;
    TStyleRuns old;
    for (size_t i = first; i < last; ++i)
        for (const TStyleRun &r : m_chunks[i].Runs)
            old.push_back({r.Start + m_chunks[i].Shift, r.Length, r.Style});
    Rechunk(first, last, PaintRuns(EraseRange(old, resetStart, resetEnd), runs));
}

void TStyleRunStore::TextChanged(int pos, int removed, int added)
{
    if (m_chunks.empty() || (removed == 0 && added == 0))
        return;
    const int removedEnd = pos + removed;
    const int delta = added - removed;
    size_t i = FirstChunkEndingAfter(pos);
    // Chunks that reach into the edited range are rebuilt run by run.
    while (i < m_chunks.size() && m_chunks[i].First() < removedEnd + (removed == 0 ? 1 : 0)) {
        Chunk &c = m_chunks[i];
        TStyleRuns kept;
        kept.reserve(c.Runs.size() + 1);
        for (const TStyleRun &rel : c.Runs) {
            const TStyleRun r{rel.Start + c.Shift, rel.Length, rel.Style};
            if (r.End() <= pos) {
                kept.push_back(r);
            } else if (r.Start >= removedEnd) {
                kept.push_back({r.Start + delta, r.Length, r.Style});
            } else {
                if (r.Start < pos)
                    kept.push_back({r.Start, pos - r.Start, r.Style});
                if (r.End() > removedEnd)
                    kept.push_back({pos + added, r.End() - removedEnd, r.Style});
            }
        }
        if (kept.empty()) {
            m_chunks.erase(m_chunks.begin() + i);
            continue;
        }
        c.Shift = 0;
        c.Runs = std::move(kept);
        ++i;
    }
    // Everything after the edit only moves.
    for (; i < m_chunks.size(); ++i)
        m_chunks[i].Shift += delta;
}

TStyleRuns TStyleRunStore::RunsIn(int from, int to) const
{
    TStyleRuns out;
    for (size_t i = FirstChunkEndingAfter(from); i < m_chunks.size(); ++i) {
        const Chunk &c = m_chunks[i];
        if (c.First() >= to)
            break;
        auto it = std::partition_point(c.Runs.begin(), c.Runs.end(),
                                       [&](const TStyleRun &r) { return r.End() + c.Shift <= from; });
        for (; it != c.Runs.end(); ++it) {
            const int s = it->Start + c.Shift;
            if (s >= to)
                break;
            const int a = std::max(s, from), b = std::min(s + it->Length, to);
            if (a < b)
                out.push_back({a, b - a, it->Style});
        }
    }
    return out;
}
