#pragma once

#include "Language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kx9 {

// 10 Hz units: 67 MHz to 521 MHz.
inline constexpr std::uint32_t kLowestFrequency = 6700000;
inline constexpr std::uint32_t kHighestFrequency = 52100000;

// 10 Hz units: the band the radio works in. Values outside it but within the
// range above are kept (a list may be shared with other radios), with a warning.
inline constexpr std::uint32_t kBandLowest = 40000000;
inline constexpr std::uint32_t kBandHighest = 47000000;

// NotANumber: the text holds more than one number and blanks.
enum class FrequencyError { None, OutOfRange, OffStep, NotANumber };

struct FrequencyCheck
{
    FrequencyError error = FrequencyError::None;
    // The value with five decimals ("%3.5f"), e.g. "446.10000" for "446,1";
    // empty for NotANumber.
    std::string normalised;
    // Whole 10 Hz units: those of the normalised text when the check passes,
    // the truncated typed value when it fails on the step; 0 when out of range.
    std::uint32_t count = 0;
    // Accepted, but outside the radio's band.
    bool outsideBand = false;
};

// The check of a typed frequency: one number with blanks around it at most
// (a comma reads as the decimal point, as many users' keyboards write it),
// range 67-521 MHz and a multiple of one of
// the channel steps 6.25, 5 or 2.5 kHz. The count is tested on the truncated
// value while the text is rounded to five decimals, so 446.006251 passes and
// reads 446.00625; the rounded text must pass as well, since it is what gets
// stored (446.0062599 would read 446.00626 and is refused as off step).
FrequencyCheck checkFrequency(std::string_view text);

// A cell text as a 10 Hz count the way the table is written into the image:
// the leading number times 100000 in exact decimal, truncated toward zero.
// Empty or non-numeric text gives 0.
long long frequencyTextToCount(std::string_view text);

// A frequency text with its comma read as the decimal point, as keyboards
// in much of the world write it ("446,1" is "446.1").
std::string withDecimalPoint(std::string_view text);

// The warning for an accepted frequency outside the radio's band, in the
// given language; normalised is the value as stored.
std::string outsideBandWarning(std::string_view normalised, Language language);

} // namespace kx9
