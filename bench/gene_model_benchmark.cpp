// Finding gene models, next to the import: for each GFF file, the import as the Import command
// runs it (which leaves the models to the first drawing of each pane), then the link pass
// alone over every chromosome of the imported file (what drawing "All Tracks" once costs), on
// as many threads as drawing uses and on one, with its share of the import's time, the models
// found and the bytes they take per linked item (a transcript or a child drawn in one):
//   gene_model_benchmark [benchmark flags] FILE...
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/gene_model_linker.h"
#include "data/genome_dataset.h"
#include "import/import_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kImportRuns = 3;

// Imports path as the Import command does and puts every track in order.
std::unique_ptr<GenomeDataset> ImportAndOrder(const std::string& path) {
    auto genome = std::make_unique<GenomeDataset>();
    ImportDriver(*genome).LoadFiles({path});
    for (const std::string& pane : genome->Store().GetPaneOrder()) {
        for (const auto& track : *genome->Store().GetChromosomeTracks(pane))
            benchmark::DoNotOptimize(track.second->GetStartPositions());
    }
    return genome;
}

std::vector<const GenomeDataset::TrackMap*> Chromosomes(const GenomeDataset& genome) {
    std::vector<const GenomeDataset::TrackMap*> chromosomes;
    for (const std::string& pane : genome.Store().GetPaneOrder())
        chromosomes.push_back(genome.Store().GetChromosomeTracks(pane));
    return chromosomes;
}

void Import(benchmark::State& state, const std::string& path) {
    for (auto _ : state)
        ImportAndOrder(path);
    state.SetBytesProcessed(
        static_cast<int64_t>(std::filesystem::file_size(path) * state.iterations()));
}

// args: 1 = on several threads, as drawing "All Tracks" links; 0 = on this thread, one
// chromosome after the other.
void Link(benchmark::State& state, const std::string& path) {
    // The import's time: the fastest of a few runs, the first of which also pays for fresh
    // memory.
    std::unique_ptr<GenomeDataset> genome;
    double import = 0.0;
    for (int run = 0; run < kImportRuns; ++run) {
        genome.reset();
        const auto start = Clock::now();
        genome = ImportAndOrder(path);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        import = run == 0 ? seconds : std::min(import, seconds);
    }
    const std::vector<const GenomeDataset::TrackMap*> chromosomes = Chromosomes(*genome);
    const bool threads = state.range(0) != 0;
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (threads) {
            GeneModelLinker::LinkAll(chromosomes);
        } else {
            GeneModelLinker linker;
            for (const GenomeDataset::TrackMap* tracks : chromosomes)
                linker.Link(*tracks);
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    size_t models = 0;
    size_t linked = 0;
    size_t bytes = 0;
    GeneModelLinker linker;
    for (const GenomeDataset::TrackMap* tracks : chromosomes) {
        linker.Link(*tracks);
        models += linker.GetCounts().models;
        linked += linker.GetCounts().linkedItems;
        bytes += linker.GetCounts().bytes;
    }
    state.counters["models"] = static_cast<double>(models);
    state.counters["linked_items"] = static_cast<double>(linked);
    state.counters["bytes_per_linked_item"] = linked != 0 ? double(bytes) / double(linked) : 0.0;
    state.counters["share_of_import"] = seconds / state.iterations() / import;
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
        benchmark::RegisterBenchmark(("Import/" + name).c_str(), Import, path)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Link/" + name).c_str(), Link, path)
            ->ArgName("threads")
            ->Arg(1)
            ->Arg(0)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
