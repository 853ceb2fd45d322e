#pragma once

#include <cstdint>

#include "data/memory_budget.h"

// The memory the system has left for an import: the memory available to programs
// (MemAvailable in /proc/meminfo) and, under an address-space limit (ulimit -v), the room left
// within that limit. Growth is refused when it would leave less than a tenth of the whole
// (all memory, or the limit) or less than kLeastLeft, so that the loaded data can still be
// sorted, drawn and searched afterwards. Small growths are added up and the system is asked
// once per kAskEvery bytes, so an import pays nothing per line for the check.
class SystemMemoryBudget : public MemoryBudget {
public:
    static constexpr uint64_t kLeastLeft = uint64_t{512} << 20;
    static constexpr uint64_t kAskEvery = uint64_t{2} << 20;

    void Reserve(size_t bytes) override;

    // True when taking bytes out of left, of a whole of whole, leaves at least a tenth of whole
    // and at least kLeastLeft.
    static bool LeavesEnough(uint64_t left, uint64_t whole, uint64_t bytes);

private:
    uint64_t unasked_ = 0;  // growth since the system was last asked
};
