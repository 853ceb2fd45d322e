#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <limits>

#include "data/genome_dataset.h"
#include "view/pane_image.h"
#include "view/render_settings.h"
#include "view/track_renderer.h"
#include "view/view_geometry.h"

namespace {

// One pane "chr1" of [1, 300] drawn 375 pixels wide: one pixel per base, x = 74 + base.
class TrackRenderTest : public testing::Test {
protected:
    static constexpr int kWidth = 375;

    ChromosomeDataset& Track(const std::string& name) {
        ChromosomeDataset& track = genome_.Store().FindOrCreateTrack("chr1", name);
        genome_.Store().AppendTrackName(name);
        return track;
    }
    void Add(ChromosomeDataset& track, const std::string& name, uint32_t start, uint32_t stop,
             float score, char strand = '+') {
        ChromosomeItem item;
        item.Stop = stop;
        item.Score = score;
        item.Strand = strand;
        track.UpdateExtents(start, stop, score);
        track.AddItem(start, item);
        track.HasReverseStrand |= strand == '-';
        if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
            genome_.Colors().AssignTrackColor(track, name);
    }
    // Items at both ends give the pane the extent [1, 300].
    void Anchor(ChromosomeDataset& track, const std::string& name) {
        Add(track, name, 1, 2, 0.0f);
        Add(track, name, 299, 300, 0.0f);
    }
    QImage Render(Range range = {1, 300}, int width = kWidth) {
        genome_.Store().SortChromosomeNames();
        return PaneImage::Render(genome_, "chr1", range, width, false, settings_);
    }
    // The first row's band runs from 95 to 145 (header 70, gap 10, margin 15, height 80).
    static constexpr int kBandTop = 95;
    static constexpr int kBandBottom = 145;

    GenomeDataset genome_;
    RenderSettings settings_;
};

TEST_F(TrackRenderTest, GeneTrackIsPureBlueUnitBars) {
    Add(Track("gene"), "gene", 100, 200, 42.0f);
    Anchor(Track("gene"), "gene");
    const QImage image = Render();
    EXPECT_EQ(image.pixel(74 + 150, kBandTop + 10), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(74 + 150, kBandBottom - 5), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(74 + 250, kBandTop + 10), 0xFFFFFFFFu);  // right of the item
}

TEST_F(TrackRenderTest, ValuesBeyondAManualScaleAreRedAndClippedToTheBand) {
    ChromosomeDataset& track = Track("peaks");
    Anchor(track, "peaks");
    Add(track, "peaks", 50, 60, 12.0f);
    Add(track, "peaks", 150, 160, 5.0f);
    Add(track, "peaks", 250, 260, std::numeric_limits<float>::infinity());
    Add(track, "peaks", 200, 210, std::nanf(""));  // not a number: drawn as 0, on the axis
    track.AutoScale = false;
    track.ScaleMin = 0;
    track.ScaleMax = 10;
    settings_.showDataBorder = false;
    settings_.showGridLines = false;
    const QImage image = Render();
    for (int y = kBandTop + 1; y < kBandBottom - 1; ++y)
        EXPECT_EQ(image.pixel(74 + 205, y), 0xFFFFFFFFu) << y;
    EXPECT_NE(image.pixel(74 + 205, kBandBottom - 1), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(74 + 55, kBandTop), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(74 + 255, kBandTop), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(74 + 55, kBandTop - 1), 0xFFFFFFFFu);  // nothing above the band
    EXPECT_NE(image.pixel(74 + 155, kBandBottom - 2), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(74 + 155, kBandTop + 2), 0xFFFFFFFFu);  // 5 of 10: half height
}

TEST_F(TrackRenderTest, PointsAtTheTopOfTheScaleAndBeyondItStayVisible) {
    ChromosomeDataset& track = Track("peaks");
    Anchor(track, "peaks");
    Add(track, "peaks", 50, 60, 10.0f);  // the top of the automatic scale
    Add(track, "peaks", 150, 160, 5.0f);
    track.TrackStyle = ChromosomeDataset::kStylePoints;
    settings_.showGridLines = false;
    QImage image = Render();
    const uint32_t color = image.pixel(74 + 155, kBandBottom - 25 - 1);
    EXPECT_NE(color, 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(74 + 55, kBandTop), color);

    track.AutoScale = false;  // now 10 lies beyond the scale: a red mark at its top
    track.ScaleMin = 0;
    track.ScaleMax = 8;
    image = Render();
    EXPECT_EQ(image.pixel(74 + 55, kBandTop), 0xFFFF0000u);
}

TEST_F(TrackRenderTest, ScorelessFeaturesDrawUnitBarsUpAndDownByStrand) {
    ChromosomeDataset& track = Track("calls");
    Anchor(track, "calls");
    Add(track, "calls", 50, 80, 0.0f, '+');
    Add(track, "calls", 150, 180, 0.0f, '-');
    settings_.showDataBorder = false;
    const QImage image = Render();
    const uint32_t color = image.pixel(74 + 60, kBandTop + 3);
    EXPECT_NE(color, 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(74 + 60, kBandBottom - 3), 0xFFFFFFFFu);  // forward: above zero
    EXPECT_EQ(image.pixel(74 + 160, kBandBottom - 3), color);       // reverse: below zero
    EXPECT_EQ(image.pixel(74 + 160, kBandTop + 3), 0xFFFFFFFFu);
}

TEST_F(TrackRenderTest, FastDrawingMatchesThePlainDrawingPixelForPixel) {
    // Enough items for the dense drawing of points, with ties, colours and long items.
    ChromosomeDataset& bars = Track("bars");
    ChromosomeDataset& points = Track("points");
    uint64_t state = 7;
    for (uint32_t i = 0; i < 140000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const uint32_t start = 1 + static_cast<uint32_t>((state >> 33) % 2000000);
        const uint32_t length = (state >> 20) % 50 == 0 ? 200000 : 1 + (state >> 24) % 3000;
        const float score = static_cast<float>(static_cast<int>((state >> 40) % 41) - 10);
        Add(bars, "bars", start, start + length, score, (state >> 8) & 1 ? '+' : '-');
        Add(points, "points", start, start + length, score);
    }
    bars.TrackStyle = ChromosomeDataset::kStyleBars;
    points.TrackStyle = ChromosomeDataset::kStylePoints;
    for (const Range& range : {Range(1, 2200000), Range(400000, 900000), Range(500000, 501000)}) {
        settings_.plainReference = false;
        const QImage fast = Render(range, 900);
        settings_.plainReference = true;
        const QImage plain = Render(range, 900);
        EXPECT_TRUE(fast == plain) << range.first << "-" << range.second;
    }
}

TEST_F(TrackRenderTest, ImageHoldsEveryRowWithItsGap) {
    Add(Track("a"), "a", 1, 2, 1.0f);
    ChromosomeDataset& tall = Track("b");
    Add(tall, "b", 1, 2, 1.0f);
    tall.TrackHeight = 120;
    // Header 70 + gap 10, rows 80 and 120 with 6 between, 25 below.
    EXPECT_EQ(Render().height(), 80 + 80 + 6 + 120 + 25);
    EXPECT_EQ(Render().width(), kWidth);
}

TEST_F(TrackRenderTest, APaneTallerThanABandIsDrawnWithoutSeams) {
    // Rows of labels, frames and bars that cross the band borders, in several panes, compared
    // with one pass of the whole picture drawn as the screen draws it.
    for (int pane = 0; pane < 40; ++pane) {
        const std::string chromosome = "chr" + std::to_string(pane + 1);
        for (const std::string name : {"gene", "peaks"}) {
            ChromosomeDataset& track = genome_.Store().FindOrCreateTrack(chromosome, name);
            genome_.Store().AppendTrackName(name);
            ChromosomeItem item;
            item.Stop = 200 + static_cast<uint32_t>(pane);
            item.Score = static_cast<float>(pane);
            track.UpdateExtents(10, item.Stop, item.Score);
            track.AddItem(10, item);
            genome_.Colors().AssignTrackColor(track, name);
        }
    }
    genome_.Store().SortChromosomeNames();
    const Range range = genome_.Store().GetPaneExtent(kAllTracksPane);
    const QImage banded = PaneImage::Render(genome_, kAllTracksPane, range, kWidth, true, settings_);
    ASSERT_GT(banded.height(), 3 * TrackRenderer::kBandHeight);

    ViewGeometry geometry;
    ViewGeometry::LayoutInput input;
    input.clientWidth = kWidth;
    input.clientHeight = banded.height();
    input.headerVisible = true;
    input.fullRange = range;
    input.jumpRange = range;
    input.ownTrackHeights.assign(80, 0);
    geometry.RecalcLayout(input);
    geometry.SetVisibleRange(range.first, range.second);
    geometry.automaticTrackHeight = ViewGeometry::kDefaultTrackHeight;
    QImage onePass(banded.size(), banded.format());
    {
        QPainter painter(&onePass);
        TrackRenderer(genome_, kAllTracksPane, geometry, settings_)
            .DrawAll(painter, onePass.rect(), Qt::white);
    }
    for (int y = 0; y < banded.height(); ++y) {
        ASSERT_EQ(std::memcmp(banded.constScanLine(y), onePass.constScanLine(y),
                              static_cast<size_t>(banded.bytesPerLine())),
                  0)
            << "first difference in line " << y;
    }
}

}  // namespace

namespace {

class FeatureNameRenderTest : public TrackRenderTest {
protected:
    void AddNamed(ChromosomeDataset& track, uint32_t start, uint32_t stop, const char* name) {
        ChromosomeItem item;
        item.Stop = stop;
        item.Score = 5.0f;
        item.Attributes = std::string("ID=x;Name=") + name;
        track.UpdateExtents(start, stop, item.Score);
        track.AddItem(start, item);
        if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
            genome_.Colors().AssignTrackColor(track, "peaks");
    }
    // Pixels that differ between the two pictures, and whether any lies outside the band.
    static int Differences(const QImage& a, const QImage& b, bool* outsideBand) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    ++count;
                    *outsideBand |= y < kBandTop || y > kBandBottom;
                }
        return count;
    }
};

TEST_F(FeatureNameRenderTest, NamesAppearBesideBarsWithinTheirRowOnlyWhenThereIsRoom) {
    ChromosomeDataset& track = Track("peaks");
    Anchor(track, "peaks");
    AddNamed(track, 20, 30, "ALPHA");
    AddNamed(track, 150, 160, "BETA");
    settings_.showFeatureNames = false;
    const QImage without = Render();
    settings_.showFeatureNames = true;
    const QImage with = Render();
    bool outside = false;
    EXPECT_GT(Differences(without, with, &outside), 0);
    EXPECT_FALSE(outside);
    // Names stay off the bars: the bar of BETA is the same with or without names.
    for (uint32_t base = 150; base <= 160; ++base)
        EXPECT_EQ(with.pixel(74 + int(base), kBandBottom - 2),
                  without.pixel(74 + int(base), kBandBottom - 2));

    // Too many features in view: no name is looked up or drawn.
    for (uint32_t start = 3; start < 298; start += 1) {
        AddNamed(track, start, start, "CROWD");
        AddNamed(track, start, start, "CROWD");
    }
    settings_.showFeatureNames = false;
    const QImage crowdedWithout = Render();
    settings_.showFeatureNames = true;
    EXPECT_EQ(Differences(crowdedWithout, Render(), &outside), 0);
}

}  // namespace
