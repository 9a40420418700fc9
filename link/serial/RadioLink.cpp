#include "RadioLink.h"

#include "Descriptor.h"
#include "PortNames.h"
#include "ReadFile.h"
#include "Texts.h"
#include "Waits.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kx9 {

namespace {

using Clock = std::chrono::steady_clock;

long long millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

OpenError openErrorOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return OpenError::Missing;
    case EACCES:
    case EPERM:
        return OpenError::Permission;
    case EBUSY: // another program holds it with TIOCEXCL
        return OpenError::Busy;
    default:
        return OpenError::Other;
    }
}

// A USB serial adapter holds received bytes for its latency timer (16 ms on
// common chips) unless the driver is asked for low latency; with a thousand
// turnarounds in a read that is many seconds.
RadioLink::LowLatency askLowLatency(int fd)
{
    serial_struct serial = {};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return RadioLink::LowLatency::Unsupported;
    if ((serial.flags & ASYNC_LOW_LATENCY) != 0)
        return RadioLink::LowLatency::AlreadyOn;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(fd, TIOCSSERIAL, &serial) != 0)
        return RadioLink::LowLatency::Refused;
    // Some drivers accept the call and ignore the flag.
    serial_struct check = {};
    if (::ioctl(fd, TIOCGSERIAL, &check) != 0 || (check.flags & ASYNC_LOW_LATENCY) == 0)
        return RadioLink::LowLatency::Refused;
    return RadioLink::LowLatency::Set;
}

// The Unix 98 pseudo-terminals' slave devices, where kx9-radiosim lives.
bool isPseudoTerminal(dev_t device)
{
    const unsigned int kind = major(device);
    return kind >= 136 && kind <= 143;
}

void dropLowLatency(int fd)
{
    serial_struct serial = {};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags &= ~ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &serial);
}

} // namespace

RadioLink::~RadioLink()
{
    close();
}

OpenResult RadioLink::open(std::string_view name, const TimeoutProfile &profile)
{
    close();
    const std::string path = portDevicePath(name);
    // The system's words, or our own reason in both languages.
    const auto fail = [&](OpenError error, std::string_view why) {
        return OpenResult{error, path + ": " + std::string(why)};
    };
    const auto refuse = [&](OpenError error, const TextPair &why) {
        return OpenResult{error, path + ": " + std::string(why.en), &why};
    };
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT)
            return refuse(OpenError::Missing, text::kPortReasonMissing);
        return fail(openErrorOf(error), std::strerror(error));
    }
    // Opening a FIFO or a file as the radio would only hang or mislead.
    if (!S_ISCHR(info.st_mode))
        return refuse(OpenError::Other, text::kPortReasonNotSerial);

    // Non-blocking: the open must not wait for a carrier, and every wait
    // below is a poll with the profile's timeouts.
    Descriptor port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    const int fd = port.get();
    if (fd < 0) {
        const int error = errno;
        if (error == EBUSY)
            return refuse(OpenError::Busy, text::kPortReasonHeldExclusively);
        return fail(openErrorOf(error), std::strerror(error));
    }
    if (::isatty(fd) == 0)
        return refuse(OpenError::Other, text::kPortReasonNotSerial);
    // TIOCEXCL keeps out everyone but the superuser; asking keeps us out of
    // a port another program holds, whoever we are.
    int exclusive = 0;
    if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0)
        return refuse(OpenError::Busy, text::kPortReasonHeldExclusively);
    // Programs that lock the device keep each other out, ours included.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return refuse(OpenError::Busy, text::kPortReasonHeld);

    termios settings = {};
    if (::tcgetattr(fd, &settings) != 0)
        return fail(OpenError::Other, std::strerror(errno));
    m_savedSettings = settings;
    m_exclusiveSet = ::ioctl(fd, TIOCEXCL) == 0;

    // Raw 9600 8N1 with hardware and XON/XOFF flow control off: the data is
    // binary, and a tty doing XON/XOFF would swallow 0x11 and 0x13 bytes.
    // Modem status is ignored (CLOCAL); DTR and RTS stay as the driver set
    // them on open. Everything is put back on close.
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    // One byte makes a read ready; with O_NONBLOCK an empty line then reads
    // as EAGAIN, so a read of 0 bytes can only mean a hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int error = errno;
        if (m_exclusiveSet)
            ::ioctl(fd, TIOCNXCL);
        m_exclusiveSet = false;
        return fail(OpenError::Other, std::strerror(error));
    }
    m_fd = port.release();
    m_pseudoTerminal = isPseudoTerminal(info.st_rdev);
    m_profile = profile;
    m_calls = {};
    m_lowLatency = askLowLatency(fd);
    return {};
}

RadioLink::Wait RadioLink::waitFor(short events, long long milliseconds)
{
    // Without a descriptor of the token (the system gave none) the wait is
    // cut into slices short enough for a prompt stop.
    constexpr long long kSliceWithoutTokenMs = 20;
    const CancelToken *token = cancelToken();
    const bool pollToken = token != nullptr && token->fd() >= 0;
    if (token != nullptr && !pollToken)
        milliseconds = std::min(milliseconds, kSliceWithoutTokenMs);
    if (cancelRaised())
        return Wait::Cancelled;
    std::array<pollfd, 2> fds{pollfd{m_fd, events, 0},
                              pollfd{pollToken ? token->fd() : -1, POLLIN, 0}};
    ++m_calls.polls;
    const int ready = waitPoll(fds.data(), pollToken ? 2 : 1, static_cast<int>(milliseconds));
    // A signal whose handler raised the token has been handled by now.
    if (cancelRaised())
        return Wait::Cancelled;
    return ready > 0 && fds[0].revents != 0 ? Wait::Ready : Wait::TimedOut;
}

IoResult RadioLink::send(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0)
        return {false, 0};
    const Clock::time_point start = Clock::now();
    const long long total = m_profile.sendTotalMs(bytes.size());
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ++m_calls.writes;
        const ssize_t n = ::write(m_fd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return {false, sent};
        const long long left = total - millisecondsSince(start);
        if (left <= 0)
            break;
        if (waitFor(POLLOUT, left) == Wait::Cancelled)
            return {false, sent, true};
    }
    // The protocol's pauses count from the moment the bytes are on the line,
    // as with a synchronous write on the radio maker's platform.
    ++m_calls.drains;
    // A pseudo-terminal has no line to drain and returns at once; a real
    // line may hold the thread for the bytes' time on the wire, which must
    // not stall the other radios sharing it.
    if (m_pseudoTerminal)
        ::tcdrain(m_fd);
    else
        runBlocking([fd = m_fd] { ::tcdrain(fd); });
    // A command cut short by the timeout did not reach the radio: a failure.
    return {sent == bytes.size(), sent};
}

IoResult RadioLink::receive(std::span<std::uint8_t> buffer)
{
    if (m_fd < 0)
        return {false, 0};
    const std::size_t wanted = buffer.size();
    const long long total = m_profile.receiveTotalMs(wanted);
    const Clock::time_point start = Clock::now();
    Clock::time_point lastByte = start;
    std::size_t count = 0;
    // Poll first: a read is made only when the line has something, so an
    // empty line costs one call per wait, not two.
    while (count < wanted) {
        long long left = total - millisecondsSince(start);
        if (count > 0)
            left = std::min(left, m_profile.gapMs - millisecondsSince(lastByte));
        if (left <= 0)
            break;
        const Wait wait = waitFor(POLLIN, left);
        if (wait == Wait::Cancelled)
            return {true, count, true};
        if (wait == Wait::TimedOut)
            continue; // the deadline above decides
        ++m_calls.reads;
        const ssize_t n = ::read(m_fd, buffer.data() + count, wanted - count);
        if (n > 0) {
            count += static_cast<std::size_t>(n);
            lastByte = Clock::now();
            continue;
        }
        ++m_calls.emptyReads;
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return {false, count}; // hung up, or the device failed
    }
    return {true, count};
}

bool RadioLink::purge(PurgeKind)
{
    // A send returns only once its bytes have left (tcdrain), so there is
    // never output to discard or an operation to abort: both kinds discard
    // what has been received. Flushing output as well would, on a
    // pseudo-terminal, destroy bytes the other side has not yet read.
    if (m_fd < 0)
        return false;
    ++m_calls.flushes;
    return ::tcflush(m_fd, TCIFLUSH) == 0;
}

void RadioLink::close()
{
    if (m_fd < 0)
        return;
    if (m_lowLatency == LowLatency::Set)
        dropLowLatency(m_fd);
    ::tcsetattr(m_fd, TCSANOW, &m_savedSettings);
    if (m_exclusiveSet)
        ::ioctl(m_fd, TIOCNXCL);
    m_exclusiveSet = false;
    // Closing a real line waits for output still queued; that wait must not
    // hold the other radios sharing this thread.
    if (m_pseudoTerminal)
        ::close(m_fd); // releases the lock too
    else
        runBlocking([fd = m_fd] { ::close(fd); });
    m_fd = -1;
}

std::vector<std::string> RadioLink::availablePorts()
{
    std::vector<std::string> ports;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/sys/class/tty", error)) {
        const std::filesystem::path sys = entry.path();
        if (!std::filesystem::exists(sys / "device", error))
            continue; // a virtual terminal or a pseudo-terminal
        // The 8250 driver lists placeholders of type 0 (unknown) for UARTs
        // that are not there.
        const std::string typeText = readFile((sys / "type").string(), 16).data;
        int type = -1;
        std::from_chars(typeText.data(), typeText.data() + typeText.size(), type);
        if (type == 0)
            continue;
        ports.push_back("/dev/" + sys.filename().string());
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

} // namespace kx9
