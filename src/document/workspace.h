#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/position.h"
#include "data/track_display_settings.h"
#include "document/data_recipe.h"
#include "document/view_options.h"

// What a workspace file holds: how to make a document's data again from its files (the
// imports and deletions, in order), and how the document showed it. Positions are 1-based and
// inclusive. WorkspaceFormat reads and writes it; WorkspaceState takes it from a document and
// gives it back.
struct Workspace {
    struct File {
        std::string relativePath;  // from the workspace file's folder; empty when unknown
        std::string absolutePath;  // the fallback
        uint64_t size = 0;
        int64_t modified = 0;  // nanoseconds since 1970, as DataRecipe keeps it
    };
    struct Step {
        DataRecipe::StepKind kind = DataRecipe::StepKind::kImport;
        std::vector<File> files;
        std::vector<std::string> names;
    };
    // The settings of a track name's tracks (paneName empty), or of one pane's track where it
    // differs from its name's (an exception). dataScale: the manual scale is the track's own
    // data range, as an import sets it, rather than settings.ScaleMin/ScaleMax.
    struct TrackLook {
        std::string trackName;
        std::string paneName;
        TrackDisplaySettings settings;
        bool dataScale = true;
        std::optional<int> rememberedColor;  // names only
    };
    struct PaneRange {
        std::string paneName;
        Range range;
    };
    // trackName: the track the pane's cursor follows ("" when detached); item: its item index.
    struct Cursor {
        std::string paneName;
        std::optional<std::string> trackName;
        std::optional<int> item;
    };
    struct PaneSelection {
        std::string paneName;
        std::vector<Range> ranges;
    };

    std::vector<Step> steps;
    int sortOrder = 1;
    std::vector<std::string> trackOrder;
    std::vector<TrackLook> tracks;
    std::vector<TrackLook> exceptions;
    std::vector<PaneRange> paneRanges;  // ranges that are not the pane's whole extent
    std::string currentPane;
    std::vector<Cursor> cursors;
    std::vector<std::string> selectedTracks;
    std::vector<PaneSelection> regionSelection;
    int defaultTrackStyle = 3;
    bool headerVisible = true;
    std::optional<ViewOptions> viewOptions;
};
