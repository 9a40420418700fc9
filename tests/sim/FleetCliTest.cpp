// kx9-cli write with several --port against four kx9-radiosim at once, each
// on a pseudo-terminal of its own.

#include "SimImages.h"

#include <QDir>
#include <QFileInfo>

namespace kx9::test {
namespace {

constexpr std::size_t kWritten = 0xFF0; // the radio keeps its last 16 bytes

struct Radio
{
    QProcess process;
    QString port;
    QString saved;
};

class FleetCli : public SimulatedRadioTest, public ::testing::WithParamInterface<bool>
{
protected:
    void TearDown() override
    {
        for (Radio &r : radios)
            stop(r);
    }
    void start(Radio &r, const QString &name, const QStringList &flags)
    {
        ASSERT_TRUE(writeRaw(path(name + "-start.sin"), bytesOf(radioImage())));
        r.saved = path(name + "-saved.sin");
        r.port = startSim(r.process, flags + QStringList{"--image", path(name + "-start.sin"),
                                                         "--save", r.saved});
        ASSERT_FALSE(r.port.isEmpty());
    }
    QByteArray stop(Radio &r)
    {
        r.process.terminate();
        r.process.waitForFinished(kProcessTimeoutMs);
        return readRaw(r.saved);
    }

    Radio radios[4];
};

// Two clean radios get the file, the one that hangs up mid-write fails with
// its warning, the one of another identity is skipped (written with --yes);
// none of them holds back the others, and the status says not all succeeded.
TEST_P(FleetCli, WritesEveryRadioAtOnceAndReportsEachOnItsOwn)
{
    const bool yes = GetParam();
    start(radios[0], "clean1", {});
    start(radios[1], "clean2", {});
    start(radios[2], "hangup", {"--hang-up", "100"});
    start(radios[3], "other", {"--identity", "07"});
    const ChannelImage file = fileImage();
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(file)));

    QStringList args{"write", path("file.sin")};
    for (const Radio &r : radios)
        args << "--port" << r.port;
    if (yes)
        args << "--yes";
    const ProcessRun run = cli(args);

    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QByteArray written = bytesOf(file).left(kWritten);
    EXPECT_EQ(stop(radios[0]).left(kWritten), written);
    EXPECT_EQ(stop(radios[1]).left(kWritten), written);
    EXPECT_EQ(stop(radios[3]).left(kWritten) == written, yes);
    EXPECT_TRUE(tableLine(run.out, radios[0].port).contains(" written "));
    // The whole reason a single write gives.
    EXPECT_TRUE(tableLine(run.out, radios[2].port)
                    .contains("failed: Program Interrupt，Please reset the radio and try again. "
                              "The radio may now hold a partial write: write it again before "
                              "using the radio."))
        << run.out.toStdString();
    EXPECT_TRUE(tableLine(run.out, radios[3].port)
                    .contains(yes ? " written " : "skipped: identity differs from the file's 01"))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(radios[2].port + ": The radio may now hold a partial write"));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutYes, FleetCli, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "WithYes" : "WithoutYes"; });

// Each radio into a file of its own in the folder; one that hangs up leaves
// no file, and --json keeps standard output a single array. Three identical
// radios read at once keep one backup between them (as a single read keeps
// one), whichever radio comes first, and none
// when told --no-backup.
TEST_F(FleetCli, ReadsEveryRadioIntoTheFolderAndKeepsOneBackupOfTheSameBytes)
{
    QStringList args{"read", "--json", "-o", path("out")};
    for (int i = 0; i < 4; ++i) {
        start(radios[i], QStringLiteral("radio%1").arg(i),
              i == 3 ? QStringList{"--hang-up", "100"} : QStringList());
        args << "--port" << radios[i].port;
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    // --no-backup keeps none, as for a single read.
    const QStringList two{"--port", radios[0].port, "--port", radios[1].port};
    ASSERT_EQ(cli(QStringList{"read", "--no-backup", "-o", dir.path()} + two).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(path("data/kx9/backups")));
    const ProcessRun run = cli(args);
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    QStringList names;
    for (int i = 0; i < 3; ++i)
        names << radios[i].port.mid(5).replace('/', '-') + ".sin";
    names.sort();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files, QDir::Name), names);
    EXPECT_EQ(readRaw(path("out/" + names[0])), readRaw(path("radio0-start.sin")));
    EXPECT_TRUE(run.out.startsWith("[\n {\"port\": \"" + radios[0].port + "\""));
    EXPECT_TRUE(run.out.contains("\"result\": \"failed\", \"reason\": \"short reply\""))
        << run.out.toStdString();
    const QStringList backups = QDir(path("data/kx9/backups")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    EXPECT_EQ(readRaw(path("data/kx9/backups/" + backups[0])), readRaw(path("radio0-start.sin")));
}

} // namespace
} // namespace kx9::test
