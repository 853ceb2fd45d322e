// The range query the view makes once per pixel column, with the score summary and with a walk
// over every item, on a track of 10 million items:
//   min_max_benchmark [benchmark flags]
// Each iteration is one drawing pass of a fully zoomed-out track: 1920 queries whose base ranges
// together cover the whole track. The summary's one-off build is timed on its own, and its size
// is reported per item.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "data/chromosome_dataset.h"
#include "data/value_summary.h"

namespace {

constexpr size_t kItems = 10'000'000;
constexpr uint32_t kColumns = 1920;

// Starts about 30 bases apart with some repeats, scores spread over a wide range with a few NaN.
const ChromosomeDataset& Track() {
    static ChromosomeDataset* const track = [] {
        auto* filled = new ChromosomeDataset;
        std::mt19937 random(42);
        std::normal_distribution<float> score(10.0f, 25.0f);
        uint32_t start = 1;
        for (size_t k = 0; k < kItems; ++k) {
            ChromosomeItem item;
            start += random() % 60;
            item.Stop = start + 200;
            item.Score = random() % 1000 == 0 ? std::nanf("") : score(random);
            filled->AddItem(start, item);
        }
        filled->GetStartPositions();  // order once, outside the timings
        return filled;
    }();
    return *track;
}

void DrawingPass(benchmark::State& state, bool walk) {
    const ChromosomeDataset& track = Track();
    const uint32_t first = track.GetStartPositions().front();
    const uint32_t page = track.GetStartPositions().back() - first + 1;
    const double basesPerPixel = static_cast<double>(page) / kColumns;
    uint32_t minStart = 0, maxStart = 0;
    float minValue = 0, maxValue = 0;
    track.GetMinMaxInRange(first, first + 1, minStart, maxStart, minValue, maxValue);  // builds
    for (auto _ : state) {
        for (uint32_t x = 0; x < kColumns; ++x) {
            const auto from = static_cast<uint32_t>(first + x * basesPerPixel);
            const auto to = static_cast<uint32_t>(first + (x + 1) * basesPerPixel);
            if (walk)
                track.GetMinMaxInRangeByWalking(from, to, minStart, maxStart, minValue, maxValue);
            else
                track.GetMinMaxInRange(from, to, minStart, maxStart, minValue, maxValue);
            benchmark::DoNotOptimize(minValue);
            benchmark::DoNotOptimize(maxValue);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kColumns));
}

void SummaryBuild(benchmark::State& state) {
    const ChromosomeDataset& track = Track();
    ValueSummary summary;
    for (auto _ : state)
        summary.Build(track.GetItemCount(), [&](size_t k) { return track.GetScore(k); });
    state.counters["summary_bytes_per_item"] =
        static_cast<double>(summary.MemoryBytes()) / static_cast<double>(track.GetItemCount());
}

BENCHMARK_CAPTURE(DrawingPass, Summary, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawingPass, Walk, true)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
