// The safety net of kx9-cli against kx9-radiosim: the backup every read
// keeps, a write read back to verify it, and a backup taken before a write.

#include "RadioOwnBytes.h"
#include "SimImages.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kx9::test {
namespace {

class BackupVerify : public SimulatedRadioTest
{
protected:
    QString backups() const { return path("data/kx9/backups"); }
    QStringList backupFiles() const { return QDir(backups()).entryList(QDir::Files, QDir::Name); }
    ProcessRun read(const QString &name, QStringList extra = {}) const
    {
        return cli(QStringList{"read", "--port", port, "-o", path(name)} + extra);
    }
};

// One backup per read with the read's bytes (its privacy is BackupStoreTest's);
// --no-backup keeps none, a read of the same bytes adds none; `backups` lists it.
TEST_F(BackupVerify, AReadKeepsOneBackupAndARepeatedReadNone)
{
    startRadio({}, radioImage(7));
    ASSERT_EQ(read("c.sin", {"--no-backup"}).exitCode, 0);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(cli({"backups", "--json"}).out, "[\n]\n");
    ASSERT_EQ(read("a.sin").exitCode, 0);
    const QStringList files = backupFiles();
    ASSERT_EQ(files.size(), 1);
    const QString backup = backups() + "/" + files[0];
    // The simulator's port is /dev/pts/N, named pts-N.
    EXPECT_TRUE(files[0].endsWith("_id01_pts-" + QFileInfo(port).fileName() + ".sin"))
        << files[0].toStdString();
    EXPECT_EQ(readRaw(backup), bytesOf(radioImage(7)));

    const ProcessRun again = read("b.sin");
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    EXPECT_EQ(backupFiles(), files);

    const ProcessRun listed = cli({"backups"});
    ASSERT_EQ(listed.exitCode, 0);
    const QStringList cells = listed.out.trimmed().split('\t');
    ASSERT_EQ(cells.size(), 5) << listed.out.toStdString();
    EXPECT_EQ(cells[4], backup);
    const QJsonArray json =
        QJsonDocument::fromJson(cli({"backups", "--json"}).out.toUtf8()).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(QStringList({json[0]["time"].toString(), json[0]["port"].toString(),
                           json[0]["radioType"].toString(), json[0]["file"].toString()}),
              QStringList({cells[0], cells[1], cells[2], backup}));
    EXPECT_EQ(json[0]["identity"].toInt(), 1);
    EXPECT_EQ(cli({"backups", "--dir"}).out, backups() + "\n");
}

struct SafetyCase
{
    std::string name;
    QString radioFlags;
    QString command;
    bool noBackupFolder; // a file stands where the folder belongs
    int exitCode;
    QString said; // the start of what is said, or nothing
    Holds holds;
    friend void PrintTo(const SafetyCase &c, std::ostream *out) { *out << c.name; }
};

class BackupVerifyRun : public BackupVerify, public ::testing::WithParamInterface<SafetyCase>
{
};

// Verify catches a block the radio stored otherwise, and passes a clean
// write; a backup first that fails leaves the radio as it was; a backup
// that cannot be kept only warns a read, which still saves.
TEST_P(BackupVerifyRun, EndsAsItShould)
{
    const SafetyCase &c = GetParam();
    if (c.noBackupFolder) {
        ASSERT_TRUE(QDir().mkpath(path("data")));
        ASSERT_TRUE(writeRaw(path("data/kx9"), "a file where the folder belongs"));
    }
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    startRadio(c.radioFlags.split(' ', Qt::SkipEmptyParts), radioImage(9));
    const bool reading = c.command == "read";
    const ProcessRun r =
        cli(c.command.split(' ') + QStringList{"--port", port} +
            (reading ? QStringList{"-o", path("a.sin")} : QStringList{path("file.sin")}));
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
    EXPECT_TRUE(c.said.isEmpty() ? r.err.isEmpty() : r.err.contains(c.said)) << r.err.toStdString();
    const QByteArray held = stopRadio();
    EXPECT_EQ(held.left(0xFF0) == bytesOf(fileImage()).left(0xFF0), c.holds == Holds::TheFile);
    EXPECT_EQ(held == bytesOf(radioImage(9)), c.holds == Holds::WhatItHeld);
    if (reading) {
        EXPECT_EQ(readRaw(path("a.sin")), held);
    }
}

const SafetyCase kSafetyCases[] = {
    {"VerifyCatchesACorruptBlock", "--corrupt-write 5", "write --verify", false, 1,
     "Verify after writing failed: the radio holds other values than were written in 1 "
     "of the written bytes, at 0x028.",
     Holds::Neither},
    {"VerifyPassesACleanWrite", "", "write --verify", false, 0, "", Holds::TheFile},
    {"BackupFirstReadFails", "--no-read-ack 3", "write --backup-first --verify", false, 1,
     "Nothing was written: the radio could not be read first.", Holds::WhatItHeld},
    {"BackupFirstNotKept", "", "write --backup-first", true, 1,
     "Nothing was written: the radio's data could not be kept first.", Holds::WhatItHeld},
    {"ReadWithoutBackupWarnsAndSaves", "", "read", true, 0,
     "kx9-cli: warning: The radio's data was read, but no backup", Holds::WhatItHeld}};

INSTANTIATE_TEST_SUITE_P(Cases, BackupVerifyRun, ::testing::ValuesIn(kSafetyCases),
                         [](const auto &info) { return info.param.name; });

ChannelImage radioOwnBytes()
{
    return test::withRadioOwnBytes(fileImage());
}

// Read, write something else, restore the backup the read kept: the radio
// holds the backup's bytes again and the default verify passes; a file that
// is not a channel file is refused before the radio is touched.
TEST_F(BackupVerify, RestoreSendsTheBackupExactlyAndVerifiesIt)
{
    const ChannelImage held = radioOwnBytes();
    Document converted;
    converted.acceptRead(held, Language::English);
    ASSERT_NE(bytesOf(converted.imageAsSaved()).left(0xFF0), bytesOf(held).left(0xFF0));

    startRadio({}, held);
    ASSERT_EQ(read("a.sin").exitCode, 0);
    ASSERT_EQ(backupFiles().size(), 1);
    const QString backup = backups() + "/" + backupFiles()[0];
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    ASSERT_EQ(cli({"write", "--port", port, path("file.sin")}).exitCode, 0);

    ASSERT_TRUE(writeRaw(path("report.pdf"), QByteArray("%PDF-1.4").repeated(1024)));
    const ProcessRun refused = cli({"restore", "--port", port, path("report.pdf")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "kx9-cli: " + path("report.pdf") +
                               " is not a channel file: it holds 8192 bytes, a channel file "
                               "exactly 4096\n");

    const ProcessRun restored = cli({"restore", "--port", port, backup});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(restored.out, "Verified: the radio holds what was written.\n");
    EXPECT_EQ(stopRadio().left(0xFF0), bytesOf(held).left(0xFF0));
}

} // namespace
} // namespace kx9::test
