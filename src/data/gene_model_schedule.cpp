#include "data/gene_model_schedule.h"

#include <new>
#include <vector>

#include "data/gene_model_linker.h"
#include "data/genome_store.h"

void GeneModelSchedule::MarkChanged(const GenomeStore& store, const std::string& chromosomeName) {
    if (const GenomeStore::TrackMap* tracks = store.GetChromosomeTracks(chromosomeName)) {
        for (const auto& track : *tracks)
            track.second->SetGeneModels(nullptr);
    }
    Mark(chromosomeName);
}

bool GeneModelSchedule::HasModels(const GenomeStore& store,
                                  const std::string& chromosomeName) const {
    const GenomeStore::TrackMap* tracks = store.GetChromosomeTracks(chromosomeName);
    return IsDue(chromosomeName) || (tracks != nullptr && GeneModelLinker::AnyModels(*tracks));
}

void GeneModelSchedule::LinkDue(const GenomeStore& store, const std::string& paneName) {
    if (due_.empty())
        return;
    std::vector<const GenomeStore::TrackMap*> chromosomes;
    if (paneName == kAllTracksPane) {
        for (const std::string& name : due_) {
            if (const GenomeStore::TrackMap* tracks = store.GetChromosomeTracks(name))
                chromosomes.push_back(tracks);
        }
        due_.clear();
    } else if (due_.erase(paneName) != 0) {
        if (const GenomeStore::TrackMap* tracks = store.GetChromosomeTracks(paneName))
            chromosomes.push_back(tracks);
    }
    if (chromosomes.empty())
        return;
    try {
        GeneModelLinker::LinkAll(chromosomes);
    } catch (const std::bad_alloc&) {
        // Models are a way of drawing what is loaded; without memory for them the tracks are
        // drawn as they would be without models, and nothing loaded is lost.
    }
}
