// Import throughput and memory, next to a plain getline-and-split loop over the same file:
//   import_benchmark [benchmark flags] FILE...
// For each file it reports MB/s (bytes_per_second, bytes of the file as it is on disk) and
// lines/s (items_per_second) and, for the import (on every core the process may use, and on
// one), the time of a first run into fresh memory and its peak resident bytes per stored
// feature and per byte of file. A gzip-compressed file
// (.gz, .bgz) is imported as the Import command does, decompressing while it reads; its
// baseline is inflating it alone, without looking at the text. BlockMemory, which needs no
// file, gives the resident bytes that each block of a BED12 item adds to the store.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/genome_dataset.h"
#include "import/gzip_byte_source.h"
#include "import/import_driver.h"
#include "import/chunk_reader.h"
#include "import/stream_byte_source.h"
#include "process_memory.h"

namespace {

uint64_t FileSize(const std::string& path) {
    return std::filesystem::file_size(path);
}

// The baseline: read every line and cut it into its tab- or blank-separated fields.
void PlainGetlineSplit(benchmark::State& state, const std::string& path) {
    uint64_t lines = 0;
    uint64_t fields = 0;
    for (auto _ : state) {
        std::ifstream in(path);
        std::string line;
        std::vector<std::string_view> columns;
        while (std::getline(in, line)) {
            columns.clear();
            size_t begin = 0;
            for (size_t i = 0; i <= line.size(); ++i) {
                if (i == line.size() || line[i] == '\t' || line[i] == ' ') {
                    columns.emplace_back(line.data() + begin, i - begin);
                    begin = i + 1;
                }
            }
            fields += columns.size();
            ++lines;
        }
        benchmark::DoNotOptimize(fields);
    }
    state.SetBytesProcessed(static_cast<int64_t>(FileSize(path) * state.iterations()));
    state.SetItemsProcessed(static_cast<int64_t>(lines));
}

// The lines of the file's text, compressed or not, counted through the import's own reader.
uint64_t CountLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::unique_ptr<ByteSource> source;
    if (ImportDriver::IsCompressed(path))
        source = std::make_unique<GzipByteSource>(in);
    else
        source = std::make_unique<StreamByteSource>(in);
    ChunkReader reader(*source);
    TextChunk chunk;
    uint64_t lines = 0;
    while (reader.Next(chunk) == ChunkReader::Status::kChunk) {
        if (chunk.tooLongLine) {
            ++lines;
            continue;
        }
        const char* at = chunk.buffer.get();
        const char* const end = at + chunk.size;
        for (std::string_view line; at != end; ++lines)
            LineEnds::NextLine(at, end, line);
    }
    return lines;
}

// The baseline of a compressed file: inflating it into a large buffer, the text unread.
void InflateOnly(benchmark::State& state, const std::string& path) {
    constexpr size_t kTextBlock = size_t{2} << 20;
    std::unique_ptr<char[]> text(new char[kTextBlock]);
    uint64_t textBytes = 0;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        GzipByteSource source(in);
        while (const size_t got = source.Read(text.get(), kTextBlock))
            textBytes += got;
        if (source.Failed())
            state.SkipWithError(source.GetFailure().c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(FileSize(path) * state.iterations()));
    state.counters["text_bytes"] = static_cast<double>(textBytes / state.iterations());
}

// Imports path as the Import command does (on threads threads, 0 for all the process may use),
// then puts every track in order.
uint64_t ImportAndOrder(const std::string& path, unsigned threads) {
    GenomeDataset genome;
    ImportLimits limits;
    limits.threads = threads;
    ImportDriver(genome, limits).LoadFiles({path});
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        for (int i = 0; i < genome.Store().GetPaneTrackCount(pane); ++i)
            benchmark::DoNotOptimize(genome.Store().GetTrack(pane, i).dataset->GetStartPositions());
    }
    return genome.Store().GetStoredFeatures();
}

// The import as the Import command runs it, including the first ordering of every track.
// The first run, untimed by the framework, starts with all memory given back to the system: it
// gives the peak resident memory and the cold time, which includes the system's zeroing of
// fresh pages (slow and erratic on virtual machines). The timed runs then reuse the memory the
// previous run freed, as the heap does, and so measure the import itself.
void Import(benchmark::State& state, const std::string& path, unsigned threads) {
    ProcessMemory::ReleaseFreeMemory();
    const uint64_t before = ProcessMemory::ResidentBytes();
    ProcessMemory::ResetPeak();
    const auto coldStart = std::chrono::steady_clock::now();
    const uint64_t features = ImportAndOrder(path, threads);
    const std::chrono::duration<double> cold = std::chrono::steady_clock::now() - coldStart;
    const double peak = static_cast<double>(ProcessMemory::PeakResidentBytes() - before);

    for (auto _ : state)
        ImportAndOrder(path, threads);

    const uint64_t lines = CountLines(path);
    state.SetBytesProcessed(static_cast<int64_t>(FileSize(path) * state.iterations()));
    state.SetItemsProcessed(static_cast<int64_t>(lines * state.iterations()));
    state.counters["features"] = static_cast<double>(features);
    state.counters["cold_ms"] = cold.count() * 1000.0;
    state.counters["peak_rss_per_feature"] = peak / static_cast<double>(features);
    state.counters["peak_rss_per_file_byte"] = peak / static_cast<double>(FileSize(path));
}

// One track of kItems BED12-like items filed with kBlocks blocks each, next to the same items
// filed without: the difference in resident memory per block, counts included.
void BlockMemory(benchmark::State& state) {
    constexpr uint32_t kItems = 1000000;
    constexpr uint32_t kBlocks = 10;
    constexpr uint32_t kSpacing = 1000;
    const auto residentAfterFiling = [](bool withBlocks) {
        ProcessMemory::ReleaseFreeMemory();
        const uint64_t before = ProcessMemory::ResidentBytes();
        ChromosomeDataset track;
        ChromosomeItem item;
        item.Attributes = "transcript";
        FeatureStructure structure;
        for (uint32_t b = 0; withBlocks && b < kBlocks; ++b)
            structure.Blocks.push_back({b * 50, 40});
        for (uint32_t i = 0; i < kItems; ++i) {
            item.Stop = i * kSpacing + kBlocks * 50;
            track.AddItem(i * kSpacing + 1, item, structure);
        }
        benchmark::DoNotOptimize(track.GetBlocks(kItems - 1).size());
        return static_cast<double>(ProcessMemory::ResidentBytes() - before);
    };
    double perBlock = 0;
    for (auto _ : state)
        perBlock = (residentAfterFiling(true) - residentAfterFiling(false)) / (kItems * kBlocks);
    state.counters["rss_per_block"] = perBlock;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s [benchmark flags] FILE...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const std::string name = std::filesystem::path(path).filename().string();
        if (ImportDriver::IsCompressed(path)) {
            benchmark::RegisterBenchmark(("InflateOnly/" + name).c_str(), InflateOnly, path)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(2)
                ->UseRealTime();
        } else {
            benchmark::RegisterBenchmark(("PlainGetlineSplit/" + name).c_str(), PlainGetlineSplit,
                                         path)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(2)
                ->UseRealTime();
        }
        // On every core the process may use, and on one.
        for (const unsigned threads : {0u, 1u}) {
            benchmark::RegisterBenchmark(
                ("Import/" + name + (threads == 1 ? "/one-thread" : "")).c_str(), Import, path,
                threads)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(2)
                ->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark("BlockMemory", BlockMemory)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
