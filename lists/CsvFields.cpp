#include "CsvFields.h"

#include "NumberText.h"

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
