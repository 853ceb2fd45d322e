#pragma once

#include <cstdint>
#include <string>

class LocuscopeDocument;

// The document's attribute search and its jump to a hit.
class SearchCommand {
public:
    // Margin shown on either side of a hit, in bases.
    static constexpr uint32_t kJumpMargin = 1000;
    static constexpr int kNoHitPauseMilliseconds = 3000;
    static constexpr int kHitsPauseMilliseconds = 1000;

    // Runs the search under a progress dialog "Search" and replaces the document's results.
    // False when another long operation runs on the document.
    static bool SearchAttributes(LocuscopeDocument& document, const std::string& text);

    // Jumps to pane with the range start - 1000 .. stop + 1000 (held within the positions,
    // not wrapped), selects the item (start - 1, stop: the low end is exclusive) and centres
    // the view on start at that width. False, after the message box "Error in search.  Pane:
    // ... Track: ...", when the item is gone.
    static bool GoToSearchResult(LocuscopeDocument& document, const std::string& paneName,
                                 const std::string& trackName, uint32_t start);
};
