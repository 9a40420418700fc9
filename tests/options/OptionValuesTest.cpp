#include "OptionValues.h"
#include "OptionFields.h"
#include "RadioType.h"
#include "TempFolder.h"
#include "UnshownValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

namespace kx9 {
namespace {

using B4 = std::array<std::uint8_t, 4>;

B4 four(const ChannelImage &image, std::size_t offset)
{
    return {image.byte(offset), image.byte(offset + 1), image.byte(offset + 2),
            image.byte(offset + 3)};
}

void setBytes(ChannelImage &image, std::size_t offset, std::initializer_list<std::uint8_t> bytes)
{
    for (const std::uint8_t byte : bytes)
        image.setByte(offset++, byte);
}

std::string shown(const OptionValues &values, std::string_view label)
{
    const OptionField *field = findOptionField(label);
    return field ? fieldText(*field, values) : "(no such field)";
}

// The dialog's controls in their order, each with what it shows for a new image.
TEST(OptionValues, NewDocumentImageShowsTheDefaults)
{
    const OptionValues v = loadOptions(newDocumentImage());
    std::string shown;
    for (const OptionField &field : optionFields())
        shown += std::string(field.label) + ": " + fieldText(field, v) + "\n";
    EXPECT_EQ(shown, test::slurp(KX9_TEST_DATA "/options/new-document-settings.txt"));
}

// A stored byte, what the dialog shows for it, what OK stores back, and what
// the dialog says first when it cannot show the byte (empty when it can).
TEST(OptionValues, StoredValuesShowAndStoreBackAsTheDialogDoes)
{
    const std::tuple<std::size_t, int, std::string_view, std::string, int, std::string> rows[] = {
        {0x814, 41, "Time Out Timer", "OFF", 0, "41 (not in 0-40; OK stores OFF)"},
        {0x814, 40, "Time Out Timer", "600", 40, ""},
        {0x813, 10, "Squelch Level", "0", 0, "10 (not in 0-9; OK stores 0)"},
        {0x813, 9, "Squelch Level", "9", 9, ""},
        {0x815, 4, "Vox Gain Level", "Off", 0, "4 (not in 0-3; OK stores Off)"},
        {0x815, 3, "Vox Gain Level", "3", 3, ""},
        // Step 5 has no item: stored as "25k"; bits 3-7 are kept.
        {0x817, 0xF5, "Step", "", 0xF4, "5 (not in 0-4; OK stores 25k)"},
        {0x817, 0xA3, "Step", "12.5k", 0xA3, ""},
        // Priority 128 (channel 129) has no item: stored as the list's "no selection".
        {0x81A, 0x80, "Priority Channel", "", 0xFF, "129 (not in 1-128; OK stores FF)"},
        {0x81A, 0xFF, "Priority Channel", "", 0xFF, ""},
        {0x81A, 127, "Priority Channel", "128", 127, ""},
        {0x812, 0x03, "Language Choose", "Off", 0x00, "3 (not in 0, 2; OK stores Off)"},
        {0x812, 0xAE, "Language Choose", "English", 0x02, ""},
        // A digit of 12 in the differ's hundreds: OK keeps the low eight digits.
        {0xD10, 0xC0, "Frequency Differ", "1200.00000", 0x20,
         "1200.00000 (not in 0-999.99999; OK stores 200.00000)"},
        {0xD10, 0x99, "Frequency Differ", "990.00000", 0x99, ""},
    };
    for (const auto &[offset, stored, label, text, storedBack, told] : rows) {
        ChannelImage image = newDocumentImage();
        image.setByte(offset, std::uint8_t(stored));
        const OptionValues v = loadOptions(image);
        const std::vector<UnshownValue> unshown = unshownValues(image);
        storeOptions(v, image);
        EXPECT_EQ(std::tuple(shown(v, label), unshownFieldText(unshown, label, Language::English),
                             unshown.size(), int(image.byte(offset))),
                  std::tuple(text, told, told.empty() ? 0u : 1u, storedBack))
            << label << " stored " << stored;
    }
}

TEST(OptionValues, PttIdEndsAtTheFirstErasedByteAndIsPaddedWithThem)
{
    using Bytes = ChannelImage::PttIdBytes;
    // Stored bytes, what the dialog shows, what OK stores back.
    const std::tuple<Bytes, std::string, Bytes> rows[] = {
        {{0x41, 0x42, 0xFF, 0x43, 0xFF, 0xFF}, "AB", {0x41, 0x42, 0xFF, 0xFF, 0xFF, 0xFF}},
        {{0x31, 0x32, 0x33, 0x34, 0x35, 0x36}, "123456", {0x31, 0x32, 0x33, 0x34, 0x35, 0x36}},
        {{0x00, 0x41, 0x42, 0xFF, 0xFF, 0xFF}, "", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        // One byte per character: a Latin-1 capital comes back as the same byte.
        {{0xC9, 0x41, 0xFF, 0xFF, 0xFF, 0xFF}, "ÉA", {0xC9, 0x41, 0xFF, 0xFF, 0xFF, 0xFF}},
        // The last byte that is one byte of UTF-8, and the first that is two.
        {{0x7F, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}, "\x7F\u0080", {0x7F, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto &[stored, text, storedBack] : rows) {
        ChannelImage image = newDocumentImage();
        image.setPttId(stored);
        const OptionValues v = loadOptions(image);
        storeOptions(v, image);
        EXPECT_EQ(std::tuple(shown(v, "PTT ID"), image.pttId()), std::tuple(text, storedBack));
    }
}

TEST(OptionValues, DifferAndDirectionGiveTheModeFrequency)
{
    const auto mode = [](std::string differ, int direction) {
        OptionValues v = loadOptions(newDocumentImage());
        v.frequencyDiffer = std::move(differ);
        v.differDirection = direction;
        return v;
    };
    // Differ, direction, bytes at 0xD10 (highest digits first), at 0xD04
    // (lowest first), the direction bits of 0xD0D.
    const std::tuple<std::string, int, B4, B4, int> rows[] = {
        {"0.6", kDirectionPlus, {0x00, 0x06, 0x00, 0x00}, {0x00, 0x00, 0x66, 0x44}, 0x80},
        {"0.6", kDirectionMinus, {0x00, 0x06, 0x00, 0x00}, {0x00, 0x00, 0x54, 0x44}, 0x40},
        {"0.6", kDirectionOff, {0x00, 0x06, 0x00, 0x00}, {0x00, 0x00, 0x60, 0x44}, 0x00},
        {"0.00625", kDirectionPlus, {0x00, 0x00, 0x06, 0x25}, {0x25, 0x06, 0x60, 0x44}, 0x80},
        // Only the low eight digits of each number reach the image.
        {"1000", kDirectionPlus, {0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x60, 0x44}, 0x80},
        {"446", kDirectionMinus, {0x44, 0x60, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00}, 0x40},
        // Below 0 there is no frequency to encode: 0, not digits of a negative number.
        {"500", kDirectionMinus, {0x50, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00}, 0x40},
    };
    for (const auto &[differ, direction, differBytes, modeBytes, directionBits] : rows) {
        SCOPED_TRACE(differ + " direction " + std::to_string(direction));
        ChannelImage image = newDocumentImage();
        storeOptions(mode(differ, direction), image);
        EXPECT_EQ(std::tuple(four(image, 0xD10), four(image, 0xD04), int(image.byte(0xD0D)),
                             loadOptions(image).differDirection),
                  std::tuple(differBytes, modeBytes, 0x38 | directionBits, direction));
    }
    ChannelImage image = newDocumentImage();
    setBytes(image, 0xD10, {0x00, 0x06, 0x00, 0x00});
    EXPECT_EQ(loadOptions(image).frequencyDiffer, "0.60000");

    // A mode frequency of exactly 0 or 999.99999 MHz is still one.
    EXPECT_EQ(std::tuple(modeFrequencyBelowZero(mode("446", kDirectionMinus)),
                         modeFrequencyBelowZero(mode("446.00001", kDirectionMinus)),
                         modeFrequencyTooHigh(mode("553.99999", kDirectionPlus)),
                         modeFrequencyTooHigh(mode("554", kDirectionPlus))),
              std::tuple(false, true, false, true));
}

TEST(OptionValues, OkOnAnErasedImageTouchesOnlyTheDialogsBits)
{
    ChannelImage image; // all 0xFF
    const OptionValues v = loadOptions(image);
    // 0xFF counts 165 in each pair.
    EXPECT_EQ(std::tuple(v.frequencyDiffer, v.differDirection),
              std::tuple("1666.66665", kDirectionMinus));
    ChannelImage expected = image;
    // 0x812: language Off; scrambler and beep on.
    setBytes(expected, 0x812, {0x50, 0x00, 0x00, 0x00, 0xFC, 0xFC, 0x00});
    setBytes(expected, 0xD04, {0x00, 0x00, 0x00, 0x00});
    setBytes(expected, 0xD0D, {0x7F});
    setBytes(expected, 0xD10, {0x66, 0x66, 0x66, 0x65});
    storeOptions(v, image);
    EXPECT_EQ(image, expected);

    ChannelImage zero;
    std::fill(zero.bytes().begin(), zero.bytes().end(), std::uint8_t{0});
    expected = zero;
    expected.setPttId({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    setBytes(expected, 0xD04, {0x00, 0x00, 0x60, 0x44});
    storeOptions(loadOptions(zero), zero);
    EXPECT_EQ(zero, expected);
}

// Texts each field takes, with what it shows afterwards.
TEST(SetFieldText, AcceptsWhatTheDialogOffers)
{
    const std::pair<std::string_view, std::vector<std::pair<std::string, std::string>>> rows[] = {
        {"Squelch Level", {{"7", "7"}}},
        // Labels and items ignore case; the item is shown as the list has it.
        {"step", {{"6.25K", "6.25k"}}},
        {"Beep", {{"off", "Off"}}},
        {"Scrambler Activation", {{"ON", "On"}}},
        {"Time Out Timer", {{"off", "OFF"}, {"15", "15"}, {"600", "600"}}},
        {"Priority Channel", {{"128", "128"}}},
        // ß has no capital of one byte; ÷ is no letter, though among them in Latin-1.
        {"PTT ID", {{"ab-1", "AB-1"}, {"uvwxyz", "UVWXYZ"}, {"ßàéþ", "ßÀÉÞ"}, {"÷", "÷"}}},
        {"Frequency Differ", {{"12.5", "12.5"}}},
        {"Frequency Differ Direction", {{"-", "-"}}},
    };
    for (const auto &[label, texts] : rows) {
        const OptionField *field = findOptionField(label);
        ASSERT_NE(field, nullptr) << label;
        for (const auto &[text, shownAfter] : texts) {
            OptionValues values = loadOptions(newDocumentImage());
            EXPECT_EQ(setFieldText(*field, values, text), "") << text;
            EXPECT_EQ(fieldText(*field, values), shownAfter) << text;
        }
    }
}

// Texts each field refuses, with a part of the reason; the values stay as they were.
TEST(SetFieldText, RefusesWhatTheDialogDoesNotOffer)
{
    const std::tuple<std::string_view, std::vector<std::string>, std::string> rows[] = {
        {"Step", {"7k"}, "one of: 5k, 10k, 6.25k, 12.5k, 25k (not \"7k\")"},
        {"Priority Channel", {"0", ""}, "from 1 to 128"},
        {"Beep", {"yes"}, "On or Off"},
        // 2^32 + 15: no digit count that wraps round to 15 s.
        {"Time Out Timer", {"20", "615", "0", "4294967311"}, "multiple of 15"},
        {"PTT ID", {"ABCDEFG"}, "at most 6"},
        // Neither a character of two bytes nor a terminal control gets in.
        {"PTT ID", {"中", "\U0001F4FB"}, "one byte"},
        // A lone 0xA9 is not UTF-8, though it would be © in Latin-1; ÿ (0xFF)
        // would end the text in the image.
        {"PTT ID", {"\xA9", "\x1b[2J", "\xC3", "ÿ"}, "printable"},
        {"Frequency Differ", {"1.2.3"}, "one point"},
        {"Frequency Differ", {"123456789"}, "at most 8"},
        // Eight stored digits: 1000 would be stored as 0, 12345678 as 678.
        {"Frequency Differ", {"1000", "12345678"}, "at most 999.99999 MHz"},
        {"Frequency Differ", {"-1", "."}, "digits"},
    };
    const OptionValues before = loadOptions(newDocumentImage());
    for (const auto &[label, texts, reason] : rows) {
        const OptionField *field = findOptionField(label);
        ASSERT_NE(field, nullptr) << label;
        for (const std::string &text : texts) {
            OptionValues values = before;
            const std::string refused = setFieldText(*field, values, text);
            EXPECT_NE(refused.find(reason), std::string::npos) << text << ": " << refused;
            EXPECT_EQ(values, before) << text;
        }
    }
}

} // namespace
} // namespace kx9
