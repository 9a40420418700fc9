#include "ToneTable.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

// Case names from the row number: the rows hold texts that are no names.
template <class T> std::string byIndex(const ::testing::TestParamInfo<T> &info)
{
    return "row" + std::to_string(info.index);
}

TEST(ToneTable, OrderAndLandmarkEntries)
{
    const auto &t = ToneTable::entries();
    EXPECT_EQ(t[0], "Off");
    EXPECT_EQ(t[1], "67.0");
    EXPECT_EQ(t[13], "100.0");
    EXPECT_EQ(t[50], "254.1");
    EXPECT_EQ(t[51], "D023N");
    EXPECT_EQ(t[155], "D754N");
    EXPECT_EQ(t[156], "D023I");
    EXPECT_EQ(t[260], "D754I");
    EXPECT_EQ(ToneTable::indexOf("D114I"), 156 + 16);
    EXPECT_EQ(ToneTable::indexOf("100"), -1);
}

TEST(ToneTable, EveryEntryRoundTripsThroughItsCode)
{
    const auto &t = ToneTable::entries();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const ToneCode code = toneTextToCode(t[i]);
        EXPECT_EQ(toneCodeToText(code, true), t[i]) << "index " << i;
        if (i != 0) {
            EXPECT_EQ(toneCodeToText(code, false), t[i]) << "index " << i;
        }
    }
    EXPECT_EQ(toneCodeToText(toneTextToCode(t[0]), false), "");
}

TEST(ToneTable, CodesAreDistinctSoNoTwoEntriesShareStorage)
{
    const auto &t = ToneTable::entries();
    for (std::size_t i = 0; i < t.size(); ++i) {
        for (std::size_t j = i + 1; j < t.size(); ++j) {
            ASSERT_NE(toneTextToCode(t[i]), toneTextToCode(t[j])) << t[i] << " " << t[j];
        }
    }
}

struct CodeCase
{
    const char *text;
    ToneCode code;
};

class TextToCode : public ::testing::TestWithParam<CodeCase>
{
};

TEST_P(TextToCode, GivesTheDocumentedBytes)
{
    EXPECT_EQ(toneTextToCode(GetParam().text), GetParam().code) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Tones, TextToCode,
    ::testing::Values(CodeCase{"Off", {0xFF, 0xFF}}, CodeCase{"", {0xFF, 0xFF}},
                      CodeCase{"abc", {0xFF, 0xFF}}, CodeCase{"67.0", {0x70, 0x06}},
                      CodeCase{"254.1", {0x41, 0x25}}, CodeCase{"D023N", {0x23, 0x80}},
                      CodeCase{"D023I", {0x23, 0xC0}}, CodeCase{"D754N", {0x54, 0x87}},
                      CodeCase{"D754I", {0x54, 0xC7}},
                      // A "D" anywhere makes it DCS; no "N" makes it inverted.
                      CodeCase{"D023X", {0x23, 0xC0}}, CodeCase{"xD023", {0x00, 0xC0}},
                      CodeCase{"D6N", {0x06, 0x80}}),
    byIndex<CodeCase>);

TEST(CodeToText, HighByteZeroOrFFIsNoTone)
{
    EXPECT_EQ(toneCodeToText({0x70, 0x00}, true), "Off");
    EXPECT_EQ(toneCodeToText({0x70, 0x00}, false), "");
    EXPECT_EQ(toneCodeToText({0x12, 0xFF}, true), "Off");
}

TEST(CodeToText, ShortDcsNumbersAreNotPadded)
{
    EXPECT_EQ(toneCodeToText({0x06, 0x80}, true), "D06N");
    EXPECT_EQ(toneCodeToText({0x14, 0xC1}, true), "D114I");
    EXPECT_EQ(toneCodeToText({0x00, 0xC0}, true), "D00I");
}

} // namespace
} // namespace kx9
