#include "RadioSim.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kx9 {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::array<std::uint8_t, 7> kWakeUp{0x02, 'P', 'R', 'O', 'G', 'R', 'A'};
constexpr std::uint8_t kIdentify = 'M';
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kBlock = 8;
constexpr std::size_t kLastWriteAddress = 0xFE8;

} // namespace

RadioSim::RadioSim(const ChannelImage &memory, SimFaults faults)
    : m_memory(memory), m_faults(std::move(faults))
{
}

std::uint8_t RadioSim::identity() const
{
    return m_faults.identity.value_or(m_memory.radioIdentity());
}

std::vector<std::uint8_t> RadioSim::receive(std::span<const std::uint8_t> bytes)
{
    m_record.push_back({WireDirection::ToRadio, {bytes.begin(), bytes.end()}});
    std::vector<std::uint8_t> reply;
    if (m_state == State::HungUp)
        return reply;
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    while (!m_pending.empty() && m_state != State::HungUp && takeMessage(reply)) {
    }
    if (m_faults.silent)
        reply.clear();
    if (!reply.empty())
        m_record.push_back({WireDirection::FromRadio, reply});
    return reply;
}

void RadioSim::dropFirst(std::size_t n)
{
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(n));
}

bool RadioSim::takeMessage(std::vector<std::uint8_t> &reply)
{
    if (const std::optional<bool> taken = takeServiceMessage(reply))
        return *taken;
    const std::uint8_t first = m_pending.front();

    if (first == kWakeUp[0]) {
        const std::size_t n = std::min(m_pending.size(), kWakeUp.size());
        if (!std::equal(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(n),
                        kWakeUp.begin())) {
            dropFirst(1);
            return true;
        }
        if (n < kWakeUp.size())
            return false;
        dropFirst(n);
        m_state = State::Awake;
        m_blockAckPending = false;
        if (m_wakeUps++ == 0 && !m_faults.firstWakeUpReply.empty())
            reply.insert(reply.end(), m_faults.firstWakeUpReply.begin(),
                         m_faults.firstWakeUpReply.end());
        else
            reply.push_back(kAck);
        return true;
    }

    if (first == kIdentify && m_state == State::Awake) {
        if (m_pending.size() < 2)
            return false;
        const bool identify = m_pending[1] == 0x02;
        dropFirst(identify ? 2 : 1);
        if (identify) {
            // Bytes other than the identity byte are never examined by the
            // program; these stand for a model code.
            const std::array<std::uint8_t, kIdentificationSize> id{'K',        'X',  '9',  0x00,
                                                                   identity(), 0x00, 0x00, 0x00};
            reply.insert(reply.end(), id.begin(), id.end());
            m_state = State::Identified;
        }
        return true;
    }

    if (first == kAck) {
        dropFirst(1);
        if (m_state == State::Identified) {
            m_state = State::Programming;
            if (!m_faults.missingReadyReply)
                reply.push_back(kAck);
        } else if (m_state == State::Programming && m_blockAckPending) {
            m_blockAckPending = false;
            reply.push_back(kAck);
        }
        return true;
    }

    if ((first == kRead || first == kWrite) && m_state == State::Programming) {
        const std::size_t need = first == kRead ? kHeaderSize : kHeaderSize + kBlock;
        if (m_pending.size() < need)
            return false;
        const std::size_t address =
            (static_cast<std::size_t>(m_pending[1]) << 8 | m_pending[2]) % kImageSize;
        const int block = static_cast<int>(address / kBlock);
        if (m_pending[3] != kBlock || address % kBlock != 0) {
            dropFirst(1);
            return true;
        }
        std::vector<std::uint8_t> message(m_pending.begin(),
                                          m_pending.begin() + static_cast<std::ptrdiff_t>(need));
        dropFirst(need);
        if (m_faults.hangUpAtBlock == block) {
            m_state = State::HungUp;
            m_pending.clear();
            return false;
        }
        if (first == kRead) {
            std::vector<std::uint8_t> data{kWrite, message[1], message[2], kBlock};
            for (std::size_t i = 0; i < kBlock; ++i)
                data.push_back(m_memory.byte(address + i));
            if (m_faults.shortReplyAtBlock == block)
                data.resize(std::min(data.size(), m_faults.shortReplyLength));
            reply.insert(reply.end(), data.begin(), data.end());
            m_blockAckPending = m_faults.missingReadAckAtBlock != block;
        } else {
            for (std::size_t i = 0; i < kBlock; ++i)
                m_memory.setByte(address + i, message[kHeaderSize + i]);
            if (m_faults.corruptWriteAtBlock == block)
                m_memory.setByte(address, m_memory.byte(address) ^ 0x01);
            if (address == kLastWriteAddress)
                ++m_completedWrites;
            if (m_faults.missingWriteAckAtBlock != block)
                reply.push_back(kAck);
        }
        return true;
    }

    dropFirst(1);
    return true;
}

} // namespace kx9
