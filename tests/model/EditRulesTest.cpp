#include "EditRules.h"
#include "NameRules.h"
#include "RadioType.h"
#include "TableEdits.h"
#include "TableRows.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kx9 {
namespace {

constexpr int kRow = 5;

void apply(ChannelTable &table, const EditOutcome &outcome)
{
    for (const CellEdit &e : outcome.edits)
        table.setCell(e.row, e.col, e.text);
}

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

using enum CommitKind;
constexpr Language en = Language::English, zh = Language::Chinese;

// Letters become capitals, a to z; blanks around a name go only when it
// must be cut to six characters.
TEST(ChannelName, LettersBecomeCapitalsAndBlanksGoOnlyWhenTheNameMustBeCut)
{
    const std::pair<const char *, const char *> cases[] = {
        {" ab cd", " AB CD"}, {" ab cde", "AB CDE"}, {"  abcdefg ", "ABCDEF"}, {"zyx", "ZYX"}};
    for (const auto &[typed, stored] : cases)
        EXPECT_EQ(fitChannelName(typed), stored) << typed;
}

TEST(FrequencyCommit, AcceptedValueGivesTheRow)
{
    // before, column, typed, kind, language, after, notice
    const std::tuple<const char *, int, const char *, CommitKind, Language, const char *,
                     const char *>
        cases[] = {
            // A new row takes the defaults in the language; Enter keeps the name it held.
            {kNamedRow, kColReceive, "446.00625", Leave, en,
             "CH-P05|446.00625|446.00625|Off|Off|Wide|Yes|High|Close|", ""},
            {kNamedRow, kColReceive, "446.00625", Enter, en,
             "CH-P05|446.00625|446.00625|Off|Off|Wide|Yes|High|Close|OLD", ""},
            {kNamedRow, kColTransmit, "446.1", Leave, en,
             "CH-P05||446.10000|Off|Off|Wide|Yes|High|Close|", ""},
            {kNamedRow, kColReceive, "446.00625", Leave, zh,
             "CH-P05|446.00625|446.00625|Off|Off|宽|是|高|关闭|", ""},
            {kChannel, kColReceive, "433.075", Enter, en,
             "CH-P05|433.07500|446.01875|67.0|D023N|Narrow|No|Low|Carrier|BASE", ""},
            // A channel without Transmit is no new row: its settings stay.
            {kNoTransmit, kColTransmit, "446.1", Leave, en,
             "CH-P05|446.00625|446.10000|67.0|D023N|Narrow|No|Low|Carrier|BASE", ""},
            // Nor is one whose tones are Off but whose other settings are set.
            {"CH-P05|446.00625||||Narrow|No|Low|Carrier|BASE", kColTransmit, "446.1", Leave, en,
             "CH-P05|446.00625|446.10000|||Narrow|No|Low|Carrier|BASE", ""},
            // Emptying the last frequency empties the row but its label.
            {"CH-P05|446.00625||67.0||Narrow|No|Low|Carrier|BASE", kColReceive, "", Leave, en,
             "CH-P05", ""},
            // Only the transmit tone is left once Receive goes: leaving the cell
            // keeps the flags, the Enter path looks at the frequencies alone.
            {kNoTransmit, kColReceive, "", Leave, en, "CH-P05||||D023N|Narrow|No|Low|Carrier|BASE",
             ""},
            {kNoTransmit, kColReceive, "", Enter, en, "CH-P05||||D023N|||||", ""},
            // Outside the radio's band: stored with a notice.
            {kChannel, kColReceive, "145,5", Enter, en,
             "CH-P05|145.50000|446.01875|67.0|D023N|Narrow|No|Low|Carrier|BASE",
             "145.50000 MHz is outside the radio's band of 400-470 MHz; it was stored all the "
             "same"},
            {kChannel, kColTransmit, "470.00625", Leave, zh,
             "CH-P05|446.00625|470.00625|67.0|D023N|Narrow|No|Low|Carrier|BASE",
             "470.00625 MHz 超出对讲机的 400-470 MHz 频段，仍已存入"},
        };
    for (const auto &[before, col, typed, kind, language, after, notice] : cases) {
        SCOPED_TRACE(std::string(before) + " " + typed);
        ChannelTable t = tableWith(before);
        const EditOutcome out = commitFrequency(t, kRow, col, typed, kind, language);
        EXPECT_EQ(std::tuple(out.message.has_value(), out.notice), std::tuple(false, notice));
        apply(t, out);
        EXPECT_EQ(rowOf(t, kRow), cells(after));
    }
}

TEST(FrequencyCommit, RefusedValueShowsItsMessageAndKeepsTheCellWithItsTone)
{
    const std::string_view formatEn = "Error Data Format，Please input again";
    const std::string_view formatZh = "输入数据错误，请按正确的格式及大小重新输入";
    const std::string_view stepEn =
        "Error data Value，Please input according the step value(6.25K/5k/2.5k)";
    const std::tuple<const char *, CommitKind, std::string_view, std::string_view> cases[] = {
        {"446.001", Leave, stepEn, "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入"},
        {"446.001", Enter, stepEn, "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入"},
        {"521.0025", Leave, formatEn, formatZh},
        {"abc", Enter, formatEn, formatZh},
    };
    for (const auto &[typed, kind, english, chinese] : cases) {
        SCOPED_TRACE(typed);
        const EditOutcome out =
            commitFrequency(tableWith(kChannel), kRow, kColReceive, typed, kind, en);
        ASSERT_TRUE(out.message);
        // A typo must not cost the good value that was there: no edits.
        EXPECT_EQ(std::tuple(out.message->en, out.message->zh, out.edits.empty()),
                  std::tuple(english, chinese, true));
    }
}

// A row without frequencies holds no list values but takes a name when the
// cell is left; Enter writes no name. A tone not in the list is OFF.
TEST(ListCommit, ChannelRowTakesTheChosenValues)
{
    const std::vector<std::string> tones = pickListItems(EditorKind::ToneList, en);
    // before, column, chosen, kind, cell after
    const std::tuple<const char *, int, const char *, CommitKind, const char *> cases[] = {
        {"CH-P05|||||Wide", kColBandwidth, "Narrow", Leave, ""},
        {"CH-P05|||||Wide", kColBandwidth, "Narrow", Enter, "Wide"},
        {"CH-P05", kColRxTone, "67.0", Leave, ""},
        {"CH-P05", kColName, "AB-1", Enter, ""},
        {"CH-P05", kColName, "AB-1", Leave, "AB-1"},
        {kChannel, kColPower, "High", Enter, "High"},
        {kChannel, kColTxTone, "254.1", Leave, "254.1"},
        {kChannel, kColTxTone, "d754i", Enter, "d754i"},
        {kChannel, kColTxTone, "1234", Enter, "OFF"},
    };
    for (const auto &[before, col, chosen, kind, after] : cases) {
        SCOPED_TRACE(std::string(before) + " " + chosen);
        ChannelTable t = tableWith(before);
        const bool tone = col == kColRxTone || col == kColTxTone;
        apply(t, col == kColName ? commitName(t, kRow, chosen, kind)
                 : tone          ? commitTone(t, kRow, col, chosen, tones, kind)
                                 : commitPick(t, kRow, col, chosen, kind));
        EXPECT_EQ(t.cell(kRow, col), after);
    }
}

TEST(EditorOpening, KeyDecidesTheStartingTextAndTheNumberPrompt)
{
    // cell, key, text, select all, ask for a number
    const std::tuple<const char *, char32_t, const char *, bool, bool> cases[] = {
        // A digit or letter over a filled cell starts a new value.
        {"446.00625", U'4', "4", false, false},
        {"BASE", U'中', "中", false, true}, // from an input method; the editor refuses it
        {"BASE", U'\U0001F4FB', "\U0001F4FB", false, true},
        // Enter opens on the cell value, selected.
        {"446.00625", U'\r', "446.00625", true, false},
    };
    for (const auto &[cell, key, text, selectAll, askForNumber] : cases) {
        const TextEditorOpening o = openTextEditor(cell, key);
        EXPECT_EQ(std::tuple(o.text, o.selectAll, o.askForNumber),
                  std::tuple(std::string(text), selectAll, askForNumber))
            << cell << " " << int(key);
    }
}

TEST(PickList, EnteringACellSelectsTheFirstItemBeginningWithItsText)
{
    const auto busy = pickListItems(EditorKind::BusyLockList, en);
    const auto tones = pickListItems(EditorKind::ToneList, zh);
    EXPECT_EQ(std::tuple(pickListIndexFor(busy, "Carrier"), pickListIndexFor(busy, "qt/dqt"),
                         pickListIndexFor(busy, "载波"), pickListIndexFor(busy, ""), tones.size(),
                         pickListIndexFor(tones, "D023I")),
              std::tuple(1, 2, 0, 0, 261u, 156));
    EXPECT_EQ(pickListItems(EditorKind::PowerList, zh), (std::vector<std::string>{"低", "高"}));
}

TEST(Columns, RowsPastTheTypeHaveNoEditor)
{
    const std::vector<bool> inside = {rowInsideType(77, 2), rowInsideType(78, 2),
                                      rowInsideType(99, 0), rowInsideType(100, 1),
                                      rowInsideType(1, -1)};
    EXPECT_EQ(inside, (std::vector<bool>{true, false, true, false, false}));
}

ChannelTable typeDefaults(int type = kTypePmrLpd)
{
    ChannelTable table;
    table.setHeaders(en);
    fillTypeDefaults(table, type, en);
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
    const PasteResult result = pasteCells(table, kTypePmrLpd, 2, 1, block, en);
    const ChannelTable &t = result.table;
    EXPECT_EQ(rowOf(t, 2),
              cells("CH-P02|446.01875|446.02500|Off|D023N|Narrow|No|Low|Carrier|GATE-1"));
    // Emptied frequencies take their tones, not the rest of a channel in use.
    EXPECT_EQ(rowOf(t, 3), cells("CH-P03|145.50000||Off||Narrow|Yes|High|Close|"));
    // The line end after the last line starts no line: channel 5 keeps its frequency.
    EXPECT_EQ(std::tuple(t.cell(4, kColReceive), t.cell(5, kColReceive)),
              std::tuple("446.04375", "446.05625"));

    // The report names each refused cell, so it shows the refusals themselves,
    // and each cell written otherwise than pasted or with a warning.
    EXPECT_EQ(pasteReport(table, result, kTypePmrLpd, en),
              test::slurp(KX9_TEST_DATA "/model/paste-report.txt"));

    // List values need a frequency; a new row gets typing's defaults; channel
    // 78 lies past the type's 77 channels, and the report counts it last.
    const PasteResult onEmpty = pasteCells(t, kTypePmrLpd, 76, 5, "Wide\nWide\nWide", zh);
    EXPECT_EQ(std::tuple(onEmpty.table.cell(77, kColBandwidth), onEmpty.rowsPastType,
                         onEmpty.table.cell(78, kColBandwidth)),
              std::tuple("宽", 1, ""));
    EXPECT_EQ(pasteReport(t, onEmpty, kTypePmrLpd, zh),
              "以下单元格未粘贴，保留原值：\nCH-L68 W/N: 该频道没有频率\n"
              "超出本机型最后一个频道 77 的 1 行未粘贴。");
    // A tone needs a frequency too; a list takes only its own items, and says which.
    const PasteResult listed = pasteCells(t, kTypePmrLpd, 76, 3, "67.0\t\t\tmaybe", en);
    std::vector<std::string> reasons;
    for (const auto &refusal : listed.refused)
        reasons.push_back(refusal.reason);
    EXPECT_EQ(reasons, (std::vector<std::string>{"the channel has no frequency",
                                                 "maybe is none of Yes, No"}));
    // A tone a spreadsheet rewrote as a number is the tone it reads as; one
    // between two tones is none.
    const PasteResult numbers = pasteCells(t, kTypePmrLpd, 1, 3, "67\t88.50\n67.05\t100", en);
    EXPECT_EQ(std::tuple(numbers.table.cell(1, kColRxTone), numbers.table.cell(1, kColTxTone),
                         numbers.table.cell(2, kColTxTone), numbers.refused.size()),
              std::tuple("67.0", "88.5", "100.0", 1u));
    const PasteResult fresh = pasteCells(t, kTypePmrLpd, 76, 2, "446.1", en);
    EXPECT_EQ(rowOf(fresh.table, 76), cells("CH-L68||446.10000|Off|Off|Wide|Yes|High|Close|"));
}

// Moving one channel, and the top of the list, are the window's tests.
TEST(ChannelMoves, InsertDeleteAndMoveStayInsideTheTypesChannels)
{
    ChannelTable table = typeDefaults();
    table.setCell(1, kColName, "ONE");
    const ChannelTable before = table;

    // Nothing moves past channel 77; no room to insert is the window's test.
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
    ASSERT_TRUE(deleteChannels(table, kTypePmrLpd, 76, 2)); // up to the last channel
    EXPECT_EQ(table.cell(77, kColReceive), "");

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
