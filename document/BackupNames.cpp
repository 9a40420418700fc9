#include "BackupNames.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace kx9 {

namespace {

constexpr std::string_view kExtension = ".sin";
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// The C library's zone set-up is shared state; one lock serialises our uses.
std::mutex &timeZoneLock()
{
    static std::mutex lock;
    return lock;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil
{
    std::int64_t year;
    unsigned month, day, hour, minute, second;
};

Civil civilFromTime(std::time_t time)
{
    const std::int64_t t = time;
    std::int64_t days = t / kSecondsPerDay;
    std::int64_t rest = t % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const auto seconds = static_cast<unsigned>(rest);
    return {static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2),
            month,
            day,
            seconds / 3600,
            seconds / 60 % 60,
            seconds % 60};
}

bool digits(std::string_view s)
{
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

unsigned number(std::string_view s)
{
    unsigned value = 0;
    for (char c : s)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return value;
}

bool portCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

} // namespace

std::string backupFileName(std::time_t time, std::uint8_t identity, std::string_view portStem,
                           int counter)
{
    const Civil c = civilFromTime(time);
    char head[48] = {};
    std::snprintf(head, sizeof head, "%04lld-%02u-%02u_%02u%02u%02uZ_id%02x_",
                  static_cast<long long>(c.year), c.month, c.day, c.hour, c.minute, c.second,
                  identity);
    std::string name = head + std::string(portStem);
    if (counter > 1)
        name += "." + std::to_string(counter);
    return name + std::string(kExtension);
}

std::optional<BackupName> parseBackupFileName(std::string_view name)
{
    // "YYYY-MM-DD_HHMMSS" then "Z" for UTC, then "_idXX_", the port, ".N".
    if (name.size() <= kExtension.size() || !name.ends_with(kExtension) || name.size() < 24)
        return std::nullopt;
    name.remove_suffix(kExtension.size());
    const std::string_view date = name.substr(0, 17);
    if (!digits(date.substr(0, 4)) || date[4] != '-' || !digits(date.substr(5, 2)) ||
        date[7] != '-' || !digits(date.substr(8, 2)) || date[10] != '_' ||
        !digits(date.substr(11, 6)))
        return std::nullopt;
    BackupName parsed;
    std::string_view rest = name.substr(17);
    parsed.utc = rest.starts_with('Z');
    if (parsed.utc)
        rest.remove_prefix(1);
    if (rest.size() < 6 || !rest.starts_with("_id") || rest[5] != '_')
        return std::nullopt;
    unsigned identity = 0;
    for (char c : rest.substr(3, 2)) {
        const int v = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (v < 0)
            return std::nullopt;
        identity = identity * 16 + static_cast<unsigned>(v);
    }
    rest.remove_prefix(6);
    if (const std::size_t dot = rest.rfind('.'); dot != std::string_view::npos) {
        const std::string_view count = rest.substr(dot + 1);
        if (!digits(count) || count.size() > 3)
            return std::nullopt;
        parsed.counter = static_cast<int>(number(count));
        rest = rest.substr(0, dot);
    }
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), portCharacter))
        return std::nullopt;

    const unsigned year = number(date.substr(0, 4)), month = number(date.substr(5, 2)),
                   day = number(date.substr(8, 2)), hour = number(date.substr(11, 2)),
                   minute = number(date.substr(13, 2)), second = number(date.substr(15, 2));
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    if (parsed.utc) {
        parsed.time = static_cast<std::time_t>(daysFromCivil(year, month, day) * kSecondsPerDay +
                                               hour * 3600 + minute * 60 + second);
    } else {
        std::tm local = {};
        local.tm_year = static_cast<int>(year) - 1900;
        local.tm_mon = static_cast<int>(month) - 1;
        local.tm_mday = static_cast<int>(day);
        local.tm_hour = static_cast<int>(hour);
        local.tm_min = static_cast<int>(minute);
        local.tm_sec = static_cast<int>(second);
        local.tm_isdst = -1;
        const std::lock_guard hold(timeZoneLock());
        parsed.time = std::mktime(&local);
    }
    char stamp[32] = {};
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", year, month, day, hour,
                  minute, second);
    parsed.stamp = stamp;
    parsed.identity = static_cast<std::uint8_t>(identity);
    parsed.port = std::string(rest);
    return parsed;
}

std::string localDateTime(std::time_t time)
{
    std::tm local = {};
    {
        const std::lock_guard hold(timeZoneLock());
        ::localtime_r(&time, &local);
    }
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    return stamp;
}

} // namespace kx9
