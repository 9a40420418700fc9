#include "PowerDebug.h"

#include "ChannelImage.h"
#include "Protocol.h"
#include "ServiceTexts.h"
#include "Texts.h"

namespace kx9 {

namespace {

using namespace std::chrono_literals;

using protocol::kAck;
using protocol::kAlternateAck;
using protocol::kCommand;
using protocol::kExitWakeUp;
using protocol::kTuningWakeUp;
constexpr std::uint8_t kTuningMode = 'c';
constexpr std::uint8_t kServiceExit = 'U';
// 'W', radio address 0x03F9, length 1; the value follows.
constexpr std::array<std::uint8_t, 4> kTuningWrite{'W', 0x03, 0xF9, 0x01};
constexpr std::size_t kEntryReplySize = 5;
constexpr std::size_t kEntryValueIndex = 4;
constexpr int kEntryPumps = 7;
constexpr int kTuningPumps = 7;

constexpr PowerVariant kHigh{
    "High Power Debug", 'S', layout::kHighPowerCalibration, 250, true, true, 0ms, 2ms};
constexpr PowerVariant kLow{
    "Low Power Debug", 'R', layout::kLowPowerCalibration, 200, false, false, 700ms, 1ms};

} // namespace

const PowerVariant &powerVariant(PowerKind kind)
{
    return kind == PowerKind::High ? kHigh : kLow;
}

PowerDebugSession::PowerDebugSession(Port &port, ServiceHost &host, PowerKind kind,
                                     Language language)
    : m_port(port), m_host(host), m_kind(kind), m_language(language)
{
}

std::optional<std::uint8_t> PowerDebugSession::receiveByte()
{
    const IoResult r = m_port.receive(std::span(m_buffer).first(1));
    if (!r.ok || r.count != 1)
        return std::nullopt;
    return m_buffer[0];
}

void PowerDebugSession::sendByte(std::uint8_t byte, bool purgeFirst)
{
    if (purgeFirst)
        m_port.purge(PurgeKind::Clear);
    m_port.send(byte);
}

void PowerDebugSession::pumpWithPauses()
{
    for (int i = 0; i < kTuningPumps; ++i) {
        m_host.pump();
        m_port.pause(1ms);
    }
}

ServiceResult PowerDebugSession::end(ServiceOutcome outcome, std::string_view message)
{
    m_port.close();
    return {outcome, std::string(message)};
}

ServiceResult PowerDebugSession::decline(std::string_view question)
{
    // A stop from outside keeps the port open, so that the caller can take
    // the radio out of the service state.
    if (m_host.cancelRequested())
        return {ServiceOutcome::Cancelled, {}};
    return leaveAndEnd(ServiceOutcome::Declined, question);
}

ServiceResult PowerDebugSession::leaveAndEnd(ServiceOutcome outcome, std::string_view message)
{
    // Closing the port alone would leave the radio in its tuning state.
    if (m_entered && !exitServiceState())
        m_host.prompter().inform(text::kServiceExitUnanswered.in(m_language),
                                 Prompter::Icon::Warning);
    return end(outcome, message);
}

PowerEntryResult PowerDebugSession::enter(std::string_view portName)
{
    PowerEntryResult result;
    const OpenResult opened = m_port.open(portName, kProgrammingProfile);
    if (!opened.ok()) {
        // The power commands always speak English here.
        result.outcome = ServiceOutcome::OpenFailed;
        result.message = std::string(text::kOpenPortFailed.en);
        m_host.prompter().inform(result.message, Prompter::Icon::Warning,
                                 openFailureDetail(portName, opened, Language::English));
        return result;
    }

    for (bool awake = false; !awake;) {
        for (int failures = 0;
             failures <= kPowerWakeUpRetries && !awake && !m_host.cancelRequested();) {
            for (int i = 0; i < kEntryPumps; ++i)
                m_host.pump();
            m_port.purge(PurgeKind::AbortAndClear);
            for (std::uint8_t b : protocol::kWakeUp) {
                m_port.pause(1ms);
                sendByte(b);
            }
            const WakeUpReply reply = awaitWakeUpAck(m_port, true);
            awake = reply == WakeUpReply::Ack;
            if (awake)
                continue;
            m_port.pause(reply == WakeUpReply::Silent ? 1ms : variant().entryWrongPause);
            ++failures;
        }
        if (!awake && (m_host.cancelRequested() ||
                       !m_host.prompter().askRetryCancel(text::kCommunicationError.en))) {
            static_cast<ServiceResult &>(result) = decline(text::kCommunicationError.en);
            return result;
        }
    }

    m_port.pause(1ms);
    sendByte(kCommand);
    m_port.pause(1ms);
    sendByte(variant().entryCode);
    m_entered = true;
    const IoResult reply = m_port.receive(std::span(m_buffer).first(kEntryReplySize));
    if (!reply.ok || reply.count < kEntryReplySize) {
        if (m_host.cancelRequested()) {
            static_cast<ServiceResult &>(result) = decline({});
            return result;
        }
        m_host.prompter().inform(text::kPowerNotEnoughBytes, Prompter::Icon::Warning);
        static_cast<ServiceResult &>(result) =
            leaveAndEnd(ServiceOutcome::ShortReply, text::kPowerNotEnoughBytes);
        return result;
    }
    result.value = m_buffer[kEntryValueIndex];
    m_held = result.value;
    m_port.pause(1ms);
    sendByte(kAck);
    return result;
}

PowerDebugSession::WakeUp PowerDebugSession::tuningWakeUp(int &failures)
{
    if (m_host.cancelRequested())
        return WakeUp::Declined;
    for (std::uint8_t b : kTuningWakeUp)
        sendByte(b);
    const auto reply = receiveByte();
    if (reply && isAck(*reply))
        return WakeUp::Awake;
    m_port.pause(2ms);
    if (++failures <= kPowerWakeUpRetries)
        return WakeUp::Retry;
    m_question = reply ? text::kPowerErrorL2 : text::kPowerErrorL1;
    if (!reply) {
        if (!m_host.prompter().askRetryCancel(m_question))
            return WakeUp::Declined;
        // Six new attempts: the radio has not answered at all, so there is
        // no reply to judge.
        failures = 0;
        return WakeUp::Retry;
    }
    // The radio answers, only not with the expected byte: Retry goes on with
    // the tuning mode.
    if (!m_host.prompter().askRetryCancel(m_question))
        return WakeUp::Declined;
    return WakeUp::GoOn;
}

ServiceResult PowerDebugSession::tune(std::uint8_t value)
{
    if (variant().checksPortOnTuning && !m_port.isOpen()) {
        m_host.prompter().inform(text::kPowerDebugOpenFailed, Prompter::Icon::Warning);
        return {ServiceOutcome::PortNotOpen, std::string(text::kPowerDebugOpenFailed)};
    }
    m_buffer.fill(0);
    int failures = 0;
    for (;;) {
        WakeUp woke = tuningWakeUp(failures);
        while (woke == WakeUp::Retry)
            woke = tuningWakeUp(failures);
        if (woke == WakeUp::Declined)
            return decline(m_question);

        pumpWithPauses();
        m_port.pause(1ms);
        sendByte(kCommand);
        m_port.pause(1ms);
        sendByte(kTuningMode);
        const auto mode = receiveByte();
        if (mode && isAck(*mode)) {
            pumpWithPauses();
            m_port.pause(1ms);
            m_port.purge(PurgeKind::Clear);
            for (std::uint8_t b : kTuningWrite) {
                m_port.pause(1ms);
                sendByte(b, false);
            }
            sendByte(value, false);
            const auto ack = receiveByte();
            if (ack && isAck(*ack)) {
                m_held = value;
                pumpWithPauses();
                return {};
            }
        }

        m_port.pause(2ms);
        if (m_host.cancelRequested())
            return decline({});
        if (++failures > kPowerWakeUpRetries &&
            !m_host.prompter().askRetryCancel(text::kPowerError))
            return decline(text::kPowerError);
        // Retry keeps the count: one more wake-up before the next question.
    }
}

ServiceResult PowerDebugSession::leave()
{
    if (!m_port.isOpen()) {
        m_host.prompter().inform(text::kMyDebugOpenFailed, Prompter::Icon::Warning);
        return {ServiceOutcome::PortNotOpen, std::string(text::kMyDebugOpenFailed)};
    }
    // A stop before the entry code went out has nothing to take the radio
    // out of: its exit attempts would only wait on a radio that is not there.
    if (m_entered && !exitServiceState()) {
        const std::string_view message = text::kServiceExitUnanswered.in(m_language);
        m_host.prompter().inform(message, Prompter::Icon::Warning);
        return end(ServiceOutcome::ExitUnanswered, message);
    }
    return end(ServiceOutcome::Completed, {});
}

bool PowerDebugSession::exitServiceState()
{
    m_entered = false;
    m_port.purge(PurgeKind::Clear);
    m_buffer.fill(0);
    bool accepted = false;
    for (int attempt = 0; attempt < kPowerExitAttempts && !accepted; ++attempt) {
        if (variant().exitPause.count() > 0)
            m_port.pause(variant().exitPause);
        m_port.purge(PurgeKind::AbortAndClear);
        m_port.send(kExitWakeUp);
        const auto reply = receiveByte();
        accepted =
            reply && (*reply == kAck || (variant().exitAccepts16 && *reply == kAlternateAck));
        if (!accepted)
            m_port.pause(2ms);
    }
    if (!accepted)
        return false;
    m_port.pause(1ms);
    m_port.send(kCommand);
    m_port.pause(1ms);
    m_port.send(kServiceExit);
    return true;
}

} // namespace kx9
