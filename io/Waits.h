#pragma once

#include <chrono>
#include <functional>
#include <poll.h>

namespace kx9 {

// Where a thread's blocking waits go. Without a waiter they are the system's
// own calls; a fiber runner installs itself on its thread so that many
// conversations share one thread and one wake-up.
class Waiter
{
public:
    virtual ~Waiter() = default;
    // As ::poll: the count of ready descriptors, 0 when the time ran out.
    virtual int poll(pollfd *fds, nfds_t count, int timeoutMs) = 0;
    virtual void sleep(std::chrono::microseconds duration) = 0;
    // Runs work that may hold the thread for long (the disk, a line that
    // drains slowly) where it stalls no other conversation.
    virtual void runBlocking(const std::function<void()> &work) = 0;
};

// The calling thread's waiter; null means the system's calls.
Waiter *threadWaiter();
void setThreadWaiter(Waiter *waiter);

int waitPoll(pollfd *fds, nfds_t count, int timeoutMs);
void waitSleep(std::chrono::microseconds duration);
void runBlocking(const std::function<void()> &work);

} // namespace kx9
