#include "document/clear_document_command.h"

#include "document/locuscope_document.h"

ClearDocumentCommand::ClearDocumentCommand(LocuscopeDocument& document)
    : QUndoCommand(QStringLiteral("Delete All Tracks")),
      document_(document),
      kept_(std::make_unique<DocumentContents>()) {}

ClearDocumentCommand::~ClearDocumentCommand() = default;

void ClearDocumentCommand::redo() {
    Exchange();
}

void ClearDocumentCommand::undo() {
    Exchange();
}

void ClearDocumentCommand::Exchange() {
    const std::string paneBefore = document_.GetCurrentPaneName();
    document_.SwapContents(*kept_);
    document_.PanesRemovedOrRestored(paneBefore);
}
