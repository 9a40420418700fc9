#pragma once

#include "Language.h"
#include "Port.h"
#include "ServiceHost.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kx9 {

// The four settings of the debug mode, by the code the radio knows them by.
enum class DebugItem : std::uint8_t {
    TxFrequency = 'q',
    LowPowerVoltage = 'r',
    SquelchLevel = 's',
    TxPower = 't',
};

// One complete debug-mode setting as it goes to the radio.
struct DebugCommand
{
    DebugItem item = DebugItem::TxFrequency;
    std::uint32_t rxFrequency = 0; // 10 Hz units
    std::uint32_t txFrequency = 0;
    std::uint32_t rxTone = 0; // tenths of Hz; 0 for no tone or a DCS code
    std::uint32_t txTone = 0;
    std::uint8_t value = 0;
};

// A frequency text in MHz as whole 10 Hz units, truncated; 0 when the text
// holds no number or a negative one.
std::uint32_t debugFrequencyUnits(std::string_view mhzText);
// A tone text's leading number x 10, truncated: "67.0" is 670; "Off" and
// DCS codes such as "D023N" are 0.
std::uint32_t debugToneValue(std::string_view toneText);

// The two 8-byte blocks after the item code: both frequencies as BCD8, low
// digit pair first; then both tones as four BCD digits, low pair first,
// followed by FB 01 01 and the value.
std::array<std::uint8_t, 8> debugFrequencyBlock(const DebugCommand &command);
std::array<std::uint8_t, 8> debugToneBlock(const DebugCommand &command);

// Opens the port with the debug profile, sends the command and closes the
// port. Errors ask Retry or Cancel; Retry repeats the whole exchange from the
// wake-up. The caller tells the user of success.
ServiceResult sendDebugCommand(Port &port, std::string_view portName, ServiceHost &host,
                               const DebugCommand &command, Language language = currentLanguage());

} // namespace kx9
