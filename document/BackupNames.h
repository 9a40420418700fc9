#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace kx9 {

// A backup's file name: "2026-12-07_191503Z_id01_ttyUSB0.sin" for that
// time in UTC, the radio identity and the port's file stem; a counter
// (".2", ".3", ...) before ".sin" when that name is taken. UTC keeps the
// order of the names through daylight-saving changes and moves between zones.
std::string backupFileName(std::time_t time, std::uint8_t identity, std::string_view portStem,
                           int counter = 1);

struct BackupName
{
    std::time_t time = 0; // seconds since the epoch
    bool utc = true;      // false for the names of older versions, in local time
    std::string stamp;    // the name's date and time as written, "2026-12-07 19:15:03"
    std::uint8_t identity = 0;
    std::string port;
    int counter = 1;
};

// The parts of a backup's name, or nothing for any other file name. Names
// in UTC are read without the C library's time-zone code, which is not
// safe while the fleet keeps backups on several threads at once; older
// local-time names need it once each.
std::optional<BackupName> parseBackupFileName(std::string_view name);

// "2026-12-07 20:15:03" for that time in the local zone, for lists.
std::string localDateTime(std::time_t time);

} // namespace kx9
