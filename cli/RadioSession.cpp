#include "RadioSession.h"

#include "PortNames.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace kx9::cli {

namespace {

// Made when the first session starts, so that commands that never talk to
// a radio open no descriptor for it.
CancelToken &processToken()
{
    static CancelToken token;
    return token;
}

std::atomic<CancelToken *> g_token{nullptr};
static_assert(std::atomic<CancelToken *>::is_always_lock_free);

void onInterrupt(int)
{
    // raise() is a lock-free store and a write(): safe in a handler.
    if (CancelToken *token = g_token.load())
        token->raise();
}

std::string hexLine(char direction, std::span<const std::uint8_t> bytes)
{
    std::string line(1, direction);
    char part[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(part, sizeof part, " %02X", b);
        line += part;
    }
    return line;
}

std::string_view lowLatencyText(RadioLink::LowLatency state)
{
    switch (state) {
    case RadioLink::LowLatency::Set:
        return "on (switched on for this transfer)";
    case RadioLink::LowLatency::AlreadyOn:
        return "on (the driver had it on)";
    case RadioLink::LowLatency::Unsupported:
        return "not offered by this port's driver";
    case RadioLink::LowLatency::Refused:
        return "refused by the driver";
    case RadioLink::LowLatency::NotAsked:
        break;
    }
    return "not asked";
}

} // namespace

OpenResult CliLink::open(std::string_view name, const TimeoutProfile &profile)
{
    const OpenResult opened = RadioLink::open(name, profile);
    if (m_trace) {
        if (opened.ok())
            std::cerr << "trace: opened " << escaped(portDevicePath(name))
                      << ": 9600 8N1 raw, exclusive; low-latency mode "
                      << lowLatencyText(lowLatency()) << "\n";
        else
            std::cerr << "trace: cannot open " << escaped(opened.detail) << "\n";
    }
    return opened;
}

IoResult CliLink::send(std::span<const std::uint8_t> bytes)
{
    const IoResult r = RadioLink::send(bytes);
    if (m_trace)
        std::cerr << hexLine('>', bytes.first(r.count)) << (r.ok ? "" : "  (not sent)") << "\n";
    return r;
}

IoResult CliLink::receive(std::span<std::uint8_t> buffer)
{
    const IoResult r = RadioLink::receive(buffer);
    if (m_trace)
        std::cerr << hexLine('<', buffer.first(r.count))
                  << (!r.ok                     ? "  (device error)"
                      : r.count < buffer.size() ? "  (timed out)"
                                                : "")
                  << "\n";
    return r;
}

void CliLink::close()
{
    if (m_trace && isOpen())
        std::cerr << "trace: closed\n";
    RadioLink::close();
}

RadioSession::RadioSession(bool trace, bool yes)
    : m_token(processToken()), m_trace(trace), m_link(trace), m_prompter(yes)
{
    m_token.reset();
    m_link.setCancelToken(&m_token);
    g_token.store(&m_token);
    struct sigaction action
    {
    };
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
}

RadioSession::~RadioSession()
{
    // The port is put back before a signal may end the process again.
    m_link.close();
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
}

TransferProgress::TransferProgress(RadioSession &session, std::string_view caption, int blocks)
    : m_session(session), m_caption(caption), m_blocks(blocks),
      m_bar(::isatty(STDERR_FILENO) == 1 && !session.trace())
{
    m_session.prompter().beforeText = [this] { endLine(); };
}

TransferProgress::~TransferProgress()
{
    m_session.prompter().beforeText = nullptr;
}

void TransferProgress::setStatus(std::string_view text)
{
    m_status = std::string(text);
    draw();
}

void TransferProgress::draw()
{
    if (!m_bar)
        return;
    constexpr int kWidth = 40;
    const int filled = m_blocks > 0 ? m_position * kWidth / m_blocks : 0;
    std::string line = "\r" + m_caption + " [" +
                       std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kWidth - filled), '.') + "] ";
    line += m_position > 0 ? std::to_string(m_position) + "/" + std::to_string(m_blocks) : m_status;
    std::cerr << line << "\x1b[K" << std::flush;
    m_drawn = true;
}

void TransferProgress::endLine()
{
    if (m_drawn)
        std::cerr << "\n";
    m_drawn = false;
}

} // namespace kx9::cli
