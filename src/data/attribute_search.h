#pragma once

#include <string>

#include "data/search_result_list.h"

class GenomeDataset;

// Finds every item whose attribute text contains a string, over every track of every
// chromosome (the tracks of "All Tracks", in display order; items in start order). Reports
// through the genome's agent: the search string, a line per hit up to the 49th, then "50 or
// more items found..." once; task and overall progress and the cancel request are polled at
// most every 200 ms of search time and after each track. A cancel keeps the hits found so far.
class AttributeSearch {
public:
    static constexpr size_t kReportedHits = 50;

    // Byte-exact and case-sensitive; an empty text matches every item.
    static SearchResultList Run(GenomeDataset& genome, const std::string& text);

private:
    static void SearchTracks(GenomeDataset& genome, const std::string& text,
                             SearchResultList& results);
};
