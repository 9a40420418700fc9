#pragma once

#include "ChannelTable.h"
#include "Language.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// The channel list CSV that the popular open-source multi-radio programmer
// reads and writes, so that lists shared in that form load here and ours
// load there. Columns in the order that programmer writes them.
inline constexpr std::array<std::string_view, 21> kCsvColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

struct CsvExport
{
    std::string text; // UTF-8, CRLF line ends
    // Channels the layout cannot carry, in the language asked for.
    std::vector<std::string> warnings;
};

// The header line, then one line per channel in use among the radio
// type's channels.
CsvExport exportChannelCsv(const ChannelTable &table, int type, Language language);

struct CsvImportOptions
{
    // Channels the file does not name are emptied (otherwise kept).
    bool replaceAll = false;
    // Language of the flag cells written and of the report's texts.
    Language language = Language::English;
};

// One line of the file and what happened to it.
struct CsvLineNote
{
    int line = 0;
    std::string text;
    friend bool operator==(const CsvLineNote &, const CsvLineNote &) = default;
};

struct CsvImportReport
{
    // Set when the file as a whole is no channel list; nothing was read.
    std::string fileError;
    std::vector<int> applied; // channels written, in the file's order
    std::vector<int> emptied; // channels emptied by replaceAll
    std::vector<CsvLineNote> refused;
    std::vector<CsvLineNote> warnings;
    // Notes on the file as a whole (the Locations counted from 0).
    std::vector<std::string> notes;

    bool complete() const { return fileError.empty() && refused.empty(); }
};

struct CsvImport
{
    ChannelTable table; // the caller's table with the file's channels applied
    CsvImportReport report;
};

// Maps a CSV text onto a copy of the table for a radio type. Each line goes
// through the checks typing goes through (frequency range and step, tone
// table, name rules); a line that fails any of them changes nothing and is
// listed with its reason. Values whose column the file lacks are kept (a
// channel new to the table gets the defaults typing gives it), except the
// transmit frequency, which follows Duplex: no Duplex column, simplex.
CsvImport importChannelCsv(std::string_view listText, const ChannelTable &table, int type,
                           const CsvImportOptions &options = {});

} // namespace kx9
