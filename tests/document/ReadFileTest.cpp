#include "ReadFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

namespace kx9 {
namespace {

using ReadFileTest = test::TempFolderTest;

// The bound every reader relies on: a file of exactly the limit is whole, one
// byte more is cut there and said to hold more.
TEST_F(ReadFileTest, ReadsUpToTheLimitAndSaysWhenTheFileHoldsMoreOrWhyNot)
{
    // {size, bytes kept, more}
    for (const auto &[size, kept, more] : {std::tuple<std::size_t, std::size_t, bool>{0, 0, false},
                                           {9, 9, false},
                                           {10, 10, false},
                                           {11, 10, true},
                                           {200000, 10, true}}) {
        test::writeFile(path("f"), std::string(size, 'x'));
        const ReadFileResult r = readFile(path("f"), 10);
        EXPECT_EQ(std::tuple(r.ok(), r.data.size(), r.more), std::tuple(true, kept, more)) << size;
    }
    EXPECT_EQ(readFile(path("none"), 10).error, ENOENT);
}

} // namespace
} // namespace kx9
