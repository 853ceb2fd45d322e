#pragma once

#include "data/chromosome_dataset.h"

// The display settings of one track, which the track commands change and a workspace keeps:
// manual scale, automatic scaling, height, colour, style and point size (see ChromosomeDataset).
struct TrackDisplaySettings {
    double ScaleMin = 0;
    double ScaleMax = 0;
    bool AutoScale = true;
    int TrackHeight = 0;
    int TrackColor = ChromosomeDataset::kUnassignedColor;
    int TrackStyle = ChromosomeDataset::kStyleAutomatic;
    int PointWidthLeft = 0;
    int PointWidthRight = 0;
    int PointHeightTop = 0;
    int PointHeightBottom = 0;

    static TrackDisplaySettings Of(const ChromosomeDataset& track);
    void ApplyTo(ChromosomeDataset& track) const;
    // Equal field by field; a NaN scale bound equals a NaN one.
    bool operator==(const TrackDisplaySettings& other) const;
    bool operator!=(const TrackDisplaySettings& other) const { return !(*this == other); }
    // Whether the manual scale is the track's own data range, as an import leaves it.
    bool HasDataScale(const ChromosomeDataset& track) const;
};
