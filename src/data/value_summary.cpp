#include "data/value_summary.h"

void ValueSummary::Clear() {
    blocks_.clear();
    groups_.clear();
    count_ = 0;
}

size_t ValueSummary::MemoryBytes() const {
    return (blocks_.capacity() + groups_.capacity()) * sizeof(Bounds);
}

ValueSummary::Bounds ValueSummary::BoundsOf(const Running& running, size_t begin) {
    // Spans that are all NaN keep offset 0; their NaN bounds never win.
    const auto offset = [begin](const Candidate& candidate) {
        return static_cast<uint8_t>(candidate.Span == kNoIndex ? 0 : candidate.Span - begin);
    };
    return {running.Min.Value, running.Max.Value, offset(running.Min), offset(running.Max)};
}

void ValueSummary::BuildGroups() {
    groups_.reserve((blocks_.size() + kGroupBlocks - 1) / kGroupBlocks);
    for (size_t begin = 0; begin < blocks_.size(); begin += kGroupBlocks) {
        Running running;
        const size_t end = std::min(blocks_.size(), begin + kGroupBlocks);
        for (size_t b = begin; b < end; ++b)
            running.Offer(blocks_[b].Min, blocks_[b].Max, Level::Block, b);
        groups_.push_back(BoundsOf(running, begin));
    }
}

void ValueSummary::OfferBlocks(size_t firstBlock, size_t endBlock, Running& running) const {
    const size_t firstGroup = (firstBlock + kGroupBlocks - 1) / kGroupBlocks;
    const size_t endGroup = endBlock / kGroupBlocks;
    size_t b = firstBlock;
    if (firstGroup < endGroup) {
        for (; b < firstGroup * kGroupBlocks; ++b)
            running.Offer(blocks_[b].Min, blocks_[b].Max, Level::Block, b);
        for (size_t g = firstGroup; g < endGroup; ++g)
            running.Offer(groups_[g].Min, groups_[g].Max, Level::Group, g);
        b = endGroup * kGroupBlocks;
    }
    for (; b < endBlock; ++b)
        running.Offer(blocks_[b].Min, blocks_[b].Max, Level::Block, b);
}

size_t ValueSummary::Locate(const Candidate& candidate, uint8_t Bounds::*at) const {
    if (candidate.Span == kNoIndex || candidate.SpanLevel == Level::Item)
        return candidate.Span;
    size_t block = candidate.Span;
    if (candidate.SpanLevel == Level::Group)
        block = candidate.Span * kGroupBlocks + groups_[candidate.Span].*at;
    return block * kBlockItems + blocks_[block].*at;
}
