#include "BackupFolder.h"

namespace kx9 {

QString backupFolder()
{
    return QString::fromStdString(backupFolderPath());
}

std::unique_ptr<QSettings> openSettingsStore()
{
    return std::make_unique<QSettings>(QString::fromStdString(settingsFilePath()),
                                       QSettings::IniFormat);
}

} // namespace kx9
