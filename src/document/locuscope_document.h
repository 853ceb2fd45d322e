#pragma once

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
#include "document/imported_files.h"
#include "framework/document_base.h"
#include "framework/parameter_base.h"
#include "import/import_outcome.h"

class DocumentEvents;
class PaneView;

// The workspace of one document window: everything imported into it, which pane is shown,
// the range last seen in each pane, the back and forward history, and two remembered display
// defaults. Its long operations report through its agent to a progress dialog. It is never
// saved. Positions are 1-based and inclusive.
class LocuscopeDocument : public CDocumentBase, public CParameterBase {
public:
    using Range = std::pair<uint32_t, uint32_t>;
    // Pane names hash as h = h * 5 + c over their bytes.
    struct PaneNameHash {
        size_t operator()(const std::string& name) const;
    };
    using PaneRanges = std::unordered_map<std::string, Range, PaneNameHash>;
    // Asks the user for files to import; empty when the user cancels.
    using FileChooser = std::function<std::vector<std::string>()>;

    static constexpr int kStylePoints = 2;
    static constexpr int kStyleBars = 3;

    GenomeDataset Genome;
    SearchResultList SearchResults;  // the hits of the last attribute search
    int LastSearchRow = -1;          // the result row last jumped to, -1 for none
    // The feature names the pane selector and Go to Position look up, read on first use.
    FeatureNameIndex FeatureNames;
    std::vector<std::string> BackHistory;
    std::vector<std::string> ForwardHistory;
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
    // Clears, then imports path; true exactly when that import succeeded.
    bool OnOpenDocument(const std::string& path) override;

    virtual bool ClearAll();
    // Imports the files with a progress dialog (or the headless agent), then updates the views.
    // In the window, a file already in the document is imported again only when the user says
    // so. Panes shown whole follow their extent when the import widens it; a pane the user
    // zoomed keeps its range. False when a file failed (the files after it are not read) or
    // another long operation runs. outcome, when given, also tells whether a file was cut short.
    bool ImportFiles(const std::vector<std::string>& paths, ImportOutcome* outcome = nullptr);
    // Every path given to ImportFiles since the document was last cleared: no output may
    // overwrite one of them.
    const std::vector<std::string>& GetImportedPaths() const { return importedPaths_; }

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

    std::string GetCurrentPaneName() const { return Genome.GetCurrentPane(); }
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
        return Genome.GetPaneExtent(paneName);
    }
    // The label of the pane with its jump range, as the pane selector shows it.
    std::string GetPaneLabel(const std::string& paneName);
    // Replaces the current pane by the one a deletion left in its place and tells the views.
    void DeleteCurrentPane();
    // Moves the track named trackName to the row of beforeName, in every pane.
    void MoveTrack(const std::string& trackName, const std::string& beforeName);
    // Steps the current pane's cursor by delta items and brings it into sight.
    void StepCursor(int delta);

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
    // What the rules of the track commands read, worked out once per change.
    const TrackSelectionFacts::Facts& SelectionFacts() {
        return selectionFacts_.Get(Genome, GetUpdateCount());
    }

    // Every path given to ImportFiles since the last clear (for the output checks), and the
    // files that loaded (for the repeated-import question).
    std::vector<std::string> importedPaths_;
    TrackSelectionFacts selectionFacts_;
    ImportedFiles importedFiles_;
    CNotificationAgent* headlessAgent_ = nullptr;
    DocumentEvents* events_ = nullptr;
    friend class LongOperationGuard;
    int busy_ = 0;  // running long operations
};
