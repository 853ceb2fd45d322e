// Attribute search and export of selections on genome-scale inputs:
//   search_export_benchmark [benchmark flags] GFF BED
// Search/rare and Search/every-item read the GFF's attribute text for a string held by a few
// items and for one held by every item: MB/s of attribute text (bytes_per_second) and the
// resident bytes each kept hit costs (bytes_per_hit). Search/empty-string lists every item of
// the BED. Import and SelectAllExport time the GFF's import and the export of all of it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "data/genome_dataset.h"
#include "import/import_driver.h"
#include "process_memory.h"

namespace {

// A gene id that a gene, its transcripts and their exons carry: a few dozen items.
const std::string kRareText = "ENSG00000012345.";
// Every generated item has an ID.
const std::string kEveryItemText = "ID=";

std::unique_ptr<GenomeDataset> Load(const std::string& path) {
    auto genome = std::make_unique<GenomeDataset>();
    ImportDriver(*genome).LoadFiles({path});
    return genome;
}

uint64_t AttributeBytes(const GenomeDataset& genome) {
    uint64_t bytes = 0;
    for (const GenomeDataset::TrackRef& ref : genome.Store().GetPaneTracks(kAllTracksPane)) {
        for (size_t i = 0; i < ref.dataset->GetItemCount(); ++i)
            bytes += ref.dataset->GetItem(i).Attributes.size();
    }
    return bytes;
}

void Search(benchmark::State& state, GenomeDataset* genome, const std::string& text) {
    if (genome == nullptr) {
        state.SkipWithError("input not loaded");
        return;
    }
    const uint64_t bytes = AttributeBytes(*genome);
    size_t hits = 0;
    double bytesPerHit = 0.0;
    for (auto _ : state) {
        ProcessMemory::ReleaseFreeMemory();
        const uint64_t before = ProcessMemory::ResidentBytes();
        const SearchResultList results = genome->Search(text);
        hits = results.size();
        if (hits != 0)
            bytesPerHit =
                static_cast<double>(ProcessMemory::ResidentBytes() - before) / static_cast<double>(hits);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["bytes_per_hit"] = bytesPerHit;
}

// The BED is loaded only once the GFF is gone, so that its memory is measured alone.
void SearchBed(benchmark::State& state, std::unique_ptr<GenomeDataset>* gff,
               const std::string& path) {
    gff->reset();
    static std::unique_ptr<GenomeDataset> bed = Load(path);
    Search(state, bed.get(), std::string());
}

void Import(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        auto genome = Load(path);
        for (const GenomeDataset::TrackRef& ref : genome->Store().GetPaneTracks(kAllTracksPane))
            benchmark::DoNotOptimize(ref.dataset->GetStartPositions());
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(std::filesystem::file_size(path) * state.iterations()));
}

void SelectAllExport(benchmark::State& state, GenomeDataset* genome, const std::string& out) {
    for (auto _ : state) {
        genome->Selection().SelectAllRegions();
        if (!genome->ExportSelections(out, {}))
            state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(std::filesystem::file_size(out) * state.iterations()));
    std::filesystem::remove(out);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s [benchmark flags] GFF BED\n", argv[0]);
        return 2;
    }
    const std::string gffPath = argv[1];
    const std::string bedPath = argv[2];
    std::unique_ptr<GenomeDataset> gff = Load(gffPath);
    const std::string out = gffPath + ".exported.gff";

    benchmark::RegisterBenchmark("Search/rare/gff", Search, gff.get(), kRareText)
        ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    benchmark::RegisterBenchmark("Search/every-item/gff", Search, gff.get(), kEveryItemText)
        ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    benchmark::RegisterBenchmark("Import/gff", Import, gffPath)
        ->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
    benchmark::RegisterBenchmark("SelectAllExport/gff", SelectAllExport, gff.get(), out)
        ->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
    benchmark::RegisterBenchmark("Search/empty-string/bed", SearchBed, &gff, bedPath)
        ->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
