#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/overlap_index.h"

// The gene models of one track on one chromosome: its transcripts, each with the exons and
// coding parts of its children, as GeneModelLinker finds them after an import. Positions are
// 1-based and inclusive. A model names the track's item it is drawn for (the transcript, or for
// a GTF transcript without a transcript line the first of its exons on this track) by its
// handle, so the set belongs to the item order it was built for: the track throws it away when
// items are added (see ChromosomeDataset::GetGeneModels).
//
// Memory: 16 bytes a model, 9 bytes a part, one bit an item of the track, and the overlap index
// (about 0.2 bytes a model) when there are more models than a walk over all of them would read
// quickly.
class GeneModelSet {
public:
    // How a part is drawn: exons full height when the transcript has no coding or untranslated
    // children, else half height (untranslated), with the coding parts full height over them.
    enum PartKind : uint8_t { kExon = 0, kUntranslated = 1, kCoding = 2 };

    struct Part {
        uint32_t Start;
        uint32_t Stop;
    };
    struct Model {
        uint32_t Start;  // the first base of the transcript or of any part
        uint32_t Stop;   // the last one
        uint32_t Item;   // the handle of the item the model is drawn for
        uint32_t FirstPart;
    };

    // Collects the models of a track of itemCount items, then Finish() orders and indexes them.
    class Builder {
    public:
        explicit Builder(size_t itemCount);
        // A model for item, spanning [start, stop] at least; its exons and coding parts follow.
        void BeginModel(uint32_t item, uint32_t start, uint32_t stop);
        // Adds a part to the model begun last: exons (kExon or kUntranslated) in ascending order
        // without overlap first, then the coding parts likewise. The model's span grows to it.
        void AddPart(uint32_t start, uint32_t stop, PartKind kind);
        // Marks an item as drawn inside a model rather than alone.
        void Claim(uint32_t item);
        size_t ClaimedCount() const { return claimedCount_; }
        size_t ModelCount() const { return models_.size(); }
        // The finished set; the builder is left empty.
        GeneModelSet Finish();

    private:
        std::vector<Model> models_;
        std::vector<Part> parts_;
        std::vector<PartKind> kinds_;
        std::vector<uint64_t> claimed_;
        size_t itemCount_;
        size_t claimedCount_ = 0;
    };

    size_t GetItemCount() const { return itemCount_; }
    size_t GetModelCount() const { return models_.size(); }
    const Model& GetModel(size_t index) const { return models_[index]; }
    // The parts of a model: [FirstPart of it, FirstPart of the next).
    size_t PartsEnd(size_t model) const {
        return model + 1 < models_.size() ? models_[model + 1].FirstPart : parts_.size();
    }
    const Part& GetPart(size_t index) const { return parts_[index]; }
    PartKind GetKind(size_t index) const { return kinds_[index]; }
    // True when the item is drawn inside a model rather than alone.
    bool IsClaimed(size_t item) const { return (claimed_[item / 64] >> (item % 64)) & 1u; }
    // The first item at or after from that is not claimed, or end.
    size_t NextUnclaimed(size_t from, size_t end) const;

    // The models, ascending, with Start <= to and Stop >= from.
    template <typename Visit>
    void ForEachOverlapping(uint32_t from, uint32_t to, const Visit& visit) const {
        const size_t end = FirstStartingAfter(to);
        if (overlap_.Size() == 0) {
            for (size_t k = 0; k < end; ++k) {
                if (models_[k].Stop >= from)
                    visit(k);
            }
            return;
        }
        const auto stopAt = [this](size_t k) { return models_[k].Stop; };
        overlap_.ForEachReaching(0, end, from, stopAt, visit);
    }
    // The number of models starting in [from, to].
    size_t CountStartingIn(uint32_t from, uint32_t to) const;
    // Bytes held by the set.
    size_t MemoryBytes() const;

private:
    size_t FirstStartingAfter(uint32_t position) const;

    std::vector<Model> models_;  // by start, then item
    std::vector<Part> parts_;
    std::vector<PartKind> kinds_;
    std::vector<uint64_t> claimed_;  // one bit an item
    size_t itemCount_ = 0;
    OverlapIndex overlap_;
};
