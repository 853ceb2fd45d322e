#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/feature_structure.h"

// How a stored item's texts are laid out in its track's text store: the lengths of the source
// and of the attributes (unsigned LEB128), the two texts, then the parts of its structure that
// its flags name: the thick range (two 32-bit positions), then the block count (LEB128) and
// the blocks (two 32-bit numbers each, as FeatureStructure::Block). The import writes this
// layout on its worker threads and the track reads it in place.
namespace StoredText {

// Structure flags kept with the item.
constexpr uint8_t kHasThick = 1;
constexpr uint8_t kHasBlocks = 2;
constexpr size_t kThickBytes = 2 * sizeof(uint32_t);
constexpr size_t kBlockBytes = 2 * sizeof(uint32_t);

// Bytes the layout takes for these texts and this structure.
size_t Size(std::string_view source, std::string_view attributes,
            const FeatureStructure& structure);
// Writes the layout at out, which has Size(...) bytes of room; returns the structure flags.
uint8_t Write(char* out, std::string_view source, std::string_view attributes,
              const FeatureStructure& structure);

// Reads one LEB128 length and moves in past it.
inline size_t ReadLength(const char*& in) {
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        length |= static_cast<size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return length;
    }
}

// The two texts of the layout at text.
struct Texts {
    std::string_view source;
    std::string_view attributes;
    const char* structure;  // where the structure begins
};
inline Texts Read(const char* text) {
    const size_t sourceLength = ReadLength(text);
    const size_t attributesLength = ReadLength(text);
    return {std::string_view(text, sourceLength),
            std::string_view(text + sourceLength, attributesLength),
            text + sourceLength + attributesLength};
}

}  // namespace StoredText
