#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/gene_model_set.h"

class ChromosomeDataset;

// The gene models a track draws: on a GFF track, the transcripts GeneModelLinker found, each
// with its exons and coding parts; on a BED track whose items have blocks, every item, its
// blocks the exons and its thick range the coding part. The track's other items are drawn as
// models of one exon. Positions are 1-based and inclusive. A TrackModels reads the track as it
// stands and must not outlive it.
class TrackModels {
public:
    static constexpr uint32_t kOwnParts = 0xFFFFFFFF;

    struct Model {
        uint32_t Start;
        uint32_t Stop;
        size_t Item;     // the handle of the item the model is drawn for
        uint32_t Index;  // the model in the track's GeneModelSet, or kOwnParts: the item's own
    };
    struct Part {
        uint32_t Start;
        uint32_t Stop;
        GeneModelSet::PartKind Kind;
    };

    explicit TrackModels(const ChromosomeDataset& track);

    // True when the track draws models: it has transcripts, or most of its items have blocks.
    bool Any() const { return set_ != nullptr || blocks_; }

    // The models that overlap [from, to], by start (then item). False, with models empty, when
    // there are more than limit: the work stays bounded by limit, however dense the track.
    bool Find(uint32_t from, uint32_t to, size_t limit, std::vector<Model>& models) const;

    // A model's parts: its exons in ascending order without overlap, then its coding parts
    // likewise. ExonCount() of them are exons.
    size_t PartCount(const Model& model) const;
    size_t ExonCount(const Model& model) const;
    Part GetPart(const Model& model, size_t index) const;

private:
    // A BED item's coding blocks: [first, end) of its blocks, within [thickStart, thickStop].
    struct Coding {
        size_t first = 0;
        size_t end = 0;
        uint32_t thickStart = 0;
        uint32_t thickStop = 0;
        bool any = false;  // the item has a thick range at all
    };
    Coding CodingOf(size_t item) const;
    // The item's blocks, or one block over the whole item.
    size_t BlockCount(size_t item) const;
    GeneModelSet::Part Block(size_t item, size_t index) const;
    bool AddOwnModels(uint32_t from, uint32_t to, size_t limit, std::vector<Model>& models) const;

    const ChromosomeDataset& track_;
    const GeneModelSet* set_;
    bool blocks_;
};
