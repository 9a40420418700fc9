// A signal in each session of a transfer (a read; the backup read, the write
// and the read back of a write), to one radio and to two at once, with the
// built kx9-cli against kx9-radiosim: each case checks the exit status, what
// is said, how soon the program ends after the signal, what the radio then
// holds, and that the output folder is as it was (no temporary file left).

#include "SimImages.h"

#include <QDir>
#include <QElapsedTimer>

#include <csignal>

namespace kx9::test {
namespace {

using enum Holds;

struct CancelCase
{
    std::string name;
    bool fleet;
    QString command;    // with its options
    QString radioFlags; // of the first radio
    QString phaseSeen;  // bytes to the radio that show the session has begun
    int signal;
    QString said; // the radio's result, as the single transfer says it
    Holds holds;
    friend void PrintTo(const CancelCase &c, std::ostream *out) { *out << c.name; }
};

// A read reply never comes at block 0 (or 300): the read waits 6 s there.
const QString kStall = "--short-reply 0:0", kStallMidRead = "--short-reply 300:0";
const QString kFirstRead = " 52 00 00 08", kBlock300 = " 52 09 60 08";
const QString kFifthWriteBlock = " 57 00 28 08";
const QString kNothingWritten = "cancelled; nothing was written";
const QString kNothingRead = "cancelled; nothing was read or saved";
const QString kPartial = "cancelled; the radio may now hold a partial write: write it again "
                         "before using the radio";
const QString kNotVerified = "written, not verified (cancelled)";

class CancelMatrix : public SimulatedRadioTest, public ::testing::WithParamInterface<CancelCase>
{
protected:
    void TearDown() override
    {
        second.terminate();
        second.waitForFinished(kProcessTimeoutMs);
        SimulatedRadioTest::TearDown();
    }

    QProcess second; // the fleet's other radio, a silent one
};

TEST_P(CancelMatrix, ASignalEndsAtOnceAndSaysWhatTheRadioHolds)
{
    const CancelCase &c = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    ASSERT_TRUE(writeRaw(path("out/out.sin"), "previous contents"));
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    startRadio(QStringList{"--trace"} + c.radioFlags.split(' ', Qt::SkipEmptyParts), radioImage());
    QStringList args = c.command.split(' ') + QStringList{"--port", port};
    if (c.fleet)
        args += {"--port", startSim(second, {"--silent"})};
    args += c.command == "read" ? QStringList{"-o", path("out/out.sin")}
                                : QStringList{path("file.sin")};
    const FolderState before = snapshot(path("out"));
    QProcess p;
    startCli(p, args);
    ASSERT_TRUE(radioReceived(radio, c.phaseSeen));
    QElapsedTimer sinceSignal;
    sinceSignal.start();
    ::kill(static_cast<pid_t>(p.processId()), c.signal);
    const ProcessRun r = finished(p);
    const qint64 exitMs = sinceSignal.elapsed();

    EXPECT_EQ(r.exitCode, 1);
    if (c.fleet) {
        // Each radio's line of the table says what it holds; the silent one
        // never got as far as a block.
        EXPECT_TRUE(tableLine(r.out, port).contains(" " + c.said + "  ")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(kNothingWritten)) << r.out.toStdString();
        EXPECT_TRUE(r.err.endsWith("kx9-cli: cancelled; what each radio holds is in the table\n"))
            << r.err.toStdString();
    } else {
        EXPECT_EQ(r.err.toStdString(), ("kx9-cli: " + c.said + "\n").toStdString());
    }
    // A generous bound: the waits cut short here run for seconds.
    EXPECT_LT(exitMs, 1500);
    EXPECT_EQ(snapshot(path("out")), before);

    const QByteArray memory = stopRadio();
    const QByteArray held = bytesOf(radioImage());
    const QByteArray file = bytesOf(fileImage());
    constexpr int kWrittenBytes = 0xFF0; // the radio keeps its last 16 bytes
    EXPECT_EQ(memory == held, c.holds == WhatItHeld);
    EXPECT_EQ(memory.left(kWrittenBytes) == file.left(kWrittenBytes), c.holds == TheFile);
    if (c.holds == PartOfTheFile) {
        EXPECT_EQ(memory.left(8 * 5), file.left(8 * 5));
        EXPECT_EQ(memory.mid(kWrittenBytes - 8), held.mid(kWrittenBytes - 8));
    }
}

// Each session of a write to one radio; the fleet's own cancel (each radio's
// line of its table) is a case of the in-process FleetTest, so one phase of
// it here; each signal a user or the system sends.
const CancelCase kCancelCases[] = {
    {"BackupRead", false, "write --backup-first", kStall, kFirstRead, SIGINT, kNothingWritten,
     WhatItHeld},
    {"Write", false, "write --verify", "", kFifthWriteBlock, SIGINT, kPartial, PartOfTheFile},
    {"Verify", false, "write --verify", kStall, kFirstRead, SIGINT, kNotVerified, TheFile},
    {"FleetWrite", true, "write --verify", "", kFifthWriteBlock, SIGINT, kPartial, PartOfTheFile},
    {"SigtermMidWrite", false, "write", "", kFifthWriteBlock, SIGTERM, kPartial, PartOfTheFile},
    {"SigintMidRead", false, "read", kStallMidRead, kBlock300, SIGINT, kNothingRead, WhatItHeld},
    {"SigtermMidRead", false, "read", kStallMidRead, kBlock300, SIGTERM, kNothingRead, WhatItHeld},
    {"HangUpOfTheTerminalMidRead", false, "read", kStallMidRead, kBlock300, SIGHUP, kNothingRead,
     WhatItHeld}};

INSTANTIATE_TEST_SUITE_P(Transfers, CancelMatrix, ::testing::ValuesIn(kCancelCases),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace kx9::test
