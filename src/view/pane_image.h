#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <utility>

#include "view/render_settings.h"

class GenomeDataset;

// A picture of a whole pane, every track at the automatic height, drawn by the same full pass
// as the screen: what image export writes and what the headless render saves.
struct PaneImage {
    using Range = std::pair<uint32_t, uint32_t>;
    static constexpr int kMaximumWidth = 32767;

    // The pane's range [start, stop] over width pixels; the image is as high as the header, the
    // rows and a small margin below need.
    static QImage Render(const GenomeDataset& genome, const std::string& paneName, Range range,
                         int width, bool headerVisible, const RenderSettings& settings,
                         const QColor& background = Qt::white);
};
