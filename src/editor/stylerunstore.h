#pragma once

#include <vector>

#include "editor/colorcoding.h"

// The colours of a whole document as style runs, kept in step with edits the way character
// attributes travel with their text: an edit moves the runs after it, cuts the runs it
// removes, and inserted text is plain until it is coloured again.
//
// Runs are held in chunks with a shift of their own, so an edit near the start of a large
// document moves a few chunks, not every run.
class TStyleRunStore
{
public:
    void Clear() { m_chunks.clear(); }
    bool IsEmpty() const { return m_chunks.empty(); }
    int RunCount() const;

    // Makes [resetStart, resetEnd) plain, then paints the runs over it (they may reach past resetEnd).
    void Paint(int resetStart, int resetEnd, const TStyleRuns &runs);
    // [pos, pos + removed) was replaced by `added` characters of plain text.
    void TextChanged(int pos, int removed, int added);
    // The runs that touch [from, to), cut to it.
    TStyleRuns RunsIn(int from, int to) const;
    // Every run, in order.
    TStyleRuns AllRuns() const { return RunsIn(0, INT_MAX); }

private:
    struct Chunk
    {
        int Shift = 0;           // added to each run's start
        TStyleRuns Runs;         // sorted, never empty
        int First() const { return Runs.front().Start + Shift; }
        int End() const { return Runs.back().End() + Shift; }
    };
    static constexpr size_t ChunkSize = 512;

    // Index of the first chunk that ends after pos.
    size_t FirstChunkEndingAfter(int pos) const;
    void Rechunk(size_t from, size_t to, const TStyleRuns &runs);

    std::vector<Chunk> m_chunks;
};
