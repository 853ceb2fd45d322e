#pragma once

#include <string>

#include "document/workspace.h"

class LocuscopeDocument;

// The document's side of a workspace: what is taken from a document when it is saved, and what
// is given back once the data has been made again from the files.
class WorkspaceState {
public:
    // Everything a workspace keeps of document, file paths also relative to folder (the
    // workspace file's, absolute). Linear in the panes and tracks: per pane, only what differs
    // from what the files give is kept, so a draft assembly makes a small file.
    static Workspace Capture(const LocuscopeDocument& document, const std::string& folder);
    // Gives the document the track order, track settings, pane ranges, current pane, cursors,
    // selections and display settings of workspace, as far as its data has the tracks and panes
    // they name; the view options go to the document's view options, when it has them.
    static void Restore(const Workspace& workspace, LocuscopeDocument& document);
};
