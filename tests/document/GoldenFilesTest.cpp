#include "CaseName.h"
#include "ChannelConversion.h"
#include "Document.h"
#include "RadioType.h"
#include "TableRows.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace kx9 {
namespace {

namespace fs = std::filesystem;

using test::readBytes;

// How each channel file under tests/data is made: our own code fed with
// documented values.

// new-pmr-lpd.sin: File New, saved without edits.
Document newPmrLpd()
{
    Document doc;
    doc.newDocument(Language::English);
    return doc;
}

// new-400-470.sin: File New, then the type "400-470MHz" selected.
Document new400470()
{
    Document doc = newPmrLpd();
    doc.selectType(kType400470, Language::English);
    return doc;
}

// hand-set.sin: File New, then these edits by hand:
//  row 1: 446.00625 / 446.00625, 67.0 / D023N, Wide, No, High, Carrier, "CH 1-A"
//  row 2: 446.0125 / 446.5125 (5 kHz raster), D754I / 254.1, Narrow, Yes, Low,
//         QT/DQT, "AB"
//  row 3: emptied; row 4: name "abc" (lower case is stored as 0xFF)
//  power rank 3, manual setting "Close", squelch 3, radio identity 0x42,
//  high-power calibration 0x7E.
Document handSet()
{
    Document doc = newPmrLpd();
    ChannelImage image = doc.imageAsSaved();
    image.setPowerRank(3);
    image.setManualOpen(false);
    image.setSquelch(3);
    image.setRadioIdentity(0x42);
    image.setHighPowerCalibration(0x7E);
    doc.acceptRead(image, Language::English);
    ChannelTable t = doc.table();
    test::setRow(t, 1,
                 test::splitCells<9>("446.00625|446.00625|67.0|D023N|Wide|No|High|Carrier|CH 1-A"));
    test::setRow(t, 2,
                 test::splitCells<9>("446.0125|446.5125|D754I|254.1|Narrow|Yes|Low|QT/DQT|AB"));
    test::setRow(t, 3, test::splitCells<9>(""));
    t.setCell(4, kColName, "abc");
    doc.replaceChannels(t);
    return doc;
}

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
    const fs::path saved = test::freshTempFolder("golden") / "saved.sin";
    ASSERT_TRUE(doc.save(saved.string()));
    const auto bytes = readBytes(saved);
    fs::remove_all(saved.parent_path());
    EXPECT_EQ(bytes, readBytes(stored)) << GetParam().file;

    // Opening the stored file and saving it again changes nothing.
    Document reopened;
    ASSERT_TRUE(reopened.open(stored.string(), Language::English));
    EXPECT_EQ(reopened.imageAsSaved(), reopened.image());
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenFiles,
                         ::testing::Values(Golden{"new-pmr-lpd.sin", newPmrLpd},
                                           Golden{"new-400-470.sin", new400470},
                                           Golden{"hand-set.sin", handSet}),
                         [](const auto &info) { return test::caseName(info.param.file); });

// The bytes of a stored file from offset on, as hex digits.
std::string hexAt(const char *file, std::size_t offset, std::size_t count)
{
    const auto b = readBytes(fs::path(KX9_TEST_DATA) / file);
    std::string hex;
    char digits[3];
    for (std::size_t i = offset; i < offset + count && i < b.size(); ++i)
        hex += (std::snprintf(digits, sizeof digits, "%02X", b[i]), digits);
    return hex;
}

// The stored bytes checked against the documented values themselves, so
// that a fault shared by the generator and the code cannot hide: {file,
// offset, bytes as hex digits}.
TEST(GoldenBytes, StoredFilesHoldTheDocumentedEncodings)
{
    const std::tuple<const char *, std::size_t, std::string> records[] = {
        {"hand-set.sin", 0, "250660442506604470062380FFF3FFFF"},
        {"hand-set.sin", 16, "501260445012654454C74125FFCDFFFF"},
        {"hand-set.sin", 0x850, "0C112501240AFFFF"},
        // Name "AB", "abc", manual setting "Close", squelch, power rank, identity, calibration.
        {"hand-set.sin", 0x858, "0A0B"},
        {"hand-set.sin", 0x868, "FF"},
        {"hand-set.sin", 0x812, "4403"},
        {"hand-set.sin", 0x819, "03"},
        {"hand-set.sin", 0x81B, "42"},
        {"hand-set.sin", 0xFF9, "7E"},
        // PMR channel 1: narrow, scan, high, lockout "Close", both tones "Off".
        {"new-pmr-lpd.sin", 8, "FFFFFFFFEFE9FFFF"},
        // LPD channel 1 (row 9): 433.07500 MHz, wide, scan, low.
        {"new-pmr-lpd.sin", 128, "0075304300753043FFFFFFFFEFD9FFFF"},
        // Row 78 onwards: empty channels with tone-use set and lockout 10.
        {"new-pmr-lpd.sin", 77 * 16, "FFFFFFFFFFFFFFFFFFFFFFFFFFC5FFFF"},
        // No channel has a name.
        {"new-pmr-lpd.sin", 0x850, std::string(2048, 'F')}};
    for (const auto &[file, offset, hex] : records)
        EXPECT_EQ(hexAt(file, offset, hex.size() / 2), hex) << file << " at " << offset;
}

} // namespace
} // namespace kx9
