#include "Waits.h"

#include <thread>

namespace kx9 {

namespace {
thread_local Waiter *g_waiter = nullptr;
}

Waiter *threadWaiter()
{
    return g_waiter;
}

void setThreadWaiter(Waiter *waiter)
{
    g_waiter = waiter;
}

int waitPoll(pollfd *fds, nfds_t count, int timeoutMs)
{
    if (g_waiter != nullptr)
        return g_waiter->poll(fds, count, timeoutMs);
    return ::poll(fds, count, timeoutMs);
}

void waitSleep(std::chrono::microseconds duration)
{
    if (g_waiter != nullptr)
        g_waiter->sleep(duration);
    else
        std::this_thread::sleep_for(duration);
}

void runBlocking(const std::function<void()> &work)
{
    if (g_waiter != nullptr)
        g_waiter->runBlocking(work);
    else
        work();
}

} // namespace kx9
