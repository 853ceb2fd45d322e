#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <string>

#include "view/render_settings.h"

class GenomeDataset;
class ViewGeometry;

// The full drawing pass of a pane: the header band with its ruler, then one row per track from
// the first visible one down, each with its label column, value scale and items. The screen,
// image export and the headless render all draw through it.
class TrackRenderer {
public:
    TrackRenderer(const GenomeDataset& genome, std::string paneName, ViewGeometry& geometry,
                  const RenderSettings& settings);

    // Fills target with background and draws into it; the geometry's row tops and bottoms are
    // refilled with the rows drawn. target's top-left is the view's (0, 0).
    void DrawAll(QPainter& painter, const QRect& target, const QColor& background);

    // The height of an image holding every track of the pane: the top of the first row, the
    // rows, and 25 pixels below.
    int FullImageHeight();

private:
    void DrawHeader(QPainter& painter, int width, const RenderResources& resources);

    const GenomeDataset& genome_;
    const std::string paneName_;
    ViewGeometry& geometry_;
    const RenderSettings settings_;
};
