#include "view/pane_image.h"

#include <QPainter>

#include "data/genome_dataset.h"
#include "document/pane_label.h"
#include "view/track_renderer.h"

ViewGeometry PaneImage::Layout(const GenomeDataset& genome, const std::string& paneName,
                               Range range, int width, bool headerVisible,
                               int automaticTrackHeight) {
    ViewGeometry geometry;
    ViewGeometry::LayoutInput input;
    input.clientWidth = width;
    input.clientHeight = 1 << 20;  // no window: every row fits
    input.headerVisible = headerVisible;
    input.fullRange = genome.Store().GetPaneExtent(paneName);
    input.jumpRange = range;
    for (const GenomeDataset::TrackRef& ref : genome.Store().GetPaneTracks(paneName))
        input.ownTrackHeights.push_back(ref.dataset->TrackHeight);
    geometry.RecalcLayout(input);
    geometry.SetVisibleRange(range.first, range.second);
    geometry.automaticTrackHeight = automaticTrackHeight;
    geometry.vertical.position = 0;
    return geometry;
}

int64_t PaneImage::Height(const GenomeDataset& genome, const std::string& paneName, Range range,
                          int width, bool headerVisible, int automaticTrackHeight) {
    ViewGeometry geometry =
        Layout(genome, paneName, range, width, headerVisible, automaticTrackHeight);
    return TrackRenderer(genome, paneName, geometry, RenderSettings()).FullImageHeight();
}

std::string PaneImage::SizeProblem(const GenomeDataset& genome, const std::string& paneName,
                                   Range range, int width, bool headerVisible,
                                   int automaticTrackHeight) {
    const int64_t height =
        Height(genome, paneName, range, width, headerVisible, automaticTrackHeight);
    if (width <= 0 || height <= 0 || int64_t{width} * height <= kMaximumPixels)
        return {};
    return "(" + PaneLabel::GroupedNumber(uint64_t(width)) + " x " +
           PaneLabel::GroupedNumber(uint64_t(height)) + " pixels is more than the " +
           PaneLabel::GroupedNumber(uint64_t(kMaximumPixels)) +
           " a picture may hold: show fewer tracks or make it narrower)";
}

QImage PaneImage::Render(const GenomeDataset& genome, const std::string& paneName, Range range,
                         int width, bool headerVisible, const RenderSettings& settings,
                         const QColor& background, int automaticTrackHeight) {
    ViewGeometry geometry =
        Layout(genome, paneName, range, width, headerVisible, automaticTrackHeight);
    TrackRenderer renderer(genome, paneName, geometry, settings);
    const int64_t height = renderer.FullImageHeight();
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaximumPixels)
        return QImage();
    QImage image(width, static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())  // null when there is no memory for it
        renderer.DrawImage(image, background);
    return image;
}
