#include "BackupSettings.h"

#include "ReadFile.h"

#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace kx9 {

namespace {

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    // As Qt does without HOME: the account's own home.
    std::vector<char> buffer(16384);
    passwd entry = {};
    passwd *found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    return "/";
}

std::string xdgFolder(const char *variable, std::string_view fallback)
{
    // Only an absolute path counts: a relative one would scatter the files
    // over whatever folder a command was started in.
    if (const char *value = std::getenv(variable); value != nullptr && *value == '/')
        return value;
    return homeFolder() + std::string(fallback);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = s.substr(1, s.size() - 2);
    return s;
}

// QVariant's reading of a stored text as a bool: all but "", "0" and "false".
bool boolValue(std::string_view value)
{
    std::string lower(value);
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return !(lower.empty() || lower == "0" || lower == "false");
}

} // namespace

std::string userConfigFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string settingsFilePath()
{
    return userConfigFolder() + "/kx9/kx9.ini";
}

std::string dataFolderPath()
{
    return xdgFolder("XDG_DATA_HOME", "/.local/share") + "/kx9";
}

std::string backupFolderPath()
{
    return dataFolderPath() + "/backups";
}

BackupSettings parseBackupSettings(std::string_view iniText)
{
    BackupSettings settings;
    std::string section;
    while (!iniText.empty()) {
        const std::size_t end = iniText.find('\n');
        const std::string_view line = trimmed(iniText.substr(0, end));
        iniText.remove_prefix(end == std::string_view::npos ? iniText.size() : end + 1);
        if (line.starts_with('[') && line.ends_with(']')) {
            section = std::string(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || line.starts_with(';'))
            continue;
        const std::string key = section + "/" + std::string(trimmed(line.substr(0, equals)));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == kBackupEnabledKey) {
            settings.enabled = boolValue(value);
        } else if (key == kBackupMaxAgeKey) {
            int days = 0;
            const auto [at, error] =
                std::from_chars(value.data(), value.data() + value.size(), days);
            if (error == std::errc() && at == value.data() + value.size())
                settings.maxAgeDays = days;
        } else if (key == kWriteBackupFirstKey) {
            settings.backupFirst = boolValue(value);
        } else if (key == kWriteVerifyKey) {
            settings.verifyWrite = boolValue(value);
        }
    }
    return settings;
}

BackupSettings readBackupSettings()
{
    // A settings file is a few lines; a larger one is not ours.
    const ReadFileResult read = readFile(settingsFilePath(), 1 << 20);
    return read.ok() ? parseBackupSettings(read.data) : BackupSettings();
}

} // namespace kx9
