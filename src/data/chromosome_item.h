#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One feature as kept after import: one data line of a GFF or BED file, less the chromosome,
// the track name and the start, which decide where it is filed. Positions are 1-based and
// inclusive. Items are held by value by their ChromosomeDataset.
class ChromosomeItem {
public:
    // The colour value that means "no colour of its own": the track colour applies.
    static constexpr uint32_t kNoColor = 0x00FFFFFF;

    std::string Source;      // GFF column 2; empty for BED
    float Score = 0.0f;      // GFF column 6, BED column 5
    uint32_t Stop = 0;       // end position, inclusive
    std::string Attributes;  // GFF column 9, or the BED name column
    char Strand = '+';
    char Frame = '0';
    uint32_t Color = kNoColor;  // 0xAARRGGBB; alpha 0xFF whenever it came from a file

    // "Score: 12.500 Pos: 1000 - 2000 Attr: ID=g1" for the item filed at start.
    std::string GetInfoText(uint32_t start) const {
        return InfoText(Score, start, Stop, Attributes);
    }
    static std::string InfoText(float score, uint32_t start, uint32_t stop,
                                std::string_view attributes);

    // The web link in the attributes ("http://..." field or "url=" field, percent-decoded),
    // or empty when there is none.
    std::string GetUrl() const { return UrlIn(Attributes); }
    static std::string UrlIn(std::string_view attributes);

    // Sets Color from the first "color" field of the attributes; FFFFFF or an unreadable value
    // means no colour of its own.
    void ParseColorAttribute();
};
