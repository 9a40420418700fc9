// kx9-cli power and debug against kx9-radiosim through a real pseudo-terminal.

#include "ChannelImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kx9 {
namespace {

constexpr int kTimeoutMs = 60000;

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class ServiceCliTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { stopRadio(); }

    // A radio whose power values are 100 (high) and 50 (low).
    void startRadio(QStringList flags = {})
    {
        ChannelImage memory;
        memory.setByte(0xFF9, 100);
        memory.setByte(0xFF8, 50);
        QFile f(dir.filePath("start.sin"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(memory.bytes().data()), kImageSize);
        f.close();
        flags << "--image" << f.fileName() << "--save" << dir.filePath("saved.sin");
        radio.start(KX9_RADIOSIM, flags);
        ASSERT_TRUE(radio.waitForStarted(kTimeoutMs));
        while (!radio.canReadLine())
            ASSERT_TRUE(radio.waitForReadyRead(kTimeoutMs));
        port = QString::fromUtf8(radio.readLine()).trimmed();
    }
    // Ends the radio as a user would; returns what it told on stderr.
    QString stopRadio()
    {
        if (radio.state() == QProcess::NotRunning)
            return {};
        radio.terminate();
        radio.waitForFinished(kTimeoutMs);
        return QString::fromUtf8(radio.readAllStandardError());
    }
    CliRun cli(QStringList args)
    {
        QProcess p;
        p.start(KX9_CLI, args);
        p.closeWriteChannel(); // no terminal: questions are answered Cancel
        CliRun run;
        if (!p.waitForFinished(kTimeoutMs))
            return run;
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.out = QString::fromUtf8(p.readAllStandardOutput());
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }
    std::uint8_t savedByte(qint64 offset)
    {
        QFile f(dir.filePath("saved.sin"));
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        return static_cast<std::uint8_t>(f.readAll().at(offset));
    }

    QTemporaryDir dir;
    QProcess radio;
    QString port;
};

TEST_F(ServiceCliTest, PowerSetIsWhatTheNextPowerPrintsAndWhatTheRadioKeeps)
{
    startRadio();
    const CliRun set = cli({"power", "--port", port, "high", "--set", "120"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, "100\n");
    EXPECT_TRUE(set.err.isEmpty()) << set.err.toStdString();
    const CliRun again = cli({"power", "--port", port, "high"});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, "120\n");
    const CliRun low = cli({"power", "--port", port, "low"});
    EXPECT_EQ(low.out, "50\n");

    const QString told = stopRadio();
    EXPECT_TRUE(told.contains("high power 100 -> 120")) << told.toStdString();
    EXPECT_EQ(told.count("power debug left"), 3) << told.toStdString();
    EXPECT_EQ(savedByte(0xFF9), 120);
    EXPECT_EQ(savedByte(0xFF8), 50);
}

TEST_F(ServiceCliTest, DebugSendsOneSettingAtTheChosenFrequency)
{
    startRadio();
    const CliRun debug = cli({"debug", "--port", port, "squelch-level", "160", "--freq", "middle"});
    ASSERT_EQ(debug.exitCode, 0) << debug.err.toStdString();
    EXPECT_EQ(debug.out, "Finish successfully!\n");
    const QString told = stopRadio();
    EXPECT_TRUE(told.contains("debug mode: Squelch Level 160 (RX 456.00000 MHz tone none, TX "
                              "456.00000 MHz tone none)"))
        << told.toStdString();
}

TEST_F(ServiceCliTest, RadioFaultsEndWithTheirMessageAndStatusOne)
{
    struct Row
    {
        QStringList radioFlags;
        QStringList command;
        QString message;
    };
    const Row rows[] = {
        {{"--short-entry-reply", "3"}, {"power", "low"}, "Not received enough  byte\n"},
        {{"--no-wakeup-reply", "100"},
         {"power", "high"},
         "Communication Error，Please check all the connections and the radio power\n"},
        {{"--no-tuning-reply", "100"},
         {"power", "high", "--set", "5"},
         " Error had happen L1,need try again\n"},
        {{"--no-tuning-ack", "100"},
         {"power", "low", "--set", "5"},
         " Error had happen ,need try again\n"},
        {{"--wrong-debug-reply", "100"},
         {"debug", "tx-power", "47"},
         " Error had happen ,need try again\n"},
    };
    for (const Row &row : rows) {
        startRadio(row.radioFlags);
        QStringList args = row.command;
        args << "--port" << port;
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 1) << row.command.join(' ').toStdString();
        EXPECT_EQ(run.err, row.message) << run.err.toStdString();
        const QString told = stopRadio();
        // A tuning that failed after entry leaves the radio where Cancel left it.
        EXPECT_FALSE(told.contains(" -> ")) << told.toStdString();
    }
}

TEST_F(ServiceCliTest, ExitIsSentEvenWhenNothingIsSet)
{
    startRadio({"--no-exit-reply", "3"});
    const CliRun run = cli({"power", "--port", port, "low"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(stopRadio().contains("low power debug left"));
}

TEST_F(ServiceCliTest, WrongCommandLinesAreRefusedBeforeThePortIsOpened)
{
    const QStringList rows[] = {
        {"power", "--port", "/nonexistent", "high", "--set", "251"},
        {"power", "--port", "/nonexistent", "low", "--set", "201"},
        {"power", "--port", "/nonexistent", "low", "--set", "0"},
        {"power", "--port", "/nonexistent", "medium"},
        {"debug", "--port", "/nonexistent", "tx-power", "256"},
        {"debug", "--port", "/nonexistent", "volume", "5"},
        {"debug", "--port", "/nonexistent", "tx-power", "5", "--freq", "top"},
    };
    for (const QStringList &args : rows) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.contains("Could not Open")) << run.err.toStdString();
    }
}

} // namespace
} // namespace kx9

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
