#include "data/track_colors.h"

namespace TrackColors {

namespace {

struct FixedColor {
    const char* trackName;
    int color;
};

constexpr FixedColor kFixedColors[] = {
    {"gene", 0xFF0000}, {"CDS", 0xC8C800}, {"exon", 0x003C96}, {"start_codon", 0x0064DC}};

constexpr int kPalette[kPaletteSize] = {0x00C800, 0xFF1010, 0x00DCFF, 0xC800C8, 0xFFC800, 0x00A0C8,
                                        0x808080, 0x00A0FF, 0xA0FF00, 0xFF20FF, 0xFF6410, 0xFF8C78,
                                        0xFF78C8, 0x64C8FF, 0xFF6464, 0x96C896, 0x80FF80};

}  // namespace

bool FixedColorFor(const std::string& trackName, int& color) {
    for (const FixedColor& fixed : kFixedColors) {
        if (trackName == fixed.trackName) {
            color = fixed.color;
            return true;
        }
    }
    return false;
}

int PaletteColor(int counter) {
    const int slot = counter % kPaletteSize;
    return kPalette[slot < 0 ? slot + kPaletteSize : slot];
}

}  // namespace TrackColors
