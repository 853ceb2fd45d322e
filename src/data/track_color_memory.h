#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "data/chromosome_dataset.h"

// The colour of each track name, so that a name has one colour on every chromosome and in
// every later import: the fixed colours of a few feature types, else the colour the user gave
// the name, else the next palette colour. Colours are 0x00BBGGRR.
class TrackColorMemory {
public:
    // Gives a track that has no colour yet the colour of its name.
    void AssignTrackColor(ChromosomeDataset& dataset, const std::string& trackName);
    // The colour remembered for a track name, which tracks of that name imported later get;
    // nothing for a name without one (a new name takes the next palette colour).
    std::optional<int> GetRememberedColor(const std::string& trackName) const;
    void SetRememberedColor(const std::string& trackName, std::optional<int> color);

    // Forgets every name's colour; the palette goes on where it was, so that a cleared
    // document does not hand out the same colours again.
    void Clear() { colors_.clear(); }
    // Exchanges the names' colours with other; each keeps its place in the palette.
    void SwapContents(TrackColorMemory& other) { colors_.swap(other.colors_); }

private:
    std::unordered_map<std::string, int> colors_;
    int paletteSlot_ = 0;
};
