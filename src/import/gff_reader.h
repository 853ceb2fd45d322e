#pragma once

#include <cstdint>
#include <string_view>

#include "data/parsed_feature_line.h"

// Reads one GFF data line (nine tab-separated columns, positions 1-based and inclusive, stored
// as written) into record, which must be fresh. lineNumber is used in messages only. Returns
// true; a line it cannot accept raises FileProcessingException with the reason, leaving record
// partly filled.
bool ParseGffLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber);
