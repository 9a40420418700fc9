#pragma once

#include "Fleet.h"

#include <span>
#include <string>
#include <string_view>

namespace kx9 {

// "written", "verified", "read", "failed: reason" or "skipped: reason", the
// reason being the whole message a single transfer gives (with its
// partial-write warning); a cancel says what the radio holds.
std::string fleetResultText(const FleetResult &result);

// A message of several lines as one line of sentences.
std::string fleetMessageLine(std::string_view message);

// One line for a radio that has finished: "port: result (8.4 s)".
std::string formatFleetLine(const FleetResult &result);

// One line for a radio still at work: "port [######------------------] 25%".
std::string formatFleetProgress(std::string_view port, const FleetProgress &progress);

// A line cut to fit a terminal's columns, ending in "…" where it was cut:
// a line that wrapped would leave the redrawn lines above it behind.
std::string fitToColumns(std::string_view line, std::size_t columns);

// The final table: port, identity, result, seconds; a header line and one
// line per radio, columns padded to the widest cell.
std::string formatFleetTable(std::span<const FleetResult> results);

// The same as one JSON array of objects with the keys port, identity (two
// hex digits or null), result, reason (a few English words), message (the
// whole reason, in one line), partialWrite and seconds.
std::string formatFleetJson(std::span<const FleetResult> results);

// True when every radio was written, verified or read.
bool fleetSucceeded(std::span<const FleetResult> results);

} // namespace kx9
