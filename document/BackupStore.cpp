#include "BackupStore.h"

#include "BackupNames.h"
#include "BackupTexts.h"
#include "ChannelConversion.h"
#include "Descriptor.h"
#include "PortFileName.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "TextFormat.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kx9 {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxCounter = 999;
constexpr std::time_t kSecondsPerDay = 24 * 60 * 60;
// Held while a backup is kept; its name is no backup's, so it is never listed.
constexpr char kLockName[] = ".lock";

// The system's words for an error; unlike strerror, safe on several threads.
std::string reasonOf(int error)
{
    return std::system_category().message(error);
}

// A folder opened for backups, or why not: its path and the reason.
struct OpenedFolder
{
    Descriptor fd;
    std::string folder;
    std::string reason; // empty when fd is open, or when the folder is missing and not made
};

// Opens a folder under `at` without following a link, making it (exactly
// 0700, whatever the umask) when asked, and refuses it unless it is the
// user's own and nobody else can write to it.
void openPrivate(int at, const std::string &name, const std::string &path, bool make,
                 Language language, OpenedFolder &out)
{
    out.folder = path;
    bool made = false;
    if (make) {
        made = ::mkdirat(at, name.c_str(), 0700) == 0;
        if (!made && errno != EEXIST) {
            out.reason = reasonOf(errno);
            return;
        }
    }
    Descriptor fd(::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid()) {
        const int error = errno;
        struct stat info = {};
        if (error == ENOENT && !make)
            return;
        if ((error == ELOOP || error == ENOTDIR) &&
            ::fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            out.reason = (S_ISLNK(info.st_mode) ? text::kFolderIsLink : text::kFolderNotAFolder)
                             .in(language);
        else
            out.reason = reasonOf(error);
        return;
    }
    struct stat info = {};
    if ((made && ::fchmod(fd.get(), 0700) != 0) || ::fstat(fd.get(), &info) != 0) {
        out.reason = reasonOf(errno);
        return;
    }
    if (info.st_uid != ::geteuid())
        out.reason = text::kFolderNotYours.in(language);
    else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        out.reason = text::kFolderWritable.in(language);
    else
        out.fd.reset(fd.release());
}

// The backups folder and the data folder that holds it, both checked.
void openFolder(const std::string &folder, bool make, Language language, OpenedFolder &out)
{
    const fs::path path(folder);
    fs::path parent = path.parent_path();
    if (parent.empty())
        parent = ".";
    if (make && !parent.parent_path().empty()) {
        std::error_code error;
        fs::create_directories(parent.parent_path(), error);
        if (error) {
            out.folder = parent.parent_path().string();
            out.reason = reasonOf(error.value());
            return;
        }
    }
    OpenedFolder data;
    openPrivate(AT_FDCWD, parent.string(), parent.string(), make, language, data);
    if (!data.fd.valid()) {
        out.folder = data.folder;
        out.reason = data.reason;
        return;
    }
    openPrivate(data.fd.get(), path.filename().string(), folder, make, language, out);
}

struct Found
{
    std::string name;
    BackupName parsed;
    std::time_t modified = 0;
};

// Newest first by the name's time; a same-second pair by counter.
void sortNewestFirst(std::vector<Found> &found)
{
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.parsed.time != b.parsed.time)
            return a.parsed.time > b.parsed.time;
        if (a.parsed.counter != b.parsed.counter)
            return a.parsed.counter > b.parsed.counter;
        return a.name > b.name;
    });
}

std::vector<Found> findBackups(int folder)
{
    std::vector<Found> found;
    DIR *dir = ::fdopendir(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (dir == nullptr)
        return found;
    while (const dirent *entry = ::readdir(dir)) {
        auto parsed = parseBackupFileName(entry->d_name);
        struct stat info = {};
        // A link or anything but a plain file is never read or removed.
        if (!parsed || ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        found.push_back({entry->d_name, std::move(*parsed), info.st_mtim.tv_sec});
    }
    ::closedir(dir);
    sortNewestFirst(found);
    return found;
}

std::optional<ChannelImage> readImage(int folder, const std::string &name)
{
    const Descriptor fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return std::nullopt;
    const ReadFileResult read = readDescriptor(fd.get(), kImageSize);
    if (!read.ok() || read.more || read.data.size() != kImageSize)
        return std::nullopt;
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(read.data[i]));
    return image;
}

// Writes the image through the descriptor that claimed the name, so no
// link put in its place can redirect it; 0 or the error, the file removed.
int writeBackup(int folder, const std::string &name, const ChannelImage &image, std::time_t now)
{
    Descriptor fd(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid())
        return errno;
    const auto bytes = image.bytes();
    int error = ::fchmod(fd.get(), 0600) == 0 ? 0 : errno;
    for (std::size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
    }
    // The name's time and the file's agree, so pruning by both holds.
    const timespec times[2] = {{now, 0}, {now, 0}};
    if (error == 0 && (::futimens(fd.get(), times) != 0 || ::fsync(fd.get()) != 0))
        error = errno;
    if (fd.close() != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlinkat(folder, name.c_str(), 0);
    return error;
}

// Removes what is old by both name and file time, but never the newest
// kBackupsAlwaysKept of an identity, nor anything while the clock reads
// earlier than the newest backup. False when the clock is behind.
bool prune(int folder, std::vector<Found> found, int maxAgeDays, std::time_t now, int &removed)
{
    removed = 0;
    if (maxAgeDays <= 0)
        return true;
    for (const Found &backup : found)
        if (backup.parsed.time > now || backup.modified > now)
            return false;
    sortNewestFirst(found);
    const std::time_t oldest = now - static_cast<std::time_t>(maxAgeDays) * kSecondsPerDay;
    std::map<std::uint8_t, int> seen;
    for (const Found &backup : found) {
        if (++seen[backup.parsed.identity] <= kBackupsAlwaysKept)
            continue;
        if (backup.parsed.time < oldest && backup.modified < oldest &&
            ::unlinkat(folder, backup.name.c_str(), 0) == 0)
            ++removed;
    }
    return true;
}

} // namespace

BackupStore::BackupStore(std::string folder, int maxAgeDays, Clock clock)
    : m_folder(std::move(folder)), m_maxAgeDays(maxAgeDays), m_clock(std::move(clock))
{
    while (m_folder.size() > 1 && m_folder.ends_with('/'))
        m_folder.pop_back();
    if (!m_clock)
        m_clock = [] { return std::time(nullptr); };
}

BackupStore BackupStore::forUser()
{
    return BackupStore(backupFolderPath(), readBackupSettings().maxAgeDays);
}

BackupResult BackupStore::keep(const ChannelImage &image, std::string_view portName,
                               Language language) const
{
    BackupResult result;
    const auto fail = [&](const std::string &folder, std::string_view reason) {
        result.outcome = BackupOutcome::Failed;
        result.message = fillIn(text::kBackupNotKept.in(language), {folder, reason});
        return result;
    };
    const std::time_t now = m_clock();
    OpenedFolder folder;
    openFolder(m_folder, true, language, folder);
    if (!folder.fd.valid())
        return fail(folder.folder, folder.reason);
    // One keeper at a time, in this program or another: the check for the
    // same bytes, the new name and the pruning see one state of the folder.
    const Descriptor lock(
        ::openat(folder.fd.get(), kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock.valid())
        return fail(m_folder, reasonOf(errno));
    while (::flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return fail(m_folder, reasonOf(errno));

    std::vector<Found> found = findBackups(folder.fd.get());
    const std::uint8_t identity = image.radioIdentity();
    const auto newest = std::find_if(found.begin(), found.end(), [&](const Found &backup) {
        return backup.parsed.identity == identity;
    });
    if (newest != found.end() && readImage(folder.fd.get(), newest->name) == image) {
        // "The state before a write" is kept maxAgeDays from now, not from
        // the first time these bytes were seen.
        const timespec times[2] = {{now, 0}, {now, 0}};
        if (::utimensat(folder.fd.get(), newest->name.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0)
            newest->modified = now;
        result.outcome = BackupOutcome::Unchanged;
        result.path = m_folder + "/" + newest->name;
        result.message = std::string(text::kBackupUnchanged.in(language));
    } else {
        const std::string port = portFileStem(portName);
        std::string name;
        int error = EEXIST;
        for (int counter = 1; counter <= kMaxCounter && error == EEXIST; ++counter) {
            name = backupFileName(now, identity, port, counter);
            error = writeBackup(folder.fd.get(), name, image, now);
        }
        if (error != 0)
            return fail(m_folder, reasonOf(error));
        found.push_back({name, *parseBackupFileName(name), now});
        result.outcome = BackupOutcome::Kept;
        result.path = m_folder + "/" + name;
        result.message = fillIn(text::kBackupKept.in(language), {result.path});
    }
    if (!prune(folder.fd.get(), std::move(found), m_maxAgeDays, now, result.pruned) &&
        !m_clockNoted->exchange(true))
        result.note = std::string(text::kBackupClockBehind.in(language));
    return result;
}

std::function<std::string(const ChannelImage &)> BackupStore::keeper(std::string portName,
                                                                     Language language) const
{
    return [store = *this, portName = std::move(portName), language](const ChannelImage &image) {
        const BackupResult kept = store.keep(image, portName, language);
        return kept.ok() ? std::string() : kept.message;
    };
}

std::vector<BackupEntry> BackupStore::list(const ChannelImage *current) const
{
    std::vector<BackupEntry> entries;
    OpenedFolder folder;
    openFolder(m_folder, false, Language::English, folder);
    if (!folder.fd.valid())
        return entries;
    for (Found &backup : findBackups(folder.fd.get())) {
        BackupEntry entry;
        entry.path = m_folder + "/" + backup.name;
        entry.fileName = backup.name;
        entry.time = backup.parsed.time;
        // Older names hold local time already.
        entry.dateTime = backup.parsed.utc ? localDateTime(entry.time) : backup.parsed.stamp;
        entry.identity = backup.parsed.identity;
        entry.port = backup.parsed.port;
        entry.image = readImage(folder.fd.get(), backup.name);
        if (entry.image) {
            entry.radioType = std::string(radioTypeName(radioTypeFromImage(*entry.image)));
            entry.channelsInUse = channelsInUse(*entry.image);
        }
        entry.differs = current != nullptr && entry.image != *current;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string BackupStore::folderProblem(Language language) const
{
    OpenedFolder folder;
    openFolder(m_folder, false, language, folder);
    if (folder.fd.valid() || folder.reason.empty())
        return {};
    return fillIn(text::kBackupFolderRefused.in(language), {folder.folder, folder.reason});
}

std::string BackupStore::ensureFolder(Language language) const
{
    OpenedFolder folder;
    openFolder(m_folder, true, language, folder);
    if (folder.fd.valid())
        return {};
    return fillIn(text::kBackupFolderRefused.in(language), {folder.folder, folder.reason});
}

} // namespace kx9
