// Differential target: the per-column min/max query answered from the score summary against
// the reference that walks every item, on tracks of up to 20,000 items (so that groups of the
// summary are used) with NaN, +-0, +-inf and repeated starts, over ranges near both ends of the
// position space. Any difference in starts or (bitwise) values aborts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "data/chromosome_dataset.h"

namespace {

constexpr uint32_t kMaxItems = 20000;
constexpr int kQueries = 64;
constexpr uint32_t kLastPosition = 0xFFFFFFFE;

// A small generator, so a short input still describes a long track.
struct Generator {
    uint64_t state;
    uint32_t Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state >> 32);
    }
};

float ScoreFor(uint8_t kind, uint32_t k, Generator& random) {
    switch (kind & 7) {
        case 0: return std::numeric_limits<float>::quiet_NaN();
        case 1: return 0.0f;
        case 2: return -0.0f;
        case 3: return std::numeric_limits<float>::infinity();
        case 4: return -std::numeric_limits<float>::infinity();
        case 5: return static_cast<float>(k % 7);
        case 6: return std::numeric_limits<float>::max();
        default: {
            const uint32_t bits = random.Next();
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
}

uint32_t PositionFor(FuzzedDataProvider& input, uint32_t lowest, uint32_t highest) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return input.ConsumeIntegralInRange<uint32_t>(0, 16);
        case 1: return kLastPosition - input.ConsumeIntegralInRange<uint32_t>(0, 16);
        case 2: return input.ConsumeIntegralInRange<uint32_t>(lowest, highest);
        default: return input.ConsumeIntegral<uint32_t>();
    }
}

bool SameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint32_t count = input.ConsumeIntegralInRange<uint32_t>(0, kMaxItems);
    Generator random{input.ConsumeIntegral<uint64_t>()};
    // Starts begin near 0 or near the top of the position space.
    uint32_t start = input.ConsumeBool() ? 1 : kLastPosition - count * 3;
    const std::vector<uint8_t> pattern = input.ConsumeBytes<uint8_t>(
        input.ConsumeIntegralInRange<size_t>(0, 256));

    ChromosomeDataset track;
    ChromosomeItem item;
    for (uint32_t k = 0; k < count; ++k) {
        const uint32_t bits = pattern.empty() ? random.Next() : pattern[k % pattern.size()];
        const uint32_t step = bits & 3;  // 0 repeats the start
        if (start <= kLastPosition - step)
            start += step;
        item.Stop = start;
        item.Score = ScoreFor(static_cast<uint8_t>(bits >> 2), k, random);
        track.UpdateExtents(start, item.Stop, item.Score);
        track.AddItem(start, item);
    }
    const uint32_t lowest = count == 0 ? 0 : track.GetStartPositions().front();
    const uint32_t highest = count == 0 ? 0 : track.GetStartPositions().back();

    for (int q = 0; q < kQueries && input.remaining_bytes() > 0; ++q) {
        const uint32_t from = PositionFor(input, lowest, highest);
        const uint32_t to = PositionFor(input, lowest, highest);
        uint32_t minStart[2] = {7, 7}, maxStart[2] = {7, 7};
        float minValue[2] = {1.5f, 1.5f}, maxValue[2] = {1.5f, 1.5f};
        track.GetMinMaxInRange(from, to, minStart[0], maxStart[0], minValue[0], maxValue[0]);
        track.GetMinMaxInRangeByWalking(from, to, minStart[1], maxStart[1], minValue[1],
                                        maxValue[1]);
        if (minStart[0] != minStart[1] || maxStart[0] != maxStart[1] ||
            !SameFloat(minValue[0], minValue[1]) || !SameFloat(maxValue[0], maxValue[1])) {
            std::fprintf(stderr,
                         "summary and walk differ for [%u, %u] over %u items: "
                         "min %u %g / %u %g, max %u %g / %u %g\n",
                         from, to, count, minStart[0], minValue[0], minStart[1], minValue[1],
                         maxStart[0], maxValue[0], maxStart[1], maxValue[1]);
            std::abort();
        }
    }
    return 0;
}
