#pragma once

#include "DebugMode.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// The debug mode's base frequency B in MHz: Low is B, Middle B + 10 and
// High B + 20, inside the radio's 400-470 MHz band.
inline constexpr double kDebugBaseMhz = 446.0;
inline constexpr double kDebugMiddleOffsetMhz = 10.0;
inline constexpr double kDebugSpanMhz = 20.0;

enum class DebugFrequency { High, Middle, Low };
enum class ToneMethod { Qt, Dqt };
enum class DebugStep { Khz500, Khz625 }; // 5.00 kHz, 6.25 kHz

inline constexpr std::array<DebugFrequency, 3> kDebugFrequencies{
    DebugFrequency::High, DebugFrequency::Middle, DebugFrequency::Low};
inline constexpr std::array<DebugItem, 4> kDebugItems{DebugItem::TxFrequency,
                                                      DebugItem::LowPowerVoltage,
                                                      DebugItem::SquelchLevel, DebugItem::TxPower};

// One side (receive or transmit) of a debug frequency.
struct DebugSide
{
    double mhz = 0.0;
    int toneIndex = 0; // position in the side's tone list
    DebugStep step = DebugStep::Khz500;
    ToneMethod method = ToneMethod::Qt;
};

struct DebugFrequencySettings
{
    DebugSide rx;
    DebugSide tx;
};

double defaultDebugMhz(DebugFrequency frequency, double base = kDebugBaseMhz);
// TX Frequency 91, Low Power Voltage 38, Squelch Level 160, TX Power 47.
int defaultDebugValue(DebugItem item);

// What the debug-mode dialog holds while it is open; closing discards it.
struct DebugModeState
{
    explicit DebugModeState(double base = kDebugBaseMhz);

    DebugFrequencySettings &settings(DebugFrequency frequency);
    const DebugFrequencySettings &settings(DebugFrequency frequency) const;
    int &value(DebugItem item);
    int value(DebugItem item) const;

    // Default on a frequency page: the frequency's own MHz, 5.00 kHz, QT,
    // first tone, on both sides.
    void resetFrequency(DebugFrequency frequency);
    // Default on an item page.
    void resetItem(DebugItem item) { value(item) = defaultDebugValue(item); }

    double base;
    std::array<DebugFrequencySettings, 3> frequencies; // High, Middle, Low
    DebugFrequency frequency = DebugFrequency::High;   // the one chosen last
    DebugItem item = DebugItem::TxFrequency;
    std::array<int, 4> values{}; // 0-255, in the order of kDebugItems
};

// The tone lists of the frequency page: QT is "Off" and every CTCSS tone,
// DQT every DCS code, normal then inverted.
const std::vector<std::string> &debugToneList(ToneMethod method);

// Enter in a frequency edit: the typed MHz as whole 10 Hz units, held to
// B..B+20 MHz and otherwise rounded to the nearest multiple of the step (a
// remainder of exactly half a step rounds down).
std::uint32_t snapDebugFrequency(std::string_view text, DebugStep step,
                                 double base = kDebugBaseMhz);

// MHz as the frequency edits show it ("%8.5f").
std::string formatDebugMhz(std::uint32_t units);
std::string formatDebugMhz(double mhz);

// The radio transmits only inside its band, 400-470 MHz.
bool debugFrequencyInBand(std::uint32_t units);

} // namespace kx9
