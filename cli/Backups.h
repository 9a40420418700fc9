#pragma once

#include "BackupSettings.h"
#include "BackupStore.h"
#include "ChannelImage.h"

#include <string>
#include <string_view>

namespace kx9::cli {

// The backups of kx9-cli: the desktop program's folder and settings.
BackupStore cliBackupStore();

// Keeps a backup in store, saying a note (a clock behind the newest
// backup) on stderr; empty, or why no backup was kept. Safe on the
// fleet's helper threads, several at once.
std::string keepBackup(const BackupStore &store, const ChannelImage &image,
                       std::string_view portName);

// Keeps a completed read as a backup when the settings ask for it; a
// backup that cannot be kept is said on stderr and never fails the read.
void keepReadBackup(const ChannelImage &image, const std::string &portName);

} // namespace kx9::cli
