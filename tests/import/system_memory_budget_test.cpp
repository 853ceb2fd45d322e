#include "import/system_memory_budget.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;
constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(SystemMemoryBudgetTest, GrowthMustLeaveATenthOfTheWholeAndHalfAGigabyte) {
    const struct {
        uint64_t left, whole, bytes;
        bool enough;
    } cases[] = {
        {2 * kGiB, 4 * kGiB, 1 * kGiB, true},
        {2 * kGiB, 4 * kGiB, 1536 * kMiB, true},  // exactly 512 MB left
        {2 * kGiB, 4 * kGiB, 1537 * kMiB, false},
        {8 * kGiB, 64 * kGiB, 1 * kGiB, true},  // 7 GB left, a tenth is 6.4 GB
        {8 * kGiB, 64 * kGiB, 2 * kGiB, false},
        {600 * kMiB, 1 * kGiB, 0, true},
        {500 * kMiB, 1 * kGiB, 0, false},       // already below 512 MB
        {1 * kGiB, 2 * kGiB, 2 * kGiB, false},  // more than is left: no wrap around
        {0, UINT64_MAX, 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemMemoryBudget::LeavesEnough(c.left, c.whole, c.bytes), c.enough)
            << c.left << " " << c.whole << " " << c.bytes;
}

}  // namespace
