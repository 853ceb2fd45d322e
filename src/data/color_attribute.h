#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The "color" entry of a GFF attribute text, which gives an item its own colour. The text is
// cut at every ';' into entries, of which the first 100 are looked at; the first entry that
// holds the word "color" at its index 0 or 1 counts ("color=FF0000", " color=FF0000"; not
// "bgcolor=..."). Its value, after the word and one separator, is read as hexadecimal.
namespace ColorAttribute {

constexpr char kWord[] = "color";
constexpr size_t kWordLength = sizeof kWord - 1;

// Whether the word found at at in attributes (which need only reach as far as at) begins an
// entry that counts.
enum class Place {
    kCounts,
    kInsideEntry,     // not at index 0 or 1 of its entry: later ones may count
    kPastEntryLimit,  // beyond the 100th entry: none later counts either
};
Place PlaceOf(std::string_view attributes, size_t at);

// Where the word of the entry that counts begins, or npos.
size_t Find(std::string_view attributes);

// The colour of the entry whose word begins at at (the entry ends at the next ';'):
// ChromosomeItem::kNoColor when its value cannot be read, else the value read. With at = npos,
// or an entry with nothing after the word's separator, the colour is unchanged. Either way a
// colour other than kNoColor comes back with alpha 0xFF.
uint32_t ColorAt(std::string_view attributes, size_t at, uint32_t unchanged);

}  // namespace ColorAttribute
