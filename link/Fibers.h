#pragma once

#include "Waits.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace kx9 {

// Runs many conversations on one thread, each on its own stack. A
// conversation's waits (waitPoll, waitSleep) hand the thread to the others,
// and the runner sleeps in one poll for all of them; waits that end close
// together end in one wake-up, which a thread per conversation cannot do.
class FiberRunner final : public Waiter
{
public:
    // A timed wait that ends within grace after the earliest one ends with
    // it, so it may last up to grace longer than asked. The radio's 1 ms
    // pauses are minimums: any system's sleep may last longer.
    explicit FiberRunner(std::chrono::microseconds grace = std::chrono::microseconds(700));
    ~FiberRunner() override;
    FiberRunner(const FiberRunner &) = delete;
    FiberRunner &operator=(const FiberRunner &) = delete;

    // False when the system gave no stack for it; body runs only in run().
    // What body throws ends the program, so it catches its own.
    bool add(std::function<void()> body);
    // Runs every body to its end, on the calling thread.
    void run();

    int poll(pollfd *fds, nfds_t count, int timeoutMs) override;
    void sleep(std::chrono::microseconds duration) override;
    void runBlocking(const std::function<void()> &work) override;

private:
    struct Fiber;
    struct Helper;
    using Clock = std::chrono::steady_clock;

    // Hands the thread back to run() until the fiber's wait ends.
    void suspend(Fiber &fiber);
    void resume(Fiber &fiber);
    static void entry();
    // One poll over every waiting fiber; marks those whose wait ended.
    void waitForAny();

    std::chrono::microseconds m_grace;
    std::vector<std::unique_ptr<Fiber>> m_fibers;
    Fiber *m_current = nullptr;
    struct Home;
    std::unique_ptr<Home> m_home; // run()'s own context
};

} // namespace kx9
