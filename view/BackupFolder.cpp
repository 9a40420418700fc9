#include "BackupFolder.h"

#include "LanguageTexts.h"
#include "TextFormat.h"

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

std::string storeSettings(QSettings &settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return {};
    return fillIn(text::kSettingNotKept.text(), {settings.fileName().toStdString()});
}

std::string rememberChoice(const char *key, bool on)
{
    const auto settings = openSettingsStore();
    settings->setValue(QLatin1String(key), on);
    return storeSettings(*settings);
}

} // namespace kx9
