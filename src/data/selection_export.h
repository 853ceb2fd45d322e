#pragma once

#include <string>
#include <vector>

class GenomeDataset;

// Writes the items of the genome's region selection to one GFF file: for each selected pane, in
// the genome's pane order (panes it does not list, such as "All Tracks", follow by name), and
// each of the pane's ranges in the order given, every track of the pane writes its items whose
// start lies above the range's low end and not above its high end (the ends in either order).
// Reports through the genome's agent; cancel is checked after each track and each pane. The
// file replaces an existing one only once it is complete (see OutputFile).
class SelectionExport {
public:
    // True when every selected item was written. False when path is one of inputs (the files
    // the genome was imported from), cannot be written or the write fails: the agent then shows
    // "Cannot Write to " + path with the reason, the error flag is set, and it waits for
    // "Done". False too when the user cancels: "Export cancelled.", and a wait for "Done". In
    // both cases the destination stays as it was. "Export Complete." is reported only when
    // everything was written.
    static bool Run(GenomeDataset& genome, const std::string& path,
                    const std::vector<std::string>& inputs);

    // The number of panes with a non-empty range list: the export has something to do when it
    // is above 0.
    static int SelectionCount(const GenomeDataset& genome);
};
