#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "data/position.h"

// Texts that name genomic places: grouped numbers ("1,234,567") and pane labels
// ("chr1:12,000-15,500", the pane name and a range of 1-based inclusive positions).
namespace PaneLabel {

// value with "," between each group of three digits, counted from the right.
std::string GroupedNumber(uint64_t value);
// "name:start-stop" with grouped numbers.
std::string Format(const std::string& paneName, Range range);

struct Parsed {
    std::string paneName;
    Range range{kNoPosition, kNoPosition};  // both ends kNoPosition when the text has none
    // The text ends in "number-number" with a number too large for a position; it is then read
    // as a pane name alone, as before, but callers can say what is wrong.
    bool outOfRange = false;
};
// Reads a label as typed: surrounding blanks are dropped, numbers may have commas or not, and
// a text whose part after the last ':' is not "number-number" is a pane name alone.
Parsed Parse(const std::string& text);

}  // namespace PaneLabel
