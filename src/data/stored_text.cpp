#include "data/stored_text.h"

#include <cstring>

namespace StoredText {

namespace {

// Unsigned LEB128: seven bits a byte, low bits first, high bit set on all but the last byte.
size_t EncodedSize(size_t length) {
    size_t size = 1;
    for (; length >= 0x80; length >>= 7)
        ++size;
    return size;
}

char* WriteLength(size_t length, char* out) {
    while (length >= 0x80) {
        *out++ = static_cast<char>((length & 0x7F) | 0x80);
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    return out;
}

char* WriteText(std::string_view text, char* out) {
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace

size_t Size(std::string_view source, std::string_view attributes,
            const FeatureStructure& structure) {
    size_t size = EncodedSize(source.size()) + EncodedSize(attributes.size()) + source.size() +
                  attributes.size();
    if (structure.HasThick)
        size += kThickBytes;
    if (const size_t blocks = structure.Blocks.size(); blocks != 0)
        size += EncodedSize(blocks) + blocks * kBlockBytes;
    return size;
}

uint8_t Write(char* out, std::string_view source, std::string_view attributes,
              const FeatureStructure& structure) {
    out = WriteLength(source.size(), out);
    out = WriteLength(attributes.size(), out);
    out = WriteText(source, out);
    out = WriteText(attributes, out);
    uint8_t flags = 0;
    if (structure.HasThick) {
        const uint32_t range[2] = {structure.ThickStart, structure.ThickStop};
        std::memcpy(out, range, sizeof range);
        out += sizeof range;
        flags |= kHasThick;
    }
    if (!structure.Blocks.empty()) {
        out = WriteLength(structure.Blocks.size(), out);
        for (const FeatureStructure::Block& block : structure.Blocks) {
            const uint32_t pair[2] = {block.Offset, block.Size};
            std::memcpy(out, pair, sizeof pair);
            out += sizeof pair;
        }
        flags |= kHasBlocks;
    }
    return flags;
}

}  // namespace StoredText
