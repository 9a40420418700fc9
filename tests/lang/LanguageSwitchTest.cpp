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

TEST(StartLanguage, IsChineseOnlyWhenTheLastSwitchForcedItForThisProgram)
{
    struct Stored
    {
        const char *tag;
        const char *force;
        const char *start;
    };
    const Stored rows[] = {
        {"MAIN_CH", "1", "MAIN_CH"},  // forced for this program
        {"MAIN_EN", "1", "MAIN_EN"},  // English chosen last
        {"", "", "MAIN_EN"},          // never switched
        {"MAIN_CH", "", "MAIN_EN"},   // not forced
        {"MAIN_CH", "0", "MAIN_EN"},  // not forced
        {"OTHER_CH", "1", "MAIN_EN"}, // another program's choice
        {"MAIN_ch", "1", "MAIN_EN"},  // tags are case-sensitive
        {"MAIN_FR", "1", "MAIN_EN"},  // no such language
    };
    for (const Stored &s : rows)
        EXPECT_EQ(startLanguageTag("MAIN", s.tag, s.force), s.start)
            << "tag \"" << s.tag << "\", force \"" << s.force << '"';
}

} // namespace
} // namespace kx9
