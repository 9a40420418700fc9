#include "CellLanguage.h"

#include "Texts.h"

#include <span>

namespace kx9 {

namespace {

constexpr TextPair kBandwidthTexts[] = {text::kWide, text::kNarrow};
constexpr TextPair kScanTexts[] = {text::kYes, text::kNo};
constexpr TextPair kPowerTexts[] = {text::kHigh, text::kLow};
// "QT/DQT" is the same in both languages and needs no entry.
constexpr TextPair kBusyLockTexts[] = {text::kClose, text::kCarrier};

std::span<const TextPair> translatedTexts(int col)
{
    switch (col) {
    case kColBandwidth:
        return kBandwidthTexts;
    case kColScan:
        return kScanTexts;
    case kColPower:
        return kPowerTexts;
    case kColBusyLock:
        return kBusyLockTexts;
    default:
        return {};
    }
}

} // namespace

std::string_view translateCellText(int col, std::string_view text, Language from, Language to)
{
    for (const TextPair &pair : translatedTexts(col)) {
        if (text == pair.in(from)) {
            return pair.in(to);
        }
    }
    return text;
}

void translateChannelRows(ChannelTable &table, Language from, Language to)
{
    for (int row = 1; row < kTableRows; ++row) {
        for (int col : {kColBandwidth, kColScan, kColPower, kColBusyLock}) {
            const std::string &was = table.cell(row, col);
            const std::string_view is = translateCellText(col, was, from, to);
            if (is != was) {
                table.setCell(row, col, std::string(is));
            }
        }
    }
}

} // namespace kx9
