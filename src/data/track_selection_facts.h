#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

class GenomeDataset;

// What the enable and check rules of the track commands need to know about the selected
// tracks. The rules are asked on every idle tick and before every menu; walking every pane of a
// draft assembly each time kept a core busy. The facts are worked out once after each change of
// the selected names, the current pane or the data (revision), and then answered from here.
class TrackSelectionFacts {
public:
    struct Facts {
        // The selected names' tracks that the current pane shows ("All Tracks": on every
        // chromosome), as the selected-track, attach and scale rules count them.
        size_t paneTrackCount = 0;
        // The first selected name, in selection order, that the current chromosome has a track
        // of; empty in "All Tracks".
        std::string firstPaneTrackName;
        // Over those tracks: every one scales automatically / none does (false when none).
        bool paneAllAutoScale = false;
        bool paneNoneAutoScale = false;
        // The tracks a track command changes: every selected name on every chromosome.
        size_t changedTrackCount = 0;
        // Their common style (1 automatic, 2 points, 3 bars); 0 when they differ or are none.
        int commonStyle = 0;
    };

    // The facts for genome as it stands. revision must change whenever the data or a track's
    // display settings changed (the document's update count does); the selected names and the
    // current pane are compared here.
    const Facts& Get(const GenomeDataset& genome, uint64_t revision);

private:
    void Recompute(const GenomeDataset& genome);

    Facts facts_;
    std::vector<std::string> names_;
    std::string pane_;
    uint64_t revision_ = std::numeric_limits<uint64_t>::max();
};
