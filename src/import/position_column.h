#pragma once

#include <cstdint>
#include <string_view>

#include "data/number_scan.h"

// The two refusal formats of a position column: each takes the column text (%s), the column
// index counted from 0 (%d) and the line number (%llu).
struct PositionColumnMessages {
    const char* nonNumeric;
    const char* negative;
};

// Reads a start or end column like strtol (leading white space and a sign accepted, saturating
// at 2147483647). Raises FileProcessingException when characters are left after the number or
// when the number is negative, which no position can be.
[[noreturn]] void RefusePositionColumn(std::string_view text, int column, uint64_t lineNumber,
                                       const char* format);
inline uint32_t ReadPositionColumn(std::string_view text, int column, uint64_t lineNumber,
                                   const PositionColumnMessages& messages) {
    const Long32Scan scan = ScanLong32(text);
    if (scan.consumed != text.size())
        RefusePositionColumn(text, column, lineNumber, messages.nonNumeric);
    if (scan.value < 0)
        RefusePositionColumn(text, column, lineNumber, messages.negative);
    return static_cast<uint32_t>(scan.value);
}

// Reads a score column like atof; values beyond the float range become infinite.
float ScoreFromText(std::string_view text);
