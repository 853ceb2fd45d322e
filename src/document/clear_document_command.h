#pragma once

#include <QUndoCommand>
#include <memory>

class LocuscopeDocument;
struct DocumentContents;

// Pane Delete on "All Tracks", which empties the whole document, as one undoable step: the
// document's contents are exchanged with an empty set kept here, in constant time, and
// exchanged back by undo. The imported paths stay with the document, so that no output
// overwrites a file whose data an undo can bring back.
class ClearDocumentCommand : public QUndoCommand {
public:
    explicit ClearDocumentCommand(LocuscopeDocument& document);
    ~ClearDocumentCommand() override;

    void redo() override;
    void undo() override;

private:
    void Exchange();

    LocuscopeDocument& document_;
    std::unique_ptr<DocumentContents> kept_;
};
