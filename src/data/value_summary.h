#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// The smallest and largest score of every block of kBlockItems consecutive scores, and of every
// group of kGroupBlocks blocks, so that the earliest smallest and largest score of an index
// range can be found without reading every score in it.
//
// The summary does not hold the scores: building and searching read them through a callable
// scoreAt(index) -> float, which must give the same scores as when the summary was built. It
// holds 12 bytes per block and 12 per group, about 0.19 bytes per score.
//
// Comparisons are the strict ones of a plain walk from the lowest index up: a score replaces the
// smallest so far only when it is strictly smaller (so the earliest of equal scores wins, and
// -0.0 and 0.0 count as equal), and a NaN score never becomes the smallest or the largest.
class ValueSummary {
public:
    static constexpr size_t kBlockItems = 64;
    static constexpr size_t kGroupBlocks = 64;  // a group spans 4096 scores
    static constexpr size_t kNoIndex = std::numeric_limits<size_t>::max();
    static_assert(kBlockItems <= 256 && kGroupBlocks <= 256, "offsets are kept in a byte");

    // Indexes into the summarised scores; kNoIndex when the range held no score other than NaN.
    struct Extremes {
        size_t MinIndex = kNoIndex;  // the first index holding the smallest score
        size_t MaxIndex = kNoIndex;  // the first index holding the largest score
    };

    // Replaces the summary by one of the count scores scoreAt(0) to scoreAt(count - 1).
    template <typename ScoreAt>
    void Build(size_t count, const ScoreAt& scoreAt);
    // Forgets every score; Size() is then 0.
    void Clear();
    // The number of scores summarised.
    size_t Size() const { return count_; }
    // Bytes held by the summary itself.
    size_t MemoryBytes() const;

    // The extremes over the indexes [begin, end), end clamped to Size(). Reads fewer than
    // 2 * kBlockItems scores, at the ends of the range, and one summary entry per block or
    // group inside it (fewer than 2 * kGroupBlocks blocks plus the groups).
    template <typename ScoreAt>
    Extremes Find(size_t begin, size_t end, const ScoreAt& scoreAt) const;

private:
    // Smallest and largest score of a block or group (NaN when every score in it is NaN), and
    // the offsets of the first score or block within it that holds each.
    struct Bounds {
        float Min;
        float Max;
        uint8_t MinAt;
        uint8_t MaxAt;
    };
    enum class Level { Item, Block, Group };
    // The best score seen so far and the item, block or group it came from.
    struct Candidate {
        float Value = std::numeric_limits<float>::quiet_NaN();
        size_t Span = kNoIndex;
        Level SpanLevel = Level::Item;
    };
    // The smallest and largest candidates of a walk over spans in ascending index order.
    struct Running {
        Candidate Min;
        Candidate Max;
        // A NaN current value means nothing has been taken yet.
        void OfferMin(float min, Level level, size_t span) {
            if (std::isnan(Min.Value) ? !std::isnan(min) : min < Min.Value)
                Min = {min, span, level};
        }
        void OfferMax(float max, Level level, size_t span) {
            if (std::isnan(Max.Value) ? !std::isnan(max) : max > Max.Value)
                Max = {max, span, level};
        }
        void Offer(float min, float max, Level level, size_t span) {
            OfferMin(min, level, span);
            OfferMax(max, level, span);
        }
    };

    // The bounds that a walk over spans numbered from begin gave, offsets counted from begin.
    static Bounds BoundsOf(const Running& running, size_t begin);
    void BuildGroups();
    // Offers the blocks [firstBlock, endBlock), taking whole groups where they fit.
    void OfferBlocks(size_t firstBlock, size_t endBlock, Running& running) const;
    // The index of the first score a candidate stands for, or kNoIndex for no candidate.
    size_t Locate(const Candidate& candidate, uint8_t Bounds::*at) const;

    // Offers the scores [begin, end) of one block, without reading them when the block's own
    // first extremes lie inside: they are then the first extremes of the part too (an all-NaN
    // block offers its NaN bounds, which are never taken).
    template <typename ScoreAt>
    void OfferPart(size_t begin, size_t end, const ScoreAt& scoreAt, Running& running) const {
        if (begin >= end)
            return;
        const size_t base = begin / kBlockItems * kBlockItems;
        const Bounds& bounds = blocks_[begin / kBlockItems];
        const size_t minAt = base + bounds.MinAt, maxAt = base + bounds.MaxAt;
        if (begin <= minAt && minAt < end && begin <= maxAt && maxAt < end) {
            running.OfferMin(bounds.Min, Level::Item, minAt);
            running.OfferMax(bounds.Max, Level::Item, maxAt);
            return;
        }
        OfferItems(begin, end, scoreAt, running);
    }
    template <typename ScoreAt>
    static void OfferItems(size_t begin, size_t end, const ScoreAt& scoreAt, Running& running) {
        for (size_t k = begin; k < end; ++k) {
            const float score = scoreAt(k);
            running.Offer(score, score, Level::Item, k);
        }
    }

    std::vector<Bounds> blocks_;
    std::vector<Bounds> groups_;
    size_t count_ = 0;
};

template <typename ScoreAt>
void ValueSummary::Build(size_t count, const ScoreAt& scoreAt) {
    Clear();
    blocks_.reserve((count + kBlockItems - 1) / kBlockItems);
    for (size_t begin = 0; begin < count; begin += kBlockItems) {
        Running running;
        OfferItems(begin, std::min(count, begin + kBlockItems), scoreAt, running);
        blocks_.push_back(BoundsOf(running, begin));
    }
    count_ = count;
    BuildGroups();
}

template <typename ScoreAt>
ValueSummary::Extremes ValueSummary::Find(size_t begin, size_t end, const ScoreAt& scoreAt) const {
    end = std::min(end, count_);
    if (begin >= end)
        return {};
    Running running;
    // Loose scores up to the first block boundary, whole blocks, then the loose rest.
    const size_t headEnd = std::min(end, (begin + kBlockItems - 1) / kBlockItems * kBlockItems);
    OfferPart(begin, headEnd, scoreAt, running);
    if (headEnd < end) {
        const size_t endBlock = end / kBlockItems;
        OfferBlocks(headEnd / kBlockItems, endBlock, running);
        OfferPart(endBlock * kBlockItems, end, scoreAt, running);
    }
    return {Locate(running.Min, &Bounds::MinAt), Locate(running.Max, &Bounds::MaxAt)};
}
