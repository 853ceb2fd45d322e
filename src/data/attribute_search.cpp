#include "data/attribute_search.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <exception>
#include <string_view>

#include "data/genome_dataset.h"

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(200);
// Reading the clock costs more than matching a short attribute, so it is read only this often.
constexpr size_t kItemsPerClockRead = 1024;
// Texts asked for this many items ahead of the one searched (see PrefetchTexts).
constexpr size_t kPrefetchAhead = 16;

bool Contains(std::string_view haystack, const std::string& needle) {
    if (needle.empty())
        return true;
    if (haystack.size() < needle.size())
        return false;
    if (needle.size() == 1)
        return std::memchr(haystack.data(), needle[0], haystack.size()) != nullptr;
    return memmem(haystack.data(), haystack.size(), needle.data(), needle.size()) != nullptr;
}

// Task progress takes ints; positions above INT_MAX are halved together with the total.
void ReportTaskProgress(GenomeDataset& genome, uint32_t current, uint32_t total) {
    while (total > static_cast<uint32_t>(INT_MAX)) {
        current >>= 1;
        total >>= 1;
    }
    genome.SetTaskProgress(static_cast<int>(current), static_cast<int>(total), "", "", 0);
}

}  // namespace

SearchResultList AttributeSearch::Run(GenomeDataset& genome, const std::string& text) {
    SearchResultList results;
    try {
        SearchTracks(genome, text, results);
    } catch (const std::exception& error) {
        genome.ReportMessage(std::string("Problem with Regular Expression: ") + error.what());
        genome.SetErrorFlag(true);
    } catch (...) {
        genome.ReportMessage("Unknown Error");
        genome.SetErrorFlag(true);
    }
    return results;
}

void AttributeSearch::SearchTracks(GenomeDataset& genome, const std::string& text,
                                   SearchResultList& results) {
    genome.ReportMessage("Search String: " + text);
    const std::vector<GenomeDataset::TrackRef> tracks =
        genome.Store().GetPaneTracks(kAllTracksPane);
    const int trackCount = static_cast<int>(tracks.size());
    auto lastPoll = std::chrono::steady_clock::now();
    size_t sinceClockRead = 0;
    for (int i = 0; i < trackCount; ++i) {
        const GenomeDataset::TrackRef& ref = tracks[static_cast<size_t>(i)];
        if (ref.dataset != nullptr) {
            const ChromosomeDataset& track = *ref.dataset;
            results.BeginTrack(ref.chromosomeName, ref.trackName);
            const std::vector<uint32_t>& starts = track.GetStartPositions();
            for (ChromosomeDataset::ItemHandle k = 0; k != track.End(); ++k) {
                const std::string_view attributes = track.GetItem(k).Attributes;
                if (attributes.size() >= ChromosomeDataset::kLongText &&
                    k + kPrefetchAhead < track.End())
                    track.PrefetchTexts(k + kPrefetchAhead);
                if (Contains(attributes, text)) {
                    results.AddHit(starts[k], k);
                    const size_t count = results.size();
                    if (count < kReportedHits)
                        genome.ReportMessage("Pane: " + ref.chromosomeName +
                                             " Track: " + ref.trackName +
                                             " Position: " + std::to_string(starts[k]));
                    else if (count == kReportedHits)
                        genome.ReportMessage("50 or more items found...");
                }
                if (++sinceClockRead < kItemsPerClockRead)
                    continue;
                sinceClockRead = 0;
                const auto now = std::chrono::steady_clock::now();
                if (now - lastPoll <= kPollInterval)
                    continue;
                lastPoll = now;
                if (genome.IsCancelRequested(false))
                    break;
                ReportTaskProgress(genome, starts[k], track.MaxStop);
            }
        }
        if (genome.IsCancelRequested(false))
            return;
        genome.SetProgress(CNotificationAgent::PROGRESS_OVERALL, i + 1, trackCount, "", "", 0);
    }
}
