#include "ChannelCompare.h"
#include "ChannelConversion.h"
#include "RadioType.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace kx9 {
namespace {

using Lines = std::vector<std::string>;

// A channel file as opened: the image and the table filled from it.
struct Opened
{
    ChannelImage image;
    ChannelTable table;
    explicit Opened(const ChannelImage &i) : image(i)
    {
        imageToTable(image, table, Language::English);
    }
    OpenedChannels view() const { return {image, table}; }
};

ChannelImage withChannelFive()
{
    ChannelImage image = newDocumentImage();
    image.setRxFrequency(5, 44600625);
    image.setTxFrequency(5, 44600625);
    image.setRxTone(5, {0xFF, 0xFF});
    image.setTxTone(5, {0x70, 0x06}); // 67.0
    image.setByte(layout::recordOffset(5) + layout::kFlags, 0x38);
    image.setNameCodes(5, {0x0A, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}); // AB
    return image;
}

TEST(ChannelCompare, EachDifferenceIsOneLineInTheFixedOrder)
{
    const Opened a(withChannelFive());
    ChannelImage changed = a.image;
    changed.setRxFrequency(5, 44601875);
    changed.setNameCodes(5, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    changed.setByte(layout::recordOffset(5) + 15, 0xF7); // reserved, no cell shows it
    // Bandwidth: its cell shows it, so its byte is not shown again.
    changed.setByte(layout::recordOffset(5) + layout::kFlags, 0x28);
    // The tone-use byte's bits beside the one a cell shows.
    changed.setByte(layout::recordOffset(5) + layout::kToneUse,
                    a.image.byte(layout::recordOffset(5) + layout::kToneUse) ^ 0x01);
    changed.setByte(layout::recordOffset(128), 0x25); // past the type's channels: the last
    changed.setByte(layout::recordOffset(6) + layout::kFlags, 0); // an empty channel's flags
    changed.setSquelch(7);
    changed.setModeFrequency(44600625);
    // The first byte of the frequency-mode block, and the first after it.
    changed.setByte(layout::kModeBase, 0x50);
    changed.setByte(layout::kModeEnd, 0x12);
    changed.setByte(layout::nameOffset(kChannelCount + 1), 0x33); // the first after the names
    changed.setHighPowerCalibration(0x80);
    const Opened b(changed);
    EXPECT_EQ(compareChannelFiles(a.view(), b.view()),
              test::lines(test::slurp(KX9_TEST_DATA "/lists/compare-every-difference.txt")));
}

// Settings bytes beside labelled lines: a line that differs explains the
// bits it is read from, and only those; every other differing bit shows as
// its byte, whatever the lines say. A name, the change, the lines expected.
using SettingsCase = std::tuple<const char *, std::function<void(ChannelImage &)>, Lines>;
using SettingsBytes = ::testing::TestWithParam<SettingsCase>;

TEST_P(SettingsBytes, EveryDifferingBitIsShownOnce)
{
    const auto &[name, change, expected] = GetParam();
    const Opened a(withChannelFive());
    ChannelImage changed = a.image;
    change(changed);
    const SettingsReader reader = [](const ChannelImage &image) {
        return std::vector<SettingLine>{
            {"Squelch Level", std::to_string(image.squelch()), {.offset = 0x813, .length = 1}},
            {"Step", std::to_string(image.step()), {.offset = 0x817, .mask = 0x07, .length = 1}}};
    };
    EXPECT_EQ(compareChannelFiles(a.view(), Opened(changed).view(), reader), expected);
}

const SettingsCase kSettingsCases[] = {
    {"ByteNoLineReadsBesideALabelledLine",
     [](ChannelImage &i) {
         i.setSquelch(7);
         i.setByte(0x818, 0x5A);
         i.setByte(0x840, 0x12);
     },
     {"Squelch Level: 5 -> 7", "Settings 0x818: 00 -> 5A", "Settings 0x840: FF -> 12"}},
    {"BitsBesideALabelledFieldInItsByte",
     [](ChannelImage &i) { i.setByte(0x817, 0x18); },
     {"Step: 4 -> 0", "Settings 0x817: 04 -> 18"}},
    // The labels change with the type, the cells do not; the Type line
    // explains the type bits of 0x81F.
    {"ARadioTypeChangeIsNamedOnce",
     [](ChannelImage &i) { i.setRadioTypeBits(layout::kRadioTypePmr); },
     {"Type: PMR+LPD -> PMR"}},
    {"LinesAgreeButBytesDiffer",
     [](ChannelImage &i) { i.setByte(0x840, 0x12); },
     {"Settings 0x840: FF -> 12"}},
};

INSTANTIATE_TEST_SUITE_P(ChannelCompare, SettingsBytes, ::testing::ValuesIn(kSettingsCases),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

} // namespace
} // namespace kx9
