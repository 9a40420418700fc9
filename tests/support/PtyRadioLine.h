#pragma once

// A simulated radio on the far end of a real pseudo-terminal, served by a
// thread of the test that answers at once: the program's side is the real
// serial layer, without a second process.

#include "CancelToken.h"
#include "RadioSim.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <latch>
#include <poll.h>
#include <span>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kx9::test {

// Opens a pseudo-terminal in raw mode: master is the radio's end, path the
// device the program opens; the slave, held open, keeps the line up between
// the program's opens.
inline void openRawPty(int &master, int &slave, std::string &path)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master);
    ::unlockpt(master);
    path = ::ptsname(master);
    slave = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);
}

class PtyRadioLine
{
public:
    // silenced, when given, is counted down the first time the radio leaves
    // a block request unanswered (a fault of faults).
    explicit PtyRadioLine(const SimFaults &faults = {}, std::latch *silenced = nullptr)
        : m_radio(ChannelImage(), faults), m_silenced(silenced)
    {
        openRawPty(m_master, m_slave, m_path);
        m_thread = std::thread([this] { serve(); });
    }
    ~PtyRadioLine()
    {
        m_stop.raise();
        m_thread.join();
        ::close(m_slave);
        ::close(m_master);
    }

    const std::string &path() const { return m_path; }

private:
    void serve()
    {
        std::array<std::uint8_t, 64> buffer{};
        std::array<pollfd, 2> fds{pollfd{m_master, POLLIN, 0}, pollfd{m_stop.fd(), POLLIN, 0}};
        while ((::poll(fds.data(), fds.size(), -1) >= 0 || errno == EINTR) && !m_stop.raised()) {
            const ssize_t n = ::read(m_master, buffer.data(), buffer.size());
            if (n <= 0)
                continue;
            const std::vector<std::uint8_t> reply =
                m_radio.receive(std::span(buffer).first(static_cast<std::size_t>(n)));
            // Told once only.
            if (reply.empty() && m_radio.state() == RadioSim::State::Programming && m_silenced)
                std::exchange(m_silenced, nullptr)->count_down();
            if (!reply.empty() && ::write(m_master, reply.data(), reply.size()) < 0)
                return;
        }
    }

    RadioSim m_radio;
    std::latch *m_silenced;
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    CancelToken m_stop;
    std::thread m_thread;
};

} // namespace kx9::test
