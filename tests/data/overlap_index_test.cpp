#include "data/overlap_index.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Finding the items that reach a position must find every one of them, across block and
// group boundaries, and nothing else.
TEST(OverlapIndexTest, ForEachReachingFindsExactlyTheItemsThatReachTheStop) {
    std::vector<uint32_t> stops(20000);
    std::vector<float> values(stops.size());
    uint64_t state = 5;
    for (size_t i = 0; i < stops.size(); ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        stops[i] = static_cast<uint32_t>(i * 10 + (state >> 60 == 0 ? (state >> 20) % 100000 : 5));
        values[i] = static_cast<float>(i % 7);
    }
    OverlapIndex index;
    const auto stopAt = [&](size_t i) { return stops[i]; };
    const auto valueAt = [&](size_t i) { return values[i]; };
    index.Build(stops.size(), valueAt, stopAt);
    for (const auto& [begin, end, minStop] :
         {std::tuple<size_t, size_t, uint32_t>{0, 20000, 150000}, {63, 4097, 40000},
          {4096, 4160, 41000}, {100, 100, 0}, {19990, 30000, 0}, {0, 20000, 0xFFFFFFFF}}) {
        std::vector<size_t> found;
        index.ForEachReaching(begin, end, minStop, stopAt, [&](size_t i) { found.push_back(i); });
        std::vector<size_t> expected;
        for (size_t i = begin; i < std::min<size_t>(end, stops.size()); ++i) {
            if (stops[i] >= minStop)
                expected.push_back(i);
        }
        EXPECT_EQ(found, expected) << begin << "-" << end << " from " << minStop;
    }
    const ValueSummary::Extremes extremes = index.FindExtremes(10, 20, valueAt);
    EXPECT_EQ(extremes.MinIndex, 14u);
    EXPECT_EQ(extremes.MaxIndex, 13u);
}

}  // namespace
