#include "CellLanguage.h"
#include "CaseName.h"
#include "RadioType.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

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

} // namespace
} // namespace kx9
