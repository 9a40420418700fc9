#pragma once

#include "RadioSim.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <string>

namespace kx9 {

// Puts a RadioSim behind a pseudo-terminal so that any program can open the
// slave side as if it were the radio's serial port.
class PtyRadio
{
public:
    explicit PtyRadio(RadioSim &radio) : m_radio(radio) {}
    ~PtyRadio();
    PtyRadio(const PtyRadio &) = delete;
    PtyRadio &operator=(const PtyRadio &) = delete;

    // Creates the pty in raw mode; false with a reason on failure.
    bool open(std::string &error);
    const std::string &slavePath() const { return m_slavePath; }

    // Paces every byte both ways as 10 bits at 9600 baud.
    void setWireSpeed(bool on) { m_wireSpeed = on; }
    // Writes every byte both ways to stderr, one line per chunk.
    void setTrace(bool on) { m_trace = on; }
    // Called when a write reaches its last block, before the radio
    // acknowledges it.
    void onWriteComplete(std::function<void()> callback)
    {
        m_onWriteComplete = std::move(callback);
    }

    // Serves the radio until a blocked SIGINT or SIGTERM arrives or the
    // radio hangs up (the pty is closed then). Returns the signal, or 0.
    int run();

private:
    using Clock = std::chrono::steady_clock;
    // Answers the bytes read at arrived (their first byte's arrival).
    void handle(const std::uint8_t *bytes, std::size_t count, Clock::time_point arrived);
    // Writes byte at due; says on stderr when the machine let it go late.
    void sendAt(Clock::time_point due, std::uint8_t byte);
    void closePty();
    // Clears the exclusive flag once no other program has the device open.
    void followClients();

    RadioSim &m_radio;
    int m_master = -1;
    // Our own slave descriptor keeps the line up while no program has the
    // port open, so the master never sees a hang-up between two sessions.
    int m_slave = -1;
    std::string m_slavePath;
    // inotify on the device: who closes it.
    int m_watch = -1;
    bool m_wireSpeed = false;
    bool m_trace = false;
    std::function<void()> m_onWriteComplete;
    // When the line is next free in each direction (wire speed).
    Clock::time_point m_rxFree{};
    Clock::time_point m_txFree{};
};

} // namespace kx9
