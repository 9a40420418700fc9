#include "ChannelCsv.h"

#include "ChannelListTexts.h"
#include "CsvLineReader.h"
#include "EditRules.h"
#include "NumberText.h"
#include "RadioType.h"
#include "TextFormat.h"

#include <algorithm>
#include <map>
#include <set>

namespace kx9 {

using namespace csv;

namespace {

void apply(ChannelTable &table, int row, const ChannelValues &v, Language language)
{
    // The receive value goes in as typing puts it, so a channel new to the
    // table gets the same defaults.
    for (const CellEdit &e :
         commitFrequency(table, row, kColReceive, v.receive, CommitKind::Leave, language).edits) {
        table.setCell(e.row, e.col, e.text);
    }
    table.setCell(row, kColTransmit, v.transmit);
    const auto set = [&](int col, const std::optional<bool> &on, const TextPair &yes,
                         const TextPair &no) {
        if (on) {
            table.setCell(row, col, std::string((*on ? yes : no).in(language)));
        }
    };
    if (v.rxTone) {
        table.setCell(row, kColRxTone, *v.rxTone);
        table.setCell(row, kColTxTone, *v.txTone);
    }
    set(kColBandwidth, v.wide, text::kWide, text::kNarrow);
    set(kColScan, v.scan, text::kYes, text::kNo);
    set(kColPower, v.high, text::kHigh, text::kLow);
    if (v.name) {
        table.setCell(row, kColName, *v.name);
    }
}

bool blankRecord(const CsvRecord &rec)
{
    return std::all_of(rec.fields.begin(), rec.fields.end(),
                       [](const std::string &f) { return trimmed(f).empty(); });
}

} // namespace

CsvImport importChannelCsv(std::string_view listText, const ChannelTable &table, int type,
                           const CsvImportOptions &options)
{
    const Language language = options.language;
    CsvImport out{table, {}};
    CsvImportReport &report = out.report;
    const std::vector<CsvRecord> records = parseCsv(listText);
    if (records.empty()) {
        report.fileError = text::kCsvNoHeader.in(language);
        return out;
    }
    const Columns columns(records.front().fields);
    for (const std::string_view required : {"Location", "Frequency"}) {
        if (!columns.has(required)) {
            report.fileError = fillIn(text::kCsvMissingColumn.in(language), {required});
            return out;
        }
    }
    const std::size_t headerFields = records.front().fields.size();
    const auto refuse = [&](const CsvRecord &rec, const TextPair &pattern,
                            std::initializer_list<std::string_view> args) {
        report.refused.push_back({rec.line, fillIn(pattern.in(language), args)});
    };

    // First pass: the lines that are whole and name a Location, so that a
    // list counting from 0 is known before any channel is placed.
    struct Placed
    {
        const CsvRecord *rec;
        long long location;
    };
    std::vector<Placed> placed;
    for (auto rec = records.begin() + 1; rec != records.end(); ++rec) {
        if (blankRecord(*rec)) {
            continue;
        }
        if (rec->unterminatedQuote) {
            if (rec->lastLine > rec->line) {
                refuse(*rec, text::kCsvUnterminatedQuoteLines,
                       {std::to_string(rec->line), std::to_string(rec->lastLine)});
            } else {
                refuse(*rec, text::kCsvUnterminatedQuote, {});
            }
            continue;
        }
        if (rec->fields.size() < headerFields) {
            refuse(*rec, text::kCsvFewerFields,
                   {std::to_string(rec->fields.size()), std::to_string(headerFields)});
            continue;
        }
        const std::string_view location = trimmed(*columns.field(*rec, "Location"));
        if (!allDigits(location) || location.size() > 6) {
            refuse(*rec, text::kCsvBadLocation, {location});
            continue;
        }
        placed.push_back({&*rec, leadingInteger(location)});
    }
    const bool fromZero =
        std::any_of(placed.begin(), placed.end(), [](const Placed &p) { return p.location == 0; });
    if (fromZero) {
        report.notes.emplace_back(text::kCsvLocationsFromZero.in(language));
    }

    std::map<long long, int> taken; // channel -> line whose values it took
    std::set<long long> named;      // every channel a line named, taken or refused
    for (const Placed &p : placed) {
        const CsvRecord &rec = *p.rec;
        const long long channel = p.location + (fromZero ? 1 : 0);
        const int count = channelCount(type);
        if (channel < 1 || channel > count) {
            refuse(rec, text::kCsvLocationOutside,
                   {std::to_string(channel), std::to_string(count)});
            continue;
        }
        named.insert(channel);
        if (const auto it = taken.find(channel); it != taken.end()) {
            refuse(rec, text::kCsvDuplicateChannel,
                   {std::to_string(channel), std::to_string(it->second)});
            continue;
        }
        std::string reason;
        const auto values = readChannelLine(columns, rec, language, reason);
        // A refused line claims no channel: a later line may still give it.
        if (!values) {
            report.refused.push_back({rec.line, reason});
            continue;
        }
        taken.emplace(channel, rec.line);
        const int row = static_cast<int>(channel);
        apply(out.table, row, *values, language);
        report.applied.push_back(row);
        for (const std::string &w : values->warnings) {
            report.warnings.push_back({rec.line, w});
        }
    }
    std::sort(report.refused.begin(), report.refused.end(),
              [](const CsvLineNote &a, const CsvLineNote &b) { return a.line < b.line; });

    if (options.replaceAll) {
        // A channel named by a refused line is kept: the user sees the
        // refusal and still has the old channel.
        for (int row = 1; row <= channelCount(type); ++row) {
            bool holdsSomething = false;
            for (int col = 1; col < kTableCols; ++col) {
                holdsSomething = holdsSomething || !out.table.cell(row, col).empty();
            }
            if (named.count(row) == 0 && holdsSomething) {
                for (int col = 1; col < kTableCols; ++col) {
                    out.table.setCell(row, col, {});
                }
                report.emptied.push_back(row);
            }
        }
    }
    return out;
}

} // namespace kx9
