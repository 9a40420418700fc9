// kx9-cli write with several --port against four kx9-radiosim at once, each
// on a pseudo-terminal of its own.

#include "SimImages.h"

#include <QDir>

#include <array>
#include <memory>

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
        for (auto &r : radios)
            stop(*r);
    }
    void start(Radio &r, const QString &name, const QStringList &flags)
    {
        ASSERT_TRUE(writeRaw(path(name + "-start.sin"), bytesOf(radioImage())));
        r.saved = path(name + "-saved.sin");
        r.process.start(KX9_RADIOSIM, flags + QStringList{"--image", path(name + "-start.sin"),
                                                          "--save", r.saved});
        ASSERT_TRUE(r.process.waitForStarted(kProcessTimeoutMs));
        while (!r.process.canReadLine())
            ASSERT_TRUE(r.process.waitForReadyRead(kProcessTimeoutMs));
        r.port = QString::fromUtf8(r.process.readLine()).trimmed();
    }
    QByteArray stop(Radio &r)
    {
        if (r.process.state() != QProcess::NotRunning) {
            r.process.terminate();
            r.process.waitForFinished(kProcessTimeoutMs);
        }
        return r.saved.isEmpty() ? QByteArray() : readRaw(r.saved);
    }
    // The line of the final table that names port.
    static QString row(const ProcessRun &run, const QString &port)
    {
        for (const QString &line : run.out.split('\n'))
            if (line.startsWith(port + " "))
                return line;
        return {};
    }

    std::array<std::unique_ptr<Radio>, 4> radios{
        std::make_unique<Radio>(), std::make_unique<Radio>(), std::make_unique<Radio>(),
        std::make_unique<Radio>()};
};

// Two clean radios get the file, the one that hangs up mid-write fails with
// its warning, the one of another identity is skipped (written with --yes);
// none of them holds back the others, and the status says not all succeeded.
TEST_P(FleetCli, WritesEveryRadioAtOnceAndReportsEachOnItsOwn)
{
    const bool yes = GetParam();
    start(*radios[0], "clean1", {});
    start(*radios[1], "clean2", {});
    start(*radios[2], "hangup", {"--hang-up", "100"});
    start(*radios[3], "other", {"--identity", "07"});
    const ChannelImage file = fileImage();
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(file)));

    QStringList args{"write", path("file.sin")};
    for (const auto &r : radios)
        args << "--port" << r->port;
    if (yes)
        args << "--yes";
    const ProcessRun run = cli(args);

    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QByteArray written = bytesOf(file).left(kWritten);
    EXPECT_EQ(stop(*radios[0]).left(kWritten), written);
    EXPECT_EQ(stop(*radios[1]).left(kWritten), written);
    EXPECT_EQ(stop(*radios[3]).left(kWritten) == written, yes);
    EXPECT_TRUE(row(run, radios[0]->port).contains(" written "));
    // The whole reason a single write gives.
    EXPECT_TRUE(row(run, radios[2]->port)
                    .contains("failed: Program Interrupt，Please reset the radio and try again. "
                              "The radio may now hold a partial write: write it again before "
                              "using the radio."))
        << run.out.toStdString();
    EXPECT_TRUE(row(run, radios[3]->port)
                    .contains(yes ? " written " : "skipped: identity differs from the file's 01"))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(radios[2]->port + ": The radio may now hold a partial write"));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutYes, FleetCli, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "WithYes" : "WithoutYes"; });

// Each radio into a file of its own in the folder; one that hangs up leaves
// no file, and --json keeps standard output a single array. Three identical
// radios read at once, each on its own thread, keep one backup between them
// (as a single read keeps one), whichever thread comes first.
TEST_F(FleetCli, ReadsEveryRadioIntoTheFolderAndKeepsOneBackupOfTheSameBytes)
{
    QStringList args{"read", "--json", "-o", path("out")};
    for (std::size_t i = 0; i < radios.size(); ++i) {
        start(*radios[i], QStringLiteral("radio%1").arg(i),
              i == 3 ? QStringList{"--hang-up", "100"} : QStringList());
        args << "--port" << radios[i]->port;
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const ProcessRun run = cli(args);
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    QStringList names;
    for (std::size_t i = 0; i < 3; ++i)
        names << radios[i]->port.mid(5).replace('/', '-') + ".sin";
    names.sort();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files, QDir::Name), names);
    EXPECT_EQ(readRaw(path("out/" + names[0])), readRaw(path("radio0-start.sin")));
    EXPECT_TRUE(run.out.startsWith("[\n {\"port\": \"" + radios[0]->port + "\""));
    EXPECT_TRUE(run.out.contains("\"result\": \"failed\", \"reason\": \"short reply\""))
        << run.out.toStdString();
    const QStringList backups = QDir(path("data/kx9/backups")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    EXPECT_EQ(readRaw(path("data/kx9/backups/" + backups[0])), readRaw(path("radio0-start.sin")));
}

} // namespace
} // namespace kx9::test
