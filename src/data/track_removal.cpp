#include "data/track_removal.h"

#include <algorithm>

RemovedTracks TrackRemoval::TakeTracks(GenomeDataset& genome,
                                       const std::vector<std::string>& names) {
    RemovedTracks removed;
    removed.currentPane = genome.GetCurrentPane();
    const std::unordered_set<std::string> gone(names.begin(), names.end());
    std::unordered_set<std::string> emptied;
    for (const std::string& chromosome : genome.Store().GetPaneOrder()) {
        std::vector<std::string> taken;
        for (const auto& entry : *genome.Store().GetChromosomeTracks(chromosome)) {
            if (gone.count(entry.first) != 0)
                taken.push_back(entry.first);
        }
        const GenomeDataset::TrackMap& tracks = *genome.Store().GetChromosomeTracks(chromosome);
        const bool hadModels = !taken.empty() && genome.Store().GetGeneModelSchedule().HasModels(
                                                     genome.Store(), chromosome);
        for (const std::string& name : taken)
            removed.tracks.push_back(
                {chromosome, name, genome.Store().TakeTrack(chromosome, name)});
        if (tracks.empty()) {
            emptied.insert(chromosome);
        } else if (hadModels) {
            genome.Store().GetGeneModelSchedule().MarkChanged(genome.Store(), chromosome);
            removed.relinked.push_back(chromosome);
        }
    }
    RemovePanes(genome, emptied, removed);
    removed.trackNames = genome.Store().RemoveTrackNames(gone);
    removed.selectedTracks = genome.Selection().TakeSelectedTracks();
    return removed;
}

RemovedTracks TrackRemoval::TakePane(GenomeDataset& genome, const std::string& paneName) {
    RemovedTracks removed;
    removed.currentPane = genome.GetCurrentPane();
    const GenomeDataset::TrackMap* tracks = genome.Store().GetChromosomeTracks(paneName);
    if (tracks == nullptr)
        return removed;
    std::vector<std::string> names;
    for (const auto& entry : *tracks)
        names.push_back(entry.first);
    for (const std::string& name : names)
        removed.tracks.push_back({paneName, name, genome.Store().TakeTrack(paneName, name)});
    RemovePanes(genome, {paneName}, removed);
    return removed;
}

void TrackRemoval::RemovePanes(GenomeDataset& genome, const std::unordered_set<std::string>& panes,
                               RemovedTracks& removed) {
    if (panes.count(genome.GetCurrentPane()) != 0)
        genome.SetCurrentPane(PaneInPlaceOf(genome, panes));
    for (const std::string& pane : panes) {
        if (std::optional<GenomeSelection::Regions> ranges = genome.Selection().TakeRegions(pane))
            removed.paneSelections.emplace(pane, std::move(*ranges));
    }
    removed.panes = genome.Store().RemoveChromosomes(panes);
}

std::string TrackRemoval::PaneInPlaceOf(const GenomeDataset& genome,
                                        const std::unordered_set<std::string>& gone) {
    const std::deque<std::string>& order = genome.Store().GetPaneOrder();
    const auto current = std::find(order.begin(), order.end(), genome.GetCurrentPane());
    const auto kept = [&gone](const std::string& pane) { return gone.count(pane) == 0; };
    const auto after = std::find_if(current, order.end(), kept);
    if (after != order.end())
        return *after;
    const auto before = std::find_if(order.rbegin(), order.rend(), kept);
    return before != order.rend() ? *before : kAllTracksPane;
}

void TrackRemoval::Restore(GenomeDataset& genome, RemovedTracks& removed) {
    genome.Store().RestoreTrackNames(removed.trackNames);
    genome.Store().RestoreChromosomes(removed.panes);
    for (RemovedTracks::Track& track : removed.tracks)
        genome.Store().PutTrack(track.chromosomeName, track.trackName, std::move(track.dataset));
    for (const std::string& chromosome : removed.relinked)
        genome.Store().GetGeneModelSchedule().MarkChanged(genome.Store(), chromosome);
    for (auto& [pane, ranges] : removed.paneSelections)
        genome.Selection().SetRegions(pane, std::move(ranges));
    if (removed.selectedTracks)
        genome.Selection().SetSelectedTracks(std::move(*removed.selectedTracks));
    genome.SetCurrentPane(removed.currentPane);
    removed = RemovedTracks();
}
