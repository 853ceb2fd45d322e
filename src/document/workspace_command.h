#pragma once

#include <string>

#include "import/import_outcome.h"

class LocuscopeDocument;

// File > Save Workspace... and Open Workspace...: a document kept in a small file (.lsw, see
// WorkspaceFormat) and made again from it. A workspace is written only when the user asks.
class WorkspaceCommand {
public:
    // True when path names a workspace file (".lsw", any case).
    static bool IsWorkspace(const std::string& path);

    // Writes document's workspace to path through a temporary file (never over one of the
    // imported files). False, after the message of the failure, when it cannot be written.
    static bool Save(LocuscopeDocument& document, const std::string& path);
    // Asks for the file (".lsw" added when the name has no extension) and saves to it.
    static void ChooseFileAndSave(LocuscopeDocument& document);

    // Makes document again from the workspace at path: the imports are made again from the
    // files (found beside the workspace by their relative paths, else at their absolute ones)
    // and the deletions again, under a progress dialog "Open Workspace"; then the track
    // settings, ranges, cursors, selections and display settings are restored. A file that is
    // missing is reported and left out, one that changed since the workspace was saved is
    // reported and read; everything else is restored, and the dialog waits for "Done". False,
    // after a message, when the workspace itself cannot be read (the document is left as it
    // was), or while another long operation runs. outcome, when given: kFailed when a file was
    // missing or failed, else the imports' outcome.
    static bool Open(LocuscopeDocument& document, const std::string& path, ImportOutcome* outcome);
};
