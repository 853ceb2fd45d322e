#include "document/move_track_command.h"

#include "document/locuscope_document.h"

MoveTrackCommand::MoveTrackCommand(LocuscopeDocument& document, std::string trackName,
                                   std::string beforeName)
    : QUndoCommand(QStringLiteral("Move Track")),
      document_(document),
      trackName_(std::move(trackName)),
      beforeName_(std::move(beforeName)) {}

void MoveTrackCommand::redo() {
    placeBefore_ = document_.Genome().Store().GetTrackPlace(trackName_);
    if (!document_.Genome().Store().MoveTrackName(trackName_, beforeName_))
        setObsolete(true);  // nothing moved: nothing to undo
    document_.TracksChanged();
}

void MoveTrackCommand::undo() {
    document_.Genome().Store().MoveTrackNameTo(trackName_, placeBefore_);
    document_.TracksChanged();
}
