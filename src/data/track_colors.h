#pragma once

#include <cstdint>
#include <string>

// Track colours, all 0x00BBGGRR (red in the low byte).
namespace TrackColors {

constexpr int kPaletteSize = 17;

// The fixed colour of a feature type ("gene", "CDS", "exon", "start_codon"; case-sensitive),
// or false when the name has none.
bool FixedColorFor(const std::string& trackName, int& color);

// The palette entry for a colour counter value (taken modulo the palette size).
int PaletteColor(int counter);

// The opaque 0xAARRGGBB drawing colour of a track colour.
constexpr uint32_t ToDrawingColor(int trackColor) {
    const uint32_t c = static_cast<uint32_t>(trackColor);
    return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace TrackColors
