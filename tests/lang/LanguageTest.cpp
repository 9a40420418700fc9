#include "Language.h"
#include "LanguageSwitch.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace kx9 {
namespace {

// A dot in a folder does not count, trailing blanks go first, and a name
// without a dot (this test program's among them) is "MAIN".
TEST(ProgramBaseName, OnlyTheLastDotAndTheLastFolderSeparatorCount)
{
    for (auto [path, base] :
         {std::tuple{"C:\\Tools\\tool.beta.exe", "tool.beta"},
          std::tuple{"/opt/kx9/bin/kx9.real", "kx9"}, std::tuple{"/home/a.b/tool", "MAIN"},
          std::tuple{"C:/mixed\\dir/prog.exe", "prog"}, std::tuple{"C:\\a\\prog.exe  \t", "prog"},
          std::tuple{"/usr/bin/kx9-cli", "MAIN"}, std::tuple{"", "MAIN"}})
        EXPECT_EQ(programBaseName(path), base) << '"' << path << '"';
    EXPECT_EQ(programBaseName(), "MAIN"); // this test program has no dot
    // The path is cut to a buffer of 200 characters: a dot past 199 is lost.
    EXPECT_EQ(programBaseName("/" + std::string(197, 'x') + "/tool.exe"), "MAIN");
}

TEST(FillIn, ReplacesNumberedPlaceholdersInAnyOrder)
{
    EXPECT_EQ(fillIn("%2 after %1", {"a", "b"}), "b after a");
    EXPECT_EQ(fillIn("100%% %2", {"x"}), "100%% %2"); // unknown placeholders stay
    EXPECT_EQ(fillIn("end %", {"x"}), "end %");
}

// Anything but exactly base + "_EN" reads as Chinese, so it goes to English.
TEST(LanguageSwitchTag, EnglishGoesToChineseAndEverythingElseToEnglish)
{
    // {base, tag, toggled}
    for (auto [base, tag, next] :
         {std::tuple{"MAIN", "MAIN_EN", "MAIN_CH"}, std::tuple{"MAIN", "MAIN_CH", "MAIN_EN"},
          std::tuple{"tool.beta", "tool.beta_EN", "tool.beta_CH"},
          std::tuple{"MAIN", "", "MAIN_EN"}, std::tuple{"MAIN", "MAIN_en", "MAIN_EN"},
          std::tuple{"MAIN", "OTHER_EN", "MAIN_EN"}})
        EXPECT_EQ(toggledLanguageTag(base, tag), next) << base << " " << tag;
}

TEST(StartLanguage, IsChineseOnlyWhenTheLastSwitchForcedItForThisProgram)
{
    EXPECT_EQ(startLanguageTag("MAIN", "MAIN_CH", "1"), "MAIN_CH"); // forced for this program
    // {stored tag, force}, each English: English chosen last, never switched,
    // not forced ("" and "0"), another program's choice, tags are
    // case-sensitive, no such language.
    for (auto [tag, force] :
         {std::tuple{"MAIN_EN", "1"}, std::tuple{"", ""}, std::tuple{"MAIN_CH", ""},
          std::tuple{"MAIN_CH", "0"}, std::tuple{"OTHER_CH", "1"}, std::tuple{"MAIN_ch", "1"},
          std::tuple{"MAIN_FR", "1"}})
        EXPECT_EQ(startLanguageTag("MAIN", tag, force), "MAIN_EN")
            << "tag \"" << tag << "\", force \"" << force << '"';
}

} // namespace
} // namespace kx9
