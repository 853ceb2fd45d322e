#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The blocks (exons) of a stored BED item, read in place. Positions are 1-based and inclusive
// on the chromosome, in ascending order without overlap: the first block starts at the item's
// start and the last one ends at its stop. Empty for an item read without blocks. The view
// stays valid as long as the ChromosomeDataset that handed it out lives.
class ItemBlocks {
public:
    struct Block {
        uint32_t Start;
        uint32_t Stop;
    };

    ItemBlocks() = default;
    // bytes holds count pairs of 32-bit (offset from chromStart, size), as the store keeps them;
    // chromStart is the item's 0-based BED start (its 1-based start less one).
    ItemBlocks(const char* bytes, size_t count, uint32_t chromStart)
        : bytes_(bytes), count_(count), chromStart_(chromStart) {}

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Block operator[](size_t index) const {
        uint32_t pair[2];
        std::memcpy(pair, bytes_ + index * sizeof pair, sizeof pair);
        // The reader checked that every block ends within the item, so nothing here can wrap.
        return {chromStart_ + pair[0] + 1, chromStart_ + pair[0] + pair[1]};
    }

private:
    const char* bytes_ = nullptr;
    size_t count_ = 0;
    uint32_t chromStart_ = 0;
};
