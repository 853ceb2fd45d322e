#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/parsed_feature_line.h"

// Reads one BED line into record, which must be fresh. Data lines have 3 to 12 words separated
// by runs of white space; the 0-based start is stored plus 1 and the exclusive end as it
// stands, giving 1-based inclusive positions. Every data line is filed under currentTrackName,
// which a "track" header line with a name key replaces. Each "track" line also sets
// currentTrackColor (0x00BBGGRR) from its color=R,G,B key, or to
// ChromosomeDataset::kUnassignedColor without one: the colour of the tracks that follow it.
//
// Returns false for a header line ("track", "browser"), true for an accepted data line, and
// raises FileProcessingException for a refused data line. lineNumber is used in messages only.
bool ParseBedLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber,
                  std::string& currentTrackName, int& currentTrackColor);
