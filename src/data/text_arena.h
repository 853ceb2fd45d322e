#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// An append-only store of byte strings. Texts are copied into large blocks and addressed by a
// handle; they never move, so a view of one stays valid as long as the arena lives.
class TextArena {
public:
    using Handle = uint64_t;

    TextArena() = default;
    ~TextArena();
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    // Room for size bytes that the caller fills at once: returns where to write and sets
    // handle. Throws std::bad_alloc when memory runs out.
    char* Allocate(size_t size, Handle& handle);
    // Bytes of memory that Allocate(size) would take for a new block; 0 when it fits.
    size_t GrowthFor(size_t size) const {
        return !blocks_.empty() && blocks_.back().capacity - used_ >= size ? 0 : NextCapacity(size);
    }
    // Copies text and returns its handle.
    Handle Append(std::string_view text);
    // The bytes stored from handle on.
    const char* At(Handle handle) const {
        return blocks_[handle >> 32].data + (handle & 0xFFFFFFFFu);
    }

private:
    struct Block {
        char* data;
        size_t capacity;
    };

    // The capacity of the block that would be added for a text of size bytes.
    size_t NextCapacity(size_t size) const;

    std::vector<Block> blocks_;
    size_t used_ = 0;  // bytes used in the last block
};
