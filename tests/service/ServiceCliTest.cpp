// kx9-cli power and debug against kx9-radiosim through a real pseudo-terminal.

#include "RadioType.h"
#include "SimulatedRadio.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <tuple>
#include <unistd.h>

namespace kx9::test {
namespace {

// A radio whose power values are 100 (high) and 50 (low).
ChannelImage powerMemory()
{
    ChannelImage memory;
    memory.setByte(0xFF9, 100);
    memory.setByte(0xFF8, 50);
    return memory;
}

using ServiceCliTest = SimulatedRadioTest;

// Each power run leaves the power debug, also when nothing is set; --into
// keeps the value the radio acknowledged in a file, beside the bytes it had;
// debug sends one setting at the chosen frequency (high unless told).
TEST_F(ServiceCliTest, PowerSetIsWhatTheRadioKeepsAndDebugSendsOneSetting)
{
    ASSERT_TRUE(writeRaw(path("radio.sin"), bytesOf(newDocumentImage())));
    startRadio({}, powerMemory());
    const ProcessRun set =
        cli({"power", "--port", port, "high", "--set", "120", "--into", path("radio.sin")});
    ASSERT_EQ(std::tuple(set.exitCode, set.out, set.err), std::tuple(0, "100\n", ""));
    // What the radio then holds is checked in its saved memory below.
    EXPECT_EQ(cli({"power", "--port", port, "low"}).out, "50\n");
    // Started without standard input and output, the port must not take
    // their numbers: the value then went to the radio, and the run "passed".
    QProcess closed;
    closed.setChildProcessModifier([] { ::close(0), ::close(1); });
    startCli(closed, {"power", "--port", port, "low"});
    const ProcessRun unseen = finished(closed);
    EXPECT_EQ(std::tuple(unseen.exitCode, unseen.err),
              std::tuple(1, "kx9-cli: cannot write to standard output: Bad file descriptor\n"));
    // Each item at each frequency, as the radio took it.
    const std::pair<QStringList, QString> settings[] = {
        {{"squelch-level", "160", "--freq", "middle"}, "Squelch Level 160 (RX 456.00000 MHz"},
        {{"tx-frequency", "7", "--freq", "low"}, "TX Frequency 7 (RX 446.00000 MHz"},
        {{"low-power-voltage", "9"},
         "Low Power Voltage 9 (RX 466.00000 MHz tone none, TX 466.00000 MHz tone none)"}};
    for (const auto &[args, said] : settings) {
        const ProcessRun debug = cli(QStringList{"debug", "--port", port} + args);
        EXPECT_EQ(std::tuple(debug.exitCode, debug.out, debug.err),
                  std::tuple(0, "Finish successfully!\n", ""));
    }

    const QByteArray saved = stopRadio();
    EXPECT_EQ(std::tuple(told.contains("high power 100 -> 120"), told.count("power debug left")),
              std::tuple(true, 3))
        << told.toStdString();
    for (const auto &[args, said] : settings)
        EXPECT_TRUE(told.contains("debug mode: " + said)) << told.toStdString();
    // The radio keeps High 120 (78) beside Low 50 (32); the file keeps Low as
    // the new file had it (FF), High as the radio took it.
    EXPECT_EQ(
        std::tuple(saved.mid(0xFF8, 2).toHex(), readRaw(path("radio.sin")).mid(0xFF8, 2).toHex()),
        std::tuple("3278", "ff78"));
}

// One fault for each step the command can fail in; which fault asks which
// question, and the retries and waits before it, are PowerDebugTest's and
// DebugFaultTest's, in virtual time.
TEST_F(ServiceCliTest, RadioFaultsEndWithTheirMessageAndStatusOne)
{
    // Radio flags, command, message, and whether the radio went into the
    // tuning state and must leave it.
    // A file name with a control character is told escaped.
    const QString file = path("radio\x1b.sin");
    const std::tuple<QStringList, QStringList, QString, bool> rows[] = {
        {{"--short-entry-reply", "3"}, {"power", "low"}, "Not received enough  byte\n", true},
        {{"--wrong-tuning-reply", "100"},
         {"power", "high", "--set", "5", "--into", file},
         " Error had happen L2,need try again\nkx9-cli power: " + path("radio\\x1B.sin") +
             " keeps 100, the value the radio last acknowledged\n",
         true},
        {{"--wrong-debug-reply", "100"},
         {"debug", "tx-power", "47"},
         " Error had happen ,need try again\n",
         false},
    };
    ASSERT_TRUE(writeRaw(file, bytesOf(newDocumentImage())));
    for (const auto &[flags, command, message, entered] : rows) {
        startRadio(flags, powerMemory());
        const ProcessRun run = cli(command + QStringList{"--port", port});
        stopRadio();
        // A tuning that failed changed nothing, and the radio left the tuning state.
        EXPECT_EQ(std::tuple(run.exitCode, run.err, told.contains(" -> "),
                             told.contains("power debug left")),
                  std::tuple(1, message, false, entered))
            << command.join(' ').toStdString() << "\n"
            << told.toStdString();
    }
    // --into kept the value the radio reported at entry.
    EXPECT_EQ(readRaw(file).mid(0xFF8, 2).toHex(), "ff64");
}

// Ctrl-C once the value is printed, while a tuning write waits for its
// acknowledge or while the radio is being taken out of tuning: the radio
// leaves the tuning state, the port is put back and its exclusive hold
// released, and the command exits 1 saying what was done.
TEST_F(ServiceCliTest, CtrlCLeavesTheTuningStateAndExitsOneSayingSo)
{
    // Radio flags and power arguments: during a tuning write, during the leave.
    const std::pair<QStringList, QStringList> moments[] = {
        {{"--no-tuning-ack", "100"}, {"--set", "120"}}, {{"--no-exit-reply", "2"}, {}}};
    for (const auto &[flags, arguments] : moments) {
        SCOPED_TRACE(flags.join(' ').toStdString());
        startRadio(flags, powerMemory());
        QProcess p;
        startCli(p, QStringList{"power", "--port", port, "high"} + arguments);
        while (!p.canReadLine())
            ASSERT_TRUE(p.waitForReadyRead(kProcessTimeoutMs)) << "no entry value printed";
        signalChild(p, SIGINT);
        const ProcessRun run = finished(p);
        EXPECT_EQ(std::tuple(run.exitCode, run.out, run.err),
                  std::tuple(1, "100\n",
                             "kx9-cli: cancelled; the value was read; the radio has left power "
                             "tuning\n"));

        const int fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        int exclusive = 1;
        EXPECT_EQ((std::tuple{::ioctl(fd, TIOCGEXCL, &exclusive), exclusive}), std::tuple(0, 0));
        ::close(fd);
        stopRadio();
        EXPECT_TRUE(told.contains("high power debug left")) << told.toStdString();
    }
}

} // namespace
} // namespace kx9::test
