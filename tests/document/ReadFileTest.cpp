#include "ReadFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kx9 {
namespace {

using ReadFileTest = test::TempFolderTest;

// The bound every reader relies on: a file of exactly the limit is whole, one
// byte more is cut there and said to hold more.
TEST_F(ReadFileTest, ReadsUpToTheLimitAndSaysWhenTheFileHoldsMore)
{
    struct Case
    {
        std::size_t size;
        std::size_t kept;
        bool more;
    };
    for (const Case c : {Case{0, 0, false}, Case{9, 9, false}, Case{10, 10, false},
                         Case{11, 10, true}, Case{200000, 10, true}}) {
        test::writeFile(path("f"), std::string(c.size, 'x'));
        const ReadFileResult r = readFile(path("f"), 10);
        EXPECT_TRUE(r.ok()) << c.size;
        EXPECT_EQ(r.data.size(), c.kept) << c.size;
        EXPECT_EQ(r.more, c.more) << c.size;
    }
}

TEST_F(ReadFileTest, AMissingFileGivesItsErrno)
{
    EXPECT_EQ(readFile(path("none"), 10).error, ENOENT);
}

} // namespace
} // namespace kx9
