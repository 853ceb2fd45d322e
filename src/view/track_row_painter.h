#pragma once

#include <QColor>
#include <QHash>
#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "view/render_settings.h"
#include "view/track_scale.h"

class ChromosomeDataset;
class ViewGeometry;

// Draws one track row: its items in the track's style on its value scale, the row frame, grid
// lines, value labels and the label column.
class TrackRowPainter {
public:
    static constexpr int kDenseThreshold = 131072;  // visible starts that make Points dense
    static constexpr int kLookBack = 16;            // earlier items that may reach into view

    TrackRowPainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                    const RenderSettings& settings, const RenderResources& resources);

    void Draw(const ChromosomeDataset& track, const std::string& trackName,
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

    int YOf(const Row& row, double value) const;
    Style ChooseStyle(const ChromosomeDataset& track, int& visibleStarts) const;
    void DrawItems(const Row& row);
    // The starts to draw from, with the dense-points mark height per column.
    std::vector<uint32_t> CollectColumnStarts(const Row& row, std::vector<float>& columnMax) const;
    std::vector<uint32_t> CollectVisibleStarts(const Row& row) const;
    void AddItemRect(const Row& row, uint32_t start, float score, uint32_t stop, char strand,
                     uint32_t color, const std::vector<float>& columnMax);
    void FlushBatches();
    // The label values that fit the row's scale without crowding: hi, lo and 0 first, then the
    // steps, each only where its label does not overlap one already placed.
    std::vector<double> PlaceLabels(const Row& row, const std::vector<double>& values) const;
    void DrawFrame(const Row& row, int top, int height, const std::vector<double>& labels);
    void DrawLabelColumn(const Row& row, const std::string& trackName,
                         const std::string& chromosomeName, bool showChromosome, int top,
                         const std::vector<double>& labels);

    QPainter& painter_;
    const ViewGeometry& geometry_;
    const int targetWidth_;
    const int dataRight_;
    const RenderSettings& settings_;
    const RenderResources& resources_;
    // Rectangles waiting to be filled, one batch per colour, in order of first use.
    std::vector<uint32_t> batchOrder_;
    QHash<uint32_t, QVector<QRect>> batches_;
    std::vector<QRect> bordered_;
};
