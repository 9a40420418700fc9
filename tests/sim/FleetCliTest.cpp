// kx9-cli write with several --port against four kx9-radiosim at once, each
// on a pseudo-terminal of its own.

#include "Document.h"
#include "SimulatedRadio.h"

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
        ChannelImage memory; // differs from the file in every block
        for (std::size_t i = 0; i < kImageSize; ++i)
            memory.setByte(i, static_cast<std::uint8_t>(i * 7 + 3));
        memory.setRadioIdentity(0x01);
        ASSERT_TRUE(writeRaw(path(name + "-start.sin"), bytesOf(memory)));
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
    Document doc;
    doc.newDocument(Language::English);
    ChannelImage file = doc.imageAsSaved();
    file.setRadioIdentity(0x01);
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
// no file, and --json keeps standard output a single array.
TEST_F(FleetCli, ReadsEveryRadioIntoTheFolder)
{
    start(*radios[0], "clean1", {});
    start(*radios[1], "hangup", {"--hang-up", "100"});
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const ProcessRun run = cli({"read", "--port", radios[0]->port, "--port", radios[1]->port,
                                "--json", "-o", path("out")});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QString name = radios[0]->port.mid(5).replace('/', '-') + ".sin";
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files), QStringList{name});
    EXPECT_EQ(readRaw(path("out/" + name)), readRaw(path("clean1-start.sin")));
    EXPECT_TRUE(run.out.startsWith("[\n {\"port\": \"" + radios[0]->port + "\""));
    EXPECT_TRUE(run.out.contains("\"result\": \"failed\", \"reason\": \"short reply\""))
        << run.out.toStdString();
    // The completed read keeps its backup, as a single read does.
    const QStringList backups = QDir(path("data/kx9/backups")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    EXPECT_EQ(readRaw(path("data/kx9/backups/" + backups[0])), readRaw(path("clean1-start.sin")));
}

// Four identical radios read at once, each on its own thread, keep one
// backup between them, whichever thread comes first.
TEST_F(FleetCli, FourIdenticalRadiosReadAtOnceKeepOneBackup)
{
    QStringList args{"read", "-o", path("out")};
    for (std::size_t i = 0; i < radios.size(); ++i) {
        start(*radios[i], QStringLiteral("same%1").arg(i), {});
        args << "--port" << radios[i]->port;
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const ProcessRun run = cli(args);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files).size(), 4);
    const QStringList backups = QDir(path("data/kx9/backups")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    EXPECT_EQ(readRaw(path("data/kx9/backups/" + backups[0])), readRaw(path("same0-start.sin")));
}

TEST_F(FleetCli, TheSamePortTwiceIsAWrongCommandLine)
{
    start(*radios[0], "clean1", {});
    const ProcessRun run = cli(
        {"write", "--port", radios[0]->port, "--port", radios[0]->port, "--yes", path("none.sin")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("given twice")) << run.err.toStdString();
}

} // namespace
} // namespace kx9::test
