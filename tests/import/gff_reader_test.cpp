#include "import/gff_reader.h"

#include <gtest/gtest.h>

#include "framework/file_processing_exception.h"

namespace {

struct Refusal {
    const char* line;
    const char* message;
};

TEST(GffReaderTest, ReadsTheNineColumns) {
    ParsedFeatureLine record;
    ASSERT_TRUE(
        ParseGffLine("chr1\tsrc\tgene\t 12\t+200\t1.5\t-1\t2\tID=g1;color=FF0000", record, 3));
    EXPECT_EQ(record.ChromosomeName, "chr1");
    EXPECT_EQ(record.Source, "src");
    EXPECT_EQ(record.TrackName, "gene");
    EXPECT_EQ(record.Start, 12u);
    EXPECT_EQ(record.Stop, 200u);
    EXPECT_EQ(record.Score, 1.5f);
    EXPECT_EQ(record.Strand, '-');
    EXPECT_EQ(record.Frame, '2');
    EXPECT_EQ(record.Attributes, "ID=g1;color=FF0000");
    EXPECT_EQ(record.Color, 0xFFFF0000u);
}

TEST(GffReaderTest, ColumnCountAndEmptyColumns) {
    const struct {
        const char* line;
        uint32_t start;
        const char* attributes;
    } accepted[] = {
        {"c\ts\tf\t1\t2\t.\t+\t.", 1, ""},                      // 8 columns
        {"c\ts\tf\t1\t2\t.\t+\t.\tA\textra\tmore", 1, "A"},     // later columns ignored
        {"c\ts\tf\t1\t2\t.\t+\t.\t", 1, ""},                    // a final tab opens no column
        {"c\ts\tf\t\t2\t.\t+\t.\tA", 0xFFFFFFFF, "A"},          // empty start keeps the default
        {"c\ts\tf\t2147483647\t2\tn/a\t+\t.", 2147483647, ""},  // the largest position
        {"c\ts\tf\t944828 \t944900  \t.\t+\t.\t A ", 944828, " A "},  // blanks after numbers
    };
    for (const auto& c : accepted) {
        ParsedFeatureLine record;
        EXPECT_TRUE(ParseGffLine(c.line, record, 1)) << c.line;
        EXPECT_EQ(record.Start, c.start) << c.line;
        EXPECT_EQ(record.Attributes, c.attributes) << c.line;
        EXPECT_EQ(record.Score, 0.0f) << c.line;
    }
}

TEST(GffReaderTest, RefusedLinesNameTheProblem) {
    const Refusal refusals[] = {
        {"c\ts\tf\t1\t2\t.\t+", "Invalid GFF File: 7 columns (min=8, max=9) found at line 4."},
        {"", "Invalid GFF File: 0 columns (min=8, max=9) found at line 4."},
        {"c\ts\tf\t12a\t20\t.\t+\t.",
         "Invalid GFF File: non-numeric value 12a found in column 3 at line 4."},
        {"c\ts\tf\t1\t2 x\t.\t+\t.",
         "Invalid GFF File: non-numeric value 2 x found in column 4 at line 4."},
        {"c\ts\tf\t-1\t20\t.\t+\t.",
         "Invalid GFF File: negative value -1 found in column 3 at line 4."},
        {"c\ts\tf\t1\t-99999999999\t.\t+\t.",
         "Invalid GFF File: negative value -99999999999 found in column 4 at line 4."},
        {"c\ts\tf\t2147483648\t2147483648\t.\t+\t.",
         "Invalid GFF File: out-of-range value 2147483648 found in column 3 at line 4."},
        {"c\ts\tf\t1\t+99999999999\t.\t+\t.",
         "Invalid GFF File: out-of-range value +99999999999 found in column 4 at line 4."},
        // Bad numbers are found before the column count is checked.
        {"c\ts\tf\tx", "Invalid GFF File: non-numeric value x found in column 3 at line 4."},
    };
    for (const Refusal& r : refusals) {
        ParsedFeatureLine record;
        try {
            ParseGffLine(r.line, record, 4);
            ADD_FAILURE() << "accepted: " << r.line;
        } catch (const FileProcessingException& refusal) {
            EXPECT_STREQ(refusal.what(), r.message) << r.line;
        }
    }
}

TEST(GffReaderTest, ZeroBytesInANumberAreLeftOverCharacters) {
    ParsedFeatureLine record;
    const std::string line("c\ts\tf\t12\0x\t20\t.\t+\t.", 19);
    EXPECT_THROW(ParseGffLine(line, record, 1), FileProcessingException);
}

}  // namespace
