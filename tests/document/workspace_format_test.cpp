#include "document/workspace_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A workspace with the values that are easiest to lose on the way through a text file.
Workspace OddWorkspace() {
    Workspace workspace;
    const std::string latin1 = "caf\xe9";  // not UTF-8
    workspace.steps.push_back({DataRecipe::StepKind::kImport,
                               {{"data/" + latin1 + ".bed", "/home/me/data/" + latin1 + ".bed",
                                 9007199254740991ULL, 1714557600123456789LL}},
                               {}});
    workspace.steps.push_back({DataRecipe::StepKind::kDeleteTracks, {}, {"exon", latin1}});
    workspace.steps.push_back({DataRecipe::StepKind::kDeletePane, {}, {"chr/2\n=;"}});
    workspace.sortOrder = 0;
    workspace.trackOrder = {latin1, "gene"};
    Workspace::TrackLook look;
    look.trackName = latin1;
    look.settings.ScaleMin = -std::numeric_limits<double>::infinity();
    look.settings.ScaleMax = 2.5e300;
    look.settings.AutoScale = false;
    look.settings.TrackHeight = 3000;
    look.settings.TrackColor = 0x563412;
    look.settings.TrackStyle = 2;
    look.settings.PointWidthLeft = 1;
    look.settings.PointHeightBottom = 4;
    look.dataScale = false;
    look.rememberedColor = 0x000001;
    workspace.tracks.push_back(look);
    look.paneName = "chr1";
    look.settings.ScaleMax = std::nan("");
    look.settings.TrackColor = -1;
    look.rememberedColor.reset();
    workspace.exceptions.push_back(look);
    workspace.paneRanges = {{"All Tracks", {0, 4294967295u}}, {latin1, {5, 6}}};
    workspace.currentPane = latin1;
    workspace.cursors = {{"chr1", std::string(), -1}, {"chr2", "mRNA", std::nullopt}};
    workspace.selectedTracks = {"gene", latin1};
    workspace.regionSelection = {{"chr1", {{0, 10}, {4294967294u, 7}}}};
    workspace.defaultTrackStyle = 2;
    workspace.headerVisible = false;
    workspace.viewOptions = ViewOptions();
    workspace.viewOptions->ShowTrackStats = true;
    workspace.viewOptions->ShowFeatureNames = false;
    return workspace;
}

TEST(WorkspaceFormatTest, EveryValueComesBackAsItWas) {
    const Workspace written = OddWorkspace();
    const QByteArray bytes = WorkspaceFormat::Write(written);
    Workspace read;
    std::string problem;
    ASSERT_TRUE(WorkspaceFormat::Read(bytes, read, problem)) << problem;
    // Written again, the same bytes: nothing was lost or changed on the way.
    EXPECT_EQ(WorkspaceFormat::Write(read), bytes);
    EXPECT_EQ(read.steps[0].files[0].relativePath, "data/caf\xe9.bed");
    EXPECT_EQ(read.steps[0].files[0].modified, 1714557600123456789LL);
    EXPECT_TRUE(std::isinf(read.tracks[0].settings.ScaleMin));
    EXPECT_EQ(read.tracks[0].settings.ScaleMax, 2.5e300);
    EXPECT_TRUE(std::isnan(read.exceptions[0].settings.ScaleMax));
    EXPECT_EQ(read.exceptions[0].settings.TrackColor, -1);
    EXPECT_EQ(read.regionSelection[0].ranges[1], std::make_pair(4294967294u, 7u));
    EXPECT_EQ(read.cursors[0].item, -1);
    EXPECT_FALSE(read.viewOptions->ShowFeatureNames);
    EXPECT_TRUE(bytes.contains("\"color\": \"#123456\"")) << bytes.toStdString();
}

TEST(WorkspaceFormatTest, WhatIsLeftOutTakesANewDocumentsValues) {
    Workspace read;
    std::string problem;
    ASSERT_TRUE(WorkspaceFormat::Read(R"({"locuscopeWorkspace": 1,
        "steps": [{"import": [{"absolutePath": "/data/a.gff"}]}],
        "tracks": [{"name": "gene"}]})",
                                      read, problem))
        << problem;
    EXPECT_EQ(read.steps[0].files[0].absolutePath, "/data/a.gff");
    EXPECT_EQ(read.sortOrder, 1);
    EXPECT_TRUE(read.tracks[0].dataScale);
    EXPECT_EQ(read.tracks[0].settings.TrackStyle, 1);
    EXPECT_FALSE(read.viewOptions.has_value());
    EXPECT_TRUE(read.headerVisible);
}

TEST(WorkspaceFormatTest, WhatCannotBeReadIsRefusedWithWhereAndWhy) {
    const struct {
        const char* json;
        const char* problem;  // the start of the problem
    } refused[] = {
        {"", "not a workspace file (illegal value at byte 0)"},
        {"[1, 2]", "not a Locuscope workspace"},
        {R"({"steps": []})", "not a Locuscope workspace"},
        {R"({"locuscopeWorkspace": 2})",
         "made by a later version of Locuscope (workspace version 2)"},
        {R"({"locuscopeWorkspace": 1, "steps": {}})", "steps is not a list"},
        {R"({"locuscopeWorkspace": 1, "steps": [{"rename": 1}]})",
         "steps[0] is none of import, deleteTracks and deletePane"},
        {R"({"locuscopeWorkspace": 1, "steps": [{"import": [{"path": 7}]}]})",
         "steps[0].import[0].path is not text"},
        {R"({"locuscopeWorkspace": 1, "steps": [{"import": [{"path": "a", "size": -1}]}]})",
         "steps[0].import[0].size is not a whole number from 0 to 9007199254740992"},
        {R"({"locuscopeWorkspace": 1, "steps": [{"import": [{"path": "a", "modified": "12"}]}]})",
         "steps[0].import[0].modified is not a time as SECONDS.NANOSECONDS"},
        {R"({"locuscopeWorkspace": 1, "tracks": [{"name": "a", "height": 3001}]})",
         "tracks[0].height is not a whole number from 0 to 3000"},
        {R"({"locuscopeWorkspace": 1, "tracks": [{"name": "a", "style": "lines"}]})",
         "tracks[0].style is not automatic, points or bars"},
        {R"({"locuscopeWorkspace": 1, "tracks": [{"name": "a", "color": "#12345g"}]})",
         "tracks[0].color is not a colour (#rrggbb)"},
        {R"({"locuscopeWorkspace": 1, "tracks": [{"name": "a", "scale": [1]}]})",
         "tracks[0].scale is not \"data\" or a pair of numbers"},
        {R"({"locuscopeWorkspace": 1, "tracks": [{"height": 40}]})", "tracks[0].name is missing"},
        {R"({"locuscopeWorkspace": 1, "paneRanges": [{"pane": "x", "range": [1, 4294967296]}]})",
         "paneRanges[0].range[1] is not a whole number from 0 to 4294967295"},
        {R"({"locuscopeWorkspace": 1, "display": {"gridLines": "yes"}})",
         "display.gridLines is not true or false"},
        {R"({"locuscopeWorkspace": 1, "display": {"defaultStyle": "automatic"}})",
         "display.defaultStyle is not points or bars"},
    };
    for (const auto& row : refused) {
        Workspace read;
        std::string problem;
        EXPECT_FALSE(WorkspaceFormat::Read(row.json, read, problem)) << row.json;
        EXPECT_EQ(problem.substr(0, std::string(row.problem).size()), row.problem) << row.json;
    }
}

}  // namespace
