#include "DebugModeRules.h"

#include "DecimalMath.h"
#include "NumberText.h"
#include "ToneTable.h"

#include <algorithm>

namespace kx9 {

namespace {

constexpr long long kUnitsPerMhz = 100000; // 10 Hz units
constexpr std::uint32_t kBandLow = 40'000'000;
constexpr std::uint32_t kBandHigh = 47'000'000;

std::size_t indexOf(DebugFrequency frequency)
{
    return static_cast<std::size_t>(frequency);
}

std::size_t indexOf(DebugItem item)
{
    const auto it = std::find(kDebugItems.begin(), kDebugItems.end(), item);
    return static_cast<std::size_t>(it - kDebugItems.begin());
}

long long toUnits(double mhz)
{
    return truncateToInteger(DecimalMultiply(mhz, static_cast<double>(kUnitsPerMhz)));
}

} // namespace

double defaultDebugMhz(DebugFrequency frequency, double base)
{
    switch (frequency) {
    case DebugFrequency::High:
        return DecimalAdd(base, kDebugSpanMhz);
    case DebugFrequency::Middle:
        return DecimalAdd(base, kDebugMiddleOffsetMhz);
    case DebugFrequency::Low:
        break;
    }
    return base;
}

int defaultDebugValue(DebugItem item)
{
    switch (item) {
    case DebugItem::TxFrequency:
        return 91;
    case DebugItem::LowPowerVoltage:
        return 38;
    case DebugItem::SquelchLevel:
        return 160;
    case DebugItem::TxPower:
        break;
    }
    return 47;
}

DebugModeState::DebugModeState(double b) : base(b)
{
    for (DebugFrequency f : kDebugFrequencies)
        resetFrequency(f);
}

DebugFrequencySettings &DebugModeState::settings(DebugFrequency f)
{
    return frequencies[indexOf(f)];
}

const DebugFrequencySettings &DebugModeState::settings(DebugFrequency f) const
{
    return frequencies[indexOf(f)];
}

int &DebugModeState::value(DebugItem item)
{
    return values[indexOf(item)];
}

int DebugModeState::value(DebugItem item) const
{
    return values[indexOf(item)];
}

void DebugModeState::resetFrequency(DebugFrequency f)
{
    const double mhz = defaultDebugMhz(f, base);
    settings(f) = {{mhz, 0, DebugStep::Khz500, ToneMethod::Qt},
                   {mhz, 0, DebugStep::Khz500, ToneMethod::Qt}};
}

const std::vector<std::string> &debugToneList(ToneMethod method)
{
    static const std::vector<std::string> qt(
        ToneTable::entries().begin(), ToneTable::entries().begin() + ToneTable::kFirstDcsNormal);
    static const std::vector<std::string> dqt(
        ToneTable::entries().begin() + ToneTable::kFirstDcsNormal, ToneTable::entries().end());
    return method == ToneMethod::Qt ? qt : dqt;
}

std::uint32_t snapDebugFrequency(std::string_view text, DebugStep step, double base)
{
    const long long low = toUnits(base);
    const long long high = toUnits(DecimalAdd(base, kDebugSpanMhz));
    long long n = toUnits(leadingNumber(text));
    if (n > high) {
        n = high;
    } else if (n < low) {
        n = low;
    } else {
        const long long grid = step == DebugStep::Khz500 ? 500 : 625;
        const long long rest = n % grid;
        // Half a step or less rounds down: 250 of 500, 312 of 625.
        n += 2 * rest > grid ? grid - rest : -rest;
    }
    return static_cast<std::uint32_t>(std::max(n, 0LL));
}

std::string formatDebugMhz(std::uint32_t units)
{
    std::string fraction = std::to_string(units % kUnitsPerMhz);
    fraction.insert(0, 5 - fraction.size(), '0');
    std::string text = std::to_string(units / kUnitsPerMhz) + "." + fraction;
    if (text.size() < 8)
        text.insert(0, 8 - text.size(), ' ');
    return text;
}

std::string formatDebugMhz(double mhz)
{
    std::string text = formatFixed(mhz, 5);
    if (text.size() < 8)
        text.insert(0, 8 - text.size(), ' ');
    return text;
}

bool debugFrequencyInBand(std::uint32_t units)
{
    return units >= kBandLow && units <= kBandHigh;
}

} // namespace kx9
