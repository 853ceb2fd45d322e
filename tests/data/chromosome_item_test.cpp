#include "data/chromosome_item.h"

#include <gtest/gtest.h>

namespace {

ChromosomeItem WithAttributes(const std::string& attributes) {
    ChromosomeItem item;
    item.Attributes = attributes;
    return item;
}

TEST(ChromosomeItemTest, InfoTextShowsScoreWithThreeDecimals) {
    ChromosomeItem item = WithAttributes("ID=g1");
    item.Score = 12.5f;
    item.Stop = 2000;
    EXPECT_EQ(item.GetInfoText(1000), "Score: 12.500 Pos: 1000 - 2000 Attr: ID=g1");
    EXPECT_EQ(ChromosomeItem().GetInfoText(1), "Score: 0.000 Pos: 1 - 0 Attr: ");
}

TEST(ChromosomeItemTest, UrlComesFromHttpOrUrlFields) {
    const struct {
        const char* attributes;
        const char* url;
    } cases[] = {
        {"ID=a; url='x%3A//y/z%20w'", "x://y/z w"},
        {"ID=a;  http://example.org/a?b=c  ;url=http://other", "http://example.org/a?b=c"},
        {"url=\"http://q.org/\"", "http://q.org/"},
        {"%00 and %zz;url=a%00b%zzc%4", "a%00b%zzc%4"},
        {"url=%41%4g%-1%7", "A%4g%-1%7"},  // only two hex digits make a byte
        {"url=;url=second", "second"},     // an empty candidate does not stop the search
        // Not links:
        {"Note=see http://example.org", ""},
        {"URL=http://upper.case", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithAttributes(c.attributes).GetUrl(), c.url) << c.attributes;
}

TEST(ChromosomeItemTest, ColorAttributeSetsOpaqueItemColor) {
    const struct {
        const char* attributes;
        uint32_t color;
    } cases[] = {
        {"color=FF0000", 0xFFFF0000},
        {"ID=1; color=0x00FF00", 0xFF00FF00},
        {"color='00FF00'", 0xFF00FF00},
        {"color=\"0000FF\"", 0xFF0000FF},
        {"color=x0000FF", 0xFF0000FF},
        {"color:FF0000", 0xFFFF0000},               // any one separator character
        {"color=FF0000;color=00FF00", 0xFFFF0000},  // only the first counts
        // No colour of its own:
        {"color=#FF0000", ChromosomeItem::kNoColor},
        {"color=FFFFFF", ChromosomeItem::kNoColor},
        {"bgcolor=FF0000", ChromosomeItem::kNoColor},
        {"color=", ChromosomeItem::kNoColor},
        {"ID=1", ChromosomeItem::kNoColor},
    };
    for (const auto& c : cases) {
        ChromosomeItem item = WithAttributes(c.attributes);
        item.ParseColorAttribute();
        EXPECT_EQ(item.Color, c.color) << c.attributes;
    }
}

TEST(ChromosomeItemTest, FieldsAfterTheHundredthAreNeverExamined) {
    std::string ninetyNine;
    for (int i = 0; i < 99; ++i)
        ninetyNine += "f" + std::to_string(i) + ";";
    ChromosomeItem hundredth = WithAttributes(ninetyNine + "color=FF0000;url=late");
    hundredth.ParseColorAttribute();
    EXPECT_EQ(hundredth.Color, 0xFFFF0000);
    EXPECT_EQ(hundredth.GetUrl(), "");

    ChromosomeItem hundredFirst = WithAttributes(ninetyNine + "x;color=FF0000");
    hundredFirst.ParseColorAttribute();
    EXPECT_EQ(hundredFirst.Color, ChromosomeItem::kNoColor);
}

}  // namespace
