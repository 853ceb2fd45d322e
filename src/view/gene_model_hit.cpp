#include "view/gene_model_hit.h"

#include "data/chromosome_dataset.h"
#include "data/track_models.h"
#include "view/gene_model_layout.h"
#include "view/render_settings.h"
#include "view/view_geometry.h"

namespace {

constexpr int kLeftEdge = 0;   // PositionToX at a base's left edge
constexpr int kRightEdge = 2;  // and at its right edge

// Which exon or intron of the model lies at column x and base position. Exons are counted
// along the transcript: from the right on the reverse strand.
std::string Where(const TrackModels& models, const TrackModels::Model& model, char strand,
                  const ViewGeometry& geometry, int targetWidth, int x, uint32_t position) {
    const size_t exons = models.ExonCount(model);
    size_t low = 0;
    size_t high = exons;
    while (low < high) {  // the first exon ending at or after the position
        const size_t middle = low + (high - low) / 2;
        if (models.GetPart(model, middle).Stop < position)
            low = middle + 1;
        else
            high = middle;
    }
    const bool reverse = strand == '-';
    // An exon counts when the base is in it, or its box (at least a pixel wide) is under x.
    for (size_t index = low > 0 ? low - 1 : 0; index < exons && index <= low; ++index) {
        const TrackModels::Part part = models.GetPart(model, index);
        const int left = geometry.PositionToX(part.Start, kLeftEdge, targetWidth);
        const int right =
            std::max(geometry.PositionToX(part.Stop, kRightEdge, targetWidth), left + 1);
        if ((part.Start <= position && position <= part.Stop) || (left <= x && x < right)) {
            const size_t number = reverse ? exons - index : index + 1;
            return "exon " + std::to_string(number) + " of " + std::to_string(exons);
        }
    }
    if (low == 0 || low >= exons)
        return {};  // beyond the first or the last exon
    const size_t number = reverse ? exons - low : low;
    return "intron " + std::to_string(number) + " of " + std::to_string(exons - 1);
}

}  // namespace

GeneModelHit::Result GeneModelHit::Find(const ChromosomeDataset& track,
                                        const ViewGeometry& geometry, int targetWidth,
                                        const RenderSettings& settings, int rowTop, int rowBottom,
                                        int x, int y, uint32_t position, GeneModelHit& hit) {
    if (!settings.geneModels || track.GetItemCount() == 0)
        return Result::kNotModels;
    const TrackModels models(track);
    if (!models.Any())
        return Result::kNotModels;
    // The layout the row was drawn with: the same band and the same font for the names.
    const RenderResources resources(settings.outputScale);
    const int margin = ViewGeometry::kScaleMargin / 2;
    const GeneModelLayout layout(track, models, geometry, targetWidth, rowTop + margin,
                                 rowBottom - margin,
                                 settings.showFeatureNames ? &resources.small : nullptr);
    if (!layout.IsDrawn())
        return Result::kNotModels;
    const int index = layout.ModelAt(x, y);
    if (index < 0)
        return Result::kNothing;
    const TrackModels::Model& model = layout.GetPlaced()[size_t(index)].model;
    hit.item = model.Item;
    hit.where =
        Where(models, model, track.GetStrand(model.Item), geometry, targetWidth, x, position);
    return Result::kModel;
}
