#include "Language.h"
#include "LanguageSwitch.h"
#include "TextFormat.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kx9 {
namespace {

TEST(ProgramBaseName, OnlyTheLastDotAndTheLastFolderSeparatorCount)
{
    EXPECT_EQ(programBaseName("C:\\Tools\\tool.beta.exe"), "tool.beta");
    EXPECT_EQ(programBaseName("/opt/kx9/bin/kx9.real"), "kx9");
    EXPECT_EQ(programBaseName("/home/a.b/tool"), "MAIN"); // a dot in a folder does not count
    EXPECT_EQ(programBaseName("C:/mixed\\dir/prog.exe"), "prog");
    EXPECT_EQ(programBaseName("C:\\a\\prog.exe  \t"), "prog"); // trailing blanks go first
    EXPECT_EQ(programBaseName("/usr/bin/kx9-cli"), "MAIN");
    EXPECT_EQ(programBaseName(""), "MAIN");
    EXPECT_EQ(programBaseName(), "MAIN"); // this test program has no dot
    // The path is cut to a buffer of 200 characters: a dot past 199 is lost.
    EXPECT_EQ(programBaseName("/" + std::string(197, 'x') + "/tool.exe"), "MAIN");
}

TEST(FillIn, ReplacesNumberedPlaceholdersInAnyOrder)
{
    EXPECT_EQ(fillIn("%2 after %1", {"a", "b"}), "b after a");
    EXPECT_EQ(fillIn("100%% %3", {"x"}), "100%% %3"); // unknown placeholders stay
    EXPECT_EQ(fillIn("end %", {"x"}), "end %");
}

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
