#include "data/genome_store.h"

#include <algorithm>
#include <iterator>

#include "data/chromosome_name_order.h"

namespace {

template <typename Container>
void EraseValue(Container& container, const std::string& value) {
    container.erase(std::remove(container.begin(), container.end(), value), container.end());
}

}  // namespace

void GenomeStore::Clear() {
    storedFeatures_ = 0;
    importMilliseconds_ = 0;
    chromosomes_.clear();
    paneOrder_.clear();
    firstSeen_.clear();
    trackOrder_.clear();
    trackNames_.clear();
    loadedFiles_.clear();
    geneModelSchedule_.Clear();
}

void GenomeStore::SwapContents(GenomeStore& other) {
    using std::swap;
    swap(storedFeatures_, other.storedFeatures_);
    swap(importMilliseconds_, other.importMilliseconds_);
    swap(chromosomes_, other.chromosomes_);
    swap(paneOrder_, other.paneOrder_);
    swap(firstSeen_, other.firstSeen_);
    swap(trackOrder_, other.trackOrder_);
    swap(trackNames_, other.trackNames_);
    swap(loadedFiles_, other.loadedFiles_);
    swap(geneModelSchedule_, other.geneModelSchedule_);
}

const GenomeStore::TrackMap* GenomeStore::GetChromosomeTracks(
    const std::string& chromosomeName) const {
    const auto it = chromosomes_.find(chromosomeName);
    return it == chromosomes_.end() ? nullptr : &it->second;
}

ChromosomeDataset* GenomeStore::FindTrack(const std::string& chromosomeName,
                                          const std::string& trackName) const {
    const TrackMap* tracks = GetChromosomeTracks(chromosomeName);
    if (tracks == nullptr)
        return nullptr;
    const auto it = tracks->find(trackName);
    return it == tracks->end() ? nullptr : it->second.get();
}

std::vector<ChromosomeDataset*> GenomeStore::GetTracksNamed(const std::string& trackName) const {
    std::vector<ChromosomeDataset*> tracks;
    for (const auto& [chromosome, map] : chromosomes_) {
        const auto found = map.find(trackName);
        if (found != map.end())
            tracks.push_back(found->second.get());
    }
    return tracks;
}

ChromosomeDataset& GenomeStore::FindOrCreateTrack(const std::string& chromosomeName,
                                                  const std::string& trackName) {
    auto [chromosome, isNew] = chromosomes_.try_emplace(chromosomeName);
    // The first-seen list holds exactly the names of the map, so the map answers for both.
    if (isNew)
        firstSeen_.push_back(chromosomeName);
    std::unique_ptr<ChromosomeDataset>& track = chromosome->second[trackName];
    if (!track)
        track = std::make_unique<ChromosomeDataset>();
    return *track;
}

void GenomeStore::SortChromosomeNames() {
    if (sortOrder_ != kSortAlphanumeric) {
        paneOrder_ = firstSeen_;
        return;
    }
    // Sorting the first-seen list keeps names the comparison cannot tell apart in that order.
    std::vector<std::string> names(firstSeen_.begin(), firstSeen_.end());
    std::stable_sort(names.begin(), names.end(), ChromosomeNameLess);
    paneOrder_.assign(names.begin(), names.end());
}

bool GenomeStore::AppendTrackName(const std::string& trackName) {
    if (!trackNames_.insert(trackName).second)
        return false;
    trackOrder_.push_back(trackName);
    return true;
}

void GenomeStore::RemoveTrackName(const std::string& trackName) {
    if (trackNames_.erase(trackName) != 0)
        EraseValue(trackOrder_, trackName);
}

void GenomeStore::SetTrackOrder(const std::vector<std::string>& order) {
    std::deque<std::string> ordered;
    std::unordered_set<std::string> placed;
    for (const std::string& name : order) {
        if (trackNames_.count(name) != 0 && placed.insert(name).second)
            ordered.push_back(name);
    }
    for (const std::string& name : trackOrder_) {
        if (placed.count(name) == 0)
            ordered.push_back(name);
    }
    trackOrder_ = std::move(ordered);
}

bool GenomeStore::MoveTrackName(const std::string& trackName, const std::string& beforeName) {
    const size_t to = GetTrackPlace(beforeName);
    return to != trackOrder_.size() && MoveTrackNameTo(trackName, to);
}

size_t GenomeStore::GetTrackPlace(const std::string& trackName) const {
    return static_cast<size_t>(std::find(trackOrder_.begin(), trackOrder_.end(), trackName) -
                               trackOrder_.begin());
}

bool GenomeStore::MoveTrackNameTo(const std::string& trackName, size_t place) {
    const auto from = std::find(trackOrder_.begin(), trackOrder_.end(), trackName);
    if (from == trackOrder_.end())
        return false;
    trackOrder_.erase(from);
    const size_t to = std::min(place, trackOrder_.size());
    trackOrder_.insert(trackOrder_.begin() + static_cast<std::ptrdiff_t>(to), trackName);
    return true;
}

void GenomeStore::AddLoadedFile(const std::string& entry) {
    const auto at = std::lower_bound(loadedFiles_.begin(), loadedFiles_.end(), entry);
    if (at == loadedFiles_.end() || *at != entry)
        loadedFiles_.insert(at, entry);
}

void GenomeStore::AddImportTotals(uint64_t features, uint64_t milliseconds) {
    storedFeatures_ += features;
    importMilliseconds_ += milliseconds;
}

int GenomeStore::GetPaneTrackCount(const std::string& paneName) const {
    if (paneName != kAllTracksPane)
        return ChromosomeTrackCount(paneName);
    int count = 0;
    for (const std::string& pane : paneOrder_)
        count += ChromosomeTrackCount(pane);
    return count;
}

int GenomeStore::ChromosomeTrackCount(const std::string& chromosomeName) const {
    const TrackMap* tracks = GetChromosomeTracks(chromosomeName);
    return tracks == nullptr ? 0 : static_cast<int>(tracks->size());
}

GenomeStore::TrackRef GenomeStore::GetChromosomeTrack(const std::string& chromosomeName,
                                                      int index) const {
    const TrackMap* tracks = GetChromosomeTracks(chromosomeName);
    if (tracks == nullptr || index < 0)
        return {};
    for (const std::string& trackName : trackOrder_) {
        const auto it = tracks->find(trackName);
        if (it == tracks->end())
            continue;
        if (index-- == 0)
            return {it->second.get(), chromosomeName, trackName};
    }
    return {};
}

GenomeStore::TrackRef GenomeStore::GetTrack(const std::string& paneName, int index) const {
    if (paneName != kAllTracksPane)
        return GetChromosomeTrack(paneName, index);
    if (index < 0)
        return {};
    for (const std::string& pane : paneOrder_) {
        const int count = ChromosomeTrackCount(pane);
        if (index < count)
            return GetChromosomeTrack(pane, index);
        index -= count;
    }
    return {};
}

std::vector<GenomeStore::TrackRef> GenomeStore::GetPaneTracks(const std::string& paneName) const {
    std::unordered_map<std::string, size_t> orderOf;
    for (size_t i = 0; i < trackOrder_.size(); ++i)
        orderOf.emplace(trackOrder_[i], i);
    std::vector<TrackRef> tracks;
    auto addChromosome = [&](const std::string& chromosome) {
        const TrackMap* map = GetChromosomeTracks(chromosome);
        if (map == nullptr)
            return;
        const size_t first = tracks.size();
        for (const auto& [name, dataset] : *map) {
            if (orderOf.count(name) != 0)
                tracks.push_back({dataset.get(), chromosome, name});
        }
        std::sort(tracks.begin() + static_cast<std::ptrdiff_t>(first), tracks.end(),
                  [&](const TrackRef& a, const TrackRef& b) {
                      return orderOf.at(a.trackName) < orderOf.at(b.trackName);
                  });
    };
    if (paneName != kAllTracksPane) {
        addChromosome(paneName);
        return tracks;
    }
    for (const std::string& pane : paneOrder_)
        addChromosome(pane);
    return tracks;
}

int GenomeStore::GetPaneTrackOffset(const std::string& paneName) const {
    int offset = 0;
    for (const std::string& pane : paneOrder_) {
        if (pane == paneName)
            return offset;
        offset += ChromosomeTrackCount(pane);
    }
    return -1;
}

int GenomeStore::GetTrackIndex(const std::string& paneName, const std::string& trackName,
                               bool withOffset) const {
    const TrackMap* tracks = GetChromosomeTracks(paneName);
    if (tracks == nullptr)
        return -1;
    int index = 0;
    for (const std::string& name : trackOrder_) {
        if (tracks->count(name) == 0)
            continue;
        if (name == trackName)
            break;
        ++index;
    }
    return withOffset ? index + GetPaneTrackOffset(paneName) : index;
}

Range GenomeStore::GetPaneExtent(const std::string& paneName) const {
    Range extent(kNoPosition, 0);
    auto cover = [&extent](const TrackMap& tracks) {
        for (const auto& entry : tracks) {
            extent.first = std::min(extent.first, entry.second->MinStart);
            extent.second = std::max(extent.second, entry.second->MaxStop);
        }
    };
    if (paneName == kAllTracksPane) {
        for (const auto& chromosome : chromosomes_)
            cover(chromosome.second);
    } else if (const TrackMap* tracks = GetChromosomeTracks(paneName)) {
        cover(*tracks);
    }
    return extent;
}

void GenomeStore::DeleteTracks(const ChromosomeTrackPairs& pairs) {
    for (const auto& [chromosomeName, trackName] : pairs) {
        const auto chromosome = chromosomes_.find(chromosomeName);
        if (chromosome == chromosomes_.end())
            continue;
        const bool hadModels = geneModelSchedule_.HasModels(*this, chromosomeName);
        chromosome->second.erase(trackName);
        if (hadModels)
            geneModelSchedule_.MarkChanged(*this, chromosomeName);
    }
}

std::string GenomeStore::DeletePane(const std::string& paneName) {
    chromosomes_.erase(paneName);
    EraseValue(firstSeen_, paneName);
    const auto at = std::find(paneOrder_.begin(), paneOrder_.end(), paneName);
    if (at == paneOrder_.end())
        return paneOrder_.empty() ? std::string() : paneOrder_.back();
    const auto next = paneOrder_.erase(at);
    if (next != paneOrder_.end())
        return *next;
    return paneOrder_.empty() ? std::string() : paneOrder_.back();
}

std::unique_ptr<ChromosomeDataset> GenomeStore::TakeTrack(const std::string& chromosomeName,
                                                          const std::string& trackName) {
    const auto chromosome = chromosomes_.find(chromosomeName);
    if (chromosome == chromosomes_.end())
        return nullptr;
    const auto track = chromosome->second.find(trackName);
    if (track == chromosome->second.end())
        return nullptr;
    std::unique_ptr<ChromosomeDataset> taken = std::move(track->second);
    chromosome->second.erase(track);
    return taken;
}

void GenomeStore::PutTrack(const std::string& chromosomeName, const std::string& trackName,
                           std::unique_ptr<ChromosomeDataset> track) {
    const auto chromosome = chromosomes_.find(chromosomeName);
    if (chromosome != chromosomes_.end() && track)
        chromosome->second[trackName] = std::move(track);
}

std::vector<PlacedName> GenomeStore::RemoveChromosomes(
    const std::unordered_set<std::string>& names) {
    for (const std::string& name : names)
        chromosomes_.erase(name);
    TakeNames(paneOrder_, names);
    return TakeNames(firstSeen_, names);
}

void GenomeStore::RestoreChromosomes(const std::vector<PlacedName>& removed) {
    for (const PlacedName& entry : removed)
        chromosomes_.try_emplace(entry.name);
    PutNamesBack(firstSeen_, removed);
    SortChromosomeNames();
}

std::vector<PlacedName> GenomeStore::RemoveTrackNames(
    const std::unordered_set<std::string>& names) {
    for (const std::string& name : names)
        trackNames_.erase(name);
    return TakeNames(trackOrder_, names);
}

void GenomeStore::RestoreTrackNames(const std::vector<PlacedName>& removed) {
    for (const PlacedName& entry : removed)
        trackNames_.insert(entry.name);
    PutNamesBack(trackOrder_, removed);
}
