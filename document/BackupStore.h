#pragma once

#include "BackupSettings.h"
#include "ChannelImage.h"
#include "Language.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// How many backups of each radio identity are never pruned, whatever the dates.
inline constexpr int kBackupsAlwaysKept = 10;

enum class BackupOutcome {
    Kept,      // a new file holds the image
    Unchanged, // the newest backup of the same identity already holds it
    Failed,    // nothing kept; message says why
};

struct BackupResult
{
    BackupOutcome outcome = BackupOutcome::Failed;
    std::string path;    // the new file, or the newest backup that holds the image
    std::string message; // in the caller's language: what happened, for a status line
    std::string note;    // a warning besides, said once per store: the clock is behind
    int pruned = 0;      // old backups removed on the way

    bool ok() const { return outcome != BackupOutcome::Failed; }
};

// One backup as the Backups list shows it. The date, identity and port come
// from the file name; the rest from the file, when it holds a whole image.
struct BackupEntry
{
    std::string path;
    std::string fileName;
    std::time_t time = 0;
    std::string dateTime; // "2026-12-07 19:15:03", local time
    std::uint8_t identity = 0;
    std::string port;
    std::optional<ChannelImage> image; // none when the file is not 4096 bytes
    std::string radioType;             // "PMR+LPD" ...; empty without an image
    int channelsInUse = 0;
    bool differs = false; // from the image listBackups was given
};

// The one backup service of every front end and radio thread: the backups
// of every radio read, in a folder private to the user (made 0700, files
// 0600). Keeping, the check for the same bytes and pruning are one step
// under a lock on the folder, so threads and programs that back up at once
// agree. Files of other names in the folder are never touched.
class BackupStore
{
public:
    using Clock = std::function<std::time_t()>;

    // An empty clock is the system's.
    explicit BackupStore(std::string folder, int maxAgeDays = kDefaultBackupMaxAgeDays,
                         Clock clock = {});
    // The user's backups folder with the user's settings.
    static BackupStore forUser();
    const std::string &folder() const { return m_folder; }

    // Keeps the image of a completed read as a new file, unless the newest
    // backup of its identity holds the same bytes: then that backup's age
    // starts again. Then prunes: a backup goes only when both its name and
    // its file are older than maxAgeDays, never one of the newest
    // kBackupsAlwaysKept of its identity, never while the clock reads
    // earlier than the newest backup. A failure is a result to show; it
    // never undoes the read.
    BackupResult keep(const ChannelImage &image, std::string_view portName,
                      Language language) const;

    // A write flow's backup step: keep(), empty text when the image is
    // kept, else why not.
    std::function<std::string(const ChannelImage &)> keeper(std::string portName,
                                                            Language language) const;

    // Every backup, newest first; differs compares with current when given.
    // Nothing from a folder that folderProblem refuses.
    std::vector<BackupEntry> list(const ChannelImage *current = nullptr) const;

    // Why the folder, or the data folder that holds it, is not used: a
    // symbolic link, not the user's, or writable by others; empty when it
    // is fine or not made yet.
    std::string folderProblem(Language language) const;
    // Makes the folder when it is missing, as keep() does; empty, or why
    // it cannot be made or used.
    std::string ensureFolder(Language language) const;

private:
    std::string m_folder;
    int m_maxAgeDays;
    Clock m_clock;
    std::shared_ptr<std::atomic<bool>> m_clockNoted = std::make_shared<std::atomic<bool>>(false);
};

} // namespace kx9
