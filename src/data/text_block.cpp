#include "data/text_block.h"

#include <algorithm>

#include "data/large_block.h"

TextBlock::TextBlock(size_t capacity)
    : data_(static_cast<char*>(LargeBlock::Allocate(std::max<size_t>(capacity, 1)))),
      capacity_(std::max<size_t>(capacity, 1)) {}

TextBlock::~TextBlock() {
    LargeBlock::Release(data_, capacity_);
}

char* TextBlockWriter::Allocate(size_t size, size_t expected, SharedTextBlock& block,
                                size_t& offset) {
    if (!block_ || block_->Capacity() - used_ < size) {
        size_t capacity = block_ ? std::min(2 * block_->Capacity(), LargeBlock::kHugePageSize)
                                 : std::min(std::max(expected, size), LargeBlock::kHugePageSize);
        // A text larger than a huge page gets a block of its own, in whole huge pages.
        if (capacity < size)
            capacity = (size + LargeBlock::kHugePageSize - 1) / LargeBlock::kHugePageSize *
                       LargeBlock::kHugePageSize;
        block_ = std::make_shared<TextBlock>(capacity);
        used_ = 0;
    }
    block = block_;
    offset = used_;
    used_ += size;
    return block_->Data() + offset;
}
