#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// Comma-separated text as spreadsheets and other programmers write it:
// fields quoted with '"' when they hold a comma, a quote or a line end, a
// quote inside doubled; lines ending in CRLF, LF or CR.

// One record of the text. line is where it starts (1 for the first line),
// so that a problem can be shown where the user will look for it.
struct CsvRecord
{
    int line = 0;
    std::vector<std::string> fields;
    // The record ended inside a quoted field: the text stopped short.
    bool unterminatedQuote = false;
    // The last line the record took in (line ends inside quotes join lines).
    int lastLine = 0;
};

// Splits text into records. A UTF-8 byte-order mark at the start is
// dropped; empty lines and lines starting with '#' are skipped.
std::vector<CsvRecord> parseCsv(std::string_view text);

// A field as it goes into a line: quoted only when it has to be.
std::string csvField(std::string_view value);
// The fields joined by commas and ended by CRLF.
std::string csvLine(const std::vector<std::string> &fields);

} // namespace kx9
