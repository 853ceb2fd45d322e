#include "view/column_extremes.h"

#include <algorithm>
#include <cmath>
#include <queue>

#include "data/chromosome_dataset.h"
#include "data/position.h"
#include "view/view_geometry.h"

namespace {

constexpr int kAlignLeft = 0;   // PositionToX at a base's left edge
constexpr int kAlignRight = 2;  // and at its right edge

// An item reaching past the column it starts in, kept until the sweep passes its right edge.
struct Active {
    float value;
    size_t item;
    int right;
};

// Heap orders whose top is the first item of the largest (smallest) value.
struct LargestFirst {
    bool operator()(const Active& a, const Active& b) const {
        return a.value < b.value || (a.value == b.value && a.item > b.item);
    }
};
struct SmallestFirst {
    bool operator()(const Active& a, const Active& b) const {
        return a.value > b.value || (a.value == b.value && a.item > b.item);
    }
};

template <typename Heap>
void DropEnded(Heap& heap, int column) {
    while (!heap.empty() && heap.top().right <= column)
        heap.pop();
}

}  // namespace

ColumnExtremes::ColumnExtremes(const ChromosomeDataset& track, bool unitValues,
                               const ViewGeometry& geometry, int targetWidth)
    : track_(track),
      unitValues_(unitValues),
      geometry_(geometry),
      targetWidth_(targetWidth),
      width_(ViewGeometry::DataWidth(targetWidth)) {}

int ColumnExtremes::LeftOf(uint32_t start) const {
    return geometry_.PositionToX(start, kAlignLeft, targetWidth_) -
           ViewGeometry::kLabelWidth;
}

int ColumnExtremes::RawRight(uint32_t position) const {
    return geometry_.PositionToX(position, kAlignRight, targetWidth_) -
           ViewGeometry::kLabelWidth;
}

int ColumnExtremes::RightOf(uint32_t start, uint32_t effectiveStop) const {
    return std::max(RawRight(effectiveStop), LeftOf(start) + 1);
}

uint32_t ColumnExtremes::FirstPositionReaching(int column) const {
    if (RawRight(kLastPosition) < column)
        return kLastPosition;  // nothing reaches it; every item found is checked again anyway
    // RawRight is monotone: the answer is the first position it takes to column or beyond.
    // Inverting the mapping gives a guess that is right or a base or two off; a galloping
    // search from there finds the exact answer with a handful of mappings instead of the 32 of
    // a search over every position, which mattered once rows were drawn a thousand columns wide.
    const double page = static_cast<double>(std::max<int64_t>(geometry_.horizontal.page, 1));
    const double guess = std::ceil(static_cast<double>(geometry_.horizontal.position) - 1.0 +
                                   column * page / width_);
    const uint64_t start = PositionFromDouble(guess);
    const auto reaches = [&](uint64_t position) {
        return RawRight(static_cast<uint32_t>(position)) >= column;
    };
    // A bracket [low, high] with the answer in it: high reaches, low - 1 does not.
    uint64_t low = start;
    uint64_t high = start;
    uint64_t step = 1;
    if (reaches(start)) {
        while (low > 0) {
            const uint64_t next = low > step ? low - step : 0;
            if (!reaches(next)) {
                low = next + 1;
                break;
            }
            high = next;
            low = next;
            step *= 2;
        }
    } else {
        while (true) {  // kLastPosition reaches, so this ends
            low = high + 1;
            high = std::min<uint64_t>(high + step, kLastPosition);
            if (reaches(high))
                break;
            step *= 2;
        }
    }
    while (low < high) {
        const uint64_t middle = low + (high - low) / 2;
        if (reaches(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return static_cast<uint32_t>(low);
}

size_t ColumnExtremes::FirstIndexFrom(size_t from, int column) const {
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    return static_cast<size_t>(
        std::partition_point(starts.begin() + static_cast<ptrdiff_t>(from), starts.end(),
                             [&](uint32_t start) { return LeftOf(start) < column; }) -
        starts.begin());
}

void ColumnExtremes::Offer(Column& column, size_t item) const {
    if (item == kNone)
        return;
    const float value = track_.DrawnValue(item, unitValues_);
    if (std::isnan(value))
        return;
    const auto better = [&](size_t held, bool larger) {
        if (held == kNone)
            return true;
        const float other = track_.DrawnValue(held, unitValues_);
        if (value == other)
            return item < held;
        return larger ? value > other : value < other;
    };
    if (better(column.maxItem, true))
        column.maxItem = item;
    if (better(column.minItem, false))
        column.minItem = item;
}

std::vector<ColumnExtremes::Column> ColumnExtremes::Find() const {
    std::vector<Column> columns(static_cast<size_t>(width_));
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    if (starts.empty())
        return columns;
    const OverlapIndex& index = track_.GetOverlapIndex(unitValues_);
    const auto valueAt = [this](size_t k) { return track_.DrawnValue(k, unitValues_); };
    const auto stopAt = [this](size_t k) { return track_.EffectiveStop(k); };

    std::priority_queue<Active, std::vector<Active>, LargestFirst> largest;
    std::priority_queue<Active, std::vector<Active>, SmallestFirst> smallest;
    const auto keep = [&](size_t k, int beyond) {
        const float value = valueAt(k);
        const int right = RightOf(starts[k], stopAt(k));
        if (right > beyond && !std::isnan(value)) {
            largest.push({value, k, right});
            smallest.push({value, k, right});
        }
    };

    // Items left of the view that reach into it.
    size_t begin = FirstIndexFrom(0, 0);
    index.ForEachReaching(0, begin, FirstPositionReaching(1), stopAt,
                          [&](size_t k) { keep(k, 0); });
    for (int c = 0; c < width_; ++c) {
        const size_t end = FirstIndexFrom(begin, c + 1);
        Column& column = columns[static_cast<size_t>(c)];
        const ValueSummary::Extremes starting = index.FindExtremes(begin, end, valueAt);
        Offer(column, starting.MaxIndex);
        Offer(column, starting.MinIndex);
        DropEnded(largest, c);
        DropEnded(smallest, c);
        if (!largest.empty())
            Offer(column, largest.top().item);
        if (!smallest.empty())
            Offer(column, smallest.top().item);
        // Of the items starting here, only those reaching the next column are kept.
        index.ForEachReaching(begin, end, FirstPositionReaching(c + 2), stopAt,
                              [&](size_t k) { keep(k, c + 1); });
        begin = end;
    }
    return columns;
}

std::vector<ColumnExtremes::Column> ColumnExtremes::FindByWalking() const {
    std::vector<Column> columns(static_cast<size_t>(width_));
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    for (size_t k = 0; k < starts.size(); ++k) {
        const int from = std::max(LeftOf(starts[k]), 0);
        const int to = std::min(RightOf(starts[k], track_.EffectiveStop(k)), width_);
        for (int c = from; c < to; ++c)
            Offer(columns[static_cast<size_t>(c)], k);
    }
    return columns;
}

std::vector<size_t> ColumnExtremes::ItemsInView(int growLeft, int growRight) const {
    std::vector<size_t> items;
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    if (starts.empty())
        return items;
    const auto stopAt = [this](size_t k) { return track_.EffectiveStop(k); };
    const size_t begin = FirstIndexFrom(0, 0);
    track_.GetOverlapIndex(unitValues_).ForEachReaching(
        0, begin, FirstPositionReaching(1 - growRight), stopAt, [&](size_t k) {
            if (RightOf(starts[k], stopAt(k)) + growRight > 0)
                items.push_back(k);
        });
    const size_t end = FirstIndexFrom(begin, width_ + growLeft);
    for (size_t k = begin; k < end; ++k)
        items.push_back(k);
    return items;
}
