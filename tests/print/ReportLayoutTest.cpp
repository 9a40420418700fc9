#include "ReportLayout.h"
#include "RadioType.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

namespace kx9::report {
namespace {

// A Letter page at 600 dpi: 8.5 x 11 inches.
constexpr PageDevice kLetter600{0, 0, 5100, 6600, 600, 600};
// Odd line heights, so that halving and the 1.2-line gaps must cut to
// whole twips the way the report does.
constexpr LineHeights kLines{401, 321};
constexpr int kCw = 141; // column unit of kLetter600

// y of the settings lines of page 1 with kLines: the type line, then one
// body line each: Pf, squelch, VOX, PTT ID, codes, inhibit.
constexpr int kSettingsLineY[7] = {-986, -1307, -1628, -1949, -2270, -2591, -2912};

// A grid whose every cell names its place ("r5c2"), and a new image.
struct Report
{
    Report()
    {
        for (int row = 0; row < kTableRows; ++row)
            for (int col = 0; col < kTableCols; ++col)
                table.setCell(row, col, "r" + std::to_string(row) + "c" + std::to_string(col));
    }
    std::vector<PlacedText> page(int n, Language language = Language::English) const
    {
        return layoutPage(n, kLetter600, kLines, {table, image, typeText, "7"}, language);
    }

    ChannelTable table;
    ChannelImage image = newDocumentImage();
    std::string typeText = "PMR+LPD";
};

std::optional<std::string> textAt(const std::vector<PlacedText> &texts, int x, int y)
{
    const auto at =
        std::ranges::find_if(texts, [&](const auto &t) { return t.x == x && t.y == y; });
    return at == texts.end() ? std::nullopt : std::optional(at->text);
}

// The texts on one line, left to right, as "column:text" joined by '|'; an x
// off the column grid shows its remainder in twips ("5+3:text").
std::string lineAt(const std::vector<PlacedText> &texts, int y, bool withRoom = false)
{
    std::string line;
    for (const PlacedText &t : texts)
        if (t.y == y)
            line += (line.empty() ? "" : "|") + std::to_string(t.x / kCw) +
                    (t.x % kCw ? "+" + std::to_string(t.x % kCw) : "") + ":" + t.text +
                    (withRoom ? "<" + std::to_string(t.room) + ">" : "");
    return line;
}

// A page, a line of text per y, each text with its room in twips.
std::string pageDump(const std::vector<PlacedText> &texts)
{
    std::string dump;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (i == 0 || texts[i].y != texts[i - 1].y)
            dump += std::to_string(texts[i].y) + " " + lineAt(texts, texts[i].y, true) + "\n";
    return dump;
}

TEST(ReportMetrics, CharacterHeightAndColumnUnitFollowThePage)
{
    // The page, then its character height, column unit and body character width.
    const std::tuple<PageDevice, int, int, int> rows[] = {
        // 11 inches at 600 dpi: (6600 / 45) x 1440 / 600 = 146 x 1440 / 600 = 350.
        {kLetter600, 350, 141, 112},
        {{100, 200, 5200, 6800, 600, 600}, 350, 141, 112}, // the size counts, not the start
        {{0, 0, 9921, 14031, 1200, 1200}, 373, 137, 109},  // each division cuts toward zero
        {{0, 0, 5100, 6600, 0, 600}, 0, 0, 0},             // no resolution: nothing drawn
    };
    for (const auto &[device, charHeight, columnUnit, bodyWidth] : rows) {
        const PageMetrics m = pageMetrics(device);
        EXPECT_EQ(std::tuple(m.charHeight, m.columnUnit, m.bodyCharWidth()),
                  std::tuple(charHeight, columnUnit, bodyWidth))
            << device.bottom << " at " << device.dpiY;
    }
}

// Every page: its title, the headings, the grid's header and its share of
// the channels a body line apart, nothing else (the name column never), each
// cell ending in a blank and given the room up to the next column, the last
// one up to the page's right edge. Without the settings the channels start
// right under the title.
TEST(ReportPlan, EveryPageHoldsItsTitleHeadingsAndShareOfTheChannelsInTheirColumns)
{
    Report r;
    std::string pages;
    for (int page = 1; page <= kPageCount; ++page)
        pages += "page " + std::to_string(page) + "\n" + pageDump(r.page(page));
    pages += "page 1 in Chinese\n" + pageDump(r.page(1, Language::Chinese));
    // The header texts are the grid's as they stand: headers built before a
    // switch to Chinese stay English in a Chinese report.
    r.table.setHeaders(Language::English);
    pages += "page 2 in Chinese, English headers\n" + pageDump(r.page(2, Language::Chinese));
    EXPECT_EQ(pages, test::slurp(KX9_TEST_DATA "/print/report-pages.txt"));
    EXPECT_TRUE(r.page(0).empty());
    EXPECT_TRUE(r.page(6).empty());
}

// One settings item: its name, the bits set in the image (none when mask is
// 0), where its text must appear (column units, settings line) and the whole text.
using SettingCase = std::tuple<const char *, std::size_t, std::uint8_t, std::uint8_t, Language, int,
                               int, const char *>;

using ReportSettingsLine = ::testing::TestWithParam<SettingCase>;

TEST_P(ReportSettingsLine, RendersTheImageValueAfterItsLabel)
{
    const auto &[name, offset, mask, value, language, column, line, expected] = GetParam();
    Report r;
    r.typeText = "400-470MHz";
    r.image.setByte(offset, static_cast<std::uint8_t>((r.image.byte(offset) & ~mask) | value));
    EXPECT_EQ(textAt(r.page(1, language), column * kCw, kSettingsLineY[line]), expected);
}

const auto kEn = Language::English;
const auto kZh = Language::Chinese;

const SettingCase kSettingCases[] = {
    {"Type", 0x813, 0, 0, kEn, 2, 0, "Type:   400-470MHz"},
    {"SquelchNine", 0x813, 0xFF, 9, kEn, 2, 2, "Squelch Level:  9"},
    {"SquelchAboveNine", 0x813, 0xFF, 12, kEn, 2, 2, "Squelch Level: 0"},
    {"VoxGainTwoWide", 0x815, 0xFF, 3, kEn, 25, 3, "Vox Gain Level: 3"},
    {"VoxGainTen", 0x815, 0xFF, 10, kEn, 25, 3, "Vox Gain Level:10"},
    {"VoxGainAboveTen", 0x815, 0xFF, 11, kEn, 25, 3, "Vox Gain Level:0"},
    {"TxTimeOne", 0x814, 0xFF, 1, kEn, 50, 4, "Total Tx Time(s):15"},
    {"TxTimeForty", 0x814, 0xFF, 40, kEn, 50, 4, "Total Tx Time(s):600"},
    {"TxTimeFortyOne", 0x814, 0xFF, 41, kEn, 50, 4, "Total Tx Time(s):OFF"},
    {"VoxDelayFour", 0x816, 0xFF, 4, kEn, 50, 3, "Vox Delay Time: 2.0s"},
    {"VoxDelayNine", 0x816, 0xFF, 9, kEn, 50, 3, "Vox Delay Time: 0.3s"},
    {"KeyFunctionOne", 0x810, 0xFF, 4, kEn, 2, 1, "Pf1:   Monitor Momentary"},
    {"Scrambler", 0x812, 0x10, 0x10, kEn, 50, 2, "Scrambler Activation:Enable"},
    {"VoxFunction", 0x812, 0x20, 0x20, kZh, 2, 3, "Vox 功能:打开"},
    {"PttIdEot", 0x812, 0x03, 1, kEn, 2, 4, "PTT ID: EOT"},
    {"PttIdThreeIsBoth", 0x812, 0x03, 3, kEn, 2, 4, "PTT ID: BOTH"},
    {"BatterySaveChinese", 0x810, 0x10, 0x10, kZh, 25, 4, "电池省电:启动"},
    {"ReceiveInhibitOffChinese", 0x812, 0x40, 0, kZh, 2, 6, "接收时禁止VOX:不使能"},
};

INSTANTIATE_TEST_SUITE_P(Items, ReportSettingsLine, ::testing::ValuesIn(kSettingCases),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

// The begin and end codes keep digits and A-D, up to the first erased byte.
TEST(ReportSettingsCodes, KeepDigitsAndAToD)
{
    Report r;
    std::ranges::copy(std::string_view("12Ax"), r.image.bytes().begin() + 0x7B0);
    std::ranges::copy(std::string_view("DE0@9"), r.image.bytes().begin() + 0x7C0);
    EXPECT_EQ(lineAt(r.page(1), kSettingsLineY[5]), "2:Begin of Tx:12A|35:End of Tx:  D09");
}

// A font a third taller than Times New Roman would end 32 channel lines
// below the paper: its lines are closed up so that every page fits, no more
// than needed; lines that fit are kept as measured.
TEST(ReportLineHeights, LinesTooTallForThePageAreClosedUpSoNoChannelFallsOff)
{
    Report r;
    const auto bottom = [&](int page, const LineHeights &lines) {
        int lowest = 0; // how far down the lowest line reaches, in twips
        for (const PlacedText &t :
             layoutPage(page, kLetter600, lines, {r.table, r.image, "", ""}, Language::English))
            lowest =
                std::max(lowest, -t.y + (t.font == ReportFont::Title ? lines.title : lines.body));
        return lowest;
    };
    const int pageHeight = 11 * 1440;
    const LineHeights kept = fitLineHeights(kLetter600, kLines);
    EXPECT_EQ(std::pair(kept.title, kept.body), std::pair(kLines.title, kLines.body));
    const LineHeights tall{540, 540};
    ASSERT_GT(bottom(2, tall), pageHeight);
    const LineHeights fitted = fitLineHeights(kLetter600, tall);
    for (int page = 1; page <= kPageCount; ++page)
        EXPECT_LE(bottom(page, fitted), pageHeight) << page;
    EXPECT_GT(bottom(2, fitted), pageHeight - fitted.body) << "closed up no more than needed";
    // A device that tells no resolution leaves them as measured.
    EXPECT_EQ(fitLineHeights({0, 0, 5100, 6600, 600, 0}, tall).body, tall.body);
}

} // namespace
} // namespace kx9::report
