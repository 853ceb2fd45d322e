#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/value_summary.h"

class ChromosomeDataset;
class ViewGeometry;

// Which items each pixel column of a track row shows. An item covers the columns of its pixel
// span, from PositionToX of its start (left edge) to PositionToX of its effective stop (right
// edge), at least one column wide; a column shows, among every item covering it, the first
// (lowest handle) with the largest drawn value and the first with the smallest (a NaN score is
// drawn as 0). So long items stay visible at every zoom, whatever starts beside them.
class ColumnExtremes {
public:
    static constexpr size_t kNone = ValueSummary::kNoIndex;

    struct Column {
        size_t maxItem = kNone;  // item handles
        size_t minItem = kNone;
    };

    // The track drawn at the geometry's visible range into a target targetWidth pixels wide;
    // unitValues as in ChromosomeDataset::DrawnValue.
    ColumnExtremes(const ChromosomeDataset& track, bool unitValues, const ViewGeometry& geometry,
                   int targetWidth);

    // One entry per data column, through the track's overlap index: reads the items that
    // start in each column only through its summaries, and each item that reaches past the
    // column it starts in once.
    std::vector<Column> Find() const;
    // The same answer from a walk over every item of the track: the reference Find matches.
    std::vector<Column> FindByWalking() const;

    // Every item, ascending, whose span widened by growLeft columns to the left and growRight
    // to the right may cover a data column: the items a drawing item by item must visit.
    std::vector<size_t> ItemsInView(int growLeft, int growRight) const;

    // An item's first column and the column after its last, counted from the data area's left
    // edge (either may lie outside [0, width)).
    int LeftOf(uint32_t start) const;
    int RightOf(uint32_t start, uint32_t effectiveStop) const;

private:
    // The right edge of a base: PositionToX at the right alignment, from the data's left edge.
    int RawRight(uint32_t position) const;
    // The smallest position whose RawRight is column or more (kLastPosition when none is).
    uint32_t FirstPositionReaching(int column) const;
    // The first index from `from` whose start has LeftOf of column or more.
    size_t FirstIndexFrom(size_t from, int column) const;
    // Keeps the first of the larger (smaller) values between a column's candidate and item.
    void Offer(Column& column, size_t item) const;

    const ChromosomeDataset& track_;
    const bool unitValues_;
    const ViewGeometry& geometry_;
    const int targetWidth_;
    const int width_;
};
