#include "view/view_geometry.h"

#include <gtest/gtest.h>

namespace {

// A window of 1075 + bar pixels wide (data width 1000) over a pane [1, 100000].
class ViewGeometryTest : public testing::Test {
protected:
    static constexpr int kBar = 15;

    Range Layout(Range jump, Range full = {1, 100000}, std::vector<int> heights = {0, 0}) {
        ViewGeometry::LayoutInput input;
        input.clientWidth = 1075 + kBar;
        input.clientHeight = 600 + kBar;
        input.horizontalBarHeight = kBar;
        input.verticalBarWidth = kBar;
        input.fullRange = full;
        input.jumpRange = jump;
        input.ownTrackHeights = std::move(heights);
        return geometry_.RecalcLayout(input);
    }
    Range Show(Range range) {
        Layout(range);
        return geometry_.SetVisibleRange(range.first, range.second);
    }

    ViewGeometry geometry_;
};

TEST_F(ViewGeometryTest, BasesMapToPixelsByAlignment) {
    Show({1000, 1999});  // 1000 bases over 1000 pixels
    EXPECT_EQ(geometry_.PositionToX(1010, 0, 1075), 85);
    EXPECT_EQ(geometry_.PositionToX(1010, 1, 1075), 85);  // 10.5 truncated
    EXPECT_EQ(geometry_.PositionToX(1010, 2, 1075), 86);
    EXPECT_EQ(geometry_.PositionToX(1000, 0, 1075), 75);
    EXPECT_EQ(geometry_.PositionToX(0xFFFFFFFE, 0, 1075), ViewGeometry::kMaxCoordinate);
    EXPECT_EQ(geometry_.PointToPosition(85, 0, 1075, 2).position, 1010u);
    EXPECT_EQ(geometry_.PointToPosition(10, 0, 1075, 2).position, 1000u);    // left of the data
    EXPECT_EQ(geometry_.PointToPosition(2075, 0, 1075, 2).position, 3000u);  // past the end
}

TEST_F(ViewGeometryTest, ZoomInHalvesAroundTheMiddleDownToEightBases) {
    Range zoomed;
    EXPECT_FALSE(ViewGeometry::ZoomInRange({1000, 1003}, 0.5, zoomed));
    ASSERT_TRUE(ViewGeometry::ZoomInRange({1000, 1009}, 0.5, zoomed));
    EXPECT_EQ(zoomed, Range(1002, 1007));
}

TEST_F(ViewGeometryTest, ZoomOutTriplesAndStopsAtTheLeftEnd) {
    EXPECT_EQ(ViewGeometry::ZoomOutRange({100, 199}, 0.5), Range(1, 298));
    EXPECT_EQ(ViewGeometry::ZoomOutRange({10, 109}, 0.5), Range(0, 297));
    // Centring that zoom near the pane's start keeps the view at the start instead of throwing
    // it to the far right end.
    Show({10, 109});
    const uint32_t center = geometry_.GetCenterPosition();
    Layout({0, 297});
    EXPECT_EQ(geometry_.CenterOn(center, 0.5), Range(1, 298));
    // A right-click zoom at the very left: the clicked base stays at the left edge.
    Show({5000, 5999});
    Layout({5000, 5499});
    EXPECT_EQ(geometry_.CenterOn(5000, 0.0), Range(5000, 5499));
}

TEST_F(ViewGeometryTest, ScrollRangesSpanAtLeastFourBases) {
    Layout({5, 5}, {5, 5});
    EXPECT_EQ(geometry_.horizontal.minimum, 3);
    EXPECT_EQ(geometry_.horizontal.maximum, 7);
    Layout({1, 1}, {0xFFFFFFFF, 0});  // an empty pane
    EXPECT_EQ(geometry_.horizontal.minimum, 1);
    EXPECT_EQ(geometry_.horizontal.maximum, 5);
}

TEST_F(ViewGeometryTest, LinesScrollOneBaseOrATenthOfLargePages) {
    Show({1000, 1499});
    EXPECT_EQ(geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kLineForward).first, 1001u);
    Show({1000, 1500});
    EXPECT_EQ(geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kLineForward).first, 1050u);
    EXPECT_EQ(geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kPageBack).first, 549u);
    EXPECT_EQ(geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kStart).first, 1u);
    // The end leaves a whole page in view.
    EXPECT_EQ(geometry_.ScrollHorizontally(ViewGeometry::ScrollAction::kEnd).second, 100000u);
}

TEST_F(ViewGeometryTest, GoingToARangeKeepsItsWidthInsideThePane) {
    Layout({1, 100000});
    EXPECT_EQ(geometry_.SetVisibleRange(500, 500).second, 500u);      // one base
    EXPECT_EQ(geometry_.SetVisibleRange(600, 400), Range(400, 600));  // reversed ends
    EXPECT_EQ(geometry_.SetVisibleRange(0, 10), Range(1, 11));
    EXPECT_EQ(geometry_.SetVisibleRange(99000, 100999), Range(98001, 100000));

    // Reaching past the data, or beside it: the pane's nearest bases at the width asked for,
    // at most the pane; never the one base or the sliver where they meet.
    const struct {
        Range asked;
        Range shown;
    } cases[] = {{{1, 1211500}, {1211500, 1590367}},  // meets the data on its last base
                 {{1, 200000}, {1211500, 1411499}},        {{1100000, 1300000}, {1211500, 1411500}},
                 {{1590367, 1590466}, {1590268, 1590367}}, {{2000000, 2000099}, {1590268, 1590367}},
                 {{1, 900000000}, {1211500, 1590367}}};
    Layout({1211500, 1590367}, {1211500, 1590367});
    for (const auto& c : cases) {
        EXPECT_EQ(geometry_.SetVisibleRange(c.asked.first, c.asked.second), c.shown)
            << c.asked.first << "-" << c.asked.second;
    }
}

TEST_F(ViewGeometryTest, ZoomingOutNeverShowsMoreThanThePaneNorWraps) {
    // Three zoom outs on a 248.9 Mb chromosome once gave a range whose end wrapped past 2^32.
    const Range full{1, 248956422};
    Range range = full;
    for (int i = 0; i < 4; ++i) {
        range = Layout(ViewGeometry::ZoomOutRange(range, 0.5), full);
        geometry_.CenterOn(geometry_.GetCenterPosition(), 0.5);
        range = geometry_.GetVisibleRange();
        EXPECT_EQ(range, full) << "zoom out " << i;
    }
    // Zoomed out to every position over a pane that starts high: the page stops at the pane's
    // own span, so the visible end is the pane's last base instead of wrapping round.
    const Range high{4294967000, 4294967294};
    EXPECT_EQ(Layout({0, 4294967294}, high), high);
    EXPECT_EQ(Layout({0, 0xFFFFFFFE}, {3000000000u, 3000100000u}), Range(3000000000u, 3000100000u));
    EXPECT_EQ(geometry_.GetVisibleRangeExclusive(), Range(3000000000u, 3000100001u));
    EXPECT_EQ(geometry_.GetCenterPosition(), 3000050000u);
}

TEST_F(ViewGeometryTest, RowsFitBelowTheHeaderAndHitsFindTheirRow) {
    Layout({1, 100000}, {1, 100000}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    // 600 - 130 - 10 = 460 pixels: automatic height 40, raised to 80: 5 rows of 80 + 4 gaps.
    EXPECT_EQ(geometry_.vertical.page, 5);
    EXPECT_EQ(geometry_.vertical.maximum, 9);
    Layout({1, 100000}, {1, 100000}, {});
    EXPECT_EQ(geometry_.vertical.page, 1);
    EXPECT_EQ(geometry_.vertical.maximum, -1);

    geometry_.rowTops = {140, 226};
    geometry_.rowBottoms = {220, 306};
    geometry_.vertical.position = 0;
    const struct {
        int y;
        int track;
        bool outside;
    } hits[] = {{0, 0, true},    {150, 0, true},  {160, 0, false},
                {223, 1, false}, {300, 1, false}, {400, 2, true}};
    for (const auto& hit : hits) {
        const ViewGeometry::PointHit found = geometry_.PointToPosition(100, hit.y, 1075, 3);
        EXPECT_EQ(found.trackIndex, hit.track) << hit.y;
        EXPECT_EQ(found.outsideRow, hit.outside) << hit.y;
    }
    // Scrolled down five rows: the band above the first visible row is that row's, never the
    // hidden track 0's.
    geometry_.vertical.position = 5;
    const struct {
        int y;
        int track;
        bool outside;
    } scrolled[] = {{0, 5, true}, {135, 5, true}, {150, 5, true}, {160, 5, false}, {223, 6, false}};
    for (const auto& hit : scrolled) {
        const ViewGeometry::PointHit found = geometry_.PointToPosition(100, hit.y, 1075, 10);
        EXPECT_EQ(found.trackIndex, hit.track) << hit.y;
        EXPECT_EQ(found.outsideRow, hit.outside) << hit.y;
    }
}

TEST(ViewGeometryRulerTest, TickStepKeepsOneSignificantDigit) {
    EXPECT_EQ(ViewGeometry::RulerStep(1000, 575), 100u);
    EXPECT_EQ(ViewGeometry::RulerStep(345678, 575), 30000u);
    EXPECT_EQ(ViewGeometry::RulerStep(25, 1075), 1u);
    EXPECT_EQ(ViewGeometry::RulerStep(1, 20), 1u);
}

}  // namespace
