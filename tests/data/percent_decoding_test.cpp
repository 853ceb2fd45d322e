#include "data/percent_decoding.h"

#include <gtest/gtest.h>

namespace {

TEST(PercentDecodingTest, DisplayDecodesEveryPrintableEscapeAndKeepsTheRestAsWritten) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Name=tubulin%2c beta 8", "Name=tubulin, beta 8"},
        {"ID=t1%28newGene%29", "ID=t1(newGene)"},
        {"a%3Bb%3Dc%26d%25e", "a;b=c&d%e"},
        {"%2525", "%25"},  // decoded once only
        {"%C3%A9", "\xC3\xA9"},
        // Kept as written: control characters, no two hex digits, an escape cut by the end.
        {"line%0Abreak%09tab%7F%00", "line%0Abreak%09tab%7F%00"},
        {"%zz %4g %-1 50%", "%zz %4g %-1 50%"},
        {"end%2", "end%2"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PercentDecodedForDisplay(c.text), c.shown) << c.text;
    // Links decode control characters too, all but the zero byte.
    EXPECT_EQ(PercentDecoded("a%0Ab%00c"), "a\nb%00c");
}

}  // namespace
