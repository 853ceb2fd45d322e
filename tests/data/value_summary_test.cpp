#include "data/value_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(ValueSummaryTest, FindGivesTheFirstIndexOfAnExtremeInAnyBlockAndNoneForNaNOnly) {
    std::mt19937 random(5);
    std::vector<float> scores(3 * 4096 + 700);
    for (float& score : scores)
        score = static_cast<float>(random() % 6 + 1);
    std::fill(scores.begin() + 4000, scores.begin() + 8300, kNaN);  // a whole group of NaN
    ValueSummary summary;
    // One planted extreme in every block, and an equal one after it that must not win.
    for (size_t block = 0; block * 64 < scores.size(); ++block) {
        const size_t k = std::min(block * 64 + random() % 64, scores.size() - 1);
        for (const float extreme : {0.0f, 7.0f}) {
            std::vector<float> planted = scores;
            planted[k + random() % (scores.size() - k)] = extreme == 0.0f ? -0.0f : extreme;
            planted[k] = extreme;
            const auto scoreAt = [&](size_t i) { return planted[i]; };
            summary.Build(planted.size(), scoreAt);
            for (int q = 0; q < 4; ++q) {
                const size_t begin = random() % (k + 1);
                const size_t end = k + 1 + random() % (scores.size() - k + 100);  // may overshoot
                const ValueSummary::Extremes found = summary.Find(begin, end, scoreAt);
                EXPECT_EQ(extreme == 0.0f ? found.MinIndex : found.MaxIndex, k)
                    << extreme << " in " << begin << ".." << end;
            }
        }
    }
    const auto scoreAt = [&](size_t i) { return scores[i]; };
    summary.Build(scores.size(), scoreAt);
    EXPECT_LT(summary.MemoryBytes(), scores.size() / 4);
    const ValueSummary::Extremes none = summary.Find(4001, 8299, scoreAt);
    EXPECT_EQ(none.MinIndex, ValueSummary::kNoIndex);
    EXPECT_EQ(none.MaxIndex, ValueSummary::kNoIndex);
}

}  // namespace
