// The safety net of kx9-cli against kx9-radiosim: the backup every read
// keeps, a write read back to verify it, and a backup taken before a write.

#include "SimImages.h"
#include "TestImages.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kx9::test {
namespace {

using BackupVerify = CliRun;

// One backup per read with the read's bytes (its privacy, and that a read of
// the same bytes adds none, are BackupStoreTest's); --no-backup keeps none;
// `backups` lists it.
// Then write something else and restore the backup: the radio holds the
// backup's bytes again, not what the table would make of them, and the
// default verify passes; a file that is not a channel file is refused before
// the radio is touched.
TEST_F(BackupVerify, AReadKeepsOneBackupARepeatedReadNoneAndRestoreSendsItExactly)
{
    const ChannelImage held = withRadioOwnBytes(fileImage());
    Document converted;
    converted.acceptRead(held, Language::English);
    ASSERT_NE(bytesOf(converted.imageAsSaved()).left(0xFF0), bytesOf(held).left(0xFF0));
    startRadio({}, held);
    ASSERT_EQ(transfer("read --no-backup").exitCode, 0);
    EXPECT_TRUE(backupFiles().isEmpty());
    EXPECT_EQ(cli({"backups", "--json"}).out, "[\n]\n");
    ASSERT_EQ(transfer("read").exitCode, 0);
    const QStringList files = backupFiles();
    ASSERT_EQ(files.size(), 1);
    const QString backup = backups() + "/" + files[0];
    // The simulator's port is /dev/pts/N, named pts-N.
    EXPECT_TRUE(files[0].endsWith("_id01_pts-" + QFileInfo(port).fileName() + ".sin"))
        << files[0].toStdString();
    EXPECT_EQ(readRaw(backup), bytesOf(held));

    const ProcessRun listed = cli({"backups"});
    const QStringList cells = listed.out.trimmed().split('\t');
    ASSERT_EQ(cells.size(), 5) << listed.out.toStdString();
    EXPECT_EQ(std::tuple(listed.exitCode, cells[4]), std::tuple(0, backup));
    const QJsonArray json =
        QJsonDocument::fromJson(cli({"backups", "--json"}).out.toUtf8()).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(QStringList({json[0]["time"].toString(), json[0]["port"].toString(),
                           json[0]["radioType"].toString(), json[0]["file"].toString(),
                           QString::number(json[0]["identity"].toInt())}),
              QStringList({cells[0], cells[1], cells[2], backup, "1"}));
    EXPECT_EQ(cli({"backups", "--dir"}).out, backups() + "\n");

    ASSERT_EQ(transfer("write").exitCode, 0);
    ASSERT_TRUE(writeRaw(path("report.pdf"), QByteArray("%PDF-1.4").repeated(1024)));
    const ProcessRun refused = cli({"restore", "--port", port, path("report.pdf")});
    EXPECT_EQ(std::tuple(refused.exitCode, refused.err),
              std::tuple(1, "kx9-cli: " + path("report.pdf") +
                                " is not a channel file: it holds 8192 bytes, a channel file "
                                "exactly 4096\n"));
    const ProcessRun restored = cli({"restore", "--port", port, backup});
    EXPECT_EQ(std::tuple(restored.exitCode, restored.out),
              std::tuple(0, QString("Verified: the radio holds what was written.\n")))
        << restored.err.toStdString();
    EXPECT_EQ(stopRadio(), bytesOf(held)); // the radio keeps its last 16 bytes
}

// Verify catches a block the radio stored otherwise, and passes a clean
// write; a backup first that fails leaves the radio as it was; a backup
// that cannot be kept only warns a read, which still saves. The test that
// runs them is in FaultMatrixTest.cpp.
const QString kNoBackup =
    "The radio's data was read, but no backup of it could be kept in {dir}/data/kx9: it is not a "
    "folder\n";

const TransferFault kSafetyCases[] = {
    {"VerifyCatchesACorruptBlock", "--corrupt-write 5", "write --verify", 1,
     "Verify after writing failed: the radio holds other values than were written in 1 of the "
     "written bytes, at 0x028. Write the radio again.\n",
     510, 0, "", false, false, 0x028},
    {"VerifyPassesACleanWrite", "", "write --verify", 0, "", 510},
    {"BackupFirstReadFails", "--no-read-ack 3", "write --backup-first --verify", 1,
     "Error had happen,please try again\nNothing was written: the radio could not be read "
     "first.\n"},
    {"BackupFirstNotKept", "", "write --backup-first", 1,
     "Nothing was written: the radio's data could not be kept first. " + kNoBackup, 0, 0, "", false,
     true},
    {"ReadWithoutBackupWarnsAndSaves", "", "read", 0, "kx9-cli: warning: " + kNoBackup, 0, 0, "",
     false, true}};

INSTANTIATE_TEST_SUITE_P(SafetyNet, TransferFaults, ::testing::ValuesIn(kSafetyCases),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace kx9::test
