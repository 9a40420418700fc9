#include "Fleet.h"

#include "Fibers.h"
#include "FleetTexts.h"
#include "PortFileName.h"
#include "PortNames.h"
#include "TextFormat.h"

#include <csignal>
#include <exception>
#include <filesystem>
#include <system_error>
#include <thread>

namespace kx9 {

namespace {

// One radio's progress dialog: nothing to pump, nobody to ask. Questions are
// answered as --yes says, messages kept for the result.
class FleetHost : public TransferHost, public Prompter
{
public:
    FleetHost(const CancelToken &cancel, std::atomic<int> &position, bool yes)
        : m_cancel(cancel), m_position(position), m_yes(yes)
    {
    }

    void pump() override {}
    bool cancelRequested() const override { return m_cancel.raised(); }
    void setWatch(bool) override {}
    void setStatus(std::string_view) override {}
    int progressPosition() const override { return m_position.load(std::memory_order_relaxed); }
    void stepProgress() override { m_position.fetch_add(1, std::memory_order_relaxed); }
    void closeProgress() override {}
    Prompter &prompter() override { return *this; }

    void inform(std::string_view text, Icon, std::string_view detail) override
    {
        note(text, detail);
    }
    bool askOkCancel(std::string_view text, Default) override
    {
        if (!m_yes)
            note(text, {});
        return m_yes;
    }
    bool askRetryCancel(std::string_view text) override { return note(text, {}); }
    bool askYesNo(std::string_view text) override { return note(text, {}); }
    SaveChoice askSaveDiscardCancel(std::string_view text) override
    {
        note(text, {});
        return SaveChoice::Cancel;
    }

    const std::string &message() const { return m_message; }

private:
    // Keeps the last message shown; the answer to any question is no.
    bool note(std::string_view text, std::string_view detail)
    {
        const auto trimmed = [](std::string_view s) {
            const std::size_t from = s.find_first_not_of(' ');
            return from == std::string_view::npos ? std::string_view() : s.substr(from);
        };
        m_message = std::string(trimmed(text));
        if (!detail.empty())
            m_message += "\n" + std::string(trimmed(detail));
        return false;
    }

    const CancelToken &m_cancel;
    std::atomic<int> &m_position;
    bool m_yes;
    std::string m_message;
};

} // namespace

struct FleetRun::Slot
{
    std::string port;
    std::unique_ptr<Port> device;
    std::atomic<int> position{0};
    std::atomic<bool> finished{false};
    FleetResult result; // written by the runner's thread until finished is set
};

FleetRun::FleetRun(const std::vector<std::string> &ports, const PortFactory &makePort, RadioJob job,
                   FleetOptions options)
    : m_token(options.cancel ? options.cancel : &m_ownToken), m_job(std::move(job)),
      m_yes(options.yes)
{
    for (const std::string &port : ports) {
        auto slot = std::make_unique<Slot>();
        slot->port = port;
        slot->result.port = port;
        slot->device = makePort(port);
        if (slot->device)
            slot->device->setCancelToken(m_token);
        m_slots.push_back(std::move(slot));
    }
    // The runner's thread (and its helpers) start with Ctrl-C and its kin
    // blocked, so those always reach the front end's thread, whose handler
    // raises the token.
    sigset_t blocked, previous;
    sigemptyset(&blocked);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&blocked, signal);
    pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    for (auto &slot : m_slots) {
        if (!slot->device) {
            slot->result.reason = "no port";
            finish(*slot);
        }
    }
    try {
        m_thread = std::thread([this] { runAll(); });
    } catch (const std::system_error &e) {
        for (auto &slot : m_slots) {
            if (slot->device) {
                slot->result.reason = std::string("cannot start a thread: ") + e.what();
                finish(*slot);
            }
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

FleetRun::~FleetRun()
{
    cancel();
    if (m_thread.joinable())
        m_thread.join();
}

void FleetRun::runAll()
{
    FiberRunner runner;
    for (auto &slot : m_slots) {
        if (!slot->device)
            continue;
        if (!runner.add([this, s = slot.get()] { work(*s); })) {
            slot->result.reason = "cannot start: no memory for the radio's stack";
            finish(*slot);
        }
    }
    runner.run();
}

void FleetRun::work(Slot &slot)
{
    const auto start = std::chrono::steady_clock::now();
    FleetHost host(*m_token, slot.position, m_yes);
    // Whatever goes wrong with one radio stays that radio's failure.
    try {
        FleetResult r = m_job.run(*slot.device, slot.port, host);
        slot.result.status = r.status;
        slot.result.reason = std::move(r.reason);
        slot.result.identity = r.identity;
        slot.result.partialWrite = r.partialWrite;
        slot.result.message = r.message.empty() ? host.message() : std::move(r.message);
    } catch (const std::exception &e) {
        slot.result.reason = e.what();
    } catch (...) {
        slot.result.reason = "an unknown failure";
    }
    if (slot.device->isOpen())
        slot.device->close();
    slot.result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    finish(slot);
}

void FleetRun::finish(Slot &slot)
{
    slot.finished.store(true, std::memory_order_release);
    {
        std::lock_guard lock(m_mutex);
        ++m_finished;
    }
    m_changed.notify_all();
}

std::vector<FleetProgress> FleetRun::progress() const
{
    std::vector<FleetProgress> out;
    for (const auto &slot : m_slots)
        out.push_back({slot->position.load(std::memory_order_relaxed), m_job.progressTotal,
                       slot->finished.load(std::memory_order_acquire)});
    return out;
}

std::optional<FleetResult> FleetRun::result(std::size_t index) const
{
    const Slot &slot = *m_slots.at(index);
    if (!slot.finished.load(std::memory_order_acquire))
        return std::nullopt;
    return slot.result;
}

bool FleetRun::wait(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout,
                       [this] { return m_finished != m_seen || m_finished == m_slots.size(); });
    m_seen = m_finished;
    return m_finished == m_slots.size();
}

std::vector<FleetResult> FleetRun::results()
{
    if (m_thread.joinable())
        m_thread.join();
    std::vector<FleetResult> out;
    for (auto &slot : m_slots)
        out.push_back(slot->result);
    return out;
}

std::string fleetFileName(std::string_view portName)
{
    return portFileStem(portName) + ".sin";
}

std::string fleetPortProblem(const std::vector<std::string> &ports, bool withFiles,
                             Language language)
{
    if (ports.empty())
        return std::string(text::kFleetNoPortGiven.in(language));
    // The device behind each name, through links such as /dev/serial/by-id.
    std::vector<std::string> devices;
    for (const std::string &port : ports) {
        const std::string path = portDevicePath(port);
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(path, error);
        devices.push_back(error ? path : real.string());
    }
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (ports[i].empty())
            return std::string(text::kFleetEmptyPortName.in(language));
        for (std::size_t j = 0; j < i; ++j) {
            if (devices[i] == devices[j])
                return ports[i] == ports[j]
                           ? fillIn(text::kFleetPortTwice.in(language), {ports[i]})
                           : fillIn(text::kFleetSamePort.in(language), {ports[j], ports[i]});
            if (withFiles && fleetFileName(ports[i]) == fleetFileName(ports[j]))
                return fillIn(text::kFleetSameFile.in(language),
                              {ports[j], ports[i], fleetFileName(ports[i])});
        }
    }
    return {};
}

} // namespace kx9
