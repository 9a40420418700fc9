// Every read keeps what the radio held, whatever the clock says, whoever
// else backs up at once and whoever else can reach the folder.

#include "BackupStore.h"
#include "BackupNames.h"
#include "BackupSettings.h"
#include "BackupTexts.h"
#include "PortFileName.h"
#include "RadioType.h"
#include "TempFolder.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <latch>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

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
        // Older names carry local time: a zone an hour east of UTC tells them apart.
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }

    std::set<std::string> files() const
    {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder()))
            if (entry.path().filename() != ".lock")
                names.insert(entry.path().filename().string());
        return names;
    }
    std::string data() const { return (m_dir / "data").string(); }
    std::string folder() const { return (m_dir / "data" / "backups").string(); }
    BackupStore store(int days = 365) const
    {
        return BackupStore(folder(), days, [this] { return now; });
    }
    BackupResult keep(const ChannelImage &image, int days = 365)
    {
        return store(days).keep(image, "/dev/ttyUSB0", Language::English);
    }
    // A backup as an earlier run left it: its name's time and its file's.
    std::string plant(std::time_t named, std::time_t modified, const ChannelImage &image)
    {
        fs::create_directories(folder());
        fs::permissions(data(), fs::perms::owner_all);
        fs::permissions(folder(), fs::perms::owner_all);
        const std::string name = backupFileName(named, image.radioIdentity(), "ttyUSB0");
        test::writeFile(fs::path(folder()) / name, bytesOf(image));
        const timespec times[2] = {{modified, 0}, {modified, 0}};
        ::utimensat(AT_FDCWD, (fs::path(folder()) / name).c_str(), times, 0);
        return name;
    }

    std::time_t now = kNow;
};

// Each read keeps one private file in folders it makes exactly 0700, named in
// UTC, unless it holds the bytes of the newest backup of its radio identity.
TEST_F(BackupStoreTest, OnlyAReadThatDiffersFromTheNewestOfItsIdentityAddsAFileNeverReusingAName)
{
    const ChannelImage a = radioImage(0x01, 0x11), b = radioImage(0x01, 0x22);
    // Even a umask that takes the owner's bits leaves the owner able to add more.
    const mode_t umask = ::umask(0277);
    const BackupResult first = keep(a);
    ::umask(umask);
    ASSERT_EQ(first.outcome, BackupOutcome::Kept) << first.message;
    EXPECT_EQ(slurp(first.path), bytesOf(a));
    EXPECT_EQ(fs::status(first.path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(folder()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(data()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(keep(a).outcome, BackupOutcome::Unchanged);
    EXPECT_EQ(keep(b).outcome, BackupOutcome::Kept); // same second: ".2"
    // The copy a backup-first write relies on may hold bytes first seen long
    // ago: reading them again starts their age again.
    now = kNow + 1;
    EXPECT_EQ(keep(b).outcome, BackupOutcome::Unchanged);
    struct stat kept = {};
    ::stat((fs::path(folder()) / "2026-12-07_191503Z_id01_ttyUSB0.2.sin").c_str(), &kept);
    EXPECT_EQ(kept.st_mtime, now);
    EXPECT_EQ(keep(a).outcome, BackupOutcome::Kept); // a is no longer the newest
    EXPECT_EQ(keep(radioImage(0x07, 0x22)).outcome, BackupOutcome::Kept);
    EXPECT_EQ(files(), (std::set<std::string>{"2026-12-07_191503Z_id01_ttyUSB0.sin",
                                              "2026-12-07_191503Z_id01_ttyUSB0.2.sin",
                                              "2026-12-07_191504Z_id01_ttyUSB0.sin",
                                              "2026-12-07_191504Z_id07_ttyUSB0.sin"}));
}

// What one more read prunes, by the age of each backup's name and file.
using Ages = std::vector<std::pair<int, int>>; // {name, file} in days, id01 unless negative

// Backups read on these days, name and file alike.
Ages on(std::initializer_list<int> days)
{
    Ages ages;
    for (const int day : days)
        ages.emplace_back(day, day);
    return ages;
}

// Backups of one radio read daily, the newest `from` days ago.
Ages daily(int count, int from = 400)
{
    Ages ages;
    for (int day = from; day < from + count; ++day)
        ages.emplace_back(day, day);
    return ages;
}

Ages operator+(Ages a, const Ages &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct PruneCase
{
    const char *name;
    Ages planted;
    std::time_t clock;
    std::set<int> gone; // indexes into planted
    bool clockBehind = false;
    int maxAgeDays = 365;
};

class PruneTest : public BackupStoreTest, public ::testing::WithParamInterface<PruneCase>
{
};

TEST_P(PruneTest, RemovesOnlyWhatIsOldByNameAndFileBeyondTheNewestTen)
{
    const PruneCase &c = GetParam();
    std::vector<std::string> planted;
    for (std::size_t i = 0; i < c.planted.size(); ++i) {
        const auto [named, modified] = c.planted[i];
        const std::uint8_t identity = named < 0 ? 0x02 : 0x01;
        planted.push_back(plant(kNow - std::abs(named) * kDay, kNow - std::abs(modified) * kDay,
                                radioImage(identity, static_cast<std::uint8_t>(i))));
    }
    test::writeFile(fs::path(folder()) / "2020-01-01_my-own-notes.sin", "x");
    now = c.clock;

    const BackupStore one = store(c.maxAgeDays);
    const BackupResult kept = one.keep(radioImage(0x01, 0xEE), "/dev/ttyUSB0", Language::English);
    ASSERT_TRUE(kept.ok()) << kept.message;
    EXPECT_EQ(kept.pruned, static_cast<int>(c.gone.size()));
    for (std::size_t i = 0; i < planted.size(); ++i)
        EXPECT_EQ(files().count(planted[i]), c.gone.count(static_cast<int>(i)) ? 0u : 1u) << i;
    EXPECT_EQ(files().count("2020-01-01_my-own-notes.sin"), 1u);
    EXPECT_EQ(kept.note, c.clockBehind ? std::string(text::kBackupClockBehind.en) : "");
    EXPECT_EQ(one.keep(radioImage(0x01, 0xEF), "p", Language::English).note, ""); // said once
}

const PruneCase kPruneCases[] = {
    {"OldBeyondTheNewestTenGo", daily(12), kNow, {9, 10, 11}},
    {"OtherIdentitiesCountTheirOwnTen", on({400, -500, -501, 401}), kNow, {}},
    {"AFileTouchedLatelyStays", daily(10) + Ages{{410, 5}, {411, 411}}, kNow, {9, 11}},
    {"AClockYearsAheadKeepsTheNewestTen", on({0, 1, 2, -3}), kNow + 800 * kDay, {}},
    {"AClockBehindTheNewestBackupPrunesNothing", on({0}) + daily(12), kNow - 10 * kDay, {}, true},
    {"PruningOffKeepsEverything", daily(12, 3000), kNow, {}, false, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, PruneTest, ::testing::ValuesIn(kPruneCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Radios read at once, in one program or several, keep one file of the same bytes.
TEST_F(BackupStoreTest, KeepersOnManyThreadsAtOnceKeepOneFile)
{
    constexpr int kThreads = 8;
    std::latch start(kThreads);
    std::vector<BackupOutcome> outcomes(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&, i] {
            const BackupStore own = store();
            start.arrive_and_wait();
            outcomes[static_cast<std::size_t>(i)] =
                own.keep(radioImage(0x01), "/dev/pts/" + std::to_string(i), Language::English)
                    .outcome;
        });
    for (std::thread &t : threads)
        t.join();
    EXPECT_EQ(files().size(), 1u);
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), BackupOutcome::Kept), 1);
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), BackupOutcome::Unchanged), kThreads - 1);
}

// A folder another user could write is neither filled nor listed, and the
// refusal names it and why.
struct LooseFolder
{
    const char *name;
    std::function<void(const fs::path &data, const fs::path &backups)> make;
    bool refusesData; // else the backups folder
    TextPair reason;
};

class LooseFolderTest : public BackupStoreTest, public ::testing::WithParamInterface<LooseFolder>
{
};

TEST_P(LooseFolderTest, IsRefusedByNameAndReasonInBothLanguages)
{
    const LooseFolder &c = GetParam();
    plant(kNow - kDay, kNow - kDay, radioImage(0x01, 0x66));
    c.make(data(), folder());
    if (::geteuid() != 0 && c.reason.en == text::kFolderNotYours.en)
        GTEST_SKIP() << "giving a folder away needs root";

    const std::string where = c.refusesData ? data() : folder();
    const BackupResult kept = keep(radioImage(0x01));
    EXPECT_EQ(kept.outcome, BackupOutcome::Failed);
    EXPECT_EQ(kept.message, fillIn(text::kBackupNotKept.en, {where, c.reason.en}));
    EXPECT_TRUE(store().list().empty());
    EXPECT_EQ(store().folderProblem(Language::Chinese),
              fillIn(text::kBackupFolderRefused.zh, {where, c.reason.zh}));
    if (fs::is_directory(folder())) { // nothing added, whatever it leads to
        EXPECT_EQ(files().size(), 1u);
    }
}

using Folder = const fs::path &;

const LooseFolder kLooseFolders[] = {
    {"BackupsWritableByAll", [](Folder, Folder b) { fs::permissions(b, fs::perms::all); }, false,
     text::kFolderWritable},
    {"DataWritableByGroup",
     [](Folder d, Folder) { fs::permissions(d, fs::perms::owner_all | fs::perms::group_all); },
     true, text::kFolderWritable},
    {"BackupsOfAnotherUser", [](Folder, Folder b) { (void)::chown(b.c_str(), 65534, 65534); },
     false, text::kFolderNotYours},
    {"BackupsALinkToAnotherFolder",
     [](Folder d, Folder b) {
         fs::rename(b, d / "elsewhere");
         fs::create_directory_symlink(d / "elsewhere", b);
     },
     false, text::kFolderIsLink},
    {"DataAFile",
     [](Folder d, Folder) {
         fs::rename(d, d.string() + ".old");
         test::writeFile(d, "a file where the folder should be");
     },
     true, text::kFolderNotAFolder},
};

INSTANTIATE_TEST_SUITE_P(Cases, LooseFolderTest, ::testing::ValuesIn(kLooseFolders),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(BackupStoreTest, APortNameOfAnyLengthStillKeepsItsBackup)
{
    const std::string port = "/dev/serial/by-path/" + std::string(240, 'x') + "-port0";
    const BackupResult kept = store().keep(radioImage(0x01), port, Language::English);
    ASSERT_EQ(kept.outcome, BackupOutcome::Kept) << kept.message;
    EXPECT_EQ(store().list().at(0).port, std::string(58, 'x') + "-port0");
}

// Names in UTC and the local-time names of older versions sort by the
// moment they name; the list shows local time.
TEST_F(BackupStoreTest, ListShowsNewestFirstInLocalTimeWithPortTypeChannelsAndDifference)
{
    ChannelImage withChannel = radioImage(0x01, 0x33);
    withChannel.setRxFrequency(1, 44600625);
    withChannel.setTxFrequency(1, 44600625);
    ASSERT_TRUE(keep(radioImage(0x01)).ok());
    now = kNow + 60;
    ASSERT_TRUE(store().keep(withChannel, "/dev/pts/5", Language::English).ok());
    // 20:15:33 local is 19:15:33 UTC, between the two. A counter of four
    // digits is no name of ours.
    test::writeFile(fs::path(folder()) / "2026-12-07_201533_id9f_ttyUSB1.sin",
                    bytesOf(radioImage(0x9F, 0x44)));
    test::writeFile(fs::path(folder()) / "2026-12-07_191504Z_id01_ttyUSB1.1000.sin", "x");

    std::vector<std::tuple<std::string, std::string, int, std::string, int, bool>> shown;
    for (const BackupEntry &e : store().list(&withChannel))
        shown.emplace_back(e.dateTime, e.port, e.identity, e.radioType, e.channelsInUse, e.differs);
    const std::string type(radioTypeName(radioTypeFromImage(withChannel)));
    EXPECT_EQ(shown, (decltype(shown){{"2026-12-07 20:16:03", "pts-5", 1, type, 1, false},
                                      {"2026-12-07 20:15:33", "ttyUSB1", 0x9F, type, 0, true},
                                      {"2026-12-07 20:15:03", "ttyUSB0", 1, type, 0, true}}));
}

// One rule names the files kept from a port: a fleet read's and a backup's.
TEST(PortFileStem, DropsDevTurnsSlashesToDashesKeepsSafeCharactersAndFits)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/ttyUSB0", "ttyUSB0"},
        {"/dev/pts/5", "pts-5"},
        {"COM1", "COM1"},
        {"/tmp/my radio.1", "tmp-my_radio_1"},
        {"/dev/" + std::string(300, 'a') + "9", std::string(63, 'a') + "9"},
        {"", "port"}};
    for (const auto &[port, expected] : cases)
        EXPECT_EQ(portFileStem(port), expected) << port;
}

// The settings file as the window's QSettings writes it.
TEST(BackupSettingsText, ReadsTheBackupsSectionAndKeepsDefaultsForTheRest)
{
    // {file, enabled, maxAgeDays, backupFirst, verifyWrite}
    const std::tuple<const char *, bool, int, bool, bool> rows[] = {
        {"", true, 365, false, false},
        {"[backups]\nenabled=false\nmaxAgeDays=0\nbackupFirst=true\nverifyWrite=true\n", false, 0,
         true, true},
        {"[General]\nmaxAgeDays=3\n[backups]\r\nmaxAgeDays = 30\r\n", true, 30, false, false},
        {"[backups]\nmaxAgeDays=\"not a number\"\nenabled=0\n", false, 365, false, false},
        {"[other]\nenabled=false\nbackupFirst=true\n", true, 365, false, false},
    };
    for (const auto &row : rows) {
        const BackupSettings s = parseBackupSettings(std::get<0>(row));
        EXPECT_EQ(
            std::tuple(std::get<0>(row), s.enabled, s.maxAgeDays, s.backupFirst, s.verifyWrite),
            row);
    }
}

// Only a backup's own name is taken for one: the list and the pruning pass
// over every other file in the folder.
TEST(BackupFileName, GivesItsPartsAndNothingForAnyOtherName)
{
    // {name, identity, port, counter}; identity -1: not a backup's name
    const std::tuple<const char *, int, const char *, int> rows[] = {
        {"2026-12-07_191503Z_id0a_ttyUSB0.sin", 0x0A, "ttyUSB0", 1},
        {"2026-12-07_191503_idFF_tmp-radio.12.sin", 0xFF, "tmp-radio", 12},
        {"2026-12-07_191503Z_idZ1_ttyUSB0.sin", -1, "", 0},
        {"2026-12-07_191503Z_id01ttyUSB0.sin", -1, "", 0},
        {"2026-12-07_191503Z_id01_.sin", -1, "", 0},
        {"2026-12-07_191503Z_id01_tty USB0.sin", -1, "", 0},
        {"2026-12-07_191503Z_id01_ttyUSB0.1000.sin", -1, "", 0},
        {"2026-12-07_191503Z_id01_ttyUSB0.1a.sin", -1, "", 0},
        {"2026-0:-07_191503Z_id01_ttyUSB0.sin", -1, "", 0}, // ':' follows '9'
        {"2026-13-07_191503Z_id01_ttyUSB0.sin", -1, "", 0},
        {"2026-12-07_241503Z_id01_ttyUSB0.sin", -1, "", 0},
        {"notes.sin", -1, "", 0},
    };
    for (const auto &[name, identity, port, counter] : rows) {
        const auto parsed = parseBackupFileName(name);
        EXPECT_EQ(parsed ? std::tuple(int(parsed->identity), parsed->port, parsed->counter)
                         : std::tuple(-1, std::string(), 0),
                  std::tuple(identity, std::string(port), counter))
            << name;
    }
    EXPECT_EQ(parseBackupFileName("2026-12-07_191503Z_id01_ttyUSB0.sin")->time, 1796670903);
}

// A folder set with a trailing slash names the same folder; the root stays the root.
TEST(BackupStoreFolder, TrailingSlashesGoButTheRootStays)
{
    EXPECT_EQ(BackupStore("/srv/kx9/backups//").folder(), "/srv/kx9/backups");
    EXPECT_EQ(BackupStore("///").folder(), "/");
}

} // namespace kx9::backups_test
