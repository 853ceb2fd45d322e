#pragma once

#include <cstdint>
#include <string_view>

// The two refusal formats of a position column: each takes the column text (%s), the column
// index counted from 0 (%d) and the line number (%llu).
struct PositionColumnMessages {
    const char* nonNumeric;
    const char* negative;
};

// Reads a start or end column like strtol (leading white space and a sign accepted, saturating
// at 2147483647). Raises FileProcessingException when characters are left after the number or
// when the number is negative, which no position can be.
uint32_t ReadPositionColumn(std::string_view text, int column, uint64_t lineNumber,
                            const PositionColumnMessages& messages);

// Reads a score column like atof; values beyond the float range become infinite.
float ScoreFromText(std::string_view text);
