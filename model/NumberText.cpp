#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace kx9 {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    return i;
}

// For a decimal text that from_chars found out of range: true when it is too
// large (strtod gives HUGE_VAL), false when too small (strtod gives 0). The
// decimal exponent of the first significant digit decides.
bool overflows(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    const long long exponent =
        e == std::string_view::npos ? 0 : leadingInteger(number.substr(e + 1));
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) {
        return false;
    }
    const long long position = firstSignificant < point
                                   ? static_cast<long long>(point - firstSignificant)
                                   : -static_cast<long long>(firstSignificant - point) + 1;
    return position + exponent > 0;
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::size_t length = 0;
    return leadingNumber(text, length);
}

double leadingNumber(std::string_view text, std::size_t &length)
{
    length = 0;
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    length = i;
    double value = 0.0;
    const char *first = text.data() + start;
    const auto result = std::from_chars(first, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) {
        value = overflows(text.substr(start, i - start)) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

long long leadingInteger(std::string_view text)
{
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && isDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
        ++i;
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return value;
}

long long truncateToInteger(double value)
{
    constexpr double kLimit = 4611686018427387904.0; // 2^62
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kLimit) {
        return static_cast<long long>(kLimit);
    }
    if (value <= -kLimit) {
        return -static_cast<long long>(kLimit);
    }
    return static_cast<long long>(value);
}

std::string formatFixed(double value, int decimals)
{
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

bool allDigits(std::string_view s)
{
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isPlainNumber(std::string_view s)
{
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos) {
        return allDigits(s);
    }
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = s.substr(point + 1);
    return (allDigits(whole) || whole.empty()) && (allDigits(fraction) || fraction.empty()) &&
           !(whole.empty() && fraction.empty());
}

std::optional<std::string> oneDecimalText(std::string_view s)
{
    if (!isPlainNumber(s))
        return std::nullopt;
    const double tenths = leadingNumber(s) * 10.0;
    if (std::abs(tenths - std::round(tenths)) > 1e-6)
        return std::nullopt;
    return formatFixed(std::round(tenths) / 10.0, 1);
}

} // namespace kx9
