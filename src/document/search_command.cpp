#include "document/search_command.h"

#include <algorithm>

#include "data/position.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "document/pane_view.h"
#include "framework/message_box.h"

bool SearchCommand::SearchAttributes(LocuscopeDocument& document, const std::string& text) {
    if (document.IsBusy())
        return false;
    LongOperationGuard operation(document, "Search", "Total Progress", "Processing Track",
                                 document.Genome().Store().GetPaneTrackCount(kAllTracksPane));
    document.SetSearchResults(document.Genome().Search(text));
    document.SetTaskPercent(100, "", "", 0);
    const size_t count = document.GetSearchResults().size();
    document.ReportMessage("Number of items found: " + std::to_string(count));
    document.ReportMessage("");
    if (count == 0) {
        document.ReportMessage("No items were found.  Please try another Attribute Search.");
        operation.Pause(kNoHitPauseMilliseconds);
    } else {
        operation.Pause(kHitsPauseMilliseconds);
    }
    if (document.GetErrorFlag())
        document.WaitForClose("Done", 100);
    return true;
}

bool SearchCommand::GoToSearchResult(LocuscopeDocument& document, const std::string& paneName,
                                     const std::string& trackName, uint32_t start) {
    const ChromosomeDataset* track = document.Genome().Store().FindTrack(paneName, trackName);
    const std::optional<ItemView> item =
        track != nullptr ? track->FindItem(start) : std::optional<ItemView>();
    if (!item) {
        ShowMessageBox("Error in search.  Pane: " + paneName + " Track: " + trackName);
        return false;
    }
    const uint32_t stop = item->Stop;
    const uint32_t low = SaturatingSubtract(start, kJumpMargin);
    const uint32_t high = SaturatingAdd(stop, kJumpMargin);
    document.SetPaneJumpRange(paneName, std::min(low, high), std::max(low, high));
    // Selections keep their low end exclusive: the range starts one base before the hit, as a
    // mouse selection does, so that exporting it writes the hit itself.
    document.Genome().Selection().SetRegions(paneName, {Range(SaturatingSubtract(start, 1), stop)});
    document.NavigateToPane(paneName, true);
    document.UpdateAllViews();
    if (PaneView* view = document.GetFirstView()) {
        // Keep the jump's width, with the hit's start in the middle; near position 0 the range
        // moves right rather than losing the bases that would lie below it.
        const uint32_t half = (std::max(low, high) - std::min(low, high)) / 2;
        const uint32_t first = SaturatingSubtract(start, half);
        view->SetVisibleRange(first, SaturatingAdd(first, 2 * half));
        view->InvalidateView();
    }
    return true;
}
