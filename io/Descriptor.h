#pragma once

#include <unistd.h>

namespace kx9 {

// Owns a file descriptor and closes it when it goes out of scope, so that no
// exit path of a reader, a save or the port leaks one.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    // Hands the descriptor over to a caller that closes it itself.
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // 0, or -1 with errno set; closing twice is harmless.
    int close()
    {
        const int fd = release();
        return fd >= 0 ? ::close(fd) : 0;
    }

private:
    int m_fd;
};

} // namespace kx9
