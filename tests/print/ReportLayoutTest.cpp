#include "ReportLayout.h"
#include "RadioType.h"

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

// y of the lines of page 1 with kLines: the title at -(401 / 2), the
// settings heading one title line below, then the gaps of the report.
constexpr int kTitleY = -200;
constexpr int kFunctionSettingY = -601;
// Type line, then one body line each: Pf, squelch, VOX, PTT ID, codes, inhibit.
constexpr int kSettingsLineY[7] = {-986, -1307, -1628, -1949, -2270, -2591, -2912};
constexpr int kChannelSettingY = -3233;
constexpr int kHeaderY = -3618;
constexpr int kFirstRowY = -3939;

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

const PlacedText *placedAt(const std::vector<PlacedText> &texts, int x, int y)
{
    const auto at = std::find_if(texts.begin(), texts.end(),
                                 [&](const PlacedText &t) { return t.x == x && t.y == y; });
    return at == texts.end() ? nullptr : &*at;
}

std::optional<std::string> textAt(const std::vector<PlacedText> &texts, int x, int y)
{
    const PlacedText *t = placedAt(texts, x, y);
    return t ? std::optional(t->text) : std::nullopt;
}

// The texts on one line, left to right, as "column:text" joined by '|'; an x
// off the column grid shows its remainder in twips ("5+3:text").
std::string lineAt(const std::vector<PlacedText> &texts, int y)
{
    std::string line;
    for (const PlacedText &t : texts)
        if (t.y == y)
            line += (line.empty() ? "" : "|") + std::to_string(t.x / kCw) +
                    (t.x % kCw ? "+" + std::to_string(t.x % kCw) : "") + ":" + t.text;
    return line;
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

// Each page: its title, a heading, the grid's header and its share of the
// channels a body line apart, and nothing else (nine cells a row, the name
// column never). Without the settings the channels start right under the title.
TEST(ReportPlan, EveryPageHasItsTitleHeadingAndShareOfTheChannelsAndNoMore)
{
    Report r;
    const int firstRows[] = {1, 23, 55, 87, 119};
    const int lastRows[] = {22, 54, 86, 118, 128};
    for (int page = 1; page <= kPageCount; ++page) {
        SCOPED_TRACE(page);
        const auto texts = r.page(page);
        const int rows = lastRows[page - 1] - firstRows[page - 1] + 1;
        const int headerY = page == 1 ? kHeaderY : kSettingsLineY[0];
        const int lastY = headerY - rows * kLines.body;
        // The title sits 18 column units left of the middle: 2550 px = 6120 twips.
        EXPECT_EQ(textAt(texts, 6120 - 18 * kCw, kTitleY), pageTitle(page, Language::English));
        EXPECT_EQ(textAt(texts, 5 * kCw, page == 1 ? kChannelSettingY : kFunctionSettingY),
                  "Channel Setting:");
        EXPECT_EQ(textAt(texts, kCw, headerY), "r0c0");
        EXPECT_EQ(textAt(texts, kCw, headerY - kLines.body),
                  "r" + std::to_string(firstRows[page - 1]) + "c0");
        EXPECT_EQ(textAt(texts, kCw, lastY), "r" + std::to_string(lastRows[page - 1]) + "c0");
        EXPECT_EQ(texts.back().y, lastY);
        EXPECT_EQ(texts.size(),
                  std::size_t((page == 1 ? 1 + 1 + 16 + 1 + 9 : 1 + 1 + 9) + rows * 9));
    }
    const auto one = r.page(1);
    EXPECT_EQ(textAt(one, 5 * kCw, kFunctionSettingY), "Function Setting:");
    // A new image's 0x812 is 0xC4: bit 6 set.
    EXPECT_EQ(textAt(one, 2 * kCw, kSettingsLineY[6]), "Vox inhibit on recieve:Enable");
    EXPECT_EQ(pageTitle(4, Language::English), "The Fourth Pages");
    EXPECT_EQ(pageTitle(5, Language::English), "The Fifth Pages");
    EXPECT_TRUE(r.page(0).empty());
    EXPECT_TRUE(r.page(6).empty());
}

// Each cell but the first ends in a blank, and may take the room up to the
// next column, the last one up to the page's right edge (12240 twips).
TEST(ReportPlan, CellsAndHeadersSitInTheirLanguagesColumnsWithATrailingBlank)
{
    Report r;
    const std::pair<Language, std::vector<int>> languages[] = {
        {Language::English, {1, 5, 14, 24, 32, 40, 46, 55, 64, 12240 / kCw}},
        {Language::Chinese, {1, 5, 14, 25, 33, 40, 46, 54, 62, 12240 / kCw}}};
    for (const auto &[language, columns] : languages) {
        const auto texts = r.page(1, language);
        std::string expected = "1:r1c0";
        for (int col = 1; col < 9; ++col)
            expected += "|" + std::to_string(columns[col]) + ":r1c" + std::to_string(col) + " ";
        EXPECT_EQ(lineAt(texts, kFirstRowY), expected);
        for (std::size_t col = 0; col < 9; ++col)
            EXPECT_EQ(placedAt(texts, columns[col] * kCw, kFirstRowY)->room,
                      (col < 8 ? columns[col + 1] * kCw : 12240) - columns[col] * kCw)
                << "column " << col;
    }

    // The header texts are the grid's as they stand: headers built before a
    // switch to Chinese stay English in a Chinese report.
    r.table.setHeaders(Language::English);
    const auto texts = r.page(2, Language::Chinese);
    EXPECT_EQ(lineAt(texts, kSettingsLineY[0]),
              "1:CH|5:接收频率|14:发射频率|25:Rx Tone|33:Tx Tone|40:宽/窄|46:扫描添加|54:发射功率|"
              "62:繁忙锁定");
    EXPECT_EQ(texts.front().text, "第二页");
    EXPECT_EQ(textAt(texts, 5 * kCw, kFunctionSettingY), "频道设置:");
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
    {"TypeChinese", 0x813, 0, 0, kZh, 2, 0, "机型:   400-470MHz"},
    {"SquelchAboveNine", 0x813, 0xFF, 12, kEn, 2, 2, "Squelch Level: 0"},
    {"SquelchTwoWide", 0x813, 0xFF, 5, kEn, 2, 2, "Squelch Level:  5"},
    {"PowerRankFromSelector", 0x813, 0, 0, kEn, 25, 2, "TX power rank: 7"},
    {"VoxGainOff", 0x815, 0xFF, 0, kEn, 25, 3, "Vox Gain Level:OFF"},
    {"VoxGainTwoWide", 0x815, 0xFF, 3, kEn, 25, 3, "Vox Gain Level: 3"},
    {"VoxGainAboveTen", 0x815, 0xFF, 11, kEn, 25, 3, "Vox Gain Level:0"},
    {"TxTimeForty", 0x814, 0xFF, 40, kEn, 50, 4, "Total Tx Time(s):600"},
    {"TxTimeFortyOne", 0x814, 0xFF, 41, kEn, 50, 4, "Total Tx Time(s):OFF"},
    {"TxTimeZero", 0x814, 0xFF, 0, kEn, 50, 4, "Total Tx Time(s):OFF"},
    {"VoxDelayFour", 0x816, 0xFF, 4, kEn, 50, 3, "Vox Delay Time: 2.0s"},
    {"VoxDelayNine", 0x816, 0xFF, 9, kEn, 50, 3, "Vox Delay Time: 0.3s"},
    {"KeyFunctionOne", 0x810, 0xFF, 4, kEn, 2, 1, "Pf1:   Monitor Momentary"},
    {"KeyFunctionOutOfRange", 0x810, 0xFF, 0x80, kZh, 2, 1, "Pf1:   无"},
    {"Beep", 0x812, 0x40, 0x40, kEn, 50, 1, "Beep Warning: Enable"},
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
