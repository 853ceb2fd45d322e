#include "document/pane_label.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneLabelTest, NumbersAreGroupedByThreeFromTheRight) {
    const struct {
        uint64_t value;
        const char* text;
    } cases[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"},
                 {4294967295u, "4,294,967,295"}};
    for (const auto& c : cases)
        EXPECT_EQ(PaneLabel::GroupedNumber(c.value), c.text) << c.value;
    EXPECT_EQ(PaneLabel::Format("chr1", {12000, 15500}), "chr1:12,000-15,500");
}

TEST(PaneLabelTest, ParsesLabelsAsTypedAndKeepsOddNamesWhole) {
    const struct {
        const char* text;
        const char* pane;
        uint32_t start;
        uint32_t stop;
    } cases[] = {
        {"chr1:12,000-15,500", "chr1", 12000, 15500},
        {"  chr2:100-2000 ", "chr2", 100, 2000},
        {"All Tracks:1-3,715,286", "All Tracks", 1, 3715286},
        {"HLA-A*01:01:5-9", "HLA-A*01:01", 5, 9},
        // No range: the whole text names the pane.
        {"chrX", "chrX", kNoPosition, kNoPosition},
        {"chr1:abc", "chr1:abc", kNoPosition, kNoPosition},
        {"chr1:5-", "chr1:5-", kNoPosition, kNoPosition},
        {"chr1:99999999999-5", "chr1:99999999999-5", kNoPosition, kNoPosition},
    };
    for (const auto& c : cases) {
        const PaneLabel::Parsed parsed = PaneLabel::Parse(c.text);
        EXPECT_EQ(parsed.paneName, c.pane) << c.text;
        EXPECT_EQ(parsed.range, Range(c.start, c.stop)) << c.text;
        EXPECT_EQ(parsed.outOfRange, std::string(c.text) == "chr1:99999999999-5") << c.text;
    }
    // 4,294,967,295 is no position; the range is refused as too large, not as a bad name.
    EXPECT_TRUE(PaneLabel::Parse("chr1:4294967290-4294967295").outOfRange);
    EXPECT_FALSE(PaneLabel::Parse("chr1:4294967290-4294967294").outOfRange);
}

}  // namespace
