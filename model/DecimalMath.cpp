#include "DecimalMath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace kx9 {

namespace {

// A decimal number: sign * digits * 10^exponent, digits without leading
// zeros ("" for zero).
struct Decimal
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

constexpr int kSignificantDigits = 15;

// The operand rounded to 15 significant digits, as the platform's
// double-to-decimal conversion does. to_chars rounds the exact binary value
// correctly, like printf's "%.14e" but without the locale's decimal point.
Decimal toDecimal(double value)
{
    Decimal d;
    if (value == 0.0) {
        return d;
    }
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    const std::string text(buffer, end);
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i) {
        if (text[i] != '.') {
            d.digits += text[i];
        }
    }
    d.exponent = std::stoi(text.substr(e + 1)) - (kSignificantDigits - 1);
    return d;
}

void trim(Decimal &d)
{
    const std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        d.negative = false;
        return;
    }
    d.digits.erase(0, first);
}

// The exact decimal, correctly rounded to double by from_chars.
double toDouble(Decimal d)
{
    trim(d);
    if (d.digits.empty()) {
        return 0.0;
    }
    const std::string text = d.digits + "e" + std::to_string(d.exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = d.exponent > 0 ? HUGE_VAL : 0.0;
    }
    return d.negative ? -value : value;
}

int compareMagnitude(const std::string &a, const std::string &b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// Digit strings of equal length.
std::string addDigits(const std::string &a, const std::string &b)
{
    std::string out(a.size() + 1, '0');
    int carry = 0;
    for (std::size_t k = a.size(); k-- > 0;) {
        const int sum = (a[k] - '0') + (b[k] - '0') + carry;
        out[k + 1] = static_cast<char>('0' + sum % 10);
        carry = sum / 10;
    }
    out[0] = static_cast<char>('0' + carry);
    return out;
}

// a >= b, equal length.
std::string subtractDigits(const std::string &a, const std::string &b)
{
    std::string out(a.size(), '0');
    int borrow = 0;
    for (std::size_t k = a.size(); k-- > 0;) {
        int diff = (a[k] - '0') - (b[k] - '0') - borrow;
        borrow = diff < 0 ? 1 : 0;
        diff += borrow * 10;
        out[k] = static_cast<char>('0' + diff);
    }
    return out;
}

} // namespace

double DecimalMultiply(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a * b;
    }
    const Decimal x = toDecimal(a);
    const Decimal y = toDecimal(b);
    if (x.digits.empty() || y.digits.empty()) {
        return 0.0;
    }
    // Two 15-digit integers: the product has at most 30 digits and fits.
    const unsigned __int128 product =
        static_cast<unsigned __int128>(std::stoull(x.digits)) * std::stoull(y.digits);
    Decimal r;
    r.negative = x.negative != y.negative;
    r.exponent = x.exponent + y.exponent;
    unsigned __int128 rest = product;
    while (rest != 0) {
        r.digits.insert(r.digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
        rest /= 10;
    }
    return toDouble(r);
}

double DecimalAdd(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return a + b;
    }
    Decimal x = toDecimal(a);
    Decimal y = toDecimal(b);
    if (x.digits.empty()) {
        return toDouble(y);
    }
    if (y.digits.empty()) {
        return toDouble(x);
    }
    // Bring both to the smaller exponent, then to the same length.
    const int exponent = std::min(x.exponent, y.exponent);
    x.digits.append(static_cast<std::size_t>(x.exponent - exponent), '0');
    y.digits.append(static_cast<std::size_t>(y.exponent - exponent), '0');
    const std::size_t width = std::max(x.digits.size(), y.digits.size());
    x.digits.insert(0, width - x.digits.size(), '0');
    y.digits.insert(0, width - y.digits.size(), '0');

    Decimal r;
    r.exponent = exponent;
    if (x.negative == y.negative) {
        r.negative = x.negative;
        r.digits = addDigits(x.digits, y.digits);
    } else if (compareMagnitude(x.digits, y.digits) >= 0) {
        r.negative = x.negative;
        r.digits = subtractDigits(x.digits, y.digits);
    } else {
        r.negative = y.negative;
        r.digits = subtractDigits(y.digits, x.digits);
    }
    return toDouble(r);
}

} // namespace kx9
