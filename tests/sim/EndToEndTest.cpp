// kx9-cli against kx9-radiosim through a real pseudo-terminal.

#include "ChannelImage.h"
#include "Document.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kx9 {
namespace {

constexpr int kProcessTimeoutMs = 60000;

bool saveRaw(const QString &path, const ChannelImage &image)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(reinterpret_cast<const char *>(image.bytes().data()), kImageSize) ==
               static_cast<qint64>(kImageSize);
}

std::optional<ChannelImage> loadRaw(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = f.readAll();
    if (data.size() != static_cast<qsizetype>(kImageSize))
        return std::nullopt;
    ChannelImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(data[static_cast<qsizetype>(i)]));
    return image;
}

// A radio whose memory the table conversion leaves as it is: a new
// document's default channels, plus bytes no conversion touches.
ChannelImage radioMemory(std::uint8_t identity)
{
    Document doc;
    doc.newDocument(Language::English);
    ChannelImage image = doc.imageAsSaved();
    image.setRadioIdentity(identity);
    for (std::size_t a = 0xD20; a < 0xD40; ++a)
        image.setByte(a, static_cast<std::uint8_t>(a));
    image.setByte(0xFF8, 0x5A); // power calibration, which a write never sends
    image.setByte(0xFF9, 0xA5);
    return image;
}

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { stopRadio(); }

    QString path(const char *name) const { return dir.filePath(name); }

    // Starts the radio on the memory given; returns its device path.
    void startRadio(const ChannelImage &memory, QStringList flags = {})
    {
        ASSERT_TRUE(saveRaw(path("radio-start.sin"), memory));
        flags << "--image" << path("radio-start.sin") << "--save" << path("radio-saved.sin");
        radio.start(KX9_RADIOSIM, flags);
        ASSERT_TRUE(radio.waitForStarted(kProcessTimeoutMs));
        while (!radio.canReadLine())
            ASSERT_TRUE(radio.waitForReadyRead(kProcessTimeoutMs)) << "no device path printed";
        port = QString::fromUtf8(radio.readLine()).trimmed();
        ASSERT_TRUE(port.startsWith("/dev/")) << port.toStdString();
    }
    // Ends the radio as a user would; it saves its memory on the way out.
    void stopRadio()
    {
        if (radio.state() == QProcess::NotRunning)
            return;
        radio.terminate();
        radio.waitForFinished(kProcessTimeoutMs);
    }
    CliRun cli(const QStringList &args)
    {
        QProcess p;
        p.start(KX9_CLI, args);
        p.closeWriteChannel(); // no terminal, no answers
        CliRun run;
        if (!p.waitForFinished(kProcessTimeoutMs))
            return run;
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.out = QString::fromUtf8(p.readAllStandardOutput());
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    QTemporaryDir dir;
    QProcess radio;
    QString port;
};

TEST_F(EndToEndTest, RoundTripRadioFileRadioLeavesTheMemoryAsItWas)
{
    const ChannelImage memory = radioMemory(0x01);
    startRadio(memory);
    const CliRun read = cli({"read", "--port", port, "-o", path("read.sin")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(read.err.isEmpty()) << read.err.toStdString(); // no terminal, no bar
    EXPECT_EQ(loadRaw(path("read.sin")), memory);

    // The same pty serves a second program after the first has closed it.
    const CliRun write = cli({"write", "--port", port, path("read.sin")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_EQ(loadRaw(path("radio-saved.sin")), memory); // saved after the complete write
}

TEST_F(EndToEndTest, IdentityMismatchIsRefusedWithoutTerminalAndAcceptedWithYes)
{
    startRadio(radioMemory(0x01), {"--identity", "07"});
    ASSERT_TRUE(saveRaw(path("file.sin"), radioMemory(0x01)));

    const CliRun refused = cli({"write", "--port", port, path("file.sin")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(
        " Radio Type are not match for your setting，If you want continue,push ok button"))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("--yes"));
    EXPECT_FALSE(QFile::exists(path("radio-saved.sin")));

    const CliRun accepted = cli({"write", "--port", port, "--yes", path("file.sin")});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_TRUE(QFile::exists(path("radio-saved.sin")));
}

TEST_F(EndToEndTest, ShortReplyEndsTheReadAndLeavesTheOutputFileAlone)
{
    startRadio(radioMemory(0x01), {"--short-reply", "100:10"});
    QFile old(path("out.sin"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous contents");
    old.close();

    const CliRun read = cli({"read", "--port", port, "-o", path("out.sin")});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.err.trimmed(), "not received enough  byte");
    QFile after(path("out.sin"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray("previous contents"));
}

TEST_F(EndToEndTest, HangUpDuringAReadEndsTheReadAndTheRadio)
{
    startRadio(radioMemory(0x01), {"--hang-up", "10", "--wrong-wakeup"});
    const CliRun read = cli({"read", "--port", port, "-o", path("out.sin")});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_TRUE(read.err.contains("not received enough  byte")) << read.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.sin")));
    EXPECT_TRUE(radio.waitForFinished(kProcessTimeoutMs));
    EXPECT_EQ(radio.exitCode(), 0);
}

TEST_F(EndToEndTest, MissingPortFailsToOpen)
{
    const CliRun missing = cli({"read", "--port", path("no-such-port"), "-o", path("out.sin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith("Could not Open the Port,Please check whether the Port are "
                                       "occupied or the device are ok\n"))
        << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.sin")));
}

} // namespace
} // namespace kx9

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
