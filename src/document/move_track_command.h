#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <string>

class LocuscopeDocument;

// A track moved to another row (in every pane) by dragging its label, as one undoable step.
class MoveTrackCommand : public QUndoCommand {
public:
    // Moves trackName to the row of beforeName (see GenomeDataset::MoveTrackName).
    MoveTrackCommand(LocuscopeDocument& document, std::string trackName, std::string beforeName);

    void redo() override;
    void undo() override;

private:
    LocuscopeDocument& document_;
    std::string trackName_;
    std::string beforeName_;
    size_t placeBefore_ = 0;  // the moved name's place in the track order before the move
};
