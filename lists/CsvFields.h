#pragma once

// Field texts of the channel list CSV, shared by its export and import.

#include "NumberText.h" // allDigits, isPlainNumber

#include <string>
#include <string_view>

namespace kx9::csv {

// What the other programmer writes in tone columns a channel does not use.
inline constexpr std::string_view kUnusedTone = "88.5";
inline constexpr std::string_view kUnusedDcs = "023";
inline constexpr std::string_view kUnusedPolarity = "NN";
inline constexpr std::string_view kUnusedCrossMode = "Tone->Tone";

// Without blanks and tabs at either end.
std::string_view trimmed(std::string_view s);
// ASCII letters upper-cased.
std::string upper(std::string_view s);
// Digits past the fifth decimal that are not zero: below what the image
// holds (10 Hz).
bool hasDigitsBelow10Hz(std::string_view number);
// 10 Hz units as MHz with six decimals ("446.006250"), exactly.
std::string mhz6(long long count);
// The cell text of a frequency, as the table conversion prints it.
std::string cellFrequency(long long count);
// A DCS code with at least three digits ("023").
std::string dcsDigits(long long code);

} // namespace kx9::csv
