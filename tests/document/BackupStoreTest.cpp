// Every read keeps what the radio held, without piling up duplicates or
// growing without end, and a backup that cannot be kept says why.

#include "BackupStore.h"
#include "BackupTexts.h"
#include "RadioType.h"
#include "TempFolder.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>

namespace kx9::backups_test {

namespace fs = std::filesystem;
using test::slurp;

// 2026-12-07 19:15:03 UTC.
constexpr std::time_t kNow = 1796670903;
constexpr std::time_t kDay = 24 * 60 * 60;

ChannelImage radioImage(std::uint8_t identity, std::uint8_t fill = 0x11)
{
    ChannelImage image = newDocumentImage();
    image.setRadioIdentity(identity);
    image.setByte(0x100, fill);
    return image;
}

std::string bytesOf(const ChannelImage &image)
{
    return {image.bytes().begin(), image.bytes().end()};
}

class BackupStoreTest : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        // Names carry local time; a fixed zone makes them known.
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }

    std::set<std::string> files() const
    {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder()))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string folder() const { return (m_dir / "data" / "backups").string(); }
    BackupResult keep(const ChannelImage &image, std::time_t now = kNow, int days = 365)
    {
        return store().keep(image, "/dev/ttyUSB0", Language::English, days, now);
    }
    BackupStore store() const { return BackupStore(folder()); }
};

TEST_F(BackupStoreTest,
       ReadKeepsOnePrivateFileWithItsBytesInAPrivateFolderItCreatesWhateverTheUmask)
{
    const ChannelImage image = radioImage(0x01);
    // Even a umask that takes the owner's bits leaves the owner able to add more.
    const mode_t umask = ::umask(0277);
    const BackupResult kept = keep(image);
    ::umask(umask);

    ASSERT_EQ(kept.outcome, BackupOutcome::Kept) << kept.message;
    EXPECT_EQ(files(), std::set<std::string>{"2026-12-07_191503_id01_ttyUSB0.sin"});
    EXPECT_EQ(slurp(kept.path), bytesOf(image));
    EXPECT_EQ(fs::status(kept.path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(folder()).permissions(), fs::perms::owner_all);
}

TEST_F(BackupStoreTest, OnlyAReadThatDiffersFromTheNewestOfItsIdentityAddsAFileNeverReusingAName)
{
    const ChannelImage a = radioImage(0x01, 0x11), b = radioImage(0x01, 0x22);
    ASSERT_EQ(keep(a).outcome, BackupOutcome::Kept);
    EXPECT_EQ(keep(a).outcome, BackupOutcome::Unchanged);
    EXPECT_EQ(keep(b).outcome, BackupOutcome::Kept);           // same second: ".2"
    EXPECT_EQ(keep(a, kNow + 1).outcome, BackupOutcome::Kept); // a is no longer the newest
    EXPECT_EQ(keep(radioImage(0x07, 0x22)).outcome, BackupOutcome::Kept);
    EXPECT_EQ(files(), (std::set<std::string>{"2026-12-07_191503_id01_ttyUSB0.sin",
                                              "2026-12-07_191503_id01_ttyUSB0.2.sin",
                                              "2026-12-07_191504_id01_ttyUSB0.sin",
                                              "2026-12-07_191503_id07_ttyUSB0.sin"}));
}

TEST_F(BackupStoreTest, PruningRemovesOldBackupsButTheNewestOfEachIdentityAndOtherFiles)
{
    ASSERT_EQ(keep(radioImage(0x01, 1), kNow - 400 * kDay).outcome, BackupOutcome::Kept);
    ASSERT_EQ(keep(radioImage(0x01, 2), kNow - 300 * kDay).outcome, BackupOutcome::Kept);
    ASSERT_EQ(keep(radioImage(0x02, 1), kNow - 500 * kDay).outcome, BackupOutcome::Kept);
    std::ofstream(fs::path(folder()) / "2020-01-01_my-own-notes.sin") << "x";
    // With pruning off nothing goes; then the next backup prunes.
    EXPECT_EQ(keep(radioImage(0x01, 3), kNow - 10 * kDay, 0).pruned, 0);
    const BackupResult kept = keep(radioImage(0x01, 4));

    EXPECT_EQ(kept.pruned, 1);
    EXPECT_EQ(files(), (std::set<std::string>{"2026-02-10_191503_id01_ttyUSB0.sin",
                                              "2026-11-27_191503_id01_ttyUSB0.sin",
                                              "2026-12-07_191503_id01_ttyUSB0.sin",
                                              "2025-07-25_191503_id02_ttyUSB0.sin",
                                              "2020-01-01_my-own-notes.sin"}));
}

TEST_F(BackupStoreTest, FolderThatCannotBeMadeIsAResultThatSaysWhereAndWhy)
{
    fs::create_directories(m_dir / "data");
    std::ofstream(folder()) << "a file where the folder should be";
    const BackupResult kept = keep(radioImage(0x01));

    EXPECT_EQ(kept.outcome, BackupOutcome::Failed);
    EXPECT_EQ(kept.message, fillIn(text::kBackupNotKept.en, {folder(), "Not a directory"}));
    EXPECT_EQ(slurp(folder()), "a file where the folder should be");
}

TEST_F(BackupStoreTest, ListShowsNewestFirstWithPortTypeChannelsAndDifference)
{
    ChannelImage withChannel = radioImage(0x01, 0x33);
    withChannel.setRxFrequency(1, 44600625);
    withChannel.setTxFrequency(1, 44600625);
    ASSERT_TRUE(keep(radioImage(0x01)).ok());
    ASSERT_TRUE(store().keep(withChannel, "/dev/pts/5", Language::English, 365, kNow + 60).ok());

    const std::vector<BackupEntry> entries = store().list(&withChannel);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].dateTime, "2026-12-07 19:16:03");
    EXPECT_EQ(entries[0].port, "pts5");
    EXPECT_EQ(entries[0].identity, 0x01);
    EXPECT_EQ(entries[0].radioType, radioTypeName(radioTypeFromImage(withChannel)));
    EXPECT_EQ(entries[0].channelsInUse, 1);
    EXPECT_FALSE(entries[0].differs);
    EXPECT_EQ(entries[1].port, "ttyUSB0");
    EXPECT_EQ(entries[1].channelsInUse, 0);
    EXPECT_TRUE(entries[1].differs);
}

TEST(PortShortName, KeepsTheDeviceNameAndOnlySafeCharacters)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/dev/ttyUSB0", "ttyUSB0"},
        {"/dev/pts/5", "pts5"},
        {"COM3", "COM3"},
        {"C:\\ports\\COM4", "COM4"},
        {"/tmp/my radio.1", "my_radio_1"},
        {"", "port"}};
    for (const auto &[port, expected] : cases)
        EXPECT_EQ(portShortName(port), expected) << port;
}

} // namespace kx9::backups_test
