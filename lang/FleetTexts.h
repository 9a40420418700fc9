#pragma once

#include <string_view>

// Texts of Write To Several Radios, shown through ui() (the Chinese is in
// the pack).
namespace kx9::text {

inline constexpr std::string_view kFleetItem = "Write To &Several Radios...";
inline constexpr std::string_view kFleetPrompt =
    "Write the grid into many radios at once, one cable each\nWrite To Several Radios";
inline constexpr std::string_view kFleetCaption = "Write To Several Radios";
inline constexpr std::string_view kFleetIntro =
    "Tick the port of every radio to write, one programming cable each. The channels as "
    "the window shows them go into all of them at the same time.";
inline constexpr std::string_view kFleetColumns[4] = {"Port", "Identity", "Progress", "Result"};
inline constexpr std::string_view kFleetOther = "&Other Port...";
inline constexpr std::string_view kFleetStart = "&Start";
inline constexpr std::string_view kFleetCancelAll = "&Cancel All";
inline constexpr std::string_view kFleetClose = "Close";
inline constexpr std::string_view kFleetNoPorts = "Tick at least one port.";
inline constexpr std::string_view kFleetWaiting = "Writing...";
inline constexpr std::string_view kFleetWritten = "Written";
inline constexpr std::string_view kFleetVerified = "Verified";
inline constexpr std::string_view kFleetFailed = "Failed";
inline constexpr std::string_view kFleetSkipped = "Skipped";
inline constexpr std::string_view kFleetCancelled = "Cancelled";
// A result and what the radio or the transfer said.
inline constexpr std::string_view kFleetResultDetail = "%1: %2";
// %1 radios of %2 were written.
inline constexpr std::string_view kFleetSummary = "%1 of %2 radios written.";
inline constexpr std::string_view kFleetCancelling = "Cancelling...";

} // namespace kx9::text
