#include "BackupFolder.h"

#include "BackupStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace kx9 {

QString backupFolder()
{
    // AppLocalDataLocation of the program named kx9 with no organisation,
    // spelled out: kx9-cli has another name and often no application object.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kx9/backups");
}

std::unique_ptr<QSettings> openSettingsStore()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("kx9"), QStringLiteral("kx9"));
}

BackupSettings readBackupSettings(const QSettings &settings)
{
    BackupSettings values;
    values.enabled = settings.value(QLatin1String(kBackupEnabledKey), true).toBool();
    bool ok = false;
    const int days =
        settings.value(QLatin1String(kBackupMaxAgeKey), kDefaultBackupMaxAgeDays).toInt(&ok);
    values.maxAgeDays = ok ? days : kDefaultBackupMaxAgeDays;
    return values;
}

} // namespace kx9
