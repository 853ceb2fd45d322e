#pragma once

#include <QColor>
#include <QHash>
#include <QPainter>
#include <QRect>
#include <string>
#include <utility>
#include <vector>

#include "view/render_settings.h"
#include "view/track_scale.h"

class ChromosomeDataset;
class ColumnExtremes;
class ViewGeometry;

// Draws one track row: its items in the track's style on its value scale, the row frame, grid
// lines, value labels and the label column.
class TrackRowPainter {
public:
    static constexpr int kDenseThreshold = 131072;  // visible starts that make Points dense
    // Outlines: the dark one from this size up, the light inner one from the larger size, so
    // that a narrow bar still shows its own colour.
    static constexpr int kBorderMinimum = 4;
    static constexpr int kInnerBorderMinimum = 8;
    static constexpr int kEdgeLeft = 1;
    static constexpr int kEdgeTop = 2;
    static constexpr int kEdgeRight = 4;
    static constexpr int kEdgeBottom = 8;
    static constexpr int kInnerEdges = 16;  // the light inner outline too

    TrackRowPainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                    const RenderSettings& settings, const RenderResources& resources);

    // Draws the row; returns the right end of its title, which is drawn in the row's top
    // margin from the data area's left edge.
    int Draw(const ChromosomeDataset& track, const std::string& trackName,
             const std::string& chromosomeName, bool showChromosome, int top, int height);

    // The data value at height y of a row drawn at top with height pixels: what a pointer
    // there points at on the row's value scale.
    static double ValueAtY(const ChromosomeDataset& track, const std::string& trackName, int top,
                           int height, int y);

private:
    enum class Style { kPoints, kBars, kDensePoints };

    struct Row {
        const ChromosomeDataset* track;
        TrackScale scale;
        Style style;
        int bandTop;
        int bandBottom;
        int yZero;
        int visibleStarts;
        uint32_t trackColor;  // 0xAARRGGBB
    };
    // The rows [top, bottom) of a column that show one item.
    struct Piece {
        size_t item;
        int top;
        int bottom;
        uint32_t color;
        bool operator==(const Piece& other) const {
            return item == other.item && top == other.top && bottom == other.bottom &&
                   color == other.color;
        }
    };
    // A piece continued over the columns from left.
    struct Run {
        Piece piece;
        int left;
    };

    int YOf(const Row& row, double value) const;
    // Draws the row's items as gene models when the track has them and they are not too dense
    // to draw; false when the row is to be drawn as usual.
    bool DrawGeneModels(const Row& row, int top, int height);
    Style ChooseStyle(const ChromosomeDataset& track, int& visibleStarts) const;
    void DrawItems(const Row& row);
    // The names of the features in view, when they have room.
    void DrawFeatureNames(const Row& row);
    // Points: every item in view, in item order, later ones over earlier ones.
    void DrawPointItems(const Row& row);
    // Bars and dense points: each column shows its two extremes; runs of equal columns are
    // drawn as one rectangle.
    void DrawColumns(const Row& row);
    // The pieces of a column: the extremes' bars or marks, made disjoint so that drawing order
    // does not matter and an outline never shows an item that is hidden.
    void ColumnPieces(const Row& row, size_t maxItem, size_t minItem,
                      std::vector<Piece>& pieces) const;
    // The vertical extent [top, bottom) of an item's bar or dense mark within the band.
    std::pair<int, int> ExtentOf(const Row& row, double value) const;
    uint32_t FillOf(const Row& row, size_t item, double value) const;
    void AddPointRect(const Row& row, size_t item);
    void AddRect(const QRect& rect, uint32_t fill);
    // Outlines the edges of a run that are edges of its item's whole bar, so that an item
    // partly covered by another keeps one outline around what shows of it.
    void AddBorder(const Row& row, const ColumnExtremes& extremes, const Run& run, int end);
    void FlushBatches();
    // Draws the given edges of rect, inset pixels inside it.
    void DrawEdges(const QRect& rect, int edges, int inset);
    // The label values that fit the row's scale without crowding: hi, lo and 0 first, then the
    // steps, each only where its label does not overlap one already placed.
    std::vector<double> PlaceLabels(const Row& row, const std::vector<double>& values) const;
    // The band lines, the axis and the label ticks; the zero line when zeroLine.
    void DrawFrame(const Row& row, int top, int height, const std::vector<double>& labels,
                   bool zeroLine);
    void DrawValueLabels(const Row& row, const std::vector<double>& labels);
    // The track's title in the row's top margin: its name, the chromosome in "All Tracks", and
    // a tag when the scale was set by hand.
    // Returns the title's right end.
    int DrawTitle(const Row& row, const std::string& trackName, const std::string& chromosomeName,
                  bool showChromosome, int top);

    QPainter& painter_;
    const ViewGeometry& geometry_;
    const int targetWidth_;
    const int dataRight_;
    const RenderSettings& settings_;
    const RenderResources& resources_;
    // Rectangles waiting to be filled, one batch per colour in order of first use; for points,
    // whose marks overlap, a new batch whenever the colour changes, so the order is kept.
    std::vector<std::pair<uint32_t, QVector<QRect>>> batches_;
    QHash<uint32_t, int> batchOf_;
    bool keepOrder_ = false;
    // An outlined run, which of its edges (kEdgeLeft...) are its item's, and its fill.
    struct Bordered {
        QRect rect;
        int edges;
        uint32_t fill;  // 0xAARRGGBB
    };
    // The pen of an outline over fill: the translucent one, or with opaqueOutlines the colour
    // it gives over an opaque fill.
    QColor OutlinePen(const QColor& outline, uint32_t fill) const;

    std::vector<Bordered> bordered_;
};
