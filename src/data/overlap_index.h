#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/value_summary.h"

// What drawing needs to find every item that overlaps a pixel column without reading every
// item: the extremes of the drawn values by index range (a ValueSummary) and the largest stop
// of every block and group of items in start order, so that the few items reaching past a
// position can be found among millions that do not.
//
// Indexes are item handles (places in start order). Stops are the items' effective ends,
// max(start, stop), 1-based and inclusive. The index holds no values or stops itself: building
// and searching read them through callables that must give what they gave when it was built.
class OverlapIndex {
public:
    static constexpr size_t kBlockItems = ValueSummary::kBlockItems;
    static constexpr size_t kGroupBlocks = ValueSummary::kGroupBlocks;

    // Replaces the index by one of count items; valueAt(i) -> float, stopAt(i) -> uint32_t.
    template <typename ValueAt, typename StopAt>
    void Build(size_t count, const ValueAt& valueAt, const StopAt& stopAt);
    void Clear();
    size_t Size() const { return values_.Size(); }
    // Bytes held by the index itself.
    size_t MemoryBytes() const {
        return values_.MemoryBytes() +
               (blockStops_.capacity() + groupStops_.capacity()) * sizeof(uint32_t);
    }

    // The first smallest and first largest value over the indexes [begin, end).
    template <typename ValueAt>
    ValueSummary::Extremes FindExtremes(size_t begin, size_t end, const ValueAt& valueAt) const {
        return values_.Find(begin, end, valueAt);
    }

    // Calls visit(i) for every index i in [begin, end), ascending, whose stop is minStop or
    // more. Reads one entry per group, the blocks of groups that reach minStop and the stops of
    // blocks that reach it.
    template <typename StopAt, typename Visit>
    void ForEachReaching(size_t begin, size_t end, uint32_t minStop, const StopAt& stopAt,
                         const Visit& visit) const;

private:
    template <typename StopAt, typename Visit>
    void VisitBlocks(size_t firstBlock, size_t endBlock, size_t begin, size_t end,
                     uint32_t minStop, const StopAt& stopAt, const Visit& visit) const;

    ValueSummary values_;
    std::vector<uint32_t> blockStops_;  // the largest stop of each block
    std::vector<uint32_t> groupStops_;  // the largest stop of each group
};

template <typename ValueAt, typename StopAt>
void OverlapIndex::Build(size_t count, const ValueAt& valueAt, const StopAt& stopAt) {
    Clear();
    values_.Build(count, valueAt);
    blockStops_.assign((count + kBlockItems - 1) / kBlockItems, 0);
    for (size_t i = 0; i < count; ++i) {
        uint32_t& largest = blockStops_[i / kBlockItems];
        largest = std::max(largest, static_cast<uint32_t>(stopAt(i)));
    }
    groupStops_.assign((blockStops_.size() + kGroupBlocks - 1) / kGroupBlocks, 0);
    for (size_t b = 0; b < blockStops_.size(); ++b) {
        uint32_t& largest = groupStops_[b / kGroupBlocks];
        largest = std::max(largest, blockStops_[b]);
    }
}

template <typename StopAt, typename Visit>
void OverlapIndex::VisitBlocks(size_t firstBlock, size_t endBlock, size_t begin, size_t end,
                               uint32_t minStop, const StopAt& stopAt, const Visit& visit) const {
    for (size_t b = firstBlock; b < endBlock; ++b) {
        if (blockStops_[b] < minStop)
            continue;
        const size_t from = std::max(begin, b * kBlockItems);
        const size_t to = std::min(end, (b + 1) * kBlockItems);
        for (size_t i = from; i < to; ++i) {
            if (stopAt(i) >= minStop)
                visit(i);
        }
    }
}

template <typename StopAt, typename Visit>
void OverlapIndex::ForEachReaching(size_t begin, size_t end, uint32_t minStop,
                                   const StopAt& stopAt, const Visit& visit) const {
    end = std::min(end, Size());
    if (begin >= end)
        return;
    const size_t firstBlock = begin / kBlockItems;
    const size_t endBlock = (end + kBlockItems - 1) / kBlockItems;
    size_t block = firstBlock;
    while (block < endBlock) {
        const size_t group = block / kGroupBlocks;
        const size_t groupEnd = std::min(endBlock, (group + 1) * kGroupBlocks);
        // A group that does not reach minStop is passed over with one read.
        if (groupStops_[group] >= minStop)
            VisitBlocks(block, groupEnd, begin, end, minStop, stopAt, visit);
        block = groupEnd;
    }
}
