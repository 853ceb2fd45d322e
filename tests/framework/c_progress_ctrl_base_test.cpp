#include "framework/c_progress_ctrl_base.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ProgressCtrlBaseTest, TextJoinsPrefixPercentageOrBusyAndSuffix) {
    const struct {
        const char* prefix;
        const char* suffix;
        float upper;
        float position;
        const char* text;
    } cases[] = {
        {"", "", 100.0f, 50.0f, "50%"},
        {"", "", 3.0f, 2.0f, "67%"},  // rounded, not truncated
        {"", "", 300.0f, 2.0f, "1%"},
        {"Done", "", 100.0f, 100.0f, "Done 100%"},
        {"", "of 7", 100.0f, 0.0f, "0% of 7"},
        {"Loading", "a.gff", 100.0f, -1.0f, "Loading Processing... a.gff"},
    };
    for (const auto& c : cases) {
        CProgressCtrlBase bar;
        bar.SetRange(0.0f, c.upper);
        bar.SetPrefix(c.prefix);
        bar.SetSuffix(c.suffix);
        bar.SetPos(c.position);
        EXPECT_EQ(bar.DisplayText().toStdString(), c.text) << c.position << " of " << c.upper;
    }
}

TEST(ProgressCtrlBaseTest, BusyBlockBouncesBetweenTheEdges) {
    const int width = 50;  // block 10 wide: its offset must stay within 0..39
    int offset = 0, step = 1, lowest = width, highest = 0;
    for (int move = 0; move < 200; ++move) {
        CProgressCtrlBase::MoveBusyBlock(width, offset, step);
        lowest = std::min(lowest, offset);
        highest = std::max(highest, offset);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 39);

    // A bar that shrank under the block pulls it back inside.
    offset = 45;
    CProgressCtrlBase::MoveBusyBlock(20, offset, step);
    EXPECT_LE(offset, 15);
}

}  // namespace
