#pragma once

#include "Language.h"
#include "Port.h"
#include "ServiceHost.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kx9 {

enum class PowerKind { High, Low };

// What tells High Power Debug and Low Power Debug apart; the exchanges are
// otherwise the same.
struct PowerVariant
{
    std::string_view caption;
    std::uint8_t entryCode;              // after 'M': 'S' high, 'R' low
    std::size_t imageOffset;             // where the value read at entry is kept
    int maximum;                         // scroll range 1..maximum
    bool checksPortOnTuning;             // "Power debug Could not Open..." before a tuning change
    bool exitAccepts16;                  // the exit wake-up may be answered 16 as well as 06
    std::chrono::milliseconds exitPause; // before each exit wake-up
    std::chrono::milliseconds entryWrongPause; // after a wrong entry wake-up reply
};

const PowerVariant &powerVariant(PowerKind kind);

inline constexpr int kPowerMinimum = 1;
// Entry and tuning wake-ups: the first try and five more, then a question.
inline constexpr int kPowerWakeUpRetries = 5;
// The exit wake-up is sent at most this often; then the port is closed
// without the exit code, so a radio that never answers cannot hang the program.
inline constexpr int kPowerExitAttempts = 10;

struct PowerEntryResult : ServiceResult
{
    std::uint8_t value = 0; // byte 4 of the entry reply
};

// One power tuning session: entry (the port stays open), any number of
// tuning writes, and the exit, which closes the port. Every message goes
// through the host's prompter; all of them are English, as on the radio
// maker's tool, except the texts this program adds.
// A stop the host asks for ends enter or tune with Cancelled and the port
// still open, so that leave can take the radio out of the service state.
// Every other end after the entry code went out (Cancel on a question, a
// short entry reply) sends the exit sequence itself before the port closes.
class PowerDebugSession
{
public:
    PowerDebugSession(Port &port, ServiceHost &host, PowerKind kind,
                      Language language = currentLanguage());

    // Opens the port with the programming profile and puts the radio into
    // the service state. On success the port stays open.
    PowerEntryResult enter(std::string_view portName);
    // One tuning write of value (the scroll position's low byte).
    ServiceResult tune(std::uint8_t value);
    // Takes the radio out of the service state and closes the port.
    ServiceResult leave();

    bool portOpen() const { return m_port.isOpen(); }
    // The entry code went out and no exit was tried since.
    bool inServiceState() const { return m_entered; }
    // The value the radio holds as far as it told: the entry value, then
    // each tuning write it acknowledged. None before a completed entry.
    std::optional<std::uint8_t> heldValue() const { return m_held; }
    PowerKind kind() const { return m_kind; }
    const PowerVariant &variant() const { return powerVariant(m_kind); }

private:
    enum class WakeUp { Awake, Retry, GoOn, Declined };

    static bool isAck(std::uint8_t byte) { return byte == 0x06 || byte == 0x16; }
    // The byte this receive brought; none after a timeout or device error.
    std::optional<std::uint8_t> receiveByte();
    // Stale input is cleared before a send, never between a command and the
    // receive of its reply: a reply that came in quickly would be lost.
    void sendByte(std::uint8_t byte, bool purgeFirst = true);
    void pumpWithPauses();
    WakeUp tuningWakeUp(int &failures);
    ServiceResult decline(std::string_view question);
    ServiceResult end(ServiceOutcome outcome, std::string_view message);
    // The exit wake-up (bounded) and, once answered, the exit code; true
    // when the radio answered.
    bool exitServiceState();
    // Ends the session: the radio leaves the service state first when it
    // was put into it.
    ServiceResult leaveAndEnd(ServiceOutcome outcome, std::string_view message);

    Port &m_port;
    ServiceHost &m_host;
    PowerKind m_kind;
    Language m_language;
    std::array<std::uint8_t, 8> m_buffer{};
    std::string_view m_question; // the last tuning wake-up question asked
    bool m_entered = false;      // the entry code went out; the exit has not
    std::optional<std::uint8_t> m_held;
};

} // namespace kx9
