// Finding features by name on a genome-scale annotation:
//   name_lookup_benchmark [benchmark flags] GFF
// Import/gff times the import the index is held against. NameIndex/build reads every item's
// name and ID into the index (build_ms, its share of the import time as import_share, its
// memory per named feature as bytes_per_named_feature). NameLookup/gene-name and
// NameLookup/id find names taken from the file (a gene name is held by a gene, its transcripts
// and their exons; an ID by one item), NameLookup/none one that no feature has; each reports
// milliseconds per look-up and the matches found. NameLookup/draft-assembly looks up a gene
// name among 30,000 one-track scaffolds (the tracks are checked on every look-up).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "data/feature_name.h"
#include "data/feature_name_index.h"
#include "data/genome_dataset.h"
#include "import/import_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Loaded {
    std::unique_ptr<GenomeDataset> genome = std::make_unique<GenomeDataset>();
    FeatureNameIndex index;
    double importMilliseconds = 0.0;
    std::vector<std::string> geneNames;
    std::vector<std::string> ids;
};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Loaded& Data(const std::string& path) {
    static Loaded loaded = [&path] {
        Loaded data;
        const auto start = Clock::now();
        ImportDriver(*data.genome).LoadFiles({path});
        for (const GenomeDataset::TrackRef& ref :
             data.genome->Store().GetPaneTracks(kAllTracksPane))
            benchmark::DoNotOptimize(ref.dataset->GetStartPositions());
        data.importMilliseconds = MillisecondsSince(start);
        // Names spread over the whole file: every 997th item's name and ID.
        size_t seen = 0;
        for (const GenomeDataset::TrackRef& ref :
             data.genome->Store().GetPaneTracks(kAllTracksPane)) {
            for (size_t i = 0; i < ref.dataset->GetItemCount(); ++i, ++seen) {
                if (seen % 997 != 0)
                    continue;
                const FeatureNameAndId found =
                    FindFeatureNameAndId(ref.dataset->GetItem(i).Attributes);
                data.geneNames.emplace_back(found.name);
                data.ids.emplace_back(found.id);
            }
        }
        return data;
    }();
    return loaded;
}

void Import(benchmark::State& state, const std::string& path) {
    Loaded& data = Data(path);
    for (auto _ : state)
        state.SetIterationTime(data.importMilliseconds / 1000.0);
    state.counters["features"] = static_cast<double>(data.genome->Store().GetStoredFeatures());
}

void Build(benchmark::State& state, const std::string& path) {
    Loaded& data = Data(path);
    double milliseconds = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!data.index.Build(*data.genome, nullptr))
            state.SkipWithError("build failed");
        milliseconds = MillisecondsSince(start);
    }
    const double named = static_cast<double>(data.index.GetNamedFeatureCount());
    state.counters["build_ms"] = milliseconds;
    state.counters["import_share"] = milliseconds / data.importMilliseconds;
    state.counters["named_features"] = named;
    state.counters["bytes_per_named_feature"] =
        static_cast<double>(data.index.GetMemoryBytes()) / named;
}

void Lookup(benchmark::State& state, const std::string& path,
            std::vector<std::string> Loaded::*names) {
    Loaded& data = Data(path);
    if (!data.index.Find(*data.genome, "")) {
        if (!data.index.Build(*data.genome, nullptr))
            state.SkipWithError("build failed");
    }
    const std::vector<std::string> none = {"NO_SUCH_GENE"};
    const std::vector<std::string>& asked = names != nullptr ? data.*names : none;
    size_t next = 0;
    size_t matches = 0;
    for (auto _ : state) {
        const std::optional<FeatureNameIndex::Lookup> lookup =
            data.index.Find(*data.genome, asked[next++ % asked.size()]);
        if (!lookup) {
            state.SkipWithError("index stale");
            break;
        }
        matches += lookup->count;
    }
    state.counters["matches"] =
        benchmark::Counter(static_cast<double>(matches), benchmark::Counter::kAvgIterations);
}

// 30,000 scaffolds of three named genes each, stored as an import stores them.
GenomeDataset& DraftAssembly() {
    static GenomeDataset genome;
    if (genome.Store().GetChromosomeCount() == 0) {
        for (int i = 0; i < 30000; ++i) {
            ChromosomeDataset& track =
                genome.Store().FindOrCreateTrack("scaffold_" + std::to_string(i), "gene");
            for (uint32_t k = 0; k < 3; ++k) {
                ChromosomeItem item;
                item.Stop = 1000 * k + 900;
                item.Attributes =
                    "ID=g" + std::to_string(3 * i + k) + ";Name=GENE" + std::to_string(3 * i + k);
                track.AddItem(1000 * k + 1, item);
            }
        }
        genome.Store().AppendTrackName("gene");
        genome.Store().SortChromosomeNames();
    }
    return genome;
}

void DraftAssemblyLookup(benchmark::State& state) {
    GenomeDataset& genome = DraftAssembly();
    FeatureNameIndex index;
    if (!index.Build(genome, nullptr))
        state.SkipWithError("build failed");
    size_t next = 0;
    size_t matches = 0;
    for (auto _ : state) {
        const std::optional<FeatureNameIndex::Lookup> lookup =
            index.Find(genome, "gene" + std::to_string(next++ * 7919 % 90000));
        matches += lookup ? lookup->count : 0;
    }
    state.counters["matches"] =
        benchmark::Counter(static_cast<double>(matches), benchmark::Counter::kAvgIterations);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [benchmark flags] GFF\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    benchmark::RegisterBenchmark("Import/gff", Import, path)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseManualTime();
    benchmark::RegisterBenchmark("NameIndex/build", Build, path)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2)
        ->UseRealTime();
    benchmark::RegisterBenchmark("NameLookup/gene-name", Lookup, path, &Loaded::geneNames)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("NameLookup/id", Lookup, path, &Loaded::ids)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("NameLookup/none", Lookup, path, nullptr)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("NameLookup/draft-assembly", DraftAssemblyLookup)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
