#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// Base positions and ranges, the one place that says what they are. A position is 1-based and
// inclusive at both ends of a range; the all-ones value is no position at all, so results of
// arithmetic stop one below it. Nothing here wraps or casts out of range.

// A base position on a chromosome.
using Position = uint32_t;
// (first, last) of a run of bases, both inclusive unless the caller says otherwise.
using Range = std::pair<Position, Position>;

// No position: a missing start, an empty track's first start, or no upper bound.
constexpr Position kNoPosition = 0xFFFFFFFF;
// The largest position an arithmetic result may take.
constexpr Position kLastPosition = 0xFFFFFFFE;

// value + amount, held at kLastPosition (kNoPosition + 0 gives kLastPosition too).
constexpr Position SaturatingAdd(Position value, Position amount) {
    const uint64_t sum = uint64_t{value} + amount;
    return sum < kLastPosition ? static_cast<Position>(sum) : kLastPosition;
}

// value - amount, held at 0; callers that need a real base take the max with 1.
constexpr Position SaturatingSubtract(Position value, Position amount) {
    return value > amount ? value - amount : 0;
}

// A wide integer held within [low, high] (by default every position a result may take).
constexpr Position PositionFromInt64(int64_t value, Position low = 0,
                                     Position high = kLastPosition) {
    return static_cast<Position>(std::clamp<int64_t>(value, low, high));
}

// A double truncated toward zero and held within [low, high]; NaN gives low. The clamp comes
// before the cast, which is undefined for values the target cannot hold.
inline Position PositionFromDouble(double value, Position low = 0, Position high = kLastPosition) {
    if (std::isnan(value))
        return low;
    return static_cast<Position>(
        std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}
