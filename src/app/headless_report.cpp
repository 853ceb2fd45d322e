#include "app/headless_report.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/string_format.h"

namespace {

void WriteLine(std::FILE* out, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
}

// Fields joined by tabs; texts are written byte for byte.
std::string Join(std::initializer_list<std::string> fields) {
    std::string line;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            line += '\t';
        first = false;
        line += field;
    }
    return line;
}

// The thick range and the blocks of a BED item, each on a line of its own after the item.
void WriteStructure(std::FILE* out, const ChromosomeDataset& track,
                    ChromosomeDataset::ItemHandle handle) {
    uint32_t thickStart = 0;
    uint32_t thickStop = 0;
    if (track.GetThickRange(handle, thickStart, thickStop))
        WriteLine(out, FormatString("thick\t%u\t%u", thickStart, thickStop));
    const ItemBlocks blocks = track.GetBlocks(handle);
    if (blocks.empty())
        return;
    std::string line = "blocks\t";
    for (size_t i = 0; i < blocks.size(); ++i)
        line += FormatString(i == 0 ? "%u-%u" : ",%u-%u", blocks[i].Start, blocks[i].Stop);
    WriteLine(out, line);
}

void WriteItems(std::FILE* out, const std::string& pane, const std::string& trackName,
                const ChromosomeDataset& track) {
    for (ChromosomeDataset::ItemHandle h = 0; h != track.End(); ++h) {
        const ItemView item = track.GetItem(h);
        WriteLine(out, Join({"item", pane, trackName,
                             FormatString("%u\t%u\t%f", track.GetStart(h), item.Stop,
                                          static_cast<double>(item.Score)),
                             std::string(1, item.Strand), std::string(1, item.Frame),
                             FormatString("%08X", item.Color), std::string(item.Source),
                             item.GetUrl(), std::string(item.Attributes)}));
        WriteStructure(out, track, h);
    }
}

// The tracks of every pane in display order, as GetPaneTracks gives them pane by pane, found in
// one pass: a bucket per place in the track order, then a list per pane, so that a report of a
// million track names over thousands of panes stays linear.
std::vector<std::vector<GenomeDataset::TrackRef>> TracksOfEveryPane(const GenomeDataset& genome) {
    const std::deque<std::string>& trackOrder = genome.GetTrackOrder();
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
    const std::deque<std::string>& panes = genome.GetPaneOrder();
    for (size_t pane = 0; pane < panes.size(); ++pane) {
        const GenomeDataset::TrackMap* tracks = genome.GetChromosomeTracks(panes[pane]);
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
    for (const std::string& entry : genome.GetLoadedFiles())
        WriteLine(out, Join({"file", entry}));
    const std::vector<std::vector<GenomeDataset::TrackRef>> tracksOfPane = TracksOfEveryPane(genome);
    for (size_t paneIndex = 0; paneIndex < tracksOfPane.size(); ++paneIndex) {
        const std::string& pane = genome.GetPaneOrder()[paneIndex];
        const std::vector<GenomeDataset::TrackRef>& tracks = tracksOfPane[paneIndex];
        WriteLine(out, Join({"pane", pane, std::to_string(tracks.size())}));
        for (const GenomeDataset::TrackRef& ref : tracks) {
            const ChromosomeDataset& track = *ref.dataset;
            WriteLine(out, Join({"track", pane, ref.trackName,
                                 FormatString("%zu\t%u\t%u\t%g\t%g\t%06X\t%d",
                                              track.GetItemCount(), track.MinStart, track.MaxStop,
                                              static_cast<double>(track.MinValue),
                                              static_cast<double>(track.MaxValue),
                                              static_cast<unsigned>(track.TrackColor) & 0xFFFFFFu,
                                              track.FixedColor ? 1 : 0)}));
            if (withItems)
                WriteItems(out, pane, ref.trackName, track);
        }
    }
    WriteLine(out, FormatString("features\t%llu",
                                static_cast<unsigned long long>(genome.GetStoredFeatures())));
    WriteLine(out, FormatString("errors\t%d", errorFlag ? 1 : 0));
    const char* result = outcome == ImportOutcome::kComplete   ? "ok"
                         : outcome == ImportOutcome::kCutShort ? "partial"
                                                               : "failed";
    WriteLine(out, std::string("result\t") + result);
    std::fflush(out);
}
