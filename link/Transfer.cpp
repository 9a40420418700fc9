#include "Transfer.h"

#include "Protocol.h"
#include "SafetyTexts.h"
#include "Texts.h"

#include <array>
#include <string>

namespace kx9 {

namespace {

using protocol::kAck;
using protocol::kIdentificationSize;
using protocol::kIdentityIndex;
constexpr std::array<std::uint8_t, 2> kIdentify{protocol::kCommand, protocol::kIdentify};
constexpr std::uint8_t kAnyIdentity = 0xFF;
constexpr std::size_t kReadReplySize = 12;
constexpr std::size_t kReadReplyDataIndex = 4;
constexpr int kHandshakeAttempts = 15;
// Bounds the re-sends of a confirm byte whose send fails; the radio would
// otherwise keep the program in an endless loop of messages.
constexpr int kConfirmResends = 3;

constexpr int kHandshakeWaitCycles = 7;
constexpr int kTypeAcceptedWaitCycles = 351;
constexpr int kNoReadyWaitCycles = 601;
constexpr int kReadBlockPumps = 19;
constexpr int kWriteBlockPumps = 21;

constexpr std::chrono::milliseconds kBytePause{1};
constexpr std::chrono::milliseconds kRetryPause{2};

enum class Direction { Read, Write };

class Transfer
{
public:
    Transfer(Port &port, TransferHost &host, Language language, Direction direction)
        : m_port(port), m_host(host), m_language(language), m_direction(direction)
    {
    }

    TransferResult run(std::string_view portName, ChannelImage &image);

private:
    // Handshake, identification, type check and confirm, with every retry.
    // Returns Completed once the radio is ready for blocks.
    TransferOutcome connect(const ChannelImage &image);
    bool wakeUp();
    bool receivedAck();
    bool pumpedWait(int cycles);
    TransferOutcome readBlocks(ChannelImage &image);
    TransferOutcome writeBlocks(const ChannelImage &image);

    TransferOutcome fail(TransferOutcome outcome, const TextPair &text);
    TransferOutcome finish(TransferOutcome outcome);

    Port &m_port;
    TransferHost &m_host;
    Language m_language;
    Direction m_direction;
    bool m_typeCheckPending = true;
    // Set once a write block has gone out: from then on the radio's memory
    // is no longer what it was.
    bool m_dataSent = false;
    int m_blocksDone = 0;
    // Replies land here; a reply shorter than asked leaves the rest as it was.
    std::array<std::uint8_t, 20> m_buffer{};
    std::string m_message;
    std::optional<std::uint8_t> m_identity;
};

bool Transfer::pumpedWait(int cycles)
{
    for (int i = 0; i < cycles; ++i) {
        m_host.pump();
        if (m_host.cancelRequested())
            return false;
        m_port.pause(kBytePause);
    }
    return true;
}

// True when this receive brought a 06; a byte left over from an earlier
// reply never counts.
bool Transfer::receivedAck()
{
    const IoResult r = m_port.receive(std::span(m_buffer).first(1));
    return r.ok && r.count == 1 && m_buffer[0] == kAck;
}

bool Transfer::wakeUp()
{
    m_port.purge(PurgeKind::AbortAndClear);
    for (std::uint8_t b : protocol::kWakeUp) {
        m_port.pause(kBytePause);
        m_port.purge(PurgeKind::Clear);
        m_port.send(b);
    }
    return awaitWakeUpAck(m_port) == WakeUpReply::Ack;
}

TransferOutcome Transfer::connect(const ChannelImage &image)
{
    for (;;) {
        bool awake = false;
        for (int attempt = 1; attempt <= kHandshakeAttempts && !awake; ++attempt) {
            if (!pumpedWait(kHandshakeWaitCycles))
                return TransferOutcome::Cancelled;
            m_host.setStatus(text::kStatusWaiting);
            awake = wakeUp();
            if (!awake)
                m_port.pause(kRetryPause);
        }

        bool ready = false;
        if (awake) {
            for (std::uint8_t b : kIdentify) {
                m_port.pause(kBytePause);
                m_port.purge(PurgeKind::Clear);
                m_port.send(b);
            }
            const IoResult id = m_port.receive(std::span(m_buffer).first(kIdentificationSize));
            if (m_host.cancelRequested())
                return TransferOutcome::Cancelled;
            if (id.ok && id.count > kIdentityIndex)
                m_identity = m_buffer[kIdentityIndex];
            if (id.ok) {
                const std::uint8_t identity = m_buffer[kIdentityIndex];
                if (m_direction == Direction::Write && m_typeCheckPending &&
                    identity != kAnyIdentity && identity != image.radioIdentity()) {
                    m_host.setWatch(false);
                    m_message = std::string(text::kRadioTypeMismatch.in(m_language));
                    // Enter must not overwrite a radio of another kind.
                    if (!m_host.prompter().askOkCancel(m_message, Prompter::Default::Cancel)) {
                        // Ctrl-C at the question is a cancel, not an answer.
                        if (m_host.cancelRequested()) {
                            m_message.clear();
                            return TransferOutcome::Cancelled;
                        }
                        return TransferOutcome::TypeMismatchDeclined;
                    }
                    m_message.clear();
                    m_typeCheckPending = false;
                    m_host.setWatch(true);
                    if (!pumpedWait(kTypeAcceptedWaitCycles))
                        return TransferOutcome::Cancelled;
                    continue; // handshake again, without the check
                }

                bool sent = false;
                for (int resends = 0; !sent; ++resends) {
                    m_port.purge(PurgeKind::Clear);
                    sent = m_port.send(kAck).ok;
                    if (sent)
                        break;
                    m_host.setWatch(false);
                    m_host.prompter().inform(text::kSendOrderError.in(m_language),
                                             Prompter::Icon::Warning);
                    if (resends == kConfirmResends)
                        break;
                }
                if (sent) {
                    const IoResult r = m_port.receive(std::span(m_buffer).first(1));
                    if (m_host.cancelRequested())
                        return TransferOutcome::Cancelled;
                    if (r.ok && r.count == 1 && m_buffer[0] == kAck) {
                        ready = true;
                    } else if (r.ok) {
                        m_host.setWatch(true);
                        if (!pumpedWait(kNoReadyWaitCycles))
                            return TransferOutcome::Cancelled;
                    }
                }
            }
        }
        if (ready)
            return TransferOutcome::Completed;
        if (m_host.cancelRequested())
            return TransferOutcome::Cancelled;

        m_host.setWatch(false);
        m_message = std::string(text::kCommunicationError.in(m_language));
        if (!m_host.prompter().askRetryCancel(m_message))
            return TransferOutcome::CommunicationError;
        m_message.clear();
        m_host.setWatch(true);
    }
}

TransferOutcome Transfer::readBlocks(ChannelImage &image)
{
    std::array<std::uint8_t, 4> request{'R', 0x00, 0x00, kBlockSize};
    std::size_t address = 0;
    for (int block = 0; block < kReadBlocks; ++block) {
        m_port.purge(PurgeKind::Clear);
        m_port.send(request);
        const IoResult reply = m_port.receive(std::span(m_buffer).first(kReadReplySize));
        // Any missing byte would leave stale buffer bytes in the image.
        if (!reply.ok || reply.count < kReadReplySize)
            return fail(TransferOutcome::ShortReply, text::kNotEnoughBytes);

        const std::size_t blockAddress = address;
        address += kBlockSize;
        request[1] = static_cast<std::uint8_t>(address >> 8);
        request[2] = static_cast<std::uint8_t>(address & 0xFF);
        for (std::size_t i = 0; i < kBlockSize; ++i)
            image.setByte(blockAddress + i, m_buffer[kReadReplyDataIndex + i]);

        if (m_host.progressPosition() < kProgressRange) {
            m_host.stepProgress();
            m_host.setStatus(std::to_string(m_host.progressPosition()));
        }

        m_port.purge(PurgeKind::Clear);
        m_port.send(kAck);
        if (!receivedAck())
            return fail(TransferOutcome::ReadAckMissing, text::kReadBlockError);
        ++m_blocksDone;

        m_host.setWatch(true);
        for (int i = 0; i < kReadBlockPumps; ++i) {
            m_host.pump();
            if (m_host.cancelRequested())
                return TransferOutcome::Cancelled;
        }
    }
    return TransferOutcome::Completed;
}

TransferOutcome Transfer::writeBlocks(const ChannelImage &image)
{
    std::array<std::uint8_t, 4> header{'W', 0x00, 0x00, kBlockSize};
    std::array<std::uint8_t, kBlockSize> data{};
    std::size_t address = 0;
    for (std::size_t i = 0; i < kBlockSize; ++i)
        data[i] = image.byte(address + i);

    for (int block = 0; block < kWriteBlocks; ++block) {
        // A block whose header did not go out must not be followed by its
        // data, which the radio would take for commands; one whose data did
        // not go out cannot be acknowledged by anything but noise.
        m_port.purge(PurgeKind::Clear);
        const bool headerSent = m_port.send(header).ok;
        m_dataSent = m_dataSent || headerSent;
        if (!headerSent)
            return fail(TransferOutcome::WriteAckMissing, text::kProgramInterrupt);
        m_port.pause(kBytePause);
        m_port.purge(PurgeKind::Clear);
        if (!m_port.send(data).ok || !receivedAck())
            return fail(TransferOutcome::WriteAckMissing, text::kProgramInterrupt);
        ++m_blocksDone;

        address += kBlockSize;
        header[1] = static_cast<std::uint8_t>(address >> 8);
        header[2] = static_cast<std::uint8_t>(address & 0xFF);
        for (std::size_t i = 0; i < kBlockSize; ++i)
            data[i] = image.byte(address + i);

        if (m_host.progressPosition() < kWriteBlocks) {
            m_host.stepProgress();
            m_host.setStatus(std::to_string(m_host.progressPosition()));
        }

        m_host.setWatch(true);
        for (int i = 0; i < kWriteBlockPumps; ++i) {
            if (m_host.cancelRequested())
                return TransferOutcome::Cancelled;
            m_host.pump();
        }
        m_port.pause(kBytePause);
    }
    return TransferOutcome::Completed;
}

TransferOutcome Transfer::fail(TransferOutcome outcome, const TextPair &text)
{
    // A stop asked for while the port waited (a signal to the command line)
    // is what cut the reply short: the user's cancel, not the radio's fault.
    if (m_host.cancelRequested())
        return TransferOutcome::Cancelled;
    m_host.setWatch(false);
    m_message = std::string(text.in(m_language));
    m_host.prompter().inform(m_message, Prompter::Icon::Warning,
                             m_dataSent ? text::kPartialWrite.in(m_language) : std::string_view());
    return outcome;
}

TransferResult Transfer::run(std::string_view portName, ChannelImage &image)
{
    TransferResult result;
    const OpenResult opened = m_port.open(portName, kProgrammingProfile);
    if (!opened.ok()) {
        m_host.setWatch(false);
        result.outcome = TransferOutcome::OpenFailed;
        result.message = std::string(text::kOpenPortFailed.in(m_language));
        result.detail = openFailureDetail(portName, opened, m_language);
        m_host.prompter().inform(result.message, Prompter::Icon::Warning, result.detail);
        m_host.closeProgress();
        return result;
    }

    m_host.setStatus(text::kStatusDetecting);
    m_buffer.fill(0);
    TransferOutcome outcome = connect(image);
    if (outcome == TransferOutcome::Completed) {
        outcome = m_direction == Direction::Read ? readBlocks(image) : writeBlocks(image);
        if (outcome == TransferOutcome::Completed)
            m_host.setWatch(false);
    }
    m_port.close();
    m_host.closeProgress();
    result.outcome = outcome;
    result.message = m_message;
    result.partialWrite = m_dataSent && outcome != TransferOutcome::Completed;
    result.blocksDone = m_blocksDone;
    result.identity = m_identity;
    return result;
}

} // namespace

TransferResult readFromRadio(Port &port, std::string_view portName, TransferHost &host,
                             Language language)
{
    // Blocks go into a scratch image so that a failed or cancelled read never
    // leaves the caller with a mix of two radios' data.
    ChannelImage scratch;
    TransferResult result = Transfer(port, host, language, Direction::Read).run(portName, scratch);
    if (result.completed())
        result.image = scratch;
    return result;
}

TransferResult writeToRadio(Port &port, std::string_view portName, const ChannelImage &image,
                            TransferHost &host, Language language)
{
    ChannelImage copy = image;
    return Transfer(port, host, language, Direction::Write).run(portName, copy);
}

std::string_view outcomeName(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Completed:
        return "completed";
    case TransferOutcome::Cancelled:
        return "cancelled";
    case TransferOutcome::OpenFailed:
        return "open failed";
    case TransferOutcome::CommunicationError:
        return "communication error";
    case TransferOutcome::TypeMismatchDeclined:
        return "radio type mismatch declined";
    case TransferOutcome::ShortReply:
        return "short reply";
    case TransferOutcome::ReadAckMissing:
        return "read acknowledge missing";
    case TransferOutcome::WriteAckMissing:
        return "write acknowledge missing";
    }
    return "unknown";
}

} // namespace kx9
