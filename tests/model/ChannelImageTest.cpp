#include "ChannelImage.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

using B4 = std::array<std::uint8_t, 4>;

TEST(Bcd8, DocumentedExamplesInBothByteOrdersAndNibblesAboveNine)
{
    const B4 le{0x25, 0x06, 0x60, 0x44};
    EXPECT_EQ(decodeBcd8Le(le), 44600625u);
    EXPECT_EQ(encodeBcd8Le(44600625), le);
    const B4 be{0x00, 0x06, 0x00, 0x00};
    EXPECT_EQ(decodeBcd8Be(be), 60000u);
    EXPECT_EQ(encodeBcd8Be(60000), be);
    EXPECT_EQ(encodeBcd8Be(12345678), (B4{0x12, 0x34, 0x56, 0x78}));
    // Encoding keeps the low eight digits.
    EXPECT_EQ(encodeBcd8Le(123456789), (B4{0x89, 0x67, 0x45, 0x23}));
    EXPECT_EQ(encodeBcd8Le(0), (B4{0, 0, 0, 0}));
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

TEST(ChannelInUse, OnlyTheHighFrequencyBytesAreTested)
{
    ChannelImage image;
    EXPECT_FALSE(image.channelInUse(1));

    // Receive high byte 0x00 but a valid transmit frequency: in use.
    image.setTxFrequency(1, 44600625);
    image.setByte(layout::recordOffset(1) + 3, 0x00);
    EXPECT_TRUE(image.channelInUse(1));

    // Leftovers in the low bytes and the flags do not make a channel.
    image.setByte(layout::recordOffset(2) + 0, 0x25);
    image.setByte(layout::recordOffset(2) + 2, 0x60);
    image.setByte(layout::recordOffset(2) + 13, 0x3E);
    EXPECT_FALSE(image.channelInUse(2));
    image.setByte(layout::recordOffset(2) + 7, 0x00);
    EXPECT_FALSE(image.channelInUse(2));
    image.setByte(layout::recordOffset(128) + 7, 0x44);
    EXPECT_TRUE(image.channelInUse(128));
}

TEST(Settings, SharedBytesChangeOnlyTheirOwnBits)
{
    ChannelImage image;
    image.setByte(layout::kFunctions, 0xC4);
    EXPECT_TRUE(image.manualOpen());
    EXPECT_TRUE(image.beep());
    EXPECT_FALSE(image.scrambler());
    EXPECT_FALSE(image.languageChooseEnglish());
    image.setLanguageChooseEnglish(true);
    image.setManualOpen(false);
    EXPECT_EQ(image.byte(layout::kFunctions), 0x46);

    image.setByte(layout::kRadioType, 0x01);
    image.setRadioTypeBits(layout::kRadioType400470);
    image.setFrequencyDifferMenu(true);
    EXPECT_EQ(image.byte(layout::kRadioType), 0x45);

    image.setByte(layout::kStep, 0xF8);
    image.setStep(3);
    EXPECT_EQ(image.byte(layout::kStep), 0xFB);
}

TEST(FrequencyMode, DifferIsBigEndianAndDirectionElevenReadsMinus)
{
    ChannelImage image;
    image.setFrequencyDiffer(60000);
    EXPECT_EQ(image.byte(0xD10), 0x00);
    EXPECT_EQ(image.byte(0xD11), 0x06);
    image.setModeFrequency(44660000);
    EXPECT_EQ(image.byte(0xD06), 0x66);
    EXPECT_EQ(image.byte(0xD07), 0x44);

    image.setByte(layout::kModeFlags, 0xF8);
    EXPECT_EQ(image.differDirection(), DifferDirection::Minus);
    image.setDifferDirection(DifferDirection::Plus);
    EXPECT_EQ(image.byte(layout::kModeFlags), 0xB8);
    image.setDifferDirection(DifferDirection::Off);
    EXPECT_EQ(image.differDirection(), DifferDirection::Off);
    EXPECT_TRUE(image.modeWide());
}

} // namespace
} // namespace kx9
