#include "import/bed_reader.h"

#include <gtest/gtest.h>

#include "data/chromosome_dataset.h"
#include "framework/file_processing_exception.h"

namespace {

class BedReaderTest : public testing::Test {
protected:
    bool Parse(const std::string& line) {
        record_.Reset();
        return ParseBedLine(line, record_, 7, state_);
    }
    std::string RefusalOf(const std::string& line) {
        try {
            Parse(line);
        } catch (const FileProcessingException& refusal) {
            return refusal.what();
        }
        return "<accepted>";
    }

    ParsedFeatureLine record_;
    BedReaderState state_{BedForm::kBed, "peaks"};
};

TEST_F(BedReaderTest, ThreeWordsGiveAOneBasedFeatureWithDefaults) {
    ASSERT_TRUE(Parse("chr1 99 200"));
    EXPECT_EQ(record_.ChromosomeName, "chr1");
    EXPECT_EQ(record_.Start, 100u);
    EXPECT_EQ(record_.Stop, 200u);
    EXPECT_EQ(record_.Score, 0.0f);
    EXPECT_EQ(record_.Strand, '+');
    EXPECT_EQ(record_.Attributes, "");
    EXPECT_EQ(record_.Color, ChromosomeItem::kNoColor);
    EXPECT_EQ(record_.TrackName, "peaks");
}

TEST_F(BedReaderTest, ReadsNameScoreStrandAndItemRgbAcrossMixedWhiteSpace) {
    ASSERT_TRUE(Parse("chr2 \t 10\t\t20  f1 5.5 - 11 19 255,0,0 2 5,5 0,5 extra"));
    EXPECT_EQ(record_.Attributes, "f1");
    EXPECT_EQ(record_.Score, 5.5f);
    EXPECT_EQ(record_.Strand, '-');
    EXPECT_EQ(record_.Color, 0xFFFF0000u);
    EXPECT_EQ(record_.Source, "");
    EXPECT_EQ(record_.Frame, '0');
    const struct {
        const char* rgb;
        uint32_t color;
    } colors[] = {{"0", 0xFF000000}, {"1,2", 0xFF010200}, {"256,-1,3", 0xFF00FF03}};
    for (const auto& c : colors) {
        ASSERT_TRUE(Parse(std::string("c 1 2 n 0 + 1 2 ") + c.rgb));
        EXPECT_EQ(record_.Color, c.color) << c.rgb;
    }
}

TEST_F(BedReaderTest, TrackLinesSetTheTrackNameAndHeaderLinesStoreNothing) {
    const struct {
        const char* line;
        const char* trackName;
    } cases[] = {
        {"track name=\"My Genes\" description=\" a b \" visibility=2", "My Genes"},
        {"TRACK name=abc", "abc"},
        {"track type=bed", "abc"},  // no name: unchanged
        {"track", "abc"},
        {"BROWSER position chr1:1-100", "abc"},
        {"track name=one name=two", "two"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Parse(c.line)) << c.line;
        EXPECT_EQ(state_.TrackName, c.trackName) << c.line;
    }
    ASSERT_TRUE(Parse("chr1 0 1"));
    EXPECT_EQ(record_.TrackName, "two");
}

TEST_F(BedReaderTest, EachTrackLineSetsTheColourOfTheTracksAfterIt) {
    constexpr int kNone = ChromosomeDataset::kUnassignedColor;
    const struct {
        const char* line;
        int color;  // 0x00BBGGRR
    } cases[] = {
        {"track name=a color=255,0,0 itemRgb=\"On\"", 0x0000FF},
        {"browser hide all", 0x0000FF},  // not a track line: the colour stays
        {"track color=\"0,128,255\" name=b", 0xFF8000},
        {"track name=c", kNone},  // a new section without a colour of its own
        {"track color=1,2", 0x000201},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Parse(c.line)) << c.line;
        EXPECT_EQ(state_.TrackColor, c.color) << c.line;
    }
    EXPECT_EQ(state_.TrackName, "c");
}

TEST_F(BedReaderTest, ThickRangesAndBlocksThatBreakBedsRulesAreDroppedWithTheReason) {
    const struct {
        const char* columns;  // after "chr1 100 200 n 0 +"
        const char* thick;    // the reason, or "kept"
        const char* blocks;
    } cases[] = {
        {"100 200 0 2 40,50 0,50", "kept", "kept"},
        {"150 150 0 1 100, 0,", "kept", "kept"},  // no coding part; UCSC's trailing commas
        {"0 0", "kept", nullptr},                 // equal values stand anywhere
        {"99 150", "thickStart and thickEnd do not lie in order within the feature", nullptr},
        {"160 150", "thickStart and thickEnd do not lie in order within the feature", nullptr},
        {"1e2 200", "thickStart and thickEnd are not whole numbers", nullptr},
        {"100 200 0 0 , ,", "kept", "blockCount is not a whole number from 1 on"},
        {"100 200 0 2 50,50 0", "kept",
         "blockSizes and blockStarts do not hold blockCount whole numbers"},
        {"100 200 0 1 50,50 0,50", "kept",
         "blockSizes and blockStarts do not hold blockCount whole numbers"},
        {"100 200 0 2 50,+50 0,50", "kept",
         "blockSizes and blockStarts do not hold blockCount whole numbers"},
        {"100 200 0 2 50,50 10,50", "kept", "the first block does not start at chromStart"},
        {"100 200 0 2 60,50 0,50", "kept", "blocks overlap or are out of order"},
        {"100 200 0 2 0,100 0,0", "kept", "a block is empty"},
        {"100 200 0 2 50,49 0,50", "kept", "the last block does not end at chromEnd"},
        {"100 200 0 1 101 0", "kept", "a block ends after chromEnd"},
    };
    for (const auto& c : cases) {
        const std::string line = std::string("chr1 100 200 n 0 + ") + c.columns;
        ASSERT_TRUE(Parse(line)) << line;
        const bool thickKept = std::string(c.thick) == "kept";
        EXPECT_EQ(record_.Structure.HasThick, thickKept) << line;
        EXPECT_STREQ(record_.DroppedThick, thickKept ? nullptr : c.thick) << line;
        const bool blocksKept = c.blocks != nullptr && std::string(c.blocks) == "kept";
        EXPECT_EQ(record_.Structure.Blocks.empty(), !blocksKept) << line;
        EXPECT_STREQ(record_.DroppedBlocks, c.blocks == nullptr || blocksKept ? nullptr : c.blocks)
            << line;
    }
    ASSERT_TRUE(Parse("chr1 100 200 n 0 + 120 180 0 2 40,50 0,50"));
    EXPECT_EQ(record_.Structure.ThickStart, 121u);
    EXPECT_EQ(record_.Structure.ThickStop, 180u);
    EXPECT_EQ(record_.Structure.Blocks[1].Offset, 50u);
    EXPECT_EQ(record_.Structure.Blocks[1].Size, 50u);
}

TEST_F(BedReaderTest, RefusedLinesNameTheProblem) {
    const struct {
        const char* line;
        const char* message;
    } refusals[] = {
        {"chr1 100", "Invalid BED File: 2 columns (min=3, max=12) found at line 7 "},
        {"", "Invalid BED File: 0 columns (min=3, max=12) found at line 7 "},
        {"chr1 1e5 200", "Invalid BED File: non-numeric value 1e5 found in column 1 at line 7."},
        {"chr1 1 2x", "Invalid BED File: non-numeric value 2x found in column 2 at line 7."},
        {"chr1 -1 20", "Invalid BED File: negative value -1 found in column 1 at line 7."},
        {"chr1 5 -20", "Invalid BED File: negative value -20 found in column 2 at line 7."},
        {"chr1 100 4294967295",
         "Invalid BED File: out-of-range value 4294967295 found in column 2 at line 7."},
        {"chr1 2147483648 2147483649",
         "Invalid BED File: out-of-range value 2147483648 found in column 1 at line 7."},
        {"chr1 2147483646 2147483647", "<accepted>"},  // the last start below 2^31
    };
    for (const auto& r : refusals)
        EXPECT_EQ(RefusalOf(r.line), r.message) << r.line;
}

}  // namespace
