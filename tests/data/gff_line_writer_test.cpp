// Exported lines are the bytes "%u\t%u\t%f" and the texts make, for every score a float holds.
#include "data/gff_line_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "framework/output_file.h"

namespace {

std::string Reference(float score) {
    char text[128];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(score));
    return text;
}

std::string Written(float score) {
    char text[GffLineWriter::kMaxScoreLength];
    return std::string(text, GffLineWriter::WriteScore(score, text));
}

float FromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(GffLineWriterTest, ScoresAreWrittenAsTheCLibraryWritesThem) {
    const float special[] = {0.0f,
                             -0.0f,
                             0.5f,
                             5.0f,
                             0.0078125f /* a half: to even, down */,
                             0.0234375f /* a half: to even, up */,
                             1e-7f,
                             -1e-9f,
                             0.0000005f,
                             123456.789f,
                             16777217.0f,
                             3.4e38f,
                             -3.4e38f,
                             std::numeric_limits<float>::max(),
                             std::numeric_limits<float>::min(),
                             std::numeric_limits<float>::denorm_min(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::nanf(""),
                             -std::nanf(""),
                             999999.9999f,
                             0.9999995f,
                             1e10f,
                             -2.5e-6f};
    for (const float score : special)
        EXPECT_EQ(Written(score), Reference(score)) << score;
    // A spread of every exponent and many mantissas, halves included.
    for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 7919) {
        const float score = FromBits(static_cast<uint32_t>(bits));
        ASSERT_EQ(Written(score), Reference(score)) << std::hex << bits;
    }
    for (uint32_t k = 1; k < 1u << 12; ++k) {  // k / 2^m: the values that round halves
        for (int m = 1; m < 30; ++m) {
            const float score = std::ldexp(static_cast<float>(k), -m);
            ASSERT_EQ(Written(score), Reference(score)) << k << " / 2^" << m;
        }
    }
}

// The lines through a stream of its own buffer and through an output file, which the writer
// fills in place.
TEST(GffLineWriterTest, LinesOfAnyLengthAreTheFormattedColumns) {
    const auto reference = [](const std::string& attributes) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%u\t%u\t%f", 4294967295u, 0u, 1.5);
        return std::string("chr1\tsrc\tgene\t") + numbers + "\t-\t2\t" + attributes + "\n";
    };
    // Short lines fill the buffer many times over; a line longer than the buffer goes whole.
    const std::string shortTexts[] = {"ID=a", "", std::string(300, 'n')};
    const std::string longText(3 << 20, 'x');
    const auto writeLines = [&](std::ostream& out) {
        GffLineWriter writer(out);
        std::string expected;
        for (int line = 0; line < 10000; ++line) {
            const std::string& text = line == 5000 ? longText : shortTexts[line % 3];
            ItemView item;
            item.Source = "src";
            item.Stop = 0;
            item.Score = 1.5f;
            item.Strand = '-';
            item.Frame = '2';
            item.Attributes = text;
            writer.Write("chr1", "gene", 4294967295u, item);
            expected += reference(text);
        }
        EXPECT_TRUE(writer.Flush());
        return expected;
    };

    std::ostringstream text;
    const std::string expected = writeLines(text);
    EXPECT_TRUE(text.str() == expected) << text.str().size() << " bytes for " << expected.size();

    const std::string path = std::string(LOCUSCOPE_TEST_SCRATCH) + "/lines.gff";
    std::filesystem::create_directories(LOCUSCOPE_TEST_SCRATCH);
    OutputFile file;
    ASSERT_TRUE(file.Open(path, {}));
    writeLines(file.Stream());
    ASSERT_TRUE(file.Commit()) << file.Failure();
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(written == expected) << written.size() << " bytes for " << expected.size();
    std::filesystem::remove(path);
}

}  // namespace
