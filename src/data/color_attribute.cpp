#include "data/color_attribute.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "data/chromosome_item.h"
#include "data/number_scan.h"

namespace ColorAttribute {

namespace {

constexpr size_t kMaxEntries = 100;
// The word and the one separator character after it.
constexpr size_t kWordAndSeparator = kWordLength + 1;

// Reads the value like sscanf "%x"; values such as 'FF0000', "FF0000" or x00FF00 are repaired
// once and read again.
uint32_t ReadValue(std::string_view text) {
    uint32_t color = ChromosomeItem::kNoColor;
    if (ScanHex32(text, color))
        return color;
    std::string value(text);
    const size_t quote = value.find_first_of("'\":");
    if (quote != std::string::npos)
        value[quote] = ' ';
    const size_t x = value.find('x');
    if (x != std::string::npos) {
        if (x == 0)
            value.insert(0, "0");
        else
            value[x - 1] = '0';
    }
    return ScanHex32(value, color) ? color : ChromosomeItem::kNoColor;
}

}  // namespace

Place PlaceOf(std::string_view attributes, size_t at) {
    size_t entryStart = at;  // the word at index 0 of its entry...
    if (at > 0 && attributes[at - 1] != ';') {
        entryStart = at - 1;  // ...or at index 1
        if (entryStart > 0 && attributes[entryStart - 1] != ';')
            return Place::kInsideEntry;
    }
    const auto entriesBefore = static_cast<size_t>(std::count(
        attributes.begin(), attributes.begin() + static_cast<ptrdiff_t>(entryStart), ';'));
    return entriesBefore < kMaxEntries ? Place::kCounts : Place::kPastEntryLimit;
}

size_t Find(std::string_view attributes) {
    for (size_t at = attributes.find(kWord); at != std::string_view::npos;
         at = attributes.find(kWord, at + 1)) {
        switch (PlaceOf(attributes, at)) {
            case Place::kCounts:
                return at;
            case Place::kPastEntryLimit:
                return std::string_view::npos;
            case Place::kInsideEntry:
                break;
        }
    }
    return std::string_view::npos;
}

uint32_t ColorAt(std::string_view attributes, size_t at, uint32_t unchanged) {
    uint32_t color = unchanged;
    if (at != std::string_view::npos) {
        size_t entryEnd = attributes.find(';', at);
        if (entryEnd == std::string_view::npos)
            entryEnd = attributes.size();
        if (entryEnd > at + kWordAndSeparator)
            color = ReadValue(
                attributes.substr(at + kWordAndSeparator, entryEnd - at - kWordAndSeparator));
    }
    return color == ChromosomeItem::kNoColor ? color : color | 0xFF000000u;
}

}  // namespace ColorAttribute
