#include "TableEdits.h"

#include "RadioType.h"
#include "TableRows.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

ChannelTable typeDefaults(int type = kTypePmrLpd)
{
    ChannelTable table;
    table.setHeaders(Language::English);
    fillTypeDefaults(table, type, Language::English);
    return table;
}

TEST(Clipboard, EachPastedCellPassesTheRulesOfTypingAndRefusalsKeepTheirValue)
{
    ChannelTable table = typeDefaults();
    // Copied cells are the texts between TABs, a line per channel.
    EXPECT_EQ(copyCells(table, {1, 1, 2, 9}),
              "446.00625\t446.00625\tOff\tOff\tNarrow\tYes\tHigh\tClose\t\n"
              "446.01875\t446.01875\tOff\tOff\tNarrow\tYes\tHigh\tClose\t\n");
    // Channel 2: a bad step, an unknown tone, a Chinese list value, a long
    // lower-case name; channel 3 a frequency outside the radio's band.
    const std::string block = "446.001\t446.025\t67.1\td023n\t窄\tno\tLow\tcarrier\tgate-1x9\r\n"
                              "145.5\t\t\t\t\t\t\t\t\n"
                              "bad\r\n";
    table.setCell(76, kColReceive, "");
    table.setCell(76, kColTransmit, "");
    clearChannels(table, 76, 76);
    const PasteResult result = pasteCells(table, kTypePmrLpd, 2, 1, block, Language::English);
    const ChannelTable &t = result.table;
    EXPECT_EQ(
        test::rowOf(t, 2),
        test::splitCells("CH-P02|446.01875|446.02500|Off|D023N|Narrow|No|Low|Carrier|GATE-1"));
    // Emptied frequencies take their tones, not the rest of a channel in use.
    EXPECT_EQ(test::rowOf(t, 3), test::splitCells("CH-P03|145.50000||Off||Narrow|Yes|High|Close|"));
    EXPECT_EQ(t.cell(4, kColReceive), "446.04375");

    // The report names each refused cell, so it shows the refusals themselves,
    // and each cell written otherwise than pasted or with a warning.
    ASSERT_EQ(result.refused.size(), 3u);
    EXPECT_EQ(pasteReport(table, result, kTypePmrLpd, Language::English),
              "These cells were not pasted and keep their value:\n"
              "CH-P02 Receive(MHz): Error data Value，Please input according the step "
              "value(6.25K/5k/2.5k)\n"
              "CH-P02 Rx Tone: 67.1 is not a tone of the tone list\n"
              "CH-P04 Receive(MHz): Error Data Format，Please input again\n"
              "These cells were pasted with a change:\n"
              "CH-P02 Name: name \"gate-1x9\" stored as \"GATE-1\"\n"
              "CH-P03 Receive(MHz): 145.50000 MHz is outside the radio's band of 400-470 MHz; it "
              "was stored all the same");

    // List values need a frequency; a new row gets typing's defaults; channel
    // 78 lies past the type's 77 channels, and the report counts it last.
    const PasteResult onEmpty =
        pasteCells(t, kTypePmrLpd, 76, 5, "Wide\nWide\nWide", Language::Chinese);
    ASSERT_EQ(onEmpty.refused.size(), 1u);
    EXPECT_EQ(std::tuple(onEmpty.refused[0].reason, onEmpty.table.cell(77, kColBandwidth),
                         onEmpty.rowsPastType, onEmpty.table.cell(78, kColBandwidth)),
              std::tuple("该频道没有频率", "宽", 1, ""));
    EXPECT_EQ(pasteReport(t, onEmpty, kTypePmrLpd, Language::Chinese),
              "以下单元格未粘贴，保留原值：\nCH-L68 W/N: 该频道没有频率\n"
              "超出本机型最后一个频道 77 的 1 行未粘贴。");
    // A tone needs a frequency too; a list takes only its own items, and says which.
    const PasteResult listed =
        pasteCells(t, kTypePmrLpd, 76, 3, "67.0\t\t\tmaybe", Language::English);
    std::vector<std::string> reasons;
    for (const auto &refusal : listed.refused)
        reasons.push_back(refusal.reason);
    EXPECT_EQ(reasons, (std::vector<std::string>{"the channel has no frequency",
                                                 "maybe is none of Yes, No"}));
    const PasteResult fresh = pasteCells(t, kTypePmrLpd, 76, 2, "446.1", Language::English);
    EXPECT_EQ(test::rowOf(fresh.table, 76),
              test::splitCells("CH-L68||446.10000|Off|Off|Wide|Yes|High|Close|"));
}

// Moving one channel, and the top of the list, are the window's tests.
TEST(ChannelMoves, InsertDeleteAndMoveStayInsideTheTypesChannels)
{
    ChannelTable table = typeDefaults();
    table.setCell(1, kColName, "ONE");
    const ChannelTable before = table;

    // All 77 channels in use: no room to insert; nothing moves past channel 77.
    EXPECT_FALSE(insertEmptyChannels(table, kTypePmrLpd, 1, 1));
    EXPECT_FALSE(moveChannels(table, kTypePmrLpd, 76, 2, +1));
    EXPECT_FALSE(moveChannels(table, kTypePmrLpd, 77, 2, -1)); // row 78 is no channel
    EXPECT_FALSE(deleteChannels(table, kTypePmrLpd, 76, 3));
    EXPECT_EQ(table, before);
    ASSERT_TRUE(deleteChannels(table, kTypePmrLpd, 1, 2));
    EXPECT_EQ(std::tuple(table.cell(1, kColReceive), table.cell(75, kColReceive),
                         table.cell(76, kColReceive), table.cell(77, kColLabel)),
              std::tuple("446.03125", "434.77500", "", "CH-L69"));
    ASSERT_TRUE(insertEmptyChannels(table, kTypePmrLpd, 76, 2)); // up to the last channel
    ASSERT_TRUE(insertEmptyChannels(table, kTypePmrLpd, 1, 2));
    EXPECT_EQ(std::tuple(table.cell(2, kColReceive), table.cell(3, kColReceive),
                         table.cell(77, kColReceive)),
              std::tuple("", "446.03125", "434.77500"));

    table = before;
    ASSERT_TRUE(moveChannels(table, kTypePmrLpd, 1, 2, +1));
    EXPECT_EQ(
        std::tuple(table.cell(1, kColReceive), table.cell(2, kColName), table.cell(2, kColLabel)),
        std::tuple("446.03125", "ONE", "CH-P02"));
    ASSERT_TRUE(moveChannels(table, kTypePmrLpd, 2, 2, -1));
    EXPECT_EQ(table, before);
}

} // namespace
} // namespace kx9
