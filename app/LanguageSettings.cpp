#include "LanguageSettings.h"

#include "BackupFolder.h"
#include "Language.h"
#include "LanguagePack.h"
#include "LanguageSwitch.h"
#include "LanguageTexts.h"
#include "TextFormat.h"
#include "Texts.h"

#include <QSettings>

#include <iostream>
#include <memory>

namespace kx9 {

namespace {

QString key(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::unique_ptr<QSettings> openStore()
{
    // Written as an .ini file, so that the section reads "[MAIN]" and each
    // setting "KEY=value", as the radio maker's store did.
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("kx9"), QStringLiteral("kx9"));
}

} // namespace

std::string storeLanguageSettings(const std::string &tag)
{
    const auto settings = openStore();
    settings->beginGroup(key(text::kSettingsSection));
    settings->setValue(key(text::kSettingsLanguage), QString::fromStdString(tag));
    settings->setValue(key(text::kSettingsLanguageForce), QStringLiteral("1"));
    settings->endGroup();
    return storeSettings(*settings);
}

std::string applyStartLanguage()
{
    const auto settings = openStore();
    settings->beginGroup(key(text::kSettingsSection));
    const std::string stored =
        settings->value(key(text::kSettingsLanguage)).toString().toStdString();
    const std::string force =
        settings->value(key(text::kSettingsLanguageForce)).toString().toStdString();
    settings->endGroup();

    const std::string base = programBaseName();
    std::string tag = startLanguageTag(base, stored, force);
    if (tag != base + "_EN" && !languagepack::load(tag)) {
        std::cerr << fillIn(text::kStartPackMissing, {tag + ".qm"}) << '\n';
        tag = base + "_EN";
    }
    setLanguageTag(tag);
    return tag;
}

} // namespace kx9
