#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kx9 {

// Number <-> text the way the radio's cells are read and written. These never
// depend on the process locale: the desktop program runs under a user locale
// whose decimal separator may be a comma, while cells and files always use a
// point.

// The decimal number at the start of text, after leading white space;
// conversion stops at the first character that cannot continue the number;
// 0 when there is none. Only plain decimal notation with an optional
// exponent is accepted (no hexadecimal, no "inf" or "nan").
double leadingNumber(std::string_view text);
// The same; length is where the number ends (0 when there is none).
double leadingNumber(std::string_view text, std::size_t &length);

// The decimal integer at the start of text (white space, optional sign,
// digits), 0 when there is none, clamped to the range of int.
long long leadingInteger(std::string_view text);

// Truncation toward zero; NaN gives 0 and values outside +-2^62 are clamped,
// so that the result is always defined.
long long truncateToInteger(double value);

// value printed with the given number of decimals, as "%.*f" would in the
// "C" locale.
std::string formatFixed(double value, int decimals);

bool allDigits(std::string_view s);
// A plain decimal number: digits with at most one point, nothing else. A
// spreadsheet cell holding more than a number is a mistake to show, not to
// read past.
bool isPlainNumber(std::string_view s);
// A plain number written with one decimal ("67" -> "67.0", "88.50" -> "88.5"),
// as the tone list writes tones; nothing for any other text or a number with
// a digit past the tenths.
std::optional<std::string> oneDecimalText(std::string_view s);

} // namespace kx9
