#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "data/chromosome_dataset.h"
#include "data/gene_model_schedule.h"
#include "data/placed_names.h"
#include "data/position.h"

// The pseudo-pane that shows every track of every chromosome.
inline const std::string kAllTracksPane = "All Tracks";

// What a document holds: chromosome name to (track name to ChromosomeDataset), the chromosome
// names in first-seen and in pane order, the order of track names, the loaded-file list and the
// running import totals. Owns every ChromosomeDataset. Positions are 1-based and inclusive.
class GenomeStore {
public:
    using TrackMap = std::unordered_map<std::string, std::unique_ptr<ChromosomeDataset>>;
    using ChromosomeTrackPairs = std::vector<std::pair<std::string, std::string>>;

    static constexpr int kSortUnsorted = 0;
    static constexpr int kSortAlphanumeric = 1;

    // A track as shown in a pane; dataset is null when there is no such track.
    struct TrackRef {
        ChromosomeDataset* dataset = nullptr;
        std::string chromosomeName;
        std::string trackName;
    };

    GenomeStore() = default;
    GenomeStore(const GenomeStore&) = delete;
    GenomeStore& operator=(const GenomeStore&) = delete;

    // Empties the data and the lists; keeps the sort order.
    void Clear();
    // Exchanges everything Clear empties with other, in constant time.
    void SwapContents(GenomeStore& other);

    // --- Chromosomes and tracks -------------------------------------------------------------
    size_t GetChromosomeCount() const { return chromosomes_.size(); }
    bool HasChromosome(const std::string& name) const { return chromosomes_.count(name) != 0; }
    // The tracks of a chromosome, or null for an unknown one.
    const TrackMap* GetChromosomeTracks(const std::string& chromosomeName) const;
    ChromosomeDataset* FindTrack(const std::string& chromosomeName,
                                 const std::string& trackName) const;
    // The track of that name on every chromosome that has one, chromosomes in map order.
    std::vector<ChromosomeDataset*> GetTracksNamed(const std::string& trackName) const;
    // The chromosome's track of that name, creating the chromosome (appended to the
    // first-seen list) and the track as needed. Owned by this object.
    ChromosomeDataset& FindOrCreateTrack(const std::string& chromosomeName,
                                         const std::string& trackName);

    const std::deque<std::string>& GetFirstSeenChromosomes() const { return firstSeen_; }
    const std::deque<std::string>& GetPaneOrder() const { return paneOrder_; }
    // kSortAlphanumeric = sorted pane order, anything else = first-seen order. Takes effect
    // with the next SortChromosomeNames.
    int GetSortOrder() const { return sortOrder_; }
    void SetSortOrder(int order) { sortOrder_ = order; }
    // Rebuilds the pane order from the sort order.
    void SortChromosomeNames();

    const std::deque<std::string>& GetTrackOrder() const { return trackOrder_; }
    // Appends a track name not yet in the order; false when it was there already.
    bool AppendTrackName(const std::string& trackName);
    void RemoveTrackName(const std::string& trackName);
    // Puts the names of order first, in that order; names order lacks follow as they were.
    // Names not in the track order are left out.
    void SetTrackOrder(const std::vector<std::string>& order);
    // Moves trackName in the track order to the place of beforeName (after it when moving
    // down); false when either is not in the order.
    bool MoveTrackName(const std::string& trackName, const std::string& beforeName);
    // The place of trackName in the track order (from 0), or the order's size when absent.
    size_t GetTrackPlace(const std::string& trackName) const;
    // Moves trackName to place (at most the last place); false when it is not in the order.
    bool MoveTrackNameTo(const std::string& trackName, size_t place);

    // File names without folder, each followed by one blank; sorted, no duplicates.
    const std::vector<std::string>& GetLoadedFiles() const { return loadedFiles_; }
    void AddLoadedFile(const std::string& entry);

    uint64_t GetStoredFeatures() const { return storedFeatures_; }
    uint64_t GetImportMilliseconds() const { return importMilliseconds_; }
    void AddImportTotals(uint64_t features, uint64_t milliseconds);

    // --- Panes as the view shows them -------------------------------------------------------
    // Number of tracks a pane shows ("All Tracks": every track of every pane).
    int GetPaneTrackCount(const std::string& paneName) const;
    // The index-th track (from 0) of a pane, tracks counted in track order.
    TrackRef GetTrack(const std::string& paneName, int index) const;
    // Every track a pane shows, in display order: what GetTrack gives for 0, 1, 2, ... in one
    // pass, so that walking a pane with thousands of chromosomes stays linear.
    std::vector<TrackRef> GetPaneTracks(const std::string& paneName) const;
    // Tracks shown in "All Tracks" before the pane's first track; -1 for a pane not shown.
    int GetPaneTrackOffset(const std::string& paneName) const;
    // Display index of the track in the chromosome pane (one past the last track when the
    // chromosome lacks it), plus the pane's offset when withOffset; -1 for an unknown pane.
    int GetTrackIndex(const std::string& paneName, const std::string& trackName,
                      bool withOffset) const;
    // First start and last stop over the pane's tracks; (kNoPosition, 0) for an empty pane.
    Range GetPaneExtent(const std::string& paneName) const;

    // --- Deletion, and taking tracks out and putting them back (see TrackRemoval) -------------
    void DeleteTracks(const ChromosomeTrackPairs& pairs);
    // Deletes the chromosome with its tracks and returns the pane that took its place in the
    // pane order (the next one, or the new last one), empty when none is left.
    std::string DeletePane(const std::string& paneName);
    // The track, moved out of the chromosome; null when there is none. The chromosome stays,
    // even without tracks.
    std::unique_ptr<ChromosomeDataset> TakeTrack(const std::string& chromosomeName,
                                                 const std::string& trackName);
    // Puts a track taken out back under its names; the chromosome must exist.
    void PutTrack(const std::string& chromosomeName, const std::string& trackName,
                  std::unique_ptr<ChromosomeDataset> track);
    // Removes the chromosomes, with whatever tracks they still hold, from the data, the
    // first-seen list and the pane order in one pass; returns their places in the first-seen
    // list.
    std::vector<PlacedName> RemoveChromosomes(const std::unordered_set<std::string>& names);
    // Makes the chromosomes RemoveChromosomes took exist again, without tracks, at their places
    // in the first-seen list, and orders the panes again.
    void RestoreChromosomes(const std::vector<PlacedName>& removed);
    // The same for track names in the track order.
    std::vector<PlacedName> RemoveTrackNames(const std::unordered_set<std::string>& names);
    void RestoreTrackNames(const std::vector<PlacedName>& removed);

    // The chromosomes whose gene models are still to be found: an import marks them, and
    // drawing a pane finds them (a cache, so it changes under a const store too).
    GeneModelSchedule& GetGeneModelSchedule() const { return geneModelSchedule_; }

private:
    // The tracks of one chromosome, even one named like the "All Tracks" pane: the panes of
    // "All Tracks" are counted by this, so such a name cannot make a count call itself.
    int ChromosomeTrackCount(const std::string& chromosomeName) const;
    TrackRef GetChromosomeTrack(const std::string& chromosomeName, int index) const;

    std::unordered_map<std::string, TrackMap> chromosomes_;
    std::deque<std::string> paneOrder_;
    std::deque<std::string> firstSeen_;
    std::deque<std::string> trackOrder_;
    std::unordered_set<std::string> trackNames_;  // the names of trackOrder_, for lookups
    std::vector<std::string> loadedFiles_;
    int sortOrder_ = kSortAlphanumeric;
    uint64_t storedFeatures_ = 0;
    uint64_t importMilliseconds_ = 0;
    mutable GeneModelSchedule geneModelSchedule_;
};
