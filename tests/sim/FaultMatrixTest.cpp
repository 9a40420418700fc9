// Every fault of the line, the port and the output, through real
// pseudo-terminals with the built kx9-cli and kx9-radiosim: each case checks
// the exit status, the whole message, and that the output folder is byte for
// byte what it was (no temporary file left behind).

#include "SafetyTexts.h"
#include "SimImages.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace kx9::test {
namespace {

const QString kOpenFailed = "Could not Open the Port,Please check whether the Port are occupied "
                            "or the device are ok\n";
const QString kCommunicationError =
    "Communication Error，Please check all the connections and the radio power\n";
const QString kNotEnoughBytes = "not received enough  byte\n";
const QString kReadBlockError = "Error had happen,please try again\n";
const QString kMismatch =
    " Radio Type are not match for your setting，If you want continue,push ok button\n";
const QString kPartialWrite = QString::fromUtf8(text::kPartialWrite.en.data()) + "\n";
const QString kProgramInterrupt =
    " Program Interrupt，Please reset the radio and try again\n" + kPartialWrite;

class FaultMatrix : public SimulatedRadioTest
{
protected:
    void SetUp() override
    {
        SimulatedRadioTest::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
        // The file a read must leave as it was.
        ASSERT_TRUE(writeRaw(out("out.sin"), "previous contents"));
        ::chmod(QFile::encodeName(out("out.sin")).constData(), 0640);
    }

    QString out(const QString &name) const { return dir.filePath("out/" + name); }
    void startRadio(const QStringList &faults, const ChannelImage &memory = radioImage())
    {
        SimulatedRadioTest::startRadio(faults, memory);
    }
    ProcessRun read() const { return cli({"read", "--port", port, "-o", out("out.sin")}); }
};

// A radio whose memory the table conversion leaves as it is goes through a
// file and back unchanged, bytes no cell shows and the calibration included;
// the same pty serves the second program after the first has closed it.
TEST_F(FaultMatrix, RoundTripRadioFileRadioLeavesTheMemoryAsItWas)
{
    ChannelImage memory = fileImage();
    for (std::size_t a = 0xD20; a < 0xD40; ++a)
        memory.setByte(a, static_cast<std::uint8_t>(a));
    memory.setByte(0xFF8, 0x5A); // power calibration, which a write never sends
    memory.setByte(0xFF9, 0xA5);
    startRadio({}, memory);
    const ProcessRun r = read();
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString(); // no terminal, no bar
    EXPECT_EQ(readRaw(out("out.sin")), bytesOf(memory));
    EXPECT_EQ(QDir(path("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"out.sin"}); // no temporary file left
    // The trace says whether low latency took effect, then each byte.
    const ProcessRun w = cli({"write", "--trace", "--port", port, out("out.sin")});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    const QStringList lines = w.err.split('\n');
    EXPECT_EQ(lines.first(), "trace: opened " + port +
                                 ": 9600 8N1 raw, exclusive; low-latency mode not offered by "
                                 "this port's driver");
    EXPECT_TRUE(lines.contains("> 02") && lines.contains("< 06")) << w.err.toStdString();
    EXPECT_EQ(stopRadio(), bytesOf(memory)); // saved after the complete write
}

// --- The line ---------------------------------------------------------------------

// One case of each kind the program itself turns into a message and a status
// (a short reply says what a hang-up says); every block and reply length is a
// case of the in-process ReadEndTest and CutShortTest, in virtual time. Only the silent radio waits
// here in real time, its whole retry sequence.
struct LineFault
{
    std::string name;
    QString radioFlags;
    QString command; // "read", "write" or "write --yes"
    int exitCode;
    QString message;
    int blocksStored; // of the file, in the radio after a write
    friend void PrintTo(const LineFault &c, std::ostream *out) { *out << c.name; }
};

class LineFaults : public FaultMatrix, public ::testing::WithParamInterface<LineFault>
{
};

TEST_P(LineFaults, EndWithTheMessageAndLeaveTheOutputAsItWas)
{
    const LineFault &c = GetParam();
    startRadio(c.radioFlags.split(' ', Qt::SkipEmptyParts));
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    const FolderState before = snapshot(path("out"));
    const bool writing = c.command.startsWith("write");
    const ProcessRun r =
        cli(c.command.split(' ') + QStringList{"--port", port} +
            (writing ? QStringList{path("file.sin")} : QStringList{"-o", out("out.sin")}));
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_EQ(r.err.toStdString(), c.message.toStdString());
    EXPECT_EQ(snapshot(path("out")), before);
    if (c.radioFlags.startsWith("--hang-up")) { // the radio ends with its line
        EXPECT_TRUE(radio.waitForFinished(kProcessTimeoutMs));
        EXPECT_EQ(radio.exitCode(), 0);
    }
    if (writing) {
        QByteArray expected = bytesOf(radioImage());
        expected.replace(0, c.blocksStored * 8, bytesOf(fileImage()).left(c.blocksStored * 8));
        EXPECT_EQ(stopRadio(), expected);
    }
}

const QString kNotWritten = "Nothing was written: the radio keeps its data and its identity.\n";

const LineFault kLineFaults[] = {
    {"ReadSilent", "--silent", "read", 1, kCommunicationError, 0},
    {"ReadNoAcknowledgeAtTheLastBlock", "--no-read-ack 511", "read", 1, kReadBlockError, 0},
    {"ReadHangUpAtBlock255", "--hang-up 255", "read", 1, kNotEnoughBytes, 0},
    {"ReadShortReplyAtBlock300", "--short-reply 300", "read", 1, kNotEnoughBytes, 0}, // 9 bytes
    {"WriteIdentityMismatchWithoutYes", "--identity 07", "write", 1,
     kMismatch + "Not continuing: no terminal to ask; --yes continues.\n" + kNotWritten, 0},
    {"WriteIdentityMismatchWithYes", "--identity 07", "write --yes", 0,
     kMismatch + "Continuing: --yes was given.\n", 510},
    // The radio stores a block before it withholds the acknowledge.
    {"WriteNoAcknowledgeAtTheLastBlock", "--no-write-ack 509", "write", 1, kProgramInterrupt, 510},
    {"WriteHangUpAtTheFirstBlock", "--hang-up 0", "write", 1, kProgramInterrupt, 0}};

INSTANTIATE_TEST_SUITE_P(Cases, LineFaults, ::testing::ValuesIn(kLineFaults),
                         [](const auto &info) { return info.param.name; });

// On a terminal the mismatch is a question there, under a progress line:
// Enter alone or the end of input (Ctrl-D) is Cancel and writes nothing; "o"
// continues and writes the file.
TEST_F(FaultMatrix, OnATerminalTheMismatchQuestionIsAnsweredThere)
{
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    for (const auto &[answer, status, blocks] :
         {std::tuple("\n", 1, 0), std::tuple("\x04", 1, 0), std::tuple("o\n", 0, 510)}) {
        startRadio({"--identity", "07"});
        const QByteArray device = QFile::encodeName(port),
                         file = QFile::encodeName(path("file.sin"));
        int terminal = -1;
        const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, nullptr);
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::execl(KX9_CLI, KX9_CLI, "write", "--port", device.constData(), file.constData(),
                    nullptr);
            ::_exit(127);
        }
        // What the terminal shows, up to the question, then to the end.
        std::string shown;
        const auto readUntil = [&](std::string_view end) {
            char buffer[256];
            pollfd wait{terminal, POLLIN, 0};
            while (shown.find(end) == std::string::npos &&
                   ::poll(&wait, 1, kProcessTimeoutMs) == 1) {
                const ssize_t n = ::read(terminal, buffer, sizeof buffer);
                if (n <= 0)
                    break; // the program ended and closed the terminal
                shown.append(buffer, static_cast<std::size_t>(n));
            }
        };
        readUntil("OK or Cancel? [o/C] ");
        EXPECT_EQ(::write(terminal, answer, std::strlen(answer)), ssize_t(std::strlen(answer)));
        readUntil("\x04"); // never shown: reads to the end
        ::close(terminal);
        int exit = -1;
        ASSERT_EQ(::waitpid(pid, &exit, 0), pid);
        EXPECT_EQ(WIFEXITED(exit) ? WEXITSTATUS(exit) : -1, status) << shown;
        // The terminal's progress line says what it waits for, and ends
        // before the question; a write counts its blocks to the last.
        EXPECT_NE(shown.find("] Waiting the response from radio....\x1b[K\r\n Radio Type"),
                  std::string::npos)
            << shown;
        EXPECT_EQ(shown.ends_with("##] 510/510\x1b[K\r\n"), blocks > 0) << shown;
        QByteArray expected = bytesOf(radioImage());
        expected.replace(0, blocks * 8, bytesOf(fileImage()).left(blocks * 8));
        EXPECT_EQ(stopRadio(), expected);
    }
}

// --- The port ------------------------------------------------------------------------

// A missing device, and what is not a terminal: a file, a FIFO, /dev/null.
TEST_F(FaultMatrix, MissingPortOrOneThatIsNotATerminalFailsToOpen)
{
    ASSERT_TRUE(writeRaw(path("file"), "not a port"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    const FolderState before = snapshot(path("out"));
    const QString missing =
        " does not exist (no such device). Is the programming cable plugged in?\n";
    for (const auto &[device, why] :
         std::vector<std::pair<QString, QString>>{{path("no-such-port"), missing},
                                                  {path("file"), ": not a serial port\n"},
                                                  {path("fifo"), ": not a serial port\n"},
                                                  {"/dev/null", ": not a serial port\n"}}) {
        port = device;
        const ProcessRun r = read();
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, kOpenFailed + device + why);
    }
    EXPECT_EQ(readRaw(path("file")), "not a port");
    EXPECT_EQ(snapshot(path("out")), before);
}

// Whether the device's exclusive flag is set, looked at through a descriptor
// of our own (which the radio counts as a user while it is open).
bool exclusiveNow(const QByteArray &device)
{
    const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY);
    int exclusive = 0;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive != 0;
}

// The other program holds the port as a serial program does: with TIOCEXCL,
// which the superuser can open past, or with a lock. Either way we stay out,
// its hold is intact after our attempt, and the port is ours once it is gone.
TEST_F(FaultMatrix, PortHeldByAnotherProgramIsRefusedUntilThatProgramIsGone)
{
    startRadio({});
    const QByteArray device = QFile::encodeName(port);
    for (const bool exclusive : {true, false}) {
        const int held = ::open(device.constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(held, 0);
        ASSERT_EQ(exclusive ? ::ioctl(held, TIOCEXCL) : ::flock(held, LOCK_EX), 0);
        const FolderState before = snapshot(path("out"));

        const ProcessRun r = read();
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, kOpenFailed + port + " is in use: " +
                             (exclusive ? "held exclusively by another program.\n"
                                        : "held by another program.\n"));
        EXPECT_EQ(snapshot(path("out")), before);
        int stillExclusive = 0;
        ASSERT_EQ(::ioctl(held, TIOCGEXCL, &stillExclusive), 0);
        EXPECT_EQ(stillExclusive != 0, exclusive);
        // Closed without clearing the flag, as a killed program leaves it.
        ::close(held);
        for (int tries = 0; tries < 10000 && exclusiveNow(device); ++tries)
            ::usleep(1000); // the radio clears it in its own loop; nothing tells us when
        EXPECT_EQ(read().exitCode, 0);
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
    startRadio({});
    for (const bool filesToo : {false, true}) {
        if (::mount("tmpfs", full.constData(), "tmpfs", 0, "size=64k,nr_inodes=16") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        struct Unmount
        {
            QByteArray at;
            ~Unmount() { ::umount(at.constData()); }
        } unmount{full};
        const QString target = path("full/out.sin");
        ASSERT_TRUE(writeRaw(target, "previous contents"));
        if (filesToo) {
            for (int n = 0; QFile(path("full/f%1").arg(n)).open(QIODevice::WriteOnly); ++n) {
            }
        } else {
            QFile filler(path("full/filler"));
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(1024, 'x');
            while (filler.write(block) == block.size()) {
            }
        }
        const FolderState before = snapshot(path("full"));

        const ProcessRun r = cli({"read", "--port", port, "-o", target});
        EXPECT_EQ(r.exitCode, 1) << filesToo;
        EXPECT_EQ(r.err, "kx9-cli: cannot write " + target + ": No space left on device\n");
        EXPECT_EQ(snapshot(path("full")), before);
    }
}

// Names another user could prepare in a shared folder: the temporary names
// the programs used to write through.
TEST_F(FaultMatrix, LinksPlantedAtTemporaryNamesAreNeverWrittenThrough)
{
    ASSERT_TRUE(writeRaw(path("victim"), "precious"));
    ASSERT_TRUE(QFile::link(path("victim"), out("out.sin.kx9-part")));
    ASSERT_TRUE(QFile::link(path("victim"), path("radio-saved.sin.part")));
    startRadio({});

    const ProcessRun r = read();
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo(out("out.sin")).isSymLink());
    EXPECT_EQ(readRaw(out("out.sin")), bytesOf(radioImage()));

    ASSERT_TRUE(writeRaw(out("file.sin"), bytesOf(fileImage())));
    EXPECT_EQ(cli({"write", "--port", port, out("file.sin")}).exitCode, 0);
    EXPECT_EQ(stopRadio().left(0xFF0), bytesOf(fileImage()).left(0xFF0));
    EXPECT_FALSE(QFileInfo(path("radio-saved.sin")).isSymLink());
    EXPECT_EQ(readRaw(path("victim")), "precious");
}

// A read-only file: the superuser writes it as a plain write would and it
// stays read-only; anyone else is refused. (A link to the output is
// followed and kept: SafeSaveTest.LinkIsFollowedTheFileItNamesIsReplaced...)
TEST_F(FaultMatrix, ReadOverAFileKeepsItsMode)
{
    startRadio({});
    const QByteArray file = QFile::encodeName(out("out.sin"));
    for (const mode_t mode : {0600u, 0640u, 0444u}) {
        ::chmod(file.constData(), mode);
        const ProcessRun r = read();
        if (mode != 0444u || ::geteuid() == 0) {
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        } else {
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err, "kx9-cli: cannot write " + out("out.sin") + ": Permission denied\n");
        }
        struct stat info = {};
        ::stat(file.constData(), &info);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

// A stop that comes as soon as the device path is told ends the radio the
// usual way, memory saved, as a script that starts and stops it expects.
TEST_F(FaultMatrix, RadiosimStoppedAtOnceSavesAndExitsCleanly)
{
    startRadio({});
    radio.terminate();
    const ProcessRun r = finished(radio);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readRaw(path("radio-saved.sin")), bytesOf(radioImage()));
}

// A link over a file of the user, or a save target that can never take the
// memory, is refused at start; a save that fails later (here it became a
// folder) fails the run, which the write that the radio acknowledged does not.
TEST_F(FaultMatrix, RadiosimRefusesWhatItCannotDoSafely)
{
    ASSERT_TRUE(writeRaw(path("radio"), "a file of the user"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    const QString notSaved = ": it is a";
    for (const auto &[args, told] : std::vector<std::pair<QStringList, QString>>{
             {{"--link", path("radio")}, path("radio") + ": exists and is not a symbolic link\n"},
             {{"--save", path("fifo")}, "cannot save " + path("fifo") + notSaved},
             {{"--save", dir.path()}, "cannot save " + dir.path() + notSaved},
             {{"--save", "/dev/null"}, "cannot save /dev/null" + notSaved},
             {{"--hang-up", "x"}, "option --hang-up needs a valid value (see --help)\n"}}) {
        QProcess sim;
        sim.start(KX9_RADIOSIM, args);
        const ProcessRun r = finished(sim);
        EXPECT_EQ(r.exitCode, 2) << told.toStdString();
        EXPECT_TRUE(r.err.startsWith("kx9-radiosim: " + told)) << r.err.toStdString();
    }
    EXPECT_EQ(readRaw(path("radio")), "a file of the user");

    startRadio({});
    ASSERT_TRUE(QDir(dir.path()).mkdir("radio-saved.sin"));
    ASSERT_TRUE(writeRaw(out("file.sin"), bytesOf(fileImage())));
    EXPECT_EQ(cli({"write", "--port", port, out("file.sin")}).exitCode, 0);
    radio.terminate();
    const ProcessRun r = finished(radio);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot save " + path("radio-saved.sin") + ": it is a folder"))
        << r.err.toStdString();
}

} // namespace
} // namespace kx9::test
