#include "document/locuscope_document.h"

#include <QApplication>
#include <QFileDialog>
#include <algorithm>

#include "document/c_dialog_data_search.h"
#include "document/clear_document_command.h"
#include "document/command_ids.h"
#include "document/delete_tracks_command.h"
#include "document/document_events.h"
#include "document/document_settings.h"
#include "document/export_command.h"
#include "document/feature_name_command.h"
#include "document/long_operation_guard.h"
#include "document/move_track_command.h"
#include "document/pane_label.h"
#include "document/pane_view.h"
#include "document/search_command.h"
#include "document/track_settings_command.h"
#include "document/workspace_command.h"
#include "framework/file_dialog_filter.h"
#include "framework/owner_modal_dialog.h"
#include "framework/question_box.h"
#include "framework/settings.h"
#include "framework/view_base.h"
#include "import/import_driver.h"

namespace {

using DocumentSettings::kDefaultTrackStyleKey;
using DocumentSettings::kHeaderVisibleKey;
using DocumentSettings::kSortOrderKey;
const std::string& kDocumentSection = DocumentSettings::kSection;
// The endings the import reads, each also gzip-compressed. The dialog matches them in any case.
const char* const kGffEndings[] = {"gff", "gff3", "gtf"};
const char* const kBedEndings[] = {"bed", "bed[3-9]",   "bed1[0-5]", "bedGraph",
                                   "bdg", "narrowPeak", "broadPeak"};
const char* const kCompressedEndings[] = {"", ".gz", ".bgz"};

template <size_t N>
std::string Patterns(const char* const (&endings)[N]) {
    std::string patterns;
    for (const char* ending : endings) {
        for (const char* compressed : kCompressedEndings)
            patterns += std::string(patterns.empty() ? "" : "; ") + "*." + ending + compressed;
    }
    return patterns;
}

// "description|patterns|" pairs, as the file dialog takes them.
std::string ImportFilter() {
    const std::string gff = Patterns(kGffEndings);
    const std::string bed = Patterns(kBedEndings);
    const std::string txt = Patterns({"txt"});
    return "GFF, GTF, BED or text files (.gff, .gff3, .gtf, .bed, .bed3-.bed15, .bedGraph, "
           ".bdg, .narrowPeak, .broadPeak, .txt and .gz, .bgz of each)|" +
           gff + "; " + bed + "; " + txt +
           "|GFF and GTF files (.gff, .gff3, .gtf and .gz, .bgz of each)|" + gff +
           "|BED family files (.bed, .bed3-.bed15, .bedGraph, .bdg, .narrowPeak, .broadPeak "
           "and .gz, .bgz of each)|" +
           bed + "|All Files (*.*)|*.*||";
}

std::vector<std::string> ChooseFilesWithDialog() {
    const QStringList names = QFileDialog::getOpenFileNames(
        QApplication::activeWindow(), QObject::tr("Import Files"), QString(),
        ToQtFileFilter(QString::fromStdString(ImportFilter())));
    std::vector<std::string> paths;
    for (const QString& name : names)
        paths.push_back(name.toStdString());
    return paths;
}

LocuscopeDocument::FileChooser& FileChooserInUse() {
    static LocuscopeDocument::FileChooser chooser = ChooseFilesWithDialog;
    return chooser;
}

// Whether the genome lists path's file among those it read (by name, as the list keeps them).
bool IsListedAsLoaded(const GenomeDataset& genome, const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string entry = (slash == std::string::npos ? path : path.substr(slash + 1)) + " ";
    const std::vector<std::string>& loaded = genome.Store().GetLoadedFiles();
    return std::binary_search(loaded.begin(), loaded.end(), entry);
}

int ReadDefaultTrackStyle() {
    const int style =
        ReadSettingInt(kDocumentSection, kDefaultTrackStyleKey, LocuscopeDocument::kStyleBars);
    return style == LocuscopeDocument::kStylePoints ? style : LocuscopeDocument::kStyleBars;
}

}  // namespace

size_t LocuscopeDocument::PaneNameHash::operator()(const std::string& name) const {
    size_t hash = 0;
    for (const char c : name)
        hash = hash * 5 + static_cast<size_t>(static_cast<signed char>(c));
    return hash;
}

LocuscopeDocument::LocuscopeDocument()
    : DefaultTrackStyle(ReadDefaultTrackStyle()),
      HeaderVisible(ReadSettingInt(kDocumentSection, kHeaderVisibleKey, 1) != 0) {
    // The genome reports through this document, whose target is the progress display.
    genome_.SetNotificationTarget(this);
}

LocuscopeDocument::~LocuscopeDocument() {
    genome_.SetNotificationTarget(nullptr);
}

void LocuscopeDocument::SetFileChooser(FileChooser chooser) {
    FileChooserInUse() = chooser ? std::move(chooser) : FileChooser(ChooseFilesWithDialog);
}

bool LocuscopeDocument::OnNewDocument() {
    if (!CDocumentBase::OnNewDocument())
        return false;
    ClearAll();
    RunImportCommand();
    return true;
}

bool LocuscopeDocument::OnOpenDocument(const std::string& path) {
    if (!CDocumentBase::OnOpenDocument(path))
        return false;
    ClearAll();
    return WorkspaceCommand::IsWorkspace(path) ? OpenWorkspace(path) : ImportFiles({path});
}

bool LocuscopeDocument::ClearAll() {
    undoStack_.clear();
    genome_.Clear();
    searchResults_.clear();
    FeatureNames.Clear();
    importedPaths_.clear();
    importedFiles_.Clear();
    recipe_.Clear();
    return true;
}

bool LocuscopeDocument::OpenFiles(const std::vector<std::string>& paths, ImportOutcome* outcome) {
    if (paths.empty() || !WorkspaceCommand::IsWorkspace(paths.front()))
        return ImportFiles(paths, outcome);
    ImportOutcome opened = ImportOutcome::kFailed;
    ImportOutcome imported = ImportOutcome::kComplete;
    if (OpenWorkspace(paths.front(), &opened) && paths.size() > 1)
        ImportFiles(std::vector<std::string>(paths.begin() + 1, paths.end()), &imported);
    if (outcome != nullptr)
        *outcome = std::max(opened, imported);
    return std::max(opened, imported) != ImportOutcome::kFailed;
}

bool LocuscopeDocument::OpenWorkspace(const std::string& path, ImportOutcome* outcome) {
    if (!WorkspaceCommand::Open(*this, path, outcome))
        return false;
    // The view takes the pane's range before anything lays it out at its old place.
    PaneView* view = GetFirstView();
    if (view != nullptr)
        view->ShowCurrentPane();
    PanesChanged();
    UpdateAllViews();
    if (view != nullptr)
        view->TakeKeyboardFocus();
    if (events_ != nullptr && viewOptions_ != nullptr)
        events_->ViewOptionsChanged();
    return true;
}

bool LocuscopeDocument::SaveWorkspace(const std::string& path) {
    return WorkspaceCommand::Save(*this, path);
}

void LocuscopeDocument::RememberImported(const std::vector<std::string>& paths) {
    importedPaths_.insert(importedPaths_.end(), paths.begin(), paths.end());
    std::sort(importedPaths_.begin(), importedPaths_.end());
    importedPaths_.erase(std::unique(importedPaths_.begin(), importedPaths_.end()),
                         importedPaths_.end());
    std::vector<DataRecipe::File> loaded;
    for (const std::string& path : paths) {
        if (!IsListedAsLoaded(genome_, path))
            continue;
        importedFiles_.Add(path);
        loaded.push_back(DataRecipe::Describe(path));
    }
    recipe_.AddImport(std::move(loaded));
}

std::vector<std::string> LocuscopeDocument::ConfirmRepeatedImports(
    const std::vector<std::string>& paths) {
    // Headless runs import what they are told.
    if (headlessAgent_ != nullptr)
        return paths;
    ImportedFiles asked = importedFiles_;
    std::vector<std::string> confirmed;
    for (const std::string& path : paths) {
        if (!asked.Contains(path) ||
            AskYesNo(path + " is already in this document. Import it again?", false))
            confirmed.push_back(path);
        asked.Add(path);  // a file named twice in one request is asked about once
    }
    return confirmed;
}

std::vector<std::string> LocuscopeDocument::PanesShownWhole() const {
    std::vector<std::string> panes;
    for (const auto& [pane, range] : PaneJumpRanges) {
        const Range extent = GetPaneExtent(pane);
        if (range.first <= extent.first && range.second >= extent.second)
            panes.push_back(pane);
    }
    return panes;
}

bool LocuscopeDocument::ImportFiles(const std::vector<std::string>& requested,
                                    ImportOutcome* outcome) {
    if (outcome != nullptr)
        *outcome = ImportOutcome::kFailed;
    if (IsBusy())
        return false;
    const std::vector<std::string> paths = ConfirmRepeatedImports(requested);
    if (outcome != nullptr)
        *outcome = ImportOutcome::kComplete;
    if (paths.empty() || IsBusy())  // the question pumped events
        return true;
    bool imported = false;
    {
        LongOperationGuard operation(*this, "Import Files", "Total Progress", "Loading File",
                                     static_cast<int>(paths.size()));
        // The undoable steps refer to tracks and places that new data changes.
        undoStack_.clear();
        const std::vector<std::string> wholePanes = PanesShownWhole();
        genome_.Store().SetSortOrder(ReadSettingInt(kDocumentSection, kSortOrderKey, 0));
        imported = ImportDriver(genome_).LoadFiles(paths, outcome);
        RememberImported(paths);
        // A file refused before any line was read flags no error, but the user must still see
        // why nothing loaded.
        if (!imported && !GetErrorFlag())
            WaitForClose("Done", 100);

        // A pane that showed all its data shows all of it again; zoomed ones keep their range.
        for (const std::string& pane : wholePanes)
            PaneJumpRanges.erase(pane);
        PaneJumpRanges.erase(kAllTracksPane);
        PanesChanged();
        UpdateAllViews();
        if (PaneView* view = GetFirstView())
            view->FullZoomOut();
    }
    // Once the progress dialog has gone, keys go to the view, not to the pane selector.
    if (PaneView* view = GetFirstView())
        view->TakeKeyboardFocus();
    return imported;
}

bool LocuscopeDocument::SearchAttributes(const std::string& text) {
    return SearchCommand::SearchAttributes(*this, text);
}

bool LocuscopeDocument::GoToSearchResult(const std::string& paneName,
                                         const std::string& trackName, uint32_t start) {
    return SearchCommand::GoToSearchResult(*this, paneName, trackName, start);
}

bool LocuscopeDocument::ExportSelections(const std::string& path) {
    return ExportCommand::ExportSelections(*this, path);
}

PaneView* LocuscopeDocument::GetFirstView() const {
    for (CViewBase* view : GetViews()) {
        if (auto* paneView = dynamic_cast<PaneView*>(view))
            return paneView;
    }
    return nullptr;
}

void LocuscopeDocument::NavigateToPane(const std::string& name, bool recordHistory) {
    const std::string previous = genome_.GetCurrentPane();
    if (name == previous)
        return;
    genome_.SetCurrentPane(name);
    // The pane's range is kept in PaneJumpRanges, so the view finds its zoom there.
    if (PaneView* view = GetFirstView())
        view->ShowCurrentPane();
    if (events_ != nullptr)
        events_->CurrentPaneChanged(*this);
    if (recordHistory)
        backHistory_.push_back(previous);
}

void LocuscopeDocument::GoBack() {
    StepHistory(backHistory_, forwardHistory_);
}

void LocuscopeDocument::GoForward() {
    StepHistory(forwardHistory_, backHistory_);
}

void LocuscopeDocument::StepHistory(std::vector<std::string>& from, std::vector<std::string>& to) {
    if (from.empty())
        return;
    to.push_back(genome_.GetCurrentPane());
    const std::string target = from.back();
    from.pop_back();
    NavigateToPane(target, false);
}

void LocuscopeDocument::ChoosePane(const std::string& label) {
    const PaneLabel::Parsed parsed = PaneLabel::Parse(label);
    if (parsed.paneName != kAllTracksPane && !genome_.Store().HasChromosome(parsed.paneName)) {
        FeatureMatch feature;
        if (FeatureNameCommand::Choose(*this, label, nullptr, feature) ==
            FeatureNameCommand::Choice::kChosen)
            FeatureNameCommand::Show(*this, feature);
        if (events_ != nullptr)
            events_->CurrentPaneChanged(*this);  // shows the current pane's label again
        return;
    }
    NavigateToPane(parsed.paneName, true);
    PaneView* view = GetFirstView();
    if (view != nullptr && parsed.range.first != kNoPosition && parsed.range.second != kNoPosition)
        view->SetVisibleRange(parsed.range.first, parsed.range.second);
    if (events_ != nullptr)
        events_->CurrentPaneChanged(*this);
}

Range LocuscopeDocument::GetPaneJumpRange(const std::string& paneName) {
    const auto found = PaneJumpRanges.find(paneName);
    if (found != PaneJumpRanges.end())
        return found->second;
    return PaneJumpRanges.emplace(paneName, GetPaneExtent(paneName)).first->second;
}

void LocuscopeDocument::SetPaneJumpRange(const std::string& paneName, uint32_t start,
                                         uint32_t stop) {
    Range& range = PaneJumpRanges[paneName];
    if (range == Range(start, stop))
        return;
    range = Range(start, stop);
    if (events_ != nullptr)
        events_->PaneRangeChanged(*this, paneName);
}

std::string LocuscopeDocument::GetPaneLabel(const std::string& paneName) {
    return PaneLabel::Format(paneName, GetPaneJumpRange(paneName));
}

void LocuscopeDocument::RunImportCommand() {
    const std::vector<std::string> paths = FileChooserInUse()();
    if (!paths.empty())
        ImportFiles(paths);
}

void LocuscopeDocument::PanesChanged() {
    if (events_ != nullptr)
        events_->PanesChanged(*this);
}

void LocuscopeDocument::DeleteCurrentPane() {
    const std::string pane = GetCurrentPaneName();
    const bool empty =
        genome_.Store().GetChromosomeCount() == 0 && genome_.Store().GetLoadedFiles().empty();
    if (pane == kAllTracksPane && !empty)
        Do(new ClearDocumentCommand(*this));
    else if (genome_.Store().HasChromosome(pane))
        Do(DeleteTracksCommand::ForPane(*this, pane));
}

void LocuscopeDocument::MoveTrack(const std::string& trackName, const std::string& beforeName) {
    if (trackName != beforeName)
        Do(new MoveTrackCommand(*this, trackName, beforeName));
}

void LocuscopeDocument::SetRowHeight(const std::string& trackName, int height) {
    Do(new TrackSettingsCommand(
        *this, QStringLiteral("Set Height"), {trackName},
        [height](ChromosomeDataset& track) { track.TrackHeight = height; }));
}

void LocuscopeDocument::Do(QUndoCommand* command) {
    if (IsBusy()) {
        delete command;
        return;
    }
    undoStack_.push(command);
}

void LocuscopeDocument::SwapContents(DocumentContents& other) {
    genome_.SwapContents(other.genome);
    std::swap(searchResults_, other.searchResults);
    std::swap(LastSearchRow, other.lastSearchRow);
    std::swap(importedFiles_, other.importedFiles);
    recipe_.Swap(other.recipe);
}

void LocuscopeDocument::TracksChanged() {
    UpdateAllViews();
}

void LocuscopeDocument::PanesRemovedOrRestored(const std::string& paneBefore) {
    // The all-tracks extent changed with the data.
    PaneJumpRanges.erase(kAllTracksPane);
    // Another pane shows its own range, taken before a layout at the old place overwrites it.
    PaneView* view = GetFirstView();
    if (view != nullptr && GetCurrentPaneName() != paneBefore)
        view->ShowCurrentPane();
    PanesChanged();
    UpdateAllViews();
}

void LocuscopeDocument::InvalidateFirstView() {
    if (PaneView* view = GetFirstView())
        view->InvalidateView();
}

void LocuscopeDocument::PlaceCursorNear(uint32_t position) {
    genome_.MoveCursorNear(position);
    InvalidateFirstView();
}

void LocuscopeDocument::SelectOnlyTrack(const std::string& trackName) {
    genome_.Selection().SelectOnlyTrack(trackName);
    InvalidateFirstView();
}

void LocuscopeDocument::ToggleTrackSelection(const std::string& trackName) {
    genome_.Selection().ToggleTrack(trackName);
    InvalidateFirstView();
}

void LocuscopeDocument::AddRegionSelection(const std::string& paneName, Range range) {
    genome_.Selection().AddRegion(paneName, range);
    InvalidateFirstView();
}

void LocuscopeDocument::SelectAllRegions() {
    genome_.Selection().SelectAllRegions();
    InvalidateFirstView();
}

void LocuscopeDocument::ClearRegionSelection() {
    genome_.Selection().ClearRegions();
    InvalidateFirstView();
}

void LocuscopeDocument::StepCursor(int delta) {
    const std::string pane = GetCurrentPaneName();
    if (!genome_.Cursors().StepCursor(pane, delta))
        return;
    const Range cursor = genome_.Cursors().GetCursorRange(pane);
    PaneView* view = GetFirstView();
    if (view == nullptr)
        return;
    if (cursor.first != kNoPosition)
        view->BringIntoView(cursor.first);
    view->InvalidateView();
}

bool LocuscopeDocument::OnCommand(int id) {
    switch (id) {
        case CommandId::kImport:
            if (!IsBusy())
                RunImportCommand();
            return true;
        case CommandId::kSearch:
            if (!IsBusy()) {
                // Modal by disabling the window, so that closing the window can end a search.
                CDialogDataSearch dialog(*this, QApplication::activeWindow());
                OwnerModalDialog::Exec(dialog);
            }
            return true;
        case CommandId::kExportSelections:
            ExportCommand::ChooseFileAndExport(*this);
            return true;
        case CommandId::kGoBack:
            GoBack();
            return true;
        case CommandId::kGoForward:
            GoForward();
            return true;
        case CommandId::kDisplayHeader:
            HeaderVisible = !HeaderVisible;
            WriteSettingInt(kDocumentSection, kHeaderVisibleKey, HeaderVisible ? 1 : 0);
            UpdateAllViews();
            return true;
        case CommandId::kSaveWorkspace:
            if (!IsBusy())
                WorkspaceCommand::ChooseFileAndSave(*this);
            return true;
        default:
            return OnUndoCommand(id) || OnTrackCommand(id);
    }
}

bool LocuscopeDocument::OnUndoCommand(int id) {
    if (id != CommandId::kUndo && id != CommandId::kRedo)
        return false;
    // The steps refer to the data a long operation is reading.
    if (IsBusy())
        return true;
    if (id == CommandId::kUndo)
        undoStack_.undo();
    else
        undoStack_.redo();
    return true;
}

bool LocuscopeDocument::OnUpdateUndoCommand(int id, CommandState& state) {
    const bool undo = id == CommandId::kUndo;
    if (!undo && id != CommandId::kRedo)
        return false;
    const bool possible = undo ? undoStack_.canUndo() : undoStack_.canRedo();
    state.enabled = possible && !IsBusy();
    // The menu names the step: "Undo Delete Track".
    const QString step = undo ? undoStack_.undoText() : undoStack_.redoText();
    state.text = (undo ? QStringLiteral("Undo") : QStringLiteral("Redo")) +
                 (possible ? QStringLiteral(" ") + step : QString()) +
                 (undo ? QStringLiteral("\tCtrl+Z") : QStringLiteral("\tCtrl+Shift+Z"));
    return true;
}

bool LocuscopeDocument::OnUpdateCommand(int id, CommandState& state) {
    switch (id) {
        case CommandId::kImport:
        case CommandId::kSearch:
            state.enabled = !IsBusy();
            return true;
        case CommandId::kExportSelections:
            state.enabled = !IsBusy() && ExportCommand::HasSelection(*this);
            return true;
        case CommandId::kGoBack:
            state.enabled = !backHistory_.empty();
            return true;
        case CommandId::kGoForward:
            state.enabled = !forwardHistory_.empty();
            return true;
        case CommandId::kDisplayHeader:
            state.checked = HeaderVisible;
            return true;
        case CommandId::kSaveWorkspace:
            state.enabled = !IsBusy();
            return true;
        default:
            return OnUpdateUndoCommand(id, state) || OnUpdateTrackCommand(id, state);
    }
}
