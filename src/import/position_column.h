#pragma once

#include <cstdint>
#include <string_view>

#include "data/number_scan.h"

// The refusal formats of a position column: each takes the column text (%s), the column index
// counted from 0 (%d) and the line number (%llu).
struct PositionColumnMessages {
    const char* nonNumeric;
    const char* negative;
    const char* outOfRange;
};

// Reads a start or end column like strtol (leading white space and a sign accepted). Raises
// FileProcessingException when characters are left after the number, when the number is
// negative, which no position can be, or when it is 2^31 or more: strtol's silent clamp to
// 2147483647 would file the feature somewhere else.
[[noreturn]] void RefusePositionColumn(std::string_view text, int column, uint64_t lineNumber,
                                       const char* format);
inline uint32_t ReadPositionColumn(std::string_view text, int column, uint64_t lineNumber,
                                   const PositionColumnMessages& messages) {
    const Long32Scan scan = ScanLong32(text);
    if (scan.consumed != text.size())
        RefusePositionColumn(text, column, lineNumber, messages.nonNumeric);
    if (scan.value < 0)
        RefusePositionColumn(text, column, lineNumber, messages.negative);
    if (scan.saturated)
        RefusePositionColumn(text, column, lineNumber, messages.outOfRange);
    return static_cast<uint32_t>(scan.value);
}

// Reads a score column like atof; values beyond the float range become infinite.
float ScoreFromText(std::string_view text);
