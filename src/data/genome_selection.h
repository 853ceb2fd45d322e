#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/chromosome_dataset.h"
#include "data/genome_store.h"
#include "data/position.h"

// What the user selected in a document: track names, which the track commands act on in every
// pane, and per pane the (start, stop) base ranges that the export writes. A range keeps its
// ends in either order, the low end exclusive. Reads the tracks from the store given, which
// must outlive it.
class GenomeSelection {
public:
    using Regions = std::vector<Range>;
    // Pane name to its ranges; a pane with no entry or an empty list has no selection.
    using RegionMap = std::unordered_map<std::string, Regions>;

    explicit GenomeSelection(const GenomeStore& store) : store_(store) {}
    GenomeSelection(const GenomeSelection&) = delete;
    GenomeSelection& operator=(const GenomeSelection&) = delete;

    // Selects nothing.
    void Clear();
    // Exchanges both selections with other's, in constant time; each keeps its store.
    void SwapContents(GenomeSelection& other);

    // --- Track names --------------------------------------------------------------------------
    // Track names in the order the user selected them.
    const std::vector<std::string>& GetSelectedTracks() const { return selectedTracks_; }
    void SetSelectedTracks(std::vector<std::string> names) { selectedTracks_ = std::move(names); }
    // The selection as it was; none is selected afterwards.
    std::vector<std::string> TakeSelectedTracks();
    // Only trackName, or none when it is empty.
    void SelectOnlyTrack(const std::string& trackName);
    // Adds trackName at the end, or takes it out when it is selected.
    void ToggleTrack(const std::string& trackName);
    bool IsTrackSelected(const std::string& trackName) const;
    // The selected track names sorted, without repeats, each with its track on every chromosome
    // that has one (chromosomes in map order): what a track command changes.
    std::vector<ChromosomeDataset*> GetSelectedTrackObjects() const;
    // The selected names, in selection order, that the pane shows ("All Tracks": on every
    // chromosome): what the enable rules of the track commands look at.
    std::vector<ChromosomeDataset*> GetSelectedPaneTracks(const std::string& paneName) const;

    // --- Base ranges --------------------------------------------------------------------------
    const RegionMap& GetRegionSelection() const { return regions_; }
    void SetRegionSelection(RegionMap regions) { regions_ = std::move(regions); }
    void AddRegion(const std::string& paneName, Range range);
    // Replaces the pane's ranges.
    void SetRegions(const std::string& paneName, Regions ranges);
    // The pane's ranges, taken out; nothing when the pane has no entry.
    std::optional<Regions> TakeRegions(const std::string& paneName);
    void ClearRegions() { regions_.clear(); }
    // Replaces every pane's ranges by its whole extent, one base wider on each side (the low end
    // exclusive): (max(first, 1) - 1, last + 1), saturating at the top.
    void SelectAllRegions();

private:
    const GenomeStore& store_;
    std::vector<std::string> selectedTracks_;
    RegionMap regions_;
};
