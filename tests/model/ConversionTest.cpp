#include "CellLanguage.h"
#include "ChannelConversion.h"
#include "ChannelImage.h"
#include "RadioType.h"
#include "TableRows.h"
#include "ToneTable.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kx9 {
namespace {

using B4 = std::array<std::uint8_t, 4>;

// The documented examples are the bytes of the channel and option tests.
TEST(Bcd8, OnlyTheLowEightDigitsAreStoredAndNibblesAboveNineCount)
{
    EXPECT_EQ(std::tuple(encodeBcd8Be(12345678), encodeBcd8Le(123456789)),
              std::tuple(B4{0x12, 0x34, 0x56, 0x78}, B4{0x89, 0x67, 0x45, 0x23}));
    // Decoding adds nibbles above nine without checking: 0xFF counts as
    // 15 * 10 + 15 = 165 in its pair and carries upward.
    EXPECT_EQ(std::tuple(decodeBcd8Le(B4{0xFF, 0x00, 0x00, 0x00}),
                         decodeBcd8Le(B4{0x00, 0x0A, 0x00, 0x00}),
                         decodeBcd8Be(B4{0xFF, 0xFF, 0xFF, 0xFF})),
              std::tuple(165u, 1000u, 165u * 1010101u));
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
// the low bytes, are ImageToTable's empty-channel case; the last channel counts too.
TEST(ChannelInUse, OnlyTheHighFrequencyBytesAreTested)
{
    ChannelImage image;
    image.setByte(layout::recordOffset(2) + 7, 0x00);
    image.setByte(layout::recordOffset(128) + 7, 0x44);
    EXPECT_EQ(std::tuple(image.channelInUse(1), image.channelInUse(2), image.channelInUse(128),
                         channelsInUse(image)),
              std::tuple(false, false, true, 1));
}

// Decoding gives back every entry, so no two entries share a code either;
// entry 0 ("Off") shows empty in a channel not in use.
TEST(ToneTable, EveryEntryRoundTripsThroughItsCode)
{
    const auto &t = ToneTable::entries();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const ToneCode code = toneTextToCode(t[i]);
        EXPECT_EQ(std::tuple(toneCodeToText(code, true), toneCodeToText(code, false)),
                  std::tuple(t[i], i == 0 ? "" : t[i]))
            << "index " << i;
    }
    EXPECT_EQ(ToneTable::indexOf("100"), -1); // only the exact text "100.0"
}

TEST(ToneTable, TextsGiveTheDocumentedBytes)
{
    // The table's own texts are the golden channel files' bytes. A "D"
    // anywhere makes it DCS; no "N" makes it inverted.
    EXPECT_EQ(std::tuple(toneTextToCode("abc"), toneTextToCode("D023X"), toneTextToCode("xD023"),
                         toneTextToCode("D6N")),
              std::tuple(ToneCode{0xFF, 0xFF}, ToneCode{0x23, 0xC0}, ToneCode{0x00, 0xC0},
                         ToneCode{0x06, 0x80}));
}

TEST(ToneTable, CodesOutsideTheTableDecodeAsTheRadioShowsThem)
{
    // High byte 0x00 or 0xFF is no tone; short DCS numbers are not padded.
    EXPECT_EQ(std::tuple(toneCodeToText({0x70, 0x00}, true), toneCodeToText({0x70, 0x00}, false),
                         toneCodeToText({0x12, 0xFF}, true), toneCodeToText({0x06, 0x80}, true),
                         toneCodeToText({0x14, 0xC1}, true), toneCodeToText({0x00, 0xC0}, true)),
              std::tuple("Off", "", "Off", "D06N", "D114I", "D00I"));
}

using test::rowOf;

// The first n bytes of a channel's record.
std::vector<std::uint8_t> recordBytes(const ChannelImage &image, int channel, std::size_t n = 16)
{
    const auto record = image.bytes().subspan(layout::recordOffset(channel), n);
    return {record.begin(), record.end()};
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
    image.setRxFrequency(128, 44600625);
    ChannelTable table;
    const auto label = [&table](int row) { return table.cell(row, kColLabel); };

    image.setRadioTypeBits(layout::kRadioType400470);
    EXPECT_EQ(imageToTable(image, table, Language::English).type, kType400470);
    EXPECT_EQ(std::tuple(label(1), label(99), table.cell(99, kColReceive)),
              std::tuple("CH-01", "CH-99", "446.00625"));
    EXPECT_EQ(std::tuple(rowOf(table, 100), rowOf(table, 128)),
              std::tuple(test::splitCells(""), test::splitCells("")));

    image.setRadioTypeBits(layout::kRadioTypePmr);
    EXPECT_EQ(imageToTable(image, table, Language::English).type, kTypePmr);
    EXPECT_EQ(std::tuple(label(9), label(10), label(99)), std::tuple("CH-P09", "CH-P10", "CH-P99"));

    image.setRadioTypeBits(layout::kRadioTypePmrLpd);
    EXPECT_EQ(imageToTable(image, table, Language::English).type, kTypePmrLpd);
    // The LPD channels count from 1 after the eight PMR ones, in two digits.
    EXPECT_EQ(std::tuple(label(9), label(17), label(18), label(77)),
              std::tuple("CH-L01", "CH-L09", "CH-L10", "CH-L69"));
    EXPECT_EQ(rowOf(table, 99), test::splitCells(""));
}

// The type, a rank up to 9 and the manual bit are what kx9-cli info shows.
TEST(ImageToTable, PowerRankAboveNineSelectsItemZero)
{
    ChannelImage image = newDocumentImage();
    image.setPowerRank(10);
    ChannelTable table;
    EXPECT_EQ(imageToTable(image, table, Language::English).powerRank, 0);
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
              (std::vector<std::uint8_t>{0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0x70, 0x06, 0xFF, 0xFB, 0xFF, 0xFF}));
    // Both tones "Off" clear the tone-use bit; "QT/DQT" is the fallback lockout.
    const std::size_t two = layout::recordOffset(2), three = layout::recordOffset(3);
    EXPECT_EQ(std::tuple(image.byte(two + layout::kToneUse), image.byte(two + layout::kFlags),
                         image.byte(three), image.byte(three + 3)),
              std::tuple(0xEF, 0xC5, 0xFF, 0xFF));
    // An empty row is written as an empty channel whatever the record held.
    EXPECT_EQ(recordBytes(image, 5),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0x10, 0x04, 0xFF, 0xFF}));
}

TEST(TableToImage, SelectorsAndMarkerLeaveOtherBitsAlone)
{
    ChannelImage image = newDocumentImage();
    image.setByte(layout::kRadioType, 0x79);
    image.setByte(layout::kMarker, 0x00);
    ChannelTable table;
    tableToImage(table, Selectors{kType400470, 3, 1}, image);
    EXPECT_EQ(std::tuple(image.byte(layout::kRadioType), image.byte(layout::kFunctions),
                         image.powerRank(), image.marker()),
              std::tuple(0x7D, 0x44, 3, 0xA8));

    tableToImage(table, Selectors{-1, -1, 0}, image); // no selections
    EXPECT_EQ(std::tuple(image.radioTypeBits(), image.powerRank(), image.manualOpen()),
              std::tuple(layout::kRadioTypePmrLpd, 0xFF, true));
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
        SCOPED_TRACE(ch);
        const std::size_t flagsAt = layout::recordOffset(ch) + layout::kFlags;
        const int flags = image.byte(flagsAt);
        const int busy = (flags & 0x06) == 0x06 ? 0 : (flags & 0x06);
        // Bytes 0-11 hold the frequencies and tones.
        EXPECT_EQ(std::tuple(recordBytes(written, ch, 12), written.toneUse(ch),
                             int{written.byte(flagsAt)}, written.nameCodes(ch)),
                  std::tuple(recordBytes(image, ch, 12), true, (flags & 0xF9) | busy,
                             image.nameCodes(ch)));
    }
}

// A cell text in English turns into its counterpart in Chinese and back; a
// text already in the target language is no source text: it stays.
TEST(FlagCellTranslation, TurnsIntoItsCounterpartBothWays)
{
    // The flag words in their columns, then texts that are no flag: names,
    // tones, frequencies and "QT/DQT" read the same in both languages, and so
    // does a flag word elsewhere than its own column or in other letters.
    const std::tuple<int, const char *, const char *> rows[] = {
        {kColBandwidth, "Wide", "宽"},   {kColBandwidth, "Narrow", "窄"},
        {kColScan, "Yes", "是"},         {kColScan, "No", "否"},
        {kColPower, "High", "高"},       {kColPower, "Low", "低"},
        {kColBusyLock, "Close", "关闭"}, {kColBusyLock, "Carrier", "载波"},
        {kColName, "HIGH", "HIGH"},      {kColScan, " Yes", " Yes"},
        {kColRxTone, "Off", "Off"},      {kColBandwidth, "wide", "wide"},
        {kColBandwidth, "", ""},         {kColBusyLock, "QT/DQT", "QT/DQT"},
        {kColPower, "Wide", "Wide"}};
    for (const auto &[col, english, chinese] : rows) {
        SCOPED_TRACE(std::to_string(col) + " " + english);
        EXPECT_EQ(std::tuple(translateCellText(col, english, Language::English, Language::Chinese),
                             translateCellText(col, chinese, Language::Chinese, Language::English),
                             translateCellText(col, chinese, Language::English, Language::Chinese),
                             translateCellText(col, english, Language::English, Language::English)),
                  std::tuple(chinese, english, chinese, english));
    }
}

TEST(ChannelRowsTranslation, ChangesOnlyTheFlagCellsOfRowsOneTo128AndComesBackWhole)
{
    ChannelTable table;
    table.setHeaders(Language::English);
    fillNewDocumentTable(table, Language::English);
    table.setCell(128, kColScan, "No");
    const ChannelTable english = table;

    translateChannelRows(table, Language::English, Language::Chinese);
    EXPECT_EQ(table.cell(0, kColBandwidth), " W/N "); // headers are the caller's
    // Row 78 is empty and stays so.
    EXPECT_EQ(std::tuple(table.cell(1, kColBandwidth), table.cell(9, kColBandwidth),
                         table.cell(1, kColPower), table.cell(9, kColPower),
                         table.cell(77, kColScan), table.cell(128, kColScan),
                         table.cell(1, kColBusyLock), table.cell(78, kColBandwidth)),
              std::tuple("窄", "宽", "高", "低", "是", "否", "关闭", ""));

    translateChannelRows(table, Language::Chinese, Language::English);
    EXPECT_EQ(table, english);
}

// The PMR+LPD and 400-470MHz sets are the new-file golden tests of kx9-cli.
TEST(FillTypeDefaults, PmrSetWithToneGroups)
{
    ChannelTable table;
    fillTypeDefaults(table, kTypePmr, Language::English);
    // Channel 17 starts the 16-channel cycle again.
    EXPECT_EQ(std::tuple(table.cell(16, kColReceive), table.cell(17, kColReceive),
                         table.cell(21, kColReceive), table.cell(17, kColRxTone),
                         table.cell(99, kColTransmit), table.cell(99, kColTxTone)),
              std::tuple("446.09375", "446.00625", "446.01875", "192.8", "446.05625", "156.7"));
    EXPECT_EQ(std::tuple(table.cell(8, kColRxTone), table.cell(9, kColRxTone),
                         table.cell(1, kColPower), table.cell(100, kColLabel)),
              std::tuple("Off", "114.8", "High", ""));
    fillTypeDefaults(table, kTypePmr, Language::Chinese);
    EXPECT_EQ(table.cell(50, kColBandwidth), "窄");
}

TEST(ChangeType, SameTypeKeepsEditsOtherTypeRebuilds)
{
    ChannelTable table, fresh;
    fillNewDocumentTable(table, Language::English);
    fillNewDocumentTable(fresh, Language::English);
    int current = kTypePmrLpd;
    table.setCell(3, kColName, "EDIT");
    EXPECT_FALSE(changeType(table, current, kTypePmrLpd, Language::English));
    EXPECT_EQ(table.cell(3, kColName), "EDIT");
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
