#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/search_result.h"

class ChromosomeDataset;
class GenomeDataset;

// The hits of an attribute search, in the order found. A hit is kept as three 32-bit numbers
// (the track it was found in, the item's start and the item's place in its track), so a search
// that matches every item of a large genome costs 12 bytes per hit; pane and track names are
// kept once per track and resolved when a hit is shown. Starts are 1-based.
class SearchResultList {
public:
    // Where a hit's item is now: its track and its handle there.
    struct Located {
        const ChromosomeDataset* track = nullptr;
        size_t item = 0;
    };

    size_t size() const { return hits_.size(); }
    bool empty() const { return hits_.empty(); }
    void clear();

    // Makes the (pane, track) pair the one that following AddHit calls refer to.
    void BeginTrack(const std::string& paneName, const std::string& trackName);
    // A hit in the track of the last BeginTrack; item is the item's handle in that track.
    void AddHit(uint32_t start, size_t item);
    // A hit given by names (the item's place unknown: the first item with that start is shown).
    void push_back(const SearchResult& result);

    const std::string& GetPaneName(size_t row) const { return tracks_[hits_[row].track].first; }
    const std::string& GetTrackName(size_t row) const {
        return tracks_[hits_[row].track].second;
    }
    uint32_t GetStart(size_t row) const { return hits_[row].start; }
    SearchResult operator[](size_t row) const {
        return {GetPaneName(row), GetTrackName(row), GetStart(row)};
    }

    // Looks the hit's item up again: the item found, if it is still where it was, else the
    // first item of the track starting at the hit's start. Nothing when the track or such an
    // item is gone.
    std::optional<Located> Locate(const GenomeDataset& genome, size_t row) const;

private:
    static constexpr uint32_t kUnknownItem = 0xFFFFFFFF;

    struct Hit {
        uint32_t track;
        uint32_t start;
        uint32_t item;
    };

    std::deque<Hit> hits_;
    std::vector<std::pair<std::string, std::string>> tracks_;
};
