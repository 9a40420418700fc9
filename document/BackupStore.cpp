#include "BackupStore.h"

#include "BackupTexts.h"
#include "ChannelConversion.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "SafeSave.h"
#include "TextFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kx9 {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".sin";
constexpr int kMaxCounter = 999;
constexpr std::time_t kSecondsPerDay = 24 * 60 * 60;

bool portCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

struct ParsedName
{
    std::time_t time = 0;
    std::tm local = {};
    std::uint8_t identity = 0;
    std::string port;
    int counter = 1;
};

// The parts of a backup's name, or nothing for any other file name.
std::optional<ParsedName> parseName(const std::string &name)
{
    if (name.size() <= kExtension.size() || !name.ends_with(kExtension))
        return std::nullopt;
    std::string stem = name.substr(0, name.size() - kExtension.size());
    ParsedName parsed;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, consumed = 0;
    unsigned identity = 0;
    if (std::sscanf(stem.c_str(), "%4d-%2d-%2d_%2d%2d%2d_id%2x_%n", &year, &month, &day, &hour,
                    &minute, &second, &identity, &consumed) != 7 ||
        consumed != 23)
        return std::nullopt;
    std::string rest = stem.substr(static_cast<std::size_t>(consumed));
    if (const std::size_t dot = rest.rfind('.'); dot != std::string::npos) {
        const std::string digits = rest.substr(dot + 1);
        if (digits.empty() || digits.size() > 3 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        parsed.counter = std::stoi(digits);
        rest.resize(dot);
    }
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), portCharacter))
        return std::nullopt;
    parsed.local.tm_year = year - 1900;
    parsed.local.tm_mon = month - 1;
    parsed.local.tm_mday = day;
    parsed.local.tm_hour = hour;
    parsed.local.tm_min = minute;
    parsed.local.tm_sec = second;
    parsed.local.tm_isdst = -1;
    std::tm copy = parsed.local;
    parsed.time = std::mktime(&copy);
    parsed.identity = static_cast<std::uint8_t>(identity);
    parsed.port = rest;
    return parsed;
}

std::optional<ChannelImage> readImage(const fs::path &path)
{
    const ReadFileResult read = readFile(path.string(), kImageSize);
    if (!read.ok() || read.more || read.data.size() != kImageSize)
        return std::nullopt;
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(read.data[i]));
    return image;
}

struct Found
{
    fs::path path;
    ParsedName name;
};

// The backups in the folder, newest first; a same-second pair by counter.
std::vector<Found> findBackups(const std::string &folder)
{
    std::vector<Found> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        // A planted link is never read or removed.
        if (!it->is_regular_file(error) || it->is_symlink(error))
            continue;
        if (auto parsed = parseName(it->path().filename().string()))
            found.push_back({it->path(), std::move(*parsed)});
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.name.time != b.name.time)
            return a.name.time > b.name.time;
        if (a.name.counter != b.name.counter)
            return a.name.counter > b.name.counter;
        return a.path > b.path;
    });
    return found;
}

// The system's words for an error; unlike strerror, safe when flows on
// several ports keep backups at once.
std::string reasonOf(int error)
{
    return std::system_category().message(error);
}

// Makes the folder, private to the user, when it is missing.
int makeFolder(const std::string &folder)
{
    struct stat info = {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    std::error_code error;
    const fs::path parent = fs::path(folder).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, error);
    if (error)
        return error.value();
    // Exactly 0700 and 0600 below, whatever the umask: a umask that took the
    // owner's write bit would leave a folder we cannot fill.
    if (::mkdir(folder.c_str(), 0700) != 0)
        return errno == EEXIST ? 0 : errno;
    return ::chmod(folder.c_str(), 0700) == 0 ? 0 : errno;
}

} // namespace

std::string portShortName(std::string_view portName)
{
    const std::size_t slash = portName.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? portName : portName.substr(slash + 1));
    // A bare number (/dev/pts/5) says little without its folder.
    if (slash != std::string_view::npos && !name.empty() &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::string_view folder = portName.substr(0, slash);
        const std::size_t before = folder.find_last_of("/\\");
        name = std::string(before == std::string_view::npos ? folder : folder.substr(before + 1)) +
               name;
    }
    for (char &c : name)
        if (!portCharacter(c))
            c = '_';
    return name.empty() ? std::string("port") : name;
}

std::string backupFileName(std::time_t time, std::uint8_t identity, std::string_view port,
                           int counter)
{
    std::tm local = {};
    ::localtime_r(&time, &local);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
    char id[8] = {};
    std::snprintf(id, sizeof id, "%02x", identity);
    std::string name = std::string(stamp) + "_id" + id + "_" + std::string(port);
    if (counter > 1)
        name += "." + std::to_string(counter);
    return name + std::string(kExtension);
}

BackupResult BackupStore::keep(const ChannelImage &image, std::string_view portName,
                               Language language, int maxAgeDays, std::time_t now) const
{
    BackupResult result;
    const auto fail = [&](std::string_view reason) {
        result.outcome = BackupOutcome::Failed;
        result.message = fillIn(text::kBackupNotKept.in(language), {m_folder, reason});
        return result;
    };
    if (const std::string error = ensureFolder(); !error.empty())
        return fail(error);

    const std::uint8_t identity = image.radioIdentity();
    for (const Found &backup : findBackups(m_folder)) {
        if (backup.name.identity != identity)
            continue;
        if (readImage(backup.path) == image) {
            result.outcome = BackupOutcome::Unchanged;
            result.path = backup.path.string();
            result.message = std::string(text::kBackupUnchanged.in(language));
            result.pruned = prune(maxAgeDays, now);
            return result;
        }
        break; // only the newest counts
    }

    // Claiming the name exclusively keeps an existing file out of reach and
    // gives the safe save a target whose mode (0600) it keeps.
    const std::string port = portShortName(portName);
    std::string path;
    int fd = -1;
    for (int counter = 1; counter <= kMaxCounter && fd < 0; ++counter) {
        path = (fs::path(m_folder) / backupFileName(now, identity, port, counter)).string();
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return fail(reasonOf(errno));
    }
    if (fd < 0)
        return fail(reasonOf(EEXIST));
    const int modeError = ::fchmod(fd, 0600) == 0 ? 0 : errno;
    ::close(fd);
    if (modeError != 0) {
        ::unlink(path.c_str());
        return fail(reasonOf(modeError));
    }
    const SafeSaveResult saved = saveFileSafely(path, image.bytes());
    if (!saved) {
        ::unlink(path.c_str());
        return fail(saved.why != nullptr ? saved.why->in(language) : saved.reason);
    }
    result.outcome = BackupOutcome::Kept;
    result.path = path;
    result.message = fillIn(text::kBackupKept.in(language), {path});
    result.pruned = prune(maxAgeDays, now);
    return result;
}

std::string BackupStore::ensureFolder() const
{
    const int error = makeFolder(m_folder);
    return error == 0 ? std::string() : reasonOf(error);
}

std::function<std::string(const ChannelImage &)>
BackupStore::keeper(std::string portName, Language language, int maxAgeDays) const
{
    return [store = *this, portName = std::move(portName), language,
            maxAgeDays](const ChannelImage &image) {
        const BackupResult kept = store.keep(image, portName, language, maxAgeDays);
        return kept.ok() ? std::string() : kept.message;
    };
}

std::vector<BackupEntry> BackupStore::list(const ChannelImage *current) const
{
    std::vector<BackupEntry> entries;
    for (Found &backup : findBackups(m_folder)) {
        BackupEntry entry;
        entry.path = backup.path.string();
        entry.fileName = backup.path.filename().string();
        entry.time = backup.name.time;
        char stamp[32] = {};
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &backup.name.local);
        entry.dateTime = stamp;
        entry.identity = backup.name.identity;
        entry.port = backup.name.port;
        entry.image = readImage(backup.path);
        if (entry.image) {
            entry.radioType = std::string(radioTypeName(radioTypeFromImage(*entry.image)));
            entry.channelsInUse = channelsInUse(*entry.image);
        }
        entry.differs = current != nullptr && entry.image != *current;
        entries.push_back(std::move(entry));
    }
    return entries;
}

int BackupStore::prune(int maxAgeDays, std::time_t now) const
{
    if (maxAgeDays <= 0)
        return 0;
    const std::time_t oldest = now - static_cast<std::time_t>(maxAgeDays) * kSecondsPerDay;
    std::map<std::uint8_t, bool> newestSeen;
    int removed = 0;
    for (const Found &backup : findBackups(m_folder)) {
        if (!std::exchange(newestSeen[backup.name.identity], true))
            continue;
        if (backup.name.time < oldest && ::unlink(backup.path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace kx9
