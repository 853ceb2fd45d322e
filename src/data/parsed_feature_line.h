#pragma once

#include <cstdint>
#include <string>

#include "data/chromosome_item.h"
#include "data/feature_structure.h"
#include "data/position.h"

// One data line as a reader hands it to the import driver: the item plus the three values
// that decide where it is filed, and what a BED line tells of the item's inside. Only the
// ChromosomeItem part and the structure are stored.
struct ParsedFeatureLine : ChromosomeItem {
    uint32_t Start = kNoPosition;  // 1-based
    std::string ChromosomeName;
    std::string TrackName;
    FeatureStructure Structure;
    // Why the reader dropped the line's thick range or its blocks while keeping the item (a
    // fixed text for the user), or null when it dropped nothing.
    const char* DroppedThick = nullptr;
    const char* DroppedBlocks = nullptr;

    // Back to the state of a fresh record, keeping the text buffers for the next line.
    void Reset() {
        Source.clear();
        Score = 0.0f;
        Stop = 0;
        Attributes.clear();
        Strand = '+';
        Frame = '0';
        Color = kNoColor;
        Start = kNoPosition;
        ChromosomeName.clear();
        TrackName.clear();
        Structure.Reset();
        DroppedThick = nullptr;
        DroppedBlocks = nullptr;
    }
};
