#include "GoldenFiles.h"
#include "CaseName.h"
#include "ChannelConversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace kx9 {
namespace {

namespace fs = std::filesystem;

using golden::readBytes;

struct Golden
{
    const char *file;
    Document (*make)();
};

class GoldenFiles : public ::testing::TestWithParam<Golden>
{
};

// Saves the document and compares the bytes with the stored file; with
// KX9_WRITE_GOLDEN=1 the stored file is rewritten instead.
TEST_P(GoldenFiles, SavedBytesEqualTheStoredFile)
{
    const fs::path stored = fs::path(KX9_TEST_DATA) / GetParam().file;
    Document doc = GetParam().make();
    const char *write = std::getenv("KX9_WRITE_GOLDEN");
    if (write != nullptr && std::string(write) == "1") {
        ASSERT_TRUE(doc.save(stored.string()));
        return;
    }
    const fs::path saved =
        fs::temp_directory_path() / ("kx9-golden-" + std::to_string(::getpid()) + ".sin");
    ASSERT_TRUE(doc.save(saved.string()));
    const auto bytes = readBytes(saved);
    fs::remove(saved);
    EXPECT_EQ(bytes, readBytes(stored)) << GetParam().file;

    // Opening the stored file and saving it again changes nothing.
    Document reopened;
    ASSERT_TRUE(reopened.open(stored.string(), Language::English));
    EXPECT_EQ(reopened.imageAsSaved(), reopened.image());
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenFiles,
                         ::testing::Values(Golden{"new-pmr-lpd.sin", golden::newPmrLpd},
                                           Golden{"new-400-470.sin", golden::new400470},
                                           Golden{"hand-set.sin", golden::handSet}),
                         [](const auto &info) { return test::caseName(info.param.file); });

// The stored bytes checked against the documented values themselves, so
// that a fault shared by the generator and the code cannot hide.
TEST(GoldenBytes, HandSetChannelsHoldTheDocumentedEncodings)
{
    const auto b = readBytes(fs::path(KX9_TEST_DATA) / "hand-set.sin");
    ASSERT_EQ(b.size(), kChannelFileSize);
    const std::vector<std::uint8_t> ch1(b.begin(), b.begin() + 16);
    EXPECT_EQ(ch1, (std::vector<std::uint8_t>{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44, 0x70,
                                              0x06, 0x23, 0x80, 0xFF, 0xF3, 0xFF, 0xFF}));
    const std::vector<std::uint8_t> ch2(b.begin() + 16, b.begin() + 32);
    EXPECT_EQ(ch2, (std::vector<std::uint8_t>{0x50, 0x12, 0x60, 0x44, 0x50, 0x12, 0x65, 0x44, 0x54,
                                              0xC7, 0x41, 0x25, 0xFF, 0xCD, 0xFF, 0xFF}));
    const std::vector<std::uint8_t> name1(b.begin() + 0x850, b.begin() + 0x858);
    EXPECT_EQ(name1, (std::vector<std::uint8_t>{0x0C, 0x11, 0x25, 0x01, 0x24, 0x0A, 0xFF, 0xFF}));
    // Name "AB", "abc", manual setting "Close", squelch, power rank, identity, calibration.
    const std::pair<std::size_t, std::uint8_t> bytes[] = {
        {0x858, 0x0A}, {0x859, 0x0B}, {0x868, 0xFF}, {0x812, 0x44},
        {0x813, 0x03}, {0x819, 0x03}, {0x81B, 0x42}, {0xFF9, 0x7E}};
    for (const auto &[offset, value] : bytes)
        EXPECT_EQ(b[offset], value) << std::hex << offset;
}

TEST(GoldenBytes, NewDocumentFileHoldsTheDefaultChannels)
{
    const auto b = readBytes(fs::path(KX9_TEST_DATA) / "new-pmr-lpd.sin");
    ASSERT_EQ(b.size(), kChannelFileSize);
    // PMR channel 1: narrow, scan, high, lockout "Close", both tones "Off".
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 16),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xE9, 0xFF, 0xFF}));
    // LPD channel 1 (row 9): 433.07500 MHz, wide, scan, low.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 128, b.begin() + 144),
              (std::vector<std::uint8_t>{0x00, 0x75, 0x30, 0x43, 0x00, 0x75, 0x30, 0x43, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xEF, 0xD9, 0xFF, 0xFF}));
    // Row 78 onwards: empty channels with tone-use set and lockout 10.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 77 * 16, b.begin() + 78 * 16),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xFF, 0xC5, 0xFF, 0xFF}));
    EXPECT_EQ(std::count(b.begin() + 0x850, b.begin() + 0xC50, 0xFF), 1024);
}

} // namespace
} // namespace kx9
