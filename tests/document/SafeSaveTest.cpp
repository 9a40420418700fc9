// The one safe save treats its target as a plain write would, and never
// lets a planted name or another user's file be turned against the user.
// What another user may write is tried with kx9-cli (CliTest), which can run
// as that user.

#include "SafeSave.h"
#include "Document.h"
#include "SafetyTexts.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <set>
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
using test::readBytes;
using Dir = const fs::path &;

constexpr uid_t kNobody = 65534;
constexpr uid_t kFolderOwner = 1;

const std::vector<std::uint8_t> kOld{'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew(kChannelFileSize, 0x5A);
const std::string kLongName = std::string(251, 'n') + ".sin"; // the system's limit

bool isRoot()
{
    return ::geteuid() == 0;
}

struct stat statOf(const fs::path &path)
{
    struct stat info = {};
    ::lstat(path.c_str(), &info);
    return info;
}

// Old bytes in the given mode; root gives the file away, so that a save by
// root must keep another user's owner and group.
void plantOld(const fs::path &path, mode_t mode)
{
    test::writeFile(path, kOld);
    ::chmod(path.c_str(), mode);
    if (isRoot())
        (void)::chown(path.c_str(), kNobody, kNobody);
}

// The folder's names, sub-folders included, sorted: "a->b" for a link, "d/" for a folder.
std::string listing(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &e : fs::recursive_directory_iterator(folder))
        names.insert(e.path().lexically_relative(folder).string() +
                     (e.is_symlink()     ? "->" + fs::read_symlink(e.path()).string()
                      : e.is_directory() ? "/"
                                         : ""));
    std::string joined;
    for (const std::string &name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

using SafeSaveTest = test::TempFolderTest;

// --- What stands at the name ---------------------------------------------------

// A save under the umask 027; unless refused, the file then holding the new
// bytes (the target when not named) keeps its mode, owner and group, or, new,
// gets what the umask allows.
struct SaveCase
{
    const char *name;
    void (*plant)(Dir);
    std::string target;
    const TextPair *why;
    std::string after; // the folder's listing
    std::string written = "";
};

class SaveTargetTest : public SafeSaveTest, public ::testing::WithParamInterface<SaveCase>
{
};

TEST_P(SaveTargetTest, IsSavedAsAPlainWriteWouldOrRefused)
{
    const SaveCase &c = GetParam();
    c.plant(m_dir);
    if (IsSkipped())
        return;
    const fs::path written = m_dir / (c.written.empty() ? c.target : c.written);
    const bool existed = fs::is_regular_file(written);
    const struct stat before = statOf(written);

    EXPECT_EQ(checkSaveTarget(m_dir / c.target).why, c.why);
    const mode_t umask = ::umask(027);
    const SafeSaveResult r = saveFileSafely(m_dir / c.target, kNew);
    ::umask(umask);
    EXPECT_EQ(r.ok, c.why == nullptr) << r.reason;
    EXPECT_EQ(r.why, c.why);
    EXPECT_EQ(listing(m_dir), c.after);
    if (c.why != nullptr) {
        EXPECT_EQ(r.reason, c.why->en);
        if (existed) { // a planted file or the file a planted link names
            EXPECT_EQ(readBytes(written), kOld);
        }
        return;
    }
    EXPECT_EQ(readBytes(written), kNew);
    const struct stat after = statOf(written);
    EXPECT_EQ(after.st_mode & 07777, existed ? before.st_mode & 07777 : 0640u);
    EXPECT_EQ(after.st_uid, existed ? before.st_uid : ::geteuid());
    EXPECT_EQ(after.st_gid, existed ? before.st_gid : ::getegid());
}

template <mode_t Mode> void oldFile(Dir d)
{
    plantOld(d / "r.sin", Mode);
}

void readOnlyForRoot(Dir d)
{
    if (!isRoot())
        GTEST_SKIP() << "refused for anyone else";
    plantOld(d / "r.sin", 0444);
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

void nothing(Dir) {}
void danglingLink(Dir d)
{
    fs::create_symlink("none", d / "r.sin");
}
void oldLongName(Dir d)
{
    plantOld(d / kLongName, 0644);
}

// In a folder like /tmp (sticky and world-writable), a name or a link of a
// chain that a third user planted is refused; one of ours or of the folder's
// owner is used as anywhere else, and a folder that is only one of the two
// is no shared folder (a colleague's file in a 0777 project folder). What is
// planted: 'F' the file, 'L' a link to ours, 'B' such a link behind a link of ours.
template <mode_t Mode, char What, uid_t Owner> void shared(Dir d)
{
    if (!isRoot())
        GTEST_SKIP() << "needs root to play three users";
    fs::create_directory(d / "s");
    ASSERT_EQ(::chown((d / "s").c_str(), kFolderOwner, kFolderOwner), 0);
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
// left as it was: 'd' a folder, 'p' a FIFO, 's' a socket, 'c' a copy of
// /dev/null, which only root can make.
template <char Kind> void node(Dir d)
{
    const fs::path n = d / "n";
    bool made = false;
    if (Kind == 'd')
        made = ::mkdir(n.c_str(), 0755) == 0;
    if (Kind == 'p')
        made = ::mkfifo(n.c_str(), 0644) == 0;
    if (Kind == 'c')
        made = ::mknod(n.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (Kind == 's') {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", n.c_str());
        made = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        ::close(fd);
    }
    if (!made)
        GTEST_SKIP() << "cannot make such a node here";
    fs::create_symlink("n", d / "l");
}

constexpr uid_t kOwner = kFolderOwner;
const std::string kLinked = "p s/ s/x->../p", kBehind = "p s/ s/evil->../p s/x->evil";

const SaveCase kSaveCases[] = {
    {"Folder", node<'d'>, "n", &text::kTargetIsFolder, "l->n n/"},
    {"LinkToAFolder", node<'d'>, "l", &text::kTargetIsFolder, "l->n n/"},
    {"Fifo", node<'p'>, "n", &text::kTargetIsFifo, "l->n n"},
    {"LinkToAFifo", node<'p'>, "l", &text::kTargetIsFifo, "l->n n"},
    {"Socket", node<'s'>, "n", &text::kTargetIsSocket, "l->n n"},
    {"LinkToASocket", node<'s'>, "l", &text::kTargetIsSocket, "l->n n"},
    {"Device", node<'c'>, "n", &text::kTargetIsDevice, "l->n n"},
    {"LinkToADevice", node<'c'>, "l", &text::kTargetIsDevice, "l->n n"},
    {"PlantedLink", shared<01777, 'L', kNobody>, "s/x", &text::kTargetIsPlantedLink, kLinked, "p"},
    {"PlantedFile", shared<01777, 'F', kNobody>, "s/x", &text::kTargetIsPlantedFile, "s/ s/x"},
    {"PlantedLinkBehindOurs", shared<01777, 'B', kNobody>, "s/x", &text::kTargetIsPlantedLink,
     kBehind, "p"},
    {"FolderOwnersLinkBehindOurs", shared<01777, 'B', kOwner>, "s/x", nullptr, kBehind, "p"},
    {"FolderOwnersLink", shared<01777, 'L', kOwner>, "s/x", nullptr, kLinked, "p"},
    {"OurFileInSharedFolder", shared<01777, 'F', 0>, "s/x", nullptr, "s/ s/x"},
    {"OnlyWorldWritableFile", shared<0777, 'F', kNobody>, "s/x", nullptr, "s/ s/x"},
    {"OnlyWorldWritableLink", shared<0777, 'L', kNobody>, "s/x", nullptr, kLinked, "p"},
    {"OnlyStickyFile", shared<01755, 'F', kNobody>, "s/x", nullptr, "s/ s/x"},
    {"OnlyStickyLinkBehindOurs", shared<01755, 'B', kNobody>, "s/x", nullptr, kBehind, "p"},
    {"Mode0600", oldFile<0600>, "r.sin", nullptr, "r.sin"},
    {"Mode0640", oldFile<0640>, "r.sin", nullptr, "r.sin"},
    {"Mode0604", oldFile<0604>, "r.sin", nullptr, "r.sin"},
    {"ReadOnlyForRoot", readOnlyForRoot, "r.sin", nullptr, "r.sin"},
    {"NewFile", nothing, "new.sin", nullptr, "new.sin"},
    {"LinkIsFollowedAndStays", linkToAFileElsewhere, "r.sin", nullptr, "d/ d/r.sin r.sin->d/r.sin",
     "d/r.sin"},
    {"LinkToNothing", danglingLink, "r.sin", &text::kTargetIsDanglingLink, "r.sin->none"},
    {"HardLinkedNames", hardLinkedNames, "a.sin", nullptr, "a.sin b.sin", "b.sin"},
    {"NameAtTheLimitCreated", nothing, kLongName, nullptr, kLongName},
    {"NameAtTheLimitReplaced", oldLongName, kLongName, nullptr, kLongName},
};

INSTANTIATE_TEST_SUITE_P(Targets, SaveTargetTest, ::testing::ValuesIn(kSaveCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SafeSaveTest, DocumentWordsARefusalInItsLanguage)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    const FileResult r = Document().save(path("pipe"), Language::Chinese);
    EXPECT_EQ(r.error, FileError::CannotWrite);
    EXPECT_EQ(r.message, "无法写入 " + path("pipe") + "：它是管道，不是普通文件");
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
    g_target = m_dir / "radio.sin";
    if (c.existing)
        test::writeFile(g_target, kOld);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        detail::temporaryFileCreated = c.hook;
        ::_exit(saveFileSafely(g_target, kNew).why == &text::kTargetReplaced ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), c.ended);
    EXPECT_EQ(listing(m_dir), "radio.sin");
    EXPECT_EQ(readBytes(g_target), *c.after);
}

void signalled()
{
    ::raise(SIGTERM);
}
void replaced()
{
    test::writeFile(g_target.parent_path() / "other", kOther);
    fs::rename(g_target.parent_path() / "other", g_target);
}

const MomentCase kMoments[] = {{"SignalForANewFile", false, signalled, 128 + SIGTERM, &kNew},
                               {"SignalForAnExistingFile", true, signalled, 128 + SIGTERM, &kNew},
                               {"TargetReplaced", true, replaced, 1, &kOther}};

INSTANTIATE_TEST_SUITE_P(Moments, SaveMomentTest, ::testing::ValuesIn(kMoments),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kx9
