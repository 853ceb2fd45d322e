#pragma once

#include <cstdint>
#include <string_view>

#include "data/parsed_feature_line.h"

// Reads one GFF data line (nine tab-separated columns, positions 1-based and inclusive, stored
// as written) into record, which must be fresh. Blanks after the number
// in the start and end columns are allowed; text columns keep theirs. lineNumber is used in
// messages only. Returns true for a data line and false for a genome browser's "track" or
// "browser" header line (the word in any case, alone or followed by a blank), which stores
// nothing. A line it cannot accept raises FileProcessingException with the reason, leaving
// record partly filled.
bool ParseGffLine(std::string_view line, ParsedFeatureLine& record, uint64_t lineNumber);

// For a line the reader refused, a hint that says what was probably meant (columns separated by
// blanks instead of tabs), or null when there is none.
const char* GffRefusalHint(std::string_view line);
