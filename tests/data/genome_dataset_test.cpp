#include "data/genome_dataset.h"

#include <gtest/gtest.h>

#include "data/chromosome_name_order.h"
#include "data/track_colors.h"

namespace {

class GenomeDatasetTest : public testing::Test {
protected:
    // Files one item as the import does: extents, item, colour; the name joins the track order.
    void File(const std::string& chromosome, const std::string& trackName, uint32_t start,
              uint32_t stop) {
        ChromosomeDataset& track = genome_.Store().FindOrCreateTrack(chromosome, trackName);
        ChromosomeItem item;
        item.Stop = stop;
        track.UpdateExtents(start, stop, 0.0f);
        track.AddItem(start, item);
        if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
            genome_.Colors().AssignTrackColor(track, trackName);
        genome_.Store().AppendTrackName(trackName);
        genome_.Store().SortChromosomeNames();
    }
    std::vector<std::string> PaneOrder() const {
        return {genome_.Store().GetPaneOrder().begin(), genome_.Store().GetPaneOrder().end()};
    }

    GenomeDataset genome_;
};

TEST_F(GenomeDatasetTest, SortedPaneOrderPutsNumberedChromosomesFirst) {
    for (const char* name : {"chrX", "chr10", "chr2", "chr1", "scaffold_9", "chr_un"})
        File(name, "gene", 1, 2);
    EXPECT_EQ(PaneOrder(),
              (std::vector<std::string>{"chr1", "chr2", "chr10", "chr_un", "chrX", "scaffold_9"}));
    genome_.Store().SetSortOrder(GenomeStore::kSortUnsorted);
    genome_.Store().SortChromosomeNames();
    EXPECT_EQ(PaneOrder().front(), "chrX");
}

TEST(ChromosomeNameLessTest, ComparesNumbersThenSuffixesThenCaseFreeBytes) {
    const struct {
        const char* a;
        const char* b;
    } less[] = {{"chr2", "chr10"},      {"chr1", "chr1_random"}, {"chr9", "chrM"},
                {"chr10_a", "chr10_b"}, {"chrX", "chrY"},        {"Scaffold_a", "scaffold_b"}};
    for (const auto& c : less) {
        EXPECT_TRUE(ChromosomeNameLess(c.a, c.b)) << c.a << " < " << c.b;
        EXPECT_FALSE(ChromosomeNameLess(c.b, c.a)) << c.b << " !< " << c.a;
    }
}

TEST_F(GenomeDatasetTest, TrackColorsFollowTheFixedTableThenThePalette) {
    File("chr1", "gene", 1, 2);
    const ChromosomeDataset* gene = genome_.Store().FindTrack("chr1", "gene");
    EXPECT_EQ(TrackColors::ToDrawingColor(gene->TrackColor), 0xFF0000FFu);  // pure blue
    EXPECT_TRUE(gene->FixedColor);

    for (int i = 0; i < 18; ++i)
        File("chr1", "t" + std::to_string(i), 1, 2);
    EXPECT_EQ(genome_.Store().FindTrack("chr1", "t17")->TrackColor,
              genome_.Store().FindTrack("chr1", "t0")->TrackColor);
    EXPECT_NE(genome_.Store().FindTrack("chr1", "t1")->TrackColor,
              genome_.Store().FindTrack("chr1", "t0")->TrackColor);
    // The same name keeps its colour on another chromosome.
    File("chr2", "t5", 1, 2);
    EXPECT_EQ(genome_.Store().FindTrack("chr2", "t5")->TrackColor,
              genome_.Store().FindTrack("chr1", "t5")->TrackColor);
}

TEST_F(GenomeDatasetTest, SetTracksColorAlsoAppliesToTracksImportedLater) {
    File("chr1", "peaks", 1, 2);
    genome_.Selection().SetSelectedTracks({"peaks"});
    genome_.SetTracksColor(0x123456);
    File("chr2", "peaks", 1, 2);
    EXPECT_EQ(genome_.Store().FindTrack("chr1", "peaks")->TrackColor, 0x123456);
    EXPECT_EQ(genome_.Store().FindTrack("chr2", "peaks")->TrackColor, 0x123456);
}

TEST_F(GenomeDatasetTest, AllTracksPaneCountsTheTracksOfEveryPaneInOrder) {
    File("chr2", "gene", 1, 2);
    File("chr1", "exon", 1, 2);
    File("chr1", "gene", 5, 9);
    File("chr2", "peaks", 1, 2);
    // Track order: gene, exon, peaks. Pane order: chr1, chr2.
    EXPECT_EQ(genome_.Store().GetPaneTrackCount(kAllTracksPane), 4);
    const char* expected[][2] = {
        {"chr1", "gene"}, {"chr1", "exon"}, {"chr2", "gene"}, {"chr2", "peaks"}};
    for (int i = 0; i < 4; ++i) {
        const GenomeDataset::TrackRef ref = genome_.Store().GetTrack(kAllTracksPane, i);
        ASSERT_NE(ref.dataset, nullptr) << i;
        EXPECT_EQ(ref.chromosomeName, expected[i][0]) << i;
        EXPECT_EQ(ref.trackName, expected[i][1]) << i;
    }
    EXPECT_EQ(genome_.Store().GetTrack(kAllTracksPane, 4).dataset, nullptr);
    const std::vector<GenomeDataset::TrackRef> all = genome_.Store().GetPaneTracks(kAllTracksPane);
    ASSERT_EQ(all.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(all[static_cast<size_t>(i)].dataset,
                  genome_.Store().GetTrack(kAllTracksPane, i).dataset);
    EXPECT_EQ(genome_.Store().GetTrack("chr2", 1).trackName, "peaks");
    EXPECT_EQ(genome_.Store().GetPaneTrackOffset("chr2"), 2);
    EXPECT_EQ(genome_.Store().GetPaneTrackOffset("chr9"), -1);
    EXPECT_EQ(genome_.Store().GetTrackIndex("chr2", "peaks", true), 3);
    EXPECT_EQ(genome_.Store().GetTrackIndex("chr2", "exon", false),
              2);  // missing: one past the last
    EXPECT_EQ(genome_.Store().GetTrackIndex("chr9", "gene", false), -1);
    EXPECT_EQ(genome_.Store().GetPaneExtent("chr1"), Range(1, 9));
}

TEST_F(GenomeDatasetTest, DeletePaneHandsBackThePaneThatTookItsPlace) {
    for (const char* name : {"chr1", "chr2", "chr3"})
        File(name, "gene", 1, 2);
    EXPECT_EQ(genome_.Store().DeletePane("chr2"), "chr3");
    EXPECT_EQ(genome_.Store().DeletePane("chr3"), "chr1");
    EXPECT_FALSE(genome_.Store().HasChromosome("chr3"));
    EXPECT_EQ(genome_.Store().GetFirstSeenChromosomes().size(), 1u);
    EXPECT_EQ(genome_.Store().DeletePane("chr1"), "");
}

TEST_F(GenomeDatasetTest, CursorStepsWithoutWrappingAlongTheAttachedTrack) {
    File("chr1", "gene", 100, 200);
    File("chr1", "gene", 300, 250);  // stop below start: the range is raised to the start
    File("chr1", "exon", 5, 6);
    EXPECT_EQ(genome_.Cursors().GetCursorRange("chr1"), Range(0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_TRUE(genome_.Cursors().StepCursor("chr1", 1));  // the first step only creates index 0
    EXPECT_EQ(genome_.Cursors().GetCursorIndex("chr1"), 0);
    EXPECT_TRUE(genome_.Cursors().StepCursor("chr1", -1));
    EXPECT_EQ(genome_.Cursors().GetCursorIndex("chr1"), 0);
    EXPECT_TRUE(genome_.Cursors().StepCursor("chr1", 1));
    EXPECT_TRUE(genome_.Cursors().StepCursor("chr1", 1));
    EXPECT_EQ(genome_.Cursors().GetCursorIndex("chr1"), 1);
    EXPECT_EQ(genome_.Cursors().GetCursorRange("chr1"), Range(300, 300));

    genome_.Cursors().SetAttachedTrackName("chr1", "missing");
    EXPECT_FALSE(genome_.Cursors().StepCursor("chr1", 1));
}

TEST_F(GenomeDatasetTest, MoveCursorNearPrefersContainingThenNearerEdge) {
    File("chr1", "gene", 100, 1000);  // long
    File("chr1", "gene", 400, 500);   // short, inside the long one
    File("chr1", "gene", 2000, 2100);
    genome_.SetCurrentPane("chr1");
    EXPECT_EQ(genome_.MoveCursorNear(450), 400u);
    EXPECT_EQ(genome_.MoveCursorNear(1400), 100u);   // the long item ends 400 before, 600 after
    EXPECT_EQ(genome_.MoveCursorNear(1500), 2000u);  // equal distances: the item after
    EXPECT_EQ(genome_.Cursors().GetCursorIndex("chr1"), 2);
    genome_.SetCurrentPane("chr2");
    EXPECT_EQ(genome_.MoveCursorNear(10), 0xFFFFFFFFu);
}

}  // namespace

namespace {

class TrackCommandsDatasetTest : public GenomeDatasetTest {};

TEST_F(TrackCommandsDatasetTest, SelectAllCoversEveryPaneOneBaseWiderWithoutWrapping) {
    File("chr1", "gene", 1, 20);
    File("chr2", "gene", 100, 4294967294);
    genome_.Selection().SelectAllRegions();
    EXPECT_EQ(genome_.Selection().GetRegionSelection().at("chr1"), (std::vector<Range>{{0, 21}}));
    EXPECT_EQ(genome_.Selection().GetRegionSelection().at("chr2"),
              (std::vector<Range>{{99, 4294967294}}));
}

TEST_F(TrackCommandsDatasetTest, MovingATrackNameTakesThePlaceOfTheTarget) {
    for (const char* name : {"a", "b", "c", "d"})
        File("chr1", name, 1, 2);
    EXPECT_TRUE(genome_.Store().MoveTrackName("a", "c"));  // down: after c
    EXPECT_EQ(genome_.Store().GetTrackOrder(), (std::deque<std::string>{"b", "c", "a", "d"}));
    EXPECT_TRUE(genome_.Store().MoveTrackName("d", "b"));  // up: before b
    EXPECT_EQ(genome_.Store().GetTrackOrder(), (std::deque<std::string>{"d", "b", "c", "a"}));
    EXPECT_FALSE(genome_.Store().MoveTrackName("x", "a"));
}

TEST(PointSizeTest, SizesSplitIntoHalvesWithTheOddPixelLast) {
    ChromosomeDataset track;
    const int cases[][3] = {{5, 2, 3}, {4, 2, 2}, {1, 0, 1}, {0, 0, 0}, {-3, 0, 0}};
    for (const auto& c : cases) {
        track.SetPointWidth(c[0]);
        EXPECT_EQ(track.PointWidthLeft, c[1]) << c[0];
        EXPECT_EQ(track.PointWidthRight, c[2]) << c[0];
        track.SetPointHeight(c[0]);
        EXPECT_EQ(track.PointHeightTop, c[1]) << c[0];
        EXPECT_EQ(track.PointHeightBottom, c[2]) << c[0];
    }
}

}  // namespace
