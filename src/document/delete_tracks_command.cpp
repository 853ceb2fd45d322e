#include "document/delete_tracks_command.h"

#include "document/locuscope_document.h"

DeleteTracksCommand* DeleteTracksCommand::ForTrackNames(LocuscopeDocument& document,
                                                        std::vector<std::string> names) {
    const QString text =
        names.size() == 1 ? QStringLiteral("Delete Track") : QStringLiteral("Delete Tracks");
    return new DeleteTracksCommand(document, DataRecipe::StepKind::kDeleteTracks, std::move(names),
                                   text);
}

DeleteTracksCommand* DeleteTracksCommand::ForPane(LocuscopeDocument& document,
                                                  std::string paneName) {
    return new DeleteTracksCommand(document, DataRecipe::StepKind::kDeletePane,
                                   {std::move(paneName)}, QStringLiteral("Delete Pane"));
}

DeleteTracksCommand::DeleteTracksCommand(LocuscopeDocument& document, DataRecipe::StepKind kind,
                                         std::vector<std::string> names, const QString& text)
    : QUndoCommand(text), document_(document), kind_(kind), names_(std::move(names)) {}

void DeleteTracksCommand::redo() {
    const std::string paneBefore = document_.GetCurrentPaneName();
    if (kind_ == DataRecipe::StepKind::kDeletePane) {
        const std::string& pane = names_.front();
        removed_ = TrackRemoval::TakePane(document_.Genome(), pane);
        const auto range = document_.PaneJumpRanges.find(pane);
        if (range != document_.PaneJumpRanges.end()) {
            paneRange_ = range->second;
            document_.PaneJumpRanges.erase(range);
        }
    } else {
        removed_ = TrackRemoval::TakeTracks(document_.Genome(), names_);
    }
    document_.Recipe().AddDeletion(kind_, names_);
    document_.PanesRemovedOrRestored(paneBefore);
}

void DeleteTracksCommand::undo() {
    const std::string paneBefore = document_.GetCurrentPaneName();
    TrackRemoval::Restore(document_.Genome(), removed_);
    if (paneRange_)
        document_.PaneJumpRanges[names_.front()] = *paneRange_;
    paneRange_.reset();
    document_.Recipe().RemoveLast();
    document_.PanesRemovedOrRestored(paneBefore);
}
