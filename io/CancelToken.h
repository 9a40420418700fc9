#pragma once

#include <atomic>

namespace kx9 {

// The one way to stop a transfer: raised from any thread or a signal handler,
// seen at once by every wait that polls its descriptor beside the device's,
// and by every step of an exchange that asks raised().
class CancelToken
{
public:
    CancelToken();
    ~CancelToken();
    CancelToken(const CancelToken &) = delete;
    CancelToken &operator=(const CancelToken &) = delete;

    // Async-signal-safe: a lock-free store and one write.
    void raise() noexcept;
    bool raised() const noexcept { return m_raised.load(); }
    // For a new run: lowered, and its descriptor no longer readable.
    void reset() noexcept;
    // Readable (POLLIN) once raised; -1 when the system would not give one,
    // and then only raised() tells.
    int fd() const noexcept { return m_fd; }

private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> m_raised{false};
    int m_fd = -1;
};

} // namespace kx9
