#pragma once

#include <QHash>
#include <QLine>
#include <QPainter>
#include <QRect>
#include <QVector>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "data/track_models.h"

class ChromosomeDataset;
class GeneModelLayout;
class ViewGeometry;
struct RenderResources;

// Draws the gene models of a track row as its GeneModelLayout places them: each intron a line
// one pixel high across the model with arrowheads for the strand spaced along it, each exon a
// box, untranslated parts about half as high as the coding parts, the whole model in its
// item's colour, then the names, and "+N" at the row's right edge for models that found no
// lane. A model with thousands of parts costs no more than the columns it covers.
class GeneModelPainter {
public:
    static constexpr int kArrowSpacing = 16;  // pixels between arrowheads along an intron
    static constexpr int kArrowHalfHeight = 2;

    // The drawing colour (0xAARRGGBB) of an item's model.
    using ColorOf = std::function<uint32_t(size_t item)>;

    GeneModelPainter(QPainter& painter, const ViewGeometry& geometry, int targetWidth,
                     const RenderResources& resources);

    // overflowArea is where "+N" is written, right-aligned.
    void Draw(const ChromosomeDataset& track, const TrackModels& models,
              const GeneModelLayout& layout, const ColorOf& colorOf, const QRect& overflowArea);

    // The columns [left, right) of a model's exons in view, merged where they touch, clipped
    // to the data area: what is drawn as boxes, and what the pointer names as exons.
    std::vector<std::pair<int, int>> ExonColumns(const TrackModels& models,
                                                 const TrackModels::Model& model) const;

private:
    // Rectangles of one layer, batched by colour in order of first use.
    struct Layer {
        std::vector<std::pair<uint32_t, QVector<QRect>>> batches;
        QHash<uint32_t, int> batchOf;
        void Add(uint32_t color, const QRect& rect);
    };
    // Calls visit(left, right, kind) for the parts [first, end) of a model that lie in view,
    // one call per run of parts that fall into columns already covered.
    template <typename Visit>
    void ForEachPartInView(const TrackModels& models, const TrackModels::Model& model, size_t first,
                           size_t end, const Visit& visit) const;
    void AddArrows(const std::vector<std::pair<int, int>>& exons, int left, int right, int mid,
                   char strand, uint32_t color);
    void Fill(const Layer& layer);

    QPainter& painter_;
    const ViewGeometry& geometry_;
    const int targetWidth_;
    const int dataLeft_;
    const int dataRight_;
    const RenderResources& resources_;
    std::vector<std::pair<uint32_t, QVector<QLine>>> arrows_;
};
