#pragma once

#include "ChannelImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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
    // At the request for this block (read or write) the radio drops the line.
    std::optional<int> hangUpAtBlock;
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

    // Every byte both ways, one record per receive call and per answer.
    const std::vector<WireRecord> &record() const { return m_record; }
    std::vector<std::uint8_t> bytesSent(WireDirection direction) const;
    void clearRecord() { m_record.clear(); }

private:
    // Consumes a complete message from the front of m_pending into reply;
    // false when more bytes are needed.
    bool takeMessage(std::vector<std::uint8_t> &reply);
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
};

} // namespace kx9
