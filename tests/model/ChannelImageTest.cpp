#include "ChannelImage.h"
#include "ToneTable.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kx9 {
namespace {

using B4 = std::array<std::uint8_t, 4>;

// The documented examples are the bytes of the channel and option tests.
TEST(Bcd8, OnlyTheLowEightDigitsAreStoredAndNibblesAboveNineCount)
{
    EXPECT_EQ(encodeBcd8Be(12345678), (B4{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(encodeBcd8Le(123456789), (B4{0x89, 0x67, 0x45, 0x23}));
    // Decoding adds nibbles above nine without checking: 0xFF counts as
    // 15 * 10 + 15 = 165 in its pair and carries upward.
    EXPECT_EQ(decodeBcd8Le(B4{0xFF, 0x00, 0x00, 0x00}), 165u);
    EXPECT_EQ(decodeBcd8Le(B4{0x00, 0x0A, 0x00, 0x00}), 1000u);
    EXPECT_EQ(decodeBcd8Be(B4{0xFF, 0xFF, 0xFF, 0xFF}), 165u * 1010101u);
}

TEST(NameCodes, EveryNameCharacterRoundTripsAndNothingElseHasACode)
{
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ- ";
    for (std::size_t code = 0; code < chars.size(); ++code) {
        EXPECT_EQ(NameCharToCode(static_cast<unsigned char>(chars[code])), code);
        EXPECT_EQ(NameCodeToChar(static_cast<std::uint8_t>(code)), chars[code]);
    }
    for (const char32_t c : {U'a', U'_', U'宽'})
        EXPECT_EQ(NameCharToCode(c), 0xFF) << static_cast<std::uint32_t>(c);
    for (const std::uint8_t code : {std::uint8_t{38}, std::uint8_t{0x40}, std::uint8_t{0xFF}})
        EXPECT_FALSE(NameCodeToChar(code).has_value()) << int(code);
}

// A receive high byte of 0x00 beside a transmit frequency, and leftovers in
// the low bytes, are ImageToTable's empty-channel case.
TEST(ChannelInUse, OnlyTheHighFrequencyBytesAreTested)
{
    ChannelImage image;
    image.setByte(layout::recordOffset(2) + 7, 0x00);
    image.setByte(layout::recordOffset(128) + 7, 0x44);
    EXPECT_EQ(std::tuple(image.channelInUse(1), image.channelInUse(2), image.channelInUse(128)),
              std::tuple(false, false, true));
}

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
