#pragma once

#include <cstdint>
#include <vector>

// The parts of a BED item inside its extent, as its line gives them: the thick (coding) range
// from columns 7 and 8 and the blocks (exons) from columns 10 to 12. Lines without those
// columns leave it empty, and an empty structure costs the stored item nothing.
struct FeatureStructure {
    // One block as BED writes it: bases from the item's chromStart (0-based) and a length.
    struct Block {
        uint32_t Offset;
        uint32_t Size;
    };

    bool HasThick = false;
    // 1-based and inclusive. ThickStart > ThickStop (BED's thickStart equal to thickEnd) means
    // the item has no coding part.
    uint32_t ThickStart = 0;
    uint32_t ThickStop = 0;
    // In ascending order without overlap; the first starts at chromStart and the last ends at
    // chromEnd (the reader drops blocks that break this).
    std::vector<Block> Blocks;

    bool Empty() const { return !HasThick && Blocks.empty(); }
    // Back to empty, keeping the block buffer for the next line.
    void Reset() {
        HasThick = false;
        ThickStart = ThickStop = 0;
        Blocks.clear();
    }
};
