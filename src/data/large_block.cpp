#include "data/large_block.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace LargeBlock {

namespace {

bool WantsHugePages(size_t bytes) {
    return bytes % kHugePageSize == 0;
}

// Freed single huge-page blocks, ready for reuse without new page faults.
class BlockCache {
public:
    void* Take() {
        std::lock_guard<std::mutex> guard(lock_);
        if (blocks_.empty())
            return nullptr;
        void* block = blocks_.back();
        blocks_.pop_back();
        return block;
    }
    bool Keep(void* block) {
        std::lock_guard<std::mutex> guard(lock_);
        if ((blocks_.size() + 1) * kHugePageSize > kCachedBytes)
            return false;
        blocks_.push_back(block);
        return true;
    }
    size_t Count() {
        std::lock_guard<std::mutex> guard(lock_);
        return blocks_.size();
    }
    std::vector<void*> TakeAll() {
        std::lock_guard<std::mutex> guard(lock_);
        return std::move(blocks_);
    }

private:
    std::mutex lock_;
    std::vector<void*> blocks_;
};

BlockCache& Cache() {
    static BlockCache* cache = new BlockCache;  // never destroyed: blocks may outlive statics
    return *cache;
}

#if defined(__linux__)
// A fresh mapping of bytes (a multiple of kHugePageSize) aligned to a huge page.
void* MapHugePages(size_t bytes) {
    // Map one huge page more than asked, then cut the ends so the block starts aligned.
    const size_t mapped = bytes + kHugePageSize;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePageSize - 1) & ~(uintptr_t{kHugePageSize} - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    const uintptr_t end = start + mapped;
    if (end > aligned + bytes)
        munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
    void* block = reinterpret_cast<void*>(aligned);
    madvise(block, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it still works
    return block;
}
#endif

}  // namespace

void* Allocate(size_t bytes) {
#if defined(__linux__)
    if (bytes == kHugePageSize) {
        if (void* block = Cache().Take())
            return block;
    }
    if (WantsHugePages(bytes))
        return MapHugePages(bytes);
#endif
    void* block = std::malloc(bytes);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void Prepare(size_t count) {
#if defined(__linux__)
    static const size_t kPageBytes = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    while (Cache().Count() < count) {
        char* const block = static_cast<char*>(MapHugePages(kHugePageSize));
        for (size_t at = 0; at < kHugePageSize; at += kPageBytes)
            block[at] = 0;
        if (!Cache().Keep(block)) {
            munmap(block, kHugePageSize);
            return;
        }
    }
#else
    (void)count;
#endif
}

void Release(void* block, size_t bytes) noexcept {
    if (block == nullptr)
        return;
#if defined(__linux__)
    if (bytes == kHugePageSize && Cache().Keep(block)) {
        madvise(block, bytes, MADV_FREE);  // the system may take the pages back if it needs them
        return;
    }
    if (WantsHugePages(bytes)) {
        munmap(block, bytes);
        return;
    }
#endif
    std::free(block);
}

void ReleaseCachedBlocks() noexcept {
#if defined(__linux__)
    for (void* block : Cache().TakeAll())
        munmap(block, kHugePageSize);
#endif
}

}  // namespace LargeBlock
