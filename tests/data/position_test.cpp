#include "data/position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(PositionTest, SaturatingArithmeticStopsAtTheEndsWithoutWrapping) {
    const struct {
        Position value;
        Position amount;
        Position sum;
        Position difference;
    } cases[] = {
        {0, 0, 0, 0},
        {1, 1, 2, 0},
        {0, 1, 1, 0},
        {5, 7, 12, 0},
        {kLastPosition - 1, 1, kLastPosition, kLastPosition - 2},
        {kLastPosition, 1, kLastPosition, kLastPosition - 1},
        {kLastPosition, kLastPosition, kLastPosition, 0},
        {kNoPosition, 0, kLastPosition, kNoPosition},  // a sum never reaches "none"
        {kNoPosition, kNoPosition, kLastPosition, 0},
        {1, kNoPosition, kLastPosition, 0},  // an amount past the last position
        {0, kNoPosition, kLastPosition, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SaturatingAdd(c.value, c.amount), c.sum) << c.value << " + " << c.amount;
        EXPECT_EQ(SaturatingSubtract(c.value, c.amount), c.difference)
            << c.value << " - " << c.amount;
    }
}

TEST(PositionTest, DoublesAreTruncatedAndHeldWithinTheBoundsAsked) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        Position low;
        Position expected;
    } cases[] = {
        {0.0, 0, 0},
        {0.9, 0, 0},
        {0.9, 1, 1},
        {1.9, 1, 1},
        {-0.5, 0, 0},
        {-1e300, 1, 1},
        {-kInfinity, 1, 1},
        {std::nan(""), 0, 0},
        {std::nan(""), 1, 1},
        {4294967293.7, 0, kLastPosition - 1},
        {4294967294.0, 0, kLastPosition},
        {4294967295.0, 0, kLastPosition},  // kNoPosition is no result
        {4294967296.0, 0, kLastPosition},
        {1e300, 0, kLastPosition},
        {kInfinity, 1, kLastPosition},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PositionFromDouble(c.value, c.low), c.expected) << c.value << " from " << c.low;
}

TEST(PositionTest, WideIntegersAreHeldWithinTheBoundsAsked) {
    EXPECT_EQ(PositionFromInt64(-1), 0u);
    EXPECT_EQ(PositionFromInt64(int64_t{kNoPosition}), kLastPosition);
    EXPECT_EQ(PositionFromInt64(int64_t{1} << 40), kLastPosition);
    // An exclusive end may be one past the last position.
    EXPECT_EQ(PositionFromInt64(int64_t{kNoPosition}, 0, kNoPosition), kNoPosition);
    EXPECT_EQ(PositionFromInt64(int64_t{1} << 40, 0, kNoPosition), kNoPosition);
    EXPECT_EQ(PositionFromInt64(0, 1), 1u);
}

}  // namespace
