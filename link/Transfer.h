#pragma once

#include "ChannelImage.h"
#include "Language.h"
#include "Port.h"
#include "TransferHost.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx9 {

// Blocks of 8 bytes: a read fetches the whole image, a write stops short of
// the last 16 bytes, which hold the radio's own power calibration.
inline constexpr int kReadBlocks = 512;
inline constexpr int kWriteBlocks = 510;
inline constexpr std::size_t kBlockSize = 8;
inline constexpr int kProgressRange = 512;

// Which way a transfer runs; its progress dialog says so before it starts.
enum class TransferDirection { Read, Write };

enum class TransferOutcome {
    Completed,
    Cancelled,            // cancel flag seen at a pump point; nothing shown
    OpenFailed,           // port could not be opened; nothing sent
    CommunicationError,   // the communication error question answered Cancel
    TypeMismatchDeclined, // the radio type question answered Cancel
    ShortReply,           // a read reply under 12 bytes
    ReadAckMissing,       // no 06 after a read block's acknowledge
    WriteAckMissing,      // no 06 after a write block, or the block could not be sent
};

struct TransferResult
{
    TransferOutcome outcome = TransferOutcome::Completed;
    // The message or question that ended the transfer, in the transfer's
    // language; empty for success and cancellation.
    std::string message;
    // Why a port could not be opened, in the system's words: the line said
    // under message.
    std::string detail;
    // A completed read's image; a failed or cancelled read has none, so the
    // caller's document keeps what it had.
    std::optional<ChannelImage> image;
    // A write that ended after sending the radio data: the radio holds part
    // of the new memory and part of the old, and must be written again.
    bool partialWrite = false;
    // The blocks the radio acknowledged before the transfer ended.
    int blocksDone = 0;
    // The identity byte the radio answered with; none when it never did.
    std::optional<std::uint8_t> identity;

    bool completed() const { return outcome == TransferOutcome::Completed; }
};

// Reads the radio's whole memory. The caller fills its table from the image
// (ImageToTable) when the result is completed.
TransferResult readFromRadio(Port &port, std::string_view portName, TransferHost &host,
                             Language language = currentLanguage());

// Writes image bytes 0x000-0xFEF into the radio. The caller converts its
// table into the image (TableToImage) first.
TransferResult writeToRadio(Port &port, std::string_view portName, const ChannelImage &image,
                            TransferHost &host, Language language = currentLanguage());

std::string_view outcomeName(TransferOutcome outcome);

} // namespace kx9
