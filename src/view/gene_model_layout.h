#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

#include "data/track_models.h"

class ChromosomeDataset;
class ViewGeometry;

// Where the gene models of one track row go: the models in view, each model's pixel span and
// lane (overlapping models are packed into lanes, first fit in start order), its name and where
// it is written, and how many models found no lane. The drawing and the pointer use the same
// layout, so the pointer finds what is drawn.
//
// Lanes are at least kMinimumLaneHeight pixels high and share the row's band between them.
// A name goes inside its model's span, under its boxes, when it fits there and the lanes are
// high enough for a line of text; else beside the model (right, or left at the right edge).
// Lanes are packed with room for the names when that fits, else without, and then a name that
// would cover another name or model is left out. With more
// than one model per kPixelsPerModel pixels in view there is no layout: the row is drawn as the
// track would be drawn without models.
class GeneModelLayout {
public:
    static constexpr int kMinimumLaneHeight = 10;
    static constexpr int kPixelsPerModel = 3;
    static constexpr int kModelGap = 3;  // pixels kept free after a model in its lane
    static constexpr int kNameGap = 3;   // between a model and a name beside it
    static constexpr int kMaximumGlyphHeight = 12;

    struct Placed {
        TrackModels::Model model;
        int left;   // view x of the first column the model covers
        int right;  // one past its last column
        int lane;   // -1: no lane was left for it
        QString name;
        QRect nameBox;  // empty when the name is not written
    };

    // The models of track between the band lines at bandTop and bandBottom, for the
    // geometry's visible range in a target targetWidth pixels wide; nameFont null for no names.
    GeneModelLayout(const ChromosomeDataset& track, const TrackModels& models,
                    const ViewGeometry& geometry, int targetWidth, int bandTop, int bandBottom,
                    const QFont* nameFont);

    // False when the track draws no models here: it has none, or they are too dense.
    bool IsDrawn() const { return drawn_; }
    const std::vector<Placed>& GetPlaced() const { return placed_; }
    int GetLaneHeight() const { return laneHeight_; }
    // The rows [top, top + GetGlyphHeight()) that a lane's model boxes take.
    int GlyphTop(int lane) const;
    int GetGlyphHeight() const { return glyphHeight_; }
    // Models that found no lane.
    int GetOverflow() const { return overflow_; }
    // The placed model drawn at (x, y), or -1.
    int ModelAt(int x, int y) const;

private:
    enum class Names { kNone, kUnder, kBeside };

    // Packs the models with the given extra width after each; returns the lanes used.
    int Pack(const std::vector<int>& extra);
    std::vector<int> NameRoom(Names names) const;
    // True when the placed model's name fits within the part of its span in view.
    bool FitsInside(size_t index) const;
    int LaneHeightFor(int lanes) const;
    bool UnderFits(int laneHeight) const;
    void PlaceNames(Names names);

    const int dataLeft_;
    const int dataRight_;
    const int laneAreaTop_;
    const int laneAreaHeight_;
    const int lanesAvailable_;
    int textHeight_ = 0;
    bool drawn_ = false;
    std::vector<Placed> placed_;
    std::vector<int> nameWidths_;
    int laneHeight_ = kMinimumLaneHeight;
    int glyphHeight_ = kMinimumLaneHeight - 2;
    Names names_ = Names::kNone;
    int overflow_ = 0;
};
