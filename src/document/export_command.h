#pragma once

#include <string>

class LocuscopeDocument;

// File > Export > Selections: the items of the region selection written to a GFF file.
class ExportCommand {
public:
    // Runs the export under a progress dialog "Export GFF Files". False when the file could not
    // be written or another long operation runs on the document.
    static bool ExportSelections(LocuscopeDocument& document, const std::string& path);

    // Asks for the file with the save dialog (no extension added, overwriting confirmed) and
    // exports to it; nothing when the user cancels or nothing is selected.
    static void ChooseFileAndExport(LocuscopeDocument& document);

    // The command is offered only while some pane has a selected range.
    static bool HasSelection(const LocuscopeDocument& document);
};
