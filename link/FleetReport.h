#pragma once

#include "Fleet.h"

#include <span>
#include <string>

namespace kx9 {

// "written", "verified", "read", "failed: reason" or "skipped: reason", with
// the partial-write warning of a radio that must be written again.
std::string fleetResultText(const FleetResult &result);

// One line for a radio that has finished: "port: result (8.4 s)".
std::string formatFleetLine(const FleetResult &result);

// The final table: port, identity, result, seconds; a header line and one
// line per radio, columns padded to the widest cell.
std::string formatFleetTable(std::span<const FleetResult> results);

// The same as one JSON array of objects with the keys port, identity (two
// hex digits or null), result, reason, partialWrite and seconds.
std::string formatFleetJson(std::span<const FleetResult> results);

// True when every radio was written, verified or read.
bool fleetSucceeded(std::span<const FleetResult> results);

} // namespace kx9
