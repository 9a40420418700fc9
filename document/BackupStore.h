#pragma once

#include "ChannelImage.h"
#include "Language.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

inline constexpr int kDefaultBackupMaxAgeDays = 365;

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

// The port as a backup's name carries it: "/dev/ttyUSB0" -> "ttyUSB0",
// "/dev/pts/5" -> "pts5", "COM3" -> "COM3"; other characters than letters,
// digits, '-' and '_' become '_'.
std::string portShortName(std::string_view portName);

// "2026-12-07_191503_id01_ttyUSB0.sin" for that local time; a counter
// (".2", ".3", ...) before ".sin" when that name is taken.
std::string backupFileName(std::time_t time, std::uint8_t identity, std::string_view port,
                           int counter = 1);

// The backups of every radio read, in one folder given by the front end.
// Files of other names in the folder are never touched.
class BackupStore
{
public:
    explicit BackupStore(std::string folder) : m_folder(std::move(folder)) {}
    const std::string &folder() const { return m_folder; }

    // Keeps the image of a completed read as a new file (mode 0600; the
    // folder is made with mode 0700 when missing), unless the newest backup
    // of the same identity holds the same bytes, then removes backups older
    // than maxAgeDays except the newest of each identity (0 or less: none).
    // A failure is a result to show; it never undoes the read.
    BackupResult keep(const ChannelImage &image, std::string_view portName, Language language,
                      int maxAgeDays = kDefaultBackupMaxAgeDays,
                      std::time_t now = std::time(nullptr)) const;

    // A write flow's backup step: keep() with these values, empty text when
    // the image is kept, else why not.
    std::function<std::string(const ChannelImage &)>
    keeper(std::string portName, Language language,
           int maxAgeDays = kDefaultBackupMaxAgeDays) const;

    // Every backup, newest first; differs compares with current when given.
    std::vector<BackupEntry> list(const ChannelImage *current = nullptr) const;

    // Makes the folder (mode 0700) when it is missing; empty, or the
    // system's reason when it cannot be made.
    std::string ensureFolder() const;

    // Removes backups older than maxAgeDays days before now, except the
    // newest of each identity. Returns how many were removed.
    int prune(int maxAgeDays, std::time_t now = std::time(nullptr)) const;

private:
    std::string m_folder;
};

} // namespace kx9
