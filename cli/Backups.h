#pragma once

#include "BackupFolder.h"
#include "ChannelImage.h"

#include <string>

namespace kx9::cli {

// The backup settings of the desktop program (kx9/kx9.ini in the user's
// configuration folder), which kx9-cli follows too.
BackupSettings backupSettings();

// The backups of kx9-cli, in the desktop program's folder.
BackupStore cliBackupStore();

// Keeps a completed read as a backup when the settings ask for it; a
// backup that cannot be kept is said on stderr and never fails the read.
void keepReadBackup(const ChannelImage &image, const std::string &portName);

} // namespace kx9::cli
