#pragma once

#include "BackupSettings.h"
#include "BackupStore.h"

#include <QSettings>
#include <QString>

#include <memory>
#include <string>

namespace kx9 {

// The backups folder of both front ends (backupFolderPath), for the window.
QString backupFolder();

// The desktop program's settings store: the file of settingsFilePath, in
// the INI format that readBackupSettings reads for every caller.
std::unique_ptr<QSettings> openSettingsStore();

// Writes the store to its file now. Empty when it was written; otherwise the
// warning to show, since the choice then lasts only until the program closes.
std::string storeSettings(QSettings &settings);
// Remembers an on/off choice of the settings store for the next start, with
// storeSettings's result.
std::string rememberChoice(const char *key, bool on);

} // namespace kx9
