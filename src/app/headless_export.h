#pragma once

#include <string>
#include <vector>

// locuscope --export OUT [--select PANE:START-STOP]... [--select-all] FILE...: imports the
// files, builds the region selection and writes its items to OUT as GFF, every status line on
// standard error. --select-all is Edit > Select All; each --select then adds (START - 1, STOP)
// to its pane's ranges, so the items starting in START..STOP are written (ends in either order,
// numbers with or without commas). Without either, the ranges a workspace given as the first
// file selected are written; with them, they replace the workspace's. OUT is written only when
// every file imported, and replaced only when complete; never when it is one of the files.
// Returns 0; 1 when OUT cannot be written or a file failed to import; 2 when a --select cannot
// be read or names a pane the files did not bring, or the workspace selects nothing.
class HeadlessExport {
public:
    static int Run(const std::string& output, const std::vector<std::string>& selects,
                   bool selectAll, const std::vector<std::string>& paths);
};
