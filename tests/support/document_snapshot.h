#pragma once

#include <map>
#include <sstream>
#include <string>

#include "document/locuscope_document.h"

// Every property of a document that a user sees and a workspace or an undo gives back, one per
// line, so that two states compare as text and a difference shows where it lies. withRanges
// adds each pane's visible range (a pane without one reads as its whole extent).
inline std::string DescribeDocument(const LocuscopeDocument& document, bool withRanges) {
    const GenomeDataset& genome = document.Genome();
    std::ostringstream out;
    out << "panes:";
    for (const std::string& pane : genome.Store().GetPaneOrder())
        out << ' ' << pane;
    out << "\ntracks:";
    for (const std::string& name : genome.Store().GetTrackOrder()) {
        const std::optional<int> color = genome.Colors().GetRememberedColor(name);
        out << ' ' << name << "(remembered " << (color ? *color : -1) << ')';
    }
    out << '\n';
    for (const std::string& pane : genome.Store().GetPaneOrder()) {
        for (const std::string& name : genome.Store().GetTrackOrder()) {
            const ChromosomeDataset* track = genome.Store().FindTrack(pane, name);
            if (track == nullptr)
                continue;
            out << pane << '/' << name << ": " << track->GetItemCount() << " items, scale "
                << track->ScaleMin << ".." << track->ScaleMax << (track->AutoScale ? " auto" : "")
                << ", height " << track->TrackHeight << ", colour " << track->TrackColor
                << ", style " << track->TrackStyle << ", points " << track->PointWidthLeft << ','
                << track->PointWidthRight << ',' << track->PointHeightTop << ','
                << track->PointHeightBottom << '\n';
        }
    }
    out << "current: " << genome.GetCurrentPane() << "\nselected:";
    for (const std::string& name : genome.Selection().GetSelectedTracks())
        out << ' ' << name;
    std::map<std::string, std::string> byPane;  // in name order
    for (const auto& [pane, ranges] : genome.Selection().GetRegionSelection()) {
        for (const auto& range : ranges)
            byPane[pane] += ' ' + std::to_string(range.first) + '-' + std::to_string(range.second);
    }
    // Looking a pane's cursor up enters the default "gene"; only other tracks say something.
    for (const auto& [pane, track] : genome.Cursors().GetAttachedTracks()) {
        if (track != "gene")
            byPane[pane] += " cursor on " + track;
    }
    for (const auto& [pane, index] : genome.Cursors().GetCursorPositions())
        byPane[pane] += " at " + std::to_string(index);
    if (withRanges) {
        byPane[kAllTracksPane];
        for (const std::string& pane : genome.Store().GetPaneOrder())
            byPane[pane];
        for (auto& [pane, text] : byPane) {
            const auto found = document.PaneJumpRanges.find(pane);
            const auto range = found != document.PaneJumpRanges.end()
                                   ? found->second
                                   : document.GetPaneExtent(pane);
            text += " showing " + std::to_string(range.first) + '-' + std::to_string(range.second);
        }
    }
    for (const auto& [pane, text] : byPane)
        out << "\n" << pane << ':' << text;
    out << "\nloaded:";
    for (const std::string& file : genome.Store().GetLoadedFiles())
        out << ' ' << file;
    out << "\nfeatures: " << genome.Store().GetStoredFeatures() << "\ndefault style "
        << document.DefaultTrackStyle << (document.HeaderVisible ? ", header" : ", no header")
        << '\n';
    return out.str();
}
