#include "data/selection_export.h"

#include <algorithm>
#include <unordered_set>

#include "data/genome_dataset.h"
#include "framework/output_file.h"
#include "framework/string_format.h"

namespace {

// The selected panes: those of the pane order first, then the others by name.
std::vector<std::string> SelectedPanes(const GenomeDataset& genome) {
    std::vector<std::string> panes;
    std::unordered_set<std::string> listed;
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        listed.insert(pane);
        const auto found = genome.Selection().GetRegionSelection().find(pane);
        if (found != genome.Selection().GetRegionSelection().end() && !found->second.empty())
            panes.push_back(pane);
    }
    std::vector<std::string> others;
    for (const auto& [pane, ranges] : genome.Selection().GetRegionSelection()) {
        if (!ranges.empty() && listed.count(pane) == 0)
            others.push_back(pane);
    }
    std::sort(others.begin(), others.end());
    panes.insert(panes.end(), others.begin(), others.end());
    return panes;
}

bool Fail(GenomeDataset& genome, const std::string& failure) {
    genome.ReportMessage(failure);
    genome.SetErrorFlag(true);
    genome.WaitForClose("Done", 100);
    return false;
}

// The user asked to stop: nothing of the export is kept, and the dialog stays until the user
// has seen why.
bool Cancelled(GenomeDataset& genome) {
    genome.ReportMessage("Export cancelled.");
    genome.WaitForClose("Done", 100);
    return false;
}

// Writes the items of one track whose start lies in (lo, hi]; false when the stream failed or
// the user cancelled.
bool ExportTrack(GenomeDataset& genome, const GenomeDataset::TrackRef& ref, uint32_t lo,
                 uint32_t hi, std::ostream& out) {
    const std::vector<uint32_t>& starts = ref.dataset->GetStartPositions();
    const auto from = std::upper_bound(starts.begin(), starts.end(), lo);
    const auto to = std::upper_bound(starts.begin(), starts.end(), hi);
    if (from == starts.end() || to == starts.begin() || to <= from)
        return true;
    const uint32_t first = *from;
    const uint32_t last = *(to - 1);
    CNotificationAgent* previous = ref.dataset->GetNotificationTarget();
    ref.dataset->SetNotificationTarget(&genome);
    genome.ReportMessage("Adding " + ref.chromosomeName + " " + ref.trackName +
                         FormatString(" Positions %u - %u.", first, last));
    const bool written =
        ref.dataset->WriteGff(&out, first, last, ref.chromosomeName, ref.trackName);
    ref.dataset->SetNotificationTarget(previous);
    return written && out.good();
}

// Every selected range of every selected pane, track by track; false when the stream failed or
// the user cancelled, which ends the export at once.
bool WriteSelection(GenomeDataset& genome, std::ostream& out) {
    const std::vector<std::string> panes = SelectedPanes(genome);
    const int paneCount = static_cast<int>(panes.size());
    int done = 0;
    for (const std::string& pane : panes) {
        const std::vector<GenomeDataset::TrackRef> tracks = genome.Store().GetPaneTracks(pane);
        const int trackCount = static_cast<int>(tracks.size());
        for (const Range& range : genome.Selection().GetRegionSelection().at(pane)) {
            const uint32_t lo = std::min(range.first, range.second);
            const uint32_t hi = std::max(range.first, range.second);
            for (int i = 0; i < trackCount; ++i) {
                const GenomeDataset::TrackRef& ref = tracks[static_cast<size_t>(i)];
                if (ref.dataset == nullptr)
                    genome.ReportMessage("Error retreiving Track");
                else if (!ExportTrack(genome, ref, lo, hi, out))
                    return false;
                if (genome.IsCancelRequested(false))
                    return false;
                genome.SetTaskProgress(i + 1, trackCount, "", "", 0);
            }
        }
        ++done;
        genome.SetProgress(CNotificationAgent::PROGRESS_OVERALL, done, paneCount, "", "", 0);
        if (genome.IsCancelRequested(false))
            return false;
    }
    return true;
}

}  // namespace

int SelectionExport::SelectionCount(const GenomeDataset& genome) {
    int count = 0;
    for (const auto& entry : genome.Selection().GetRegionSelection())
        count += entry.second.empty() ? 0 : 1;
    return count;
}

bool SelectionExport::Run(GenomeDataset& genome, const std::string& path,
                          const std::vector<std::string>& inputs) {
    OutputFile file;
    if (!file.Open(path, inputs))
        return Fail(genome, file.Failure());
    const bool whole = WriteSelection(genome, file.Stream());
    if (!whole && file.Stream().good()) {
        file.Discard();
        return Cancelled(genome);
    }
    if (!file.Commit())
        return Fail(genome, file.Failure());
    genome.SetPercent(CNotificationAgent::PROGRESS_OVERALL, 100, "", "", 0);
    genome.ReportMessage("Export Complete.");
    if (genome.GetErrorFlag())
        genome.WaitForClose("Done", 100);
    return true;
}
