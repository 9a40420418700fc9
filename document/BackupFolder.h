#pragma once

#include "BackupStore.h"

#include <QString>

class QSettings;

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

} // namespace kx9
