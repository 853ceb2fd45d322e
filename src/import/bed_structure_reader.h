#pragma once

#include <cstdint>
#include <string_view>

#include "data/parsed_feature_line.h"

// Readers of the BED columns that describe an item's inside. chromStart and chromEnd are the
// line's own 0-based start and exclusive end, already checked (chromStart <= chromEnd for a
// line that will be stored). What does not keep BED's rules is dropped and the reason left in
// the record (DroppedThick, DroppedBlocks); the item itself is never refused for it.

// Columns 7 and 8. Equal values mean no coding part, wherever they stand; otherwise
// chromStart <= thickStart < thickEnd <= chromEnd.
void ReadBedThickRange(std::string_view thickStart, std::string_view thickEnd, uint32_t chromStart,
                       uint32_t chromEnd, ParsedFeatureLine& record);

// Columns 10 to 12 (an empty view for a missing column). blockSizes and blockStarts hold
// blockCount whole numbers each, comma-separated (a comma at the end is allowed); the blocks
// are not empty, the first starts at chromStart, each starts at or after the end of the one
// before, and the last ends at chromEnd.
void ReadBedBlocks(std::string_view blockCount, std::string_view blockSizes,
                   std::string_view blockStarts, uint32_t chromStart, uint32_t chromEnd,
                   ParsedFeatureLine& record);
