#pragma once

#include <QColor>
#include <QFont>

// What a drawing pass needs besides the data and the geometry: the document's default style,
// the main frame's display options and the output scale (1 on screen and in images).
struct RenderSettings {
    int defaultTrackStyle = 3;  // 2 points, 3 bars
    bool showGridLines = true;
    bool showDataBorder = true;
    bool showManualScaleOverlay = true;
    bool showFeatureNames = true;
    // Tracks of transcripts, and BED tracks with blocks, drawn as gene models.
    bool geneModels = true;
    double outputScale = 1.0;
    // Draws every column by walking its items and every rectangle with its own call: the
    // plain way, which the faster drawing must match pixel for pixel.
    bool plainReference = false;
    // Outlines of opaque bars are drawn in the colour their translucent pen gives over the bar:
    // the same on paper, and a vector output (PDF, a printer) writes an opaque line as one
    // stroke where a translucent one becomes a filled outline with a graphics state of its
    // own, which made printing a draft assembly twice as slow. Printing sets it.
    bool opaqueOutlines = false;
};

struct ViewOptions;

// The settings of a pass in the document's default style (2 points, 3 bars) with the window's
// display options; without options (null), the options a new window has.
RenderSettings RenderSettingsFor(int defaultTrackStyle, const ViewOptions* options,
                                 double outputScale);

// Fonts, pens and brushes made once per pass.
struct RenderResources {
    explicit RenderResources(double outputScale);

    QFont small;   // 8 points
    QFont medium;  // 10 points
    QFont large;   // 12 points
    QColor text{0, 0, 0, 0xE0};
    QColor labelBox{0xBE, 0xE2, 0xFF, 0xB4};
    QColor bandLine{0, 0, 0, 0x40};
    QColor gridLine{0, 0, 0, 0x20};
    QColor axis{0x34, 0x34, 0x34};
    QColor clipped{0xFF, 0, 0};
    QColor borderDark{0x40, 0x40, 0x40, 0x80};
    QColor borderLight{0xFF, 0xFF, 0xFF, 0xC0};
};
