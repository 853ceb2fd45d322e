#include "data/track_display_settings.h"

#include <cmath>

namespace {

bool SameBound(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

TrackDisplaySettings TrackDisplaySettings::Of(const ChromosomeDataset& track) {
    TrackDisplaySettings settings;
    settings.ScaleMin = track.ScaleMin;
    settings.ScaleMax = track.ScaleMax;
    settings.AutoScale = track.AutoScale;
    settings.TrackHeight = track.TrackHeight;
    settings.TrackColor = track.TrackColor;
    settings.TrackStyle = track.TrackStyle;
    settings.PointWidthLeft = track.PointWidthLeft;
    settings.PointWidthRight = track.PointWidthRight;
    settings.PointHeightTop = track.PointHeightTop;
    settings.PointHeightBottom = track.PointHeightBottom;
    return settings;
}

void TrackDisplaySettings::ApplyTo(ChromosomeDataset& track) const {
    track.ScaleMin = ScaleMin;
    track.ScaleMax = ScaleMax;
    track.AutoScale = AutoScale;
    track.TrackHeight = TrackHeight;
    track.TrackColor = TrackColor;
    track.TrackStyle = TrackStyle;
    track.PointWidthLeft = PointWidthLeft;
    track.PointWidthRight = PointWidthRight;
    track.PointHeightTop = PointHeightTop;
    track.PointHeightBottom = PointHeightBottom;
}

bool TrackDisplaySettings::operator==(const TrackDisplaySettings& other) const {
    return SameBound(ScaleMin, other.ScaleMin) && SameBound(ScaleMax, other.ScaleMax) &&
           AutoScale == other.AutoScale && TrackHeight == other.TrackHeight &&
           TrackColor == other.TrackColor && TrackStyle == other.TrackStyle &&
           PointWidthLeft == other.PointWidthLeft && PointWidthRight == other.PointWidthRight &&
           PointHeightTop == other.PointHeightTop && PointHeightBottom == other.PointHeightBottom;
}

bool TrackDisplaySettings::HasDataScale(const ChromosomeDataset& track) const {
    return SameBound(ScaleMin, track.MinValue) && SameBound(ScaleMax, track.MaxValue);
}
