#pragma once

#include <QUndoCommand>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/position.h"
#include "data/track_removal.h"
#include "document/data_recipe.h"

class LocuscopeDocument;

// Track Delete (the selected names in every pane) or Pane Delete of one chromosome, as one
// undoable step. While it is done it holds the deleted tracks, moved out of the genome, so that
// undoing it puts back the very same tracks in their places.
class DeleteTracksCommand : public QUndoCommand {
public:
    // "Delete Track" ("Delete Tracks" for several names).
    static DeleteTracksCommand* ForTrackNames(LocuscopeDocument& document,
                                              std::vector<std::string> names);
    // "Delete Pane": one chromosome, not "All Tracks" (see ClearDocumentCommand).
    static DeleteTracksCommand* ForPane(LocuscopeDocument& document, std::string paneName);

    void redo() override;
    void undo() override;

private:
    DeleteTracksCommand(LocuscopeDocument& document, DataRecipe::StepKind kind,
                        std::vector<std::string> names, const QString& text);

    LocuscopeDocument& document_;
    DataRecipe::StepKind kind_;
    std::vector<std::string> names_;  // the track names, or the one pane
    RemovedTracks removed_;
    std::optional<Range> paneRange_;  // the deleted pane's range
};
