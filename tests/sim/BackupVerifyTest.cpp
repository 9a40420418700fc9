// The safety net of kx9-cli against kx9-radiosim: the backup every read
// keeps, a write read back to verify it, and a backup taken before a write.

#include "RadioOwnBytes.h"
#include "SimImages.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace kx9::test {
namespace {

unsigned modeOf(const QString &path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

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

// One backup per read, private, with the read's bytes; a read of the same
// bytes adds none, and --no-backup keeps none; `backups` lists it.
TEST_F(BackupVerify, AReadKeepsOnePrivateBackupAndARepeatedReadNone)
{
    startRadio({}, radioImage(7));
    ASSERT_EQ(read("a.sin").exitCode, 0);
    const QStringList files = backupFiles();
    ASSERT_EQ(files.size(), 1);
    const QString backup = backups() + "/" + files[0];
    // The simulator's port is /dev/pts/N, named pts-N.
    EXPECT_TRUE(files[0].endsWith("_id01_pts-" + QFileInfo(port).fileName() + ".sin"))
        << files[0].toStdString();
    EXPECT_EQ(readRaw(backup), bytesOf(radioImage(7)));
    EXPECT_EQ(modeOf(backup), 0600u);
    EXPECT_EQ(modeOf(backups()), 0700u);

    const ProcessRun again = read("b.sin");
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    ASSERT_EQ(read("c.sin", {"--no-backup"}).exitCode, 0);
    EXPECT_EQ(backupFiles(), files);

    const ProcessRun listed = cli({"backups"});
    ASSERT_EQ(listed.exitCode, 0);
    const QStringList cells = listed.out.trimmed().split('\t');
    ASSERT_EQ(cells.size(), 5) << listed.out.toStdString();
    EXPECT_EQ(cells[4], backup);
    EXPECT_EQ(cli({"backups", "--dir"}).out, backups() + "\n");
}

// A backup that cannot be kept is a warning: the read saves its output.
TEST_F(BackupVerify, AnUnwritableBackupFolderWarnsAndTheReadStillSaves)
{
    ASSERT_TRUE(QDir().mkpath(path("data")));
    ASSERT_TRUE(writeRaw(path("data/kx9"), "a file where the folder belongs"));
    startRadio({}, radioImage(7));
    const ProcessRun r = read("a.sin");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.startsWith("kx9-cli: warning: The radio's data was read, but no backup"))
        << r.err.toStdString();
    EXPECT_EQ(readRaw(path("a.sin")), bytesOf(radioImage(7)));
}

struct WriteCase
{
    std::string name;
    QStringList radioFlags;
    QStringList writeFlags;
    bool plantFileForFolder; // the backups folder cannot be made
    int exitCode;
    QString errStart;
    bool written;   // the radio holds the file afterwards
    bool untouched; // the radio holds what it held before
    friend void PrintTo(const WriteCase &c, std::ostream *out) { *out << c.name; }
};

class BackupVerifyWrite : public BackupVerify, public ::testing::WithParamInterface<WriteCase>
{
};

// Verify catches a block the radio stored otherwise, and passes a clean
// write; a backup first that fails leaves the radio as it was.
TEST_P(BackupVerifyWrite, EndsAsItShould)
{
    const WriteCase &c = GetParam();
    if (c.plantFileForFolder) {
        ASSERT_TRUE(QDir().mkpath(path("data")));
        ASSERT_TRUE(writeRaw(path("data/kx9"), "a file where the folder belongs"));
    }
    ASSERT_TRUE(writeRaw(path("file.sin"), bytesOf(fileImage())));
    startRadio(c.radioFlags, radioImage(9));
    const ProcessRun w =
        cli(QStringList{"write", "--port", port} + c.writeFlags + QStringList{path("file.sin")});
    EXPECT_EQ(w.exitCode, c.exitCode) << w.err.toStdString();
    EXPECT_TRUE(c.errStart.isEmpty() ? w.err.isEmpty() : w.err.contains(c.errStart))
        << w.err.toStdString();
    const QByteArray held = stopRadio();
    EXPECT_EQ(held.left(0xFF0) == bytesOf(fileImage()).left(0xFF0), c.written);
    EXPECT_EQ(held == bytesOf(radioImage(9)), c.untouched);
}

std::vector<WriteCase> writeCases()
{
    const QStringList none, verify("--verify"), backupFirst("--backup-first");
    return {{"VerifyCatchesACorruptBlock", QStringList{"--corrupt-write", "5"}, verify, false, 1,
             "Verify after writing failed: the radio holds other values than were written in 1 of "
             "the written bytes, at 0x028.",
             false, false},
            {"VerifyPassesACleanWrite", none, verify, false, 0, "", true, false},
            {"BackupFirstReadFails", QStringList{"--no-read-ack", "3"}, backupFirst + verify, false,
             1, "Nothing was written: the radio could not be read first.", false, true},
            {"BackupFirstNotKept", none, backupFirst, true, 1,
             "Nothing was written: the radio's data could not be kept first.", false, true}};
}

INSTANTIATE_TEST_SUITE_P(Cases, BackupVerifyWrite, ::testing::ValuesIn(writeCases()),
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
