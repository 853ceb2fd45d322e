#pragma once

#include <cstdint>
#include <string>

// One item found by the attribute search: where it is filed.
struct SearchResult {
    std::string PaneName;
    std::string TrackName;
    uint32_t Start = 0;
};
