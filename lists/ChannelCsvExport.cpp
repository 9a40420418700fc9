#include "ChannelCsv.h"

#include "ChannelListTexts.h"
#include "CsvFields.h"
#include "CsvText.h"
#include "FrequencyCheck.h"
#include "NumberText.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "ToneTable.h"

#include <cstdlib>

namespace kx9 {

using namespace csv;

namespace {

// Differences of 70 MHz and more are written as a split: the other
// programmer treats larger offsets as a separate transmit frequency.
constexpr long long kLargestOffset = 7000000; // 10 Hz units

// Power as watts, since that programmer refuses a line whose power it
// cannot read as a number of watts.
constexpr std::string_view kHighWatts = "2.0W";
constexpr std::string_view kLowWatts = "0.5W";

enum class ToneKind { Off, Ctcss, Dcs };

struct ToneParts
{
    ToneKind kind = ToneKind::Off;
    std::string value;   // CTCSS "88.5" or DCS digits "023"
    char polarity = 'N'; // 'N' or 'R' (an "I" code)
    bool operator==(const ToneParts &) const = default;
};

// A tone cell read the way the image will hold it, so that what is
// exported is what the radio gets.
ToneParts toneParts(std::string_view cell)
{
    const std::string canonical = toneCodeToText(toneTextToCode(cell), true);
    if (canonical == "Off") {
        return {};
    }
    if (canonical.front() != 'D') {
        return {ToneKind::Ctcss, canonical, 'N'};
    }
    const long long code = leadingInteger(std::string_view(canonical).substr(1));
    return {ToneKind::Dcs, dcsDigits(code), canonical.back() == 'I' ? 'R' : 'N'};
}

struct ToneColumns
{
    std::string mode;
    std::string rTone{kUnusedTone};
    std::string cTone{kUnusedTone};
    std::string dtcs{kUnusedDcs};
    std::string polarity{kUnusedPolarity};
    std::string rxDtcs{kUnusedDcs};
    std::string crossMode{kUnusedCrossMode};
};

ToneColumns toneColumns(const ToneParts &tx, const ToneParts &rx)
{
    ToneColumns t;
    if (tx.kind == ToneKind::Off && rx.kind == ToneKind::Off) {
        return t;
    }
    if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::Off) {
        t.mode = "Tone";
        t.rTone = tx.value;
        return t;
    }
    if (tx.kind == ToneKind::Ctcss && tx == rx) {
        t.mode = "TSQL";
        t.cTone = tx.value;
        return t;
    }
    if (tx.kind == ToneKind::Dcs && rx.kind == ToneKind::Dcs && tx.value == rx.value) {
        t.mode = "DTCS";
        t.dtcs = tx.value;
        t.polarity = {tx.polarity, rx.polarity};
        return t;
    }
    t.mode = "Cross";
    const auto side = [](ToneKind kind) {
        return kind == ToneKind::Ctcss ? "Tone" : kind == ToneKind::Dcs ? "DTCS" : "";
    };
    t.crossMode = std::string(side(tx.kind)) + "->" + side(rx.kind);
    if (tx.kind == ToneKind::Ctcss) {
        t.rTone = tx.value;
    } else if (tx.kind == ToneKind::Dcs) {
        t.dtcs = tx.value;
        t.polarity[0] = tx.polarity;
    }
    if (rx.kind == ToneKind::Ctcss) {
        t.cTone = rx.value;
    } else if (rx.kind == ToneKind::Dcs) {
        t.rxDtcs = rx.value;
        t.polarity[1] = rx.polarity;
    }
    return t;
}

std::string_view stepText(long long count)
{
    if (count % 625 == 0) {
        return "6.25";
    }
    return count % 500 == 0 ? "5.00" : "2.50";
}

std::vector<std::string> exportRow(const ChannelTable &table, int row)
{
    const long long rx = frequencyTextToCount(table.cell(row, kColReceive));
    const std::string &txCell = table.cell(row, kColTransmit);
    const long long tx = frequencyTextToCount(txCell);
    std::string duplex;
    long long offset = 0;
    if (txCell.empty()) {
        duplex = "off"; // receive only
    } else if (tx != rx && std::llabs(tx - rx) < kLargestOffset) {
        duplex = tx > rx ? "+" : "-";
        offset = std::llabs(tx - rx);
    } else if (tx != rx) {
        duplex = "split";
        offset = tx;
    }
    const ToneColumns tones =
        toneColumns(toneParts(table.cell(row, kColTxTone)), toneParts(table.cell(row, kColRxTone)));
    return {std::to_string(row),
            table.cell(row, kColName),
            mhz6(rx),
            duplex,
            mhz6(offset),
            tones.mode,
            tones.rTone,
            tones.cTone,
            tones.dtcs,
            tones.polarity,
            tones.rxDtcs,
            tones.crossMode,
            text::kWide.matches(table.cell(row, kColBandwidth)) ? "FM" : "NFM",
            std::string(stepText(rx)),
            text::kYes.matches(table.cell(row, kColScan)) ? "" : "S",
            std::string(text::kHigh.matches(table.cell(row, kColPower)) ? kHighWatts : kLowWatts),
            "",
            "",
            "",
            "",
            ""};
}

} // namespace

CsvExport exportChannelCsv(const ChannelTable &table, int type, Language language)
{
    CsvExport out;
    out.text = csvLine({kCsvColumns.begin(), kCsvColumns.end()});
    for (int row = 1; row <= channelCount(type); ++row) {
        const bool rx = !table.cell(row, kColReceive).empty();
        const bool tx = !table.cell(row, kColTransmit).empty();
        if (!rx && tx) {
            out.warnings.push_back(
                fillIn(text::kCsvTransmitOnly.in(language), {std::to_string(row)}));
        }
        if (rx) {
            out.text += csvLine(exportRow(table, row));
        }
    }
    return out;
}

} // namespace kx9
