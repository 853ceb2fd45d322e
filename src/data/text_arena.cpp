#include "data/text_arena.h"

#include <algorithm>
#include <cstring>

#include "data/large_block.h"

namespace {
// Small tracks keep small blocks; blocks double up to one huge page.
constexpr size_t kFirstBlock = 256;
}  // namespace

TextArena::~TextArena() {
    for (const Block& block : blocks_)
        LargeBlock::Release(block.data, block.capacity);
}

size_t TextArena::NextCapacity(size_t size) const {
    const size_t capacity = blocks_.empty()
                                ? kFirstBlock
                                : std::min(blocks_.back().capacity * 2, LargeBlock::kHugePageSize);
    // A text larger than a whole block gets a block of its own, rounded to huge pages.
    if (capacity < size)
        return (size + LargeBlock::kHugePageSize - 1) / LargeBlock::kHugePageSize *
               LargeBlock::kHugePageSize;
    return capacity;
}

char* TextArena::Allocate(size_t size, Handle& handle) {
    if (blocks_.empty() || blocks_.back().capacity - used_ < size) {
        const size_t capacity = NextCapacity(size);
        blocks_.reserve(blocks_.size() + 1);
        blocks_.push_back({static_cast<char*>(LargeBlock::Allocate(capacity)), capacity});
        used_ = 0;
    }
    handle = (static_cast<Handle>(blocks_.size() - 1) << 32) | used_;
    char* const at = blocks_.back().data + used_;
    used_ += size;
    return at;
}

TextArena::Handle TextArena::Append(std::string_view text) {
    Handle handle;
    char* const at = Allocate(text.size(), handle);
    if (!text.empty())
        std::memcpy(at, text.data(), text.size());
    return handle;
}
