#include "RadioLink.h"
#include "PortNames.h"
#include "PtyRadioLine.h"
#include "ScriptedHosts.h"
#include "TempFolder.h"
#include "Transfer.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace kx9 {
namespace {

using namespace std::chrono_literals;

using Clock = std::chrono::steady_clock;

// The radio's end of a pseudo-terminal; the link opens the other end.
struct Pty
{
    Pty() { test::openRawPty(master, slave, path); }
    ~Pty()
    {
        ::close(master);
        ::close(slave);
    }
    void write(std::vector<std::uint8_t> bytes) const
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::vector<std::uint8_t> readAvailable(std::size_t n) const
    {
        std::vector<std::uint8_t> out(n);
        pollfd pfd{master, POLLIN, 0};
        std::size_t got = 0;
        for (ssize_t r = 1; got < n && r > 0 && ::poll(&pfd, 1, 1000) > 0; got += std::size_t(r))
            r = std::max<ssize_t>(::read(master, out.data() + got, n - got), 0);
        out.resize(got);
        return out;
    }

    int master = -1;
    int slave = -1;
    std::string path;
};

// A link for the pseudo-terminal; a table's test opens it with the row's profile.
template <typename Base> struct PtyLinkTest : Base
{
    Pty pty;
    RadioLink link;
};

struct RadioLinkTest : PtyLinkTest<::testing::Test>
{
    void SetUp() override { ASSERT_TRUE(link.open(pty.path, kProgrammingProfile).ok()); }
};

TEST(PortNamesTest, ComPortsNameTheFirstFourUsbAdaptersAndPathsPassThrough)
{
    const std::string here = std::filesystem::current_path().string();
    const std::string up = std::filesystem::current_path().parent_path().string();
    for (const auto &[name, device] :
         std::map<std::string, std::string>{{"COM1", "/dev/ttyUSB0"},
                                            {"COM4", "/dev/ttyUSB3"},
                                            {"COM5", "/dev/COM5"},
                                            {"ttyS0", "/dev/ttyS0"},
                                            {"/tmp/radio", "/tmp/radio"},
                                            {"./radio", here + "/radio"},
                                            {"../a/./radio", up + "/a/radio"}})
        EXPECT_EQ(portDevicePath(name), device);
}

TEST(PortNamesTest, TheCablesNameIsTheByIdLinkThatLeadsToTheDevice)
{
    namespace fs = std::filesystem;
    const fs::path dir = test::freshTempFolder("byid");
    fs::create_directories(dir / "dev");
    fs::create_directories(dir / "by-id");
    for (const char *name : {"ttyUSB0", "ttyUSB1"})
        std::ofstream(dir / "dev" / name).put('x');
    fs::create_symlink("../dev/ttyUSB1", dir / "by-id" / "usb-FTDI_FT232R_A50285BI-if00-port0");
    fs::create_symlink("../dev/gone", dir / "by-id" / "usb-dangling-if00-port0");
    const auto cable = [&](const char *device, const char *byId) {
        return usbCableName((dir / "dev" / device).string(), (dir / byId).string());
    };
    EXPECT_EQ(cable("ttyUSB1", "by-id"), "usb-FTDI_FT232R_A50285BI-if00-port0");
    EXPECT_EQ(cable("ttyUSB0", "by-id") + cable("ttyUSB9", "by-id") + cable("ttyUSB1", "none"), "");
    fs::remove_all(dir);
}

TEST_F(RadioLinkTest, OpenSets9600RawWithoutFlowControlAndCloseRestoresTheSettings)
{
    link.close();
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    before.c_iflag |= IXON | IXOFF | ICRNL;
    before.c_cflag |= CRTSCTS;
    before.c_lflag |= ICANON | ECHO;
    ::cfsetospeed(&before, B115200);
    ASSERT_EQ(::tcsetattr(pty.slave, TCSANOW, &before), 0);
    const auto settings = [&] {
        termios t{};
        EXPECT_EQ(::tcgetattr(pty.slave, &t), 0);
        return std::tuple(t.c_iflag, t.c_oflag, t.c_cflag, t.c_lflag, ::cfgetospeed(&t),
                          ::cfgetispeed(&t));
    };
    const auto old = settings();

    ASSERT_TRUE(link.open(pty.path, kProgrammingProfile).ok());
    const auto [iflag, oflag, cflag, lflag, ospeed, ispeed] = settings();
    // 8N1; XON/XOFF would swallow 0x11 and 0x13 data bytes, ICRNL turn 0x0D into 0x0A.
    EXPECT_EQ((std::pair(ospeed, ispeed)), (std::pair<speed_t, speed_t>(B9600, B9600)));
    EXPECT_EQ(cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(iflag & (INPCK | ISTRIP | IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(lflag & (ICANON | ECHO | ISIG), 0u);
    // A pseudo-terminal has no low-latency mode to ask for.
    EXPECT_EQ(link.lowLatency(), RadioLink::LowLatency::Unsupported);
    link.send(std::vector<std::uint8_t>{0x11, 0x13, 0x0D});
    EXPECT_EQ(pty.readAvailable(3), (std::vector<std::uint8_t>{0x11, 0x13, 0x0D}));

    link.close();
    EXPECT_EQ(settings(), old);
}

TEST_F(RadioLinkTest, OpenTakesThePortExclusively)
{
    const auto exclusive = [&] {
        int on = 0;
        EXPECT_EQ(::ioctl(pty.slave, TIOCGEXCL, &on), 0);
        return on != 0;
    };
    // A second open while it is held: the busy row of AnOpenThatFails.
    EXPECT_TRUE(exclusive());
    link.close();
    EXPECT_FALSE(exclusive());
    RadioLink second;
    EXPECT_TRUE(second.open(pty.path, kProgrammingProfile).ok());
}

// Why an open failed, as the message says it in each language: our own
// reasons in the message's language, the device named once.
TEST_F(RadioLinkTest, AnOpenThatFailsSaysWhyInTheMessagesLanguage)
{
    const std::filesystem::path dir = test::freshTempFolder("open");
    const std::string file = (dir / "channels.sin").string();
    std::ofstream(file).put('x');
    const std::string missing = (dir / "ttyUSB9").string();
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {missing, missing + " 不存在（没有这个设备）。请检查写频线是否已插好。",
         missing + " does not exist (no such device). Is the programming cable plugged in?"},
        {file, file + "：不是串口", file + ": not a serial port"},
        {pty.path, pty.path + " 正被占用：被另一个程序独占。",
         pty.path + " is in use: held exclusively by another program."},
    };
    for (const auto &[path, chinese, english] : cases) {
        RadioLink second;
        const OpenResult failed = second.open(path, kProgrammingProfile);
        EXPECT_EQ(std::tuple(openFailureDetail(path, failed, Language::Chinese),
                             openFailureDetail(path, failed, Language::English)),
                  std::tuple(chinese, english));
    }
    std::filesystem::remove_all(dir);
}

// A receive takes what the line holds, at once when that is all it asked for
// (a long gap would show if it waited for one after the last byte), after the
// gap when the reply is short (far below its total), after its total when
// nothing comes; it never writes past what it got, and leaves the rest.
struct ReceiveCase
{
    const char *name;
    TimeoutProfile profile;
    std::uint8_t waiting; // bytes on the line
    std::size_t asked;
    long long atLeastMs, underMs;
    friend void PrintTo(const ReceiveCase &c, std::ostream *out) { *out << c.name; }
};

using RadioLinkReceive = PtyLinkTest<::testing::TestWithParam<ReceiveCase>>;

TEST_P(RadioLinkReceive, TakesWhatIsThereAndWaitsOnlyAsLongAsItMust)
{
    const ReceiveCase &c = GetParam();
    ASSERT_TRUE(link.open(pty.path, c.profile).ok());
    std::vector<std::uint8_t> sent(c.waiting);
    std::iota(sent.begin(), sent.end(), std::uint8_t{1});
    if (!sent.empty())
        pty.write(sent);
    std::vector<std::uint8_t> buffer(c.asked, 0xEE);
    const auto start = Clock::now();
    const IoResult r = link.receive(buffer);
    const long long elapsed = (Clock::now() - start) / 1ms;
    const std::size_t got = std::min<std::size_t>(c.waiting, c.asked);
    std::vector<std::uint8_t> expected(sent.begin(), sent.begin() + std::ptrdiff_t(got));
    expected.resize(c.asked, 0xEE);
    EXPECT_EQ(std::tuple(r.ok, r.count, buffer), std::tuple(true, got, expected));
    EXPECT_GE(elapsed, c.atLeastMs);
    EXPECT_LT(elapsed, c.underMs);
    std::vector<std::uint8_t> next(c.waiting - got);
    EXPECT_EQ(link.receive(next).count, next.size());
    EXPECT_EQ(next, std::vector<std::uint8_t>(sent.begin() + std::ptrdiff_t(got), sent.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RadioLinkReceive,
    ::testing::Values(ReceiveCase{"AllThere", {5000, 90, 500, 50, 50}, 13, 12, 0, 2500},
                      ReceiveCase{"ShortReply", kProgrammingProfile, 10, 12, 30, 1000},
                      ReceiveCase{"SilentDebugLine", kDebugProfile, 0, 1, 100, 5000},
                      ReceiveCase{"SilentProgrammingLine", kProgrammingProfile, 0, 1, 590, 5000}),
    [](const auto &info) { return std::string(info.param.name); });

// Sent bytes stay, even on a line that has carried nothing yet (the transfer
// purges between a write block's header and its data); what arrived goes.
TEST_F(RadioLinkTest, PurgeKeepsTheSentBytesAndDiscardsWhatArrivedBefore)
{
    EXPECT_TRUE(link.send(std::vector<std::uint8_t>{'W', 0x00, 0x08, 0x08}).ok);
    EXPECT_TRUE(link.purge(PurgeKind::Clear));
    EXPECT_TRUE(link.send(0x06).ok);
    EXPECT_TRUE(link.purge(PurgeKind::AbortAndClear));
    EXPECT_EQ(pty.readAvailable(5), (std::vector<std::uint8_t>{'W', 0x00, 0x08, 0x08, 0x06}));

    pty.write({0x15, 0x15, 0x15});
    // Wait until the stale bytes have surely reached the port.
    std::array<std::uint8_t, 1> b{};
    ASSERT_EQ(link.receive(b).count, 1u);
    for (PurgeKind kind : {PurgeKind::Clear, PurgeKind::AbortAndClear}) {
        pty.write({0x15, 0x15});
        pollfd pfd{pty.slave, POLLIN, 0};
        ASSERT_EQ(::poll(&pfd, 1, 1000), 1);
        EXPECT_TRUE(link.purge(kind));
        pty.write({0x06});
        EXPECT_EQ(link.receive(b).count, 1u);
        EXPECT_EQ(b[0], 0x06);
    }
}

TEST_F(RadioLinkTest, LineHangUpIsADeviceError)
{
    ::close(pty.master);
    pty.master = -1;
    std::array<std::uint8_t, 12> buffer{};
    EXPECT_FALSE(link.receive(buffer).ok);
}

// --- The cancel token ---------------------------------------------------------------

// A wait whose own deadline is a minute away must end on the token, raised
// from another thread, whether the wait has begun or not. A send whose bytes
// do not all go out within its own total fails too: the radio got a command
// cut short.
enum class Raised { Never, First, During };

struct CancelCase
{
    const char *name;
    bool sending; // else receiving
    Raised raised;
    bool noDescriptor = false; // the system gave the token none: no descriptor was free
    friend void PrintTo(const CancelCase &c, std::ostream *out) { *out << c.name; }
};

// Nobody answers, nobody reads: a receive waits, a send fills the line.
using RadioLinkCancel = PtyLinkTest<::testing::TestWithParam<CancelCase>>;

TEST_P(RadioLinkCancel, EndsTheWaitAtOnceAndSaysSo)
{
    const CancelCase &c = GetParam();
    // No descriptor free: the limit lowered to the lowest free number while the token is made.
    rlimit limit = {};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    if (c.noDescriptor) {
        const rlimit none = {static_cast<rlim_t>(::open("/dev/null", O_RDONLY)), limit.rlim_max};
        ::close(static_cast<int>(none.rlim_cur));
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    }
    CancelToken token;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    ASSERT_EQ(token.fd() < 0, c.noDescriptor);
    link.setCancelToken(&token);
    const int total = c.raised == Raised::Never ? 100 : 60000;
    ASSERT_TRUE(link.open(pty.path, TimeoutProfile{total, total, 0, total, 0}).ok());
    if (c.raised == Raised::First)
        token.raise();
    IoResult r;
    std::vector<std::uint8_t> buffer(c.sending ? 1 << 20 : 12, 0x55);
    const auto start = Clock::now();
    std::thread waiter([&] { r = c.sending ? link.send(buffer) : link.receive(buffer); });
    if (c.raised != Raised::Never)
        token.raise();
    waiter.join();
    // A send cut short did not reach the radio.
    EXPECT_EQ(std::tuple(r.cancelled, r.ok), std::tuple(c.raised != Raised::Never, !c.sending));
    EXPECT_LT(r.count, buffer.size());
    EXPECT_LT(Clock::now() - start, 5s); // far below the minute of its deadline
    // Without a descriptor to wait on, a wait is cut into slices that look at
    // the token: more than one poll, which a loaded machine's late slices
    // cannot bring down to the single poll of an uncut wait.
    EXPECT_EQ(!c.sending && link.systemCalls().polls >= 2, c.noDescriptor);
}

INSTANTIATE_TEST_SUITE_P(Waits, RadioLinkCancel,
                         ::testing::Values(CancelCase{"ReceiveWaiting", false, Raised::During},
                                           CancelCase{"SendWaitingForRoom", true, Raised::During},
                                           CancelCase{"ReceiveAfterTheRaise", false, Raised::First},
                                           CancelCase{"ReceiveOnATokenWithoutADescriptor", false,
                                                      Raised::Never, true},
                                           CancelCase{"SendTimesOutPartWay", true, Raised::Never}),
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
