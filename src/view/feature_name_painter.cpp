#include "view/feature_name_painter.h"

#include <QFontMetrics>
#include <algorithm>

#include "data/chromosome_dataset.h"
#include "data/feature_name.h"
#include "framework/display_text.h"
#include "data/percent_decoding.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

namespace {

constexpr int kLeftEdge = 0;
constexpr int kRightEdge = 2;

}  // namespace

FeatureNamePainter::FeatureNamePainter(QPainter& painter, const ViewGeometry& geometry,
                                       int targetWidth, const RenderResources& resources)
    : painter_(painter), geometry_(geometry), targetWidth_(targetWidth), resources_(resources) {}

std::vector<size_t> FeatureNamePainter::VisibleItems(const ChromosomeDataset& track,
                                                     bool unitValues) const {
    const Range visible = geometry_.GetVisibleRange();
    const std::vector<uint32_t>& starts = track.GetStartPositions();
    const size_t first = static_cast<size_t>(
        std::lower_bound(starts.begin(), starts.end(), visible.first) - starts.begin());
    const size_t last = static_cast<size_t>(
        std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(first), starts.end(),
                         visible.second) -
        starts.begin());
    if (last - first > kMaximumNamedItems)
        return {};
    std::vector<size_t> items;
    // Items that start left of the view and reach into it come first, as they start first.
    bool tooMany = false;
    track.GetOverlapIndex(unitValues).ForEachReaching(
        0, first, visible.first,
        [&track](size_t item) { return std::max(track.GetStart(item), track.GetStop(item)); },
        [&](size_t item) {
            if (items.size() + (last - first) < kMaximumNamedItems)
                items.push_back(item);
            else
                tooMany = true;
        });
    if (tooMany)
        return {};
    for (size_t item = first; item < last; ++item)
        items.push_back(item);
    return items;
}

void FeatureNamePainter::Draw(const ChromosomeDataset& track, bool unitValues, int rowTop,
                              int rowBottom, const ExtentOf& extentOf) {
    const std::vector<size_t> items = VisibleItems(track, unitValues);
    if (items.empty())
        return;
    const int dataLeft = ViewGeometry::kLabelWidth;
    const int dataRight = dataLeft + ViewGeometry::DataWidth(targetWidth_);
    std::vector<QRect> bars;
    bars.reserve(items.size());
    for (const size_t item : items) {
        const int left = std::max(
            geometry_.PositionToX(track.GetStart(item), kLeftEdge, targetWidth_), dataLeft);
        const int right = std::min(
            geometry_.PositionToX(std::max(track.GetStart(item), track.GetStop(item)),
                                  kRightEdge, targetWidth_),
            dataRight);
        const auto [top, bottom] = extentOf(item);
        bars.emplace_back(QPoint(left, top), QPoint(std::max(right, left + 1) - 1, bottom - 1));
    }

    painter_.save();
    painter_.setFont(resources_.small);
    painter_.setPen(resources_.text);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    const QFontMetrics metrics(resources_.small);
    const int textHeight = metrics.height();
    std::vector<QRect> placed;
    for (size_t k = 0; k < items.size(); ++k) {
        const std::string name =
            PercentDecodedForDisplay(FeatureName(track.GetItem(items[k]).Attributes));
        if (name.empty())
            continue;
        const QString text = DisplayText::From(name);
        const int width = metrics.horizontalAdvance(text);
        const QRect& bar = bars[k];
        int left = bar.right() + 1 + kGap;
        if (left + width > dataRight)
            left = bar.left() - kGap - width;  // no room on the right: before the bar
        const int top = bar.center().y() - textHeight / 2;
        const QRect box(left, std::clamp(top, rowTop, rowBottom - textHeight), width, textHeight);
        const auto hits = [&box](const QRect& other) { return other.intersects(box); };
        if (left < dataLeft || textHeight > rowBottom - rowTop ||
            std::any_of(placed.begin(), placed.end(), hits) ||
            std::any_of(bars.begin(), bars.end(), hits))
            continue;
        placed.push_back(box.adjusted(-kGap, 0, kGap, 0));
        painter_.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter_.restore();
}
