#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/chromosome_dataset.h"
#include "data/genome_dataset.h"
#include "data/placed_names.h"

// What a deletion took out of a genome, kept so that it can be put back exactly: the tracks
// themselves (moved, never copied), the panes and track names that went with them and their
// places, the region selections of those panes, and the track selection and current pane as
// they were. Owns the tracks until they are put back.
struct RemovedTracks {
    struct Track {
        std::string chromosomeName;
        std::string trackName;
        std::unique_ptr<ChromosomeDataset> dataset;
    };

    std::vector<Track> tracks;
    std::vector<PlacedName> panes;  // places in the first-seen list
    std::unordered_map<std::string, std::vector<Range>> paneSelections;
    std::vector<PlacedName> trackNames;  // places in the track order
    // The track selection before, when the deletion cleared it.
    std::optional<std::vector<std::string>> selectedTracks;
    std::string currentPane;
    // Chromosomes whose gene models are to be found again, without the tracks taken and once
    // they are back.
    std::vector<std::string> relinked;
};

// Track Delete and Pane Delete as undoable steps. Every operation is linear in the panes and
// tracks of the genome, so that a draft assembly of many thousand scaffolds deletes and comes
// back in one pass.
class TrackRemoval {
public:
    // Takes out every track of the names on every chromosome, the chromosomes left without
    // tracks (with their region selections) and the names themselves, and clears the track
    // selection. When the current pane goes, the pane that took its place in the pane order
    // (the next one left, else the last one left, else "All Tracks") becomes current.
    static RemovedTracks TakeTracks(GenomeDataset& genome, const std::vector<std::string>& names);
    // Takes out one chromosome with all its tracks and its region selection; when it is the
    // current pane, the next pane (else the new last one, else "All Tracks") becomes current.
    // The track names and the track selection stay.
    static RemovedTracks TakePane(GenomeDataset& genome, const std::string& paneName);
    // Puts back what TakeTracks or TakePane took, in its places, and makes the pane current
    // again. The genome must be as the taking left it (the undo stack sees to that).
    static void Restore(GenomeDataset& genome, RemovedTracks& removed);

private:
    // The pane that becomes current when the panes of gone leave the pane order.
    static std::string PaneInPlaceOf(const GenomeDataset& genome,
                                     const std::unordered_set<std::string>& gone);
    static void RemovePanes(GenomeDataset& genome, const std::unordered_set<std::string>& panes,
                            RemovedTracks& removed);
};
