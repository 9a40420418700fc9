#pragma once

#include "Texts.h"
#include "UiMark.h"

#include <string_view>

// Texts of Write To Several Radios, shown through ui() (the Chinese is in
// the pack).
namespace kx9::text {

inline constexpr std::string_view kFleetItem = KX9_UI("kx9", "Write To &Several Radios...");
inline constexpr std::string_view kFleetPrompt = KX9_UI(
    "kx9", "Write the grid into many radios at once, one cable each\nWrite To Several Radios");
inline constexpr std::string_view kFleetCaption = KX9_UI("kx9", "Write To Several Radios");
inline constexpr std::string_view kFleetIntro = KX9_UI(
    "kx9", "Tick the port of every radio to write, one programming cable each. The channels as "
           "the window shows them go into all of them at the same time.");
inline constexpr std::string_view kFleetColumns[4] = {
    KX9_UI("kx9", "Port"), KX9_UI("kx9", "Identity"), KX9_UI("kx9", "Progress"),
    KX9_UI("kx9", "Result")};
inline constexpr std::string_view kFleetOther = KX9_UI("kx9", "&Other Port...");
inline constexpr std::string_view kFleetStart = KX9_UI("kx9", "&Start");
inline constexpr std::string_view kFleetCancelAll = KX9_UI("kx9", "&Cancel All");
inline constexpr std::string_view kFleetClose = KX9_UI("kx9", "Close");
inline constexpr std::string_view kFleetNoPorts = KX9_UI("kx9", "Tick at least one port.");
inline constexpr std::string_view kFleetWaiting = KX9_UI("kx9", "Writing...");
inline constexpr std::string_view kFleetWritten = KX9_UI("kx9", "Written");
inline constexpr std::string_view kFleetVerified = KX9_UI("kx9", "Verified");
inline constexpr std::string_view kFleetFailed = KX9_UI("kx9", "Failed");
inline constexpr std::string_view kFleetSkipped = KX9_UI("kx9", "Skipped");
inline constexpr std::string_view kFleetCancelled = KX9_UI("kx9", "Cancelled");
// Why a radio was skipped: %1 the identity byte of the file written, in hex.
inline constexpr std::string_view kFleetIdentityDiffers =
    KX9_UI("kx9", "identity differs from the file's %1");
// A result and what the radio or the transfer said.
inline constexpr std::string_view kFleetResultDetail = KX9_UI("kx9", "%1: %2");
// %1 radios of %2 were written.
inline constexpr std::string_view kFleetSummary = KX9_UI("kx9", "%1 of %2 radios written.");
inline constexpr std::string_view kFleetCancelling = KX9_UI("kx9", "Cancelling...");
// A radio's progress bar as a screen reader names it: %1 port, %2 percent.
inline constexpr TextPair kFleetBarName{"%1: writing %2 %", "%1：正在写入 %2 %"};

} // namespace kx9::text
