// kx9-cli write with several --port against four kx9-radiosim at once, each
// on a pseudo-terminal of its own.

#include "SimImages.h"

#include <QFileInfo>

#include <array>

namespace kx9::test {
namespace {

class FleetCli : public CliRun
{
protected:
    void TearDown() override
    {
        for (std::size_t i = 0; i < radios.size(); ++i)
            stop(i);
    }
    // Starts the four radios on radioImage() with these flags; ports names
    // them all to kx9-cli, radio i's port at 2 * i + 1.
    void start(const std::array<QStringList, 4> &flags)
    {
        ASSERT_TRUE(writeRaw(path("radio-start.sin"), bytesOf(radioImage())));
        for (std::size_t i = 0; i < radios.size(); ++i) {
            ports << "--port"
                  << startSim(radios[i], flags[i] + QStringList{"--image", path("radio-start.sin"),
                                                                "--save", saved(i)});
            ASSERT_FALSE(ports.last().isEmpty());
        }
    }
    QString portOf(int i) const { return ports[2 * i + 1]; }
    QString saved(std::size_t i) const { return path(QStringLiteral("radio%1-saved.sin").arg(i)); }
    QByteArray stop(std::size_t i)
    {
        radios[i].terminate();
        radios[i].waitForFinished(kProcessTimeoutMs);
        return readRaw(saved(i));
    }

    std::array<QProcess, 4> radios;
    QStringList ports;
};

// Two clean radios get the file, the one that hangs up mid-write fails with
// its warning, the one of another identity is skipped (written with --yes);
// none of them holds back the others, and the status says not all succeeded.
// A restore sends the file's bytes as they are and verifies them.
// {restore, --yes}
class FleetWrite : public FleetCli, public ::testing::WithParamInterface<std::tuple<bool, bool>>
{
};

TEST_P(FleetWrite, WritesEveryRadioAtOnceAndReportsEachOnItsOwn)
{
    const auto [restore, yes] = GetParam();
    start({QStringList(), {}, {"--hang-up", "100"}, {"--identity", "07"}});
    const ProcessRun run = cli(QStringList{restore ? "restore" : "write", path("file.sin")} +
                               ports + (yes ? QStringList{"--yes"} : QStringList()));

    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_EQ(
        std::tuple(stop(0), stop(1), stop(3)),
        std::tuple(radioAfterWrite(510), radioAfterWrite(510), radioAfterWrite(yes ? 510 : 0)));
    // The hung-up radio's line gives the whole reason a single write gives.
    const char *written = restore ? " verified " : " written ";
    for (const auto &[i, said] :
         {std::pair(0, written),
          std::pair(2, "failed: Program Interrupt，Please reset the radio and try again. The radio "
                       "may now hold a partial write: write it again before using the radio."),
          std::pair(3, yes ? written : "skipped: identity differs from the file's 01")})
        EXPECT_TRUE(tableLine(run.out, portOf(i)).contains(said)) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(portOf(2) + ": The radio may now hold a partial write"));
    // Standard error is no terminal here: its lines carry no cursor movements.
    EXPECT_FALSE(run.err.contains('\033')) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(WriteAndRestore, FleetWrite,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param) ? "Restore" : "Write") +
                                    (std::get<1>(info.param) ? "WithYes" : "WithoutYes");
                         });

// Each radio into a file of its own in the folder; one that hangs up leaves
// no file, and --json keeps standard output a single array. Three identical
// radios read at once keep one backup between them (as a single read keeps
// one), whichever radio comes first, and none when told --no-backup.
TEST_F(FleetCli, ReadsEveryRadioIntoTheFolderAndKeepsOneBackupOfTheSameBytes)
{
    start({QStringList(), {}, {}, {"--hang-up", "100"}});
    // --no-backup keeps none, as for a single read: two radios into the test's folder.
    ASSERT_EQ(cli(QStringList{"read", "--no-backup", "-o", dir.path()} + ports.first(4)).exitCode,
              0);
    EXPECT_FALSE(QFileInfo::exists(backups()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("fleet"));
    const ProcessRun run = cli(QStringList{"read", "--json", "-o", path("fleet")} + ports);
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    QStringList names;
    for (int i = 0; i < 3; ++i)
        names << portOf(i).mid(5).replace('/', '-') + ".sin";
    names.sort();
    EXPECT_EQ(QDir(path("fleet")).entryList(QDir::Files, QDir::Name), names);
    EXPECT_EQ(readRaw(path("fleet/" + names[0])), bytesOf(radioImage()));
    EXPECT_TRUE(run.out.startsWith("[\n {\"port\": \"" + portOf(0) + "\""));
    EXPECT_TRUE(run.out.contains("\"result\": \"failed\", \"reason\": \"short reply\""))
        << run.out.toStdString();
    const QStringList files = backupFiles();
    ASSERT_EQ(files.size(), 1) << files.join(' ').toStdString();
    EXPECT_EQ(readRaw(backups() + "/" + files[0]), bytesOf(radioImage()));
}

} // namespace
} // namespace kx9::test
