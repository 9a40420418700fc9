#include "Fleet.h"
#include "BackupStore.h"
#include "CaseName.h"
#include "Descriptor.h"
#include "Fibers.h"
#include "FleetJobs.h"
#include "FleetReport.h"
#include "PtyRadioLine.h"
#include "RadioLink.h"
#include "RadioSim.h"
#include "SafetyTexts.h"
#include "SimPort.h"
#include "TempFolder.h"
#include "TestImages.h"
#include "Waits.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <latch>
#include <map>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace kx9 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using test::patternImage;

constexpr std::size_t kWritten = kWriteBlocks * kBlockSize; // 4080
using Texts = std::vector<std::string>;

Texts textsOf(const std::vector<FleetResult> &results)
{
    Texts texts;
    for (const FleetResult &r : results)
        texts.push_back(fleetResultText(r));
    return texts;
}

// Four radios on their own simulated lines: two clean, one that hangs up at
// block 100, one that says it is of another kind.
class FleetTest : public ::testing::Test
{
protected:
    FleetTest()
    {
        radios["P3"].faults().hangUpAtBlock = 100;
        radios["P4"].faults().identity = 0x07;
    }

    FleetRun::PortFactory simPorts()
    {
        return [this](const std::string &name) { return std::make_unique<SimPort>(radios[name]); };
    }
    // The radio's memory is the file's in the written range and its own after.
    void expectHoldsFile(const std::string &port) const
    {
        const ChannelImage &memory = radios.at(port).memory();
        for (std::size_t a = 0; a < kImageSize; ++a)
            ASSERT_EQ(memory.byte(a), a < kWritten ? file.byte(a) : before.byte(a)) << port << a;
    }

    const std::vector<std::string> ports{"P1", "P2", "P3", "P4"};
    const ChannelImage before = patternImage(3);
    const ChannelImage file = patternImage(90);
    std::map<std::string, RadioSim> radios{{"P1", RadioSim(before)},
                                           {"P2", RadioSim(before)},
                                           {"P3", RadioSim(before)},
                                           {"P4", RadioSim(before)}};
};

// Without --yes; with it the radio of another kind is written too: FleetCli's
// WithYes row.
TEST_F(FleetTest, CleanRadiosAreWrittenWhileOthersFailOrAreSkipped)
{
    FleetRun run(ports, simPorts(), plainWriteJob(file, Language::English), {});
    const std::vector<FleetResult> results = run.results();
    // The whole reason a single write gives, as one line of sentences.
    const std::string interrupt = "Program Interrupt，Please reset the radio and try again";
    const std::string partial(text::kPartialWrite.en);
    ASSERT_EQ(textsOf(results),
              (Texts{"written", "written", "failed: " + interrupt + ". " + partial,
                     "skipped: identity differs from the file's 01"}));
    expectHoldsFile("P1");
    expectHoldsFile("P2");
    EXPECT_EQ(radios["P4"].memory(), before);
    EXPECT_EQ(std::tuple(results[2].port, results[2].message, results[1].identity,
                         results[3].identity, fleetSucceeded(results)),
              std::tuple("P3", interrupt + "\n" + partial, 0x01, 0x07, false));
    std::vector<std::tuple<int, int, bool>> progress;
    for (const FleetProgress &p : run.progress())
        progress.emplace_back(p.position, p.total, p.finished);
    const auto done = [](int at) { return std::tuple(at, kWriteBlocks, true); };
    EXPECT_EQ(progress, (std::vector{done(kWriteBlocks), done(kWriteBlocks), done(100), done(0)}));
}

// As a signal handler would: the caller's token is raised while two radios
// are at the header of block 50 (address 400) and one has not yet sent anything.
TEST_F(FleetTest, CancelStopsEveryRadioAndSaysWhatEachHolds)
{
    CancelToken interrupted;
    // The radios share the runner's thread, so the gate waits as a port does;
    // a radio that never comes fails the test instead of holding it.
    std::atomic<int> arrived{0};
    const auto gate = [&] {
        if (++arrived == 3)
            interrupted.raise();
        for (const auto until = Clock::now() + 10s; arrived < 3 && Clock::now() < until;)
            waitSleep(1ms);
    };
    const auto gated = [&](const std::string &name) {
        auto port = std::make_unique<SimPort>(radios[name]);
        port->setSendFailure([&gate, first = name == "P2"](auto bytes, int sent) {
            if (first ? sent == 0
                      : bytes.size() == 4 && bytes[0] == 'W' && (bytes[1] << 8 | bytes[2]) == 400)
                gate();
            return false;
        });
        return port;
    };
    FleetRun run({"P1", "P2", "P3"}, gated, plainWriteJob(file, Language::English),
                 {.cancel = &interrupted});
    const std::vector<FleetResult> results = run.results();
    const std::string partial = "cancelled; the radio may now hold a partial write: write it "
                                "again before using the radio";
    ASSERT_EQ(textsOf(results), (Texts{partial, "cancelled; nothing was written", partial}));
    EXPECT_EQ(radios["P2"].memory(), before);
    // The identity comes back from the transfer itself.
    EXPECT_EQ(std::tuple(fleetSucceeded(results), results[0].identity, results[1].identity),
              std::tuple(false, std::optional<std::uint8_t>(0x01), std::nullopt));
}

// Eight radios on real ports that stop answering at the first read block,
// where a receive waits six seconds: Cancel All ends every wait through the
// token, and every thread is joined long before one such wait would end.
TEST(FleetCancelTest, EightRadiosWaitingOnTheirPortsStopTogether)
{
    constexpr std::size_t kRadios = 8;
    SimFaults silentAtFirstBlock;
    silentAtFirstBlock.shortReplyAtBlock = 0;
    silentAtFirstBlock.shortReplyLength = 0;
    std::latch silenced(static_cast<std::ptrdiff_t>(kRadios));
    std::vector<std::unique_ptr<test::PtyRadioLine>> lines;
    std::vector<std::string> ports;
    for (std::size_t i = 0; i < kRadios; ++i) {
        lines.push_back(std::make_unique<test::PtyRadioLine>(silentAtFirstBlock, &silenced));
        ports.push_back(lines.back()->path());
    }
    const ImageSink keepNothing = [](auto, auto &) { return std::string("not expected"); };
    FleetRun run(
        ports, [](const std::string &) { return std::make_unique<RadioLink>(); },
        plainReadJob(keepNothing, Language::English));
    silenced.wait(); // every radio has asked for block 0 and waits for its reply
    // While none ends, a front end waiting for news waits its whole time.
    const auto asked = Clock::now();
    EXPECT_FALSE(run.wait(20ms));
    EXPECT_GE(Clock::now() - asked, 20ms);
    const auto cancelled = Clock::now();
    run.cancel();
    const std::vector<FleetResult> results = run.results();
    const auto joined = Clock::now() - cancelled;
    EXPECT_EQ(textsOf(results), Texts(kRadios, "cancelled; nothing was read or saved"));
    // A generous bound: each wait would otherwise run 6 s to its end.
    EXPECT_LT(joined, 2s);
}

TEST_F(FleetTest, ReadsEveryRadioIntoItsOwnFileAndReportsThoseNotRead)
{
    std::mutex mutex;
    std::map<std::string, ChannelImage> saved;
    const ImageSink sink = [&](std::string_view port, const ChannelImage &image) -> std::string {
        if (port == "P2")
            return "cannot write P2.sin: disk full";
        std::lock_guard lock(mutex);
        saved.emplace(port, image);
        return {};
    };
    radios["P1"].setMemory(file);
    radios["P4"].faults().silent = true; // its handshake fails, and is not tried again
    FleetRun run(ports, simPorts(), plainReadJob(sink, Language::English));
    const std::vector<FleetResult> results = run.results();
    EXPECT_EQ(textsOf(results), (Texts{"read", "failed: cannot write P2.sin: disk full",
                                       "failed: not received enough  byte",
                                       "failed: " + std::string(text::kCommunicationError.en)}));
    EXPECT_EQ(
        std::tuple(results[0].identity, run.progress()[0].total, results[1].reason),
        std::tuple(file.radioIdentity(), kReadBlocks, "not saved: cannot write P2.sin: disk full"));
    EXPECT_EQ(saved, (std::map<std::string, ChannelImage>{{"P1", file}}));
}

// The write flow per radio: a backup of each radio read first, a radio that
// reads back otherwise failed as one that must be written again, a radio
// whose backup read failed or could not be kept left untouched; each with
// the whole reason a single write gives. The backups are real, kept on
// helper threads at once: one file of the bytes they share.
TEST_F(FleetTest, WriteFlowJobKeepsBackupsAndVerifiesEachRadio)
{
    radios["P2"].faults().corruptWriteAtBlock = 5;
    const auto home = test::freshTempFolder("fleet");
    const BackupStore store((home / "data" / "backups").string());
    const BackupKeeper keep = [&](std::string_view port, const ChannelImage &held) {
        if (port == "P4")
            return std::string("No space left on device");
        const BackupResult kept = store.keep(held, port, Language::English);
        return kept.ok() ? std::string() : kept.message;
    };
    // P5's port cannot be opened: its reason is said as a single write says it.
    const auto factory = [&](const std::string &name) {
        auto port = std::make_unique<SimPort>(radios[name]);
        if (name == "P5")
            port->failOpen(OpenError::Missing);
        return port;
    };
    FleetRun run({"P1", "P2", "P3", "P4", "P5"}, factory,
                 writeFlowJob(file, Language::English, true, keep), {.yes = true});
    const std::vector<FleetResult> results = run.results();
    EXPECT_EQ(results[4].message,
              std::string(text::kOpenPortFailed.en) +
                  "\n/dev/P5 does not exist (simulated open failure). Is the programming cable "
                  "plugged in?\nNothing was written: the radio could not be read first.");
    EXPECT_EQ(
        textsOf({results.begin(), results.begin() + 4}),
        (Texts{"verified",
               "failed: Verify after writing failed: the radio holds other values than were "
               "written in 1 of the written bytes, at 0x028. Write the radio again.",
               "failed: not received enough  byte. Nothing was written: the radio could not be "
               "read first.",
               "failed: Nothing was written: the radio's data could not be kept first. No space "
               "left on device"}));
    expectHoldsFile("P1");
    EXPECT_EQ(std::tuple(radios["P3"].memory(), radios["P4"].memory()), std::tuple(before, before));
    const std::vector<BackupEntry> kept = store.list();
    std::filesystem::remove_all(home);
    ASSERT_EQ(kept.size(), 1u); // P1 and P2 read, both holding the same bytes
    EXPECT_EQ(kept[0].image, before);
    EXPECT_EQ(run.progress()[0].position, kProgressRange);
}

// Ctrl-C must reach the front end's thread, which sets the cancel flag: the
// radios' thread blocks it.
TEST_F(FleetTest, AJobThatThrowsOrAMissingPortFailsOnlyItsOwnRadio)
{
    const auto sigintBlocked = [] {
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        return sigismember(&mask, SIGINT);
    };
    const auto job = [=](Port &, std::string_view port, TransferHost &host) {
        if (port == "P1")
            throw std::runtime_error("out of memory");
        host.stepProgress();
        FleetResult r;
        r.status = sigintBlocked() == 1 ? FleetStatus::Written : FleetStatus::Failed;
        return r;
    };
    const auto noP2 = [&](const std::string &name) {
        return name == "P2" ? nullptr : std::make_unique<SimPort>(radios[name]);
    };
    FleetRun run({"P1", "P2", "P3"}, noP2, {job, 1});
    while (!run.wait(1000ms)) {
    }
    EXPECT_TRUE(run.wait(10min)); // at once, once all are done
    Texts texts;
    for (std::size_t i = 0; i < 3; ++i)
        texts.push_back(fleetResultText(run.result(i).value()));
    EXPECT_EQ(texts, (Texts{"failed: out of memory", "failed: no port", "written"}));
    EXPECT_EQ(sigintBlocked(), 0);
}

// --- The report --------------------------------------------------------------

// Each radio's result is said in full, and a port's name cannot break the
// table's lines or the JSON's strings.
TEST(FleetReportTest, TableLineAndJsonSayEachResultAndNoPortBreaksThem)
{
    const std::vector<FleetResult> sample = {
        {"/dev/ttyUSB0", 0x01, FleetStatus::Verified, "", "", false, 12.34},
        {"/dev/ttyUSB1", 0x07, FleetStatus::Skipped, "identity differs from the file's 01", "",
         false, 0.5},
        {"a \"b\"\\\n", std::nullopt, FleetStatus::Failed, "cancelled", "", true, 3}};
    const std::string table = formatFleetTable(sample);
    EXPECT_NE(table.find(" failed: cancelled; may hold a partial write "), std::string::npos);
    EXPECT_NE(table.find("\na \"b\"\\?  "), std::string::npos) << table;
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4) << table;
    EXPECT_EQ(formatFleetLine(sample[1]),
              "/dev/ttyUSB1: skipped: identity differs from the file's 01 (0.5 s)");
    EXPECT_EQ(formatFleetJson(sample), test::slurp(KX9_TEST_DATA "/link/fleet-report.json"));
    EXPECT_EQ(formatFleetJson({}), "[]\n");
    // A cancel's reason, and what it may hold; a cancel's message says all.
    const std::pair<FleetResult, std::string> words[] = {
        {{"p", 1, FleetStatus::Cancelled, "cancelled", "", true, 1},
         "cancelled: cancelled; may hold a partial write"},
        {{"p", 1, FleetStatus::Cancelled, "cancelled", "Cancelled: nothing written.", false, 1},
         "Cancelled: nothing written."}};
    for (const auto &[result, text] : words)
        EXPECT_EQ(fleetResultText(result), text);
    // Lines become sentences; one that already ends one, in either language, is not ended twice.
    // "一" ends in 0x80, the lowest last byte of a Chinese character.
    const std::pair<const char *, const char *> lines[] = {{"a\n b \nc.\nd", "a. b. c. d"},
                                                           {"第一\n再试", "第一。 再试"},
                                                           {"中断。\n写！\n x", "中断。 写！ x"}};
    for (const auto &[message, line] : lines)
        EXPECT_EQ(fleetMessageLine(message), line);
    // A running radio's bar, in 24ths; a control character in its port's
    // name would move the terminal's cursor.
    const std::tuple<const char *, FleetProgress, const char *> bars[] = {
        {"/dev/ttyUSB0", {0, 0}, "/dev/ttyUSB0 [------------------------] 0%"},
        {"/dev/ttyUSB0", {127, 512}, "/dev/ttyUSB0 [#####-------------------] 24%"},
        {"/dev/ttyUSB0", {510, 510}, "/dev/ttyUSB0 [########################] 100%"},
        {"\x1b[2J\x7f", {1, 2}, "?[2J? [############------------] 50%"}};
    for (const auto &[port, progress, line] : bars)
        EXPECT_EQ(formatFleetProgress(port, progress), line);
    // A line longer than the terminal's row is cut to it, a Chinese character
    // or the full-width comma taking two columns.
    const std::tuple<const char *, std::size_t, const char *> fits[] = {
        {"abc", 3, "abc"}, {"abcdef", 5, "abcd…"}, {"ab，cd", 4, "ab…"}, {"ab，cd", 6, "ab，cd"}};
    for (const auto &[line, columns, fitted] : fits)
        EXPECT_EQ(fitToColumns(line, columns), fitted) << line << columns;
}

// --- The ports of one run ------------------------------------------------------

struct PortsCase
{
    std::vector<std::string> ports;
    bool withFiles;
    std::string problem;
};

using FleetPortsTest = ::testing::TestWithParam<PortsCase>;

TEST_P(FleetPortsTest, OneDeviceOrOneFileTwiceIsRefused)
{
    EXPECT_EQ(fleetPortProblem(GetParam().ports, GetParam().withFiles), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FleetPortsTest,
    ::testing::Values(
        PortsCase{{}, false, "no port given"},
        PortsCase{{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/pts/3"}, true, ""},
        PortsCase{{"COM2", "/dev/ttyS0", "COM2"}, false, "port COM2 given twice"},
        PortsCase{{"COM1", "ttyUSB0"}, false, "COM1 and ttyUSB0 are the same port"},
        PortsCase{{"/dev/a/b", "a-b"}, false, ""},
        PortsCase{{"/dev/a/b", "a-b"}, true, "/dev/a/b and a-b would both be read into a-b.sin"}),
    [](const auto &info) {
        std::string ports = info.param.withFiles ? "WithFiles" : "";
        for (const std::string &port : info.param.ports)
            ports += (ports.empty() ? "" : "_") + port;
        return test::caseName(ports.empty() ? "None" : ports);
    });

TEST(FleetPortNameTest, ALinkToAPortIsThatPort)
{
    const auto link = test::freshTempFolder("fleet-link") / "port";
    std::filesystem::create_symlink("/dev/null", link);
    EXPECT_EQ(fleetPortProblem({"/dev/null", link.string()}, false),
              "/dev/null and " + link.string() + " are the same port");
    std::filesystem::remove_all(link.parent_path());
}

// Pipes whose ends close with the test.
struct Pipe
{
    int fds[2] = {-1, -1};
    int made = ::pipe(fds); // before the ends below take the descriptors
    Descriptor read{fds[0]}, write{fds[1]};
};

// The runner's waits as a port sees them: a fiber waiting for a byte lets
// another send it, a silent descriptor times out, a closed writer reads as a
// hang-up, and waits that end close together end together (with the
// default grace of 700 us, the 1 ms sleep ends with the 1.6 ms one).
TEST(FiberRunnerTest, OneFibersWaitLetsTheOthersRun)
{
    Pipe fed, silent, closed;
    closed.write.close();
    // A fiber's wait for a pipe's reader: what the wait returned, its events, how long it took.
    using Polled = std::tuple<int, short, Clock::duration>;
    Polled fedPolled, silentPolled, closedPolled;
    const auto poller = [](const Pipe &pipe, int timeoutMs, Polled &out) {
        return [&pipe, timeoutMs, &out] {
            pollfd wait{pipe.read.get(), POLLIN, 0};
            const auto start = Clock::now();
            const int ready = waitPoll(&wait, 1, timeoutMs);
            out = {ready, wait.revents, Clock::now() - start};
        };
    };
    Clock::time_point shortSleepEnded, longSleepDue;
    FiberRunner runner;
    runner.add(poller(fed, 5000, fedPolled));
    runner.add([&] {
        waitSleep(2ms);
        EXPECT_EQ(::write(fed.write.get(), "x", 1), 1);
    });
    runner.add(poller(silent, 30, silentPolled));
    runner.add(poller(closed, 5000, closedPolled));
    // The longer sleep starts first: however late the shorter one starts,
    // it cannot end before the longer one is due unless the grace is lost.
    runner.add([&] {
        longSleepDue = Clock::now() + 1600us;
        waitSleep(1600us);
    });
    runner.add([&] {
        waitSleep(1000us);
        shortSleepEnded = Clock::now();
    });
    runner.run();
    const auto [fedReady, fedEvents, fedWaited] = fedPolled;
    const auto [silentReady, silentEvents, silentWaited] = silentPolled;
    const auto [closedReady, closedEvents, closedWaited] = closedPolled;
    EXPECT_EQ(std::tuple(fedReady, fedEvents, silentReady, closedReady, closedEvents & POLLHUP),
              std::tuple(1, short{POLLIN}, 0, 1, int{POLLHUP}));
    EXPECT_GE(silentWaited, 30ms);
    EXPECT_GE(shortSleepEnded, longSleepDue);
    EXPECT_EQ(threadWaiter(), nullptr);
}

// Work that blocks (a slow line's drain, a backup on disk) runs off the
// runner's thread: here it waits for a byte only another fiber sends, which
// would never come if it held the thread. What it throws reaches its fiber.
TEST(FiberRunnerTest, BlockingWorkRunsBesideTheOtherFibers)
{
    Pipe line;
    char got = 0;
    std::string thrown;
    FiberRunner runner;
    runner.add([&] {
        runBlocking([&] {
            pollfd wait{line.read.get(), POLLIN, 0};
            if (::poll(&wait, 1, 5000) == 1) {
                EXPECT_EQ(::read(line.read.get(), &got, 1), 1);
            }
        });
    });
    runner.add([&] {
        waitSleep(1ms);
        EXPECT_EQ(::write(line.write.get(), "y", 1), 1);
    });
    runner.add([&] {
        try {
            runBlocking([] { throw std::runtime_error("disk full"); });
        } catch (const std::runtime_error &e) {
            thrown = e.what();
        }
    });
    runner.run();
    EXPECT_EQ(got, 'y');
    EXPECT_EQ(thrown, "disk full");
}

} // namespace
} // namespace kx9
