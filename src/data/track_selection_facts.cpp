#include "data/track_selection_facts.h"

#include "data/genome_dataset.h"

const TrackSelectionFacts::Facts& TrackSelectionFacts::Get(const GenomeDataset& genome,
                                                           uint64_t revision) {
    if (revision != revision_ || genome.GetCurrentPane() != pane_ ||
        genome.Selection().GetSelectedTracks() != names_) {
        revision_ = revision;
        pane_ = genome.GetCurrentPane();
        names_ = genome.Selection().GetSelectedTracks();
        Recompute(genome);
    }
    return facts_;
}

void TrackSelectionFacts::Recompute(const GenomeDataset& genome) {
    facts_ = Facts();
    const std::vector<ChromosomeDataset*> paneTracks =
        genome.Selection().GetSelectedPaneTracks(pane_);
    facts_.paneTrackCount = paneTracks.size();
    for (const std::string& name : names_) {
        if (genome.Store().FindTrack(pane_, name) != nullptr) {
            facts_.firstPaneTrackName = name;
            break;
        }
    }
    size_t automatic = 0;
    for (const ChromosomeDataset* track : paneTracks)
        automatic += track->AutoScale ? 1 : 0;
    facts_.paneAllAutoScale = !paneTracks.empty() && automatic == paneTracks.size();
    facts_.paneNoneAutoScale = !paneTracks.empty() && automatic == 0;

    const std::vector<ChromosomeDataset*> changed = genome.Selection().GetSelectedTrackObjects();
    facts_.changedTrackCount = changed.size();
    if (!changed.empty()) {
        facts_.commonStyle = changed.front()->TrackStyle;
        for (const ChromosomeDataset* track : changed) {
            if (track->TrackStyle != facts_.commonStyle) {
                facts_.commonStyle = 0;
                break;
            }
        }
    }
}
