#include "SimPort.h"

#include <algorithm>

namespace kx9 {

using Kind = SimPort::Call::Kind;

OpenResult SimPort::open(std::string_view name, const TimeoutProfile &profile)
{
    m_calls.push_back({Kind::Open, {}, 0, PurgeKind::Clear, {}});
    if (m_openError != OpenError::None)
        return {m_openError, "simulated open failure"};
    m_open = true;
    m_name = std::string(name);
    m_profile = profile;
    m_incoming.clear();
    m_line.clear();
    ++m_opens;
    return {};
}

IoResult SimPort::send(std::span<const std::uint8_t> bytes)
{
    m_calls.push_back({Kind::Send, {bytes.begin(), bytes.end()}, 0, PurgeKind::Clear, {}});
    const int index = m_sends++;
    if (!m_open || m_radio.hungUp() || (m_sendFailure && m_sendFailure(bytes, index)))
        return {false, 0};
    const std::vector<std::uint8_t> reply = m_radio.receive(bytes);
    // The radio starts answering once the line is free of what it sent before.
    std::chrono::milliseconds arrival = m_now + kTurnaround;
    if (!m_line.empty())
        arrival = std::max(arrival, m_line.back().arrival + kByteTime);
    for (std::uint8_t b : reply) {
        m_line.push_back({arrival, b});
        arrival += kByteTime;
    }
    return {true, bytes.size()};
}

IoResult SimPort::receive(std::span<std::uint8_t> buffer)
{
    Call call{Kind::Receive, {}, buffer.size(), PurgeKind::Clear, {}};
    const int index = m_receives++;
    if (!m_open || m_radio.hungUp() ||
        (m_receiveFailure && m_receiveFailure(buffer.size(), index))) {
        m_calls.push_back(call);
        return {false, 0};
    }
    arrive();
    // Waiting for the bytes still on the line costs no virtual time.
    while (m_incoming.size() < buffer.size() && !m_line.empty()) {
        m_incoming.push_back(m_line.front().byte);
        m_line.pop_front();
    }
    const std::size_t count = std::min(buffer.size(), m_incoming.size());
    std::copy_n(m_incoming.begin(), count, buffer.begin());
    m_incoming.erase(m_incoming.begin(), m_incoming.begin() + static_cast<std::ptrdiff_t>(count));
    call.bytes.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));
    // A short reply ends with the gap after its last byte, no reply with the total.
    if (count == 0)
        call.duration = std::chrono::milliseconds(m_profile.receiveTotalMs(buffer.size()));
    else if (count < buffer.size())
        call.duration = std::chrono::milliseconds(m_profile.gapMs);
    m_now += call.duration;
    m_calls.push_back(call);
    return {true, count};
}

bool SimPort::purge(PurgeKind kind)
{
    m_calls.push_back({Kind::Purge, {}, 0, kind, {}});
    m_incoming.clear();
    return m_open;
}

void SimPort::close()
{
    m_calls.push_back({Kind::Close, {}, 0, PurgeKind::Clear, {}});
    if (m_open)
        ++m_closes;
    m_open = false;
}

void SimPort::pause(std::chrono::milliseconds duration)
{
    m_calls.push_back({Kind::Pause, {}, 0, PurgeKind::Clear, duration});
    m_now += duration;
    arrive();
}

void SimPort::arrive()
{
    while (!m_line.empty() && m_line.front().arrival <= m_now) {
        m_incoming.push_back(m_line.front().byte);
        m_line.pop_front();
    }
}

} // namespace kx9
