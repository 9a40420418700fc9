#pragma once

#include "Port.h"
#include "RadioSim.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kx9 {

// A Port wired straight to a RadioSim, in virtual time: a receive that would
// time out returns at once and advances the clock by the timeout instead, and
// pauses only advance the clock. Every call is logged for tests.
//
// The radio's answer needs line time, as on a real cable: its first byte
// arrives kTurnaround after the send, each further byte kByteTime later. A
// purge discards only bytes that have arrived, so a purge between a command
// and the receive of its reply does not lose the reply; a receive waits for
// the bytes it takes without moving the clock.
class SimPort : public Port
{
public:
    struct Call
    {
        enum class Kind { Open, Send, Receive, Purge, Pause, Close };
        Kind kind;
        std::vector<std::uint8_t> bytes; // sent, or received
        std::size_t asked = 0;           // receive: bytes asked for
        PurgeKind purge = PurgeKind::Clear;
        std::chrono::milliseconds duration{0}; // pause; receive: time spent
    };
    // Decides whether the send-th send (from 0) of these bytes fails.
    using SendFailure = std::function<bool(std::span<const std::uint8_t> bytes, int send)>;
    // Decides whether the receive-th receive (from 0) of asked bytes fails.
    using ReceiveFailure = std::function<bool(std::size_t asked, int receive)>;

    static constexpr std::chrono::milliseconds kTurnaround{2};
    static constexpr std::chrono::milliseconds kByteTime{1};

    explicit SimPort(RadioSim &radio) : m_radio(radio) {}

    OpenResult open(std::string_view name, const TimeoutProfile &profile) override;
    bool isOpen() const override { return m_open; }
    IoResult send(std::span<const std::uint8_t> bytes) override;
    IoResult receive(std::span<std::uint8_t> buffer) override;
    bool purge(PurgeKind kind) override;
    void close() override;
    void pause(std::chrono::milliseconds duration) override;
    using Port::send;

    void failOpen(OpenError error) { m_openError = error; }
    void setSendFailure(SendFailure failure) { m_sendFailure = std::move(failure); }
    void setReceiveFailure(ReceiveFailure failure) { m_receiveFailure = std::move(failure); }

    std::chrono::milliseconds now() const { return m_now; }
    const std::vector<Call> &calls() const { return m_calls; }
    const std::string &openedName() const { return m_name; }
    const TimeoutProfile &profile() const { return m_profile; }
    int opens() const { return m_opens; }
    int closes() const { return m_closes; }

private:
    struct LineByte
    {
        std::chrono::milliseconds arrival;
        std::uint8_t byte;
    };
    // Moves the bytes that have arrived by now into the receive queue.
    void arrive();

    RadioSim &m_radio;
    bool m_open = false;
    std::string m_name;
    TimeoutProfile m_profile;
    OpenError m_openError = OpenError::None;
    SendFailure m_sendFailure;
    ReceiveFailure m_receiveFailure;
    int m_sends = 0;
    int m_receives = 0;
    int m_opens = 0;
    int m_closes = 0;
    std::deque<std::uint8_t> m_incoming;
    std::deque<LineByte> m_line; // sent by the radio, not yet arrived
    std::chrono::milliseconds m_now{0};
    std::vector<Call> m_calls;
};

} // namespace kx9
