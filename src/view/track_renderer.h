#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "data/genome_dataset.h"
#include "view/render_settings.h"

class ViewGeometry;

// The full drawing pass of a pane: the header band with its ruler, then one row per track from
// the first visible one down, each with its label column, value scale and items. The screen,
// image export and the headless render all draw through it. The pane's track list is taken
// once, when the renderer is made, so that many passes (the pages of a print) cost no more
// than their rows; the data must not change while the renderer is in use.
class TrackRenderer {
public:
    // Height of the bands DrawImage draws one after the other.
    static constexpr int kBandHeight = 2048;

    TrackRenderer(const GenomeDataset& genome, std::string paneName, ViewGeometry& geometry,
                  const RenderSettings& settings);

    // Fills target with background and draws into it; the geometry's row tops and bottoms are
    // refilled with the rows drawn. target's top-left is the view's (0, 0).
    void DrawAll(QPainter& painter, const QRect& target, const QColor& background);

    // The height of an image holding every track of the pane: the top of the first row, the
    // rows, and 25 pixels below.
    int64_t FullImageHeight();

    // Draws every track of the pane from the first into image, FullImageHeight() high, as
    // DrawAll would in one pass. Text drawing slows down more than linearly on images many
    // thousand pixels high, so the image is drawn in bands of kBandHeight, each through an
    // image that shares the band's pixels: the cost stays linear in the rows.
    void DrawImage(QImage& image, const QColor& background);

private:
    void DrawHeader(QPainter& painter, int width, const RenderResources& resources);

    const std::string paneName_;
    const std::vector<GenomeDataset::TrackRef> tracks_;
    ViewGeometry& geometry_;
    const RenderSettings settings_;
};
