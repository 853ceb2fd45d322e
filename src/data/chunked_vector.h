#pragma once

#include <algorithm>
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

    // Bytes of memory that the next push_back takes for a new or larger chunk; 0 when the value
    // fits in what is held.
    size_t NextGrowthBytes() const { return size_ < allocated_ ? 0 : ChunkBytes(NextChunkItems()); }

    void push_back(const T& value) {
        if (size_ == allocated_)
            Grow();
        chunks_.back()[size_ % kChunkItems] = value;
        ++size_;
    }

    void clear() {
        for (size_t i = 0; i < chunks_.size(); ++i)
            LargeBlock::Release(chunks_[i], ChunkBytes(i == 0 ? firstCapacity_ : kChunkItems));
        chunks_.clear();
        size_ = 0;
        allocated_ = 0;
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

    // The capacity of the chunk that the next growth allocates: the first chunk, doubled
    // until it is whole, then one whole chunk after another.
    size_t NextChunkItems() const {
        if (chunks_.empty())
            return kFirstCapacity;
        if (chunks_.size() == 1 && firstCapacity_ < kChunkItems)
            return std::min(firstCapacity_ * 2, kChunkItems);
        return kChunkItems;
    }

    void Grow() {
        const size_t items = NextChunkItems();
        if (chunks_.size() == 1 && firstCapacity_ < kChunkItems) {
            T* bigger = Allocate(items);
            std::memcpy(static_cast<void*>(bigger), chunks_[0], size_ * sizeof(T));
            LargeBlock::Release(chunks_[0], ChunkBytes(firstCapacity_));
            chunks_[0] = bigger;
            firstCapacity_ = items;
        } else {
            chunks_.reserve(chunks_.size() + 1);  // so that the new chunk cannot be lost
            chunks_.push_back(Allocate(items));
        }
        allocated_ = (chunks_.size() - 1) * kChunkItems + items;
    }

    std::vector<T*> chunks_;
    size_t size_ = 0;
    size_t allocated_ = 0;  // items the chunks hold room for
    size_t firstCapacity_ = kFirstCapacity;
};
