#pragma once

#include "ChannelImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kx9 {

// Misbehaviours a test or a user can ask of the simulated radio. Blocks are
// counted from 0 by address / 8, in both directions.
struct SimFaults
{
    bool silent = false; // answers nothing at all
    // Replaces the 06 answering the first wake-up, e.g. {0x15, 0x06}.
    std::vector<std::uint8_t> firstWakeUpReply;
    bool missingReadyReply = false; // no 06 after the confirm byte
    // Identity byte to report instead of memory byte 0x81B.
    std::optional<std::uint8_t> identity;
    std::optional<int> shortReplyAtBlock;
    std::size_t shortReplyLength = 9;
    std::optional<int> missingReadAckAtBlock;
    std::optional<int> missingWriteAckAtBlock;
    // Write block acknowledged but kept with bit 0 of its first byte flipped.
    std::optional<int> corruptWriteAtBlock;
    // At the request for this block (read or write) the radio drops the line.
    std::optional<int> hangUpAtBlock;

    // Service exchanges; each count covers the first N occurrences.
    int unansweredWakeUps = 0;                  // entry/programming wake-ups left unanswered
    int unansweredTuningWakeUps = 0;            // tuning wake-ups left unanswered
    int wrongTuningWakeUps = 0;                 // tuning wake-ups answered 15
    int unansweredExitWakeUps = 0;              // exit wake-ups left unanswered
    std::optional<std::size_t> shortEntryReply; // bytes of the 5-byte entry reply sent
    int unackedTuningWrites = 0;                // tuning writes neither acknowledged nor kept
    int wrongDebugReplies = 0;                  // debug item codes answered 15 instead of 48
};

enum class WireDirection { ToRadio, FromRadio };

struct WireRecord
{
    WireDirection direction;
    std::vector<std::uint8_t> bytes;
};

// The radio's side of the programming protocol as a byte-in/byte-out state
// machine over its 4096-byte memory.
class RadioSim
{
public:
    enum class State { Idle, Awake, Identified, Programming, HungUp };

    static constexpr std::size_t kIdentificationSize = 8;
    static constexpr std::size_t kIdentityIndex = 4;
    static constexpr std::size_t kReadReplySize = 12;

    explicit RadioSim(const ChannelImage &memory = ChannelImage(), SimFaults faults = {});

    // Takes bytes from the programming cable; returns the radio's answer.
    std::vector<std::uint8_t> receive(std::span<const std::uint8_t> bytes);

    const ChannelImage &memory() const { return m_memory; }
    void setMemory(const ChannelImage &memory) { m_memory = memory; }
    const SimFaults &faults() const { return m_faults; }
    SimFaults &faults() { return m_faults; }
    State state() const { return m_state; }
    bool hungUp() const { return m_state == State::HungUp; }
    // Writes that reached the last block a write sends (address 0xFE8).
    int completedWrites() const { return m_completedWrites; }

    // The service side: power tuning (values kept at 0xFF9 high, 0xFF8 low)
    // and the debug mode.
    enum class ServiceState {
        None,
        Entered,          // after M S / M R: waiting for a tuning or exit wake-up
        TuningAwake,      // tuning wake-up answered
        Tuning,           // M c answered: the tuning write may come
        ExitAwake,        // exit wake-up answered: M U leaves
        DebugSelected,    // 'x' after the programming handshake
        DebugItem,        // item code received
        DebugFrequencies, // item confirmed with 'H': 8 frequency bytes follow
        DebugTones,       // 8 tone bytes follow
    };
    struct DebugSetting
    {
        std::uint8_t item = 0;                          // 'q' to 't'
        std::uint32_t rxFrequency = 0, txFrequency = 0; // 10 Hz units
        std::uint32_t rxTone = 0, txTone = 0;           // tenths of Hz
        std::uint8_t value = 0;
    };
    ServiceState serviceState() const { return m_service; }
    // The debug settings received, last one last.
    const std::vector<DebugSetting> &debugSettings() const { return m_debugSettings; }
    // Told of every service change in words, for kx9-radiosim's stderr.
    void onServiceChange(std::function<void(const std::string &)> log) { m_log = std::move(log); }

    // Every byte both ways, one record per receive call and per answer.
    const std::vector<WireRecord> &record() const { return m_record; }
    void clearRecord() { m_record.clear(); }

private:
    // Consumes a complete message from the front of m_pending into reply;
    // false when more bytes are needed.
    bool takeMessage(std::vector<std::uint8_t> &reply);
    // The service protocol's share of takeMessage: nothing when the bytes
    // belong to the programming protocol.
    std::optional<bool> takeServiceMessage(std::vector<std::uint8_t> &reply);
    bool takeServiceWakeUp(std::vector<std::uint8_t> &reply);
    bool takeDebugBytes(std::vector<std::uint8_t> &reply);
    void log(const std::string &line) const;
    void dropFirst(std::size_t n);
    std::uint8_t identity() const;

    ChannelImage m_memory;
    SimFaults m_faults;
    State m_state = State::Idle;
    bool m_blockAckPending = false;
    int m_wakeUps = 0;
    int m_completedWrites = 0;
    std::vector<std::uint8_t> m_pending;
    std::vector<WireRecord> m_record;

    ServiceState m_service = ServiceState::None;
    bool m_serviceHigh = true; // entered with M S
    int m_wakeUpsHeard = 0, m_tuningWakeUps = 0, m_exitWakeUps = 0;
    int m_tuningWrites = 0, m_debugItems = 0;
    DebugSetting m_debug;
    std::vector<DebugSetting> m_debugSettings;
    std::function<void(const std::string &)> m_log;
};

} // namespace kx9
