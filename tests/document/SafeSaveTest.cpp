// The one safe save treats its target as a plain write would, and never
// lets a planted name or another user's file be turned against the user.
// What another user may write is tried with kx9-cli (CliTest), which can run
// as that user.

#include "SafeSave.h"
#include "Document.h"
#include "GoldenFiles.h"
#include "SafetyTexts.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kx9 {
namespace {

namespace fs = std::filesystem;
using golden::readBytes;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

const std::vector<std::uint8_t> kOld{'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew(kChannelFileSize, 0x5A);

bool isRoot()
{
    return ::geteuid() == 0;
}

void writeFile(const fs::path &path, const std::vector<std::uint8_t> &bytes, mode_t mode)
{
    test::writeFile(path, bytes);
    ::chmod(path.c_str(), mode);
}

struct stat statOf(const fs::path &path)
{
    struct stat info = {};
    ::lstat(path.c_str(), &info);
    return info;
}

std::vector<std::string> entries(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SafeSaveTest : public test::TempFolderTest
{
protected:
    fs::path file(const char *name) const { return m_dir / name; }
};

// --- Targets that are not regular files ---------------------------------------------

enum class NodeKind { Folder, Fifo, Socket, Device };

struct NonRegularCase
{
    const char *name;
    NodeKind kind;
    const TextPair *why;
};

class NonRegularTargetTest : public SafeSaveTest,
                             public ::testing::WithParamInterface<NonRegularCase>
{
protected:
    // False when this user cannot make such a node.
    bool make(const fs::path &path) const
    {
        switch (GetParam().kind) {
        case NodeKind::Folder:
            return ::mkdir(path.c_str(), 0755) == 0;
        case NodeKind::Fifo:
            return ::mkfifo(path.c_str(), 0644) == 0;
        case NodeKind::Device: // a copy of /dev/null, which only root can make
            return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        case NodeKind::Socket: {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
            const bool bound =
                ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
            ::close(fd);
            return bound;
        }
        }
        return false;
    }
};

TEST_P(NonRegularTargetTest, IsRefusedAndLeftAsItWas)
{
    const fs::path node = file("node");
    if (!make(node))
        GTEST_SKIP() << "cannot make a " << GetParam().name << " here";
    ASSERT_EQ(::symlink("node", file("link").c_str()), 0);
    const mode_t type = statOf(node).st_mode & S_IFMT;

    for (const fs::path &target : {node, file("link")}) {
        const SafeSaveResult r = saveFileSafely(target, kNew);
        EXPECT_FALSE(r.ok) << target;
        EXPECT_EQ(r.why, GetParam().why) << target;
        EXPECT_EQ(r.reason, GetParam().why->en) << target;
    }
    EXPECT_EQ(statOf(node).st_mode & S_IFMT, type);
    EXPECT_TRUE(fs::is_symlink(file("link")));
    EXPECT_EQ(entries(m_dir), (std::vector<std::string>{"link", "node"}));
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, NonRegularTargetTest,
    ::testing::Values(NonRegularCase{"folder", NodeKind::Folder, &text::kTargetIsFolder},
                      NonRegularCase{"fifo", NodeKind::Fifo, &text::kTargetIsFifo},
                      NonRegularCase{"socket", NodeKind::Socket, &text::kTargetIsSocket},
                      NonRegularCase{"device", NodeKind::Device, &text::kTargetIsDevice}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SafeSaveTest, DocumentWordsARefusalInItsLanguage)
{
    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0644), 0);
    Document doc;
    const FileResult r = doc.save(file("pipe"), Language::Chinese);
    EXPECT_EQ(r.error, FileError::CannotWrite);
    EXPECT_EQ(r.message, "无法写入 " + file("pipe").string() + "：它是管道，不是普通文件");
}

// --- Links ----------------------------------------------------------------------

TEST_F(SafeSaveTest, LinkIsFollowedTheFileItNamesIsReplacedAndTheLinkStays)
{
    fs::create_directory(file("real"));
    writeFile(file("real") / "radio.sin", kOld, 0640);
    ASSERT_EQ(::symlink("real/radio.sin", file("radio.sin").c_str()), 0);

    const SafeSaveResult r = saveFileSafely(file("radio.sin"), kNew);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_FALSE(r.inPlace);
    ASSERT_TRUE(fs::is_symlink(file("radio.sin")));
    EXPECT_EQ(fs::read_symlink(file("radio.sin")), "real/radio.sin");
    EXPECT_EQ(readBytes(file("real") / "radio.sin"), kNew);
    EXPECT_EQ(statOf(file("real") / "radio.sin").st_mode & 07777, 0640u);
    EXPECT_EQ(entries(m_dir), (std::vector<std::string>{"radio.sin", "real"}));
    EXPECT_EQ(entries(file("real")), std::vector<std::string>{"radio.sin"});
}

TEST_F(SafeSaveTest, LinkToAMissingFileIsRefusedAndCreatesNothing)
{
    ASSERT_EQ(::symlink("elsewhere.sin", file("radio.sin").c_str()), 0);
    const SafeSaveResult r = saveFileSafely(file("radio.sin"), kNew);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.why, &text::kTargetIsDanglingLink);
    EXPECT_EQ(entries(m_dir), std::vector<std::string>{"radio.sin"});
}

// --- Mode, owner and the right to write ---------------------------------------------

TEST_F(SafeSaveTest, ReplacedFileKeepsItsModeOwnerAndGroup)
{
    // Root replaces another user's file: the file stays theirs.
    const uid_t owner = isRoot() ? kNobody : ::geteuid();
    const gid_t group = isRoot() ? kNogroup : ::getegid();
    for (const mode_t mode : {0600u, 0640u, 0604u, 0444u}) {
        if (mode == 0444u && !isRoot())
            continue; // refused for anyone else; see below
        writeFile(file("radio.sin"), kOld, mode);
        ASSERT_EQ(::chown(file("radio.sin").c_str(), owner, group), 0);

        const SafeSaveResult r = saveFileSafely(file("radio.sin"), kNew);
        ASSERT_TRUE(r.ok) << r.reason;
        const struct stat after = statOf(file("radio.sin"));
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(after.st_uid, owner);
        EXPECT_EQ(after.st_gid, group);
        EXPECT_EQ(readBytes(file("radio.sin")), kNew);
        EXPECT_EQ(entries(m_dir), std::vector<std::string>{"radio.sin"});
    }
}

TEST_F(SafeSaveTest, NewFileGetsTheModeTheUmaskAllows)
{
    const mode_t old = ::umask(027);
    const SafeSaveResult r = saveFileSafely(file("new.sin"), kNew);
    ::umask(old);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(statOf(file("new.sin")).st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(file("new.sin")), kNew);
}

// --- Shared folders ----------------------------------------------------------------

// In a folder like /tmp (sticky and world-writable), a name or a link of a
// chain that a third user planted is refused; one of ours or of the folder's
// owner is used as anywhere else, and a folder that is only one of the two
// is no shared folder (a colleague's file in a 0777 project folder).
enum class Planted { File, Link, LinkBehindOurLink };

struct SharedCase
{
    const char *name;
    mode_t folderMode;
    Planted what;
    uid_t owner; // of the file, or of the link that is not ours
    const TextPair *refusal;
};

class SharedFolderTest : public SafeSaveTest, public ::testing::WithParamInterface<SharedCase>
{
};

constexpr uid_t kFolderOwner = 1;

TEST_P(SharedFolderTest, PlantedNamesAreRefused)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to play three users";
    const SharedCase &c = GetParam();
    const fs::path shared = file("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chown(shared.c_str(), kFolderOwner, kFolderOwner), 0);
    ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
    const fs::path target = shared / "x.sin";
    const fs::path precious = c.what == Planted::File ? target : file("precious");
    writeFile(precious, kOld, 0666);
    const fs::path planted = c.what == Planted::LinkBehindOurLink ? shared / "evil" : target;
    if (c.what != Planted::File)
        ::symlink(precious.c_str(), planted.c_str());
    if (c.what == Planted::LinkBehindOurLink)
        ::symlink("evil", target.c_str()); // ours, naming the other user's link
    ASSERT_EQ(::lchown(planted.c_str(), c.owner, c.owner), 0);

    for (const SafeSaveResult &r : {checkSaveTarget(target), saveFileSafely(target, kNew)}) {
        EXPECT_EQ(r.ok, c.refusal == nullptr) << r.reason;
        EXPECT_EQ(r.why, c.refusal);
    }
    EXPECT_EQ(readBytes(precious), c.refusal ? kOld : kNew);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SharedFolderTest,
    ::testing::Values(
        SharedCase{"PlantedLink", 01777, Planted::Link, kNobody, &text::kTargetIsPlantedLink},
        SharedCase{"PlantedFile", 01777, Planted::File, kNobody, &text::kTargetIsPlantedFile},
        SharedCase{"PlantedLinkBehindOurLink", 01777, Planted::LinkBehindOurLink, kNobody,
                   &text::kTargetIsPlantedLink},
        SharedCase{"FolderOwnersLinkBehindOurLink", 01777, Planted::LinkBehindOurLink, kFolderOwner,
                   nullptr},
        SharedCase{"FolderOwnersLink", 01777, Planted::Link, kFolderOwner, nullptr},
        SharedCase{"OurFile", 01777, Planted::File, 0, nullptr},
        SharedCase{"OnlyWorldWritableFile", 0777, Planted::File, kNobody, nullptr},
        SharedCase{"OnlyWorldWritableLink", 0777, Planted::Link, kNobody, nullptr},
        SharedCase{"OnlyStickyFile", 01755, Planted::File, kNobody, nullptr},
        SharedCase{"OnlyStickyLinkBehindOurLink", 01755, Planted::LinkBehindOurLink, kNobody,
                   nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Several names, long names ----------------------------------------------------------

TEST_F(SafeSaveTest, EveryHardLinkedNameShowsTheNewBytes)
{
    writeFile(file("a.sin"), kOld, 0640);
    ASSERT_EQ(::link(file("a.sin").c_str(), file("b.sin").c_str()), 0);
    const SafeSaveResult r = saveFileSafely(file("a.sin"), kNew);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_TRUE(r.inPlace);
    EXPECT_EQ(readBytes(file("b.sin")), kNew);
    EXPECT_EQ(statOf(file("a.sin")).st_nlink, 2u);
    EXPECT_EQ(entries(m_dir), (std::vector<std::string>{"a.sin", "b.sin"}));
}

TEST_F(SafeSaveTest, NameAtTheSystemsLimitIsSaved)
{
    const std::string name = std::string(251, 'n') + ".sin";
    for (int round = 0; round < 2; ++round) { // created, then replaced
        const SafeSaveResult r = saveFileSafely(m_dir / name, kNew);
        ASSERT_TRUE(r.ok) << r.reason;
    }
    EXPECT_EQ(entries(m_dir), std::vector<std::string>{name});
}

// --- The moment the temporary file exists -----------------------------------------------

// A signal then ends the program only once the save is complete, and leaves
// no temporary file behind. A file that another program renamed over the
// target meanwhile is not overwritten: the save is refused.
const std::vector<std::uint8_t> kOther{'o', 't', 'h', 'e', 'r'};
fs::path g_target;

struct MomentCase
{
    const char *name;
    bool existing;
    void (*hook)();
    int ended; // 128 + the signal that ended the save, or 1 when refused as replaced
    const std::vector<std::uint8_t> *after;
};

class SaveMomentTest : public SafeSaveTest, public ::testing::WithParamInterface<MomentCase>
{
};

TEST_P(SaveMomentTest, EndsWithTheTargetWholeAndNoTemporaryFile)
{
    const MomentCase &c = GetParam();
    g_target = file("radio.sin");
    if (c.existing)
        writeFile(g_target, kOld, 0644);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        detail::temporaryFileCreated = c.hook;
        ::_exit(saveFileSafely(g_target, kNew).why == &text::kTargetReplaced ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), c.ended);
    EXPECT_EQ(entries(m_dir), std::vector<std::string>{"radio.sin"});
    EXPECT_EQ(readBytes(g_target), *c.after);
}

void raiseTerm()
{
    ::raise(SIGTERM);
}

void renameAnotherFileOver()
{
    test::writeFile(g_target.parent_path() / "other", kOther);
    fs::rename(g_target.parent_path() / "other", g_target);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, SaveMomentTest,
    ::testing::Values(MomentCase{"SignalForANewFile", false, raiseTerm, 128 + SIGTERM, &kNew},
                      MomentCase{"SignalForAnExistingFile", true, raiseTerm, 128 + SIGTERM, &kNew},
                      MomentCase{"TargetReplaced", true, renameAnotherFileOver, 1, &kOther}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kx9
