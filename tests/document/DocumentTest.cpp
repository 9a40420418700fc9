// The document: what opens, what a save stores, the undo history, the
// channel files under tests/data that its saves must reproduce byte for byte,
// the one safe save every file the programs write goes through, and the
// backups each read keeps.

#include "Document.h"
#include "BackupNames.h"
#include "BackupSettings.h"
#include "BackupStore.h"
#include "BackupTexts.h"
#include "CaseName.h"
#include "ChannelConversion.h"
#include "PortFileName.h"
#include "ProgramRun.h"
#include "RadioType.h"
#include "ReadFile.h"
#include "SafeSave.h"
#include "SafetyTexts.h"
#include "TableRows.h"
#include "TempFolder.h"
#include "TextFormat.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <latch>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace kx9::document_test {

namespace fs = std::filesystem;
using test::readBytes;
using test::slurp;
using DocumentTest = test::TempFolderTest;
using Dir = const fs::path &;

// A fixture whose parameter is a row of a table.
template <class Fixture, class Row>
class WithRow : public Fixture, public ::testing::WithParamInterface<Row>
{
};

// Only a file of exactly 4096 bytes is a channel file: anything else (a PDF,
// a longer dump) must never reach the table or, restored, the radio. The
// reader under it keeps at most its limit and says when the file holds more.
// A failed open keeps the document as it was and says why.
TEST_F(DocumentTest, OnlyAFileOfExactly4096BytesOpensAndAFailedOpenKeepsEverything)
{
    Document doc;
    doc.newDocument(Language::English);
    doc.editCells({{1, kColName, "KEEP"}});
    const ChannelImage image = doc.image();
    const auto refused = [&](const std::string &file, FileError error, const std::string &why) {
        const FileResult r = doc.open(file, Language::English);
        EXPECT_EQ(std::tuple(r.error, r.message), std::tuple(error, why));
    };
    for (const std::size_t size : {0u, 100u, 4095u, 4096u, 4097u, 8192u}) {
        std::vector<std::uint8_t> bytes(size, 0x25);
        std::copy_n(image.bytes().begin(), std::min(size, kImageSize), bytes.begin());
        const std::string file = path(("f" + std::to_string(size) + ".sin").c_str());
        test::writeFile(file, bytes);
        const ReadFileResult read = readFile(file, kImageSize);
        EXPECT_EQ(std::tuple(read.ok(), read.data.size(), read.more),
                  std::tuple(true, std::min(size, kImageSize), size > kImageSize));
        if (size == kImageSize) {
            EXPECT_EQ(readChannelFile(file, Language::English).image, image);
            continue;
        }
        refused(file, FileError::WrongSize,
                file + " is not a channel file: it holds " + std::to_string(size) +
                    " bytes, a channel file exactly 4096");
        EXPECT_NE(readChannelFile(file, Language::Chinese)
                      .result.message.find(std::to_string(size) + " 字节"),
                  std::string::npos);
    }
    refused(path("missing.sin"), FileError::CannotOpen,
            "cannot open " + path("missing.sin") + ": No such file or directory");
    refused(m_dir.string(), FileError::CannotOpen,
            "cannot open " + m_dir.string() + ": it is a folder, not a regular file");
    EXPECT_TRUE(readChannelFile(m_dir, Language::Chinese)
                    .result.message.ends_with("它是文件夹，不是普通文件"));
    EXPECT_EQ(std::tuple(doc.image(), doc.table().cell(1, kColName), doc.isNewDocument()),
              std::tuple(image, "KEEP", true));
}

// A write that fails half-way (here: the file size limit of the process,
// which holds even for root) must leave the old file and no temporary file;
// a refused save says why in the language asked.
TEST_F(DocumentTest, FailedSaveLeavesTheOldFileAndNoTemporaryFileAndSaysWhyInItsLanguage)
{
    Document doc;
    doc.newDocument(Language::English);
    ASSERT_TRUE(doc.save(path("keep.sin")));
    const auto before = readBytes(path("keep.sin"));

    doc.editCells({{1, kColReceive, ""}});
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    const rlimit small{1000, oldLimit.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult r = doc.save(path("keep.sin"));
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(std::tuple(r.error, r.message, doc.isModified()),
              std::tuple(FileError::CannotWrite,
                         "cannot write " + path("keep.sin") + ": File too large", true));
    EXPECT_EQ(readBytes(path("keep.sin")), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    // A refusal is worded in the document's language.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    const FileResult refused = doc.save(path("pipe"), Language::Chinese);
    EXPECT_EQ(std::tuple(refused.error, refused.message),
              std::tuple(FileError::CannotWrite,
                         "无法写入 " + path("pipe") + "：它是管道，不是普通文件"));
}

TEST_F(DocumentTest, ModifiedFollowsWhatASaveWouldStore)
{
    Document doc;
    doc.newDocument(Language::English);
    EXPECT_EQ(std::tuple(doc.isNewDocument(), doc.isModified()), std::tuple(true, false));
    doc.editCells({{3, kColName, "X"}});
    EXPECT_TRUE(doc.isModified());
    doc.editCells({{3, kColName, ""}});
    EXPECT_FALSE(doc.isModified()); // undone by hand

    ChannelImage settings = doc.image();
    settings.setSquelch(7);
    doc.acceptOptions(settings);
    EXPECT_TRUE(doc.isModified());
    doc.editCells({{2, kColName, "AB"}});
    ASSERT_TRUE(doc.save(path("m.sin")));
    EXPECT_FALSE(doc.isModified());

    // Opened, the file is clean. (Shown in the language asked: CliTest's TableInChinese.)
    Document opened;
    ASSERT_TRUE(opened.open(path("m.sin"), Language::Chinese));
    EXPECT_EQ(
        std::tuple(opened.isNewDocument(), opened.isModified(), opened.table().cell(2, kColName)),
        std::tuple(false, false, "AB"));

    // Switching the language of the flag texts stores the same bits.
    doc.translateCellTexts(Language::English, Language::Chinese);
    EXPECT_FALSE(doc.isModified());

    EXPECT_TRUE(doc.selectType(kTypePmr, Language::English));
    EXPECT_EQ(std::tuple(doc.isModified(), doc.currentType(), doc.table().cell(99, kColLabel)),
              std::tuple(true, kTypePmr, "CH-P99"));

    ChannelImage read = doc.image();
    read.setRadioIdentity(0x42);
    doc.acceptRead(read, Language::English);
    EXPECT_EQ(std::tuple(doc.isModified(), doc.currentType()), std::tuple(false, kTypePmrLpd));
}

// --- The undo history ---------------------------------------------------------

TEST(EditHistory, AStepWithoutChangeIsNotRecordedAndHeadersFollowTheLanguage)
{
    Document doc;
    EXPECT_FALSE(doc.editCells({{1, kColName, ""}}));
    EXPECT_FALSE(doc.acceptOptions(doc.image()));
    EXPECT_FALSE(doc.canUndo());

    // An image change (a settings dialog, a read) comes back byte for byte.
    ChannelImage read = doc.image();
    read.setByte(0x813, 7);
    read.setPowerRank(3);
    doc.acceptRead(read, Language::English);
    doc.translateCellTexts(Language::English, Language::Chinese); // a language switch is no edit
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(int{doc.image().byte(0x813)}, doc.selectors().powerRank,
                         doc.table().cell(0, kColReceive)),
              std::tuple(5, 9, "接收频率"));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.image().byte(0x813), 7);
}

// The history keeps the newest 1000 steps: after 1001 edits, undoing all it
// can leaves the first edit in place.
TEST(EditHistory, KeepsTheNewest1000Steps)
{
    Document doc;
    for (int i = 0; i <= 1000; ++i)
        ASSERT_TRUE(doc.editCells({{1, kColName, std::to_string(i)}}));
    int undone = 0;
    while (doc.undo())
        ++undone;
    EXPECT_EQ(std::tuple(undone, doc.table().cell(1, kColName)), std::tuple(1000, "0"));
}

// A calibration value the radio stored while tuned leaves every step that
// changed only that byte; the steps around it stay undoable in order. The
// parameter: steps undone before the value arrives.
using CalibrationStored = ::testing::TestWithParam<int>;

TEST_P(CalibrationStored, LeavesTheOtherStepsUndoable)
{
    constexpr std::size_t kTuned = 0xFF5;
    Document doc;
    doc.editCells({{1, kColName, "A"}});
    ChannelImage tuned = doc.image();
    tuned.setByte(kTuned, 0x11); // a step that changes only the calibration byte
    ASSERT_TRUE(doc.acceptOptions(tuned));
    for (int i = 0; i < GetParam(); ++i)
        ASSERT_TRUE(doc.undo());

    doc.storeCalibration(kTuned, 0x42);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColName), doc.canUndo()), std::tuple("", false));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(
        std::tuple(doc.table().cell(1, kColName), doc.canRedo(), int{doc.image().byte(kTuned)}),
        std::tuple("A", false, 0x42));
}

INSTANTIATE_TEST_SUITE_P(Steps, CalibrationStored, ::testing::Values(0, 1), [](const auto &info) {
    return info.param == 0 ? "ChangedByTheLastDoneStep" : "ChangedByTheFirstRedoStep";
});

// Steps undo and redo in order, each to the value before it, in the language
// the table shows now; a new step drops the redo side.
TEST(EditHistory, StepsUndoAndRedoInOrderInTheLanguageShownAndANewStepDropsTheRedoSide)
{
    Document doc; // channel 1: Narrow, Yes, High, Close
    doc.editCells({{1, kColPower, "Low"}});
    doc.editCells({{1, kColBandwidth, "Wide"}});
    doc.editCells({{2, kColBusyLock, "QT/DQT"}});
    doc.editCells({{3, kColName, "H"}});
    doc.editCells({{3, kColName, "HIGH"}});
    ASSERT_TRUE(doc.undo()); // this step is on the redo side when the switch comes
    const ChannelImage image = doc.image();
    const bool modified = doc.isModified();

    doc.translateCellTexts(Language::English, Language::Chinese);
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColPower), doc.image(), doc.isModified()),
              std::tuple("低", image, modified));

    // Each step as {row, column, text undone, text redone}, newest first.
    const std::tuple<int, int, const char *, const char *> steps[] = {
        {3, kColName, "", "H"},
        {2, kColBusyLock, "关闭", "QT/DQT"},
        {1, kColBandwidth, "窄", "宽"},
        {1, kColPower, "高", "低"}};
    for (const auto &[row, col, undone, redone] : steps) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(doc.table().cell(row, col), undone);
    }
    EXPECT_FALSE(doc.undo());
    EXPECT_FALSE(doc.isModified());
    for (auto step = std::rbegin(steps); step != std::rend(steps); ++step) {
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(doc.table().cell(std::get<0>(*step), std::get<1>(*step)), std::get<3>(*step));
    }
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.table().cell(3, kColName), "HIGH"); // names are never translated

    // And back: the history speaks English again.
    doc.translateCellTexts(Language::Chinese, Language::English);
    for (int step = 0; step < 4; ++step)
        ASSERT_TRUE(doc.undo());
    EXPECT_EQ(std::tuple(doc.table().cell(1, kColBandwidth), doc.table().cell(2, kColBusyLock)),
              std::tuple("Narrow", "Close"));
    doc.editCells({{4, kColName, "D"}});
    EXPECT_FALSE(doc.redo());
}

// --- The channel files under tests/data -----------------------------------------

// hand-set.sin: File New, then these edits by hand:
//  row 1: 446.00625 / 446.00625, 67.0 / D023N, Wide, No, High, Carrier, "CH 1-A"
//  row 2: 446.0125 / 446.5125 (5 kHz raster), D754I / 254.1, Narrow, Yes, Low,
//         QT/DQT, "AB"
//  row 3: emptied; row 4: name "abc" (lower case is stored as 0xFF)
//  power rank 3, manual setting "Close", squelch 3, radio identity 0x42,
//  high-power calibration 0x7E.
void handSet(Document &doc)
{
    ChannelImage image = doc.imageAsSaved();
    image.setPowerRank(3);
    image.setManualOpen(false);
    image.setSquelch(3);
    image.setRadioIdentity(0x42);
    image.setHighPowerCalibration(0x7E);
    doc.acceptRead(image, Language::English);
    ChannelTable t = doc.table();
    test::setRow(t, 1,
                 test::splitCells<9>("446.00625|446.00625|67.0|D023N|Wide|No|High|Carrier|CH 1-A"));
    test::setRow(t, 2,
                 test::splitCells<9>("446.0125|446.5125|D754I|254.1|Narrow|Yes|Low|QT/DQT|AB"));
    test::setRow(t, 3, test::splitCells<9>(""));
    t.setCell(4, kColName, "abc");
    doc.replaceChannels(t);
}

// How each file is made: our own code fed with documented values, from File
// New on. Its stored bytes are also checked against the documented values
// themselves, so that a fault shared by the maker and the code cannot hide.
// {file, the edits after File New, {offset, bytes as hex digits}}
using Golden = std::tuple<const char *, void (*)(Document &),
                          std::vector<std::pair<std::size_t, std::string>>>;

using GoldenFiles = WithRow<DocumentTest, Golden>;

// Saves the document and compares the bytes with the stored file; with
// KX9_WRITE_GOLDEN=1 the stored file is rewritten instead. (That a stored file
// opened and saved again is unchanged: CliTest's Resave.)
TEST_P(GoldenFiles, SavedBytesEqualTheStoredFileWhichHoldsTheDocumentedEncodings)
{
    const auto &[file, edit, documented] = GetParam();
    const fs::path stored = fs::path(KX9_TEST_DATA) / file;
    Document doc;
    doc.newDocument(Language::English);
    edit(doc);
    if (const char *write = std::getenv("KX9_WRITE_GOLDEN"); write && std::string(write) == "1") {
        ASSERT_TRUE(doc.save(stored.string()));
        return;
    }
    ASSERT_TRUE(doc.save(path("saved.sin")));
    const auto bytes = readBytes(stored);
    EXPECT_EQ(readBytes(path("saved.sin")), bytes);

    std::string hex;
    char digits[3];
    for (const std::uint8_t byte : bytes)
        hex += (std::snprintf(digits, sizeof digits, "%02X", byte), digits);
    for (const auto &[offset, expected] : documented)
        EXPECT_EQ(hex.substr(offset * 2, expected.size()), expected) << "at " << offset;
}

const Golden kGolden[] = {
    // Saved without edits.
    {"new-pmr-lpd.sin",
     [](Document &) {},
     {// PMR channel 1: narrow, scan, high, lockout "Close", both tones "Off".
      {8, "FFFFFFFFEFE9FFFF"},
      // LPD channel 1 (row 9): 433.07500 MHz, wide, scan, low.
      {128, "0075304300753043FFFFFFFFEFD9FFFF"},
      // Row 78 onwards: empty channels with tone-use set and lockout 10.
      {77 * 16, "FFFFFFFFFFFFFFFFFFFFFFFFFFC5FFFF"},
      // No channel has a name.
      {0x850, std::string(2048, 'F')}}},
    // The type "400-470MHz" selected.
    {"new-400-470.sin", [](Document &d) { d.selectType(kType400470, Language::English); }, {}},
    // Channels 1 and 2 and the name of 1, then name "AB", "abc", manual setting
    // "Close", squelch, power rank, identity, calibration.
    {"hand-set.sin",
     handSet,
     {{0, "250660442506604470062380FFF3FFFF"},
      {16, "501260445012654454C74125FFCDFFFF"},
      {0x850, "0C112501240AFFFF"},
      {0x858, "0A0B"},
      {0x868, "FF"},
      {0x812, "4403"},
      {0x819, "03"},
      {0x81B, "42"},
      {0xFF9, "7E"}}},
};

INSTANTIATE_TEST_SUITE_P(Files, GoldenFiles, ::testing::ValuesIn(kGolden),
                         [](const auto &info) { return test::caseName(std::get<0>(info.param)); });

// --- The one safe save ------------------------------------------------------------

// It treats its target as a plain write would, and never lets a planted name
// or another user's file be turned against the user. What another user may
// write is tried with kx9-cli (CliTest), which can run as that user.

constexpr uid_t kNobody = 65534, kOwner = 1; // kOwner: of a shared folder

const std::vector<std::uint8_t> kOld{'o', 'l', 'd'}, kOther{'o', 't', 'h', 'e', 'r'},
    kNew(kChannelFileSize, 0x5A);
const std::string kLongName = std::string(251, 'n') + ".sin"; // the system's limit

// A file's mode bits, owner and group; zeros when there is none.
std::tuple<mode_t, uid_t, gid_t> modeAndOwner(const fs::path &path)
{
    struct stat info = {};
    ::lstat(path.c_str(), &info);
    return {info.st_mode & 07777, info.st_uid, info.st_gid};
}

// Old bytes in the given mode; root gives the file away, so that a save by
// root must keep another user's owner and group.
void plantOld(const fs::path &path, mode_t mode)
{
    test::writeFile(path, kOld);
    ::chmod(path.c_str(), mode);
    if (::geteuid() == 0)
        (void)::chown(path.c_str(), kNobody, kNobody);
}

// The folder's names, sub-folders included: "a->b" for a link, "d/" for a folder.
using Names = std::set<std::string>;
Names listing(const fs::path &folder)
{
    Names names;
    for (const auto &e : fs::recursive_directory_iterator(folder))
        names.insert(e.path().lexically_relative(folder).string() +
                     (e.is_symlink()     ? "->" + fs::read_symlink(e.path()).string()
                      : e.is_directory() ? "/"
                                         : ""));
    return names;
}

// --- What stands at the name ---------------------------------------------------

// A save under the umask 027; unless refused, the file then holding the new
// bytes (the target when not named) keeps its mode, owner and group, or, new,
// gets what the umask allows.
// {name, what is planted, target, why it is refused (nullptr: saved), the
// folder's listing after, the file that holds the new bytes ("": the target)}
using SaveCase =
    std::tuple<const char *, void (*)(Dir), std::string, const TextPair *, Names, std::string>;

using SaveTargetTest = WithRow<DocumentTest, SaveCase>;

TEST_P(SaveTargetTest, IsSavedAsAPlainWriteWouldOrRefused)
{
    const auto &[name, plant, target, why, after, holder] = GetParam();
    plant(m_dir);
    if (IsSkipped())
        return;
    const fs::path written = m_dir / (holder.empty() ? target : holder);
    const bool existed = fs::is_regular_file(written);
    const auto before = modeAndOwner(written);

    EXPECT_EQ(checkSaveTarget(m_dir / target).why, why);
    const mode_t umask = ::umask(027);
    const SafeSaveResult r = saveFileSafely(m_dir / target, kNew);
    ::umask(umask);
    EXPECT_EQ(std::tuple(r.ok, r.why, r.reason),
              std::tuple(why == nullptr, why, why ? why->en : ""));
    EXPECT_EQ(listing(m_dir), after);
    // A refusal leaves what stands there as it was, mode and owner included,
    // and the bytes of a planted file or of the file a planted link names
    // (what is no regular file is not read: a FIFO would never answer).
    EXPECT_EQ(existed || !why ? readBytes(written) : kOld, why ? kOld : kNew);
    EXPECT_EQ(modeAndOwner(written),
              existed || why ? before : std::tuple(mode_t{0640}, ::geteuid(), ::getegid()));
}

// Old bytes at r.sin, or at the longest name; a read-only file only root may replace.
template <mode_t Mode, bool Long = false> void oldFile(Dir d)
{
    if ((Mode & 0200) == 0 && ::geteuid() != 0)
        GTEST_SKIP() << "refused for anyone else";
    plantOld(d / (Long ? kLongName : "r.sin"), Mode);
}

void linkToAFileElsewhere(Dir d)
{
    fs::create_directory(d / "d");
    plantOld(d / "d/r.sin", 0640);
    fs::create_symlink("d/r.sin", d / "r.sin");
}

// Rewritten in place: every name shows the new bytes.
void hardLinkedNames(Dir d)
{
    plantOld(d / "a.sin", 0640);
    fs::create_hard_link(d / "a.sin", d / "b.sin");
}

void danglingLink(Dir d)
{
    fs::create_symlink("none", d / "r.sin");
}

// In a folder like /tmp (sticky and world-writable), a name or a link of a
// chain that a third user planted is refused; one of ours or of the folder's
// owner is used as anywhere else, and a folder that is only one of the two
// is no shared folder (a colleague's file in a 0777 project folder). What is
// planted: 'F' the file, 'L' a link to ours, 'B' such a link behind a link of ours.
template <mode_t Mode, char What, uid_t Owner> void shared(Dir d)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to play three users";
    fs::create_directory(d / "s");
    ASSERT_EQ(::chown((d / "s").c_str(), kOwner, kOwner), 0);
    ::chmod((d / "s").c_str(), Mode);
    const fs::path planted = d / (What == 'B' ? "s/evil" : "s/x");
    test::writeFile(What == 'F' ? planted : d / "p", kOld);
    ::chmod((What == 'F' ? planted : d / "p").c_str(), 0666);
    if (What != 'F')
        fs::create_symlink("../p", planted);
    if (What == 'B')
        fs::create_symlink("evil", d / "s/x");
    ASSERT_EQ(::lchown(planted.c_str(), Owner, Owner), 0);
}

// A target that is no regular file, named or through a link, is refused and
// left as it was: a folder, a FIFO, a socket, or a copy of /dev/null, which
// only root can make.
template <mode_t Kind> void node(Dir d)
{
    if ((Kind == S_IFDIR ? ::mkdir((d / "n").c_str(), 0755)
                         : ::mknod((d / "n").c_str(), Kind | 0666, makedev(1, 3))) != 0)
        GTEST_SKIP() << "cannot make such a node here";
    fs::create_symlink("n", d / "l");
}

const Names kLinked{"p", "s/", "s/x->../p"}, kBehind{"p", "s/", "s/evil->../p", "s/x->evil"},
    kShared{"s/", "s/x"}, kFollowed{"d/", "d/r.sin", "r.sin->d/r.sin"};

const SaveCase kSaveCases[] = {
    {"Folder", node<S_IFDIR>, "n", &text::kTargetIsFolder, {"l->n", "n/"}, ""},
    {"LinkToAFolder", node<S_IFDIR>, "l", &text::kTargetIsFolder, {"l->n", "n/"}, ""},
    {"Fifo", node<S_IFIFO>, "n", &text::kTargetIsFifo, {"l->n", "n"}, ""},
    {"LinkToAFifo", node<S_IFIFO>, "l", &text::kTargetIsFifo, {"l->n", "n"}, ""},
    {"Socket", node<S_IFSOCK>, "n", &text::kTargetIsSocket, {"l->n", "n"}, ""},
    {"LinkToASocket", node<S_IFSOCK>, "l", &text::kTargetIsSocket, {"l->n", "n"}, ""},
    {"Device", node<S_IFCHR>, "n", &text::kTargetIsDevice, {"l->n", "n"}, ""},
    {"LinkToADevice", node<S_IFCHR>, "l", &text::kTargetIsDevice, {"l->n", "n"}, ""},
    {"PlantedLink", shared<01777, 'L', kNobody>, "s/x", &text::kTargetIsPlantedLink, kLinked, "p"},
    {"PlantedFile", shared<01777, 'F', kNobody>, "s/x", &text::kTargetIsPlantedFile, kShared, ""},
    {"PlantedLinkBehindOurs", shared<01777, 'B', kNobody>, "s/x", &text::kTargetIsPlantedLink,
     kBehind, "p"},
    {"FolderOwnersLinkBehindOurs", shared<01777, 'B', kOwner>, "s/x", nullptr, kBehind, "p"},
    {"FolderOwnersLink", shared<01777, 'L', kOwner>, "s/x", nullptr, kLinked, "p"},
    {"OurFileInSharedFolder", shared<01777, 'F', 0>, "s/x", nullptr, kShared, ""},
    {"OnlyWorldWritableFile", shared<0777, 'F', kNobody>, "s/x", nullptr, kShared, ""},
    {"OnlyWorldWritableLink", shared<0777, 'L', kNobody>, "s/x", nullptr, kLinked, "p"},
    {"OnlyStickyFile", shared<01755, 'F', kNobody>, "s/x", nullptr, kShared, ""},
    {"OnlyStickyLinkBehindOurs", shared<01755, 'B', kNobody>, "s/x", nullptr, kBehind, "p"},
    {"Mode0600", oldFile<0600>, "r.sin", nullptr, {"r.sin"}, ""},
    {"Mode0640", oldFile<0640>, "r.sin", nullptr, {"r.sin"}, ""},
    {"Mode0604", oldFile<0604>, "r.sin", nullptr, {"r.sin"}, ""},
    {"ReadOnlyForRoot", oldFile<0444>, "r.sin", nullptr, {"r.sin"}, ""},
    {"LinkIsFollowedAndStays", linkToAFileElsewhere, "r.sin", nullptr, kFollowed, "d/r.sin"},
    {"LinkToNothing", danglingLink, "r.sin", &text::kTargetIsDanglingLink, {"r.sin->none"}, ""},
    {"HardLinkedNames", hardLinkedNames, "a.sin", nullptr, {"a.sin", "b.sin"}, "b.sin"},
    {"NameAtTheLimitCreated", [](Dir) {}, kLongName, nullptr, {kLongName}, ""},
    {"NameAtTheLimitReplaced", oldFile<0644, true>, kLongName, nullptr, {kLongName}, ""},
};

INSTANTIATE_TEST_SUITE_P(Targets, SaveTargetTest, ::testing::ValuesIn(kSaveCases),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

// A name only a folder can have is refused as a folder though nothing
// stands there yet, and nothing is made.
TEST_F(DocumentTest, ANameOnlyAFolderCanHaveIsRefusedAsAFolder)
{
    for (const char *name : {"new/", "gone/.", "gone/.."}) {
        const fs::path target = m_dir / name;
        EXPECT_EQ(std::tuple(checkSaveTarget(target).reason, saveFileSafely(target, kNew).reason),
                  std::tuple("Is a directory", "Is a directory"))
            << name;
    }
    EXPECT_TRUE(fs::is_empty(m_dir));
}

// --- The moment the temporary file exists -----------------------------------------------

// A signal then ends the program only once the save is complete, and leaves
// no temporary file behind. A file that another program renamed over the
// target meanwhile is not overwritten: the save is refused.
fs::path g_target;

// {name, the target existed, what happens then, 128 + the signal that ended
// the save or 1 when it was refused as replaced, the target's bytes after}
using MomentCase = std::tuple<const char *, bool, void (*)(), int, std::vector<std::uint8_t>>;

using SaveMomentTest = WithRow<DocumentTest, MomentCase>;

TEST_P(SaveMomentTest, EndsWithTheTargetWholeAndNoTemporaryFile)
{
    const auto &[name, existing, hook, ended, after] = GetParam();
    g_target = m_dir / "radio.sin";
    if (existing)
        test::writeFile(g_target, kOld);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        detail::temporaryFileCreated = hook;
        ::_exit(saveFileSafely(g_target, kNew).why == &text::kTargetReplaced ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), ended);
    EXPECT_EQ(listing(m_dir), Names{"radio.sin"});
    EXPECT_EQ(readBytes(g_target), after);
}

void replaced()
{
    test::writeFile(g_target.parent_path() / "other", kOther);
    fs::rename(g_target.parent_path() / "other", g_target);
}

const MomentCase kMoments[] = {
    {"SignalForANewFile", false, [] { ::raise(SIGTERM); }, 128 + SIGTERM, kNew},
    {"SignalForAnExistingFile", true, [] { ::raise(SIGTERM); }, 128 + SIGTERM, kNew},
    {"TargetReplaced", true, replaced, 1, kOther}};

INSTANTIATE_TEST_SUITE_P(Moments, SaveMomentTest, ::testing::ValuesIn(kMoments),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

// --- Backups --------------------------------------------------------------------

// Every read keeps what the radio held, whatever the clock says, whoever
// else backs up at once and whoever else can reach the folder.

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

struct BackupStoreTest : public test::TempFolderTest
{
    void SetUp() override
    {
        TempFolderTest::SetUp();
        // Older names carry local time: a zone an hour east of UTC tells them apart.
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }

    Names files() const // but the lock file
    {
        Names names = listing(folder());
        names.erase(".lock");
        return names;
    }
    std::string data() const { return (m_dir / "data").string(); }
    std::string folder() const { return (m_dir / "data" / "backups").string(); }
    BackupStore store() const
    {
        return BackupStore(folder(), 365, [this] { return now; });
    }
    BackupResult keep(const ChannelImage &image)
    {
        return store().keep(image, "/dev/ttyUSB0", Language::English);
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
    const ChannelImage a = radioImage(0x01), b = radioImage(0x01, 0x22);
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
    EXPECT_EQ(
        files(),
        (Names{"2026-12-07_191503Z_id01_ttyUSB0.sin", "2026-12-07_191503Z_id01_ttyUSB0.2.sin",
               "2026-12-07_191504Z_id01_ttyUSB0.sin", "2026-12-07_191504Z_id07_ttyUSB0.sin"}));
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

// Backups of one radio read daily, the newest `from` days ago, then `more`.
Ages daily(int count, Ages more = {}, int from = 400)
{
    for (int day = from + count - 1; day >= from; --day)
        more.emplace(more.begin(), day, day);
    return more;
}

// {name, backups planted, the clock in days after kNow, indexes of the backups
// pruned, whether the clock is said to be behind}
using PruneCase = std::tuple<const char *, Ages, int, std::set<int>, bool>;

using PruneTest = WithRow<BackupStoreTest, PruneCase>;

TEST_P(PruneTest, RemovesOnlyWhatIsOldByNameAndFileBeyondTheNewestTen)
{
    const auto &[name, planted, clock, gone, clockBehind] = GetParam();
    Names left{"2020-01-01_my-own-notes.sin"}; // and the new backup
    for (std::size_t i = 0; i < planted.size(); ++i) {
        const auto [named, modified] = planted[i];
        const std::string file =
            plant(kNow - std::abs(named) * kDay, kNow - std::abs(modified) * kDay,
                  radioImage(named < 0 ? 0x02 : 0x01, static_cast<std::uint8_t>(i)));
        if (!gone.contains(static_cast<int>(i)))
            left.insert(file);
    }
    test::writeFile(fs::path(folder()) / "2020-01-01_my-own-notes.sin", "x");
    now = kNow + clock * kDay;

    const BackupStore one = store();
    const BackupResult kept = one.keep(radioImage(0x01, 0xEE), "/dev/ttyUSB0", Language::English);
    ASSERT_TRUE(kept.ok()) << kept.message;
    left.insert(fs::path(kept.path).filename());
    EXPECT_EQ(std::tuple(kept.pruned, files(), kept.note),
              std::tuple(static_cast<int>(gone.size()), left,
                         clockBehind ? std::string(text::kBackupClockBehind.en) : ""));
    EXPECT_EQ(one.keep(radioImage(0x01, 0xEF), "p", Language::English).note, ""); // said once
}

const PruneCase kPruneCases[] = {
    {"OldBeyondTheNewestTenGo", daily(12), 0, {9, 10, 11}, false},
    {"OtherIdentitiesCountTheirOwnTen", on({400, -500, -501, 401}), 0, {}, false},
    {"AFileTouchedLatelyStays", daily(10, {{410, 5}, {411, 411}}), 0, {9, 11}, false},
    // Old means older than 365 days: one named exactly that old stays.
    {"ANameExactlyAYearOldStays", daily(10, {{365, 366}}, 355), 0, {}, false},
    {"AClockYearsAheadKeepsTheNewestTen", on({0, 1, 2, -3}), 800, {}, false},
    {"AClockBehindTheNewestBackupPrunesNothing", daily(12, on({0})), -10, {}, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, PruneTest, ::testing::ValuesIn(kPruneCases),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

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
// refusal names it and why. {name, how the folder is made so, whether it is
// the data folder (else the backups folder), the reason}
using LooseFolder = std::tuple<const char *, void (*)(Dir), bool, TextPair>;

using LooseFolderTest = WithRow<BackupStoreTest, LooseFolder>;

TEST_P(LooseFolderTest, IsRefusedByNameAndReasonInBothLanguages)
{
    const auto &[name, make, refusesData, reason] = GetParam();
    plant(kNow - kDay, kNow - kDay, radioImage(0x01, 0x66));
    const std::string where = refusesData ? data() : folder();
    make(where);
    if (::geteuid() != 0 && reason.en == text::kFolderNotYours.en)
        GTEST_SKIP() << "giving a folder away needs root";

    const BackupResult kept = keep(radioImage(0x01));
    EXPECT_EQ(kept.outcome, BackupOutcome::Failed);
    EXPECT_EQ(kept.message, fillIn(text::kBackupNotKept.en, {where, reason.en}));
    EXPECT_TRUE(store().list().empty());
    EXPECT_EQ(store().folderProblem(Language::Chinese),
              fillIn(text::kBackupFolderRefused.zh, {where, reason.zh}));
    // Nothing added, whatever it leads to.
    EXPECT_EQ(files().size(), 1u);
}

const LooseFolder kLooseFolders[] = {
    {"BackupsWritableByAll", [](Dir f) { ::chmod(f.c_str(), 0777); }, false, text::kFolderWritable},
    {"DataWritableByGroup", [](Dir f) { ::chmod(f.c_str(), 0770); }, true, text::kFolderWritable},
    {"BackupsOfAnotherUser", [](Dir f) { (void)::chown(f.c_str(), kNobody, kNobody); }, false,
     text::kFolderNotYours},
    {"BackupsALinkToAnotherFolder",
     [](Dir f) {
         fs::rename(f, f.parent_path() / "elsewhere");
         fs::create_directory_symlink(f.parent_path() / "elsewhere", f);
     },
     false, text::kFolderIsLink},
};

INSTANTIATE_TEST_SUITE_P(Cases, LooseFolderTest, ::testing::ValuesIn(kLooseFolders),
                         [](const auto &info) { return std::string(std::get<0>(info.param)); });

// A backup the disk cannot take whole (here the file size limit) is not
// kept, says why, and leaves no part of itself. It runs in a child, so that
// a write that never ends fails the test instead of holding the run.
TEST_F(BackupStoreTest, ABackupTheDiskCannotTakeWholeLeavesNothing)
{
    plant(kNow - kDay, kNow - kDay, radioImage(0x01, 0x66));
    const Names before = files();
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const BackupResult kept = keep(radioImage(0x01));
        ::_exit(kept.outcome == BackupOutcome::Failed && kept.message.ends_with(": File too large")
                    ? 0
                    : 1);
    }
    EXPECT_EQ(test::waitBounded(child), 0);
    EXPECT_EQ(files(), before);
}

// Names in UTC and the local-time names of older versions sort by the
// moment they name; the list shows local time. A port name of any length
// still keeps its backup, under the end of its name. (The type, channels and
// difference each entry shows: BackupsDialogTest.)
TEST_F(BackupStoreTest, ListShowsNewestFirstInLocalTimeWithPortAndIdentity)
{
    // Listing a store that never kept a backup makes no folder on the way.
    EXPECT_TRUE(BackupStore((m_dir / "new" / "data" / "backups").string()).list().empty());
    EXPECT_FALSE(fs::exists(m_dir / "new"));
    ASSERT_TRUE(keep(radioImage(0x01)).ok());
    now = kNow + 60;
    ASSERT_TRUE(store().keep(radioImage(0x01, 0x33), "/dev/pts/5", Language::English).ok());
    now = kNow + 120;
    const std::string port = "/dev/serial/by-path/" + std::string(240, 'x') + "-port0";
    const BackupResult kept = store().keep(radioImage(0x01, 0x55), port, Language::English);
    ASSERT_EQ(kept.outcome, BackupOutcome::Kept) << kept.message;
    // 20:15:33 local is 19:15:33 UTC, between the two.
    test::writeFile(fs::path(folder()) / "2026-12-07_201533_id9f_ttyUSB1.sin",
                    bytesOf(radioImage(0x9F, 0x44)));
    // Only plain files are backups: a folder or a link of a backup's name is none.
    fs::create_directory(fs::path(folder()) / "2026-12-07_201534_id01_dir.sin");
    fs::create_symlink("2026-12-07_201533_id9f_ttyUSB1.sin",
                       fs::path(folder()) / "2026-12-07_201535_id01_link.sin");

    std::vector<std::tuple<std::string, std::string, int>> shown;
    for (const BackupEntry &e : store().list())
        shown.emplace_back(e.dateTime, e.port, e.identity);
    EXPECT_EQ(shown, (decltype(shown){{"2026-12-07 20:17:03", std::string(58, 'x') + "-port0", 1},
                                      {"2026-12-07 20:16:03", "pts-5", 1},
                                      {"2026-12-07 20:15:33", "ttyUSB1", 0x9F},
                                      {"2026-12-07 20:15:03", "ttyUSB0", 1}}));
}

// One rule names the files kept from a port: a fleet read's and a backup's.
// (/dev/ dropped and a long name's end kept: the list above.)
TEST(PortFileStem, TurnsSlashesToDashesKeepsSafeCharactersAndNamesNothingPort)
{
    const std::pair<std::string, std::string> cases[] = {
        {"COM1", "COM1"}, {"/tmp/my radio.1", "tmp-my_radio_1"}, {"", "port"}};
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
        {"[backups]\nmaxAgeDays=30x\n", true, 365, false, false},
        {"[backups]\nenabled=FALSE\nverifyWrite=True\n", false, 365, false, true},
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
    // {name, identity, port, counter}
    const std::tuple<const char *, int, const char *, int> rows[] = {
        {"2026-12-07_191503Z_id0a_ttyUSB0.sin", 0x0A, "ttyUSB0", 1},
        {"2026-12-31_191503_idFF_tmp-radio.12.sin", 0xFF, "tmp-radio", 12},
        {"2026-12-07_235959Z_id01_AZ_az-09.sin", 0x01, "AZ_az-09", 1}};
    for (const auto &[name, identity, port, counter] : rows) {
        const auto parsed = parseBackupFileName(name);
        ASSERT_TRUE(parsed) << name;
        EXPECT_EQ(std::tuple(int(parsed->identity), parsed->port, parsed->counter),
                  std::tuple(identity, std::string(port), counter));
    }
    // None of these is a backup's name (in the fifth, ':' follows '9').
    for (const char *name :
         {"2026-12-07_191503Z_idZ1_ttyUSB0.sin", "2026-12-07_191503Z_id01ttyUSB0.sin",
          "2026-12-07_191503Z_id01_.sin", "2026-12-07_191503Z_id01_tty USB0.sin",
          "2026-12-07_191503Z_id01_ttyUSB0.1000.sin", "2026-12-07_191503Z_id01_ttyUSB0.1a.sin",
          "2026-0:-07_191503Z_id01_ttyUSB0.sin", "2026-13-07_191503Z_id01_ttyUSB0.sin",
          "2026-12-07_241503Z_id01_ttyUSB0.sin", "2026-12-07T191503Z_id01_ttyUSB0.sin", "notes.sin",
          "2026-12-07_191503Z_id01_ttyUSB0.txt"})
        EXPECT_FALSE(parseBackupFileName(name)) << name;
}

// A folder set with a trailing slash names the same folder; the root stays the root.
TEST(BackupStoreFolder, TrailingSlashesGoButTheRootStays)
{
    EXPECT_EQ(BackupStore("/srv/kx9/backups//").folder(), "/srv/kx9/backups");
    EXPECT_EQ(BackupStore("///").folder(), "/");
}

} // namespace kx9::document_test
