#pragma once

#include <QUndoStack>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/feature_name_index.h"
#include "data/genome_dataset.h"
#include "data/search_result_list.h"
#include "data/track_selection_facts.h"
#include "document/data_recipe.h"
#include "document/imported_files.h"
#include "framework/document_base.h"
#include "framework/parameter_base.h"
#include "import/import_outcome.h"

class DocumentEvents;
class PaneView;
class QUndoCommand;
struct ViewOptions;

// What deleting "All Tracks" takes out of a document, and undoing it puts back.
struct DocumentContents {
    GenomeDataset genome;
    SearchResultList searchResults;
    int lastSearchRow = -1;
    ImportedFiles importedFiles;
    DataRecipe recipe;
};

// The workspace of one document window: everything imported into it, which pane is shown,
// the range last seen in each pane, the back and forward history, and two remembered display
// defaults. Its long operations report through its agent to a progress dialog. Every change
// of its data goes through it: the track and pane commands as undoable steps on its undo stack,
// the selections and the cursor as plain changes. It is saved only as a workspace, when the
// user asks (see WorkspaceCommand). Positions are 1-based and inclusive.
class LocuscopeDocument : public CDocumentBase, public CParameterBase {
public:
    // Pane names hash as h = h * 5 + c over their bytes.
    struct PaneNameHash {
        size_t operator()(const std::string& name) const;
    };
    using PaneRanges = std::unordered_map<std::string, Range, PaneNameHash>;
    // Asks the user for files to import; empty when the user cancels.
    using FileChooser = std::function<std::vector<std::string>()>;

    static constexpr int kStylePoints = 2;
    static constexpr int kStyleBars = 3;

    int LastSearchRow = -1;  // the result row last jumped to, -1 for none
    // The feature names the pane selector and Go to Position look up, read on first use.
    FeatureNameIndex FeatureNames;
    int DefaultTrackStyle;  // 2 points or 3 bars
    bool HeaderVisible;
    // The visible range of each pane, its one owner: the view reads it and writes every zoom,
    // scroll and go-to back, and a pane shows it again when chosen.
    PaneRanges PaneJumpRanges;

    // Reads the two display defaults from the settings.
    LocuscopeDocument();
    ~LocuscopeDocument() override;

    // Clears, then asks for files and imports them; cancelling leaves the document empty.
    bool OnNewDocument() override;
    // Clears, then imports path, or opens it as a workspace when it is one (".lsw"); true
    // exactly when that import or opening succeeded.
    bool OnOpenDocument(const std::string& path) override;

    // The document's genome data; it lives as long as the document.
    GenomeDataset& Genome() { return genome_; }
    const GenomeDataset& Genome() const { return genome_; }
    // The hits of the last attribute search, which each search replaces.
    const SearchResultList& GetSearchResults() const { return searchResults_; }
    void SetSearchResults(SearchResultList results) { searchResults_ = std::move(results); }
    // The panes left by navigation, the last one last, which Go Back returns to.
    const std::vector<std::string>& GetBackHistory() const { return backHistory_; }

    // Empties the data, the search results, the imported files and the undo stack.
    virtual bool ClearAll();
    // Imports the files with a progress dialog (or the headless agent), then updates the views.
    // In the window, a file already in the document is imported again only when the user says
    // so. Panes shown whole follow their extent when the import widens it; a pane the user
    // zoomed keeps its range. False when a file failed (the files after it are not read) or
    // another long operation runs. outcome, when given, also tells whether a file was cut short.
    bool ImportFiles(const std::vector<std::string>& paths, ImportOutcome* outcome = nullptr);
    // Every path given to ImportFiles since the document was created or opened (deleting "All
    // Tracks" keeps them, as it can be undone): no output may overwrite one of them.
    const std::vector<std::string>& GetImportedPaths() const { return importedPaths_; }
    // Opens paths as the window's command line does: a workspace first, when the first path is
    // one, then an import of the others. outcome, when given, is the worst of the two.
    bool OpenFiles(const std::vector<std::string>& paths, ImportOutcome* outcome = nullptr);
    // Makes the data, the track settings, the panes' ranges, the cursors and selections and the
    // view options that the workspace at path describes (see WorkspaceCommand::Open).
    bool OpenWorkspace(const std::string& path, ImportOutcome* outcome = nullptr);
    // Remembers the paths an import was given, and those that loaded, for the outputs, the
    // repeated-import question and the recipe.
    void RememberImported(const std::vector<std::string>& paths);
    // Writes the workspace file; false (after a message) when it cannot be written.
    bool SaveWorkspace(const std::string& path);
    // The view options a workspace saves and restores: the window's (not owned), or null.
    void SetViewOptions(ViewOptions* options) { viewOptions_ = options; }
    ViewOptions* GetViewOptions() const { return viewOptions_; }

    // Searches every item's attributes for text with a progress dialog; replaces SearchResults.
    // False when another long operation runs.
    bool SearchAttributes(const std::string& text);
    // Shows a hit: its pane around it, the item selected. False (after a message box) when the
    // track or the item is gone.
    bool GoToSearchResult(const std::string& paneName, const std::string& trackName,
                          uint32_t start);
    // Writes the items of the region selection to path as GFF, with a progress dialog. False
    // when the file cannot be written or another long operation runs.
    bool ExportSelections(const std::string& path);
    // True while a long operation runs on this document (see LongOperationGuard).
    bool IsBusy() const { return busy_ > 0; }

    std::string GetCurrentPaneName() const { return genome_.GetCurrentPane(); }
    // The first view that shows panes, or null.
    PaneView* GetFirstView() const;
    void NavigateToPane(const std::string& name, bool recordHistory);
    void GoBack();
    void GoForward();
    // Goes to the pane (and range) a pane label names. A text that names no pane is looked up
    // as a feature's name or ID (see FeatureNameCommand): one feature is shown, of several the
    // user picks one; a text that names neither changes nothing. The listener is told either
    // way, so that the selector shows the current pane's label again.
    void ChoosePane(const std::string& label);
    // A pane without an entry gets its full extent.
    Range GetPaneJumpRange(const std::string& paneName);
    void SetPaneJumpRange(const std::string& paneName, uint32_t start, uint32_t stop);
    Range GetPaneExtent(const std::string& paneName) const {
        return genome_.Store().GetPaneExtent(paneName);
    }
    // The label of the pane with its jump range, as the pane selector shows it.
    std::string GetPaneLabel(const std::string& paneName);
    // Deletes the current pane (all data on "All Tracks"), as an undoable step.
    void DeleteCurrentPane();
    // Moves the track named trackName to the row of beforeName, in every pane; undoable.
    void MoveTrack(const std::string& trackName, const std::string& beforeName);
    // Gives every track of the name the height (a row's bottom edge dragged); undoable.
    void SetRowHeight(const std::string& trackName, int height);
    // Steps the current pane's cursor by delta items and brings it into sight.
    void StepCursor(int delta);
    // Puts the current pane's cursor on the item nearest position (a click in the data).
    void PlaceCursorNear(uint32_t position);

    // The track selection: only trackName (none when empty), or trackName added or taken out.
    void SelectOnlyTrack(const std::string& trackName);
    void ToggleTrackSelection(const std::string& trackName);
    // The region selection: a range added to a pane, every pane's whole extent, or nothing.
    void AddRegionSelection(const std::string& paneName, Range range);
    void SelectAllRegions();
    void ClearRegionSelection();

    // The undoable steps of this document; refused while a long operation runs, and emptied by
    // an import, which changes the data the steps refer to.
    QUndoStack& UndoStack() { return undoStack_; }
    // Does command as a step of the undo stack (which owns it).
    void Do(QUndoCommand* command);
    // The imports and deletions that made the data, for workspaces.
    DataRecipe& Recipe() { return recipe_; }
    const DataRecipe& Recipe() const { return recipe_; }
    // Exchanges the data, the search results, the imported files and the recipe with other.
    void SwapContents(DocumentContents& other);
    // Told by the undoable steps: the display settings or the order of tracks changed.
    void TracksChanged();
    // Told by the undoable steps: tracks and panes went or came back; paneBefore was the current
    // pane before, and the view shows the current pane afresh when it differs.
    void PanesRemovedOrRestored(const std::string& paneBefore);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // Where the Import command gets its files (a file dialog unless replaced).
    static void SetFileChooser(FileChooser chooser);
    // Headless runs: long operations report to agent, unattended, instead of a dialog.
    void SetHeadlessAgent(CNotificationAgent* agent) { headlessAgent_ = agent; }
    // Who hears of pane changes (the main frame); not owned, may be null.
    void SetEvents(DocumentEvents* events) { events_ = events; }

private:
    // Goes to the last pane of from, remembering the current one on to.
    void StepHistory(std::vector<std::string>& from, std::vector<std::string>& to);
    void RunImportCommand();
    void PanesChanged();
    // Repaints the first view after a change of the selection or the cursor.
    void InvalidateFirstView();
    // The paths to import: those not yet in the document, and those the user wants again.
    std::vector<std::string> ConfirmRepeatedImports(const std::vector<std::string>& paths);
    // The panes whose range shows all of their data.
    std::vector<std::string> PanesShownWhole() const;
    // The track commands; each acts on the selected tracks and updates the views.
    bool OnTrackCommand(int id);
    bool OnUpdateTrackCommand(int id, CommandState& state);
    void SetTrackColor();
    void SetTrackHeight();
    void SetManualScale();
    void AdjustPointSize();
    void ChangePointWidth(int delta);
    void SetTrackStyle(int style);
    void ToggleCursorAttachment();
    void SortPanes(int order);
    // The selected names, as the track commands' undoable steps take them.
    void ChangeSelectedTracks(const QString& text, std::function<void(ChromosomeDataset&)> change);
    bool OnUndoCommand(int id);
    bool OnUpdateUndoCommand(int id, CommandState& state);
    // What the rules of the track commands read, worked out once per change.
    const TrackSelectionFacts::Facts& SelectionFacts() {
        return selectionFacts_.Get(genome_, GetUpdateCount());
    }

    GenomeDataset genome_;
    SearchResultList searchResults_;
    std::vector<std::string> backHistory_;
    std::vector<std::string> forwardHistory_;
    // Every path given to ImportFiles since the last clear (for the output checks), and the
    // files that loaded (for the repeated-import question).
    std::vector<std::string> importedPaths_;
    TrackSelectionFacts selectionFacts_;
    ImportedFiles importedFiles_;
    DataRecipe recipe_;
    CNotificationAgent* headlessAgent_ = nullptr;
    DocumentEvents* events_ = nullptr;
    ViewOptions* viewOptions_ = nullptr;
    QUndoStack undoStack_;
    friend class LongOperationGuard;
    int busy_ = 0;  // running long operations
};
