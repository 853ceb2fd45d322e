#pragma once

#include <string>

class GenomeDataset;

// Writes the items of the genome's region selection to one GFF file: for each selected pane, in
// the genome's pane order (panes it does not list, such as "All Tracks", follow by name), and
// each of the pane's ranges in the order given, every track of the pane writes its items whose
// start lies above the range's low end and not above its high end (the ends in either order).
// Reports through the genome's agent; cancel is checked after each track and each pane, and
// what was written stays in the file.
class SelectionExport {
public:
    // False when the file cannot be opened or written: the agent then shows "Cannot Write to "
    // + path, the error flag is set, and it waits for "Done". "Export Complete." is reported
    // only when everything was written.
    static bool Run(GenomeDataset& genome, const std::string& path);

    // The number of panes with a non-empty range list: the export has something to do when it
    // is above 0.
    static int SelectionCount(const GenomeDataset& genome);
};
