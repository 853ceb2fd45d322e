#pragma once

#include <cstdint>
#include <string>

#include "data/chromosome_item.h"

// One data line as a reader hands it to the import driver: the item plus the three values
// that decide where it is filed. Only the ChromosomeItem part is stored.
struct ParsedFeatureLine : ChromosomeItem {
    static constexpr uint32_t kNoStart = 0xFFFFFFFF;

    uint32_t Start = kNoStart;  // 1-based
    std::string ChromosomeName;
    std::string TrackName;

    // Back to the state of a fresh record, keeping the text buffers for the next line.
    void Reset() {
        Source.clear();
        Score = 0.0f;
        Stop = 0;
        Attributes.clear();
        Strand = '+';
        Frame = '0';
        Color = kNoColor;
        Start = kNoStart;
        ChromosomeName.clear();
        TrackName.clear();
    }
};
