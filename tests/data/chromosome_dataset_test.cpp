#include "data/chromosome_dataset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/recording_agent.h"

namespace {

class ChromosomeDatasetTest : public testing::Test {
protected:
    // Files an item and updates the extents, as the import does.
    void Add(uint32_t start, uint32_t stop, float score = 0.0f, const std::string& name = "") {
        ChromosomeItem item;
        item.Stop = stop;
        item.Score = score;
        item.Attributes = name;
        track_.UpdateExtents(start, stop, score);
        track_.AddItem(start, item);
    }
    std::string NameAt(ChromosomeDataset::ItemHandle handle) {
        return handle == track_.End() ? "<none>" : std::string(track_.GetItem(handle).Attributes);
    }

    ChromosomeDataset track_;
};

TEST_F(ChromosomeDatasetTest, ItemsAreOrderedByStartWithEqualStartsInInsertionOrder) {
    Add(300, 310, 0, "c");
    Add(100, 110, 0, "a1");
    Add(200, 210, 0, "b");
    Add(100, 120, 0, "a2");
    EXPECT_EQ(track_.GetStartPositions(), (std::vector<uint32_t>{100, 100, 200, 300}));
    EXPECT_EQ(track_.GetStopPositions(), (std::vector<uint32_t>{110, 120, 210, 310}));
    EXPECT_EQ(NameAt(0), "a1");
    EXPECT_EQ(NameAt(1), "a2");
    EXPECT_EQ(track_.GetItemsAt(100), (std::vector<ChromosomeDataset::ItemHandle>{0, 1}));
    EXPECT_EQ(track_.FindItem(200)->Attributes, "b");
    EXPECT_FALSE(track_.FindItem(150).has_value());

    // Adding after a read orders the newcomers too.
    Add(150, 160, 0, "late");
    EXPECT_EQ(NameAt(2), "late");
    EXPECT_EQ(track_.GetStopPositions()[2], 160u);
}

TEST_F(ChromosomeDatasetTest, ThickRangesAndBlocksStayWithTheirItemsThroughOrdering) {
    // Added in descending order, every other item with a structure and a long name before it.
    constexpr uint32_t kCount = 1000;
    for (uint32_t i = 0; i < kCount; ++i) {
        const uint32_t start = (kCount - i) * 100 + 1;
        ChromosomeItem item;
        item.Stop = start + 99;
        item.Attributes = std::string(i % 200, 'n');
        FeatureStructure structure;
        if (i % 2 == 0) {
            structure.HasThick = i % 4 == 0;
            structure.ThickStart = start + i % 50;
            structure.ThickStop = start + 60;
            for (uint32_t b = 0; b < i % 5; ++b)
                structure.Blocks.push_back({b * 20, 10 + b});
        }
        track_.AddItem(start, item, structure);
    }
    for (ChromosomeDataset::ItemHandle h = 0; h < kCount; ++h) {
        const uint32_t start = track_.GetStart(h);
        const uint32_t i = kCount - (start - 1) / 100;
        EXPECT_EQ(track_.GetItem(h).Attributes.size(), i % 200);
        uint32_t thickStart = 0;
        uint32_t thickStop = 0;
        ASSERT_EQ(track_.GetThickRange(h, thickStart, thickStop), i % 4 == 0) << i;
        if (i % 4 == 0) {
            EXPECT_EQ(thickStart, start + i % 50);
        }
        const ItemBlocks blocks = track_.GetBlocks(h);
        ASSERT_EQ(blocks.size(), i % 2 == 0 ? i % 5 : 0) << i;
        for (uint32_t b = 0; b < blocks.size(); ++b) {
            EXPECT_EQ(blocks[b].Start, start + b * 20);
            EXPECT_EQ(blocks[b].Stop, start + b * 20 + 9 + b);
        }
    }
}

TEST_F(ChromosomeDatasetTest, ManyItemsAndLongTextsSurviveStorageAndOrdering) {
    // Enough items for several storage chunks, added in descending order, with texts of every
    // size class: empty, short, longer than 127 bytes, and longer than a whole storage block.
    constexpr uint32_t kCount = 200000;
    const std::string longText(300, 'a');
    const std::string hugeText(3 << 20, 'h');
    for (uint32_t i = 0; i < kCount; ++i) {
        ChromosomeItem item;
        item.Stop = kCount - i + 5;
        item.Source = i % 3 == 0 ? "src" : "";
        item.Attributes = i == 7 ? hugeText : (i % 2 == 0 ? longText : std::to_string(i));
        track_.AddItem(kCount - i, item);
    }
    ASSERT_EQ(track_.GetItemCount(), kCount);
    const std::vector<uint32_t>& starts = track_.GetStartPositions();
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    for (uint32_t handle : {0u, 1u, 12345u, kCount - 8, kCount - 1}) {
        const uint32_t i = kCount - starts[handle];  // the order the item was added in
        const ItemView item = track_.GetItem(handle);
        EXPECT_EQ(item.Stop, starts[handle] + 5) << handle;
        EXPECT_EQ(item.Source, i % 3 == 0 ? "src" : "") << handle;
        EXPECT_EQ(item.Attributes, i == 7 ? hugeText : (i % 2 == 0 ? longText : std::to_string(i)))
            << handle;
    }
}

TEST_F(ChromosomeDatasetTest, NearestStartTiesGoToTheLaterEntry) {
    EXPECT_EQ(track_.FindNearestStart(5), 0u);  // empty: the end
    EXPECT_EQ(track_.GetNearestStart(5), kNoPosition);
    Add(100, 100);
    Add(200, 200);
    const struct {
        uint32_t pos;
        uint32_t nearest;
    } cases[] = {{150, 200}, {149, 100}, {99, 100}, {250, 200}, {0, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(track_.GetNearestStart(c.pos), c.nearest) << c.pos;
}

TEST_F(ChromosomeDatasetTest, MinMaxInRangeWalksUpToTheNearestStartOfTo) {
    uint32_t minStart = 7, maxStart = 7;
    float minValue = 42, maxValue = 42;
    track_.GetMinMaxInRange(1, 10, minStart, maxStart, minValue, maxValue);
    EXPECT_EQ(minStart, 0u);
    EXPECT_EQ(minValue, 42);  // untouched on an empty track

    Add(100, 110, 5);
    track_.GetMinMaxInRange(1, 1000, minStart, maxStart, minValue, maxValue);
    EXPECT_EQ(minStart, 100u);
    EXPECT_EQ(maxStart, 100u);
    EXPECT_EQ(minValue, 5);
    EXPECT_EQ(maxValue, 5);

    Add(200, 210, -3);
    Add(300, 310, 9);
    Add(400, 410, -3);
    Add(500, 510, 9);
    track_.GetMinMaxInRange(100, 500, minStart, maxStart, minValue, maxValue);
    EXPECT_EQ(minStart, 200u);  // the earliest of the equal minima
    EXPECT_EQ(maxStart, 300u);
    EXPECT_EQ(minValue, -3);
    EXPECT_EQ(maxValue, 9);
}

TEST_F(ChromosomeDatasetTest, HitTestPrefersTheItemWhoseValueIsCloserToThePointer) {
    Add(100, 200, 1.0f, "low");
    Add(150, 250, 8.0f, "high");
    Add(400, 400, 3.0f, "point");  // length zero counts as one base
    EXPECT_EQ(NameAt(track_.FindItemAt(170, 7.0f, 1, 1000)), "high");
    EXPECT_EQ(NameAt(track_.FindItemAt(170, 2.0f, 1, 1000)), "low");
    EXPECT_EQ(NameAt(track_.FindItemAt(400, 0.0f, 1, 1000)), "point");
    // Between items: the nearest edge wins.
    EXPECT_EQ(NameAt(track_.FindItemAt(390, 0.0f, 1, 1000)), "point");
    EXPECT_EQ(NameAt(track_.FindItemAt(260, 0.0f, 1, 1000)), "high");
    // Outside the window, or an inverted window: nothing.
    EXPECT_EQ(track_.FindItemAt(50, 0.0f, 60, 1000), track_.End());
    EXPECT_EQ(track_.FindItemAt(170, 0.0f, 300, 100), track_.End());
    EXPECT_EQ(track_.FindItemIndexAt(170, 7.0f, 1, 1000), 1u);
}

TEST_F(ChromosomeDatasetTest, HitTestFindsLongFeaturesHoweverFarBackTheyStart) {
    for (int back : {10, 17, 5000}) {
        ChromosomeDataset track;
        ChromosomeItem longItem;
        longItem.Stop = 100000;
        longItem.Attributes = "long";
        track.AddItem(1000, longItem);
        for (int i = 1; i < back; ++i) {
            ChromosomeItem shortItem;
            shortItem.Stop = 1000 + i;
            track.AddItem(1000 + i, shortItem);
        }
        ChromosomeItem inWindow;
        inWindow.Stop = 60010;
        track.AddItem(60000, inWindow);
        const auto found = track.FindItemAt(50000, 0.0f, 50000, 70000);
        const bool foundLong = found != track.End() && track.GetItem(found).Attributes == "long";
        EXPECT_TRUE(foundLong) << back << " items before the window";
    }
}

TEST_F(ChromosomeDatasetTest, NegativeScalingSwapsTheExtentsAndRecomputingCoversTheItems) {
    Add(50, 40, 2.0f);  // a stop before its start still reaches the start
    Add(10, 20, 5.0f);
    track_.ScaleValues(-1.0f);
    EXPECT_EQ(track_.MinValue, -5.0f);
    EXPECT_EQ(track_.MaxValue, -2.0f);
    EXPECT_EQ(track_.GetItem(1).Score, -2.0f);
    track_.MinStart = 1;
    track_.MaxStop = 1000;
    track_.RecomputeExtents();
    EXPECT_EQ(track_.MinStart, 10u);
    EXPECT_EQ(track_.MaxStop, 50u);
    EXPECT_EQ(track_.MinValue, -5.0f);
    EXPECT_EQ(track_.MaxValue, -2.0f);
}

TEST_F(ChromosomeDatasetTest, WriteGffWritesTheRangeFromExactStartToExactStart) {
    ChromosomeItem item;
    item.Source = "src";
    item.Stop = 200;
    item.Score = 1.5f;
    item.Attributes = "ID=g1";
    track_.AddItem(100, item);
    Add(150, 160, 0.5f, "ID=g2");
    Add(300, 310, 0.0f, "");

    std::ostringstream all;
    EXPECT_TRUE(track_.WriteGff(&all, 100, kNoPosition, "chr1", "gene"));
    EXPECT_EQ(all.str(),
              "chr1\tsrc\tgene\t100\t200\t1.500000\t+\t0\tID=g1\n"
              "chr1\t\tgene\t150\t160\t0.500000\t+\t0\tID=g2\n"
              "chr1\t\tgene\t300\t310\t0.000000\t+\t0\t\n");

    std::ostringstream middle;
    EXPECT_TRUE(track_.WriteGff(&middle, 150, 150, "chr1", "gene"));
    EXPECT_EQ(middle.str(), "chr1\t\tgene\t150\t160\t0.500000\t+\t0\tID=g2\n");

    // Ends that are no item's start bound the range; nothing runs on to the end of the track.
    std::ostringstream between;
    EXPECT_TRUE(track_.WriteGff(&between, 101, 155, "chr1", "gene"));
    EXPECT_EQ(between.str(), "chr1\t\tgene\t150\t160\t0.500000\t+\t0\tID=g2\n");
    std::ostringstream none;
    EXPECT_TRUE(track_.WriteGff(&none, 151, 299, "chr1", "gene"));
    EXPECT_EQ(none.str(), "");
    EXPECT_FALSE(track_.WriteGff(&none, kNoPosition, 300, "chr1", "gene"));
    EXPECT_FALSE(track_.WriteGff(nullptr, 100, 300, "chr1", "gene"));
}

TEST_F(ChromosomeDatasetTest,
       WriteGffWritesEveryItemSharingAStartAtEitherEndAndReportsAFailedWrite) {
    RecordingAgent agent;
    track_.SetNotificationTarget(&agent);
    for (const char* name : {"a1", "a2", "a3"})
        Add(100, 110, 0, name);
    Add(200, 210, 0, "b");
    for (const char* name : {"c1", "c2"})
        Add(300, 310, 0, name);
    Add(400, 410, 0, "d");
    auto names = [](const std::string& text) {
        std::string joined;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            joined += line.substr(line.rfind('\t') + 1) + " ";
        return joined;
    };
    std::ostringstream out;
    EXPECT_TRUE(track_.WriteGff(&out, 100, 300, "chr1", "t"));
    EXPECT_EQ(names(out.str()), "a1 a2 a3 b c1 c2 ");
    std::ostringstream reversed;
    EXPECT_TRUE(track_.WriteGff(&reversed, 300, 100, "chr1", "t"));
    EXPECT_EQ(reversed.str(), "");
    EXPECT_TRUE(agent.messages.empty());
    EXPECT_FALSE(agent.GetErrorFlag());

    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_FALSE(track_.WriteGff(&broken, 100, 200, "chr1", "t"));
    // The disk fills: nothing fails before the buffer is flushed on closing.
    EXPECT_FALSE(track_.SaveGff("/dev/full", "chr1", "t", false));
}

}  // namespace
