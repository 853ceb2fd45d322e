#include "app/headless_search.h"

#include <cstdio>

#include "app/console_agent.h"
#include "app/headless_front_end.h"
#include "document/locuscope_document.h"
#include "framework/console_text.h"

int HeadlessSearch::Run(const std::string& text, const std::vector<std::string>& paths) {
    LocuscopeDocument document;
    ConsoleAgent console(stderr);
    document.SetHeadlessAgent(&console);
    ImportOutcome outcome = ImportOutcome::kFailed;
    document.OpenFiles(paths, &outcome);
    document.SearchAttributes(text);

    const SearchResultList& results = document.GetSearchResults();
    for (size_t row = 0; row < results.size(); ++row) {
        std::string stop;
        std::string_view attributes;
        if (const auto found = results.Locate(document.Genome(), row)) {
            stop = std::to_string(found->track->GetStop(found->item));
            attributes = found->track->GetItem(found->item).Attributes;
        }
        std::string line =
            ConsoleText::Fields({"hit", results.GetPaneName(row), results.GetTrackName(row),
                                 std::to_string(results.GetStart(row)), stop, attributes});
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    std::printf("hits\t%zu\n", results.size());
    std::fflush(stdout);
    // A file cut short is not a complete answer either.
    return outcome == ImportOutcome::kComplete ? HeadlessFrontEnd::kExitSuccess
                                               : HeadlessFrontEnd::kExitFailure;
}
