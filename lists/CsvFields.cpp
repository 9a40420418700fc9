#include "CsvFields.h"

#include "NumberText.h"

#include <algorithm>

namespace kx9::csv {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char &c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
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

bool hasDigitsBelow10Hz(std::string_view number)
{
    const std::size_t point = number.find('.');
    return point != std::string_view::npos && point + 6 < number.size() &&
           number.substr(point + 6).find_first_not_of('0') != std::string_view::npos;
}

std::string mhz6(long long count)
{
    if (count < 0) {
        return "-" + mhz6(-count);
    }
    std::string fraction = std::to_string(count % 100000);
    fraction.insert(0, 5 - fraction.size(), '0');
    return std::to_string(count / 100000) + "." + fraction + "0";
}

std::string cellFrequency(long long count)
{
    return formatFixed(static_cast<double>(count) * 0.00001, 5);
}

std::string dcsDigits(long long code)
{
    std::string digits = std::to_string(code);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return digits;
}

} // namespace kx9::csv
