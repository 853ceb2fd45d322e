#include "document/export_command.h"

#include <QApplication>
#include <QFileDialog>
#include <algorithm>

#include "data/selection_export.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "framework/file_dialog_filter.h"

namespace {

const char kExportFilter[] = "GFF File (*.gff)|*.gff|Text File (*.txt)|*.txt|All Files (*.*)|*.*||";

}  // namespace

bool ExportCommand::ExportSelections(LocuscopeDocument& document, const std::string& path) {
    if (document.IsBusy())
        return false;
    LongOperationGuard operation(document, "Export GFF Files", "Total Progress", "Pane",
                                 SelectionExport::SelectionCount(document.Genome()));
    return document.Genome().ExportSelections(path, document.GetImportedPaths());
}

void ExportCommand::ChooseFileAndExport(LocuscopeDocument& document) {
    if (!HasSelection(document) || document.IsBusy())
        return;
    // Qt's own dialog adds no extension to what the user typed and asks before overwriting.
    const QString path = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QObject::tr("Export Selections"), QString(),
        ToQtFileFilter(kExportFilter), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        ExportSelections(document, path.toLocal8Bit().toStdString());
}

bool ExportCommand::HasSelection(const LocuscopeDocument& document) {
    // The enable rule asks on every idle tick: the first pane with a range answers it.
    const auto& selection = document.Genome().Selection().GetRegionSelection();
    return std::any_of(selection.begin(), selection.end(),
                       [](const auto& entry) { return !entry.second.empty(); });
}
