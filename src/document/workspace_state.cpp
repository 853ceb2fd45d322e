#include "document/workspace_state.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "document/locuscope_document.h"

namespace {

const std::string kDefaultCursorTrack = "gene";

std::string RelativePath(const std::string& path, const std::string& folder) {
    const std::filesystem::path relative =
        std::filesystem::path(path).lexically_relative(std::filesystem::path(folder));
    return relative.empty() ? std::string() : relative.string();
}

// The panes that keep state: "All Tracks" first, then the pane order.
std::vector<std::string> StatePanes(const GenomeDataset& genome) {
    std::vector<std::string> panes{kAllTracksPane};
    panes.insert(panes.end(), genome.Store().GetPaneOrder().begin(),
                 genome.Store().GetPaneOrder().end());
    return panes;
}

bool Matches(const Workspace::TrackLook& look, const ChromosomeDataset& track) {
    TrackDisplaySettings settings = TrackDisplaySettings::Of(track);
    if (look.dataScale != settings.HasDataScale(track))
        return false;
    if (look.dataScale) {
        settings.ScaleMin = look.settings.ScaleMin;
        settings.ScaleMax = look.settings.ScaleMax;
    }
    return settings == look.settings;
}

Workspace::TrackLook LookOf(const ChromosomeDataset& track, const std::string& trackName,
                            const std::string& paneName) {
    Workspace::TrackLook look;
    look.trackName = trackName;
    look.paneName = paneName;
    look.settings = TrackDisplaySettings::Of(track);
    look.dataScale = look.settings.HasDataScale(track);
    return look;
}

void ApplyLook(const Workspace::TrackLook& look, ChromosomeDataset& track) {
    look.settings.ApplyTo(track);
    if (look.dataScale) {
        track.ScaleMin = track.MinValue;
        track.ScaleMax = track.MaxValue;
    }
}

void CaptureTracks(const GenomeDataset& genome, Workspace& workspace) {
    // The first track of a name in pane order speaks for the name; the others are kept only
    // where they differ from it.
    std::unordered_map<std::string, size_t> lookOf;
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        for (const auto& [name, track] : *genome.Store().GetChromosomeTracks(pane)) {
            const auto [entry, isNew] = lookOf.try_emplace(name, workspace.tracks.size());
            if (isNew) {
                workspace.tracks.push_back(LookOf(*track, name, std::string()));
                workspace.tracks.back().rememberedColor = genome.Colors().GetRememberedColor(name);
            } else if (!Matches(workspace.tracks[entry->second], *track)) {
                workspace.exceptions.push_back(LookOf(*track, name, pane));
            }
        }
    }
}

void CaptureCursorsAndSelections(const GenomeDataset& genome, Workspace& workspace) {
    const auto& attached = genome.Cursors().GetAttachedTracks();
    const auto& positions = genome.Cursors().GetCursorPositions();
    for (const std::string& pane : StatePanes(genome)) {
        Workspace::Cursor cursor;
        cursor.paneName = pane;
        const auto track = attached.find(pane);
        if (track != attached.end() && track->second != kDefaultCursorTrack)
            cursor.trackName = track->second;
        const auto position = positions.find(pane);
        if (position != positions.end())
            cursor.item = position->second;
        if (cursor.trackName || cursor.item)
            workspace.cursors.push_back(std::move(cursor));
        const auto selection = genome.Selection().GetRegionSelection().find(pane);
        if (selection != genome.Selection().GetRegionSelection().end() &&
            !selection->second.empty())
            workspace.regionSelection.push_back({pane, selection->second});
    }
    workspace.selectedTracks = genome.Selection().GetSelectedTracks();
}

void RestoreTracks(const Workspace& workspace, GenomeDataset& genome) {
    genome.Store().SetTrackOrder(workspace.trackOrder);
    std::unordered_map<std::string, const Workspace::TrackLook*> lookOf;
    for (const Workspace::TrackLook& look : workspace.tracks) {
        lookOf.emplace(look.trackName, &look);
        if (look.rememberedColor)
            genome.Colors().SetRememberedColor(look.trackName, look.rememberedColor);
    }
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        for (const auto& [name, track] : *genome.Store().GetChromosomeTracks(pane)) {
            const auto look = lookOf.find(name);
            if (look != lookOf.end())
                ApplyLook(*look->second, *track);
        }
    }
    for (const Workspace::TrackLook& look : workspace.exceptions) {
        if (ChromosomeDataset* track = genome.Store().FindTrack(look.paneName, look.trackName))
            ApplyLook(look, *track);
    }
}

bool IsPane(const GenomeDataset& genome, const std::string& pane) {
    return pane == kAllTracksPane || genome.Store().HasChromosome(pane);
}

void RestoreCursorsAndSelections(const Workspace& workspace, GenomeDataset& genome) {
    for (const Workspace::Cursor& cursor : workspace.cursors) {
        if (!IsPane(genome, cursor.paneName))
            continue;
        if (cursor.trackName)
            genome.Cursors().SetAttachedTrackName(cursor.paneName, *cursor.trackName);
        if (!cursor.item)
            continue;
        // A file that changed since may have fewer items: the cursor stays on the last one.
        int item = *cursor.item;
        if (const ChromosomeDataset* track = genome.Cursors().GetCursorTrack(cursor.paneName))
            item = static_cast<int>(
                std::min<int64_t>(item, static_cast<int64_t>(track->GetItemCount()) - 1));
        genome.Cursors().SetCursorIndex(cursor.paneName, std::max(item, -1));
    }
    std::vector<std::string> selected;
    for (const std::string& name : workspace.selectedTracks) {
        if (genome.Store().GetTrackPlace(name) != genome.Store().GetTrackOrder().size())
            selected.push_back(name);
    }
    genome.Selection().SetSelectedTracks(std::move(selected));
    genome.Selection().ClearRegions();
    for (const Workspace::PaneSelection& selection : workspace.regionSelection) {
        if (IsPane(genome, selection.paneName))
            genome.Selection().SetRegions(selection.paneName, selection.ranges);
    }
}

}  // namespace

Workspace WorkspaceState::Capture(const LocuscopeDocument& document, const std::string& folder) {
    const GenomeDataset& genome = document.Genome();
    Workspace workspace;
    for (const DataRecipe::Step& step : document.Recipe().Steps()) {
        Workspace::Step saved{step.kind, {}, step.names};
        for (const DataRecipe::File& file : step.files)
            saved.files.push_back(
                {RelativePath(file.path, folder), file.path, file.size, file.modified});
        workspace.steps.push_back(std::move(saved));
    }
    workspace.sortOrder = genome.Store().GetSortOrder();
    workspace.trackOrder.assign(genome.Store().GetTrackOrder().begin(),
                                genome.Store().GetTrackOrder().end());
    CaptureTracks(genome, workspace);
    for (const std::string& pane : StatePanes(genome)) {
        const auto range = document.PaneJumpRanges.find(pane);
        if (range != document.PaneJumpRanges.end() && range->second != document.GetPaneExtent(pane))
            workspace.paneRanges.push_back({pane, range->second});
    }
    workspace.currentPane = genome.GetCurrentPane();
    CaptureCursorsAndSelections(genome, workspace);
    workspace.defaultTrackStyle = document.DefaultTrackStyle;
    workspace.headerVisible = document.HeaderVisible;
    if (const ViewOptions* options = document.GetViewOptions())
        workspace.viewOptions = *options;
    return workspace;
}

void WorkspaceState::Restore(const Workspace& workspace, LocuscopeDocument& document) {
    GenomeDataset& genome = document.Genome();
    if (genome.Store().GetSortOrder() != workspace.sortOrder) {
        genome.Store().SetSortOrder(workspace.sortOrder);
        genome.Store().SortChromosomeNames();
    }
    RestoreTracks(workspace, genome);
    // The imports set every pane's range; the workspace's ranges replace them.
    document.PaneJumpRanges.clear();
    for (const Workspace::PaneRange& entry : workspace.paneRanges) {
        if (IsPane(genome, entry.paneName))
            document.PaneJumpRanges[entry.paneName] = {
                std::min(entry.range.first, entry.range.second),
                std::max(entry.range.first, entry.range.second)};
    }
    if (IsPane(genome, workspace.currentPane))
        genome.SetCurrentPane(workspace.currentPane);
    RestoreCursorsAndSelections(workspace, genome);
    document.DefaultTrackStyle = workspace.defaultTrackStyle;
    document.HeaderVisible = workspace.headerVisible;
    if (ViewOptions* options = document.GetViewOptions(); options && workspace.viewOptions)
        *options = *workspace.viewOptions;
}
