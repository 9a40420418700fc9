#include "LanguageSwitch.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kx9 {
namespace {

// Anything but exactly base + "_EN" reads as Chinese, so it goes to English.
TEST(LanguageSwitchTag, EnglishGoesToChineseAndEverythingElseToEnglish)
{
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"MAIN", "MAIN_EN", "MAIN_CH"},
        {"MAIN", "MAIN_CH", "MAIN_EN"},
        {"tool.beta", "tool.beta_EN", "tool.beta_CH"},
        {"MAIN", "", "MAIN_EN"},
        {"MAIN", "MAIN_en", "MAIN_EN"},
        {"MAIN", "OTHER_EN", "MAIN_EN"}};
    for (const auto &[base, tag, next] : rows)
        EXPECT_EQ(toggledLanguageTag(base, tag), next) << base << " " << tag;
}

TEST(StartLanguage, IsChineseOnlyWhenTheLastSwitchForcedItForThisProgram)
{
    // {stored tag, force, start}
    const std::tuple<const char *, const char *, const char *> rows[] = {
        {"MAIN_CH", "1", "MAIN_CH"},  // forced for this program
        {"MAIN_EN", "1", "MAIN_EN"},  // English chosen last
        {"", "", "MAIN_EN"},          // never switched
        {"MAIN_CH", "", "MAIN_EN"},   // not forced
        {"MAIN_CH", "0", "MAIN_EN"},  // not forced
        {"OTHER_CH", "1", "MAIN_EN"}, // another program's choice
        {"MAIN_ch", "1", "MAIN_EN"},  // tags are case-sensitive
        {"MAIN_FR", "1", "MAIN_EN"},  // no such language
    };
    for (const auto &[tag, force, start] : rows)
        EXPECT_EQ(startLanguageTag("MAIN", tag, force), start)
            << "tag \"" << tag << "\", force \"" << force << '"';
}

} // namespace
} // namespace kx9
