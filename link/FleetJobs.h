#pragma once

#include "ChannelImage.h"
#include "Fleet.h"
#include "Language.h"
#include "Transfer.h"
#include "WriteFlow.h"

#include <functional>
#include <string>
#include <string_view>

namespace kx9 {

// A finished transfer as a line of the fleet's table; written is what a
// completed transfer becomes.
FleetResult fleetResultOf(const TransferResult &transfer, FleetStatus written,
                          const ChannelImage *file = nullptr);

// Writes the image into every radio, as the single write does.
RadioJob plainWriteJob(const ChannelImage &image, Language language);

// Keeps what one radio held before the write, as a backup; returns what
// went wrong, or nothing. Called on helper threads, several at once, while
// the other radios go on.
using BackupKeeper = std::function<std::string(std::string_view portName, const ChannelImage &)>;

// Writes as the single write with its choices does: the radio read first
// when keepBackup is given, read back and compared with verify. A radio
// that reads back otherwise is failed "verify mismatch" and may hold a
// partial write.
RadioJob writeFlowJob(const ChannelImage &image, Language language, bool verify,
                      BackupKeeper keepBackup = {});

// Stores one radio's image (in DIR/<fleetFileName(port)>, say); returns what
// went wrong, or nothing. Called on helper threads, several at once, while
// the other radios go on.
using ImageSink = std::function<std::string(std::string_view portName, const ChannelImage &image)>;

// Reads every radio and hands each completed image to the sink.
RadioJob plainReadJob(ImageSink sink, Language language);

} // namespace kx9
