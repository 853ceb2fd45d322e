#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <utility>

#include "view/render_settings.h"
#include "view/view_geometry.h"

class GenomeDataset;

// A picture of a whole pane, every track from the first, drawn by the same full pass as the
// screen: what image export writes and what the headless render saves.
struct PaneImage {
    static constexpr int kMinimumWidth = 100;
    static constexpr int kMaximumWidth = 32767;
    // The largest picture made: 2^28 pixels, 1 GiB at four bytes a pixel. "All Tracks" of a
    // draft assembly at full width would ask for tens of gigabytes.
    static constexpr int64_t kMaximumPixels = int64_t{1} << 28;

    // The layout of such a picture: the pane's range [start, stop] over width pixels, rows of
    // automatic height automaticTrackHeight, room for every row.
    static ViewGeometry Layout(const GenomeDataset& genome, const std::string& paneName,
                               Range range, int width, bool headerVisible,
                               int automaticTrackHeight = ViewGeometry::kDefaultTrackHeight);
    // The height of the picture Render makes.
    static int64_t Height(const GenomeDataset& genome, const std::string& paneName, Range range,
                          int width, bool headerVisible,
                          int automaticTrackHeight = ViewGeometry::kDefaultTrackHeight);

    // Why a picture of the pane at this width cannot be made for its size, in parentheses, as
    // a failed Render's message ends; empty when its size is within kMaximumPixels.
    static std::string SizeProblem(const GenomeDataset& genome, const std::string& paneName,
                                   Range range, int width, bool headerVisible,
                                   int automaticTrackHeight = ViewGeometry::kDefaultTrackHeight);

    // The pane's range [start, stop] over width pixels; the image is as high as the header, the
    // rows and a small margin below need. A null image when it would hold more than
    // kMaximumPixels or there is no memory for it.
    static QImage Render(const GenomeDataset& genome, const std::string& paneName, Range range,
                         int width, bool headerVisible, const RenderSettings& settings,
                         const QColor& background = Qt::white,
                         int automaticTrackHeight = ViewGeometry::kDefaultTrackHeight);
};
