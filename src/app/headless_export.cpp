#include "app/headless_export.h"

#include <algorithm>
#include <utility>

#include "app/console_agent.h"
#include "app/headless_front_end.h"
#include "document/export_command.h"
#include "document/locuscope_document.h"
#include "document/pane_label.h"
#include "framework/console_text.h"

namespace {

struct Selection {
    std::string pane;
    Range range;
};

// "PANE:START-STOP" as the pair the mouse would select: the low end exclusive.
bool ParseSelection(const std::string& text, Selection& selection) {
    const PaneLabel::Parsed parsed = PaneLabel::Parse(text);
    if (parsed.paneName.empty() || parsed.range.first == kNoPosition ||
        parsed.range.second == kNoPosition)
        return false;
    const uint32_t low = std::min(parsed.range.first, parsed.range.second);
    const uint32_t high = std::max(parsed.range.first, parsed.range.second);
    selection = {parsed.paneName, {SaturatingSubtract(low, 1), high}};
    return true;
}

}  // namespace

int HeadlessExport::Run(const std::string& output, const std::vector<std::string>& selects,
                        bool selectAll, const std::vector<std::string>& paths) {
    std::vector<Selection> selections;
    for (const std::string& text : selects) {
        Selection selection;
        if (!ParseSelection(text, selection)) {
            ConsoleText::WriteLine(stderr, "--select takes PANE:START-STOP, not: " + text);
            return HeadlessFrontEnd::kExitUsage;
        }
        selections.push_back(std::move(selection));
    }

    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    document.SetHeadlessAgent(&console);
    ImportOutcome outcome = ImportOutcome::kFailed;
    document.OpenFiles(paths, &outcome);
    if (outcome != ImportOutcome::kComplete)
        return HeadlessFrontEnd::SkipOutputAfterIncompleteImport(output, outcome);
    for (const Selection& selection : selections) {
        if (selection.pane != kAllTracksPane &&
            !document.Genome().Store().HasChromosome(selection.pane)) {
            ConsoleText::WriteLine(stderr,
                                   "--select names no pane of the files: " + selection.pane);
            return HeadlessFrontEnd::kExitUsage;
        }
    }
    // Selections named here replace those of a workspace.
    if (selectAll || !selections.empty())
        document.ClearRegionSelection();
    if (selectAll)
        document.SelectAllRegions();
    for (const Selection& selection : selections)
        document.AddRegionSelection(selection.pane, selection.range);
    if (!selectAll && selections.empty() && !ExportCommand::HasSelection(document)) {
        ConsoleText::WriteLine(stderr,
                               "--export: the workspace selects nothing; give --select "
                               "PANE:START-STOP or --select-all.");
        return HeadlessFrontEnd::kExitUsage;
    }

    return document.ExportSelections(output) ? HeadlessFrontEnd::kExitSuccess
                                             : HeadlessFrontEnd::kExitFailure;
}
