#pragma once

#include "CancelToken.h"
#include "Language.h"
#include "Port.h"
#include "TransferHost.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kx9 {

enum class FleetStatus { Written, Verified, Read, Failed, Skipped, Cancelled };

// One radio's line of the final table.
struct FleetResult
{
    std::string port;
    // The identity byte the radio answered with; none when it never answered.
    std::optional<std::uint8_t> identity;
    FleetStatus status = FleetStatus::Failed;
    std::string reason; // failed, skipped and cancelled: a few English words
    // The whole reason a single transfer gives, in the transfer's language:
    // what the engine showed, or for a cancel what the radio now holds.
    std::string message;
    bool partialWrite = false;
    double seconds = 0;
};

// What is done with one radio, on that radio's own fiber, over its own port
// and host. It is called for several radios at once, so whatever it captures
// must only be read. It fills status, reason, message, identity and
// partialWrite; the runner fills in the rest.
struct RadioJob
{
    std::function<FleetResult(Port &port, std::string_view portName, TransferHost &host)> run;
    int progressTotal = 0; // the progress position at which a radio is done
};

struct FleetOptions
{
    // Answers the radio type question (and any other OK / Cancel question)
    // with OK; without it such a radio is skipped. Nobody is ever asked.
    bool yes = false;
    // A token the caller owns and a signal handler may raise; raising it
    // cancels as cancel() does, and cancel() raises it. Without one the run
    // has a token of its own.
    CancelToken *cancel = nullptr;
};

struct FleetProgress
{
    int position = 0;
    int total = 0;
    bool finished = false;
};

// Runs one job per port at the same time, each on its own fiber with its own
// Port, all on one thread: the radios' waits end together in one wake-up
// where a thread each would wake the machine for every one, and blocking
// work (a slow line's drain, a backup's disk) goes to helper threads. The
// jobs share nothing but the cancel token and each port's progress counter,
// so a radio that fails never stops or slows the others.
class FleetRun
{
public:
    using PortFactory = std::function<std::unique_ptr<Port>(const std::string &portName)>;

    // Starts at once; makePort is called here, on the caller's thread.
    FleetRun(const std::vector<std::string> &ports, const PortFactory &makePort, RadioJob job,
             FleetOptions options = {});
    // Cancels what still runs and waits for it.
    ~FleetRun();
    FleetRun(const FleetRun &) = delete;
    FleetRun &operator=(const FleetRun &) = delete;

    // Every port's wait ends at once and every transfer stops there. Safe
    // from any thread and from a signal handler.
    void cancel() { m_token->raise(); }

    // From the front end's thread: each port's progress, safe at any time.
    std::vector<FleetProgress> progress() const;
    // A port's result once it has finished.
    std::optional<FleetResult> result(std::size_t index) const;
    // Waits until every radio has finished (true), a radio has finished
    // since the last call, or the timeout passes.
    bool wait(std::chrono::milliseconds timeout);
    // Waits for every radio; the results in the order of the ports.
    std::vector<FleetResult> results();

private:
    struct Slot;
    void runAll();
    void work(Slot &slot);
    void finish(Slot &slot);

    CancelToken m_ownToken;
    CancelToken *m_token;
    RadioJob m_job;
    bool m_yes;
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::thread m_thread; // runs every radio's fiber
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_finished = 0; // guarded by m_mutex
    std::size_t m_seen = 0;     // finished radios the last wait() saw
};

// What is wrong with a list of ports for one run, in the language given;
// empty when nothing is. Two names of one device (COM1 and ttyUSB0, or a
// link to it) are one port given twice; with files, two ports must not
// share a file.
std::string fleetPortProblem(const std::vector<std::string> &ports, bool withFiles,
                             Language language = Language::English);

// The file a read of this port goes into: its portFileStem, then ".sin"
// ("/dev/ttyUSB0" -> "ttyUSB0.sin", "COM1" -> "COM1.sin").
std::string fleetFileName(std::string_view portName);

} // namespace kx9
