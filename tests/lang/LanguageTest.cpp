#include "Language.h"
#include "TextFormat.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace kx9
