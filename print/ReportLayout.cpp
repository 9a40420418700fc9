#include "ReportLayout.h"

#include "ReportSettings.h"
#include "ReportTexts.h"
#include "Texts.h"

#include <array>

namespace kx9::report {

namespace {

constexpr RowRange kPageRows[kPageCount] = {{1, 22}, {23, 54}, {55, 86}, {87, 118}, {119, 128}};

// x positions of grid columns 0-8 in column units; the name column is not
// printed. The Chinese header texts are wider, so its columns sit apart.
constexpr std::array<int, 9> kColumnsEnglish = {1, 5, 14, 24, 32, 40, 46, 55, 64};
constexpr std::array<int, 9> kColumnsChinese = {1, 5, 14, 25, 33, 40, 46, 54, 62};

// Lines are drawn at the current y, which then moves down.
class PageWriter
{
public:
    PageWriter(std::vector<PlacedText> &out, int columnUnit, int lineHeight, int pageWidth)
        : m_out(out), m_cw(columnUnit), m_lb(lineHeight), m_width(pageWidth)
    {
    }

    // A text at a column; nextColumn is where the next text of the line
    // starts (0: none follows).
    void at(int columns, std::string text, int nextColumn = 0)
    {
        const int x = columns * m_cw;
        const int end = nextColumn > 0 ? nextColumn * m_cw : m_width;
        m_out.push_back({ReportFont::Body, x, y, std::move(text), end - x});
    }
    void nextLine() { y -= m_lb; }
    // The gap below a section heading: one and a fifth lines, cut to whole twips.
    void afterHeading() { y = static_cast<int>(y - 1.2 * m_lb); }

    int y = 0;

private:
    std::vector<PlacedText> &m_out;
    int m_cw;
    int m_lb;
    int m_width;
};

std::string onOff(bool on, const TextPair &enable, const TextPair &disable, Language language)
{
    return std::string((on ? enable : disable).in(language));
}

void settingsSection(PageWriter &w, const ReportSource &source, Language language)
{
    using namespace text;
    const ReportSettings s = readReportSettings(source.image);
    auto label = [language](const TextPair &pair) { return std::string(pair.in(language)); };

    w.at(5, label(kFunctionSetting));
    w.afterHeading();
    w.at(2, label(kReportType) + source.typeText);
    w.nextLine();
    w.at(2, std::string(kReportPf1) + keyFunctionText(s.programKey1, language), 25);
    w.at(25, std::string(kReportPf2) + keyFunctionText(s.programKey2, language), 50);
    w.at(50, label(kBeepWarning) + onOff(s.beep, kEnable, kDisable, language));
    w.nextLine();
    w.at(2, label(kReportSquelch) + squelchText(s.squelch), 25);
    w.at(25, label(kReportPowerRank) + source.powerRankText, 50);
    w.at(50, label(kReportScrambler) + onOff(s.scrambler, kEnable, kDisable, language));
    w.nextLine();
    w.at(2, label(kVoxFunction) + onOff(s.voxFunction, kEnable, kDisable, language), 25);
    w.at(25, label(kVoxGainLevel) + voxGainText(s.voxGain), 50);
    w.at(50, label(kVoxDelayTime) + voxDelayText(s.voxDelay));
    w.nextLine();
    w.at(2, std::string(kReportPttId) + pttIdText(s.pttIdMode), 25);
    w.at(25,
         label(kReportBatterySave) + onOff(s.batterySave, kEnableBatterySave, kDisable, language),
         50);
    w.at(50, label(kTotalTxTime) + txTimeText(s.txTime));
    w.nextLine();
    w.at(2, label(kBeginOfTx) + codeText(s.beginCode), 35);
    w.at(35, label(kEndOfTx) + codeText(s.endCode));
    w.nextLine();
    w.at(2,
         label(kVoxInhibit) + onOff(s.receiveInhibit, kEnableInhibit, kDisableInhibit, language));
    w.nextLine();
}

// The header of each printed column; the report's own words where they
// differ from the grid's.
std::array<std::string, 9> headers(const ChannelTable &table, Language language)
{
    using namespace text;
    return {table.cell(0, kColLabel),
            std::string(kReportRx.in(language)),
            std::string(kReportTx.in(language)),
            table.cell(0, kColRxTone),
            table.cell(0, kColTxTone),
            std::string(kReportWn.in(language)),
            std::string(kReportScanAdd.in(language)),
            std::string(kReportTxPower.in(language)),
            std::string(kReportBusy.in(language))};
}

void channelSection(PageWriter &w, int page, const ChannelTable &table, Language language)
{
    const auto &columns = language == Language::English ? kColumnsEnglish : kColumnsChinese;
    w.at(5, std::string(text::kChannelSetting.in(language)));
    w.afterHeading();
    // Each header stands over its column: with a proportional font, blanks
    // between the pieces of one line would not keep them there.
    const auto next = [&](std::size_t i) { return i + 1 < columns.size() ? columns[i + 1] : 0; };
    std::array<std::string, 9> header = headers(table, language);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        w.at(columns[i], std::move(header[i]), next(i));
    }
    const RowRange rows = pageRows(page);
    for (int row = rows.first; row <= rows.last; ++row) {
        w.nextLine();
        for (int col = 0; col < static_cast<int>(columns.size()); ++col) {
            // Every cell but the label is followed by one blank.
            std::string cell = table.cell(row, col);
            if (col != kColLabel) {
                cell += ' ';
            }
            const auto i = static_cast<std::size_t>(col);
            w.at(columns[i], std::move(cell), next(i));
        }
    }
}

} // namespace

PageMetrics pageMetrics(const PageDevice &device)
{
    if (device.dpiX <= 0 || device.dpiY <= 0) {
        return {};
    }
    PageMetrics m;
    m.charHeight = ((device.bottom - device.top) / 45) * kTwipsPerInch / device.dpiY;
    m.columnUnit = ((device.right - device.left) * kTwipsPerInch / device.dpiX - 900) / 80;
    return m;
}

RowRange pageRows(int page)
{
    if (page < 1 || page > kPageCount) {
        return {1, 0};
    }
    return kPageRows[page - 1];
}

std::string_view pageTitle(int page, Language language)
{
    if (page < 1 || page > kPageCount) {
        return {};
    }
    return text::kPageTitles[page - 1].in(language);
}

LineHeights fitLineHeights(const PageDevice &device, const LineHeights &measured)
{
    if (device.dpiY <= 0 || measured.body <= 0) {
        return measured;
    }
    const int pageHeight = (device.bottom - device.top) * kTwipsPerInch / device.dpiY;
    // The lowest line of a page: the title's line and a half, the headings
    // with their gaps, then one body line per line of text below them. The
    // channel pages are the fullest.
    auto bottom = [](const LineHeights &l) {
        int y = -(l.title / 2) - l.title;       // "Channel Setting:"
        y = static_cast<int>(y - 1.2 * l.body); // header line
        return -(y - 32 * l.body) + l.body;     // 32 channel lines
    };
    LineHeights fitted = measured;
    if (bottom(fitted) <= pageHeight) {
        return fitted;
    }
    const double scale = double(pageHeight) / bottom(measured);
    fitted.title = static_cast<int>(measured.title * scale);
    fitted.body = static_cast<int>(measured.body * scale);
    while (fitted.body > 1 && bottom(fitted) > pageHeight) {
        --fitted.body;
    }
    return fitted;
}

std::vector<PlacedText> layoutPage(int page, const PageDevice &device, const LineHeights &lines,
                                   const ReportSource &source, Language language)
{
    std::vector<PlacedText> out;
    const PageMetrics metrics = pageMetrics(device);
    if (page < 1 || page > kPageCount || metrics.charHeight <= 0) {
        return out;
    }
    const int cw = metrics.columnUnit;
    // The title sits 18 column units left of the page's middle.
    const int titleX = (device.right / 2) * kTwipsPerInch / device.dpiX - 18 * cw;
    // The page's width in twips, which the column unit divides.
    const int pageWidth = (device.right - device.left) * kTwipsPerInch / device.dpiX;
    int y = -(lines.title / 2);
    out.push_back(
        {ReportFont::Title, titleX, y, std::string(pageTitle(page, language)), pageWidth - titleX});
    y -= lines.title;

    PageWriter writer(out, cw, lines.body, pageWidth);
    writer.y = y;
    if (page == 1) {
        settingsSection(writer, source, language);
    }
    channelSection(writer, page, source.table, language);
    return out;
}

} // namespace kx9::report
