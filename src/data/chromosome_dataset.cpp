#include "data/chromosome_dataset.h"

#include "data/gff_line_writer.h"
#include "data/stored_text.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <utility>

namespace {

// Look-back for long features that start left of the hit-test window.
constexpr size_t kHitTestLookBack = 16;
// Above this many items in the window, the hit test only looks near the pointer.
constexpr size_t kHitTestWideRange = 50000;
constexpr size_t kHitTestHalfWindow = 25000;
constexpr int64_t kNoEdgeDistance = 2147483647;
constexpr auto kCancelPollInterval = std::chrono::milliseconds(100);
// Texts asked for this many items ahead of the one written (see PrefetchTexts).
constexpr size_t kPrefetchAhead = 16;
// Most texts fit in four cache lines.
constexpr int kPrefetchLines = 4;
constexpr int kCacheLineBytes = 64;
// Items written between two looks at the clock.
constexpr size_t kItemsPerClockCheck = 256;

int64_t Distance(int64_t a, int64_t b) {
    return a > b ? a - b : b - a;
}

// The first index holding the start starts[i]. Most starts are unique, so this is usually i and
// costs no search.
size_t FirstWithStart(const std::vector<uint32_t>& starts, size_t i) {
    if (i == 0 || starts[i - 1] != starts[i])
        return i;
    return static_cast<size_t>(
        std::lower_bound(starts.begin(), starts.begin() + static_cast<ptrdiff_t>(i), starts[i]) -
        starts.begin());
}

}  // namespace

uint64_t ChromosomeDataset::NextSerial() {
    // Datasets may be made on any thread.
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

void ChromosomeDataset::EnsureOrdered() const {
    if (ordered_)
        return;
    // Sorting (start, original index) keys orders equal starts by insertion, as a stable sort.
    const size_t count = starts_.size();
    std::vector<uint64_t> keys(count);
    for (size_t i = 0; i < count; ++i)
        keys[i] = (uint64_t{starts_[i]} << 32) | i;
    std::sort(keys.begin(), keys.end());

    // Move every item to its sorted place, one permutation cycle at a time.
    std::vector<uint32_t> source(count);
    for (size_t i = 0; i < count; ++i) {
        source[i] = static_cast<uint32_t>(keys[i] & 0xFFFFFFFFu);
        starts_[i] = static_cast<uint32_t>(keys[i] >> 32);
    }
    keys = {};
    for (size_t i = 0; i < count; ++i) {
        if (source[i] == i)
            continue;
        const StoredItem held = items_[i];
        size_t hole = i;
        while (source[hole] != i) {
            const size_t from = source[hole];
            items_[hole] = items_[from];
            source[hole] = static_cast<uint32_t>(hole);
            hole = from;
        }
        items_[hole] = held;
        source[hole] = static_cast<uint32_t>(hole);
    }
    stops_.clear();
    ordered_ = true;
}

const std::vector<uint32_t>& ChromosomeDataset::GetStartPositions() const {
    EnsureOrdered();
    return starts_;
}

const std::vector<uint32_t>& ChromosomeDataset::GetStopPositions() const {
    EnsureOrdered();
    if (stops_.size() != items_.size()) {
        stops_.clear();
        stops_.reserve(items_.size());
        for (size_t i = 0; i < items_.size(); ++i)
            stops_.push_back(items_[i].stop);
    }
    return stops_;
}

ItemView ChromosomeDataset::GetItem(ItemHandle handle) const {
    const StoredItem& stored = Ordered()[handle];
    // The lengths read straight into the view: this runs for every item a search reads.
    const char* text = texts_.At(stored.text);
    const size_t sourceLength = StoredText::ReadLength(text);
    const size_t attributesLength = StoredText::ReadLength(text);
    ItemView view;
    view.Source = std::string_view(text, sourceLength);
    view.Score = stored.score;
    view.Stop = stored.stop;
    view.Attributes = std::string_view(text + sourceLength, attributesLength);
    view.Strand = stored.strand;
    view.Frame = stored.frame;
    view.Color = stored.color;
    return view;
}

void ChromosomeDataset::PrefetchTexts(ItemHandle handle) const {
    const char* const text = texts_.At(Ordered()[handle].text);
    for (int line = 0; line < kPrefetchLines; ++line)
        __builtin_prefetch(text + kCacheLineBytes * line);
}

std::string_view ChromosomeDataset::GetAttributes(ItemHandle handle) const {
    return StoredText::Read(texts_.At(Ordered()[handle].text)).attributes;
}

std::optional<ItemView> ChromosomeDataset::FindItem(uint32_t start) const {
    const std::vector<uint32_t>& starts = GetStartPositions();
    const auto it = std::lower_bound(starts.begin(), starts.end(), start);
    if (it == starts.end() || *it != start)
        return std::nullopt;
    return GetItem(static_cast<ItemHandle>(it - starts.begin()));
}

std::vector<ChromosomeDataset::ItemHandle> ChromosomeDataset::GetItemsAt(uint32_t start) const {
    const std::vector<uint32_t>& starts = GetStartPositions();
    const auto range = std::equal_range(starts.begin(), starts.end(), start);
    std::vector<ItemHandle> handles;
    for (auto it = range.first; it != range.second; ++it)
        handles.push_back(static_cast<ItemHandle>(it - starts.begin()));
    return handles;
}

bool ChromosomeDataset::GetThickRange(ItemHandle handle, uint32_t& start, uint32_t& stop) const {
    const StoredItem& stored = Ordered()[handle];
    if ((stored.structure & StoredText::kHasThick) == 0)
        return false;
    uint32_t range[2];
    std::memcpy(range, StoredText::Read(texts_.At(stored.text)).structure, sizeof range);
    start = range[0];
    stop = range[1];
    return true;
}

ItemBlocks ChromosomeDataset::GetBlocks(ItemHandle handle) const {
    const StoredItem& stored = Ordered()[handle];
    if ((stored.structure & StoredText::kHasBlocks) == 0)
        return {};
    const char* bytes = StoredText::Read(texts_.At(stored.text)).structure;
    if ((stored.structure & StoredText::kHasThick) != 0)
        bytes += StoredText::kThickBytes;
    const size_t count = StoredText::ReadLength(bytes);
    // Items with blocks come from BED, whose starts are chromStart + 1.
    return ItemBlocks(bytes, count, starts_[handle] - 1);
}

void ChromosomeDataset::ReserveForOneMore(size_t textGrowth, MemoryBudget& budget) {
    const size_t startsGrowth =
        starts_.size() == starts_.capacity() ? NextStartsCapacity() * sizeof(uint32_t) : 0;
    // Asked once for all three stores, and only when one of them grows: not for most items.
    if (const size_t growth = textGrowth + items_.NextGrowthBytes() + startsGrowth; growth != 0)
        budget.Reserve(growth);
}

void ChromosomeDataset::AddItem(uint32_t start, const ChromosomeItem& item,
                                const FeatureStructure& structure, MemoryBudget& budget) {
    const size_t textLength = StoredText::Size(item.Source, item.Attributes, structure);
    ReserveForOneMore(texts_.GrowthFor(textLength), budget);
    TextArena::Handle text;
    char* const at = texts_.Allocate(textLength, text);
    ItemFields fields;
    fields.Stop = item.Stop;
    fields.Score = item.Score;
    fields.Color = item.Color;
    fields.Strand = item.Strand;
    fields.Frame = item.Frame;
    fields.Structure = StoredText::Write(at, item.Source, item.Attributes, structure);
    Push(start, text, fields);
}

void ChromosomeDataset::AddSharedItem(uint32_t start, const ItemFields& fields,
                                      const SharedTextBlock& block, size_t offset,
                                      MemoryBudget& budget) {
    ReserveForOneMore(0, budget);
    Push(start, texts_.Share(block, offset), fields);
}

void ChromosomeDataset::Push(uint32_t start, TextArena::Handle text, const ItemFields& fields) {
    StoredItem stored;
    stored.text = text;
    stored.stop = fields.Stop;
    stored.score = fields.Score;
    stored.color = fields.Color;
    stored.strand = fields.Strand;
    stored.frame = fields.Frame;
    stored.structure = fields.Structure;
    if ((fields.Structure & StoredText::kHasBlocks) != 0)
        ++blockItems_;
    // Grow starts_ first so that a failed allocation leaves both containers the same length.
    if (starts_.size() == starts_.capacity())
        starts_.reserve(NextStartsCapacity());
    items_.push_back(stored);
    if (!starts_.empty() && start < starts_.back())
        ordered_ = false;
    starts_.push_back(start);
    if (!stops_.empty())
        stops_.clear();
    if (overlap_.Size() != 0)
        overlap_.Clear();
    finiteRange_ = 0;
}

bool ChromosomeDataset::ScaleValues(float factor) {
    for (size_t i = 0; i < items_.size(); ++i)
        items_[i].score *= factor;
    overlap_.Clear();
    finiteRange_ = 0;
    MinValue *= factor;
    MaxValue *= factor;
    if (factor < 0)
        std::swap(MinValue, MaxValue);
    return true;
}

bool ChromosomeDataset::UpdateExtents(uint32_t start, uint32_t stop, float value) {
    MinStart = std::min(MinStart, start);
    MaxStop = std::max({MaxStop, start, stop});
    MinValue = std::min(MinValue, value);
    MaxValue = std::max(MaxValue, value);
    return true;
}

bool ChromosomeDataset::RecomputeExtents() {
    MinStart = kNoPosition;
    MaxStop = 0;
    MinValue = FLT_MAX;
    MaxValue = -FLT_MAX;
    const std::vector<uint32_t>& starts = GetStartPositions();
    for (size_t i = 0; i < items_.size(); ++i)
        UpdateExtents(starts[i], items_[i].stop, items_[i].score);
    return true;
}

size_t ChromosomeDataset::FindNearestStart(uint32_t pos) const {
    const std::vector<uint32_t>& starts = GetStartPositions();
    if (starts.empty())
        return starts.size();
    const size_t i =
        static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), pos) - starts.begin());
    if (i == starts.size())
        return i - 1;
    if (i == 0)
        return 0;
    const int64_t before = Distance(pos, starts[i - 1]);
    const int64_t after = Distance(starts[i], pos);
    return before < after ? i - 1 : i;
}

uint32_t ChromosomeDataset::GetNearestStart(uint32_t pos) const {
    const size_t i = FindNearestStart(pos);
    return i < starts_.size() ? starts_[i] : kNoPosition;
}

const OverlapIndex& ChromosomeDataset::GetOverlapIndex(bool unitValues) const {
    EnsureOrdered();
    if (overlap_.Size() != items_.size() || overlapUnitValues_ != unitValues) {
        overlap_.Build(
            items_.size(), [this, unitValues](size_t k) { return DrawnValue(k, unitValues); },
            [this](size_t k) { return std::max(starts_[k], items_[k].stop); });
        overlapUnitValues_ = unitValues;
    }
    return overlap_;
}

bool ChromosomeDataset::GetFiniteValueRange(float& minValue, float& maxValue) const {
    if (finiteRange_ == 0) {
        finiteMin_ = FLT_MAX;
        finiteMax_ = -FLT_MAX;
        bool any = false;
        for (size_t i = 0; i < items_.size(); ++i) {
            const float score = items_[i].score;
            if (!std::isfinite(score))
                continue;
            any = true;
            finiteMin_ = std::min(finiteMin_, score);
            finiteMax_ = std::max(finiteMax_, score);
        }
        finiteRange_ = any ? 1 : -1;
    }
    minValue = finiteMin_;
    maxValue = finiteMax_;
    return finiteRange_ > 0;
}

void ChromosomeDataset::GetMinMaxInRange(uint32_t from, uint32_t to, uint32_t& minStart,
                                         uint32_t& maxStart, float& minValue,
                                         float& maxValue) const {
    const std::vector<uint32_t>& starts = GetStartPositions();
    const size_t i = FindNearestStart(from);
    if (i == starts.size()) {
        minStart = maxStart = 0;
        return;
    }
    const size_t first = FirstWithStart(starts, i);
    minValue = maxValue = items_[first].score;
    minStart = maxStart = starts[i];
    if (from >= to)
        return;
    const size_t j = FindNearestStart(to);
    if (j == starts.size() || j == i)
        return;
    // When S[j] equals S[i] (j is another item of the same start), the range is empty and the
    // values end up as FLT_MAX and -FLT_MAX.
    const size_t last = FirstWithStart(starts, j);
    minValue = FLT_MAX;
    maxValue = -FLT_MAX;
    for (size_t k = first; k < last; ++k) {
        const float score = items_[k].score;
        if (score < minValue) {
            minValue = score;
            minStart = starts[k];
        }
        if (score > maxValue) {
            maxValue = score;
            maxStart = starts[k];
        }
    }
}

ChromosomeDataset::ItemHandle ChromosomeDataset::FindItemAt(uint32_t pos, float value,
                                                            uint32_t from, uint32_t to) const {
    const std::vector<uint32_t>& starts = GetStartPositions();
    const size_t end = starts.size();
    if (end == 0 || to < from || pos < from || pos > to)
        return End();

    size_t lower =
        static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), from) - starts.begin());
    if (lower == end)
        lower = 0;
    lower -= std::min(lower, kHitTestLookBack);
    size_t upper = end;
    if (to != kNoPosition)
        upper = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), to) -
                                    starts.begin());

    const bool wholeTrack = lower == 0 && upper == end;
    if ((wholeTrack && end > kHitTestWideRange) || upper - lower > kHitTestWideRange) {
        const size_t near = static_cast<size_t>(
            std::lower_bound(starts.begin(), starts.end(), pos) - starts.begin());
        lower = std::max(lower, near - std::min(near, kHitTestHalfWindow));
        upper = std::min(upper, near + kHitTestHalfWindow);
    }

    // Candidates under the pointer: closest score first, then nearest centre, then earliest.
    bool anyUnderPointer = false;
    ItemHandle underPointer = End();
    float bestValueDistance = FLT_MAX;
    int64_t bestCentreDistance = 0;
    ItemHandle nearestEdge = End();
    int64_t bestEdgeDistance = kNoEdgeDistance;
    const auto consider = [&](size_t k) {
        const int64_t s = starts[k];
        const int64_t e = std::max<int64_t>(items_[k].stop, s + 1);
        if (e < from)
            return;
        if (s <= pos && pos < e) {
            const int64_t centre = Distance((e >> 1) + (s >> 1), pos);
            // A score that is not a number is drawn at 0, and found there.
            const float valueDistance = std::fabs(DrawnValue(k, false) - value);
            anyUnderPointer = true;
            const bool closer = underPointer == End() ? valueDistance <= bestValueDistance
                                                      : valueDistance < bestValueDistance ||
                                                            (valueDistance == bestValueDistance &&
                                                             centre < bestCentreDistance);
            if (closer) {
                underPointer = k;
                bestValueDistance = valueDistance;
                bestCentreDistance = centre;
            }
        } else {
            const int64_t edge = std::min(Distance(s, pos), Distance(e, pos));
            if (edge < bestEdgeDistance) {
                bestEdgeDistance = edge;
                nearestEdge = k;
            }
        }
    };
    // A long item that started before the look-back still lies under the pointer: without this
    // the pointer would describe a neighbour, or nothing, over a gene drawn right there.
    if (lower > 0)
        ForEachReaching(0, lower, PositionFromInt64(int64_t{pos} + 1, 0, kNoPosition), consider);
    for (size_t k = lower; k < upper; ++k)
        consider(k);
    return anyUnderPointer ? underPointer : nearestEdge;
}

size_t ChromosomeDataset::FindItemIndexAt(uint32_t pos, float value, uint32_t from,
                                          uint32_t to) const {
    const ItemHandle found = FindItemAt(pos, value, from, to);
    const std::vector<uint32_t>& starts = starts_;
    if (found == End())
        return starts.size();
    return static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), starts[found]) -
                               starts.begin());
}

bool ChromosomeDataset::WriteGff(std::ostream* stream, uint32_t from, uint32_t to,
                                 const std::string& chromosomeName, const std::string& trackName) {
    if (stream == nullptr || !stream->good() || from == kNoPosition || items_.empty())
        return false;
    // Every item whose start lies in from..to, however many share either end.
    const std::vector<uint32_t>& starts = GetStartPositions();
    const size_t first =
        static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), from) - starts.begin());
    const size_t last =
        to == kNoPosition ? starts.size()
                          : static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), to) -
                                                starts.begin());

    GffLineWriter writer(*stream);
    auto lastPoll = std::chrono::steady_clock::now();
    for (size_t k = first; k < last; ++k) {
        const ItemView item = GetItem(k);
        if (item.Attributes.size() >= kLongText && k + kPrefetchAhead < last)
            PrefetchTexts(k + kPrefetchAhead);
        writer.Write(chromosomeName, trackName, starts[k], item);
        if ((k - first) % kItemsPerClockCheck != kItemsPerClockCheck - 1)
            continue;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPoll > kCancelPollInterval) {
            lastPoll = now;
            // Half a track is no export: the caller must know to throw the file away.
            if (!writer.Flush() || IsCancelRequested(false))
                return false;
        }
    }
    return writer.Flush();
}

bool ChromosomeDataset::SaveGff(const std::string& fileName, const std::string& chromosomeName,
                                const std::string& trackName, bool append) {
    std::ofstream out(fileName, append ? std::ios::app : std::ios::trunc);
    if (!out)
        return false;
    std::clog << "Saving into " << fileName << " with " << GetItemCount() << " items" << std::endl;
    if (items_.empty())
        return true;
    const std::vector<uint32_t>& starts = GetStartPositions();
    const bool written = WriteGff(&out, starts.front(), starts.back(), chromosomeName, trackName);
    out.close();
    return written && !out.fail();
}

void ChromosomeDataset::SetPointWidth(int width) {
    width = std::max(width, 0);
    PointWidthLeft = width / 2;
    PointWidthRight = width / 2 + width % 2;
}

void ChromosomeDataset::SetPointHeight(int height) {
    height = std::max(height, 0);
    PointHeightTop = height / 2;
    PointHeightBottom = height / 2 + height % 2;
}
