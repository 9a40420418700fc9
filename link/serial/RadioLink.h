#pragma once

#include "Port.h"

#include <string>
#include <termios.h>
#include <vector>

namespace kx9 {

// The radio's serial port on the POSIX terminal interface: 9600 8N1, raw,
// held exclusively while open. Blocking, for use on the thread that owns it.
class RadioLink : public Port
{
public:
    // What became of the driver's low-latency mode at the last open.
    enum class LowLatency {
        NotAsked,    // no port opened yet
        Set,         // we switched it on; it is switched off again on close
        AlreadyOn,   // the driver had it on; left alone
        Unsupported, // the driver offers no such mode (a pseudo-terminal, for one)
        Refused,     // the driver offers it but would not switch it on
    };

    RadioLink() = default;
    ~RadioLink() override;
    RadioLink(const RadioLink &) = delete;
    RadioLink &operator=(const RadioLink &) = delete;

    OpenResult open(std::string_view name, const TimeoutProfile &profile) override;
    bool isOpen() const override { return m_fd >= 0; }
    IoResult send(std::span<const std::uint8_t> bytes) override;
    IoResult receive(std::span<std::uint8_t> buffer) override;
    bool purge(PurgeKind kind) override;
    void close() override;
    using Port::send;

    LowLatency lowLatency() const { return m_lowLatency; }

    // The system calls of sends, receives and purges since the last open, so
    // that a test can hold the turnaround of a block to what it needs.
    struct SystemCalls
    {
        int reads = 0;
        int emptyReads = 0; // reads that returned nothing
        int writes = 0;
        int polls = 0;
        int flushes = 0;
        int drains = 0;
        int total() const { return reads + writes + polls + flushes + drains; }
    };
    const SystemCalls &systemCalls() const { return m_calls; }

    // Device paths of the serial ports the kernel has hardware behind,
    // sorted: USB and ACM adapters, and UARTs of a known type.
    static std::vector<std::string> availablePorts();

private:
    enum class Wait { Ready, TimedOut, Cancelled };
    // Polls the device for events beside the cancel token.
    Wait waitFor(short events, long long milliseconds);

    int m_fd = -1;
    TimeoutProfile m_profile;
    termios m_savedSettings = {};
    // Only what this program set is undone on close: another program's
    // exclusive hold or low-latency choice is never cleared by us.
    bool m_exclusiveSet = false;
    LowLatency m_lowLatency = LowLatency::NotAsked;
    bool m_pseudoTerminal = false;
    SystemCalls m_calls;
};

} // namespace kx9
