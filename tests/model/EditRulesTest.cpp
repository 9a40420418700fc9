#include "EditRules.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

constexpr int kRow = 5;

void apply(ChannelTable &table, const EditOutcome &outcome)
{
    for (const CellEdit &e : outcome.edits)
        table.setCell(e.row, e.col, e.text);
}

std::array<std::string, kTableCols> row(const ChannelTable &table, int r)
{
    std::array<std::string, kTableCols> cells;
    for (int c = 0; c < kTableCols; ++c)
        cells[static_cast<std::size_t>(c)] = table.cell(r, c);
    return cells;
}

ChannelTable tableWithLabel()
{
    ChannelTable t;
    t.setCell(kRow, kColLabel, "CH-P05");
    return t;
}

ChannelTable tableWithChannel()
{
    ChannelTable t = tableWithLabel();
    const char *cells[] = {"CH-P05", "446.00625", "446.01875", "67.0",    "D023N",
                           "Narrow", "No",        "Low",       "Carrier", "BASE"};
    for (int c = 0; c < kTableCols; ++c)
        t.setCell(kRow, c, cells[c]);
    return t;
}

TEST(FrequencyCommit, ValueTypedIntoEmptyRowFillsTheNewRowDefaults)
{
    ChannelTable t = tableWithLabel();
    t.setCell(kRow, kColName, "OLD");
    const EditOutcome out =
        commitFrequency(t, kRow, kColReceive, "446.00625", CommitKind::Leave, Language::English);
    apply(t, out);
    EXPECT_FALSE(out.message);
    const std::array<std::string, kTableCols> expected = {
        "CH-P05", "446.00625", "446.00625", "Off", "Off", "Wide", "Yes", "High", "Close", ""};
    EXPECT_EQ(row(t, kRow), expected);
}

TEST(FrequencyCommit, NewRowVariants)
{
    // Enter keeps the name that the row held.
    ChannelTable t = tableWithLabel();
    t.setCell(kRow, kColName, "OLD");
    apply(t,
          commitFrequency(t, kRow, kColReceive, "446.00625", CommitKind::Enter, Language::English));
    EXPECT_EQ(t.cell(kRow, kColName), "OLD");
    EXPECT_EQ(t.cell(kRow, kColTransmit), "446.00625");

    // A transmit frequency typed first leaves Receive empty.
    t = tableWithLabel();
    apply(t, commitFrequency(t, kRow, kColTransmit, "446.1", CommitKind::Leave, Language::English));
    EXPECT_EQ(t.cell(kRow, kColReceive), "");
    EXPECT_EQ(t.cell(kRow, kColTransmit), "446.10000");
    EXPECT_EQ(t.cell(kRow, kColRxTone), "Off");
    EXPECT_EQ(t.cell(kRow, kColBusyLock), "Close");

    // The defaults follow the language.
    t = tableWithLabel();
    apply(t,
          commitFrequency(t, kRow, kColReceive, "446.00625", CommitKind::Leave, Language::Chinese));
    EXPECT_EQ(t.cell(kRow, kColBandwidth), "宽");
    EXPECT_EQ(t.cell(kRow, kColScan), "是");
    EXPECT_EQ(t.cell(kRow, kColPower), "高");
    EXPECT_EQ(t.cell(kRow, kColBusyLock), "关闭");
    EXPECT_EQ(t.cell(kRow, kColRxTone), "Off");
}

TEST(FrequencyCommit, EditingReceiveOfAChannelKeepsItsTransmitAndFlags)
{
    ChannelTable t = tableWithChannel();
    const auto before = row(t, kRow);
    apply(t,
          commitFrequency(t, kRow, kColReceive, "433.075", CommitKind::Enter, Language::English));
    auto expected = before;
    expected[kColReceive] = "433.07500";
    EXPECT_EQ(row(t, kRow), expected);
}

TEST(FrequencyCommit, RefusedValueShowsItsMessageAndKeepsTheCellWithItsTone)
{
    const std::string_view formatEn = "Error Data Format，Please input again";
    const std::string_view formatZh = "输入数据错误，请按正确的格式及大小重新输入";
    const std::string_view stepEn =
        "Error data Value，Please input according the step value(6.25K/5k/2.5k)";
    const struct
    {
        const char *typed;
        CommitKind kind;
        std::string_view english;
        std::string_view chinese;
    } cases[] = {
        {"446.001", CommitKind::Leave, stepEn, "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入"},
        {"446.001", CommitKind::Enter, stepEn, "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入"},
        {"521.0025", CommitKind::Leave, formatEn, formatZh},
        {"abc", CommitKind::Enter, formatEn, formatZh},
    };
    for (const auto &c : cases) {
        ChannelTable t = tableWithChannel();
        const EditOutcome out =
            commitFrequency(t, kRow, kColReceive, c.typed, c.kind, Language::English);
        ASSERT_TRUE(out.message) << c.typed;
        EXPECT_EQ(out.message->en, c.english) << c.typed;
        EXPECT_EQ(out.message->zh, c.chinese) << c.typed;
        // A typo must not cost the good value that was there.
        EXPECT_TRUE(out.edits.empty()) << c.typed;
    }
}

TEST(FrequencyCommit, EmptyingTheLastFrequencyEmptiesTheRowButItsLabel)
{
    ChannelTable t = tableWithChannel();
    t.setCell(kRow, kColTransmit, "");
    t.setCell(kRow, kColTxTone, "");
    apply(t, commitFrequency(t, kRow, kColReceive, "", CommitKind::Leave, Language::English));
    const std::array<std::string, kTableCols> expected = {"CH-P05", "", "", "", "",
                                                          "",       "", "", "", ""};
    EXPECT_EQ(row(t, kRow), expected);
}

TEST(FrequencyCommit, LeavingKeepsFlagsWhileAToneRemainsButEnterDoesNot)
{
    // Only the transmit tone is left once Receive goes: leaving the cell keeps
    // the flags, the Enter path looks at the frequencies alone.
    ChannelTable base = tableWithChannel();
    base.setCell(kRow, kColTransmit, "");

    ChannelTable leave = base;
    apply(leave,
          commitFrequency(leave, kRow, kColReceive, "", CommitKind::Leave, Language::English));
    EXPECT_EQ(leave.cell(kRow, kColTxTone), "D023N");
    EXPECT_EQ(leave.cell(kRow, kColBandwidth), "Narrow");

    ChannelTable enter = base;
    apply(enter,
          commitFrequency(enter, kRow, kColReceive, "", CommitKind::Enter, Language::English));
    EXPECT_EQ(enter.cell(kRow, kColTxTone), "D023N");
    EXPECT_EQ(enter.cell(kRow, kColBandwidth), "");
    EXPECT_EQ(enter.cell(kRow, kColName), "");
}

TEST(ListCommit, RowWithoutFrequenciesHoldsNoListValuesButTakesAName)
{
    ChannelTable t = tableWithLabel();
    t.setCell(kRow, kColBandwidth, "Wide");
    apply(t, commitPick(t, kRow, kColBandwidth, "Narrow", CommitKind::Leave));
    EXPECT_EQ(t.cell(kRow, kColBandwidth), "");

    t.setCell(kRow, kColBandwidth, "Wide");
    const EditOutcome enter = commitPick(t, kRow, kColBandwidth, "Narrow", CommitKind::Enter);
    EXPECT_TRUE(enter.edits.empty());

    const std::vector<std::string> tones = pickListItems(EditorKind::ToneList, Language::English);
    apply(t, commitTone(t, kRow, kColRxTone, "67.0", tones, CommitKind::Leave));
    EXPECT_EQ(t.cell(kRow, kColRxTone), "");

    // A name is written when leaving the cell even so, but not by Enter.
    EXPECT_TRUE(commitName(t, kRow, "AB-1", CommitKind::Enter).edits.empty());
    apply(t, commitName(t, kRow, "AB-1", CommitKind::Leave));
    EXPECT_EQ(t.cell(kRow, kColName), "AB-1");
}

TEST(ListCommit, ChannelRowTakesTheChosenValues)
{
    ChannelTable t = tableWithChannel();
    const std::vector<std::string> tones = pickListItems(EditorKind::ToneList, Language::English);
    apply(t, commitPick(t, kRow, kColPower, "High", CommitKind::Enter));
    apply(t, commitTone(t, kRow, kColTxTone, "254.1", tones, CommitKind::Leave));
    EXPECT_EQ(t.cell(kRow, kColPower), "High");
    EXPECT_EQ(t.cell(kRow, kColTxTone), "254.1");
    apply(t, commitTone(t, kRow, kColTxTone, "d754i", tones, CommitKind::Enter));
    EXPECT_EQ(t.cell(kRow, kColTxTone), "d754i");
    apply(t, commitTone(t, kRow, kColTxTone, "1234", tones, CommitKind::Enter));
    EXPECT_EQ(t.cell(kRow, kColTxTone), "OFF");
}

TEST(EditorOpening, KeyDecidesTheStartingTextAndTheNumberPrompt)
{
    // A digit or letter over a filled cell starts a new value.
    const TextEditorOpening digit = openTextEditor("446.00625", U'4');
    EXPECT_EQ(digit.text, "4");
    EXPECT_FALSE(digit.selectAll);
    EXPECT_FALSE(digit.askForNumber);
    const TextEditorOpening letter = openTextEditor("BASE", U'X');
    EXPECT_EQ(letter.text, "X");
    EXPECT_TRUE(letter.askForNumber);

    // Mouse and Enter open on the cell value, selected.
    for (char32_t ch : {U'\0', U'\r'}) {
        const TextEditorOpening o = openTextEditor("446.00625", ch);
        EXPECT_EQ(o.text, "446.00625");
        EXPECT_TRUE(o.selectAll);
        EXPECT_FALSE(o.askForNumber);
    }

    // Over an empty cell a digit is taken and a letter is not.
    EXPECT_EQ(openTextEditor("", U'4').text, "4");
    const TextEditorOpening empty = openTextEditor("", U'a');
    EXPECT_EQ(empty.text, "");
    EXPECT_TRUE(empty.askForNumber);
}

TEST(PickList, EnteringACellSelectsTheFirstItemBeginningWithItsText)
{
    const auto busy = pickListItems(EditorKind::BusyLockList, Language::English);
    EXPECT_EQ(pickListIndexFor(busy, "Carrier"), 1);
    EXPECT_EQ(pickListIndexFor(busy, "qt/dqt"), 2);
    EXPECT_EQ(pickListIndexFor(busy, "载波"), 0);
    EXPECT_EQ(pickListIndexFor(busy, ""), 0);
    const auto tones = pickListItems(EditorKind::ToneList, Language::Chinese);
    ASSERT_EQ(tones.size(), 261u);
    EXPECT_EQ(pickListIndexFor(tones, "D023I"), 156);
    EXPECT_EQ(pickListItems(EditorKind::PowerList, Language::Chinese),
              (std::vector<std::string>{"低", "高"}));
}

TEST(Columns, RowsPastTheTypeHaveNoEditor)
{
    EXPECT_TRUE(rowInsideType(77, 2));
    EXPECT_FALSE(rowInsideType(78, 2));
    EXPECT_TRUE(rowInsideType(99, 0));
    EXPECT_FALSE(rowInsideType(100, 1));
    EXPECT_FALSE(rowInsideType(1, -1));
}

} // namespace
} // namespace kx9
