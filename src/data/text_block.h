#pragma once

#include <cstddef>
#include <memory>

// Memory for the texts of many items, written once (by the import, on any thread) and then
// shared by every track that keeps one of them: it is freed when the last of those tracks
// goes. Blocks of LargeBlock::kHugePageSize bytes are backed by huge pages where the system
// allows.
class TextBlock {
public:
    // Room for capacity bytes (at least 1); throws std::bad_alloc when there is none.
    explicit TextBlock(size_t capacity);
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    char* Data() { return data_; }
    const char* Data() const { return data_; }
    size_t Capacity() const { return capacity_; }

private:
    char* data_;
    size_t capacity_;
};

using SharedTextBlock = std::shared_ptr<const TextBlock>;

// Hands out room for texts one after another in text blocks of its own, starting a new block
// when the last one is full: the first as large as the first texts are expected to be, each
// next one twice as large, up to a huge page, so that a small file takes little and a large
// one takes its memory a huge page at a time. One writer serves one thread.
class TextBlockWriter {
public:
    // Room for size bytes, with expected bytes of texts expected to follow soon (the size of
    // the first block). Returns where to write; block and offset say where that lies.
    // Throws std::bad_alloc when there is no memory.
    char* Allocate(size_t size, size_t expected, SharedTextBlock& block, size_t& offset);

private:
    std::shared_ptr<TextBlock> block_;
    size_t used_ = 0;
};
