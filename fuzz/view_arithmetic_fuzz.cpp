// The view's arithmetic and the --region parsing on ranges near both ends of the position
// space: layouts, zooming in and out to the limits as the view does it (zoom the kept range,
// lay out, centre), scrolling, going to a position and mapping x to bases and back. After
// every step the visible range must run forwards inside the positions, and a zoom must hold
// (in) or cover (out) the range it started from. A broken rule aborts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/pane_label.h"
#include "view/view_geometry.h"

namespace {

constexpr int kMaxSteps = 64;
constexpr int kMaxTracks = 64;

void Require(bool rule, const char* what, Range range) {
    if (rule)
        return;
    std::fprintf(stderr, "%s: [%u, %u]\n", what, range.first, range.second);
    std::abort();
}

Position FuzzedPosition(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 2)) {
        case 0: return input.ConsumeIntegralInRange<uint32_t>(0, 16);
        case 1: return kLastPosition - input.ConsumeIntegralInRange<uint32_t>(0, 16);
        default: return input.ConsumeIntegral<uint32_t>();
    }
}

double Factor(FuzzedDataProvider& input) {
    return input.ConsumeProbability<double>();
}

void RequireVisible(const ViewGeometry& geometry, const char* after) {
    const Range visible = geometry.GetVisibleRange();
    Require(visible.first <= visible.second, after, visible);
    Require(visible.second <= kLastPosition, after, visible);
}

// A label written as the pane selector writes it must read back as written.
void CheckLabel(FuzzedDataProvider& input) {
    std::string pane = input.ConsumeRandomLengthString(32);
    pane = PaneLabel::Parse(pane).paneName;  // trimmed as a typed label would be
    if (pane.empty() || PaneLabel::Parse(pane).range.first != kNoPosition)
        return;
    const Range range{FuzzedPosition(input), FuzzedPosition(input)};
    if (range.first == kNoPosition || range.second == kNoPosition)
        return;
    const PaneLabel::Parsed parsed = PaneLabel::Parse(PaneLabel::Format(pane, range));
    Require(parsed.paneName == pane && parsed.range == range && !parsed.outOfRange,
            "label does not read back", range);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CheckLabel(input);
    const PaneLabel::Parsed region = PaneLabel::Parse(input.ConsumeRandomLengthString(48));
    if (region.outOfRange || region.range.first == kNoPosition)
        Require(region.range.second == kNoPosition, "half a region", region.range);

    ViewGeometry geometry;
    ViewGeometry::LayoutInput layout;
    layout.clientWidth = input.ConsumeIntegralInRange<int>(0, 40000);
    layout.clientHeight = input.ConsumeIntegralInRange<int>(0, 40000);
    layout.headerVisible = input.ConsumeBool();
    layout.fullRange = {FuzzedPosition(input), FuzzedPosition(input)};
    layout.jumpRange = {FuzzedPosition(input), FuzzedPosition(input)};
    layout.ownTrackHeights.assign(input.ConsumeIntegralInRange<size_t>(0, kMaxTracks),
                                  input.ConsumeIntegralInRange<int>(0, 400));
    geometry.RecalcLayout(layout);
    RequireVisible(geometry, "after the layout");
    if (region.range.first != kNoPosition) {
        geometry.SetVisibleRange(region.range.first, region.range.second);
        RequireVisible(geometry, "after going to the region");
    }

    for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
        const Range kept = layout.jumpRange;
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
            case 0: {  // zoom in as the view does
                const double factor = Factor(input);
                Range zoomed;
                if (ViewGeometry::ZoomInRange(kept, factor, zoomed)) {
                    Require(zoomed.first <= zoomed.second, "zoom in turned round", zoomed);
                    Require(zoomed.first >= kept.first && zoomed.second <= kept.second,
                            "zoom in left the range", zoomed);
                    layout.jumpRange = zoomed;
                    geometry.RecalcLayout(layout);
                    geometry.CenterOn(FuzzedPosition(input), factor);
                }
                break;
            }
            case 1: {  // zoom out as the view does
                const double factor = Factor(input);
                const Range zoomed = ViewGeometry::ZoomOutRange(kept, factor);
                // A range that runs backwards stands for an empty pane and stays one;
                // 0xFFFFFFFF is no position.
                if (kept.first <= kept.second && kept.second <= kLastPosition)
                    Require(zoomed.first <= zoomed.second, "zoom out turned round", zoomed);
                if (kept.first <= kept.second && kept.second < kLastPosition)
                    Require(zoomed.first <= kept.first && zoomed.second >= kept.second,
                            "zoom out lost part of the range", zoomed);
                layout.jumpRange = zoomed;
                geometry.RecalcLayout(layout);
                geometry.CenterOn(FuzzedPosition(input), factor);
                break;
            }
            case 2:
                geometry.SetVisibleRange(FuzzedPosition(input), FuzzedPosition(input));
                break;
            case 3:
                geometry.ScrollHorizontally(
                    static_cast<ViewGeometry::ScrollAction>(input.ConsumeIntegralInRange<int>(0, 6)),
                    input.ConsumeIntegral<int64_t>());
                break;
            case 4: {
                const int width = input.ConsumeIntegralInRange<int>(0, 40000);
                const int x = geometry.PositionToX(FuzzedPosition(input),
                                                   input.ConsumeIntegralInRange<int>(0, 2), width);
                const ViewGeometry::PointHit hit = geometry.PointToPosition(
                    x, input.ConsumeIntegral<int>(), width,
                    static_cast<int>(layout.ownTrackHeights.size()));
                Require(hit.position <= kLastPosition, "point beyond the positions",
                        {hit.position, hit.position});
                break;
            }
            default:
                geometry.RecalcLayout(layout);
                break;
        }
        RequireVisible(geometry, "after a step");
    }
    return 0;
}
