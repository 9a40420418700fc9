#pragma once

#include "CancelToken.h"
#include "RadioLink.h"
#include "ServiceHost.h"
#include "TerminalPrompter.h"
#include "TransferHost.h"

#include <array>
#include <csignal>
#include <string>
#include <string_view>

namespace kx9::cli {

// The serial port of the command line: ends its waits on a signal (through
// the session's cancel token); with
// --trace writes what the port did and every byte both ways to stderr.
class CliLink : public RadioLink
{
public:
    explicit CliLink(bool trace) : m_trace(trace) {}

    OpenResult open(std::string_view name, const TimeoutProfile &profile) override;
    IoResult send(std::span<const std::uint8_t> bytes) override;
    IoResult receive(std::span<std::uint8_t> buffer) override;
    void close() override;
    using RadioLink::send;

private:
    bool m_trace;
};

// One conversation of a command with the radio, for every command that
// talks to one. Ctrl-C, SIGTERM or a hang-up of the terminal while it lives
// cancels the exchange at its next step, ends the port's wait and answers a
// question Cancel, so that the port is always closed and put back as it was
// and its exclusive hold released. The session is itself the host of the
// service exchanges.
class RadioSession : public ServiceHost
{
public:
    explicit RadioSession(bool trace = false, bool yes = false);
    ~RadioSession() override;
    RadioSession(const RadioSession &) = delete;
    RadioSession &operator=(const RadioSession &) = delete;

    CliLink &port() { return m_link; }
    bool interrupted() const { return m_token.raised(); }
    // Raised by the signal handler; the fleet's radios wait on it too.
    CancelToken &cancelToken() { return m_token; }
    bool trace() const { return m_trace; }

    void pump() override {}
    bool cancelRequested() const override { return interrupted(); }
    TerminalPrompter &prompter() override { return m_prompter; }

private:
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> m_previous{};
    CancelToken &m_token;
    bool m_trace;
    CliLink m_link;
    TerminalPrompter m_prompter;
};

// The progress dialog of a transfer: a bar on stderr when it is a terminal
// (and --trace is not writing there), the session's questions.
class TransferProgress : public TransferHost
{
public:
    TransferProgress(RadioSession &session, std::string_view caption, int blocks);
    ~TransferProgress() override;

    void pump() override {}
    bool cancelRequested() const override { return m_session.interrupted(); }
    void setWatch(bool) override {}
    void setStatus(std::string_view text) override;
    int progressPosition() const override { return m_position; }
    void stepProgress() override { ++m_position; }
    void closeProgress() override { endLine(); }
    Prompter &prompter() override { return m_session.prompter(); }

private:
    void draw();
    void endLine();

    RadioSession &m_session;
    std::string m_caption;
    int m_blocks;
    bool m_bar;
    int m_position = 0;
    std::string m_status;
    bool m_drawn = false;
};

} // namespace kx9::cli
