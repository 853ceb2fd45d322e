#include "framework/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsTest, ValuesNeverWrittenReadAsTheDefault) {
    EXPECT_EQ(ReadSettingInt("Nowhere", "Missing", 42), 42);
    EXPECT_EQ(ReadSettingString("Nowhere", "Missing", "fallback"), "fallback");
}

TEST(SettingsTest, ValuesSurviveAWriteAndRead) {
    ASSERT_TRUE(WriteSettingInt("Document", "DefaultTrackStyle", 2));
    ASSERT_TRUE(WriteSettingString("DataSearch", "Search String", "gene_id=ABC 1"));
    EXPECT_EQ(ReadSettingInt("Document", "DefaultTrackStyle", 3), 2);
    EXPECT_EQ(ReadSettingString("DataSearch", "Search String", ""), "gene_id=ABC 1");
    // Sections keep keys apart.
    EXPECT_EQ(ReadSettingInt("Main", "DefaultTrackStyle", 9), 9);
}

TEST(SettingsTest, TextStoredUnderAnIntegerKeyReadsAsTheDefault) {
    ASSERT_TRUE(WriteSettingString("Main", "ShowGridLinesHoriz", "yes"));
    EXPECT_EQ(ReadSettingInt("Main", "ShowGridLinesHoriz", 1), 1);
}

}  // namespace
