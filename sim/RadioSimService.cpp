// The radio's service side: power tuning (entry, tuning writes, exit) and the
// debug-mode setting that follows a programming handshake.

#include "RadioSim.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kx9 {

namespace {

// The radio's side spells the protocol out again on purpose rather than using
// link/Protocol.h: a byte wrong in one copy shows as a failing test instead
// of agreeing with itself.
constexpr std::size_t kWakeUpSize = 7;
constexpr std::array<std::uint8_t, kWakeUpSize> kProgramming{0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
constexpr std::array<std::uint8_t, kWakeUpSize> kTuning{0x02, 'P', 'R', 'G', 'G', 'P', 'A'};
constexpr std::array<std::uint8_t, kWakeUpSize> kExit{0x02, 'P', 'R', 'O', 'G', 'P', 'A'};
constexpr std::array<std::uint8_t, 4> kTuningWrite{'W', 0x03, 0xF9, 0x01};
constexpr std::array<std::uint8_t, 3> kToneTrailer{0xFB, 0x01, 0x01};
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kItemAck = 'H';
constexpr std::size_t kHighValue = 0xFF9;
constexpr std::size_t kLowValue = 0xFF8;
constexpr std::size_t kEntryReplySize = 5;
constexpr std::size_t kDebugBlock = 8;

std::string itemName(std::uint8_t code)
{
    switch (code) {
    case 'q':
        return "TX Frequency";
    case 'r':
        return "Low Power Voltage";
    case 's':
        return "Squelch Level";
    default:
        return "TX Power";
    }
}

std::string mhz(std::uint32_t units)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%05u MHz", units / 100000, units % 100000);
    return text;
}

std::string tone(std::uint32_t tenths)
{
    if (tenths == 0)
        return "none";
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u", tenths / 10, tenths % 10);
    return text;
}

bool isPowerService(RadioSim::ServiceState state)
{
    using S = RadioSim::ServiceState;
    return state == S::Entered || state == S::TuningAwake || state == S::Tuning ||
           state == S::ExitAwake;
}

} // namespace

void RadioSim::log(const std::string &line) const
{
    if (m_log)
        m_log(line);
}

std::optional<bool> RadioSim::takeServiceMessage(std::vector<std::uint8_t> &reply)
{
    // The debug blocks may hold any byte, a wake-up's first one included.
    if (m_service == ServiceState::DebugSelected || m_service == ServiceState::DebugItem ||
        m_service == ServiceState::DebugFrequencies || m_service == ServiceState::DebugTones)
        return takeDebugBytes(reply);

    const std::uint8_t first = m_pending.front();
    const bool inPowerService = isPowerService(m_service);

    if (first == kProgramming[0]) {
        const std::size_t n = std::min(m_pending.size(), kWakeUpSize);
        auto startsLike = [&](const std::array<std::uint8_t, kWakeUpSize> &w) {
            return std::equal(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(n),
                              w.begin());
        };
        if (startsLike(kTuning) || startsLike(kExit)) {
            if (n < kWakeUpSize)
                return false;
            return takeServiceWakeUp(reply);
        }
        if (startsLike(kProgramming) && n == kWakeUpSize) {
            if (m_wakeUpsHeard++ < m_faults.unansweredWakeUps) {
                dropFirst(kWakeUpSize);
                return true;
            }
            m_service = ServiceState::None; // a new conversation begins
        }
        return std::nullopt;
    }

    if (first == 'M') {
        const bool waiting = m_state == State::Awake || m_service == ServiceState::TuningAwake ||
                             m_service == ServiceState::ExitAwake;
        if (m_pending.size() < 2)
            return waiting ? std::optional<bool>(false) : std::nullopt;
        const std::uint8_t code = m_pending[1];
        if (m_state == State::Awake && (code == 'S' || code == 'R')) {
            dropFirst(2);
            m_serviceHigh = code == 'S';
            const std::uint8_t value = m_memory.byte(m_serviceHigh ? kHighValue : kLowValue);
            std::vector<std::uint8_t> entry{'M', code, 0x00, 0x00, value};
            entry.resize(
                std::min(entry.size(), m_faults.shortEntryReply.value_or(kEntryReplySize)));
            reply.insert(reply.end(), entry.begin(), entry.end());
            m_state = State::Idle;
            m_service = ServiceState::Entered;
            log(std::string(m_serviceHigh ? "high" : "low") + " power debug entered, value " +
                std::to_string(value));
            return true;
        }
        if (m_service == ServiceState::TuningAwake && code == 'c') {
            dropFirst(2);
            reply.push_back(kAck);
            m_service = ServiceState::Tuning;
            return true;
        }
        if (m_service == ServiceState::ExitAwake && code == 'U') {
            dropFirst(2);
            m_service = ServiceState::None;
            m_state = State::Idle;
            log(std::string(m_serviceHigh ? "high" : "low") + " power debug left");
            return true;
        }
    }

    if (first == kTuningWrite[0] && m_service == ServiceState::Tuning) {
        constexpr std::size_t need = kTuningWrite.size() + 1;
        if (m_pending.size() < need)
            return false;
        if (!std::equal(kTuningWrite.begin(), kTuningWrite.end(), m_pending.begin())) {
            dropFirst(1);
            return true;
        }
        const std::uint8_t value = m_pending[kTuningWrite.size()];
        dropFirst(need);
        m_service = ServiceState::Entered;
        if (m_tuningWrites++ < m_faults.unackedTuningWrites)
            return true;
        const std::size_t offset = m_serviceHigh ? kHighValue : kLowValue;
        const std::uint8_t before = m_memory.byte(offset);
        m_memory.setByte(offset, value);
        reply.push_back(kAck);
        log(std::string(m_serviceHigh ? "high" : "low") + " power " + std::to_string(before) +
            " -> " + std::to_string(value));
        return true;
    }

    if (first == 'x' && m_state == State::Programming && !m_blockAckPending) {
        dropFirst(1);
        m_state = State::Idle;
        m_service = ServiceState::DebugSelected;
        return true;
    }

    if (inPowerService) {
        // Nothing else means anything to a radio in the service state.
        dropFirst(1);
        return true;
    }
    return std::nullopt;
}

bool RadioSim::takeServiceWakeUp(std::vector<std::uint8_t> &reply)
{
    const bool tuning = std::equal(kTuning.begin(), kTuning.end(), m_pending.begin());
    dropFirst(kWakeUpSize);
    const bool inPowerService = isPowerService(m_service);
    if (!inPowerService)
        return true; // a radio in normal use does not know these
    if (tuning) {
        const int heard = m_tuningWakeUps++;
        if (heard < m_faults.unansweredTuningWakeUps)
            return true;
        // A garbled acknowledge: the radio is awake all the same.
        reply.push_back(
            heard < m_faults.unansweredTuningWakeUps + m_faults.wrongTuningWakeUps ? kNak : kAck);
        m_service = ServiceState::TuningAwake;
        return true;
    }
    if (m_exitWakeUps++ < m_faults.unansweredExitWakeUps)
        return true;
    reply.push_back(kAck);
    m_service = ServiceState::ExitAwake;
    return true;
}

bool RadioSim::takeDebugBytes(std::vector<std::uint8_t> &reply)
{
    switch (m_service) {
    case ServiceState::DebugSelected: {
        const std::uint8_t code = m_pending.front();
        dropFirst(1);
        if (code >= 'q' && code <= 't') {
            m_debug = DebugSetting{};
            m_debug.item = code;
            m_service = ServiceState::DebugItem;
        } else {
            m_service = ServiceState::None;
        }
        return true;
    }
    case ServiceState::DebugItem:
        if (m_pending.size() < 2)
            return false;
        if (m_pending[0] != m_debug.item || m_pending[1] != kDebugBlock) {
            dropFirst(1);
            m_service = ServiceState::None;
            return true;
        }
        dropFirst(2);
        if (m_debugItems++ < m_faults.wrongDebugReplies) {
            reply.push_back(kNak);
            m_service = ServiceState::None;
            return true;
        }
        reply.push_back(kItemAck);
        m_service = ServiceState::DebugFrequencies;
        return true;
    case ServiceState::DebugFrequencies: {
        if (m_pending.size() < kDebugBlock)
            return false;
        const std::array<std::uint8_t, 4> rx{m_pending[0], m_pending[1], m_pending[2],
                                             m_pending[3]};
        const std::array<std::uint8_t, 4> tx{m_pending[4], m_pending[5], m_pending[6],
                                             m_pending[7]};
        m_debug.rxFrequency = decodeBcd8Le(rx);
        m_debug.txFrequency = decodeBcd8Le(tx);
        dropFirst(kDebugBlock);
        reply.push_back(kItemAck);
        m_service = ServiceState::DebugTones;
        return true;
    }
    default: {
        if (m_pending.size() < kDebugBlock)
            return false;
        const bool trailerOk =
            std::equal(kToneTrailer.begin(), kToneTrailer.end(), m_pending.begin() + 4);
        m_debug.rxTone = bcdPairValue(m_pending[0]) + 100 * bcdPairValue(m_pending[1]);
        m_debug.txTone = bcdPairValue(m_pending[2]) + 100 * bcdPairValue(m_pending[3]);
        m_debug.value = m_pending[7];
        dropFirst(kDebugBlock);
        m_service = ServiceState::None;
        if (!trailerOk)
            return true;
        reply.push_back(kItemAck);
        m_debugSettings.push_back(m_debug);
        log("debug mode: " + itemName(m_debug.item) + " " + std::to_string(m_debug.value) +
            " (RX " + mhz(m_debug.rxFrequency) + " tone " + tone(m_debug.rxTone) + ", TX " +
            mhz(m_debug.txFrequency) + " tone " + tone(m_debug.txTone) + ")");
        return true;
    }
    }
}

} // namespace kx9
