#include "data/search_result_list.h"

#include <algorithm>

#include "data/genome_dataset.h"

void SearchResultList::clear() {
    hits_.clear();
    tracks_.clear();
}

void SearchResultList::BeginTrack(const std::string& paneName, const std::string& trackName) {
    if (tracks_.empty() || tracks_.back().first != paneName || tracks_.back().second != trackName)
        tracks_.emplace_back(paneName, trackName);
}

void SearchResultList::AddHit(uint32_t start, size_t item) {
    // Tracks cannot hold 2^32 items, so an item's place always fits.
    hits_.push_back({static_cast<uint32_t>(tracks_.size() - 1), start,
                     static_cast<uint32_t>(std::min<size_t>(item, kUnknownItem))});
}

void SearchResultList::push_back(const SearchResult& result) {
    BeginTrack(result.PaneName, result.TrackName);
    hits_.push_back({static_cast<uint32_t>(tracks_.size() - 1), result.Start, kUnknownItem});
}

std::optional<SearchResultList::Located> SearchResultList::Locate(const GenomeDataset& genome,
                                                                  size_t row) const {
    const Hit& hit = hits_[row];
    const ChromosomeDataset* track =
        genome.Store().FindTrack(tracks_[hit.track].first, tracks_[hit.track].second);
    if (track == nullptr)
        return std::nullopt;
    const std::vector<uint32_t>& starts = track->GetStartPositions();
    // Imports since the search may have moved the item; its start still finds one.
    if (hit.item < starts.size() && starts[hit.item] == hit.start)
        return Located{track, hit.item};
    const auto at = std::lower_bound(starts.begin(), starts.end(), hit.start);
    if (at == starts.end() || *at != hit.start)
        return std::nullopt;
    return Located{track, static_cast<size_t>(at - starts.begin())};
}
