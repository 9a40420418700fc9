#include "RadioType.h"

#include "TextFormat.h"

#include "DecimalMath.h"
#include "NumberText.h"
#include "Texts.h"

#include <cstdio>

namespace kx9 {

namespace {

constexpr std::array<std::string_view, kTypeCount> kTypeNames = {"400-470MHz", "PMR", "PMR+LPD"};

// PMR446 channels 1 to 8, 12.5 kHz apart.
constexpr std::array<const char *, 8> kPmrFrequencies = {"446.00625", "446.01875", "446.03125",
                                                         "446.04375", "446.05625", "446.06875",
                                                         "446.08125", "446.09375"};

// Rows 17 onwards of the "PMR" type cycle through the channels in this order.
constexpr std::array<std::size_t, 8> kPmrCycle = {1, 3, 5, 7, 2, 4, 6, 8};

constexpr int kPmrRows = 8;
constexpr int kLastRow = 128;

std::string formatLabel(const char *format, int number)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, number);
    return buffer;
}

void setFlags(ChannelTable &table, int row, bool wide, bool high, Language language)
{
    table.setCell(row, kColBandwidth,
                  std::string((wide ? text::kWide : text::kNarrow).in(language)));
    table.setCell(row, kColScan, std::string(text::kYes.in(language)));
    table.setCell(row, kColPower, std::string((high ? text::kHigh : text::kLow).in(language)));
    table.setCell(row, kColBusyLock, std::string(text::kClose.in(language)));
    table.setCell(row, kColName, {});
}

} // namespace

std::string_view radioTypeName(int type)
{
    return type >= 0 && type < kTypeCount ? kTypeNames[static_cast<std::size_t>(type)]
                                          : std::string_view();
}

int radioTypeIndex(std::string_view name)
{
    for (int i = 0; i < kTypeCount; ++i) {
        if (equalsIgnoringCase(kTypeNames[static_cast<std::size_t>(i)], name)) {
            return i;
        }
    }
    return -1;
}

int channelCount(int type)
{
    switch (type) {
    case kType400470:
    case kTypePmr:
        return 99;
    case kTypePmrLpd:
        return 77;
    default:
        return 0;
    }
}

std::string channelLabel(int type, int row)
{
    if (row < 1 || row > channelCount(type)) {
        return {};
    }
    if (type == kType400470) {
        return formatLabel("CH-%02d", row);
    }
    if (type == kTypePmr || row <= kPmrRows) {
        return formatLabel(row < 10 ? "CH-P0%d" : "CH-P%2d", row);
    }
    const int lpd = row - kPmrRows;
    return formatLabel(row <= 17 ? "CH-L0%d" : "CH-L%2d", lpd);
}

int radioTypeFromImage(const ChannelImage &image)
{
    switch (image.radioTypeBits()) {
    case layout::kRadioType400470:
        return kType400470;
    case layout::kRadioTypePmrLpd:
        return kTypePmrLpd;
    default:
        return kTypePmr;
    }
}

std::uint8_t radioTypeBits(int type)
{
    switch (type) {
    case kType400470:
        return layout::kRadioType400470;
    case kTypePmr:
        return layout::kRadioTypePmr;
    default:
        return layout::kRadioTypePmrLpd;
    }
}

const DefaultLists &defaultLists()
{
    static const DefaultLists lists = [] {
        DefaultLists l;
        for (std::size_t row = 1; row <= 99; ++row) {
            const auto channel = row <= 16 ? (row - 1) % 8 + 1 : kPmrCycle[(row - 17) % 8];
            l.pmr[row - 1] = kPmrFrequencies[channel - 1];
        }
        for (std::size_t i = 0; i < kPmrFrequencies.size(); ++i) {
            l.pmrLpd[i] = kPmrFrequencies[i];
        }
        double lpd = 433.05;
        for (std::size_t i = kPmrFrequencies.size(); i < l.pmrLpd.size(); ++i) {
            lpd = DecimalAdd(lpd, 0.025);
            l.pmrLpd[i] = formatFixed(lpd, 5);
        }
        l.pmrTones = {"Off",   "114.8", "192.8", "131.8", "151.4", "173.8", "110.9",
                      "123.0", "141.3", "167.9", "186.2", "103.5", "156.7"};
        return l;
    }();
    return lists;
}

void fillTypeDefaults(ChannelTable &table, int type, Language language)
{
    const DefaultLists &lists = defaultLists();
    const int count = channelCount(type);
    for (int row = 1; row <= kLastRow; ++row) {
        if (row > count) {
            table.clearRow(row);
            continue;
        }
        table.setCell(row, kColLabel, channelLabel(type, row));
        const auto i = static_cast<std::size_t>(row - 1);
        if (type == kType400470) {
            for (int col = 1; col < kTableCols; ++col) {
                table.setCell(row, col, {});
            }
        } else if (type == kTypePmr) {
            table.setCell(row, kColReceive, lists.pmr[i]);
            table.setCell(row, kColTransmit, lists.pmr[i]);
            const std::string tone(lists.pmrTones[i / 8]);
            table.setCell(row, kColRxTone, tone);
            table.setCell(row, kColTxTone, tone);
            setFlags(table, row, false, true, language);
        } else {
            table.setCell(row, kColReceive, lists.pmrLpd[i]);
            table.setCell(row, kColTransmit, lists.pmrLpd[i]);
            table.setCell(row, kColRxTone, "Off");
            table.setCell(row, kColTxTone, "Off");
            const bool pmr = row <= kPmrRows;
            setFlags(table, row, !pmr, pmr, language);
        }
    }
}

bool changeType(ChannelTable &table, int &currentType, int newType, Language language)
{
    if (newType == currentType) {
        return false;
    }
    fillTypeDefaults(table, newType, language);
    currentType = newType;
    return true;
}

bool tableHoldsOnlyDefaults(const ChannelTable &table, int type)
{
    for (Language language : {Language::English, Language::Chinese}) {
        ChannelTable defaults;
        fillTypeDefaults(defaults, type, language);
        bool same = true;
        for (int row = 1; row < kTableRows && same; ++row) {
            for (int col = 0; col < kTableCols && same; ++col)
                same = table.cell(row, col) == defaults.cell(row, col);
        }
        if (same)
            return true;
    }
    return false;
}

void fillNewDocumentTable(ChannelTable &table, Language language)
{
    fillTypeDefaults(table, kTypePmrLpd, language);
}

Selectors newDocumentSelectors(const ChannelImage &image)
{
    Selectors s;
    s.manual = image.manualOpen() ? 0 : 1;
    const int rank = image.powerRank() & 0x0F;
    // A drop-down list of ten items given a larger index keeps no selection.
    s.powerRank = rank <= 9 ? rank : -1;
    switch (image.radioTypeBits()) {
    case layout::kRadioTypePmrLpd:
        s.type = kTypePmrLpd;
        break;
    case layout::kRadioTypePmr:
        s.type = kTypePmr;
        break;
    default:
        s.type = kType400470;
        break;
    }
    return s;
}

ChannelImage newDocumentImage()
{
    ChannelImage image;
    image.setByte(layout::kNewOnly80A, 0xF0);
    image.setByte(layout::kNewOnly80B, 0x38);
    image.setByte(layout::kBatterySave, 0x80);
    image.setByte(layout::kMarker, layout::kMarkerValue);
    image.setByte(layout::kFunctions, 0xC4);
    image.setSquelch(5);
    image.setTimeOutTimer(0);
    image.setVoxGain(0);
    image.setByte(layout::kPttOptions, 0x03);
    image.setByte(layout::kStep, 0x04);
    image.setByte(layout::kUninterpreted818, 0x00);
    image.setPowerRank(9);
    image.setPriorityChannel(0);
    image.setByte(layout::kNewOnly81D, 0x00);
    image.setByte(layout::kRadioType, 0x01);
    image.setPttId({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    image.setModeBase(44600000);
    image.setModeFrequency(44600000);
    image.setByte(layout::kNewOnlyD0C, 0x00);
    image.setByte(layout::kModeFlags, 0x38);
    image.setFrequencyDiffer(0);
    return image;
}

} // namespace kx9
