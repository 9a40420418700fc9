#pragma once

#include "BackupSettings.h"
#include "BackupStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace kx9 {

// The backups folder of both front ends (backupFolderPath), for the window.
QString backupFolder();

// The desktop program's settings store: the file of settingsFilePath, in
// the INI format that readBackupSettings reads for every caller.
std::unique_ptr<QSettings> openSettingsStore();

} // namespace kx9
