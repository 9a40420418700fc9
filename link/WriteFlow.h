#pragma once

#include "ChannelImage.h"
#include "Language.h"
#include "Port.h"
#include "Texts.h"
#include "Transfer.h"
#include "TransferHost.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// The programming sessions of one write, in order. Each is a full session
// of its own (wake-up to the last block); the radio must accept a new
// wake-up once the previous one has ended.
enum class WriteStep {
    BackupRead, // read the radio and keep what it held
    Write,
    VerifyRead, // read the radio back and compare with what was sent
};

struct WriteFlowOptions
{
    // Keeps the image read before the write: returns an empty text when it
    // was kept, else why not. When set, the radio is read first, and a read
    // that fails or an image not kept means nothing is written.
    std::function<std::string(const ChannelImage &)> backupFirst;
    bool verify = false;
    // Told as each session starts, for a caption ("Reading", "Writing").
    std::function<void(WriteStep)> onStep;
};

enum class WriteFlowOutcome {
    Completed,
    BackupReadFailed, // nothing written
    BackupNotKept,    // nothing written
    WriteFailed,      // see transfer (partialWrite says whether the radio changed)
    VerifyReadFailed, // written, but not checked
    VerifyMismatch,   // written, and the radio holds something else
};

// The first differing addresses a verify message names.
inline constexpr std::size_t kVerifyAddressesShown = 8;

struct WriteFlowResult
{
    WriteFlowOutcome outcome = WriteFlowOutcome::Completed;
    WriteStep step = WriteStep::Write; // the session that ended the flow
    // That session's transfer result: for a cancel, transfer.outcome is
    // Cancelled (at any step, then outcome names the step's failure).
    TransferResult transfer;
    // The text the flow showed through the prompter for its own failures
    // (backup not kept, nothing written, verify), or the failed transfer's;
    // for a cancel, what the radio now holds (cancelledText); for a
    // verified write, the status line that says it passed.
    std::string message;
    // The identity byte the radio answered with in any session.
    std::optional<std::uint8_t> identity;
    std::optional<ChannelImage> backupImage;     // what the radio held before
    std::vector<std::size_t> differingAddresses; // at most kVerifyAddressesShown
    std::size_t differenceCount = 0;

    bool completed() const { return outcome == WriteFlowOutcome::Completed; }
    bool cancelled() const { return transfer.outcome == TransferOutcome::Cancelled; }
};

// Writes the image as writeToRadio does, with an optional read first and an
// optional read back. Transfer failures are shown by the sessions
// themselves; the flow shows its own (Warning) through the host's prompter.
// The host's progress runs once from 0 to the end over all sessions, and
// closeProgress comes once, at the end. No state outlives the call, so one
// flow per port may run side by side.
WriteFlowResult runWriteFlow(Port &port, std::string_view portName, const ChannelImage &image,
                             TransferHost &host, const WriteFlowOptions &options = {},
                             Language language = currentLanguage());

// The bytes a write sends (0x000 up to the 16 the radio keeps) that differ
// between the two images, in address order.
std::vector<std::size_t> writtenBytesDiffering(const ChannelImage &sent,
                                               const ChannelImage &readBack);

// "0x0010, 0x0011" for the first kVerifyAddressesShown addresses.
std::string addressList(const std::vector<std::size_t> &addresses);

std::string_view writeFlowOutcomeName(WriteFlowOutcome outcome);

// What a cancel in this session leaves in the radio: nothing written (the
// backup read, or a write before its first block), a partial write, or the
// whole file not verified (the read back).
const TextPair &cancelledText(WriteStep step, bool partialWrite);

} // namespace kx9
