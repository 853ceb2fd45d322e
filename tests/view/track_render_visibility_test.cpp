#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>

#include "data/genome_dataset.h"
#include "view/pane_image.h"
#include "view/render_settings.h"
#include "view/track_scale.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kRed = 0xFFC00000u;
constexpr uint32_t kBlue = 0xFF0000C0u;
constexpr uint32_t kGreen = 0xFF00A000u;

// Pictures of pane "chr1" 375 pixels wide (300 data columns); the first row's data band runs
// from y = 95 to 145.
class TrackVisibilityTest : public testing::Test {
protected:
    static constexpr int kWidth = 375;
    static constexpr int kBandTop = 95;
    static constexpr int kBandBottom = 145;

    ChromosomeDataset& Track(const std::string& name) {
        genome_.Store().AppendTrackName(name);
        return genome_.Store().FindOrCreateTrack("chr1", name);
    }
    void Add(ChromosomeDataset& track, const std::string& name, uint32_t start, uint32_t stop,
             float score, uint32_t color = ChromosomeItem::kNoColor, char strand = '+') {
        ChromosomeItem item;
        item.Stop = stop;
        item.Score = score;
        item.Color = color;
        item.Strand = strand;
        track.UpdateExtents(start, stop, score);
        track.AddItem(start, item);
        track.HasReverseStrand |= strand == '-';
        if (track.TrackColor == ChromosomeDataset::kUnassignedColor)
            genome_.Colors().AssignTrackColor(track, name);
    }
    QImage Render(Range range, int width = kWidth) {
        genome_.Store().SortChromosomeNames();
        return PaneImage::Render(genome_, "chr1", range, width, false, settings_);
    }
    // Fast and plain drawing of range agree pixel for pixel.
    void ExpectSameAsPlain(Range range, int width) {
        settings_.plainReference = false;
        const QImage fast = Render(range, width);
        settings_.plainReference = true;
        const QImage plain = Render(range, width);
        settings_.plainReference = false;
        ASSERT_EQ(fast.size(), plain.size());
        for (int y = 0; y < fast.height(); ++y) {
            for (int x = 0; x < fast.width(); ++x) {
                ASSERT_EQ(fast.pixel(x, y), plain.pixel(x, y))
                    << "at " << x << "," << y << " over " << range.first << "-" << range.second;
            }
        }
    }

    GenomeDataset genome_;
    RenderSettings settings_;
};

TEST_F(TrackVisibilityTest, ALongItemAmongShortOnesShowsAtFullZoomOut) {
    // 495 kb at score 5 under 20,000 short items of score 1, over 10 Mb: 33 kb a column.
    ChromosomeDataset& track = Track("peaks");
    for (uint32_t i = 0; i < 20000; ++i)
        Add(track, "peaks", 1 + i * 500, 1 + i * 500 + 100, 1.0f, kBlue);
    Add(track, "peaks", 3000000, 3495000, 5.0f, kRed);
    settings_.showDataBorder = false;
    const QImage image = Render({1, 10000000});
    // Columns 90 to 104 hold the long item; its bar reaches the top of the scale.
    for (int x = 75 + 91; x < 75 + 104; ++x) {
        EXPECT_EQ(image.pixel(x, kBandTop + 1), kRed) << x;
        EXPECT_EQ(image.pixel(x, kBandBottom - 2), kBlue) << x;  // the lowest item below it
    }
    EXPECT_EQ(image.pixel(75 + 200, kBandTop + 1), kWhite);
}

TEST_F(TrackVisibilityTest, AnItemCoveringTheWindowShowsWhateverStartsAfterIt) {
    for (const std::string name : {"bars", "points"}) {
        ChromosomeDataset& track = Track(name);
        track.TrackStyle = name == "bars" ? ChromosomeDataset::kStyleBars
                                          : ChromosomeDataset::kStylePoints;
        Add(track, name, 100, 100000, 10.0f, kRed);
        for (uint32_t i = 0; i < 40; ++i)  // more than any look-back
            Add(track, name, 200 + i * 10, 205 + i * 10, 2.0f, kBlue);
        Add(track, name, 99000, 100000, 1.0f, kBlue);
    }
    settings_.showGridLines = false;
    const QImage image = Render({5000, 5299});
    for (const int rowTop : {kBandTop, kBandTop + 86}) {
        for (const int x : {75, 75 + 150, 75 + 299})
            EXPECT_EQ(image.pixel(x, rowTop + 1 + (rowTop == kBandTop ? 4 : 0)), kRed)
                << "row " << rowTop << " x " << x;
    }
}

TEST_F(TrackVisibilityTest, FastDrawingMatchesAPlainDrawingOfEveryOverlappingItem) {
    // Overlapping items of many lengths and colours, nested bars of either sign, items wider
    // than the window, NaN and infinite scores, and a track of unit values by strand.
    ChromosomeDataset& bars = Track("bars");
    ChromosomeDataset& points = Track("points");
    ChromosomeDataset& gene = Track("gene");
    points.TrackStyle = ChromosomeDataset::kStylePoints;
    points.SetPointWidth(3);
    bars.TrackStyle = gene.TrackStyle = ChromosomeDataset::kStyleBars;
    const uint32_t colors[] = {ChromosomeItem::kNoColor, kRed, kBlue, kGreen};
    uint64_t state = 11;
    for (uint32_t i = 0; i < 30000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const uint32_t start = 1 + static_cast<uint32_t>((state >> 33) % 2000000);
        const uint32_t kind = (state >> 20) % 100;
        const uint32_t length = kind == 0 ? 1500000 : kind < 5 ? 60000 : 1 + (state >> 24) % 900;
        float score = static_cast<float>(static_cast<int>((state >> 40) % 61) - 20);
        if ((state >> 12) % 5000 == 0)
            score = (state >> 5) & 1 ? std::numeric_limits<float>::infinity() : std::nanf("");
        const uint32_t color = colors[(state >> 50) % 4];
        const char strand = (state >> 8) & 1 ? '+' : '-';
        Add(bars, "bars", start, start + length, score, color, strand);
        Add(points, "points", start, start + length, score, color, strand);
        Add(gene, "gene", start, start + length, score, color, strand);
    }
    for (const Range& range :
         {Range(1, 2200000), Range(400000, 900000), Range(500000, 501000), Range(700000, 700100)})
        ExpectSameAsPlain(range, 600);
}

TEST_F(TrackVisibilityTest, InfiniteScoresLeaveTheAutomaticScaleToTheFiniteOnes) {
    ChromosomeDataset& track = Track("peaks");
    Add(track, "peaks", 1, 10, 0.0f, kBlue);
    Add(track, "peaks", 50, 60, 5.0f, kBlue);
    Add(track, "peaks", 100, 110, 10.0f, kBlue);
    Add(track, "peaks", 150, 160, std::numeric_limits<float>::infinity(), kRed);
    Add(track, "peaks", 200, 210, -std::numeric_limits<float>::infinity(), kGreen);
    Add(track, "peaks", 290, 300, 1.0f, kBlue);
    settings_.showDataBorder = false;
    settings_.showGridLines = false;
    const QImage image = Render({1, 300});
    // The scale is [0, 10]: 5 is drawn half high, infinity clipped at the band's top.
    EXPECT_EQ(image.pixel(74 + 55, kBandBottom - 20), kBlue);
    EXPECT_EQ(image.pixel(74 + 55, kBandTop + 20), kWhite);
    EXPECT_EQ(image.pixel(74 + 105, kBandTop + 1), kBlue);
    EXPECT_EQ(image.pixel(74 + 155, kBandTop), kRed);
    EXPECT_EQ(image.pixel(74 + 155, kBandTop - 1), kWhite);

    const TrackScale scale = ComputeTrackScale(track, "peaks", 80);
    EXPECT_EQ(scale.lo, 0.0);
    EXPECT_EQ(scale.hi, 10.0);
    // A manual limit beyond the float range stays a number, and so do its labels.
    track.AutoScale = false;
    track.ScaleMin = -1e39;
    track.ScaleMax = 1e39;
    for (const double value : ValueLabels(ComputeTrackScale(track, "peaks", 80), track, "peaks"))
        EXPECT_TRUE(std::isfinite(value)) << value;
    EXPECT_EQ(FormatCompactValueLabel(3.0e38), "3.0e+38");
}

TEST_F(TrackVisibilityTest, NarrowBarsKeepTheirColourUnderTheDataBorder) {
    ChromosomeDataset& track = Track("peaks");
    Add(track, "peaks", 1, 2, 0.0f);
    Add(track, "peaks", 100, 103, 10.0f, kRed);   // 4 columns
    Add(track, "peaks", 150, 179, 10.0f, kBlue);  // a wide bar...
    Add(track, "peaks", 160, 163, 4.0f, kGreen);  // ...with a lower one in front of it
    Add(track, "peaks", 299, 300, 0.0f);
    settings_.showGridLines = false;
    const QImage image = Render({1, 300});
    const int middle = (kBandTop + kBandBottom) / 2;
    EXPECT_EQ(image.pixel(74 + 101, middle - 10), kRed);
    EXPECT_EQ(image.pixel(74 + 102, middle - 10), kRed);
    // Above the green bar the blue one shows without an outline of the green one through it.
    for (int x = 74 + 161; x <= 74 + 162; ++x)
        EXPECT_EQ(image.pixel(x, kBandTop + 10), kBlue) << x;
    EXPECT_EQ(image.pixel(74 + 161, kBandBottom - 5), kGreen);
    // The wide bar is outlined at its own edges only.
    EXPECT_NE(image.pixel(74 + 150, middle), kBlue);
    EXPECT_EQ(image.pixel(74 + 155, middle), kBlue);
}

TEST_F(TrackVisibilityTest, AnImageTooLargeToMakeIsRefusedWithoutTryingToAllocateIt) {
    // 110 rows of 86 pixels at the widest width: more than 2^28 pixels.
    for (int i = 0; i < 110; ++i) {
        const std::string name = "track" + std::to_string(i);
        Add(Track(name), name, 1, 100, 1.0f);
    }
    genome_.Store().SortChromosomeNames();
    EXPECT_GT(int64_t{PaneImage::kMaximumWidth} *
                  PaneImage::Height(genome_, "chr1", {1, 100}, PaneImage::kMaximumWidth, false),
              PaneImage::kMaximumPixels);
    EXPECT_TRUE(Render({1, 100}, PaneImage::kMaximumWidth).isNull());
    EXPECT_FALSE(Render({1, 100}, 2000).isNull());
}

}  // namespace
