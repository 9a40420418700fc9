#include "DebugMode.h"

#include "ChannelImage.h"
#include "DecimalMath.h"
#include "NumberText.h"
#include "Protocol.h"
#include "ServiceTexts.h"
#include "Texts.h"

#include <algorithm>

namespace kx9 {

namespace {

using namespace std::chrono_literals;

using protocol::kAck;
constexpr std::uint8_t kItemAck = 'H';
constexpr std::uint8_t kDebugSelect = 'x';
constexpr std::uint8_t kItemLength = 0x08;
constexpr std::array<std::uint8_t, 3> kToneTrailer{0xFB, 0x01, 0x01};
using protocol::kIdentificationSize;
constexpr std::uint32_t kMaxBcd8 = 99'999'999;

class DebugExchange
{
public:
    explicit DebugExchange(Port &port) : m_port(port) {}

    // One pass from the wake-up to the last 'H'; false at the first wrong
    // or missing reply.
    bool run(const DebugCommand &command)
    {
        for (std::uint8_t b : protocol::kWakeUp) {
            send(b);
            m_port.pause(1ms);
        }
        if (awaitWakeUpAck(m_port) != WakeUpReply::Ack)
            return false;

        m_port.pause(1ms);
        send(protocol::kCommand);
        m_port.pause(1ms);
        send(protocol::kIdentify);
        // Only a device error counts here; the identification is not examined.
        if (!m_port.receive(std::span(m_buffer).first(kIdentificationSize)).ok)
            return false;

        m_port.pause(1ms);
        send(kAck);
        if (receiveByte() != kAck)
            return false;

        m_port.pause(1ms);
        send(kDebugSelect);
        m_port.pause(1ms);
        const auto item = static_cast<std::uint8_t>(command.item);
        send(item);

        m_port.pause(1ms);
        send(std::array<std::uint8_t, 2>{item, kItemLength});
        if (receiveByte() != kItemAck)
            return false;

        m_port.pause(1ms);
        send(debugFrequencyBlock(command));
        if (receiveByte() != kItemAck)
            return false;

        m_port.pause(1ms);
        send(debugToneBlock(command));
        return receiveByte() == kItemAck;
    }

private:
    // Stale input is cleared before every send, never between a command and
    // the receive of its reply: a reply that came in quickly would be lost.
    void send(std::uint8_t byte)
    {
        m_port.purge(PurgeKind::Clear);
        m_port.send(byte);
    }
    void send(std::span<const std::uint8_t> bytes)
    {
        m_port.purge(PurgeKind::Clear);
        m_port.send(bytes);
    }
    std::optional<std::uint8_t> receiveByte()
    {
        const IoResult r = m_port.receive(std::span(m_buffer).first(1));
        if (!r.ok || r.count != 1)
            return std::nullopt;
        return m_buffer[0];
    }

    Port &m_port;
    std::array<std::uint8_t, 20> m_buffer{};
};

} // namespace

std::uint32_t debugFrequencyUnits(std::string_view mhzText)
{
    const long long units = truncateToInteger(DecimalMultiply(leadingNumber(mhzText), 100000.0));
    return static_cast<std::uint32_t>(std::clamp<long long>(units, 0, kMaxBcd8));
}

std::uint32_t debugToneValue(std::string_view toneText)
{
    const long long tenths = truncateToInteger(DecimalMultiply(leadingNumber(toneText), 10.0));
    return static_cast<std::uint32_t>(std::clamp<long long>(tenths, 0, 9999));
}

std::array<std::uint8_t, 8> debugFrequencyBlock(const DebugCommand &command)
{
    const Bcd8Bytes rx = encodeBcd8Le(command.rxFrequency);
    const Bcd8Bytes tx = encodeBcd8Le(command.txFrequency);
    return {rx[0], rx[1], rx[2], rx[3], tx[0], tx[1], tx[2], tx[3]};
}

std::array<std::uint8_t, 8> debugToneBlock(const DebugCommand &command)
{
    const std::uint32_t rx = command.rxTone % 10000;
    const std::uint32_t tx = command.txTone % 10000;
    return {bcdPairByte(rx % 100), bcdPairByte(rx / 100), bcdPairByte(tx % 100),
            bcdPairByte(tx / 100), kToneTrailer[0],       kToneTrailer[1],
            kToneTrailer[2],       command.value};
}

ServiceResult sendDebugCommand(Port &port, std::string_view portName, ServiceHost &host,
                               const DebugCommand &command, Language language)
{
    const OpenResult opened = port.open(portName, kDebugProfile);
    if (!opened.ok()) {
        const std::string message(text::kOpenPortFailed.in(language));
        host.prompter().inform(message, Prompter::Icon::Warning,
                               openFailureDetail(portName, opened, language));
        return {ServiceOutcome::OpenFailed, message};
    }
    DebugExchange exchange(port);
    while (!exchange.run(command)) {
        const std::string question(text::kDebugError.in(language));
        if (host.cancelRequested() || !host.prompter().askRetryCancel(question)) {
            port.close();
            if (host.cancelRequested())
                return {ServiceOutcome::Cancelled, {}};
            return {ServiceOutcome::Declined, question};
        }
    }
    port.close();
    return {};
}

} // namespace kx9
