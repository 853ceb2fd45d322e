#include "view/render_settings.h"

#include <cmath>

#include "document/view_options.h"

namespace {

// Points at the 96 dots per inch of a screen, in pixels, so that screen, image and printer
// passes lay text out alike.
QFont Arial(double points, double scale) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0 * scale))));
    return font;
}

}  // namespace

RenderSettings RenderSettingsFor(int defaultTrackStyle, const ViewOptions* options,
                                 double outputScale) {
    const ViewOptions shown = options != nullptr ? *options : ViewOptions();
    RenderSettings settings;
    settings.outputScale = outputScale;
    settings.defaultTrackStyle = defaultTrackStyle;
    settings.showGridLines = shown.ShowGridLinesHoriz;
    settings.showDataBorder = shown.ShowTransparentDataBorder;
    settings.showManualScaleOverlay = shown.ShowManualScaleOverlay;
    settings.showFeatureNames = shown.ShowFeatureNames;
    settings.geneModels = shown.ShowGeneModels;
    return settings;
}

RenderResources::RenderResources(double outputScale)
    : small(Arial(8, outputScale)), medium(Arial(10, outputScale)), large(Arial(12, outputScale)) {}
