#pragma once

#include <cstddef>

// Memory for the big append-only stores of the track containers. Blocks of kHugePageSize bytes
// are aligned to it and, where the system allows, backed by huge pages: a genome-scale import
// then takes one page fault per 2 MiB instead of one per 4 KiB. Freed huge-page blocks are kept
// for reuse, as the heap keeps freed memory, up to kCachedBytes; the system may reclaim their
// pages meanwhile. Smaller blocks come from the ordinary heap. Safe to use from any thread.
namespace LargeBlock {

constexpr size_t kHugePageSize = size_t{2} << 20;
constexpr size_t kCachedBytes = size_t{1} << 30;

// Uninitialised memory for bytes bytes; throws std::bad_alloc when there is none.
void* Allocate(size_t bytes);
// Gives back a block from Allocate with the same size.
void Release(void* block, size_t bytes) noexcept;
// Returns every kept block to the system.
void ReleaseCachedBlocks() noexcept;
// Makes sure that count single huge-page blocks are kept, taking new ones from the system and
// writing to every page of them, so that whoever allocates them next finds their pages
// already in memory: a thread with time to spare (an import's parsing thread) takes on the
// system's clearing of fresh pages for a busier one. Throws std::bad_alloc when there is no
// memory.
void Prepare(size_t count);

}  // namespace LargeBlock
