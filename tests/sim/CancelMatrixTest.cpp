// Ctrl-C in each session of a write (the backup read, the write, the read
// back), to one radio and to two at once, with the built kx9-cli against
// kx9-radiosim: each case checks the exit status, what is said, how soon
// the program ends after the signal, and what the radio then holds.

#include "SimImages.h"

#include <QElapsedTimer>

#include <csignal>

namespace kx9::test {
namespace {

struct CancelCase
{
    std::string name;
    bool fleet;
    QString options;    // of the write
    QString radioFlags; // of the first radio
    QString phaseSeen;  // bytes to the radio that show the session has begun
    QString said;       // the radio's result, as the single write says it
    Holds holds;
    friend void PrintTo(const CancelCase &c, std::ostream *out) { *out << c.name; }
};

// A read reply never comes at block 0: the read waits 6 s there.
const QString kStall = "--short-reply 0:0";
const QString kFirstRead = " 52 00 00 08";
const QString kFifthWriteBlock = " 57 00 28 08";
const QString kNothingWritten = "cancelled; nothing was written";
const QString kPartial = "cancelled; the radio may now hold a partial write: write it again "
                         "before using the radio";
const QString kNotVerified = "written, not verified (cancelled)";

class CancelMatrix : public SimulatedRadioTest, public ::testing::WithParamInterface<CancelCase>
{
protected:
    void TearDown() override
    {
        if (second.state() != QProcess::NotRunning) {
            second.terminate();
            second.waitForFinished(kProcessTimeoutMs);
        }
        SimulatedRadioTest::TearDown();
    }

    QProcess second; // the fleet's other radio, a silent one
};

TEST_P(CancelMatrix, CtrlCEndsAtOnceAndSaysWhatTheRadioHolds)
{
    const CancelCase &c = GetParam();
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    startRadio(QStringList{"--trace"} + c.radioFlags.split(' ', Qt::SkipEmptyParts), radioImage());
    QStringList ports{"--port", port};
    if (c.fleet) {
        ports += {"--port", startSim(second, {"--silent"})};
    }
    QProcess p;
    startCli(p, QStringList{"write", c.options} + ports + QStringList{path("file.sin")});
    ASSERT_TRUE(radioReceived(radio, c.phaseSeen));
    QElapsedTimer sinceSignal;
    sinceSignal.start();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
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

    const QByteArray memory = stopRadio();
    const QByteArray before = bytesOf(radioImage());
    const QByteArray file = bytesOf(fileImage());
    constexpr int kWrittenBytes = 0xFF0; // the radio keeps its last 16 bytes
    EXPECT_EQ(memory == before, c.holds == Holds::WhatItHeld);
    EXPECT_EQ(memory.left(kWrittenBytes) == file.left(kWrittenBytes), c.holds == Holds::TheFile);
    if (c.holds == Holds::PartOfTheFile) {
        EXPECT_EQ(memory.left(8 * 5), file.left(8 * 5));
        EXPECT_EQ(memory.mid(kWrittenBytes - 8), before.mid(kWrittenBytes - 8));
    }
}

// Each phase, to one radio; the fleet's own cancel (each radio's line of
// its table) is a case of the in-process FleetTest, so one phase of it here.
const CancelCase kCancelCases[] = {
    {"BackupRead", false, "--backup-first", kStall, kFirstRead, kNothingWritten, Holds::WhatItHeld},
    {"Write", false, "--verify", "", kFifthWriteBlock, kPartial, Holds::PartOfTheFile},
    {"Verify", false, "--verify", kStall, kFirstRead, kNotVerified, Holds::TheFile},
    {"FleetWrite", true, "--verify", "", kFifthWriteBlock, kPartial, Holds::PartOfTheFile}};

INSTANTIATE_TEST_SUITE_P(Phases, CancelMatrix, ::testing::ValuesIn(kCancelCases),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace kx9::test
