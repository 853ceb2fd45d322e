#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "data/chromosome_dataset.h"
#include "data/gene_model_schedule.h"
#include "data/placed_names.h"
#include "data/search_result_list.h"
#include "framework/parameter_base.h"

// The pseudo-pane that shows every track of every chromosome.
inline const std::string kAllTracksPane = "All Tracks";

// All genome data of one document: chromosome name to (track name to ChromosomeDataset), the
// pane order, the order of track names, track colours, the current pane, the loaded-file list,
// running totals, per-pane cursors and the selections the document's commands work on.
// Positions are 1-based and inclusive; 0xFFFFFFFF means none.
class GenomeDataset : public CParameterBase {
public:
    using TrackMap = std::unordered_map<std::string, std::unique_ptr<ChromosomeDataset>>;
    using Range = std::pair<uint32_t, uint32_t>;
    using ChromosomeTrackPairs = std::vector<std::pair<std::string, std::string>>;

    static constexpr uint32_t kGffMinColumns = 8;
    static constexpr uint32_t kGffMaxColumns = 9;
    static constexpr uint32_t kBedMinColumns = 3;
    static constexpr uint32_t kBedMaxColumns = 12;
    static constexpr uint32_t kMaxChromosomeNames = 32768;
    static constexpr uint32_t kMaxEndBeforeStartErrors = 32;
    static constexpr uint32_t kNoPosition = 0xFFFFFFFF;
    static constexpr int kSortUnsorted = 0;
    static constexpr int kSortAlphanumeric = 1;

    // A track as shown in a pane; dataset is null when there is no such track.
    struct TrackRef {
        ChromosomeDataset* dataset = nullptr;
        std::string chromosomeName;
        std::string trackName;
    };

    GenomeDataset() = default;
    GenomeDataset(const GenomeDataset&) = delete;
    GenomeDataset& operator=(const GenomeDataset&) = delete;

    // 1 = sorted pane order, anything else = first-seen order.
    int SortOrder = kSortAlphanumeric;
    // The BED track name in force during an import.
    std::string CurrentTrackName;
    // Track names in the order the user selected them.
    std::vector<std::string> SelectedTracks;
    // Pane name to the (start, stop) pairs selected in it, ends in either order.
    std::unordered_map<std::string, std::vector<Range>> RegionSelection;

    // Empties the data, the lists, cursors and selections; keeps the current pane, the sort
    // order, the current track name and the colour counter.
    virtual void Clear();

    // --- Chromosomes and tracks -------------------------------------------------------------
    size_t GetChromosomeCount() const { return chromosomes_.size(); }
    bool HasChromosome(const std::string& name) const { return chromosomes_.count(name) != 0; }
    // The tracks of a chromosome, or null for an unknown one.
    const TrackMap* GetChromosomeTracks(const std::string& chromosomeName) const;
    ChromosomeDataset* FindTrack(const std::string& chromosomeName,
                                 const std::string& trackName) const;
    // The chromosome's track of that name, creating the chromosome (appended to the
    // first-seen list) and the track as needed. Owned by this object.
    ChromosomeDataset& FindOrCreateTrack(const std::string& chromosomeName,
                                         const std::string& trackName);

    const std::deque<std::string>& GetFirstSeenChromosomes() const { return firstSeen_; }
    const std::deque<std::string>& GetPaneOrder() const { return paneOrder_; }
    // Rebuilds the pane order from SortOrder.
    void SortChromosomeNames();

    const std::deque<std::string>& GetTrackOrder() const { return trackOrder_; }
    // Appends a track name not yet in the order; false when it was there already.
    bool AppendTrackName(const std::string& trackName);
    void RemoveTrackName(const std::string& trackName);
    // Puts the names of order first, in that order; names order lacks follow as they were.
    // Names not in the track order are left out.
    void SetTrackOrder(const std::vector<std::string>& order);

    // File names without folder, each followed by one blank; sorted, no duplicates.
    const std::vector<std::string>& GetLoadedFiles() const { return loadedFiles_; }
    void AddLoadedFile(const std::string& entry);

    const std::string& GetCurrentPane() const { return currentPane_; }
    void SetCurrentPane(const std::string& paneName) { currentPane_ = paneName; }

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
    // First start and last stop over the pane's tracks; (0xFFFFFFFF, 0) for an empty pane.
    Range GetPaneExtent(const std::string& paneName) const;

    // The chromosomes whose gene models are still to be found: an import marks them, and
    // drawing a pane finds them (a cache, so it changes under a const genome too).
    GeneModelSchedule& GetGeneModelSchedule() const { return geneModelSchedule_; }

    // --- Deletion and colours ---------------------------------------------------------------
    void DeleteTracks(const ChromosomeTrackPairs& pairs);
    // Deletes the chromosome with its tracks and returns the pane that took its place in the
    // pane order (the next one, or the new last one), empty when none is left.
    std::string DeletePane(const std::string& paneName);
    // Gives a track that has no colour yet the colour of its name.
    void AssignTrackColor(ChromosomeDataset& dataset, const std::string& trackName);
    // Colours every track of every selected name, and remembers the colour for the names.
    bool SetTracksColor(int color);
    // The colour remembered for a track name, which tracks of that name imported later get;
    // nothing for a name without one (a new name takes the next palette colour).
    std::optional<int> GetRememberedColor(const std::string& trackName) const;
    void SetRememberedColor(const std::string& trackName, std::optional<int> color);

    // The item of the current pane's index-th track under base pos and value (see
    // ChromosomeDataset::FindItemAt); on success pos becomes the item's start.
    std::optional<ItemView> HitTestItem(int trackIndex, uint32_t& pos, float value, uint32_t from,
                                        uint32_t to) const;

    // --- Selections the track commands act on ----------------------------------------------
    // The selected track names sorted, without repeats, each with its track on every chromosome
    // that has one (chromosomes in map order): what a track command changes.
    std::vector<ChromosomeDataset*> GetSelectedTrackObjects() const;
    // The selected names, in selection order, that the pane shows ("All Tracks": on every
    // chromosome): what the enable rules of the track commands look at.
    std::vector<ChromosomeDataset*> GetSelectedPaneTracks(const std::string& paneName) const;
    bool IsTrackSelected(const std::string& trackName) const;
    // Replaces every pane's region selection by its whole extent, one base wider on each side
    // (the low end exclusive): (max(first, 1) - 1, last + 1), saturating at the top.
    void SelectAllRegions();
    // Moves trackName in the track order to the place of beforeName (after it when moving
    // down); false when either is not in the order.
    bool MoveTrackName(const std::string& trackName, const std::string& beforeName);
    // The place of trackName in the track order (from 0), or the order's size when absent.
    size_t GetTrackPlace(const std::string& trackName) const;
    // Moves trackName to place (at most the last place); false when it is not in the order.
    bool MoveTrackNameTo(const std::string& trackName, size_t place);

    // --- Taking tracks out and putting them back (see TrackRemoval) ---------------------------
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
    // Exchanges everything Clear empties with other, in constant time; the notification
    // targets, the current pane, the sort order, the current track name and the colour counter
    // stay with each. Swapping with a new GenomeDataset clears this one and keeps its contents.
    void SwapContents(GenomeDataset& other);

    // --- Search, selection, export -------------------------------------------------------------
    // Every item whose attribute text contains text (see AttributeSearch).
    SearchResultList Search(const std::string& text);
    // Writes the items of the region selection to a GFF file that is none of inputs (see
    // SelectionExport).
    bool ExportSelections(const std::string& path, const std::vector<std::string>& inputs);

    // --- Cursor -----------------------------------------------------------------------------
    // The track the pane's cursor follows; "gene" until another is attached.
    std::string GetAttachedTrackName(const std::string& paneName);
    void SetAttachedTrackName(const std::string& paneName, const std::string& trackName);
    // Pane name to the track its cursor follows, for panes whose cursor was looked up or set.
    const std::unordered_map<std::string, std::string>& GetAttachedTracks() const {
        return attachedTracks_;
    }
    // Pane name to its cursor's item index in the attached track, for panes with a cursor.
    const std::unordered_map<std::string, int>& GetCursorPositions() const {
        return cursorPositions_;
    }
    // -1 when the pane has no cursor yet.
    int GetCursorIndex(const std::string& paneName) const;
    void SetCursorIndex(const std::string& paneName, int index);
    ChromosomeDataset* GetCursorTrack(const std::string& paneName);
    // Moves the cursor by delta items without wrapping; false without a cursor track.
    bool StepCursor(const std::string& paneName, int delta);
    // (start, stop) of the cursor item; (0xFFFFFFFF, 0xFFFFFFFF) when there is none.
    Range GetCursorRange(const std::string& paneName);
    // Puts the current pane's cursor on the item that best matches pos and returns its start,
    // or 0xFFFFFFFF when the cursor track is missing or empty.
    uint32_t MoveCursorNear(uint32_t pos);

private:
    TrackRef GetChromosomeTrack(const std::string& chromosomeName, int index) const;

    std::unordered_map<std::string, TrackMap> chromosomes_;
    std::unordered_map<std::string, int> trackColors_;
    std::deque<std::string> paneOrder_;
    std::deque<std::string> firstSeen_;
    std::deque<std::string> trackOrder_;
    std::unordered_set<std::string> trackNames_;  // the names of trackOrder_, for lookups
    std::vector<std::string> loadedFiles_;
    int colorCounter_ = 0;
    std::string currentPane_ = kAllTracksPane;
    uint64_t storedFeatures_ = 0;
    uint64_t importMilliseconds_ = 0;
    std::unordered_map<std::string, std::string> attachedTracks_;
    std::unordered_map<std::string, int> cursorPositions_;
    mutable GeneModelSchedule geneModelSchedule_;
};
