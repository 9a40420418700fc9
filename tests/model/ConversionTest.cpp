#include "CaseName.h"
#include "CellLanguage.h"
#include "ChannelConversion.h"
#include "RadioType.h"
#include "TableRows.h"
#include "ToneTable.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

using test::rowOf;

std::array<std::uint8_t, 16> recordBytes(const ChannelImage &image, int channel)
{
    std::array<std::uint8_t, 16> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = image.byte(layout::recordOffset(channel) + i);
    return out;
}

// An image with channel 1 in use, the given flags byte and a name.
ChannelImage imageWithChannelOne(std::uint8_t flags)
{
    ChannelImage image = newDocumentImage();
    image.setRxFrequency(1, 44600625);
    image.setTxFrequency(1, 44600625);
    image.setByte(layout::recordOffset(1) + layout::kFlags, flags);
    return image;
}

TEST(ImageToTable, FlagBitsShowInEitherLanguage)
{
    ChannelTable table;
    imageToTable(imageWithChannelOne(0x14), table, Language::English);
    EXPECT_EQ(rowOf(table, 1),
              test::splitCells("CH-P01|446.00625|446.00625|Off|Off|Wide|No|Low|QT/DQT|"));
    imageToTable(imageWithChannelOne(0x08), table, Language::Chinese);
    EXPECT_EQ(rowOf(table, 1),
              test::splitCells("CH-P01|446.00625|446.00625|Off|Off|窄|是|低|关闭|"));
}

TEST(ImageToTable, EmptyChannelShowsOnlyStoredTonesAndNameAndReceiveZeroOnlyItsCell)
{
    ChannelImage image = imageWithChannelOne(0xFF);
    image.setByte(layout::recordOffset(1) + 3, 0x00);
    // Leftovers in the low frequency bytes and flags; +3 and +7 are 0xFF.
    image.setByte(layout::recordOffset(2), 0x25);
    image.setByte(layout::recordOffset(2) + layout::kFlags, 0x3E);
    image.setRxTone(2, {0x70, 0x06});
    image.setNameCodes(2, {0x0A, 0x40, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    ChannelTable table;
    imageToTable(image, table, Language::English);
    EXPECT_EQ(rowOf(table, 1), test::splitCells("CH-P01||446.00625|Off|Off|Wide|Yes|High|Close|"));
    EXPECT_EQ(rowOf(table, 2), test::splitCells("CH-P02|||67.0||||||A"));
}

TEST(ImageToTable, TypeBitsDecideLabelsAndHiddenRows)
{
    ChannelImage image = imageWithChannelOne(0xFF);
    image.setRxFrequency(99, 44600625);
    image.setRxFrequency(100, 44600625);
    ChannelTable table;

    image.setRadioTypeBits(layout::kRadioType400470);
    Selectors s = imageToTable(image, table, Language::English);
    EXPECT_EQ(s.type, kType400470);
    EXPECT_EQ(table.cell(1, kColLabel), "CH-01");
    EXPECT_EQ(table.cell(99, kColLabel), "CH-99");
    EXPECT_EQ(table.cell(99, kColReceive), "446.00625");
    EXPECT_EQ(rowOf(table, 100), test::splitCells(""));

    image.setRadioTypeBits(0x06); // 11 reads as "PMR" here
    s = imageToTable(image, table, Language::English);
    EXPECT_EQ(s.type, kTypePmr);
    EXPECT_EQ(table.cell(9, kColLabel), "CH-P09");
    EXPECT_EQ(table.cell(10, kColLabel), "CH-P10");

    image.setRadioTypeBits(layout::kRadioTypePmrLpd);
    s = imageToTable(image, table, Language::English);
    EXPECT_EQ(s.type, kTypePmrLpd);
    // The LPD channels count from 1 after the eight PMR ones, in two digits.
    EXPECT_EQ(std::tuple(table.cell(9, kColLabel), table.cell(17, kColLabel),
                         table.cell(18, kColLabel), table.cell(77, kColLabel)),
              std::tuple("CH-L01", "CH-L09", "CH-L10", "CH-L69"));
    EXPECT_EQ(rowOf(table, 99), test::splitCells(""));
}

TEST(ImageToTable, SelectorsFromManualBitAndPowerRank)
{
    ChannelImage image = newDocumentImage();
    ChannelTable table;
    EXPECT_EQ(imageToTable(image, table, Language::English), (Selectors{2, 9, 0}));
    image.setManualOpen(false);
    image.setPowerRank(10); // above 9 selects item 0
    EXPECT_EQ(imageToTable(image, table, Language::English), (Selectors{2, 0, 1}));
}

TEST(TableToImage, DocumentedFrequencyToneAndFlagBytes)
{
    ChannelImage image = newDocumentImage();
    ChannelTable table;
    test::setRow(table, 1,
                 test::splitCells("CH-P01|446.00625||Off|67.0|Wide|Yes|High|Carrier|CH 1-A"));
    test::setRow(table, 2, test::splitCells("CH-P02|446.00625|446.00625|Off|Off|||||abc"));
    table.setCell(3, kColReceive, "-446.00625"); // stored as no frequency
    image.setByte(layout::recordOffset(5) + layout::kToneUse, 0x00);
    image.setByte(layout::recordOffset(5) + layout::kFlags, 0x00);
    tableToImage(table, Selectors{}, image);

    EXPECT_EQ(recordBytes(image, 1),
              (std::array<std::uint8_t, 16>{0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                            0xFF, 0x70, 0x06, 0xFF, 0xFB, 0xFF, 0xFF}));
    // Both tones "Off" clear the tone-use bit; "QT/DQT" is the fallback lockout.
    EXPECT_EQ(image.byte(layout::recordOffset(2) + layout::kToneUse), 0xEF);
    EXPECT_EQ(image.byte(layout::recordOffset(2) + layout::kFlags), 0xC5);
    EXPECT_EQ(image.byte(layout::recordOffset(3)), 0xFF);
    EXPECT_EQ(image.byte(layout::recordOffset(3) + 3), 0xFF);
    // An empty row is written as an empty channel whatever the record held.
    EXPECT_EQ(recordBytes(image, 5),
              (std::array<std::uint8_t, 16>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                            0xFF, 0xFF, 0xFF, 0x10, 0x04, 0xFF, 0xFF}));
}

TEST(TableToImage, SelectorsAndMarkerLeaveOtherBitsAlone)
{
    ChannelImage image = newDocumentImage();
    image.setByte(layout::kRadioType, 0x79);
    image.setByte(layout::kMarker, 0x00);
    ChannelTable table;
    tableToImage(table, Selectors{kType400470, 3, 1}, image);
    EXPECT_EQ(image.byte(layout::kRadioType), 0x7D);
    EXPECT_EQ(image.byte(layout::kFunctions), 0x44);
    EXPECT_EQ(image.powerRank(), 3);
    EXPECT_EQ(image.marker(), 0xA8);

    tableToImage(table, Selectors{-1, -1, 0}, image); // no selections
    EXPECT_EQ(image.radioTypeBits(), layout::kRadioTypePmrLpd);
    EXPECT_EQ(image.powerRank(), 0xFF);
    EXPECT_TRUE(image.manualOpen());
}

// Read followed by Write: every channel within the type's count comes back
// with its frequencies, tones, name and flag bits 3-5; lockout 11 becomes 00
// and the tone-use bit is recomputed. The table holds the Chinese texts, so
// this also shows they are read back whatever the language.
TEST(RoundTrip, ImageToTableToImageKeepsEveryExpressibleValue)
{
    ChannelImage image = newDocumentImage();
    const auto &tones = ToneTable::entries();
    for (int ch = 1; ch <= 77; ++ch) {
        image.setRxFrequency(ch, static_cast<std::uint32_t>(40000000 + ch * 625));
        image.setTxFrequency(ch, static_cast<std::uint32_t>(47000000 - ch * 500));
        image.setRxTone(ch, toneTextToCode(tones[static_cast<std::size_t>(ch)]));
        image.setTxTone(ch, toneTextToCode(tones[static_cast<std::size_t>(ch + 150)]));
        image.setByte(layout::recordOffset(ch) + layout::kFlags, static_cast<std::uint8_t>(ch * 7));
        image.setNameCodes(
            ch, {static_cast<std::uint8_t>(ch % 38), 0x24, 0x25, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    }
    ChannelTable table;
    const Selectors s = imageToTable(image, table, Language::Chinese);
    ChannelImage written = image;
    tableToImage(table, s, written);
    for (int ch = 1; ch <= 77; ++ch) {
        const std::size_t r = layout::recordOffset(ch);
        for (std::size_t i = 0; i < 12; ++i) {
            EXPECT_EQ(written.byte(r + i), image.byte(r + i)) << "channel " << ch << " byte " << i;
        }
        EXPECT_TRUE(written.toneUse(ch));
        const auto flags = image.byte(r + layout::kFlags);
        const auto busy = (flags & 0x06) == 0x06 ? 0 : (flags & 0x06);
        EXPECT_EQ(written.byte(r + layout::kFlags), (flags & 0xF9) | busy) << "channel " << ch;
        EXPECT_EQ(written.nameCodes(ch), image.nameCodes(ch));
    }
}

// A cell text in English and its counterpart in Chinese; texts that are no
// flag are their own counterpart.
struct FlagPair
{
    int col;
    const char *en;
    const char *zh;
};

using FlagCellTranslation = ::testing::TestWithParam<FlagPair>;

TEST_P(FlagCellTranslation, TurnsIntoItsCounterpartBothWays)
{
    const FlagPair p = GetParam();
    EXPECT_EQ(translateCellText(p.col, p.en, Language::English, Language::Chinese), p.zh);
    EXPECT_EQ(translateCellText(p.col, p.zh, Language::Chinese, Language::English), p.en);
    // A text already in the target language is no source text: it stays.
    EXPECT_EQ(translateCellText(p.col, p.zh, Language::English, Language::Chinese), p.zh);
    EXPECT_EQ(translateCellText(p.col, p.en, Language::English, Language::English), p.en);
}

std::string flagPairName(const ::testing::TestParamInfo<FlagPair> &info)
{
    return "Column" + std::to_string(info.param.col) + "_" + test::caseName(info.param.en);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFlag, FlagCellTranslation,
    ::testing::Values(FlagPair{kColBandwidth, "Wide", "宽"},
                      FlagPair{kColBandwidth, "Narrow", "窄"}, FlagPair{kColScan, "Yes", "是"},
                      FlagPair{kColScan, "No", "否"}, FlagPair{kColPower, "High", "高"},
                      FlagPair{kColPower, "Low", "低"}, FlagPair{kColBusyLock, "Close", "关闭"},
                      FlagPair{kColBusyLock, "Carrier", "载波"}),
    flagPairName);

// Names, tones, frequencies and "QT/DQT" read the same in both languages; a
// flag word elsewhere than its own column, or in other letters, is no flag.
INSTANTIATE_TEST_SUITE_P(
    NotFlagTexts, FlagCellTranslation,
    ::testing::Values(FlagPair{kColBusyLock, "QT/DQT", "QT/DQT"},
                      FlagPair{kColName, "HIGH", "HIGH"}, FlagPair{kColRxTone, "Off", "Off"},
                      FlagPair{kColPower, "Wide", "Wide"}, FlagPair{kColBandwidth, "wide", "wide"},
                      FlagPair{kColScan, " Yes", " Yes"}, FlagPair{kColBandwidth, "", ""}),
    flagPairName);

TEST(ChannelRowsTranslation, ChangesOnlyTheFlagCellsOfRowsOneTo128AndComesBackWhole)
{
    ChannelTable table;
    table.setHeaders(Language::English);
    fillNewDocumentTable(table, Language::English);
    table.setCell(128, kColScan, "No");
    const ChannelTable english = table;

    translateChannelRows(table, Language::English, Language::Chinese);
    EXPECT_EQ(table.cell(0, kColBandwidth), " W/N "); // headers are the caller's
    EXPECT_EQ(table.cell(1, kColBandwidth), "窄");
    EXPECT_EQ(table.cell(9, kColBandwidth), "宽");
    EXPECT_EQ(table.cell(1, kColPower), "高");
    EXPECT_EQ(table.cell(9, kColPower), "低");
    EXPECT_EQ(table.cell(77, kColScan), "是");
    EXPECT_EQ(table.cell(128, kColScan), "否");
    EXPECT_EQ(table.cell(1, kColBusyLock), "关闭");
    EXPECT_EQ(table.cell(78, kColBandwidth), ""); // empty rows stay empty

    translateChannelRows(table, Language::Chinese, Language::English);
    EXPECT_EQ(table, english);
}

// The PMR+LPD and 400-470MHz sets are the new-file golden tests of kx9-cli.
TEST(FillTypeDefaults, PmrSetWithToneGroups)
{
    ChannelTable table;
    fillTypeDefaults(table, kTypePmr, Language::English);
    EXPECT_EQ(table.cell(16, kColReceive), "446.09375");
    EXPECT_EQ(table.cell(17, kColReceive), "446.00625"); // the 16-channel cycle again
    EXPECT_EQ(table.cell(21, kColReceive), "446.01875");
    EXPECT_EQ(table.cell(17, kColRxTone), "192.8");
    EXPECT_EQ(table.cell(99, kColTransmit), "446.05625");
    EXPECT_EQ(table.cell(99, kColTxTone), "156.7");
    EXPECT_EQ(table.cell(8, kColRxTone), "Off");
    EXPECT_EQ(table.cell(9, kColRxTone), "114.8");
    EXPECT_EQ(table.cell(1, kColPower), "High");
    EXPECT_EQ(table.cell(100, kColLabel), "");
    fillTypeDefaults(table, kTypePmr, Language::Chinese);
    EXPECT_EQ(table.cell(50, kColBandwidth), "窄");
}

TEST(ChangeType, SameTypeKeepsEditsOtherTypeRebuilds)
{
    ChannelTable table;
    fillNewDocumentTable(table, Language::English);
    int current = kTypePmrLpd;
    table.setCell(3, kColName, "EDIT");
    EXPECT_FALSE(changeType(table, current, kTypePmrLpd, Language::English));
    EXPECT_EQ(table.cell(3, kColName), "EDIT");

    ChannelTable fresh;
    fillNewDocumentTable(fresh, Language::English);
    EXPECT_TRUE(changeType(table, current, kTypePmr, Language::English));
    EXPECT_EQ(current, kTypePmr);
    EXPECT_TRUE(changeType(table, current, kTypePmrLpd, Language::English));
    EXPECT_EQ(table, fresh);
}

TEST(NewDocument, SelectorsUseTheViewsOwnTypeRule)
{
    ChannelImage image = newDocumentImage();
    EXPECT_EQ(newDocumentSelectors(image), (Selectors{kTypePmrLpd, 9, 0}));
    image.setRadioTypeBits(0x06); // 11: "400-470MHz" here, "PMR" in the conversion
    image.setPowerRank(0x1A);     // low four bits 10: no item of "0" to "9"
    image.setManualOpen(false);
    EXPECT_EQ(newDocumentSelectors(image), (Selectors{kType400470, -1, 1}));
    EXPECT_EQ(radioTypeFromImage(image), kTypePmr);
    image.setRadioTypeBits(layout::kRadioTypePmr);
    EXPECT_EQ(newDocumentSelectors(image).type, kTypePmr);
}

} // namespace
} // namespace kx9
