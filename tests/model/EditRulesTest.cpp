#include "EditRules.h"
#include "TableRows.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

constexpr int kRow = 5;

void apply(ChannelTable &table, const EditOutcome &outcome)
{
    for (const CellEdit &e : outcome.edits)
        table.setCell(e.row, e.col, e.text);
}

using RowCells = std::array<std::string, kTableCols>;
using test::rowOf;
constexpr auto cells = test::splitCells<kTableCols>;

ChannelTable tableWith(std::string_view rowText)
{
    ChannelTable t;
    test::setRow(t, kRow, cells(rowText));
    return t;
}

const char *const kChannel = "CH-P05|446.00625|446.01875|67.0|D023N|Narrow|No|Low|Carrier|BASE";
// A row that held only a name, and a channel left with Receive and the tones.
const char *const kNamedRow = "CH-P05|||||||||OLD";
const char *const kNoTransmit = "CH-P05|446.00625||67.0|D023N|Narrow|No|Low|Carrier|BASE";

TEST(FrequencyCommit, AcceptedValueGivesTheRow)
{
    const auto en = Language::English;
    const struct
    {
        const char *what;
        const char *before;
        int col;
        const char *typed;
        CommitKind kind;
        Language language;
        const char *after;
        const char *notice = "";
    } cases[] = {
        {"a new row takes the defaults", kNamedRow, kColReceive, "446.00625", CommitKind::Leave, en,
         "CH-P05|446.00625|446.00625|Off|Off|Wide|Yes|High|Close|"},
        {"Enter keeps the name the row held", kNamedRow, kColReceive, "446.00625",
         CommitKind::Enter, en, "CH-P05|446.00625|446.00625|Off|Off|Wide|Yes|High|Close|OLD"},
        {"a transmit frequency first leaves Receive empty", kNamedRow, kColTransmit, "446.1",
         CommitKind::Leave, en, "CH-P05||446.10000|Off|Off|Wide|Yes|High|Close|"},
        {"the defaults follow the language", kNamedRow, kColReceive, "446.00625", CommitKind::Leave,
         Language::Chinese, "CH-P05|446.00625|446.00625|Off|Off|宽|是|高|关闭|"},
        {"a comma is the decimal point", kNamedRow, kColReceive, "446,1", CommitKind::Leave,
         Language::Chinese, "CH-P05|446.10000|446.10000|Off|Off|宽|是|高|关闭|"},
        {"a comma on Enter", kChannel, kColTransmit, "446,00625 ", CommitKind::Enter, en,
         "CH-P05|446.00625|446.00625|67.0|D023N|Narrow|No|Low|Carrier|BASE"},
        {"a channel keeps its transmit and flags", kChannel, kColReceive, "433.075",
         CommitKind::Enter, en, "CH-P05|433.07500|446.01875|67.0|D023N|Narrow|No|Low|Carrier|BASE"},
        {"emptying the last frequency empties the row but its label",
         "CH-P05|446.00625||67.0||Narrow|No|Low|Carrier|BASE", kColReceive, "", CommitKind::Leave,
         en, "CH-P05"},
        // Only the transmit tone is left once Receive goes: leaving the cell
        // keeps the flags, the Enter path looks at the frequencies alone.
        {"leaving keeps the flags while a tone remains", kNoTransmit, kColReceive, "",
         CommitKind::Leave, en, "CH-P05||||D023N|Narrow|No|Low|Carrier|BASE"},
        {"Enter empties the flags", kNoTransmit, kColReceive, "", CommitKind::Enter, en,
         "CH-P05||||D023N|||||"},
        {"outside the radio's band, stored with a notice", kChannel, kColReceive, "145,5",
         CommitKind::Enter, en, "CH-P05|145.50000|446.01875|67.0|D023N|Narrow|No|Low|Carrier|BASE",
         "145.50000 MHz is outside the radio's band of 400-470 MHz; it was stored all the same"},
        {"the notice in Chinese", kChannel, kColTransmit, "470.00625", CommitKind::Leave,
         Language::Chinese, "CH-P05|446.00625|470.00625|67.0|D023N|Narrow|No|Low|Carrier|BASE",
         "470.00625 MHz 超出对讲机的 400-470 MHz 频段，仍已存入"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ChannelTable t = tableWith(c.before);
        const EditOutcome out = commitFrequency(t, kRow, c.col, c.typed, c.kind, c.language);
        EXPECT_FALSE(out.message);
        EXPECT_EQ(out.notice, c.notice);
        apply(t, out);
        EXPECT_EQ(rowOf(t, kRow), cells(c.after));
    }
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
        // More than blanks after the number is no frequency, comma or not.
        {"446,1x", CommitKind::Leave, formatEn, formatZh},
        {"446.1 1", CommitKind::Enter, formatEn, formatZh},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const EditOutcome out = commitFrequency(tableWith(kChannel), kRow, kColReceive, c.typed,
                                                c.kind, Language::English);
        ASSERT_TRUE(out.message);
        EXPECT_EQ(out.message->en, c.english);
        EXPECT_EQ(out.message->zh, c.chinese);
        EXPECT_TRUE(out.edits.empty()); // a typo must not cost the good value that was there
    }
}

TEST(ListCommit, RowWithoutFrequenciesHoldsNoListValuesButTakesAName)
{
    ChannelTable t = tableWith("CH-P05");
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
    ChannelTable t = tableWith(kChannel);
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
    const struct
    {
        const char *cell;
        char32_t key;
        TextEditorOpening opening;
    } cases[] = {
        // A digit or letter over a filled cell starts a new value.
        {"446.00625", U'4', {"4", false, false}},
        {"BASE", U'X', {"X", false, true}},
        // Mouse and Enter open on the cell value, selected.
        {"446.00625", U'\0', {"446.00625", true, false}},
        {"446.00625", U'\r', {"446.00625", true, false}},
        // Over an empty cell a digit is taken and a letter is not.
        {"", U'4', {"4", false, false}},
        {"", U'a', {"", false, true}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.cell) + " " + std::to_string(int(c.key)));
        const TextEditorOpening o = openTextEditor(c.cell, c.key);
        EXPECT_EQ(o.text, c.opening.text);
        EXPECT_EQ(o.selectAll, c.opening.selectAll);
        EXPECT_EQ(o.askForNumber, c.opening.askForNumber);
    }
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
