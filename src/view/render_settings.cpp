#include "view/render_settings.h"

#include <cmath>

namespace {

// Points at the 96 dots per inch of a screen, in pixels, so that screen, image and printer
// passes lay text out alike.
QFont Arial(double points, double scale) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0 * scale))));
    return font;
}

}  // namespace

RenderResources::RenderResources(double outputScale)
    : small(Arial(8, outputScale)), medium(Arial(10, outputScale)), large(Arial(12, outputScale)) {}
