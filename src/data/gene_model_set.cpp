#include "data/gene_model_set.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr size_t kBitsPerWord = 64;
// Up to this many models a range is found by reading every one: the index would cost more
// memory than it saves time (a draft assembly has thousands of chromosomes of a few models).
constexpr size_t kModelsWithoutIndex = 64;

}  // namespace

GeneModelSet::Builder::Builder(size_t itemCount)
    : claimed_((itemCount + kBitsPerWord - 1) / kBitsPerWord, 0), itemCount_(itemCount) {}

void GeneModelSet::Builder::BeginModel(uint32_t item, uint32_t start, uint32_t stop) {
    models_.push_back({start, stop, item, static_cast<uint32_t>(parts_.size())});
}

void GeneModelSet::Builder::AddPart(uint32_t start, uint32_t stop, PartKind kind) {
    parts_.push_back({start, stop});
    kinds_.push_back(kind);
    Model& model = models_.back();
    model.Start = std::min(model.Start, start);
    model.Stop = std::max(model.Stop, stop);
}

void GeneModelSet::Builder::Claim(uint32_t item) {
    uint64_t& word = claimed_[item / kBitsPerWord];
    const uint64_t bit = uint64_t{1} << (item % kBitsPerWord);
    claimedCount_ += (word & bit) == 0;
    word |= bit;
}

GeneModelSet GeneModelSet::Builder::Finish() {
    // Models arrive grouped by transcript; drawing wants them by start, so their parts move
    // with them.
    std::vector<uint32_t> order(models_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) {
        const Model& left = models_[a];
        const Model& right = models_[b];
        return left.Start != right.Start ? left.Start < right.Start : left.Item < right.Item;
    });
    GeneModelSet set;
    set.models_.reserve(models_.size());
    set.parts_.reserve(parts_.size());
    set.kinds_.reserve(kinds_.size());
    for (const uint32_t index : order) {
        Model model = models_[index];
        const size_t end =
            index + 1 < models_.size() ? models_[index + 1].FirstPart : parts_.size();
        const size_t first = model.FirstPart;
        model.FirstPart = static_cast<uint32_t>(set.parts_.size());
        set.models_.push_back(model);
        set.parts_.insert(set.parts_.end(), parts_.begin() + static_cast<ptrdiff_t>(first),
                          parts_.begin() + static_cast<ptrdiff_t>(end));
        set.kinds_.insert(set.kinds_.end(), kinds_.begin() + static_cast<ptrdiff_t>(first),
                          kinds_.begin() + static_cast<ptrdiff_t>(end));
    }
    set.claimed_ = std::move(claimed_);
    set.itemCount_ = itemCount_;
    if (set.models_.size() > kModelsWithoutIndex)
        set.overlap_.Build(
            set.models_.size(), [](size_t) { return 0.0f; },
            [&set](size_t k) { return set.models_[k].Stop; });
    models_.clear();
    parts_.clear();
    kinds_.clear();
    claimed_.clear();
    claimedCount_ = 0;
    return set;
}

size_t GeneModelSet::NextUnclaimed(size_t from, size_t end) const {
    end = std::min(end, itemCount_);
    while (from < end) {
        // Whole words of claimed items (the exons of a GTF transcript) are passed at once.
        const uint64_t free = ~claimed_[from / kBitsPerWord] >> (from % kBitsPerWord);
        if (free != 0)
            return std::min(end, from + static_cast<size_t>(__builtin_ctzll(free)));
        from = (from / kBitsPerWord + 1) * kBitsPerWord;
    }
    return end;
}

size_t GeneModelSet::FirstStartingAfter(uint32_t position) const {
    return static_cast<size_t>(
        std::partition_point(models_.begin(), models_.end(),
                             [position](const Model& model) { return model.Start <= position; }) -
        models_.begin());
}

size_t GeneModelSet::CountStartingIn(uint32_t from, uint32_t to) const {
    if (to < from)
        return 0;
    const size_t first = static_cast<size_t>(
        std::partition_point(models_.begin(), models_.end(),
                             [from](const Model& model) { return model.Start < from; }) -
        models_.begin());
    return FirstStartingAfter(to) - first;
}

size_t GeneModelSet::MemoryBytes() const {
    return models_.capacity() * sizeof(Model) + parts_.capacity() * sizeof(Part) +
           kinds_.capacity() * sizeof(PartKind) + claimed_.capacity() * sizeof(uint64_t) +
           overlap_.MemoryBytes();
}
