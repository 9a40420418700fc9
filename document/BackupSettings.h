#pragma once

#include <string>
#include <string_view>

namespace kx9 {

inline constexpr int kDefaultBackupMaxAgeDays = 365;

// The backup settings of both front ends, kept by the window in
// kx9/kx9.ini (section [backups]) and followed by kx9-cli.
struct BackupSettings
{
    bool enabled = true; // every completed read keeps a backup
    // Older backups are removed, but never the newest 10 per radio identity; 0: never.
    int maxAgeDays = kDefaultBackupMaxAgeDays;
    bool backupFirst = false; // a write reads the radio and keeps a copy first
    bool verifyWrite = false; // a write is read back and compared
};
// The keys as QSettings spells them ("section/key").
inline constexpr char kBackupEnabledKey[] = "backups/enabled";
inline constexpr char kBackupMaxAgeKey[] = "backups/maxAgeDays";
inline constexpr char kWriteBackupFirstKey[] = "backups/backupFirst";
inline constexpr char kWriteVerifyKey[] = "backups/verifyWrite";

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config.
std::string userConfigFolder();
// The settings file both front ends share: <configuration folder>/kx9/kx9.ini.
std::string settingsFilePath();
// The program's data folder: $XDG_DATA_HOME/kx9, else ~/.local/share/kx9.
std::string dataFolderPath();
// Where every read keeps its backup: <data folder>/backups.
std::string backupFolderPath();

// The backup settings in the text of an INI file as QSettings writes it;
// a missing or unreadable value keeps its default.
BackupSettings parseBackupSettings(std::string_view iniText);
// The backup settings of the settings file; the defaults without one.
BackupSettings readBackupSettings();

} // namespace kx9
