#include "data/track_color_memory.h"

#include "data/track_colors.h"

void TrackColorMemory::AssignTrackColor(ChromosomeDataset& dataset, const std::string& trackName) {
    int color = 0;
    if (TrackColors::FixedColorFor(trackName, color)) {
        dataset.TrackColor = color;
        dataset.FixedColor = true;
        return;
    }
    const auto known = colors_.find(trackName);
    if (known != colors_.end()) {
        dataset.TrackColor = known->second;
        return;
    }
    dataset.TrackColor = TrackColors::PaletteColor(paletteSlot_++);
    colors_.emplace(trackName, dataset.TrackColor);
}

std::optional<int> TrackColorMemory::GetRememberedColor(const std::string& trackName) const {
    const auto known = colors_.find(trackName);
    return known == colors_.end() ? std::nullopt : std::optional<int>(known->second);
}

void TrackColorMemory::SetRememberedColor(const std::string& trackName, std::optional<int> color) {
    if (color)
        colors_[trackName] = *color;
    else
        colors_.erase(trackName);
}
