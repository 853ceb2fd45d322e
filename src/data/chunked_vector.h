#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// A random-access sequence stored in fixed-size chunks, so that a large container never holds
// more than one chunk of unused capacity and never copies its elements as it grows. The first
// chunk grows like a vector until it reaches the chunk size, which keeps small containers small.
template <typename T, size_t ChunkShift = 12>
class ChunkedVector {
public:
    static constexpr size_t kChunkSize = size_t{1} << ChunkShift;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    T& operator[](size_t index) { return chunks_[index >> ChunkShift][index & kChunkMask]; }
    const T& operator[](size_t index) const {
        return chunks_[index >> ChunkShift][index & kChunkMask];
    }

    void push_back(const T& value) {
        std::vector<T>& chunk = ChunkForAppend();
        chunk.push_back(value);
        ++size_;
    }

    void clear() {
        chunks_.clear();
        size_ = 0;
    }

private:
    static constexpr size_t kChunkMask = kChunkSize - 1;

    std::vector<T>& ChunkForAppend() {
        if (chunks_.empty() || chunks_.back().size() == kChunkSize) {
            chunks_.emplace_back();
            if (chunks_.size() > 1)
                chunks_.back().reserve(kChunkSize);
        } else if (chunks_.size() == 1 && chunks_[0].size() == chunks_[0].capacity()) {
            const size_t grown = chunks_[0].capacity() * 2;
            chunks_[0].reserve(grown < 4 ? 4 : (grown > kChunkSize ? kChunkSize : grown));
        }
        return chunks_.back();
    }

    std::vector<std::vector<T>> chunks_;
    size_t size_ = 0;
};
