#include "LanguageSwitch.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

TEST(LanguageSwitchTag, EnglishGoesToChineseAndEverythingElseToEnglish)
{
    EXPECT_EQ(toggledLanguageTag("MAIN", "MAIN_EN"), "MAIN_CH");
    EXPECT_EQ(toggledLanguageTag("MAIN", "MAIN_CH"), "MAIN_EN");
    EXPECT_EQ(toggledLanguageTag("tool.beta", "tool.beta_EN"), "tool.beta_CH");
    // Anything but exactly base + "_EN" reads as Chinese, so it goes to English.
    EXPECT_EQ(toggledLanguageTag("MAIN", ""), "MAIN_EN");
    EXPECT_EQ(toggledLanguageTag("MAIN", "MAIN_en"), "MAIN_EN");
    EXPECT_EQ(toggledLanguageTag("MAIN", "OTHER_EN"), "MAIN_EN");
}

struct StoredSettings
{
    const char *tag;
    const char *force;
    const char *start;
};

class StartLanguage : public ::testing::TestWithParam<StoredSettings>
{
};

TEST_P(StartLanguage, IsChineseOnlyWhenTheLastSwitchForcedItForThisProgram)
{
    const StoredSettings s = GetParam();
    EXPECT_EQ(startLanguageTag("MAIN", s.tag, s.force), s.start);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartLanguage,
    ::testing::Values(StoredSettings{"MAIN_CH", "1", "MAIN_CH"},
                      StoredSettings{"MAIN_EN", "1", "MAIN_EN"},
                      StoredSettings{"", "", "MAIN_EN"},           // never switched
                      StoredSettings{"MAIN_CH", "", "MAIN_EN"},    // not forced
                      StoredSettings{"MAIN_CH", "0", "MAIN_EN"},   // not forced
                      StoredSettings{"OTHER_CH", "1", "MAIN_EN"},  // another program's choice
                      StoredSettings{"MAIN_ch", "1", "MAIN_EN"},   // tags are case-sensitive
                      StoredSettings{"MAIN_FR", "1", "MAIN_EN"})); // no such language

} // namespace
} // namespace kx9
