#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ChromosomeDataset;
class ViewGeometry;
struct RenderSettings;

// What the pointer is over in a track row drawn as gene models: the same layout the drawing
// used, asked for the model at the point, and which of the model's exons or introns lies under
// it ("exon 3 of 7", "intron 2 of 6").
class GeneModelHit {
public:
    enum class Result {
        kNotModels,  // the row is drawn as usual: the usual hit test applies
        kNothing,    // the row shows models, none at the point
        kModel,
    };

    // The row drawn at [rowTop, rowBottom) in a target targetWidth pixels wide; the point is
    // (x, y) and position the base under it.
    static Result Find(const ChromosomeDataset& track, const ViewGeometry& geometry,
                       int targetWidth, const RenderSettings& settings, int rowTop, int rowBottom,
                       int x, int y, uint32_t position, GeneModelHit& hit);

    size_t item = 0;    // the handle of the item the model is drawn for
    std::string where;  // the exon or intron at the point; empty beyond the exons
};
