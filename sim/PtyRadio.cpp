#include "PtyRadio.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <string>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kx9 {

namespace {

using Clock = std::chrono::steady_clock;
// 8N1 is 10 bits a byte; at 9600 baud that is 1.0417 ms.
constexpr auto kByteTime = std::chrono::nanoseconds(10 * 1'000'000'000LL / 9600);
// How long a radio takes to answer a handshake or service command.
constexpr auto kReactionTime = std::chrono::milliseconds(5);
// A byte that goes out this much later than the line would carry it means
// the machine did not run us in time: the run's timing is not the radio's.
constexpr auto kOverrun = std::chrono::milliseconds(5);

volatile std::sig_atomic_t g_stopSignal = 0;

// Whether a process other than this one has the device open. The closes
// cannot be counted: inotify merges a close into an unread one before it.
bool openElsewhere(const std::string &device)
{
    struct stat target = {};
    DIR *processes = ::stat(device.c_str(), &target) == 0 ? ::opendir("/proc") : nullptr;
    if (processes == nullptr)
        return false;
    const std::string self = std::to_string(::getpid());
    bool found = false;
    for (const dirent *process; !found && (process = ::readdir(processes)) != nullptr;) {
        const std::string pid = process->d_name;
        if (pid == self || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string folder = "/proc/" + pid + "/fd/";
        DIR *fds = ::opendir(folder.c_str());
        if (fds == nullptr)
            continue; // gone, or another user's
        for (const dirent *fd; !found && (fd = ::readdir(fds)) != nullptr;) {
            struct stat held = {};
            found = ::stat((folder + fd->d_name).c_str(), &held) == 0 && S_ISCHR(held.st_mode) &&
                    held.st_rdev == target.st_rdev;
        }
        ::closedir(fds);
    }
    ::closedir(processes);
    return found;
}

void onStopSignal(int signal)
{
    g_stopSignal = signal;
}

// Catches SIGINT, SIGTERM and SIGHUP (its terminal closed) and keeps them
// blocked except inside ppoll, so a stop request can never be lost between
// two polls, nor before run() starts. Returns the mask to wait with.
sigset_t holdStopSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
        sigaddset(&stops, signal);
    }
    sigset_t waitMask;
    ::pthread_sigmask(SIG_BLOCK, &stops, &waitMask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigdelset(&waitMask, signal);
    return waitMask;
}

bool writeAll(int fd, const std::uint8_t *bytes, std::size_t count);

void trace(char direction, const std::uint8_t *bytes, std::size_t count)
{
    std::string line(1, direction);
    char hex[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        line += hex;
    }
    line += '\n';
    writeAll(STDERR_FILENO, reinterpret_cast<const std::uint8_t *>(line.data()), line.size());
}

bool writeAll(int fd, const std::uint8_t *bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(fd, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

PtyRadio::~PtyRadio()
{
    closePty();
}

void PtyRadio::closePty()
{
    if (m_watch >= 0)
        ::close(m_watch);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_watch = m_slave = m_master = -1;
}

bool PtyRadio::open(std::string &error)
{
    // The device path is told before run() starts, and whoever reads it may
    // stop the radio at once: such a stop must end it the usual way.
    holdStopSignals();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    m_slavePath = ::ptsname(m_master);
    m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0) {
        error = m_slavePath + ": " + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    // Who opens and closes the device: a program killed while it held the
    // port exclusively would otherwise keep every later one out. Without
    // inotify the radio runs all the same.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, m_slavePath.c_str(), IN_CLOSE) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
    return true;
}

void PtyRadio::followClients()
{
    // Only that a close came counts: the events themselves are not read.
    std::array<char, 4096> events{};
    bool closed = false;
    while (::read(m_watch, events.data(), events.size()) > 0)
        closed = true;
    // A real port forgets the flag when its last user closes it; our own
    // descriptor keeps this one open, so it is cleared here.
    if (closed && !openElsewhere(m_slavePath))
        ::ioctl(m_slave, TIOCNXCL);
}

int PtyRadio::run()
{
    const sigset_t waitMask = holdStopSignals();

    // Paced bytes are timed by sleeps; the default 50 us slack on each would
    // make the simulated line slower than 9600 baud, and on a busy machine
    // an ordinary process wakes tens of ms late. Real-time priority, where
    // the system grants it, keeps the line's timing; elsewhere a late byte
    // is told on stderr.
    if (m_wireSpeed) {
        ::prctl(PR_SET_TIMERSLACK, 1UL);
        sched_param param{};
        param.sched_priority = 1;
        ::sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param);
    }

    std::array<std::uint8_t, 512> buffer{};
    while (g_stopSignal == 0) {
        std::array<pollfd, 2> fds{pollfd{m_master, POLLIN, 0}, pollfd{m_watch, POLLIN, 0}};
        if (::ppoll(fds.data(), m_watch >= 0 ? 2 : 1, nullptr, &waitMask) < 0) {
            if (errno == EINTR)
                continue;
            return 0;
        }
        if ((fds[1].revents & POLLIN) != 0)
            followClients();
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;
        // The nearest we see of the first byte's arrival on the line.
        const Clock::time_point arrived = Clock::now();
        const ssize_t n = ::read(m_master, buffer.data(), buffer.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return 0;
        handle(buffer.data(), static_cast<std::size_t>(n), arrived);
        if (m_radio.hungUp()) {
            closePty();
            return 0;
        }
    }
    return g_stopSignal;
}

void PtyRadio::sendAt(Clock::time_point due, std::uint8_t byte)
{
    std::this_thread::sleep_until(due);
    const auto late = Clock::now() - due;
    writeAll(m_master, &byte, 1);
    if (m_wireSpeed && late > kOverrun) {
        const auto ms = std::chrono::duration_cast<std::chrono::microseconds>(late).count();
        std::fprintf(stderr, "kx9-radiosim: overrun: a reply byte went out %.1f ms late\n",
                     static_cast<double>(ms) / 1000.0);
    }
}

void PtyRadio::handle(const std::uint8_t *bytes, std::size_t count, Clock::time_point arrived)
{
    const int writesBefore = m_radio.completedWrites();
    // Block requests and acknowledges are answered at once; everything else
    // is a handshake or service command.
    const bool handshake = m_radio.state() != RadioSim::State::Programming;
    // The request is on the line from its first byte's arrival until its
    // last; bytes sent while earlier ones are still arriving queue behind.
    // Nothing waits here: the reply alone is scheduled, from that deadline.
    m_rxFree = std::max(arrived, m_rxFree) + kByteTime * static_cast<long>(count);
    if (m_trace)
        trace('>', bytes, count);
    const std::vector<std::uint8_t> reply = m_radio.receive({bytes, count});
    // Saved before the last acknowledge goes out, so that a program that
    // sees its write complete finds the memory saved.
    if (m_radio.completedWrites() != writesBefore && m_onWriteComplete)
        m_onWriteComplete();
    if (m_trace && !reply.empty())
        trace('<', reply.data(), reply.size());
    if (m_wireSpeed) {
        // Each reply byte is written when its last bit would arrive.
        const Clock::duration reaction = handshake ? kReactionTime : Clock::duration{};
        m_txFree = std::max(m_rxFree + reaction, m_txFree);
        for (std::uint8_t b : reply) {
            m_txFree += kByteTime;
            sendAt(m_txFree, b);
        }
    } else if (handshake && !reply.empty()) {
        // One byte at a time, as they would come over the line.
        auto at = arrived + kReactionTime;
        for (std::uint8_t b : reply) {
            sendAt(at, b);
            at += kByteTime;
        }
    } else if (!reply.empty()) {
        writeAll(m_master, reply.data(), reply.size());
    }
}

} // namespace kx9
