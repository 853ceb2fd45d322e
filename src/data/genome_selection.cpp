#include "data/genome_selection.h"

#include <algorithm>

void GenomeSelection::Clear() {
    selectedTracks_.clear();
    regions_.clear();
}

void GenomeSelection::SwapContents(GenomeSelection& other) {
    selectedTracks_.swap(other.selectedTracks_);
    regions_.swap(other.regions_);
}

std::vector<std::string> GenomeSelection::TakeSelectedTracks() {
    std::vector<std::string> taken = std::move(selectedTracks_);
    selectedTracks_.clear();
    return taken;
}

void GenomeSelection::SelectOnlyTrack(const std::string& trackName) {
    selectedTracks_.clear();
    if (!trackName.empty())
        selectedTracks_.push_back(trackName);
}

void GenomeSelection::ToggleTrack(const std::string& trackName) {
    const auto found = std::find(selectedTracks_.begin(), selectedTracks_.end(), trackName);
    if (found == selectedTracks_.end())
        selectedTracks_.push_back(trackName);
    else
        selectedTracks_.erase(found);
}

bool GenomeSelection::IsTrackSelected(const std::string& trackName) const {
    return std::find(selectedTracks_.begin(), selectedTracks_.end(), trackName) !=
           selectedTracks_.end();
}

std::vector<ChromosomeDataset*> GenomeSelection::GetSelectedTrackObjects() const {
    std::vector<std::string> names = selectedTracks_;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::vector<ChromosomeDataset*> tracks;
    for (const std::string& name : names) {
        const std::vector<ChromosomeDataset*> named = store_.GetTracksNamed(name);
        tracks.insert(tracks.end(), named.begin(), named.end());
    }
    return tracks;
}

std::vector<ChromosomeDataset*> GenomeSelection::GetSelectedPaneTracks(
    const std::string& paneName) const {
    std::vector<ChromosomeDataset*> tracks;
    for (const std::string& name : selectedTracks_) {
        if (paneName != kAllTracksPane) {
            if (ChromosomeDataset* track = store_.FindTrack(paneName, name))
                tracks.push_back(track);
            continue;
        }
        for (const std::string& pane : store_.GetPaneOrder()) {
            if (ChromosomeDataset* track = store_.FindTrack(pane, name))
                tracks.push_back(track);
        }
    }
    return tracks;
}

void GenomeSelection::AddRegion(const std::string& paneName, Range range) {
    regions_[paneName].push_back(range);
}

void GenomeSelection::SetRegions(const std::string& paneName, Regions ranges) {
    regions_[paneName] = std::move(ranges);
}

std::optional<GenomeSelection::Regions> GenomeSelection::TakeRegions(const std::string& paneName) {
    const auto found = regions_.find(paneName);
    if (found == regions_.end())
        return std::nullopt;
    Regions taken = std::move(found->second);
    regions_.erase(found);
    return taken;
}

void GenomeSelection::SelectAllRegions() {
    for (const std::string& pane : store_.GetPaneOrder()) {
        if (store_.GetPaneTrackCount(pane) == 0)
            continue;
        const Range extent = store_.GetPaneExtent(pane);
        const uint32_t low = SaturatingSubtract(extent.first, 1);
        // The high end is inclusive already; one past it must not wrap to 0.
        const uint32_t high = SaturatingAdd(extent.second, 1);
        regions_[pane] = {{low, high}};
    }
}
