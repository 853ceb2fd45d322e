#include "app/headless_report.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/console_text.h"
#include "framework/string_format.h"

namespace {

// One line of tab-separated fields; texts from the files are written byte for byte but for
// control bytes, which are escaped (see ConsoleText), so a tab or a line break in a name never
// breaks the line.
void WriteFields(std::FILE* out, std::initializer_list<std::string_view> fields) {
    std::string line = ConsoleText::Fields(fields);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
}

// The thick range and the blocks of a BED item, each on a line of its own after the item.
void WriteStructure(std::FILE* out, const ChromosomeDataset& track,
                    ChromosomeDataset::ItemHandle handle) {
    uint32_t thickStart = 0;
    uint32_t thickStop = 0;
    if (track.GetThickRange(handle, thickStart, thickStop))
        WriteFields(out, {"thick", std::to_string(thickStart), std::to_string(thickStop)});
    const ItemBlocks blocks = track.GetBlocks(handle);
    if (blocks.empty())
        return;
    std::string list;
    for (size_t i = 0; i < blocks.size(); ++i)
        list += FormatString(i == 0 ? "%u-%u" : ",%u-%u", blocks[i].Start, blocks[i].Stop);
    WriteFields(out, {"blocks", list});
}

void WriteItems(std::FILE* out, const std::string& pane, const std::string& trackName,
                const ChromosomeDataset& track) {
    for (ChromosomeDataset::ItemHandle h = 0; h != track.End(); ++h) {
        const ItemView item = track.GetItem(h);
        WriteFields(
            out, {"item", pane, trackName, std::to_string(track.GetStart(h)),
                  std::to_string(item.Stop), FormatString("%f", static_cast<double>(item.Score)),
                  std::string_view(&item.Strand, 1), std::string_view(&item.Frame, 1),
                  FormatString("%08X", item.Color), item.Source, item.GetUrl(), item.Attributes});
        WriteStructure(out, track, h);
    }
}

// The tracks of every pane in display order, as GetPaneTracks gives them pane by pane, found in
// one pass: a bucket per place in the track order, then a list per pane, so that a report of a
// million track names over thousands of panes stays linear.
std::vector<std::vector<GenomeDataset::TrackRef>> TracksOfEveryPane(const GenomeDataset& genome) {
    const std::deque<std::string>& trackOrder = genome.Store().GetTrackOrder();
    std::unordered_map<std::string_view, size_t> orderOf;
    orderOf.reserve(trackOrder.size());
    for (size_t i = 0; i < trackOrder.size(); ++i)
        orderOf.emplace(trackOrder[i], i);

    struct Shown {
        size_t pane;
        const std::string* trackName;
        ChromosomeDataset* dataset;
    };
    std::vector<std::vector<Shown>> byOrder(trackOrder.size());
    const std::deque<std::string>& panes = genome.Store().GetPaneOrder();
    for (size_t pane = 0; pane < panes.size(); ++pane) {
        const GenomeDataset::TrackMap* tracks = genome.Store().GetChromosomeTracks(panes[pane]);
        if (tracks == nullptr)
            continue;
        for (const auto& [name, dataset] : *tracks) {
            const auto found = orderOf.find(name);
            if (found != orderOf.end())
                byOrder[found->second].push_back({pane, &name, dataset.get()});
        }
    }
    std::vector<std::vector<GenomeDataset::TrackRef>> byPane(panes.size());
    for (const std::vector<Shown>& bucket : byOrder) {
        for (const Shown& shown : bucket)
            byPane[shown.pane].push_back({shown.dataset, panes[shown.pane], *shown.trackName});
    }
    return byPane;
}

}  // namespace

void WriteHeadlessReport(std::FILE* out, GenomeDataset& genome, bool withItems,
                         ImportOutcome outcome, bool errorFlag) {
    for (const std::string& entry : genome.Store().GetLoadedFiles())
        WriteFields(out, {"file", entry});
    const std::vector<std::vector<GenomeDataset::TrackRef>> tracksOfPane =
        TracksOfEveryPane(genome);
    for (size_t paneIndex = 0; paneIndex < tracksOfPane.size(); ++paneIndex) {
        const std::string& pane = genome.Store().GetPaneOrder()[paneIndex];
        const std::vector<GenomeDataset::TrackRef>& tracks = tracksOfPane[paneIndex];
        WriteFields(out, {"pane", pane, std::to_string(tracks.size())});
        for (const GenomeDataset::TrackRef& ref : tracks) {
            const ChromosomeDataset& track = *ref.dataset;
            WriteFields(out,
                        {"track", pane, ref.trackName, std::to_string(track.GetItemCount()),
                         std::to_string(track.MinStart), std::to_string(track.MaxStop),
                         FormatString("%g", static_cast<double>(track.MinValue)),
                         FormatString("%g", static_cast<double>(track.MaxValue)),
                         FormatString("%06X", static_cast<unsigned>(track.TrackColor) & 0xFFFFFFu),
                         track.FixedColor ? "1" : "0"});
            if (withItems)
                WriteItems(out, pane, ref.trackName, track);
        }
    }
    WriteFields(out, {"features", std::to_string(genome.Store().GetStoredFeatures())});
    WriteFields(out, {"errors", errorFlag ? "1" : "0"});
    const char* result = outcome == ImportOutcome::kComplete   ? "ok"
                         : outcome == ImportOutcome::kCutShort ? "partial"
                                                               : "failed";
    WriteFields(out, {"result", result});
    std::fflush(out);
}
