#include "RadioLink.h"
#include "PortNames.h"
#include "PtyRadioLine.h"
#include "ScriptedHosts.h"
#include "Transfer.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kx9 {
namespace {

using namespace std::chrono_literals;

// Milliseconds on a steady clock from construction.
struct Stopwatch
{
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    long long elapsed() const { return (std::chrono::steady_clock::now() - start) / 1ms; }
};

// The radio's end of a pseudo-terminal; the link opens the other end.
class Pty
{
public:
    Pty() { test::openRawPty(m_master, m_slave, m_path); }
    ~Pty()
    {
        closeMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    const std::string &path() const { return m_path; }
    int master() const { return m_master; }
    int slave() const { return m_slave; }
    void write(std::vector<std::uint8_t> bytes) const
    {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    std::vector<std::uint8_t> readAvailable(std::size_t n) const
    {
        std::vector<std::uint8_t> out(n);
        pollfd pfd{m_master, POLLIN, 0};
        std::size_t got = 0;
        while (got<n && ::poll(&pfd, 1, 1000)> 0) {
            const ssize_t r = ::read(m_master, out.data() + got, n - got);
            if (r <= 0)
                break;
            got += static_cast<std::size_t>(r);
        }
        out.resize(got);
        return out;
    }
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

class RadioLinkTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(link.open(pty.path(), kProgrammingProfile).ok()); }

    Pty pty;
    RadioLink link;
};

TEST(PortNamesTest, ComPortsNameTheFirstFourUsbAdaptersAndPathsPassThrough)
{
    EXPECT_EQ(portDevicePath("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(portDevicePath("COM4"), "/dev/ttyUSB3");
    EXPECT_EQ(portDevicePath("COM5"), "/dev/COM5");
    EXPECT_EQ(portDevicePath("ttyS0"), "/dev/ttyS0");
    EXPECT_EQ(portDevicePath("/tmp/radio"), "/tmp/radio");
}

TEST(PortNamesTest, TheCablesNameIsTheByIdLinkThatLeadsToTheDevice)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kx9-byid-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "dev");
    fs::create_directories(dir / "by-id");
    for (const char *name : {"ttyUSB0", "ttyUSB1"})
        std::ofstream(dir / "dev" / name).put('x');
    fs::create_symlink("../dev/ttyUSB1", dir / "by-id" / "usb-FTDI_FT232R_A50285BI-if00-port0");
    fs::create_symlink("../dev/gone", dir / "by-id" / "usb-dangling-if00-port0");

    EXPECT_EQ(usbCableName((dir / "dev" / "ttyUSB1").string(), (dir / "by-id").string()),
              "usb-FTDI_FT232R_A50285BI-if00-port0");
    EXPECT_EQ(usbCableName((dir / "dev" / "ttyUSB0").string(), (dir / "by-id").string()), "");
    EXPECT_EQ(usbCableName((dir / "dev" / "ttyUSB9").string(), (dir / "by-id").string()), "");
    EXPECT_EQ(usbCableName((dir / "dev" / "ttyUSB1").string(), (dir / "none").string()), "");
    fs::remove_all(dir);
}

TEST_F(RadioLinkTest, OpenSets9600RawWithoutFlowControlAndCloseRestoresTheSettings)
{
    link.close();
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave(), &before), 0);
    before.c_iflag |= IXON | IXOFF | ICRNL;
    before.c_cflag |= CRTSCTS;
    before.c_lflag |= ICANON | ECHO;
    ::cfsetospeed(&before, B115200);
    ASSERT_EQ(::tcsetattr(pty.slave(), TCSANOW, &before), 0);
    ASSERT_EQ(::tcgetattr(pty.slave(), &before), 0);

    ASSERT_TRUE(link.open(pty.path(), kProgrammingProfile).ok());
    termios open{};
    ASSERT_EQ(::tcgetattr(pty.slave(), &open), 0);
    EXPECT_EQ(::cfgetospeed(&open), static_cast<speed_t>(B9600));
    EXPECT_EQ(::cfgetispeed(&open), static_cast<speed_t>(B9600));
    EXPECT_EQ(open.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8)); // 8N1
    EXPECT_EQ(open.c_iflag & (INPCK | ISTRIP), 0u);
    // A pseudo-terminal has no low-latency mode to ask for.
    EXPECT_EQ(link.lowLatency(), RadioLink::LowLatency::Unsupported);
    // XON/XOFF would swallow 0x11 and 0x13 data bytes, ICRNL turn 0x0D into 0x0A.
    EXPECT_EQ(open.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(open.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(open.c_lflag & (ICANON | ECHO | ISIG), 0u);
    link.send(std::vector<std::uint8_t>{0x11, 0x13, 0x0D});
    EXPECT_EQ(pty.readAvailable(3), (std::vector<std::uint8_t>{0x11, 0x13, 0x0D}));

    link.close();
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.slave(), &after), 0);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
}

TEST_F(RadioLinkTest, OpenTakesThePortExclusively)
{
    int exclusive = 0;
    ASSERT_EQ(::ioctl(pty.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_NE(exclusive, 0);

    RadioLink second;
    const OpenResult held = second.open(pty.path(), kProgrammingProfile);
    EXPECT_EQ(held.error, OpenError::Busy) << held.detail;
    EXPECT_FALSE(second.isOpen());

    link.close();
    ASSERT_EQ(::ioctl(pty.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_TRUE(second.open(pty.path(), kProgrammingProfile).ok());
}

TEST_F(RadioLinkTest, ReceiveReturnsAtOnceWhenAllBytesAreThere)
{
    // A long gap would show if the receive waited for one after the last byte.
    link.close();
    ASSERT_TRUE(link.open(pty.path(), TimeoutProfile{5000, 90, 500, 50, 50}).ok());
    pty.write({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    std::array<std::uint8_t, 12> buffer{};
    Stopwatch timer;
    const IoResult r = link.receive(buffer);
    EXPECT_LT(timer.elapsed(), 2500);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 12u);
    EXPECT_EQ(buffer[11], 12);
    // The thirteenth byte waits for the next receive.
    std::array<std::uint8_t, 1> next{};
    EXPECT_EQ(link.receive(next).count, 1u);
    EXPECT_EQ(next[0], 13);
}

TEST_F(RadioLinkTest, ShortReplyReturnsAfterTheGapAndLeavesTheRestOfTheBuffer)
{
    pty.write({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    std::array<std::uint8_t, 12> buffer;
    buffer.fill(0xEE);
    Stopwatch timer;
    const IoResult r = link.receive(buffer);
    const long long elapsed = timer.elapsed();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 10u);
    EXPECT_GE(elapsed, 30);
    EXPECT_LT(elapsed, 1000); // far below the 6090 ms total
    EXPECT_EQ(buffer[9], 10);
    EXPECT_EQ(buffer[10], 0xEE);
    EXPECT_EQ(buffer[11], 0xEE);
}

TEST(RadioLinkTimeoutTest, SilentLineReturnsNothingAfterTheTotal)
{
    Pty pty;
    for (const TimeoutProfile &profile : {kDebugProfile, kProgrammingProfile}) {
        RadioLink link;
        ASSERT_TRUE(link.open(pty.path(), profile).ok());
        std::array<std::uint8_t, 1> buffer{0x42};
        Stopwatch timer;
        const IoResult r = link.receive(buffer);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.count, 0u);
        EXPECT_EQ(buffer[0], 0x42);
        EXPECT_GE(timer.elapsed(), profile.receiveTotalMs(1)); // 100 ms, then 590 ms
    }
}

// A send whose bytes do not all go out within its total fails: the radio
// got a command cut short.
TEST(RadioLinkSendTest, SendThatTimesOutPartWayFails)
{
    Pty pty; // nobody reads the radio's end, so the line fills up
    RadioLink link;
    ASSERT_TRUE(link.open(pty.path(), TimeoutProfile{10, 50, 0, 50, 0}).ok());
    const std::vector<std::uint8_t> bytes(1 << 20, 0x55);
    const IoResult r = link.send(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_LT(r.count, bytes.size());
}

TEST_F(RadioLinkTest, PurgeDiscardsWhatArrivedBefore)
{
    pty.write({0x15, 0x15, 0x15});
    // Wait until the stale bytes have surely reached the port.
    std::array<std::uint8_t, 1> probe{};
    ASSERT_EQ(link.receive(probe).count, 1u);
    for (PurgeKind kind : {PurgeKind::Clear, PurgeKind::AbortAndClear}) {
        pty.write({0x15, 0x15});
        pollfd pfd{pty.slave(), POLLIN, 0};
        ASSERT_EQ(::poll(&pfd, 1, 1000), 1);
        EXPECT_TRUE(link.purge(kind));
        pty.write({0x06});
        std::array<std::uint8_t, 1> b{};
        EXPECT_EQ(link.receive(b).count, 1u);
        EXPECT_EQ(b[0], 0x06);
    }
}

TEST_F(RadioLinkTest, PurgeAfterASendKeepsTheSentBytes)
{
    // The transfer purges between a write block's header and its data.
    EXPECT_TRUE(link.send(std::vector<std::uint8_t>{'W', 0x00, 0x08, 0x08}).ok);
    EXPECT_TRUE(link.purge(PurgeKind::Clear));
    EXPECT_TRUE(link.send(0x06).ok);
    EXPECT_TRUE(link.purge(PurgeKind::AbortAndClear));
    EXPECT_EQ(pty.readAvailable(5), (std::vector<std::uint8_t>{'W', 0x00, 0x08, 0x08, 0x06}));
}

TEST_F(RadioLinkTest, LineHangUpIsADeviceError)
{
    pty.closeMaster();
    std::array<std::uint8_t, 12> buffer{};
    EXPECT_FALSE(link.receive(buffer).ok);
}

// --- The cancel token ---------------------------------------------------------------

// A wait whose own deadline is a minute away must end on the token, raised
// from another thread, whether the wait has begun or not.
struct CancelCase
{
    const char *name;
    bool sending; // else receiving
    bool raisedFirst;
};

class RadioLinkCancel : public ::testing::TestWithParam<CancelCase>
{
};

TEST_P(RadioLinkCancel, EndsTheWaitAtOnceAndSaysSo)
{
    const CancelCase &c = GetParam();
    Pty pty; // nobody answers, nobody reads: a receive waits, a send fills the line
    RadioLink link;
    CancelToken token;
    link.setCancelToken(&token);
    ASSERT_TRUE(link.open(pty.path(), TimeoutProfile{60000, 60000, 0, 60000, 0}).ok());
    if (c.raisedFirst)
        token.raise();
    IoResult r;
    Stopwatch timer;
    std::thread waiter([&] {
        std::vector<std::uint8_t> buffer(c.sending ? 1 << 20 : 12, 0x55);
        r = c.sending ? link.send(buffer) : link.receive(buffer);
    });
    token.raise();
    waiter.join();
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.ok, !c.sending);      // a send cut short did not reach the radio
    EXPECT_LT(timer.elapsed(), 5000); // far below the minute of its deadline
}

INSTANTIATE_TEST_SUITE_P(Waits, RadioLinkCancel,
                         ::testing::Values(CancelCase{"ReceiveWaiting", false, false},
                                           CancelCase{"SendWaitingForRoom", true, false},
                                           CancelCase{"ReceiveAfterTheRaise", false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// --- The turnaround of a block ------------------------------------------------------

// Per block a read needs a request, its reply, an acknowledge and the
// radio's: each send a write and a drain, each receive a poll and a read,
// and one purge before each send. No read may come back empty.
TEST(RadioLinkTurnaroundTest, AReadSpendsTenSystemCallsABlock)
{
    test::PtyRadioLine radio;
    RadioLink link;
    test::ScriptedHost host;
    const TransferResult read = readFromRadio(link, radio.path(), host, Language::English);
    ASSERT_TRUE(read.completed()) << read.message;
    const RadioLink::SystemCalls &calls = link.systemCalls();
    EXPECT_EQ(calls.emptyReads, 0);
    // The handshake's share, spread over 512 blocks, is well under one call.
    EXPECT_LE(calls.flushes, 2 * kReadBlocks + 20);
    EXPECT_LE(calls.total(), 10 * kReadBlocks + 100);
}

} // namespace
} // namespace kx9
