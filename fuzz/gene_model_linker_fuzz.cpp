// The gene-model linker on a chromosome built from the input: items of transcript, exon-like,
// non-exonic and other types whose attributes name IDs and parents from a small set (so that
// children come before parents, parents are missing, IDs repeat, links form cycles and a child
// names many parents), GTF transcript_id groups with and without their transcript line, BED
// items with blocks and thick ranges, positions near both ends of the position space. The
// models found must be well formed, the same when linked again, on several threads, and after
// a track is deleted; the models in any range must be the ones a walk over all finds.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/gene_model_linker.h"
#include "data/genome_dataset.h"
#include "data/track_models.h"

namespace {

const char* const kTypes[] = {"mRNA",           "transcript", "gene",   "exon",  "CDS",
                              "five_prime_UTR", "stop_codon", "intron", "ncRNA", "bed"};
constexpr size_t kTypeCount = sizeof kTypes / sizeof kTypes[0];
constexpr size_t kMaxItems = 3000;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "gene model check failed: %s\n", what);
        std::abort();
    }
}

Position FuzzedPosition(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return input.ConsumeIntegralInRange<uint32_t>(0, 8);
        case 1:
            return kLastPosition - input.ConsumeIntegralInRange<uint32_t>(0, 8);
        default:
            return input.ConsumeIntegralInRange<uint32_t>(1000, 1400);
    }
}

std::string Name(FuzzedDataProvider& input) {
    return "n" + std::to_string(input.ConsumeIntegralInRange<int>(0, 12));
}

std::string Attributes(FuzzedDataProvider& input) {
    std::string text;
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            text = "ID=" + Name(input);
            break;
        case 1:
            text = "ID=" + Name(input) + ";Parent=" + Name(input);
            break;
        case 2:
            text = "Parent=" + Name(input) + "," + Name(input) + ", " + Name(input);
            break;
        case 3:
            text = "gene_id \"g\"; transcript_id \"" + Name(input) + "\";";
            break;
        case 4:
            text = " Parent=" + Name(input) + " ;ID=" + Name(input);
            break;
        default:
            text = input.ConsumeRandomLengthString(40);
            break;
    }
    return text;
}

void AddItem(GenomeDataset& genome, FuzzedDataProvider& input) {
    const std::string type = kTypes[input.ConsumeIntegralInRange<size_t>(0, kTypeCount - 1)];
    ChromosomeDataset& track = genome.Store().FindOrCreateTrack("chr1", type);
    uint32_t start = FuzzedPosition(input);
    uint32_t stop = FuzzedPosition(input);
    if (stop < start)
        std::swap(start, stop);
    ChromosomeItem item;
    item.Stop = stop;
    item.Strand = input.ConsumeBool() ? '-' : '+';
    item.Attributes = Attributes(input);
    FeatureStructure structure;
    if (type == "bed" && start > 0 && stop - start < 400) {
        // Blocks as the BED reader keeps them: ascending, the first at the start, the last
        // reaching the stop.
        const uint32_t length = stop - start + 1;
        const uint32_t first = input.ConsumeIntegralInRange<uint32_t>(1, length);
        structure.Blocks.push_back({0, first});
        if (first < length - 1)
            structure.Blocks.push_back({length - 1, 1});
        structure.HasThick = input.ConsumeBool();
        structure.ThickStart = FuzzedPosition(input);
        structure.ThickStop = FuzzedPosition(input);
    }
    track.AddItem(start, item, structure);
}

// Every model is well formed and the range queries agree with a walk.
void CheckModels(const ChromosomeDataset& track, FuzzedDataProvider& input) {
    const TrackModels models(track);
    if (const GeneModelSet* set = track.GetGeneModels()) {
        Check(set->GetItemCount() == track.GetItemCount(), "item count");
        for (size_t m = 0; m < set->GetModelCount(); ++m) {
            const GeneModelSet::Model& model = set->GetModel(m);
            Check(model.Item < track.GetItemCount() && set->IsClaimed(model.Item), "model item");
            Check(model.Start <= model.Stop, "model span");
            Check(m == 0 || set->GetModel(m - 1).Start <= model.Start, "models by start");
            bool coding = false;
            for (size_t p = model.FirstPart; p < set->PartsEnd(m); ++p) {
                const GeneModelSet::Part& part = set->GetPart(p);
                Check(part.Start <= part.Stop, "part");
                Check(model.Start <= part.Start && part.Stop <= model.Stop, "part in model");
                const bool isCoding = set->GetKind(p) == GeneModelSet::kCoding;
                Check(!coding || isCoding, "exons before coding parts");
                if (p > model.FirstPart && isCoding == coding)
                    Check(uint64_t{set->GetPart(p - 1).Stop} + 1 < part.Start, "merged parts");
                coding = isCoding;
            }
        }
    }
    if (!models.Any())
        return;
    for (int query = 0; query < 4 && input.remaining_bytes() > 0; ++query) {
        uint32_t from = FuzzedPosition(input);
        uint32_t to = FuzzedPosition(input);
        if (to < from)
            std::swap(from, to);
        std::vector<TrackModels::Model> found;
        if (!models.Find(from, to, kMaxItems * 2, found))
            Check(false, "limit");
        for (const TrackModels::Model& model : found) {
            Check(model.Start <= to && model.Stop >= from, "model in range");
            const size_t parts = models.PartCount(model);
            Check(models.ExonCount(model) <= parts, "exon count");
            for (size_t p = 0; p < parts; ++p) {
                const TrackModels::Part part = models.GetPart(model, p);
                Check(
                    part.Start <= part.Stop && model.Start <= part.Start && part.Stop <= model.Stop,
                    "part of a found model");
            }
        }
        size_t walked = 0;
        const GeneModelSet* set = track.GetGeneModels();
        for (size_t m = 0; set != nullptr && m < set->GetModelCount(); ++m)
            walked += set->GetModel(m).Start <= to && set->GetModel(m).Stop >= from;
        for (size_t item = 0; item < track.GetItemCount(); ++item) {
            const bool alone = set == nullptr || !set->IsClaimed(item);
            walked += alone && track.GetStart(item) <= to && track.EffectiveStop(item) >= from;
        }
        Check(found.size() == walked, "models found in a range");
    }
}

// The models of every track, as text, to compare two links.
std::string Describe(const GenomeDataset::TrackMap& tracks) {
    std::string text;
    for (const char* type : kTypes) {
        const auto track = tracks.find(type);
        if (track == tracks.end() || track->second->GetGeneModels() == nullptr)
            continue;
        const GeneModelSet& set = *track->second->GetGeneModels();
        text += type;
        for (size_t m = 0; m < set.GetModelCount(); ++m) {
            text += " " + std::to_string(set.GetModel(m).Item) + ":";
            for (size_t p = set.GetModel(m).FirstPart; p < set.PartsEnd(m); ++p)
                text += std::to_string(set.GetPart(p).Start) + "-" +
                        std::to_string(set.GetPart(p).Stop) + "/" + std::to_string(set.GetKind(p)) +
                        ",";
        }
        text += "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    GenomeDataset genome;
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, kMaxItems);
    for (size_t k = 0; k < count && input.remaining_bytes() > 0; ++k)
        AddItem(genome, input);
    const GenomeDataset::TrackMap* tracks = genome.Store().GetChromosomeTracks("chr1");
    if (tracks == nullptr)
        return 0;

    GeneModelLinker linker;
    linker.Link(*tracks);
    const std::string first = Describe(*tracks);
    GeneModelLinker::LinkAll({tracks});
    Check(Describe(*tracks) == first, "linked again");
    for (const auto& track : *tracks)
        CheckModels(*track.second, input);

    const std::string deleted = kTypes[input.ConsumeIntegralInRange<size_t>(0, kTypeCount - 1)];
    genome.Store().DeleteTracks({{"chr1", deleted}});
    genome.Store().GetGeneModelSchedule().LinkDue(genome.Store(),
                                                  "chr1");  // as drawing the pane does
    for (const auto& track : *tracks)
        CheckModels(*track.second, input);
    return 0;
}
