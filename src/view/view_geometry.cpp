#include "view/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTicksPerPixels = 50;
// A point this close below the top of the first row still counts as the header band.
constexpr int kFirstRowGrace = 15;
constexpr int kAlignmentCentre = 1;
constexpr int kAlignmentRight = 2;

// Widens [first, last] until it spans at least ViewGeometry::kMinimumSpan bases; first stays
// at or above lowest.
Range Widened(Range range, uint32_t lowest) {
    int64_t first = range.first;
    int64_t last = range.second;
    if (first > last)  // an empty pane
        first = last = std::max<int64_t>(lowest, 1);
    while (last - first < ViewGeometry::kMinimumSpan) {
        if (first > lowest)
            --first;
        if (last - first < ViewGeometry::kMinimumSpan)
            ++last;
    }
    return {static_cast<Position>(first), PositionFromInt64(last)};
}

}  // namespace

int ViewGeometry::DataWidth(int targetWidth) {
    return std::max(targetWidth - kLabelWidth, 1);
}

int ViewGeometry::TrackHeight(int ownHeight) {
    if (ownHeight >= kMinimumOwnHeight)
        return ownHeight;
    if (automaticTrackHeight < kDefaultTrackHeight)
        automaticTrackHeight = kDefaultTrackHeight;
    return automaticTrackHeight;
}

int ViewGeometry::PositionToX(uint32_t position, int alignment, int targetWidth) const {
    const double page = static_cast<double>(std::max<int64_t>(horizontal.page, 1));
    const double pixelsPerBase = DataWidth(targetWidth) / page;
    double offset = 0.0;
    if (alignment == kAlignmentCentre)
        offset = 0.5 * pixelsPerBase;
    else if (alignment == kAlignmentRight)
        offset = pixelsPerBase;
    const double x =
        kLabelWidth +
        std::trunc(pixelsPerBase * static_cast<double>(int64_t{position} - horizontal.position) +
                   offset);
    // Far off-screen items still give coordinates a painter can take.
    return static_cast<int>(std::clamp(x, -double(kMaxCoordinate), double(kMaxCoordinate)));
}

int ViewGeometry::RowTop(int row) const {
    if (row < 0 || row >= static_cast<int>(rowTops.size()))
        return -1;
    return rowTops[static_cast<size_t>(row)];
}

ViewGeometry::PointHit ViewGeometry::PointToPosition(int x, int y, int targetWidth,
                                                     int trackCount) const {
    PointHit hit;
    const double page = static_cast<double>(std::max<int64_t>(horizontal.page, 1));
    const double fraction = std::max(double(x - kLabelWidth) / DataWidth(targetWidth), 0.0);
    const double position = double(horizontal.position) + std::trunc(fraction * page);
    hit.position = PositionFromDouble(position);

    hit.trackIndex = static_cast<int>(vertical.position);
    if (y > 0 && !rowBottoms.empty()) {
        const auto found = std::lower_bound(rowBottoms.begin(), rowBottoms.end(), y);
        if (found == rowBottoms.end()) {
            hit.trackIndex = trackCount - 1;
        } else if (found != rowBottoms.begin()) {
            hit.trackIndex = static_cast<int>(vertical.position + (found - rowBottoms.begin()));
            hit.outsideRow = false;
        } else if (y < rowTops.front() + kFirstRowGrace) {
            // Outside, but still the first visible row, not track 0 of a scrolled view.
        } else {
            hit.outsideRow = false;
        }
    }
    hit.trackIndex = std::min(hit.trackIndex, trackCount - 1);
    return hit;
}

int ViewGeometry::TitleRowAt(int x, int y) const {
    if (x < kLabelWidth)
        return -1;
    for (size_t row = 0; row < rowTops.size() && row < rowTitleRights.size(); ++row) {
        if (y >= rowTops[row] && y < rowTops[row] + kTitleMargin && x < rowTitleRights[row])
            return static_cast<int>(row);
    }
    return -1;
}

// A page zoomed out past the pane can reach beyond the last position; the ends stop there
// rather than wrap round to small positions.
Range ViewGeometry::GetVisibleRange() const {
    return {static_cast<Position>(horizontal.position),
            PositionFromInt64(horizontal.position + horizontal.page - 1)};
}

Range ViewGeometry::GetVisibleRangeExclusive() const {
    // The end lies one past the last base, so it may be kNoPosition.
    return {static_cast<Position>(horizontal.position),
            PositionFromInt64(horizontal.position + std::max<int64_t>(horizontal.page, 1), 0,
                              kNoPosition)};
}

uint32_t ViewGeometry::GetCenterPosition() const {
    return PositionFromInt64(horizontal.position + horizontal.page / 2);
}

void ViewGeometry::SetPosition(ScrollBar& bar, int64_t position) {
    const int64_t highest = std::max(bar.minimum, bar.maximum - bar.page + 1);
    bar.position = std::clamp(position, bar.minimum, highest);
}

int ViewGeometry::CountFittingRows(const std::vector<int>& ownHeights, int height) {
    int y = HeaderHeight() + kHeaderGap;
    int fitting = 0;
    const int count = static_cast<int>(ownHeights.size());
    for (int i = static_cast<int>(vertical.position); i < count; ++i) {
        y += TrackHeight(ownHeights[static_cast<size_t>(i)]);
        if (y > height)
            break;
        ++fitting;
        if (i + 1 < count)
            y += kRowGap;
    }
    return std::max(fitting, 1);
}

int ViewGeometry::CountRowsFittingAtEnd(const std::vector<int>& ownHeights, int height) {
    int y = HeaderHeight() + kHeaderGap;
    int fitting = 0;
    for (auto own = ownHeights.rbegin(); own != ownHeights.rend(); ++own) {
        y += TrackHeight(*own) + (fitting > 0 ? kRowGap : 0);
        if (y > height)
            break;
        ++fitting;
    }
    return std::max(fitting, 1);
}

Range ViewGeometry::RecalcLayout(const LayoutInput& input) {
    headerVisible = input.headerVisible;

    const Range full = Widened(input.fullRange, 1);
    const Range current = Widened(input.jumpRange, 0);
    horizontal.minimum = full.first;
    horizontal.maximum = full.second;
    // Zooming out stops at the whole pane: a wider page would put the visible end past the
    // last base, beyond what 32 bits hold.
    horizontal.page = std::clamp<int64_t>(int64_t{current.second} - current.first + 1, 1,
                                          horizontal.maximum - horizontal.minimum + 1);
    SetPosition(horizontal, horizontal.position);

    const int height = input.clientHeight - input.horizontalBarHeight;
    const int available = height - HeaderHeight() - kHeaderGap;
    const int tracks = static_cast<int>(input.ownTrackHeights.size());
    automaticTrackHeight =
        std::max((available - kScaleMargin) / std::max(tracks, 1), kMinimumAutomaticHeight);
    vertical.minimum = 0;
    vertical.maximum = tracks - 1;
    SetPosition(vertical, vertical.position);
    // When the window grows, rows scrolled away at the top come back rather than leaving a
    // blank band below the last row.
    if (tracks > 0)
        vertical.position = std::min<int64_t>(
            vertical.position, tracks - CountRowsFittingAtEnd(input.ownTrackHeights, height));
    vertical.page = CountFittingRows(input.ownTrackHeights, height);
    SetPosition(vertical, vertical.position);
    return GetVisibleRange();
}

bool ViewGeometry::ZoomInRange(Range current, double factor, Range& zoomed) {
    const int64_t start = current.first;
    const int64_t end = current.second;
    const int64_t half = (end - start) / 2;
    if (half < kMinimumZoomHalf)
        return false;
    const int64_t d = static_cast<int64_t>(std::trunc(double(half) * factor));
    int64_t r = half - d;
    if (r >= end)
        r = end;
    zoomed = {static_cast<uint32_t>(start + d), static_cast<uint32_t>(end - r)};
    return true;
}

Range ViewGeometry::ZoomOutRange(Range current, double factor) {
    const int64_t start = current.first;
    const int64_t end = current.second;
    int64_t width = end - start;
    if (width <= 0)
        width = 1;
    const int64_t total = 2 * width;
    int64_t d = static_cast<int64_t>(std::trunc(double(total) * factor));
    if (d >= start)
        d = start;  // what cannot be added on the left goes to the right
    return {static_cast<Position>(start - d), PositionFromInt64(end + (total - d))};
}

Range ViewGeometry::CenterOn(uint32_t center, double factor) {
    // Signed: near the pane's left end the difference is negative and must clamp to the start.
    const int64_t position =
        int64_t{center} - static_cast<int64_t>(std::trunc(double(horizontal.page) * factor));
    SetPosition(horizontal, std::clamp(position, horizontal.minimum, horizontal.maximum));
    return GetVisibleRange();
}

Range ViewGeometry::SetVisibleRange(uint32_t start, uint32_t end) {
    const int64_t low = std::min(start, end);
    const int64_t high = std::max(start, end);
    // The width asked for is kept, at most the pane: a range that meets the data on fewer bases
    // (or beside it) is shifted into the data rather than cut down to what overlaps, which
    // could be a single base.
    const int64_t page = std::min(high - low + 1, horizontal.maximum - horizontal.minimum + 1);
    horizontal.page = page < 2 ? 1 : page;
    SetPosition(horizontal, low);
    return GetVisibleRange();
}

int64_t ViewGeometry::ScrolledPosition(const ScrollBar& bar, ScrollAction action, int64_t line,
                                       int64_t trackPosition) {
    switch (action) {
        case ScrollAction::kLineBack:
            return bar.position - line;
        case ScrollAction::kLineForward:
            return bar.position + line;
        case ScrollAction::kPageBack:
            return bar.position - bar.page;
        case ScrollAction::kPageForward:
            return bar.position + bar.page;
        case ScrollAction::kTrack:
            return trackPosition;
        case ScrollAction::kStart:
            return bar.minimum;
        case ScrollAction::kEnd:
            return bar.maximum;
    }
    return bar.position;
}

Range ViewGeometry::ScrollHorizontally(ScrollAction action, int64_t trackPosition) {
    const int64_t page = horizontal.page;
    const int64_t line = page <= kLargeLineStep ? 1 : std::max<int64_t>(page / 10, 1);
    SetPosition(horizontal, ScrolledPosition(horizontal, action, line, trackPosition));
    return GetVisibleRange();
}

void ViewGeometry::ScrollVertically(ScrollAction action, int64_t trackPosition) {
    const int64_t line = std::max<int64_t>(vertical.page / 10, 1);
    SetPosition(vertical, ScrolledPosition(vertical, action, line, trackPosition));
}

uint32_t ViewGeometry::RulerStep(int64_t page, int targetWidth) {
    const int64_t ticks = std::max(DataWidth(targetWidth) / kTicksPerPixels, 1);
    int64_t step = page / ticks;
    if (step > 10) {
        const int64_t power =
            static_cast<int64_t>(std::pow(10.0, std::floor(std::log10(double(step)))));
        step = (step / power) * power;
    }
    return static_cast<uint32_t>(std::max<int64_t>(step, 1));
}
