#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "data/large_block.h"

// A random-access sequence of plain records stored in chunks of one huge page each, so that a
// large container never holds more than one chunk of unused capacity and never copies its
// elements as it grows. The first chunk grows by doubling until it is full, which keeps small
// containers small.
template <typename T>
class ChunkedVector {
    static_assert(std::is_trivially_copyable_v<T>, "records are moved with memcpy");

public:
    static constexpr size_t kChunkItems = LargeBlock::kHugePageSize / sizeof(T);

    ChunkedVector() = default;
    ~ChunkedVector() { clear(); }
    ChunkedVector(const ChunkedVector&) = delete;
    ChunkedVector& operator=(const ChunkedVector&) = delete;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    T& operator[](size_t index) { return chunks_[index / kChunkItems][index % kChunkItems]; }
    const T& operator[](size_t index) const {
        return chunks_[index / kChunkItems][index % kChunkItems];
    }

    void push_back(const T& value) {
        const size_t within = size_ % kChunkItems;
        if (size_ / kChunkItems == chunks_.size())
            chunks_.push_back(Allocate(chunks_.empty() ? kFirstCapacity : kChunkItems));
        else if (chunks_.size() == 1 && within == firstCapacity_)
            GrowFirstChunk();
        chunks_.back()[within] = value;
        ++size_;
    }

    void clear() {
        for (size_t i = 0; i < chunks_.size(); ++i)
            LargeBlock::Release(chunks_[i], ChunkBytes(i == 0 ? firstCapacity_ : kChunkItems));
        chunks_.clear();
        size_ = 0;
        firstCapacity_ = kFirstCapacity;
    }

private:
    static constexpr size_t kFirstCapacity = 8;

    // A full chunk takes a whole huge page, even when the records do not fill it exactly.
    static size_t ChunkBytes(size_t items) {
        return items == kChunkItems ? LargeBlock::kHugePageSize : items * sizeof(T);
    }
    static T* Allocate(size_t items) {
        return static_cast<T*>(LargeBlock::Allocate(ChunkBytes(items)));
    }

    void GrowFirstChunk() {
        const size_t grown = std::min(firstCapacity_ * 2, kChunkItems);
        T* bigger = Allocate(grown);
        std::memcpy(static_cast<void*>(bigger), chunks_[0], size_ * sizeof(T));
        LargeBlock::Release(chunks_[0], ChunkBytes(firstCapacity_));
        chunks_[0] = bigger;
        firstCapacity_ = grown;
    }

    std::vector<T*> chunks_;
    size_t size_ = 0;
    size_t firstCapacity_ = kFirstCapacity;
};
