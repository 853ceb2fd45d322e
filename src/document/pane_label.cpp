#include "document/pane_label.h"

#include <cctype>

namespace PaneLabel {

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

enum class PositionText { kNotANumber, kTooLarge, kPosition };

// A position written with optional commas and blanks.
PositionText ParsePosition(const std::string& text, uint32_t& value) {
    uint64_t number = 0;
    bool sawDigit = false;
    bool tooLarge = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            // Once too large, the digits are still read to tell a number from other text.
            tooLarge = tooLarge || number * 10 + static_cast<uint64_t>(c - '0') >= kNoPosition;
            number = tooLarge ? 0 : number * 10 + static_cast<uint64_t>(c - '0');
            sawDigit = true;
        } else if (c != ',' && c != ' ') {
            return PositionText::kNotANumber;
        }
    }
    if (!sawDigit)
        return PositionText::kNotANumber;
    value = static_cast<uint32_t>(number);
    return tooLarge ? PositionText::kTooLarge : PositionText::kPosition;
}

}  // namespace

std::string GroupedNumber(uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string Format(const std::string& paneName, Range range) {
    return paneName + ":" + GroupedNumber(range.first) + "-" + GroupedNumber(range.second);
}

Parsed Parse(const std::string& text) {
    Parsed parsed;
    parsed.paneName = Trim(text);
    const size_t colon = parsed.paneName.find_last_of(':');
    if (colon == std::string::npos)
        return parsed;
    const std::string rangeText = parsed.paneName.substr(colon + 1);
    const size_t dash = rangeText.find('-');
    if (dash == std::string::npos)
        return parsed;
    Range range;
    const PositionText first = ParsePosition(rangeText.substr(0, dash), range.first);
    const PositionText second = ParsePosition(rangeText.substr(dash + 1), range.second);
    if (first == PositionText::kNotANumber || second == PositionText::kNotANumber)
        return parsed;
    if (first == PositionText::kTooLarge || second == PositionText::kTooLarge) {
        parsed.outOfRange = true;
        return parsed;
    }
    parsed.paneName = Trim(parsed.paneName.substr(0, colon));
    parsed.range = range;
    return parsed;
}

}  // namespace PaneLabel
