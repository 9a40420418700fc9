#include "ToneTable.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

// Decoding gives back every entry, so no two entries share a code either.
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
    EXPECT_EQ(ToneTable::indexOf("100"), -1); // only the exact text "100.0"
}

TEST(ToneTable, TextsGiveTheDocumentedBytes)
{
    const std::pair<const char *, ToneCode> cases[] = {
        {"Off", {0xFF, 0xFF}},
        {"abc", {0xFF, 0xFF}},
        {"67.0", {0x70, 0x06}},
        {"254.1", {0x41, 0x25}},
        {"D023N", {0x23, 0x80}},
        {"D754I", {0x54, 0xC7}},
        // A "D" anywhere makes it DCS; no "N" makes it inverted.
        {"D023X", {0x23, 0xC0}},
        {"xD023", {0x00, 0xC0}},
        {"D6N", {0x06, 0x80}},
    };
    for (const auto &[text, code] : cases) {
        EXPECT_EQ(toneTextToCode(text), code) << text;
    }
}

TEST(ToneTable, CodesOutsideTheTableDecodeAsTheRadioShowsThem)
{
    // High byte 0x00 or 0xFF is no tone; short DCS numbers are not padded.
    EXPECT_EQ(toneCodeToText({0x70, 0x00}, true), "Off");
    EXPECT_EQ(toneCodeToText({0x70, 0x00}, false), "");
    EXPECT_EQ(toneCodeToText({0x12, 0xFF}, true), "Off");
    EXPECT_EQ(toneCodeToText({0x06, 0x80}, true), "D06N");
    EXPECT_EQ(toneCodeToText({0x14, 0xC1}, true), "D114I");
    EXPECT_EQ(toneCodeToText({0x00, 0xC0}, true), "D00I");
}

} // namespace
} // namespace kx9
