#pragma once

#include "BackupStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace kx9 {

// The backups folder of both front ends: the desktop program's
// AppLocalDataLocation plus "/backups" (~/.local/share/kx9/backups, or under
// $XDG_DATA_HOME).
QString backupFolder();

// The backup settings that both front ends keep in QSettings.
struct BackupSettings
{
    bool enabled = true; // every completed read keeps a backup
    // Older backups are removed, but for the newest per radio identity; 0: never.
    int maxAgeDays = kDefaultBackupMaxAgeDays;
};
inline constexpr char kBackupEnabledKey[] = "backups/enabled";
inline constexpr char kBackupMaxAgeKey[] = "backups/maxAgeDays";

BackupSettings readBackupSettings(const QSettings &settings);

// The two choices of a write, remembered between runs; off by default.
inline constexpr char kWriteBackupFirstKey[] = "backups/backupFirst";
inline constexpr char kWriteVerifyKey[] = "backups/verifyWrite";

// The desktop program's settings store (kx9/kx9.ini in the user's
// configuration folder), which kx9-cli follows too.
std::unique_ptr<QSettings> openSettingsStore();

} // namespace kx9
