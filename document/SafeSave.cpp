#include "SafeSave.h"

#include "Descriptor.h"
#include "SafetyTexts.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <pthread.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx9 {

namespace detail {
void (*temporaryFileCreated)() = nullptr;
} // namespace detail

namespace {

SafeSaveResult failed(int error)
{
    return {false, std::strerror(error)};
}

SafeSaveResult refused(const TextPair &why)
{
    return {false, std::string(why.en), &why};
}

SafeSaveResult saved(bool inPlace)
{
    return {true, {}, nullptr, inPlace};
}

bool writeAt(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Sixteen hex digits nobody can guess, so another user cannot prepare
// anything at the temporary name.
std::string randomPart()
{
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
        std::random_device device;
        value = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

const TextPair &notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return text::kTargetIsFolder;
    if (S_ISFIFO(mode))
        return text::kTargetIsFifo;
    if (S_ISSOCK(mode))
        return text::kTargetIsSocket;
    return text::kTargetIsDevice;
}

// A folder we may lack read permission on still serves as the place of an
// openat and renameat.
int openFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES)
        return fd;
    return ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// The fallback for a file whose owner a new file could not be given, or
// whose folder we may not write: the file is rewritten through the
// descriptor a plain write would use. The space is reserved first, so a full
// disk fails before any old byte is touched.
SafeSaveResult rewriteInPlace(int fd, std::span<const std::uint8_t> bytes)
{
    const int reserved = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
        return failed(reserved);
    if (!writeAt(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd) != 0)
        return failed(errno);
    return saved(true);
}

// Holds the signals that end a program for as long as a temporary file
// exists, so an interrupt arrives once the file is renamed or removed and
// never leaves it behind. A program's own handlers run late, not never.
class SignalsHeld
{
public:
    SignalsHeld()
    {
        sigset_t ending;
        sigemptyset(&ending);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&ending, signal);
        ::pthread_sigmask(SIG_BLOCK, &ending, &m_before);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_before, nullptr); }
    SignalsHeld(const SignalsHeld &) = delete;
    SignalsHeld &operator=(const SignalsHeld &) = delete;

private:
    sigset_t m_before;
};

struct Existing
{
    int fd = -1;
    struct stat info = {};
};

// Writes a temporary file in the folder and renames it over name. An
// existing target gives the new file its owner, group and mode.
SafeSaveResult replaceIn(int folder, const std::string &name, const Existing *existing,
                         std::span<const std::uint8_t> bytes)
{
    const SignalsHeld held;
    std::string temporary;
    int fd = -1;
    // Readable only by us until it has the target's mode; a new file gets
    // what the umask allows, as any new file would.
    const mode_t createMode = existing != nullptr ? 0600 : 0666;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        // Of fixed length whatever the target's name, so a name near the
        // system's limit still has room for its temporary file.
        temporary = "." + randomPart() + ".kx9-tmp";
        fd = ::openat(folder, temporary.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        if (existing != nullptr && (error == EACCES || error == EPERM))
            return rewriteInPlace(existing->fd, bytes);
        return failed(error);
    }
    Descriptor file(fd);
    if (detail::temporaryFileCreated != nullptr)
        detail::temporaryFileCreated();
    const auto discard = [&](int error) {
        file.close();
        ::unlinkat(folder, temporary.c_str(), 0);
        return failed(error);
    };

    if (existing != nullptr) {
        if (::fchown(fd, existing->info.st_uid, existing->info.st_gid) != 0) {
            if (errno != EPERM)
                return discard(errno);
            discard(EPERM);
            return rewriteInPlace(existing->fd, bytes);
        }
        // After the owner: a change of owner clears the set-id bits.
        if (::fchmod(fd, existing->info.st_mode & 07777) != 0)
            return discard(errno);
    }
    if (!writeAt(fd, bytes) || ::fsync(fd) != 0 || file.close() != 0)
        return discard(errno);

    if (existing != nullptr) {
        struct stat now = {};
        if (::fstatat(folder, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
            now.st_dev != existing->info.st_dev || now.st_ino != existing->info.st_ino) {
            ::unlinkat(folder, temporary.c_str(), 0);
            return refused(text::kTargetReplaced);
        }
    }
    if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
        return discard(errno);
    // Make the rename itself durable; a folder opened only as a place
    // cannot be synced, which costs durability, not correctness.
    ::fsync(folder);
    return saved(false);
}

// A folder where anyone may create names but only their owners remove them,
// such as /tmp. There a name may have been planted by another user; the
// kernel's protected_symlinks and protected_regular rules guard against that
// but are off on some systems, so the same rules are applied here.
bool isSharedFolder(const std::string &folder, uid_t &owner)
{
    struct stat info = {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    owner = info.st_uid;
    return (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
}

bool plantedIn(const std::string &folder, uid_t owner)
{
    uid_t folderOwner = 0;
    return isSharedFolder(folder, folderOwner) && owner != ::geteuid() && owner != folderOwner;
}

// Whether a link on the way from path to the file it finally names was
// planted by another user in a shared folder: a link of our own may name
// such a link, and the kernel's protection is off on some systems.
bool chainHasPlantedLink(std::string path)
{
    // The kernel's own limit of links in a row; a longer chain fails to open.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat entry = {};
        if (::lstat(path.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode))
            return false;
        const std::string folder = folderOf(path);
        if (plantedIn(folder, entry.st_uid))
            return true;
        char next[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), next, sizeof next);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof next)
            return false;
        const std::string target(next, static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folder + "/" + target;
    }
    return false;
}

// Refuses an existing target that is not a regular file, or that another
// user may have planted in a shared folder, then opens it as a plain write
// opens it: the kernel follows links with its own protections and checks
// that we may write the file. Nothing is truncated.
SafeSaveResult openExisting(const std::string &path, const struct stat &entry, Descriptor &file)
{
    if (S_ISLNK(entry.st_mode) && chainHasPlantedLink(path))
        return refused(text::kTargetIsPlantedLink);
    struct stat target = {};
    if (::stat(path.c_str(), &target) != 0) {
        if (errno == ENOENT && S_ISLNK(entry.st_mode))
            return refused(text::kTargetIsDanglingLink);
        return failed(errno);
    }
    if (!S_ISREG(target.st_mode))
        return refused(notRegular(target.st_mode));
    if (S_ISREG(entry.st_mode) && plantedIn(folderOf(path), target.st_uid))
        return refused(text::kTargetIsPlantedFile);
    if (S_ISLNK(entry.st_mode)) {
        char *resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return failed(errno);
        const std::string real(resolved);
        std::free(resolved);
        if (plantedIn(folderOf(real), target.st_uid))
            return refused(text::kTargetIsPlantedFile);
    }
    file.reset(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid())
        return failed(errno);
    return saved(false);
}

// What stands at path, looked at without following a link: entry and
// exists = true when something does. A path where nothing can ever be saved
// (empty, or ending in "." or "..") or that cannot be looked at is the
// failure returned.
std::optional<SafeSaveResult> lookAt(const std::string &path, struct stat &entry, bool &exists)
{
    exists = false;
    if (path.empty())
        return failed(ENOENT);
    if (::lstat(path.c_str(), &entry) == 0) {
        exists = true;
        return std::nullopt;
    }
    if (errno != ENOENT)
        return failed(errno);
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..")
        return failed(EISDIR);
    return std::nullopt;
}

} // namespace

SafeSaveResult checkSaveTarget(const std::string &path)
{
    struct stat entry = {};
    bool exists = false;
    if (const auto refusal = lookAt(path, entry, exists))
        return *refusal;
    if (!exists) {
        // A new file needs a folder we may write in.
        if (::access(folderOf(path).c_str(), W_OK | X_OK) != 0)
            return failed(errno);
        return saved(false);
    }
    Descriptor file(-1);
    return openExisting(path, entry, file);
}

SafeSaveResult saveFileSafely(const std::string &path, std::span<const std::uint8_t> bytes)
{
    struct stat entry = {};
    bool exists = false;
    if (const auto refusal = lookAt(path, entry, exists))
        return *refusal;
    if (!exists) {
        Descriptor folder(openFolder(folderOf(path)));
        if (!folder.valid())
            return failed(errno);
        return replaceIn(folder.get(), nameOf(path), nullptr, bytes);
    }

    // The descriptor serves the in-place fallback.
    Descriptor file(-1);
    if (const SafeSaveResult opened = openExisting(path, entry, file); !opened.ok)
        return opened;
    Existing existing;
    existing.fd = file.get();
    if (::fstat(file.get(), &existing.info) != 0)
        return failed(errno);
    if (!S_ISREG(existing.info.st_mode))
        return refused(notRegular(existing.info.st_mode));
    // Every name of a file with several links must show the new channels, as
    // after a plain write; a renamed new file would leave the others behind.
    if (existing.info.st_nlink > 1)
        return rewriteInPlace(file.get(), bytes);

    // The file a link names is replaced in its own folder; the link stays.
    char *resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return failed(errno);
    const std::string real(resolved);
    std::free(resolved);
    Descriptor folder(openFolder(folderOf(real)));
    if (!folder.valid())
        return rewriteInPlace(file.get(), bytes);
    return replaceIn(folder.get(), nameOf(real), &existing, bytes);
}

} // namespace kx9
