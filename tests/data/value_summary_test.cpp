#include "data/value_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "data/chromosome_dataset.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Ties: small integers with rare extremes (both zeros below them all, NaN, infinities and the
// walk's start values FLT_MAX and -FLT_MAX), so a long range's extreme lies deep inside it.
// Rare: only those extremes, so short ranges often hold nothing beating the start values.
// Wide: nearly all distinct. None is symmetric about 0, so a scaling by -1 changes answers.
enum class Scores { Ties, Rare, Wide, MostlyNaN };

float DrawScore(Scores kind, std::mt19937& random) {
    static const float kRare[] = {0.0f, -0.0f, 9.0f, kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX};
    if (kind == Scores::Wide)
        return static_cast<float>(random() % 2000000) - 500000;
    if (kind == Scores::Rare || random() % 500 == 0)
        return kind == Scores::MostlyNaN ? static_cast<float>(random() % 6) : kRare[random() % 8];
    return kind == Scores::MostlyNaN ? kNaN : static_cast<float>(random() % 6 + 1);
}

// Starts advance by 0 to 3, so many items share a start.
void Fill(ChromosomeDataset& track, size_t count, Scores kind, std::mt19937& random) {
    for (uint32_t k = 0, start = 1; k < count; ++k, start += random() % 4) {
        ChromosomeItem item;
        item.Score = DrawScore(kind, random);
        track.AddItem(start, item);
    }
}

// All four results, values bit for bit (so -0.0 is not 0.0 and an untouched value shows).
std::string MinMax(const ChromosomeDataset& track, uint32_t from, uint32_t to, bool walk) {
    uint32_t starts[2] = {7, 7};
    float values[2] = {42.5f, -42.5f};
    (track.*
     (walk ? &ChromosomeDataset::GetMinMaxInRangeByWalking : &ChromosomeDataset::GetMinMaxInRange))(
        from, to, starts[0], starts[1], values[0], values[1]);
    uint32_t bits[2];
    std::memcpy(bits, values, sizeof bits);
    return std::to_string(starts[0]) + " " + std::to_string(starts[1]) + " " +
           std::to_string(bits[0]) + " " + std::to_string(bits[1]);
}

// Short and long ranges, an eighth of them inverted, reaching past both ends of the track.
void ExpectSameAsWalk(const ChromosomeDataset& track, std::mt19937& random,
                      const std::string& label) {
    const uint32_t end = track.GetItemCount() == 0 ? 100 : track.GetStartPositions().back() + 10;
    EXPECT_EQ(MinMax(track, 0, end, false), MinMax(track, 0, end, true)) << label;
    for (int q = 0; q < 200; ++q) {
        const uint32_t from = random() % end;
        const uint32_t span = (random() % end) >> (random() % 16);
        const uint32_t to = q % 8 == 0 ? from - std::min(from, span) : from + span;
        EXPECT_EQ(MinMax(track, from, to, false), MinMax(track, from, to, true))
            << label << " from " << from << " to " << to;
    }
}

TEST(ValueSummaryTest, MinMaxInRangeMatchesTheWalkAroundBlockAndGroupBoundaries) {
    std::mt19937 random(20240611);
    for (size_t count : {0, 1, 2, 63, 64, 65, 127, 128, 129, 4095, 4096, 4097, 8193, 12353}) {
        for (Scores kind : {Scores::Ties, Scores::Rare, Scores::Wide, Scores::MostlyNaN}) {
            ChromosomeDataset track;
            Fill(track, count, kind, random);
            ExpectSameAsWalk(
                track, random,
                std::to_string(count) + " items of kind " + std::to_string(static_cast<int>(kind)));
        }
    }
}

TEST(ValueSummaryTest, MinMaxInRangeFollowsScaledAndAddedScores) {
    std::mt19937 random(7);
    ChromosomeDataset track;
    Fill(track, 9000, Scores::Ties, random);
    ExpectSameAsWalk(track, random, "as filled");
    track.ScaleValues(-1.0f);
    ExpectSameAsWalk(track, random, "after scaling by -1");
    for (int k = 0; k < 300; ++k) {
        ChromosomeItem item;
        item.Score = DrawScore(Scores::Wide, random);
        track.AddItem(1000 + random() % 14000, item);
    }
    ExpectSameAsWalk(track, random, "after adding");
}

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
