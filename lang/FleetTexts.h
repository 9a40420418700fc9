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
// Answers each radio's type question with OK, as kx9-cli's --yes does.
inline constexpr std::string_view kFleetOtherIdentityBox =
    KX9_UI("kx9", "&Also write radios whose identity differs from the file's");
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
// Ports that cannot go into one run, in the dialog and on the command line:
// %1 and %2 port names as given, %3 a file name.
inline constexpr TextPair kFleetNoPortGiven{"no port given", "未指定串口"};
inline constexpr TextPair kFleetEmptyPortName{"an empty port name", "串口名称为空"};
inline constexpr TextPair kFleetPortTwice{"port %1 given twice", "串口 %1 指定了两次"};
inline constexpr TextPair kFleetSamePort{"%1 and %2 are the same port", "%1 和 %2 是同一个串口"};
inline constexpr TextPair kFleetSameFile{"%1 and %2 would both be read into %3",
                                         "%1 和 %2 会读入同一个文件 %3"};

} // namespace kx9::text
