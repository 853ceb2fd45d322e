#pragma once

#include <cstdint>
#include <string>

// One item found by the attribute search, as the result list shows it: where it is filed.
// Start is 1-based.
struct SearchResult {
    std::string PaneName;
    std::string TrackName;
    uint32_t Start = 0;
};
