#include "OptionValues.h"
#include "CaseName.h"
#include "Document.h"
#include "OptionFields.h"
#include "RadioType.h"
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
    EXPECT_EQ(shown, "Squelch Level: 5\nTime Out Timer: OFF\nVox Gain Level: Off\n"
                     "Language Choose: Off\nPriority Channel: 1\nStep: 25k\nPTT ID: \nBeep: On\n"
                     "Scrambler Activation: Off\nBattery Save: Off\nH/L Power LPD: Off\n"
                     "End Of Tx PTT ID: Off\nBandWidth Menu: Off\nDiffer Direction Menu: Off\n"
                     "Frequency Differ Menu: Off\nRepeater MSK Invert: Off\n"
                     "Frequency Mode BandWidth: Wide\nFrequency Differ Direction: Off\n"
                     "Frequency Differ: 0.00000\n");
}

// A stored byte, what the dialog shows for it, what OK stores back, and what
// the dialog says first when it cannot show the byte (empty when it can).
struct RangeRow
{
    std::size_t offset;
    std::uint8_t stored;
    std::string_view label;
    std::string shown;
    std::uint8_t storedBack;
    std::string told = {};
};

using StoredValueRange = ::testing::TestWithParam<RangeRow>;

TEST_P(StoredValueRange, ShowsAndStoresBackAsTheDialogDoes)
{
    const RangeRow &row = GetParam();
    ChannelImage image = newDocumentImage();
    image.setByte(row.offset, row.stored);
    const OptionValues v = loadOptions(image);
    EXPECT_EQ(shown(v, row.label), row.shown);
    const std::vector<UnshownValue> unshown = unshownValues(image);
    EXPECT_EQ(unshownFieldText(unshown, row.label, Language::English), row.told);
    EXPECT_EQ(unshown.size(), row.told.empty() ? 0u : 1u);
    storeOptions(v, image);
    EXPECT_EQ(image.byte(row.offset), row.storedBack);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredValueRange,
    ::testing::Values(
        RangeRow{0x814, 41, "Time Out Timer", "OFF", 0, "41 (not in 0-40; OK stores OFF)"},
        RangeRow{0x814, 40, "Time Out Timer", "600", 40},
        RangeRow{0x814, 1, "Time Out Timer", "15", 1},
        RangeRow{0x813, 10, "Squelch Level", "0", 0, "10 (not in 0-9; OK stores 0)"},
        RangeRow{0x813, 9, "Squelch Level", "9", 9},
        RangeRow{0x815, 4, "Vox Gain Level", "Off", 0, "4 (not in 0-3; OK stores Off)"},
        RangeRow{0x815, 3, "Vox Gain Level", "3", 3},
        // Step 5 has no item: stored as "25k"; bits 3-7 are kept.
        RangeRow{0x817, 0xF5, "Step", "", 0xF4, "5 (not in 0-4; OK stores 25k)"},
        RangeRow{0x817, 0xA3, "Step", "12.5k", 0xA3},
        // Priority 128 (channel 129) has no item: stored as the list's "no selection".
        RangeRow{0x81A, 0x80, "Priority Channel", "", 0xFF, "129 (not in 1-128; OK stores FF)"},
        RangeRow{0x81A, 0xFF, "Priority Channel", "", 0xFF},
        RangeRow{0x81A, 127, "Priority Channel", "128", 127},
        RangeRow{0x812, 0x03, "Language Choose", "Off", 0x00, "3 (not in 0, 2; OK stores Off)"},
        RangeRow{0x812, 0xAE, "Language Choose", "English", 0x02}),
    [](const auto &info) {
        return test::caseName(info.param.label) + "_" + std::to_string(info.param.stored);
    });

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
    };
    for (const auto &[stored, text, storedBack] : rows) {
        ChannelImage image = newDocumentImage();
        image.setPttId(stored);
        const OptionValues v = loadOptions(image);
        EXPECT_EQ(shown(v, "PTT ID"), text);
        storeOptions(v, image);
        EXPECT_EQ(image.pttId(), storedBack) << text;
    }
}

TEST(OptionValues, DifferAndDirectionGiveTheModeFrequency)
{
    // Differ, direction, bytes at 0xD10 (highest digits first), at 0xD04
    // (lowest first), the direction bits of 0xD0D.
    const std::tuple<std::string, int, B4, B4, std::uint8_t> rows[] = {
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
        OptionValues v = loadOptions(image);
        v.frequencyDiffer = differ;
        v.differDirection = direction;
        storeOptions(v, image);
        EXPECT_EQ(four(image, 0xD10), differBytes);
        EXPECT_EQ(four(image, 0xD04), modeBytes);
        EXPECT_EQ(image.byte(0xD0D), 0x38 | directionBits);
        EXPECT_EQ(loadOptions(image).differDirection, direction);
    }
    ChannelImage image = newDocumentImage();
    setBytes(image, 0xD10, {0x00, 0x06, 0x00, 0x00});
    EXPECT_EQ(loadOptions(image).frequencyDiffer, "0.60000");

    // A mode frequency of exactly 0 or 999.99999 MHz is still one.
    const auto mode = [](std::string differ, int direction) {
        OptionValues v = loadOptions(newDocumentImage());
        v.frequencyDiffer = std::move(differ);
        v.differDirection = direction;
        return v;
    };
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
    EXPECT_EQ(v.frequencyDiffer, "1666.66665"); // 0xFF counts 165 in each pair
    EXPECT_EQ(v.differDirection, kDirectionMinus);
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

TEST(OptionValues, OkMarksTheDocumentModifiedOnlyWhenBytesChange)
{
    Document doc;
    doc.newDocument(Language::English);
    EXPECT_TRUE(applyOptionalFeatures(doc, loadOptions(doc.image())));
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(applyOptionalFeatures(doc, loadOptions(doc.image()))); // and no step
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.isModified());
    OptionValues v = loadOptions(doc.image());
    v.squelch = 2;
    EXPECT_TRUE(applyOptionalFeatures(doc, v));
    EXPECT_TRUE(doc.isModified());
    // The manual setting that OK clears comes back from its selector on save.
    EXPECT_EQ(doc.image().byte(0x812) & 0x80, 0);
    EXPECT_EQ(doc.imageAsSaved().byte(0x812) & 0x80, 0x80);
}

struct SetRow
{
    std::string_view label;
    std::string text;
    std::string shownAfter;  // empty: refused
    std::string reason = {}; // a part of the refusal
    friend void PrintTo(const SetRow &r, std::ostream *out) { *out << r.label << "=" << r.text; }
};

using SetFieldText = ::testing::TestWithParam<SetRow>;

std::string rowName(const ::testing::TestParamInfo<SetRow> &info)
{
    return test::caseName(std::string(info.param.label) + "_" + info.param.text);
}

TEST_P(SetFieldText, AcceptsWhatTheDialogOffersAndRefusesTheRest)
{
    const SetRow &row = GetParam();
    const OptionField *field = findOptionField(row.label);
    ASSERT_NE(field, nullptr) << row.label;
    const OptionValues before = loadOptions(newDocumentImage());
    OptionValues values = before;
    const std::string refused = setFieldText(*field, values, row.text);
    if (row.shownAfter.empty()) {
        EXPECT_NE(refused.find(row.reason), std::string::npos) << refused;
        EXPECT_EQ(values, before);
    } else {
        EXPECT_EQ(refused, "");
        EXPECT_EQ(fieldText(*field, values), row.shownAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, SetFieldText,
    ::testing::Values(SetRow{"Squelch Level", "7", "7"},
                      // Labels and items ignore case; the item is shown as the list has it.
                      SetRow{"step", "6.25K", "6.25k"}, SetRow{"Beep", "off", "Off"},
                      SetRow{"Time Out Timer", "off", "OFF"}, SetRow{"Time Out Timer", "15", "15"},
                      SetRow{"Time Out Timer", "600", "600"},
                      SetRow{"Priority Channel", "128", "128"}, SetRow{"PTT ID", "ab-1", "AB-1"},
                      SetRow{"PTT ID", "abcdef", "ABCDEF"},
                      SetRow{"PTT ID", "ßàéþ", "ßÀÉÞ"}, // ß has no capital of one byte
                      SetRow{"PTT ID", "÷", "÷"},       // no letter, though among them in Latin-1
                      SetRow{"Frequency Differ", "12.5", "12.5"},
                      SetRow{"Frequency Differ Direction", "-", "-"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Refused, SetFieldText,
    ::testing::Values(
        SetRow{"Step", "7k", "", "one of: 5k, 10k, 6.25k, 12.5k, 25k (not \"7k\")"},
        SetRow{"Priority Channel", "0", "", "from 1 to 128"},
        SetRow{"Priority Channel", "", "", "from 1 to 128"}, SetRow{"Beep", "yes", "", "On or Off"},
        SetRow{"Time Out Timer", "20", "", "multiple of 15"},
        SetRow{"Time Out Timer", "615", "", "multiple of 15"},
        SetRow{"Time Out Timer", "0", "", "multiple of 15"},
        // 2^32 + 15: no digit count that wraps round to 15 s.
        SetRow{"Time Out Timer", "4294967311", "", "multiple of 15"},
        SetRow{"PTT ID", "ABCDEFG", "", "at most 6"},
        // Neither a character of two bytes nor a terminal control gets in.
        SetRow{"PTT ID", "中", "", "one byte"}, SetRow{"PTT ID", "\U0001F4FB", "", "one byte"},
        // Not UTF-8, though it would be © in Latin-1.
        SetRow{"PTT ID", "\xA9", "", "printable"}, SetRow{"PTT ID", "\x1b[2J", "", "printable"},
        SetRow{"PTT ID", "\xC3", "", "printable"},
        // 0xFF would end the text in the image.
        SetRow{"PTT ID", "ÿ", "", "printable"},
        SetRow{"Frequency Differ", "1.2.3", "", "one point"},
        SetRow{"Frequency Differ", "123456789", "", "at most 8"},
        // Eight stored digits: 1000 would be stored as 0, 12345678 as 678.
        SetRow{"Frequency Differ", "1000", "", "at most 999.99999 MHz"},
        SetRow{"Frequency Differ", "12345678", "", "at most 999.99999 MHz"},
        SetRow{"Frequency Differ", "-1", "", "digits"},
        SetRow{"Frequency Differ", ".", "", "digits"}),
    rowName);

} // namespace
} // namespace kx9
