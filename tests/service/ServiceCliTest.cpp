// kx9-cli power and debug against kx9-radiosim through a real pseudo-terminal.

#include "RadioType.h"
#include "SimulatedRadio.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kx9::test {
namespace {

class ServiceCliTest : public SimulatedRadioTest
{
protected:
    // A radio whose power values are 100 (high) and 50 (low).
    void startRadio(const QStringList &flags = {})
    {
        ChannelImage memory;
        memory.setByte(0xFF9, 100);
        memory.setByte(0xFF8, 50);
        SimulatedRadioTest::startRadio(flags, memory);
    }
};

// Each power run leaves the power debug, also when nothing is set; --into
// keeps the value the radio acknowledged in a file, beside the bytes it had;
// debug sends one setting at the chosen frequency.
TEST_F(ServiceCliTest, PowerSetIsWhatTheRadioKeepsAndDebugSendsOneSetting)
{
    ASSERT_TRUE(writeRaw(path("radio.sin"), bytesOf(newDocumentImage())));
    startRadio();
    const ProcessRun set =
        cli({"power", "--port", port, "high", "--set", "120", "--into", path("radio.sin")});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.out + set.err, "100\n");
    EXPECT_EQ(cli({"power", "--port", port, "high"}).out, "120\n");
    EXPECT_EQ(cli({"power", "--port", port, "low"}).out, "50\n");
    const ProcessRun debug =
        cli({"debug", "--port", port, "squelch-level", "160", "--freq", "middle"});
    EXPECT_EQ(debug.exitCode, 0) << debug.err.toStdString();
    EXPECT_EQ(debug.out, "Finish successfully!\n");

    const QByteArray saved = stopRadio();
    EXPECT_TRUE(told.contains("high power 100 -> 120")) << told.toStdString();
    EXPECT_EQ(told.count("power debug left"), 3) << told.toStdString();
    EXPECT_TRUE(told.contains("debug mode: Squelch Level 160 (RX 456.00000 MHz tone none, TX "
                              "456.00000 MHz tone none)"))
        << told.toStdString();
    EXPECT_EQ(saved.at(0xFF9), 120);
    EXPECT_EQ(saved.at(0xFF8), 50);
    // Low stays as the new file had it (FF), High takes 120 (78).
    EXPECT_EQ(readRaw(path("radio.sin")).mid(0xFF8, 2).toHex(), "ff78");
}

// One fault for each step the command can fail in; which fault asks which
// question, and the retries and waits before it, are PowerDebugTest's and
// DebugModeTest's, in virtual time.
TEST_F(ServiceCliTest, RadioFaultsEndWithTheirMessageAndStatusOne)
{
    struct Row
    {
        QStringList radioFlags;
        QStringList command;
        QString message;
        bool entered; // the radio went into the tuning state and must leave it
    };
    const Row rows[] = {
        {{"--short-entry-reply", "3"}, {"power", "low"}, "Not received enough  byte\n", true},
        {{"--wrong-tuning-reply", "100"},
         {"power", "high", "--set", "5", "--into", path("radio.sin")},
         " Error had happen L2,need try again\n",
         true},
        {{"--wrong-debug-reply", "100"},
         {"debug", "tx-power", "47"},
         " Error had happen ,need try again\n",
         false},
    };
    ASSERT_TRUE(writeRaw(path("radio.sin"), bytesOf(newDocumentImage())));
    for (const Row &row : rows) {
        startRadio(row.radioFlags);
        const ProcessRun run = cli(row.command + QStringList{"--port", port});
        EXPECT_EQ(run.exitCode, 1) << row.command.join(' ').toStdString();
        EXPECT_EQ(run.err, row.message) << run.err.toStdString();
        stopRadio();
        // A tuning that failed changed nothing, and the radio left the tuning
        // state; --into keeps the value it reported at entry.
        EXPECT_FALSE(told.contains(" -> ")) << told.toStdString();
        if (row.command.contains("--into")) {
            EXPECT_EQ(readRaw(path("radio.sin")).mid(0xFF8, 2).toHex(), "ff64");
        }
        EXPECT_EQ(told.contains("power debug left"), row.entered) << told.toStdString();
    }
}

// Ctrl-C once the value is printed, while a tuning write waits for its
// acknowledge or while the radio is being taken out of tuning: the radio
// leaves the tuning state, the port is put back and its exclusive hold
// released, and the command exits 1 saying what was done.
struct PowerSignalCase
{
    const char *name;
    QStringList radioFlags;
    QStringList powerArguments;
};

class PowerSignal : public ServiceCliTest, public ::testing::WithParamInterface<PowerSignalCase>
{
};

TEST_P(PowerSignal, LeavesTheTuningStateAndExitsOneSayingSo)
{
    startRadio(GetParam().radioFlags);
    QProcess p;
    startCli(p, QStringList{"power", "--port", port, "high"} + GetParam().powerArguments);
    while (!p.canReadLine())
        ASSERT_TRUE(p.waitForReadyRead(kProcessTimeoutMs)) << "no entry value printed";
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    const ProcessRun run = finished(p);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "100\n");
    EXPECT_EQ(run.err, "kx9-cli: cancelled; the value was read; the radio has left power tuning\n");

    const int fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    int exclusive = 1;
    EXPECT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(fd);
    stopRadio();
    EXPECT_TRUE(told.contains("high power debug left")) << told.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Moments, PowerSignal,
                         ::testing::Values(PowerSignalCase{"DuringATuningWrite",
                                                           {"--no-tuning-ack", "100"},
                                                           {"--set", "120"}},
                                           PowerSignalCase{
                                               "DuringTheLeave", {"--no-exit-reply", "2"}, {}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ServiceCliTest, WrongCommandLinesAreRefusedBeforeThePortIsOpened)
{
    const QStringList rows[] = {
        {"power", "high", "--set", "251"},
        {"power", "low", "--set", "201"},
        {"power", "low", "--set", "0"},
        {"power", "medium"},
        {"debug", "tx-power", "256"},
        {"debug", "volume", "5"},
        {"debug", "tx-power", "5", "--freq", "top"},
    };
    for (const QStringList &args : rows) {
        const ProcessRun run = cli(args + QStringList{"--port", "/nonexistent"});
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.contains("Could not Open")) << run.err.toStdString();
    }
}

} // namespace
} // namespace kx9::test
