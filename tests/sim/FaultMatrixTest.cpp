// Every fault of the line, the port and the output, and a signal in each
// session of a transfer, through real pseudo-terminals with the built kx9-cli
// and kx9-radiosim: each case checks the exit status, the whole message, and
// that the output folder is byte for byte what it was (no temporary file left
// behind).

#include "SafetyTexts.h"
#include "SimImages.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kx9::test {
namespace {

const QString kOpenFailed = "Could not Open the Port,Please check whether the Port are occupied "
                            "or the device are ok\n";
const QString kNotEnoughBytes = "not received enough  byte\n";
const QString kReadBlockError = "Error had happen,please try again\n";
const QString kMismatch =
    " Radio Type are not match for your setting，If you want continue,push ok button\n";
const QString kProgramInterrupt = " Program Interrupt，Please reset the radio and try again\n" +
                                  QString::fromUtf8(text::kPartialWrite.en.data()) + "\n";
const QString kNotWritten = "Nothing was written: the radio keeps its data and its identity.\n";
// What a cancelled transfer says the radio holds.
const QString kNothingWritten = "cancelled; nothing was written";
const QString kPartial = "cancelled; the radio may now hold a partial write: write it again "
                         "before using the radio";

using FaultMatrix = CliRun;

// A radio whose memory the table conversion leaves as it is goes through a
// file and back unchanged, bytes no cell shows and the calibration included;
// the same pty serves the second program after the first has closed it.
// Links another user could prepare in a shared folder, at the temporary
// names the programs used to write through, are never written through.
TEST_F(FaultMatrix, RoundTripLeavesTheMemoryAsItWasAndNeverWritesThroughPlantedLinks)
{
    ASSERT_TRUE(writeRaw(path("victim"), "precious"));
    ASSERT_TRUE(QFile::link(path("victim"), out() + ".kx9-part"));
    ASSERT_TRUE(QFile::link(path("victim"), path("radio-saved.sin.part")));
    ChannelImage memory = fileImage();
    for (std::size_t a = 0xD20; a < 0xD40; ++a)
        memory.setByte(a, static_cast<std::uint8_t>(a));
    memory.setByte(0xFF8, 0x5A); // power calibration, which a write never sends
    memory.setByte(0xFF9, 0xA5);
    startRadio({}, memory);
    const ProcessRun r = transfer("read");
    ASSERT_EQ(std::tuple(r.exitCode, r.err), std::tuple(0, QString())); // no terminal, no bar
    EXPECT_FALSE(QFileInfo(out()).isSymLink());
    EXPECT_EQ(readRaw(out()), bytesOf(memory));
    EXPECT_EQ(QDir(path("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"out.sin", "out.sin.kx9-part"})); // no temporary file left
    // The trace says whether low latency took effect, then each byte.
    const ProcessRun w = cli({"write", "--trace", "--port", port, out()});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    const QStringList lines = w.err.split('\n');
    EXPECT_EQ(lines.first(), "trace: opened " + port +
                                 ": 9600 8N1 raw, exclusive; low-latency mode not offered by "
                                 "this port's driver");
    EXPECT_TRUE(lines.contains("> 02") && lines.contains("< 06")) << w.err.toStdString();
    EXPECT_EQ(stopRadio(), bytesOf(memory)); // saved after the complete write
    EXPECT_FALSE(QFileInfo(path("radio-saved.sin")).isSymLink());
    EXPECT_EQ(readRaw(path("victim")), "precious");
}

// --- The line and signals -----------------------------------------------------------

// Each case ends with its status and its whole message, the radio holding
// what it should, and the output folder as it was (after a read that
// succeeds: holding what the radio holds).
TEST_P(TransferFaults, EndWithTheMessageAndLeaveTheOutputAsItWas)
{
    const TransferFault &c = GetParam();
    if (c.noBackupFolder) {
        ASSERT_TRUE(QDir(dir.path()).mkdir("data"));
        ASSERT_TRUE(writeRaw(path("data/kx9"), "a file where the folder belongs"));
    }
    startRadio(c.radioFlags.split(' ', Qt::SkipEmptyParts), radioImage());
    const FolderState before = snapshot(path("out"));
    QProcess second, p;
    startCli(p,
             transferArgs(c.command) +
                 (c.fleet ? QStringList{"--port", startSim(second, {"--silent"})} : QStringList()));
    QElapsedTimer sinceSignal;
    if (c.signal != 0) {
        ASSERT_TRUE(radioReceived(radio, c.phaseSeen));
        sinceSignal.start();
        signalChild(p, c.signal);
    }
    const ProcessRun r = finished(p);
    // A generous bound: the waits cut short here run for seconds.
    EXPECT_TRUE(c.signal == 0 || sinceSignal.elapsed() < 1500) << sinceSignal.elapsed();

    EXPECT_EQ(r.exitCode, c.exitCode);
    // To a fleet, the message ends what is said.
    EXPECT_EQ(c.fleet ? r.err.right(c.message.size()) : r.err,
              QString(c.message).replace("{dir}", dir.path()));
    if (c.fleet) {
        // Each radio's line of the table says what it holds; the silent one
        // never got as far as a block.
        EXPECT_TRUE(tableLine(r.out, port).contains(" " + kPartial + "  ")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(kNothingWritten)) << r.out.toStdString();
        second.close(); // killed: it has nothing to save
    }
    if (c.radioFlags.startsWith("--hang-up")) { // the radio ends with its line
        EXPECT_EQ(finished(radio).exitCode, 0);
    }
    const QByteArray memory = stopRadio();
    if (c.blocksStored == kSome) {
        EXPECT_EQ(std::tuple(memory.left(8 * 5), memory.mid(0xFE8)),
                  std::tuple(bytesOf(fileImage()).left(8 * 5), bytesOf(radioImage()).mid(0xFE8)));
    } else {
        QByteArray expected = radioAfterWrite(c.blocksStored);
        if (c.flipped >= 0)
            expected[c.flipped] = static_cast<char>(expected[c.flipped] ^ 0x01);
        EXPECT_EQ(memory, expected);
    }
    // A read that succeeds saves what the radio holds; otherwise the output is as it was.
    if (c.command.startsWith("read") && c.exitCode == 0)
        EXPECT_EQ(readRaw(out()), memory);
    else
        EXPECT_EQ(snapshot(path("out")), before);
}

// The radio traces what it is sent, to show when a session has begun; a
// read reply never comes at block 0 (or 300): the read waits 6 s there.
const QString kStall = "--trace --short-reply 0:0", kStallMidRead = "--trace --short-reply 300:0";
const QString kFirstRead = " 52 00 00 08", kBlock300 = " 52 09 60 08";
const QString kFifthWriteBlock = " 57 00 28 08";
const QString kNothingRead = "kx9-cli: cancelled; nothing was read or saved\n";

// One case of each kind the program itself turns into a message and a status
// (a short reply says what a hang-up says: every block and reply length is a
// row of the in-process EndTest, in virtual time). Only
// the silent radio waits here in real time, its whole retry sequence.
// Then a signal in each session of a transfer (a read; the backup read, the
// write and the read back of a write), to one radio and to two at once: the
// program ends at once and says what the radio then holds.
const TransferFault kTransferFaults[] = {
    {"ReadSilent", "--silent", "read", 1,
     "Communication Error，Please check all the connections and the radio power\n"},
    {"ReadNoAcknowledgeAtTheLastBlock", "--no-read-ack 511", "read", 1, kReadBlockError, 0},
    {"ReadHangUpAtBlock255", "--hang-up 255", "read", 1, kNotEnoughBytes, 0},
    {"WriteIdentityMismatchWithoutYes", "--identity 07", "write", 1,
     kMismatch + "Not continuing: no terminal to ask; --yes continues.\n" + kNotWritten, 0},
    {"WriteIdentityMismatchWithYes", "--identity 07", "write --yes", 0,
     kMismatch + "Continuing: --yes was given.\n", 510},
    // The radio stores a block before it withholds the acknowledge.
    {"WriteNoAcknowledgeAtTheLastBlock", "--no-write-ack 509", "write", 1, kProgramInterrupt, 510},
    {"WriteHangUpAtTheFirstBlock", "--hang-up 0", "write", 1, kProgramInterrupt, 0},
    // Each session of a write to one radio; the fleet's own cancel (each
    // radio's line of its table) is a case of the in-process FleetTest, so
    // one phase of it here; each signal a user or the system sends.
    {"SigintInTheBackupRead", kStall, "write --backup-first", 1,
     "kx9-cli: " + kNothingWritten + "\n", 0, SIGINT, kFirstRead},
    {"SigintMidWrite", "--trace", "write --verify", 1, "kx9-cli: " + kPartial + "\n", kSome, SIGINT,
     kFifthWriteBlock},
    {"SigintInTheVerify", kStall, "write --verify", 1,
     "kx9-cli: written, not verified (cancelled)\n", 510, SIGINT, kFirstRead},
    {"SigintMidFleetWrite", "--trace", "write --verify", 1,
     "kx9-cli: cancelled; what each radio holds is in the table\n", kSome, SIGINT, kFifthWriteBlock,
     true},
    {"SigtermMidWrite", "--trace", "write", 1, "kx9-cli: " + kPartial + "\n", kSome, SIGTERM,
     kFifthWriteBlock},
    {"SigintMidRead", kStallMidRead, "read", 1, kNothingRead, 0, SIGINT, kBlock300},
    {"SigtermMidRead", kStallMidRead, "read", 1, kNothingRead, 0, SIGTERM, kBlock300},
    {"HangUpOfTheTerminalMidRead", kStallMidRead, "read", 1, kNothingRead, 0, SIGHUP, kBlock300}};

INSTANTIATE_TEST_SUITE_P(Cases, TransferFaults, ::testing::ValuesIn(kTransferFaults),
                         [](const auto &info) { return info.param.name; });

// On a terminal the mismatch is a question there, under a progress line:
// Enter alone or the end of input (Ctrl-D) is Cancel and writes nothing; "o"
// continues and writes the file, verified on one bar with the write when asked.
// Input from a file is no terminal to ask: its "o" answers nothing.
TEST_F(FaultMatrix, OnATerminalTheMismatchQuestionIsAnsweredThere)
{
    const QByteArray file = QFile::encodeName(path("file.sin"));
    const QByteArray answers = QFile::encodeName(path("answers"));
    ASSERT_TRUE(writeRaw(path("answers"), "o\n"));
    const char *verify = "--verify";
    for (const auto &[answer, status, blocks, extra, end, piped] :
         {std::tuple("\n", 1, 0, (const char *)nullptr, "/510\x1b[K\r\n", false),
          std::tuple("\x04", 1, 0, verify, "/512\x1b[K\r\n", false),
          std::tuple("o\n", 1, 0, (const char *)nullptr, "/510\x1b[K\r\n", true),
          std::tuple("o\n", 0, 510, (const char *)nullptr, "##] 510/510\x1b[K\r\n", false),
          std::tuple("o\n", 0, 510, verify,
                     "##] 512/512\x1b[K\r\nVerified: the radio holds what was written.\r\n",
                     false)}) {
        startRadio({"--identity", "07"}, radioImage());
        const QByteArray device = QFile::encodeName(port);
        int pty = -1;
        const pid_t pid = ::forkpty(&pty, nullptr, nullptr, nullptr);
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (piped)
                ::dup2(::open(answers.constData(), O_RDONLY), STDIN_FILENO);
            ::execl(KX9_CLI, KX9_CLI, "write", "--port", device.constData(), file.constData(),
                    extra, nullptr);
            ::_exit(127);
        }
        // What the terminal shows, to the end (the program closes it); the
        // answer once it asks.
        std::string shown;
        char buffer[256];
        pollfd wait{pty, POLLIN, 0};
        for (ssize_t n = 0; ::poll(&wait, 1, kProcessTimeoutMs) == 1 &&
                            (n = ::read(pty, buffer, sizeof buffer)) > 0;) {
            shown.append(buffer, static_cast<std::size_t>(n));
            if (shown.ends_with("OK or Cancel? [o/C] ")) {
                EXPECT_EQ(::write(pty, answer, std::strlen(answer)), ssize_t(std::strlen(answer)));
            }
        }
        ::close(pty);
        int exit = -1;
        ASSERT_EQ(::waitpid(pid, &exit, 0), pid);
        EXPECT_EQ(WIFEXITED(exit) ? WEXITSTATUS(exit) : -1, status) << shown;
        // The terminal's progress line says what it waits for, and ends
        // before the question; a write counts its blocks to the last.
        EXPECT_NE(shown.find("] Waiting the response from radio....\x1b[K\r\n Radio Type"),
                  std::string::npos)
            << shown;
        EXPECT_EQ(shown.ends_with(end), blocks > 0) << shown;
        EXPECT_EQ(stopRadio(), radioAfterWrite(blocks));
    }
}

// --- The port ------------------------------------------------------------------------

// What is not a terminal (a FIFO, /dev/null), or a port the other program
// holds as a serial program does: with TIOCEXCL, which the superuser can open
// past, or with a lock. Either way we stay out and the output is as it was;
// the other program's hold is intact after our attempt, and the port is ours
// once it is gone. (A missing device and a plain file: the rows of
// AnOpenThatFailsSaysWhyInTheMessagesLanguage.)
TEST_F(FaultMatrix, PortThatIsNoTerminalOrHeldByAnotherProgramIsRefused)
{
    FolderState before = snapshot(path("out"));
    const auto refused = [&](const QString &device, const QString &why) {
        port = device;
        const ProcessRun r = transfer("read");
        EXPECT_EQ(std::tuple(r.exitCode, r.err), std::tuple(1, kOpenFailed + device + why));
        EXPECT_EQ(snapshot(path("out")), before);
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    refused(path("fifo"), ": not a serial port\n");
    refused("/dev/null", ": not a serial port\n");

    startRadio({}, radioImage());
    const QByteArray device = QFile::encodeName(port);
    // Whether the device's exclusive flag is set, looked at through a
    // descriptor of our own (which the radio counts as a user while it is open).
    const auto exclusiveNow = [&device] {
        const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY);
        int exclusive = 0;
        ::ioctl(fd, TIOCGEXCL, &exclusive);
        ::close(fd);
        return exclusive != 0;
    };
    for (const bool exclusive : {true, false}) {
        const int held = ::open(device.constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(held, 0);
        ASSERT_EQ(exclusive ? ::ioctl(held, TIOCEXCL) : ::flock(held, LOCK_EX), 0);
        refused(QString::fromLocal8Bit(device),
                exclusive ? " is in use: held exclusively by another program.\n"
                          : " is in use: held by another program.\n");
        int stillExclusive = 0;
        ASSERT_EQ(::ioctl(held, TIOCGEXCL, &stillExclusive), 0);
        EXPECT_EQ(stillExclusive != 0, exclusive);
        // Closed without clearing the flag, as a killed program leaves it.
        ::close(held);
        for (int tries = 0; tries < 10000 && exclusiveNow(); ++tries)
            ::usleep(1000); // the radio clears it in its own loop; nothing tells us when
        EXPECT_EQ(transfer("read").exitCode, 0);
        before = snapshot(path("out"));
    }
}

// --- The output ------------------------------------------------------------------------

// Out of blocks, or out of files (the temporary file cannot be made, while
// the target itself could still be rewritten in place: a save does not do
// that for want of space, since a rewrite that stops half-way loses it).
TEST_F(FaultMatrix, FullDiskLeavesTheOutputAsItWas)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a small file system of its own needs root";
    const QByteArray full = QFile::encodeName(path("full"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("full"));
    startRadio({}, radioImage());
    for (const bool filesToo : {false, true}) {
        if (::mount("tmpfs", full.constData(), "tmpfs", 0, "size=64k,nr_inodes=16") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        const std::unique_ptr<const char, decltype(&::umount)> unmount(full.constData(), ::umount);
        const QString target = path("full/out.sin");
        ASSERT_TRUE(writeRaw(target, "previous contents"));
        // Every block taken by the filler, or (an empty filler) every file by
        // empty files.
        EXPECT_EQ(writeRaw(path("full/filler"), QByteArray(filesToo ? 0 : 64 * 1024, 'x')),
                  filesToo);
        for (int n = 0; filesToo && writeRaw(path("full/f%1").arg(n), {}); ++n) {
        }
        const FolderState before = snapshot(path("full"));

        const ProcessRun r = cli({"read", "--port", port, "-o", target});
        EXPECT_EQ(std::tuple(r.exitCode, r.err),
                  std::tuple(1, "kx9-cli: cannot write " + target + ": No space left on device\n"))
            << filesToo;
        EXPECT_EQ(snapshot(path("full")), before);
    }
}

// A link over a file of the user, a save target that can never take the
// memory (each kind of target: SaveTargetTest's rows), an image that is no
// channel file, or an option it does not know, is refused at start.
// A stop that comes as soon as the device path is told ends the radio the
// usual way, memory saved, as a script that starts and stops it expects; a
// save that fails later (here it became a folder) fails the run, which the
// write that the radio acknowledged does not.
TEST_F(FaultMatrix, RadiosimRefusesWhatItCannotDoSafelyAndSavesWhenStopped)
{
    // Longer than a memory: the first 4096 bytes are no channel file either.
    const QByteArray users = QByteArray("a file of the user").repeated(240);
    ASSERT_TRUE(writeRaw(path("radio"), users));
    for (const auto &[args, told] : std::vector<std::pair<QStringList, QString>>{
             {{"--link", path("radio")}, path("radio") + ": exists and is not a symbolic link\n"},
             {{"--save", dir.path()}, "cannot save " + dir.path() + ": it is a folder"},
             {{"--hang-up", "x"}, "option --hang-up needs a valid value (see --help)\n"},
             {{"--short-reply", "512"}, "option --short-reply needs a valid value (see --help)\n"},
             {{"--image", path("radio")}, path("radio") + ": not a 4096-byte channel data file\n"},
             {{"--image", path("none")}, path("none") + ": No such file or directory\n"},
             {{"--bogus"}, "unknown option --bogus (see --help)\n"}}) {
        QProcess sim;
        sim.start(KX9_RADIOSIM, args);
        const ProcessRun r = finished(sim);
        EXPECT_EQ(r.exitCode, 2) << told.toStdString();
        EXPECT_TRUE(r.err.startsWith("kx9-radiosim: " + told)) << r.err.toStdString();
    }
    EXPECT_EQ(readRaw(path("radio")), users);

    // A hang-up (its terminal closed) stops it as SIGTERM does: memory saved,
    // its link gone, so that a later terminal given that pty is not taken for it.
    startRadio({"--link", path("pty")}, radioImage());
    signalChild(radio, SIGHUP);
    const ProcessRun stopped = finished(radio);
    EXPECT_EQ(std::tuple(stopped.exitCode, readRaw(path("radio-saved.sin")),
                         QFileInfo(path("pty")).isSymLink()),
              std::tuple(0, bytesOf(radioImage()), false))
        << stopped.err.toStdString();
    ASSERT_TRUE(QFile::remove(path("radio-saved.sin")));
    startRadio({}, radioImage());
    ASSERT_TRUE(QDir(dir.path()).mkdir("radio-saved.sin"));
    EXPECT_EQ(transfer("write").exitCode, 0);
    radio.terminate();
    const ProcessRun r = finished(radio);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot save " + path("radio-saved.sin") + ": it is a folder"))
        << r.err.toStdString();
}

} // namespace
} // namespace kx9::test
