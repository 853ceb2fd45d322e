#include "view/track_scale.h"

#include <gtest/gtest.h>

#include <memory>

#include "data/chromosome_dataset.h"

namespace {

std::unique_ptr<ChromosomeDataset> TrackWithValues(std::initializer_list<float> values,
                                                   char strand = '+') {
    auto owned = std::make_unique<ChromosomeDataset>();
    ChromosomeDataset& track = *owned;
    uint32_t start = 1;
    for (const float value : values) {
        ChromosomeItem item;
        item.Score = value;
        item.Stop = start + 10;
        item.Strand = strand;
        track.UpdateExtents(start, item.Stop, value);
        track.AddItem(start, item);
        track.HasReverseStrand |= strand == '-';
        start += 20;
    }
    return owned;
}

TEST(TrackScaleTest, AutomaticScalesHoldZeroAndFixedColoursAreSymmetric) {
    TrackScale scale = ComputeTrackScale(*TrackWithValues({5, 5}), "peaks", 80);
    EXPECT_EQ(scale.lo, 0.0);
    EXPECT_EQ(scale.hi, 5.0);
    EXPECT_DOUBLE_EQ(scale.pixelsPerUnit, 50.0 / 5.0);

    auto exons = TrackWithValues({-2, 5});
    exons->FixedColor = true;
    scale = ComputeTrackScale(*exons, "exon", 80);
    EXPECT_EQ(scale.lo, -5.0);
    EXPECT_EQ(scale.hi, 5.0);

    auto manual = TrackWithValues({12});
    manual->AutoScale = false;
    manual->ScaleMin = 0;
    manual->ScaleMax = 10;
    scale = ComputeTrackScale(*manual, "peaks", 80);
    EXPECT_TRUE(scale.manual);
    EXPECT_EQ(scale.hi, 10.0);

    manual->ScaleMin = manual->ScaleMax = 3;  // equal limits: a flat scale
    EXPECT_FALSE(ComputeTrackScale(*manual, "peaks", 80).valid);
}

TEST(TrackScaleTest, TracksWithoutScoresUseUnitValues) {
    const TrackScale forward = ComputeTrackScale(*TrackWithValues({0, 0}), "calls", 80);
    EXPECT_TRUE(forward.unitValues);
    EXPECT_EQ(forward.lo, 0.0);
    EXPECT_EQ(forward.ValueOf(0, '+'), 1.0);
    const TrackScale both = ComputeTrackScale(*TrackWithValues({0}, '-'), "calls", 80);
    EXPECT_EQ(both.lo, -1.0);
    EXPECT_EQ(both.ValueOf(7, '-'), -1.0);
    EXPECT_TRUE(ComputeTrackScale(*TrackWithValues({3, 9}), "gene", 80).unitValues);
}

TEST(TrackScaleTest, LabelsStepByTwoSignificantDigitsOfATenth) {
    EXPECT_DOUBLE_EQ(LabelStep(1234), 120.0);
    EXPECT_DOUBLE_EQ(LabelStep(37), 3.7);
    EXPECT_DOUBLE_EQ(LabelStep(5), 0.5);

    const auto track = TrackWithValues({-3, 7});
    const std::vector<double> labels =
        ValueLabels(ComputeTrackScale(*track, "peaks", 80), *track, "peaks");
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(std::vector<double>(labels.begin(), labels.begin() + 3),
              (std::vector<double>{7, -3, 0}));
    EXPECT_TRUE(ValueLabels(ComputeTrackScale(*track, "gene", 80), *track, "gene").empty());
}

TEST(TrackScaleTest, LabelFormatsNarrowAsValuesGrow) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{1.5, "1.500"},          {10000, "10000.000"},  {10000.5, "10000.50"},
                 {100000.25, "100000.2"}, {2500000, "2500000"}, {-2000000, "-2000000.000"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatValueLabel(c.value), c.text) << c.value;
}

}  // namespace
