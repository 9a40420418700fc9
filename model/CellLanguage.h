#pragma once

#include "ChannelTable.h"
#include "Language.h"

#include <string_view>

namespace kx9 {

// The language switch's view of a channel row: the flag cells (bandwidth,
// scan, power, busy lock) are the only cells whose text depends on the
// language; frequencies, tones, names and "QT/DQT" read the same in both.

// The counterpart in `to` of a cell text written in `from`; any text that is
// not exactly one of that column's `from` texts comes back unchanged.
std::string_view translateCellText(int col, std::string_view text, Language from, Language to);

// Translates the flag cells of the channel rows 1-128; row 0 (the headers)
// is left to the caller, which writes it afresh.
void translateChannelRows(ChannelTable &table, Language from, Language to);

} // namespace kx9
