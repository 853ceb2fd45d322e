#include "data/genome_dataset.h"

#include <algorithm>
#include <iterator>

#include "data/attribute_search.h"
#include "data/chromosome_name_order.h"
#include "data/selection_export.h"
#include "data/track_colors.h"

namespace {

const std::string kDefaultCursorTrack = "gene";
constexpr int kNoCursor = -1;

template <typename Container>
void EraseValue(Container& container, const std::string& value) {
    container.erase(std::remove(container.begin(), container.end(), value), container.end());
}

}  // namespace

void GenomeDataset::Clear() {
    storedFeatures_ = 0;
    importMilliseconds_ = 0;
    chromosomes_.clear();
    trackColors_.clear();
    paneOrder_.clear();
    firstSeen_.clear();
    trackOrder_.clear();
    trackNames_.clear();
    loadedFiles_.clear();
    attachedTracks_.clear();
    cursorPositions_.clear();
    SelectedTracks.clear();
    RegionSelection.clear();
    geneModelSchedule_.Clear();
}

const GenomeDataset::TrackMap* GenomeDataset::GetChromosomeTracks(
    const std::string& chromosomeName) const {
    const auto it = chromosomes_.find(chromosomeName);
    return it == chromosomes_.end() ? nullptr : &it->second;
}

ChromosomeDataset* GenomeDataset::FindTrack(const std::string& chromosomeName,
                                            const std::string& trackName) const {
    const TrackMap* tracks = GetChromosomeTracks(chromosomeName);
    if (tracks == nullptr)
        return nullptr;
    const auto it = tracks->find(trackName);
    return it == tracks->end() ? nullptr : it->second.get();
}

ChromosomeDataset& GenomeDataset::FindOrCreateTrack(const std::string& chromosomeName,
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

void GenomeDataset::SortChromosomeNames() {
    if (SortOrder != kSortAlphanumeric) {
        paneOrder_ = firstSeen_;
        return;
    }
    // Sorting the first-seen list keeps names the comparison cannot tell apart in that order.
    std::vector<std::string> names(firstSeen_.begin(), firstSeen_.end());
    std::stable_sort(names.begin(), names.end(), ChromosomeNameLess);
    paneOrder_.assign(names.begin(), names.end());
}

bool GenomeDataset::AppendTrackName(const std::string& trackName) {
    if (!trackNames_.insert(trackName).second)
        return false;
    trackOrder_.push_back(trackName);
    return true;
}

void GenomeDataset::RemoveTrackName(const std::string& trackName) {
    if (trackNames_.erase(trackName) != 0)
        EraseValue(trackOrder_, trackName);
}

void GenomeDataset::AddLoadedFile(const std::string& entry) {
    const auto at = std::lower_bound(loadedFiles_.begin(), loadedFiles_.end(), entry);
    if (at == loadedFiles_.end() || *at != entry)
        loadedFiles_.insert(at, entry);
}

void GenomeDataset::AddImportTotals(uint64_t features, uint64_t milliseconds) {
    storedFeatures_ += features;
    importMilliseconds_ += milliseconds;
}

int GenomeDataset::GetPaneTrackCount(const std::string& paneName) const {
    if (paneName == kAllTracksPane) {
        int count = 0;
        for (const std::string& pane : paneOrder_)
            count += GetPaneTrackCount(pane);
        return count;
    }
    const TrackMap* tracks = GetChromosomeTracks(paneName);
    return tracks == nullptr ? 0 : static_cast<int>(tracks->size());
}

GenomeDataset::TrackRef GenomeDataset::GetChromosomeTrack(const std::string& chromosomeName,
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

GenomeDataset::TrackRef GenomeDataset::GetTrack(const std::string& paneName, int index) const {
    if (paneName != kAllTracksPane)
        return GetChromosomeTrack(paneName, index);
    if (index < 0)
        return {};
    for (const std::string& pane : paneOrder_) {
        const int count = GetPaneTrackCount(pane);
        if (index < count)
            return GetChromosomeTrack(pane, index);
        index -= count;
    }
    return {};
}

std::vector<GenomeDataset::TrackRef> GenomeDataset::GetPaneTracks(
    const std::string& paneName) const {
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

int GenomeDataset::GetPaneTrackOffset(const std::string& paneName) const {
    int offset = 0;
    for (const std::string& pane : paneOrder_) {
        if (pane == paneName)
            return offset;
        offset += GetPaneTrackCount(pane);
    }
    return -1;
}

int GenomeDataset::GetTrackIndex(const std::string& paneName, const std::string& trackName,
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

GenomeDataset::Range GenomeDataset::GetPaneExtent(const std::string& paneName) const {
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

void GenomeDataset::DeleteTracks(const ChromosomeTrackPairs& pairs) {
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

std::string GenomeDataset::DeletePane(const std::string& paneName) {
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

void GenomeDataset::AssignTrackColor(ChromosomeDataset& dataset, const std::string& trackName) {
    int color = 0;
    if (TrackColors::FixedColorFor(trackName, color)) {
        dataset.TrackColor = color;
        dataset.FixedColor = true;
        return;
    }
    const auto known = trackColors_.find(trackName);
    if (known != trackColors_.end()) {
        dataset.TrackColor = known->second;
        return;
    }
    dataset.TrackColor = TrackColors::PaletteColor(colorCounter_++);
    trackColors_.emplace(trackName, dataset.TrackColor);
}

bool GenomeDataset::SetTracksColor(int color) {
    for (const std::string& trackName : SelectedTracks) {
        for (auto& chromosome : chromosomes_) {
            const auto track = chromosome.second.find(trackName);
            if (track != chromosome.second.end())
                track->second->TrackColor = color;
        }
        // Overwrite, so that tracks of this name imported later get the same colour.
        trackColors_[trackName] = color;
    }
    return true;
}

std::optional<int> GenomeDataset::GetRememberedColor(const std::string& trackName) const {
    const auto known = trackColors_.find(trackName);
    return known == trackColors_.end() ? std::nullopt : std::optional<int>(known->second);
}

void GenomeDataset::SetRememberedColor(const std::string& trackName, std::optional<int> color) {
    if (color)
        trackColors_[trackName] = *color;
    else
        trackColors_.erase(trackName);
}

std::optional<ItemView> GenomeDataset::HitTestItem(int trackIndex, uint32_t& pos, float value,
                                                   uint32_t from, uint32_t to) const {
    const TrackRef track = GetTrack(currentPane_, trackIndex);
    if (track.dataset == nullptr)
        return std::nullopt;
    const ChromosomeDataset::ItemHandle found = track.dataset->FindItemAt(pos, value, from, to);
    if (found == track.dataset->End())
        return std::nullopt;
    pos = track.dataset->GetStart(found);
    return track.dataset->GetItem(found);
}

std::vector<ChromosomeDataset*> GenomeDataset::GetSelectedTrackObjects() const {
    std::vector<std::string> names = SelectedTracks;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::vector<ChromosomeDataset*> tracks;
    for (const std::string& name : names) {
        for (const auto& [chromosome, map] : chromosomes_) {
            const auto found = map.find(name);
            if (found != map.end())
                tracks.push_back(found->second.get());
        }
    }
    return tracks;
}

std::vector<ChromosomeDataset*> GenomeDataset::GetSelectedPaneTracks(
    const std::string& paneName) const {
    std::vector<ChromosomeDataset*> tracks;
    for (const std::string& name : SelectedTracks) {
        if (paneName != kAllTracksPane) {
            if (ChromosomeDataset* track = FindTrack(paneName, name))
                tracks.push_back(track);
            continue;
        }
        for (const std::string& pane : paneOrder_) {
            if (ChromosomeDataset* track = FindTrack(pane, name))
                tracks.push_back(track);
        }
    }
    return tracks;
}

bool GenomeDataset::IsTrackSelected(const std::string& trackName) const {
    return std::find(SelectedTracks.begin(), SelectedTracks.end(), trackName) !=
           SelectedTracks.end();
}

void GenomeDataset::SelectAllRegions() {
    for (const std::string& pane : paneOrder_) {
        if (GetPaneTrackCount(pane) == 0)
            continue;
        const Range extent = GetPaneExtent(pane);
        const uint32_t low = std::max<uint32_t>(extent.first, 1) - 1;
        // The high end is inclusive already; one past it must not wrap to 0.
        const uint32_t high = extent.second < kNoPosition - 1 ? extent.second + 1 : kNoPosition - 1;
        RegionSelection[pane] = {Range(low, high)};
    }
}

bool GenomeDataset::MoveTrackName(const std::string& trackName, const std::string& beforeName) {
    const size_t to = GetTrackPlace(beforeName);
    return to != trackOrder_.size() && MoveTrackNameTo(trackName, to);
}

size_t GenomeDataset::GetTrackPlace(const std::string& trackName) const {
    return static_cast<size_t>(std::find(trackOrder_.begin(), trackOrder_.end(), trackName) -
                               trackOrder_.begin());
}

bool GenomeDataset::MoveTrackNameTo(const std::string& trackName, size_t place) {
    const auto from = std::find(trackOrder_.begin(), trackOrder_.end(), trackName);
    if (from == trackOrder_.end())
        return false;
    trackOrder_.erase(from);
    const size_t to = std::min(place, trackOrder_.size());
    trackOrder_.insert(trackOrder_.begin() + static_cast<std::ptrdiff_t>(to), trackName);
    return true;
}

void GenomeDataset::SetTrackOrder(const std::vector<std::string>& order) {
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

std::unique_ptr<ChromosomeDataset> GenomeDataset::TakeTrack(const std::string& chromosomeName,
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

void GenomeDataset::PutTrack(const std::string& chromosomeName, const std::string& trackName,
                             std::unique_ptr<ChromosomeDataset> track) {
    const auto chromosome = chromosomes_.find(chromosomeName);
    if (chromosome != chromosomes_.end() && track)
        chromosome->second[trackName] = std::move(track);
}

std::vector<PlacedName> GenomeDataset::RemoveChromosomes(
    const std::unordered_set<std::string>& names) {
    for (const std::string& name : names)
        chromosomes_.erase(name);
    TakeNames(paneOrder_, names);
    return TakeNames(firstSeen_, names);
}

void GenomeDataset::RestoreChromosomes(const std::vector<PlacedName>& removed) {
    for (const PlacedName& entry : removed)
        chromosomes_.try_emplace(entry.name);
    PutNamesBack(firstSeen_, removed);
    SortChromosomeNames();
}

std::vector<PlacedName> GenomeDataset::RemoveTrackNames(
    const std::unordered_set<std::string>& names) {
    for (const std::string& name : names)
        trackNames_.erase(name);
    return TakeNames(trackOrder_, names);
}

void GenomeDataset::RestoreTrackNames(const std::vector<PlacedName>& removed) {
    for (const PlacedName& entry : removed)
        trackNames_.insert(entry.name);
    PutNamesBack(trackOrder_, removed);
}

void GenomeDataset::SwapContents(GenomeDataset& other) {
    using std::swap;
    swap(storedFeatures_, other.storedFeatures_);
    swap(importMilliseconds_, other.importMilliseconds_);
    swap(chromosomes_, other.chromosomes_);
    swap(trackColors_, other.trackColors_);
    swap(paneOrder_, other.paneOrder_);
    swap(firstSeen_, other.firstSeen_);
    swap(trackOrder_, other.trackOrder_);
    swap(trackNames_, other.trackNames_);
    swap(loadedFiles_, other.loadedFiles_);
    swap(attachedTracks_, other.attachedTracks_);
    swap(cursorPositions_, other.cursorPositions_);
    swap(SelectedTracks, other.SelectedTracks);
    swap(RegionSelection, other.RegionSelection);
    swap(geneModelSchedule_, other.geneModelSchedule_);
}

std::string GenomeDataset::GetAttachedTrackName(const std::string& paneName) {
    return attachedTracks_.try_emplace(paneName, kDefaultCursorTrack).first->second;
}

void GenomeDataset::SetAttachedTrackName(const std::string& paneName,
                                         const std::string& trackName) {
    attachedTracks_[paneName] = trackName;
}

int GenomeDataset::GetCursorIndex(const std::string& paneName) const {
    const auto it = cursorPositions_.find(paneName);
    return it == cursorPositions_.end() ? kNoCursor : it->second;
}

void GenomeDataset::SetCursorIndex(const std::string& paneName, int index) {
    cursorPositions_[paneName] = index;
}

ChromosomeDataset* GenomeDataset::GetCursorTrack(const std::string& paneName) {
    return FindTrack(paneName, GetAttachedTrackName(paneName));
}

bool GenomeDataset::StepCursor(const std::string& paneName, int delta) {
    const ChromosomeDataset* track = GetCursorTrack(paneName);
    if (track == nullptr)
        return false;
    const auto cursor = cursorPositions_.find(paneName);
    if (cursor == cursorPositions_.end()) {
        cursorPositions_[paneName] = 0;
        return true;
    }
    const int64_t next = std::max<int64_t>(int64_t{cursor->second} + delta, 0);
    if (static_cast<uint64_t>(next) < track->GetPositionCount())
        cursor->second = static_cast<int>(next);
    return true;
}

GenomeDataset::Range GenomeDataset::GetCursorRange(const std::string& paneName) {
    const Range none(kNoPosition, kNoPosition);
    const ChromosomeDataset* track = GetCursorTrack(paneName);
    const auto cursor = cursorPositions_.find(paneName);
    if (track == nullptr || cursor == cursorPositions_.end() || cursor->second < 0 ||
        static_cast<size_t>(cursor->second) >= track->GetItemCount())
        return none;
    const size_t index = static_cast<size_t>(cursor->second);
    const uint32_t start = track->GetStart(index);
    return Range(start, std::max(start, track->GetStop(index)));
}

uint32_t GenomeDataset::MoveCursorNear(uint32_t pos) {
    ChromosomeDataset* track = GetCursorTrack(currentPane_);
    if (track == nullptr || track->GetItemCount() == 0)
        return kNoPosition;
    const std::vector<uint32_t>& starts = track->GetStartPositions();
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t after = kNone;
    size_t before = kNone;
    size_t containing = kNone;
    uint64_t beforeDistance = 0;
    uint64_t containingLength = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        const uint32_t start = starts[i];
        if (start > pos) {
            after = i;
            break;
        }
        const uint32_t stop = track->GetStop(i);
        if (stop < pos) {
            const uint64_t distance = pos - stop;
            if (before == kNone || distance < beforeDistance) {
                before = i;
                beforeDistance = distance;
            }
        } else {
            const uint64_t length = stop - start;
            if (containing == kNone || length < containingLength) {
                containing = i;
                containingLength = length;
            }
        }
    }
    size_t chosen = containing;
    if (chosen == kNone) {
        if (before != kNone && (after == kNone || beforeDistance < uint64_t{starts[after]} - pos))
            chosen = before;
        else
            chosen = after;
    }
    if (chosen == kNone)
        return kNoPosition;
    cursorPositions_[currentPane_] =
        chosen < track->GetPositionCount() ? static_cast<int>(chosen) : 0;
    return starts[chosen];
}

SearchResultList GenomeDataset::Search(const std::string& text) {
    return AttributeSearch::Run(*this, text);
}

bool GenomeDataset::ExportSelections(const std::string& path,
                                     const std::vector<std::string>& inputs) {
    return SelectionExport::Run(*this, path, inputs);
}
