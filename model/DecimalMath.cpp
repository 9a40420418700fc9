#include "DecimalMath.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace kx9 {

namespace {

using U128 = unsigned __int128;

// sign * mantissa * 10^exponent; a 15-digit mantissa for an operand.
struct Decimal
{
    bool negative = false;
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

constexpr int kSignificantDigits = 15;

// Reads "d.ddde[+-]xx" into a decimal.
Decimal parseScientific(const char *p, const char *end)
{
    Decimal d;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    int digits = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            d.mantissa = d.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
            ++digits;
        }
    }
    int exponent = 0;
    if (p < end) {
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
    }
    d.exponent = exponent - (digits - 1);
    return d;
}

// The operand rounded to 15 significant digits, as the platform's
// double-to-decimal conversion does. When the shortest text that reads back
// as the same double has at most 15 digits, it is that rounding (any decimal
// of 15 digits survives the trip through a double); otherwise to_chars
// rounds the exact binary value to 15 digits, like printf's "%.14e" but
// without the locale's decimal point.
Decimal toDecimal(double value)
{
    if (value == 0.0) {
        return {};
    }
    char buffer[64];
    const char *end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const char *const begin = buffer;
    const auto digits = std::count_if(begin, std::find(begin, end, 'e'),
                                      [](char c) { return c >= '0' && c <= '9'; });
    if (digits > kSignificantDigits) {
        end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            kSignificantDigits - 1)
                  .ptr;
    }
    return parseScientific(buffer, end);
}

constexpr std::array<double, 23> kExactPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The exact decimal mantissa * 10^exponent, correctly rounded to double.
double toDouble(bool negative, U128 mantissa, int exponent)
{
    if (mantissa == 0) {
        return 0.0;
    }
    while (mantissa % 10 == 0) {
        mantissa /= 10;
        ++exponent;
    }
    double value = 0.0;
    // Both factors exact in binary, so one rounding: correctly rounded.
    if (mantissa < (U128(1) << 53) && exponent >= -22 && exponent <= 22) {
        const auto m = static_cast<double>(static_cast<std::uint64_t>(mantissa));
        value = exponent >= 0 ? m * kExactPowers[static_cast<std::size_t>(exponent)]
                              : m / kExactPowers[static_cast<std::size_t>(-exponent)];
    } else {
        char buffer[64];
        char *p = buffer + 40;
        char *const digitsEnd = p;
        while (mantissa != 0) {
            *--p = static_cast<char>('0' + static_cast<int>(mantissa % 10));
            mantissa /= 10;
        }
        char *end = digitsEnd;
        *end++ = 'e';
        end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;
        const auto result = std::from_chars(p, end, value);
        if (result.ec == std::errc::result_out_of_range) {
            value = exponent > 0 ? HUGE_VAL : 0.0;
        }
    }
    return negative ? -value : value;
}

// Slow path of the sum for operands of very different magnitude: decimal
// digit strings of any length.
double addDigitStrings(const Decimal &x, const Decimal &y)
{
    const int exponent = std::min(x.exponent, y.exponent);
    std::string a = std::to_string(x.mantissa);
    std::string b = std::to_string(y.mantissa);
    a.append(static_cast<std::size_t>(x.exponent - exponent), '0');
    b.append(static_cast<std::size_t>(y.exponent - exponent), '0');
    const std::size_t width = std::max(a.size(), b.size()) + 1;
    a.insert(0, width - a.size(), '0');
    b.insert(0, width - b.size(), '0');
    bool negative = x.negative;
    if (x.negative != y.negative && a < b) {
        std::swap(a, b);
        negative = y.negative;
    }
    std::string r(width, '0');
    int carry = 0;
    for (std::size_t k = width; k-- > 0;) {
        int digit = x.negative == y.negative ? (a[k] - '0') + (b[k] - '0') + carry
                                             : (a[k] - '0') - (b[k] - '0') - carry;
        if (x.negative == y.negative) {
            carry = digit / 10;
            digit %= 10;
        } else {
            carry = digit < 0 ? 1 : 0;
            digit += carry * 10;
        }
        r[k] = static_cast<char>('0' + digit);
    }
    const std::size_t first = r.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0.0;
    }
    const std::string text = r.substr(first) + "e" + std::to_string(exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = exponent > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double DecimalMultiply(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a * b;
    }
    const Decimal x = toDecimal(a);
    const Decimal y = toDecimal(b);
    // Two 15-digit mantissas: the exact product has at most 30 digits.
    return toDouble(x.negative != y.negative, U128(x.mantissa) * y.mantissa,
                    x.exponent + y.exponent);
}

double DecimalAdd(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a + b;
    }
    Decimal x = toDecimal(a);
    Decimal y = toDecimal(b);
    if (x.mantissa == 0) {
        return toDouble(y.negative, y.mantissa, y.exponent);
    }
    if (y.mantissa == 0) {
        return toDouble(x.negative, x.mantissa, x.exponent);
    }
    if (x.exponent < y.exponent) {
        std::swap(x, y);
    }
    // Aligning a 15-digit mantissa by up to 20 places stays within 128 bits.
    const int shift = x.exponent - y.exponent;
    if (shift > 20) {
        return addDigitStrings(x, y);
    }
    U128 big = x.mantissa;
    for (int i = 0; i < shift; ++i) {
        big *= 10;
    }
    const U128 small = y.mantissa;
    if (x.negative == y.negative) {
        return toDouble(x.negative, big + small, y.exponent);
    }
    return big >= small ? toDouble(x.negative, big - small, y.exponent)
                        : toDouble(y.negative, small - big, y.exponent);
}

} // namespace kx9
