#include "CsvLineReader.h"

#include "ChannelListTexts.h"
#include "FrequencyCheck.h"
#include "NameRules.h"
#include "NumberText.h"
#include "TextFormat.h"
#include "ToneTable.h"

namespace kx9::csv {

namespace {

// Reads and checks the fields of one line. The first problem found is the
// line's reason to be refused; later steps are skipped once there is one.
class LineReader
{
public:
    LineReader(const Columns &columns, const CsvRecord &rec, Language language)
        : m_columns(columns), m_rec(rec), m_language(language)
    {
    }

    // The checked values, or nothing with the reason to refuse the line.
    std::optional<ChannelValues> read(std::string &reason)
    {
        ChannelValues v;
        if (readFrequencies(v) && readTones(v) && readFlags(v)) {
            readName(v);
            return v;
        }
        reason = m_refusal;
        return std::nullopt;
    }

private:
    bool refuse(const TextPair &pattern, std::initializer_list<std::string_view> args)
    {
        m_refusal = fillIn(pattern.in(m_language), args);
        return false;
    }

    std::optional<std::string_view> field(std::string_view column) const
    {
        const auto f = m_columns.field(m_rec, column);
        return f ? std::optional(trimmed(*f)) : std::nullopt;
    }

    // 10 Hz units from a column that must hold a plain number of MHz.
    std::optional<long long> tenHertz(std::string_view column, ChannelValues &v)
    {
        const std::string_view field = this->field(column).value_or("");
        const std::string value = withDecimalPoint(field);
        if (!isPlainNumber(value)) {
            refuse(text::kCsvNotANumber, {column, field});
            return std::nullopt;
        }
        const long long count = frequencyTextToCount(value);
        if (hasDigitsBelow10Hz(value)) {
            v.warnings.push_back(
                fillIn(text::kCsvFrequencyCut.in(m_language), {value, cellFrequency(count)}));
        }
        return count;
    }

    // The frequency check of typing, on the cell text the count makes. A
    // value far out of range is named as the list gave it (typed), since the
    // count of a huge number says nothing the user wrote.
    std::optional<std::string> checked(long long count, bool receive, std::string_view typed,
                                       ChannelValues &v)
    {
        std::string cell = cellFrequency(count);
        const FrequencyCheck check = checkFrequency(cell);
        if (check.outsideBand) {
            v.warnings.push_back(outsideBandWarning(cell, m_language));
        }
        if (check.error == FrequencyError::OutOfRange) {
            constexpr long long kShownAsCounted = 100'000'000; // 1000 MHz, in 10 Hz
            const bool plausible = count > -kShownAsCounted && count < kShownAsCounted;
            refuse(receive ? text::kCsvRxOutOfRange : text::kCsvTxOutOfRange,
                   {plausible ? std::string_view(cell) : typed});
            return std::nullopt;
        }
        if (check.error == FrequencyError::OffStep) {
            refuse(receive ? text::kCsvRxOffStep : text::kCsvTxOffStep, {cell});
            return std::nullopt;
        }
        return cell;
    }

    bool readFrequencies(ChannelValues &v)
    {
        const auto rx = tenHertz("Frequency", v);
        const std::string rxTyped(field("Frequency").value_or(""));
        const auto rxCell = rx ? checked(*rx, true, rxTyped, v) : std::nullopt;
        if (!rxCell) {
            return false;
        }
        v.receive = *rxCell;
        const std::string_view duplexField = field("Duplex").value_or("");
        const std::string duplex = upper(duplexField);
        if (duplex.empty()) {
            v.transmit = v.receive;
            return true;
        }
        if (duplex == "OFF") {
            return true; // receive only: the transmit cell stays empty
        }
        if (duplex != "+" && duplex != "-" && duplex != "SPLIT") {
            return refuse(text::kCsvUnknownDuplex, {duplexField});
        }
        const auto offset = tenHertz("Offset", v);
        if (!offset) {
            return false;
        }
        const long long tx = duplex == "+"   ? *rx + *offset
                             : duplex == "-" ? *rx - *offset
                                             : *offset;
        const std::string offsetTyped(field("Offset").value_or(""));
        const std::string txTyped =
            duplex == "SPLIT" ? offsetTyped : rxTyped + " " + duplex + " " + offsetTyped;
        const auto txCell = checked(tx, false, txTyped, v);
        if (!txCell) {
            return false;
        }
        v.transmit = *txCell;
        return true;
    }

    // A CTCSS tone of the table from a column of Hz.
    std::optional<std::string> ctcss(std::string_view column, std::string_view mode)
    {
        const std::string_view value = field(column).value_or("");
        if (value.empty()) {
            refuse(text::kCsvMissingValue, {mode, column});
            return std::nullopt;
        }
        if (!isPlainNumber(value)) {
            refuse(text::kCsvNotANumber, {column, value});
            return std::nullopt;
        }
        const std::optional<std::string> tone = oneDecimalText(value);
        const int index = tone ? ToneTable::indexOf(*tone) : -1;
        if (index < 1 || index >= static_cast<int>(ToneTable::kFirstDcsNormal)) {
            refuse(text::kCsvToneNotInTable, {value});
            return std::nullopt;
        }
        return tone;
    }

    // A DCS code of the table; codes are numbers, so "23" is 023.
    std::optional<std::string> dcs(std::string_view column, std::string_view mode, char polarity)
    {
        const std::string_view value = field(column).value_or("");
        if (value.empty()) {
            refuse(text::kCsvMissingValue, {mode, column});
            return std::nullopt;
        }
        if (!allDigits(value) || value.size() > 4) {
            refuse(text::kCsvNotANumber, {column, value});
            return std::nullopt;
        }
        std::string tone = "D" + dcsDigits(leadingInteger(value)) + (polarity == 'R' ? "I" : "N");
        if (ToneTable::indexOf(tone) < static_cast<int>(ToneTable::kFirstDcsNormal)) {
            refuse(text::kCsvToneNotInTable, {tone});
            return std::nullopt;
        }
        return tone;
    }

    // When only one of a pair of columns is present it serves both sides.
    std::string_view either(std::string_view column, std::string_view other) const
    {
        return m_columns.has(column) || !m_columns.has(other) ? column : other;
    }

    bool readTones(ChannelValues &v)
    {
        const auto modeField = field("Tone");
        if (!modeField) {
            return true;
        }
        const std::string mode = upper(*modeField);
        const std::string_view polarityField = field("DtcsPolarity").value_or("");
        const std::string polarity =
            polarityField.empty() ? std::string(kUnusedPolarity) : upper(polarityField);
        const bool polarityOk = polarity.size() == 2 &&
                                (polarity[0] == 'N' || polarity[0] == 'R') &&
                                (polarity[1] == 'N' || polarity[1] == 'R');
        const std::string_view txTone = either("rToneFreq", "cToneFreq");
        const std::string_view rxTone = either("cToneFreq", "rToneFreq");
        const std::string_view txDcs = either("DtcsCode", "RxDtcsCode");
        const std::string_view rxDcs = either("RxDtcsCode", "DtcsCode");

        // Which kind of tone each side takes: "", "TONE" or "DTCS".
        std::string txSide, rxSide;
        std::string label(*modeField);
        if (mode == "TONE") {
            txSide = "TONE";
        } else if (mode == "TSQL") {
            txSide = rxSide = "TONE";
        } else if (mode == "DTCS") {
            txSide = rxSide = "DTCS";
        } else if (mode == "CROSS") {
            const std::string_view crossField = field("CrossMode").value_or("");
            const std::string cross = upper(crossField);
            const std::size_t arrow = cross.find("->");
            const auto sideOk = [](const std::string &s) {
                return s.empty() || s == "TONE" || s == "DTCS";
            };
            if (arrow != std::string::npos) {
                txSide = cross.substr(0, arrow);
                rxSide = cross.substr(arrow + 2);
            }
            if (arrow == std::string::npos || !sideOk(txSide) || !sideOk(rxSide) ||
                (txSide.empty() && rxSide.empty())) {
                return refuse(text::kCsvCrossModeUnknown, {crossField});
            }
            label += " " + std::string(crossField);
        } else if (!mode.empty()) {
            // Reverse squelch (TSQL-R, DTCS-R) and the rest: no such setting here.
            return refuse(text::kCsvToneModeNotHeld, {*modeField});
        }
        if ((txSide == "DTCS" || rxSide == "DTCS") && !polarityOk) {
            return refuse(text::kCsvBadPolarity, {polarityField});
        }

        // Tone squelch uses cToneFreq both ways, DTCS DtcsCode both ways; a
        // cross channel takes rToneFreq / DtcsCode for transmit and
        // cToneFreq / RxDtcsCode for receive.
        const std::string_view txToneColumn = mode == "TSQL" ? rxTone : txTone;
        const std::string_view rxDcsColumn = mode == "DTCS" ? txDcs : rxDcs;
        std::optional<std::string> tx = std::string("Off");
        std::optional<std::string> rx = std::string("Off");
        if (txSide == "TONE") {
            tx = ctcss(txToneColumn, label);
        } else if (txSide == "DTCS") {
            tx = dcs(txDcs, label, polarity[0]);
        }
        if (tx && rxSide == "TONE") {
            rx = ctcss(rxTone, label);
        } else if (tx && rxSide == "DTCS") {
            rx = dcs(rxDcsColumn, label, polarity[1]);
        }
        if (!tx || !rx) {
            return false;
        }
        v.txTone = *tx;
        v.rxTone = *rx;
        return true;
    }

    bool readFlags(ChannelValues &v)
    {
        if (const auto mode = field("Mode"); mode && !mode->empty()) {
            const std::string m = upper(*mode);
            if (m == "FM") {
                v.wide = true;
            } else if (m == "NFM" || m == "FMN") {
                v.wide = false;
            } else {
                return refuse(text::kCsvModeNotHeld, {*mode});
            }
        }
        if (const auto skip = field("Skip")) {
            const std::string s = upper(*skip);
            if (s.empty() || s == "P") {
                v.scan = true;
            } else if (s == "S") {
                v.scan = false;
            } else {
                return refuse(text::kCsvBadSkip, {*skip});
            }
        }
        if (const auto power = field("Power"); power && !power->empty()) {
            v.high = highPower(*power);
            if (!v.high) {
                return refuse(text::kCsvBadPower, {*power});
            }
        }
        return true;
    }

    // "High" and "Low", or watts: under 1 W is low.
    static std::optional<bool> highPower(std::string_view power)
    {
        const std::string p = upper(power);
        if (p == "HIGH" || text::kHigh.matches(power)) {
            return true;
        }
        if (p == "LOW" || text::kLow.matches(power)) {
            return false;
        }
        std::string_view watts = power;
        if (!watts.empty() && (watts.back() == 'W' || watts.back() == 'w')) {
            watts = trimmed(watts.substr(0, watts.size() - 1));
        }
        if (!isPlainNumber(watts)) {
            return std::nullopt;
        }
        return leadingNumber(watts) >= 1.0;
    }

    void readName(ChannelValues &v)
    {
        // Blanks in a name are the radio's characters: only the file's
        // quoting decides where the name ends, unless the name must be cut.
        const auto name = m_columns.field(m_rec, "Name");
        if (!name) {
            return;
        }
        v.name = fitChannelName(*name);
        if (*v.name != *name) {
            v.warnings.push_back(fillIn(text::kCsvNameFitted.in(m_language), {*name, *v.name}));
        }
    }

    const Columns &m_columns;
    const CsvRecord &m_rec;
    Language m_language;
    std::string m_refusal;
};

} // namespace

std::optional<ChannelValues> readChannelLine(const Columns &columns, const CsvRecord &rec,
                                             Language language, std::string &reason)
{
    return LineReader(columns, rec, language).read(reason);
}

} // namespace kx9::csv
