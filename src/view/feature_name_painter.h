#pragma once

#include <QPainter>
#include <QRect>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class ChromosomeDataset;
class ViewGeometry;
struct RenderResources;

// Writes the names of a row's features beside their bars once the view is zoomed in far enough
// that they have room: right of the bar (left of it at the right edge), inside the row, never
// over another name or another feature's bar. Names that would collide are left out, so they
// thin out as the view zooms out; above kMaximumNamedItems features in view no name is looked
// up at all.
class FeatureNamePainter {
public:
    static constexpr size_t kMaximumNamedItems = 400;
    static constexpr int kGap = 2;  // pixels between a bar and its name

    // The rows [top, bottom) that an item's bar or mark covers, from its handle.
    using ExtentOf = std::function<std::pair<int, int>(size_t item)>;

    FeatureNamePainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                       const RenderResources& resources);

    // rowTop and rowBottom (exclusive) bound the names; unitValues as the row's scale draws.
    void Draw(const ChromosomeDataset& track, bool unitValues, int rowTop, int rowBottom,
              const ExtentOf& extentOf);

private:
    // The items that overlap the visible range, in start order; empty when there are more than
    // kMaximumNamedItems.
    std::vector<size_t> VisibleItems(const ChromosomeDataset& track, bool unitValues) const;

    QPainter& painter_;
    const ViewGeometry& geometry_;
    const int targetWidth_;
    const RenderResources& resources_;
};
