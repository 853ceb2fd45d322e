#include "view/pane_image.h"

#include <QPainter>

#include "data/genome_dataset.h"
#include "view/track_renderer.h"
#include "view/view_geometry.h"

QImage PaneImage::Render(const GenomeDataset& genome, const std::string& paneName, Range range,
                         int width, bool headerVisible, const RenderSettings& settings,
                         const QColor& background) {
    ViewGeometry geometry;
    ViewGeometry::LayoutInput input;
    input.clientWidth = width;
    input.clientHeight = 1 << 20;  // no window: every row fits
    input.headerVisible = headerVisible;
    input.fullRange = genome.GetPaneExtent(paneName);
    input.jumpRange = range;
    for (const GenomeDataset::TrackRef& ref : genome.GetPaneTracks(paneName))
        input.ownTrackHeights.push_back(ref.dataset->TrackHeight);
    geometry.RecalcLayout(input);
    geometry.SetVisibleRange(range.first, range.second);
    geometry.automaticTrackHeight = ViewGeometry::kDefaultTrackHeight;

    TrackRenderer renderer(genome, paneName, geometry, settings);
    QImage image(width, renderer.FullImageHeight(), QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())  // null when there is no memory for it
        renderer.DrawImage(image, background);
    return image;
}
