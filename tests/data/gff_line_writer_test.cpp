// Exported lines are the bytes "%u\t%u\t%f" and the texts make, for every score a float holds.
#include "data/gff_line_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>

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

TEST(GffLineWriterTest, LinesOfAnyLengthAreTheFormattedColumns) {
    const auto reference = [](const std::string& attributes) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%u\t%u\t%f", 4294967295u, 0u, 1.5);
        return std::string("chr1\tsrc\tgene\t") + numbers + "\t-\t2\t" + attributes + "\n";
    };
    std::ostringstream out;
    GffLineWriter writer(out);
    std::string expected;
    // Short lines fill the buffer many times over; a line longer than the buffer goes whole.
    const std::string shortTexts[] = {"ID=a", "", std::string(300, 'n')};
    const std::string longText(3 << 20, 'x');
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
    ASSERT_TRUE(writer.Flush());
    EXPECT_TRUE(out.str() == expected) << out.str().size() << " bytes for " << expected.size();
}

}  // namespace
