#include "data/track_models.h"

#include <algorithm>

#include "data/chromosome_dataset.h"

namespace {

bool ByStart(const TrackModels::Model& a, const TrackModels::Model& b) {
    return a.Start != b.Start ? a.Start < b.Start : a.Item < b.Item;
}

}  // namespace

TrackModels::TrackModels(const ChromosomeDataset& track)
    : track_(track),
      set_(track.GetGeneModels()),
      blocks_(track.GetItemCount() > 0 && track.GetBlockItemCount() * 2 >= track.GetItemCount()) {}

bool TrackModels::Find(uint32_t from, uint32_t to, size_t limit, std::vector<Model>& models) const {
    models.clear();
    if (set_ != nullptr) {
        if (set_->CountStartingIn(from, to) > limit)
            return false;
        set_->ForEachOverlapping(from, to, [&](size_t index) {
            const GeneModelSet::Model& model = set_->GetModel(index);
            models.push_back({model.Start, model.Stop, model.Item, uint32_t(index)});
        });
    }
    const size_t fromSet = models.size();
    if (fromSet > limit || !AddOwnModels(from, to, limit - fromSet, models)) {
        models.clear();
        return false;
    }
    std::inplace_merge(models.begin(), models.begin() + static_cast<ptrdiff_t>(fromSet),
                       models.end(), ByStart);
    return true;
}

bool TrackModels::AddOwnModels(uint32_t from, uint32_t to, size_t limit,
                               std::vector<Model>& models) const {
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    const size_t first =
        static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), from) - starts.begin());
    const size_t end =
        static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), to) - starts.begin());
    const size_t before = models.size();
    const auto add = [&](size_t item) {
        models.push_back({starts[item], track_.EffectiveStop(item), item, kOwnParts});
    };
    // Items drawn inside a transcript's model are passed over.
    const auto nextFree = [this, end](size_t item) {
        return set_ != nullptr ? set_->NextUnclaimed(item, end) : item;
    };
    track_.ForEachReaching(0, first, from, [&](size_t item) {
        if (set_ == nullptr || !set_->IsClaimed(item))
            add(item);
    });
    for (size_t item = nextFree(first); item < end; item = nextFree(item + 1)) {
        if (models.size() - before >= limit)
            return false;
        add(item);
    }
    return models.size() - before <= limit;
}

size_t TrackModels::BlockCount(size_t item) const {
    return std::max<size_t>(track_.GetBlocks(item).size(), 1);
}

GeneModelSet::Part TrackModels::Block(size_t item, size_t index) const {
    const ItemBlocks blocks = track_.GetBlocks(item);
    if (blocks.empty())
        return {track_.GetStart(item), track_.EffectiveStop(item)};
    const ItemBlocks::Block block = blocks[index];
    return {block.Start, block.Stop};
}

TrackModels::Coding TrackModels::CodingOf(size_t item) const {
    Coding coding;
    if (!track_.GetThickRange(item, coding.thickStart, coding.thickStop))
        return coding;
    coding.any = true;
    if (coding.thickStart > coding.thickStop)
        return coding;  // BED's thickStart = thickEnd: no coding part
    const size_t count = BlockCount(item);
    size_t low = 0;
    size_t high = count;
    while (low < high) {  // the first block that ends in or after the thick range
        const size_t middle = low + (high - low) / 2;
        if (Block(item, middle).Stop < coding.thickStart)
            low = middle + 1;
        else
            high = middle;
    }
    coding.first = low;
    high = count;
    while (low < high) {  // the first block that starts after it
        const size_t middle = low + (high - low) / 2;
        if (Block(item, middle).Start <= coding.thickStop)
            low = middle + 1;
        else
            high = middle;
    }
    coding.end = low;
    return coding;
}

size_t TrackModels::PartCount(const Model& model) const {
    if (model.Index != kOwnParts)
        return set_->PartsEnd(model.Index) - set_->GetModel(model.Index).FirstPart;
    const Coding coding = CodingOf(model.Item);
    return BlockCount(model.Item) + (coding.end - coding.first);
}

size_t TrackModels::ExonCount(const Model& model) const {
    if (model.Index == kOwnParts)
        return BlockCount(model.Item);
    size_t part = set_->GetModel(model.Index).FirstPart;
    const size_t end = set_->PartsEnd(model.Index);
    size_t exons = 0;
    for (; part < end && set_->GetKind(part) != GeneModelSet::kCoding; ++part)
        ++exons;
    return exons;
}

TrackModels::Part TrackModels::GetPart(const Model& model, size_t index) const {
    if (model.Index != kOwnParts) {
        const size_t part = set_->GetModel(model.Index).FirstPart + index;
        const GeneModelSet::Part& stored = set_->GetPart(part);
        return {stored.Start, stored.Stop, set_->GetKind(part)};
    }
    const size_t blocks = BlockCount(model.Item);
    if (index < blocks) {
        const GeneModelSet::Part block = Block(model.Item, index);
        // Exons outside a thick range are untranslated; without one, all are plain exons.
        uint32_t thickStart = 0;
        uint32_t thickStop = 0;
        const bool thick = track_.GetThickRange(model.Item, thickStart, thickStop);
        return {block.Start, block.Stop, thick ? GeneModelSet::kUntranslated : GeneModelSet::kExon};
    }
    const Coding coding = CodingOf(model.Item);
    const GeneModelSet::Part block = Block(model.Item, coding.first + (index - blocks));
    return {std::max(block.Start, coding.thickStart), std::min(block.Stop, coding.thickStop),
            GeneModelSet::kCoding};
}
