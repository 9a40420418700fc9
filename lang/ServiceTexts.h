#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the service tools that the radio maker's program never had: our
// own prompts and the messages for the cases we do not leave silent.
namespace kx9::text {

// Status prompts of the power tuning commands: status line, then tooltip.
inline constexpr std::string_view kHighPowerDebugPrompt =
    KX9_UI("kx9", "Tune the radio's high transmit power on line\nHigh Power Debug");
inline constexpr std::string_view kLowPowerDebugPrompt =
    KX9_UI("kx9", "Tune the radio's low transmit power on line\nLow Power Debug");
inline constexpr std::string_view kDebugModeItem = KX9_UI("kx9", "&Debug Mode...");

// Closing a power tuning dialog: the radio never acknowledged the exit
// wake-up, so the exit code was not sent.
inline constexpr TextPair kServiceExitUnanswered{
    "The radio did not answer the request to leave power tuning; it may still be in service "
    "mode. Switch it off and on again.",
    "对讲机未回应退出功率调试的请求，可能仍处于调试状态，请关闭电源后重新开机。"};

// Debug mode Start with a frequency the radio cannot transmit on.
inline constexpr TextPair kDebugFrequencyOutOfBand{
    "The debug frequencies must lie between 400 and 470 MHz; nothing was sent.",
    "调试频率必须在 400 到 470 MHz 之间，未发送任何数据。"};

} // namespace kx9::text
