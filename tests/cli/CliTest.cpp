#include "ProgramRun.h"

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kx9::test::CliRun;
using kx9::test::lines;
using kx9::test::slurp;

using CliTest = kx9::test::CliFixture;

// Type names as people type them; a resave of a saved file changes nothing.
TEST_F(CliTest, NewAndResaveWriteTheGoldenFiles)
{
    const std::pair<std::vector<std::string>, const char *> runs[] = {
        {{"new", "-o", path("n.sin")}, "new-pmr-lpd.sin"},
        {{"new", "--type", "400-470MHz", "-o", path("f.sin")}, "new-400-470.sin"},
        {{"new", "--type=pmr+lpd", "--output", path("h.sin")}, "new-pmr-lpd.sin"},
        {{"resave", data("hand-set.sin"), "-o", path("r.sin")}, "hand-set.sin"},
    };
    for (const auto &[args, golden] : runs) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(slurp(args.back()), slurp(data(golden))) << args.back();
    }
}

TEST_F(CliTest, TablePrintsHeaderAnd128RowsInEitherLanguage)
{
    CliRun r = cli({"table", data("hand-set.sin")});
    ASSERT_EQ(r.status, 0) << r.err;
    auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 129u);
    EXPECT_EQ(rows[0], "CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone\tTx Tone\t W/N \tScan\tTx "
                       "Power\tBusyLock\tName");
    EXPECT_EQ(rows[1],
              "CH-P01\t446.00625\t446.00625\t67.0\tD023N\tWide\tNo\tHigh\tCarrier\tCH 1-A");
    EXPECT_EQ(rows[2], "CH-P02\t446.01250\t446.51250\tD754I\t254.1\tNarrow\tYes\tLow\tQT/DQT\tAB");
    EXPECT_EQ(rows[3], "CH-P03\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(rows[78], "\t\t\t\t\t\t\t\t\t");

    r = cli({"table", data("hand-set.sin"), "--lang", "zh"});
    ASSERT_EQ(r.status, 0) << r.err;
    rows = lines(r.out);
    ASSERT_EQ(rows.size(), 129u);
    EXPECT_EQ(rows[0].substr(0, 7), "频道\t");
    EXPECT_EQ(rows[9], "CH-L01\t433.07500\t433.07500\tOff\tOff\t宽\t是\t低\t关闭\t");
}

TEST_F(CliTest, InfoShowsOneNameValuePerLine)
{
    CliRun r = cli({"info", data("hand-set.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "radio type: PMR+LPD\nradio identity: 0x42\npower rank: 3\n"
                     "manual setting: Close\nchannels in use: 76\n");
    r = cli({"info", data("new-400-470.sin")});
    EXPECT_EQ(r.out, "radio type: 400-470MHz\nradio identity: 0xFF\npower rank: 9\n"
                     "manual setting: Open\nchannels in use: 0\n");
}

// A command that fails says why on stderr with its status (1: trouble, 2: a
// wrong command line) and writes nothing. In the arguments and the message,
// '@' is the test's folder and '%' the test data's.
struct Refusal
{
    const char *name;
    std::vector<std::string> args;
    int status;
    std::string said; // part of stderr
};

class CliRefusal : public CliTest, public ::testing::WithParamInterface<Refusal>
{
protected:
    std::string expand(std::string text) const
    {
        for (std::size_t at; (at = text.find_first_of("@%")) != std::string::npos;)
            text.replace(at, 1, text[at] == '@' ? (m_dir / "").string() : data(""));
        return text;
    }
};

TEST_P(CliRefusal, SaysWhyWithItsStatusAndWritesNothing)
{
    const Refusal &c = GetParam();
    kx9::test::writeFile(m_dir / "short.sin", "short");
    kx9::test::writeFile(m_dir / "nolist.csv", "just,some,words\r\n");
    fs::create_directory(m_dir / "folder");
    std::vector<std::string> args;
    for (const std::string &arg : c.args)
        args.push_back(expand(arg));
    const CliRun r = cli(args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(expand(c.said)), std::string::npos) << r.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);
}

const std::string kTwice = "takes one value; it is given more than once";

const Refusal kRefusals[] = {
    {"MissingFile",
     {"table", "@missing.sin"},
     1,
     "kx9-cli: cannot open @missing.sin: No such file or directory\n"},
    {"ShortFile",
     {"resave", "@short.sin", "-o", "@out.sin"},
     1,
     "short.sin is not a channel file: it holds 5 bytes"},
    {"UnknownType", {"new", "--type", "UHF", "-o", "@out.sin"}, 2, "unknown type \"UHF\""},
    {"NoFolder", {"new", "-o", "@no/folder/out.sin"}, 1, "cannot write"},
    {"NewWithoutOutput", {"new"}, 2, ""},
    {"UnknownLanguage", {"table", "%hand-set.sin", "--lang", "fr"}, 2, ""},
    {"InfoWithoutFile", {"info"}, 2, ""},
    {"UnknownOption", {"info", "--bogus", "%hand-set.sin"}, 2, ""},
    {"OutputWithoutName", {"resave", "%hand-set.sin", "-o"}, 2, ""},
    {"UnknownCommand", {"frobnicate"}, 2, ""},
    // A flag takes no value: "--yes=no" must not be taken as a yes.
    {"ValueToYes", {"write", "--port", "@p", "--yes=no", "%hand-set.sin"}, 2, ""},
    {"ValueToVerify", {"write", "--port", "@p", "--verify=no", "%hand-set.sin"}, 2, ""},
    {"SamePortTwice",
     {"write", "--port", "@p", "--port", "@p", "--yes", "@none.sin"},
     2,
     "given twice"},
    {"NotAList",
     {"import", "@nolist.csv", "--into", "%hand-set.sin", "-o", "@out.sin"},
     1,
     "kx9-cli: @nolist.csv: no channel list: the header line has no Location column\n"},
    {"MissingList",
     {"import", "@missing.csv", "--into", "%hand-set.sin", "-o", "@out.sin"},
     1,
     "cannot open @missing.csv"},
    {"ExportToNoFolder", {"export", "%hand-set.sin", "-o", "@no/folder/x.csv"}, 1, "cannot write"},
    // diff keeps diff(1)'s statuses: 2 when a file cannot be read.
    {"DiffOfAMissingFile", {"diff", "%hand-set.sin", "@missing.sin"}, 2, "missing.sin"},
    {"DiffOfOneFile", {"diff", "%hand-set.sin"}, 2, ""},
    {"ImportWithoutInto", {"import", "@nolist.csv", "-o", "@out.sin"}, 2, ""},
    {"ImportWithoutOutput", {"import", "@nolist.csv", "--into", "%hand-set.sin"}, 2, ""},
    {"ExportWithoutFile", {"export"}, 2, ""},
    {"ExportUnknownOption", {"export", "%hand-set.sin", "--bogus"}, 2, ""},
    // A second value would silently replace the first; options meant to be
    // repeated (options --set) are not refused.
    {"OutputTwice", {"new", "-o", "@a.sin", "--output", "@b.sin", "-o", "@c.sin"}, 2, kTwice},
    {"TypeTwice", {"new", "--type", "PMR", "--type=PMR", "-o", "@a.sin"}, 2, kTwice},
    {"ResaveOutputTwice", {"resave", "%hand-set.sin", "-o", "@a.sin", "-o", "@b.sin"}, 2, kTwice},
    {"LanguageTwice", {"table", "%hand-set.sin", "--lang", "en", "--lang", "zh"}, 2, kTwice},
    {"OptionsOutputTwice",
     {"options", "%hand-set.sin", "--set", "Squelch Level=3", "-o", "@a", "--output=b"},
     2,
     kTwice},
    {"PageSizeTwice",
     {"report", "%hand-set.sin", "--page-size", "A4", "--page-size", "Letter", "-o", "@a"},
     2,
     kTwice},
    {"IntoTwice",
     {"import", "%hand-set.sin", "--into", "%hand-set.sin", "--into", "%hand-set.sin", "-o", "@a"},
     2,
     kTwice},
    {"PortTwice", {"power", "--port", "@p", "--port", "@q", "high"}, 2, kTwice},
    {"FrequencyTwice",
     {"debug", "--port", "@p", "--freq", "1", "--freq", "2", "rx", "446"},
     2,
     kTwice},
    // A read takes ten seconds: an output that cannot be written is refused
    // before the port is opened, with the reason.
    {"ReadIntoNoFolder",
     {"read", "--port", "@no-such-port", "-o", "@no/folder/out.sin"},
     1,
     "kx9-cli: cannot write @no/folder/out.sin: No such file or directory\n"},
    {"ReadIntoAFolder",
     {"read", "--port", "@no-such-port", "-o", "@folder"},
     1,
     "kx9-cli: cannot write @folder: it is a folder, not a regular file\n"},
};

INSTANTIATE_TEST_SUITE_P(Commands, CliRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

// Runs kx9-cli as another user (only root can); returns the exit status.
int cliAs(uid_t uid, gid_t gid, std::vector<std::string> args)
{
    args.insert(args.begin(), KX9_CLI);
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(99);
        ::execv(KX9_CLI, argv.data());
        ::_exit(98);
    }
    return kx9::test::waitBounded(child);
}

// A save is a plain write: in a folder everyone may write, a read-only file
// and another user's file are refused, and a file the group may write is
// written and stays its owner's; a file of one's own in a folder one may not
// write is written where it is.
TEST_F(CliTest, ResaveAsAnotherUserTreatsTheTargetAsAPlainWriteWould)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    constexpr uid_t kNobody = 65534;
    constexpr gid_t kNogroup = 65534;
    const fs::path shared = m_dir / "shared";
    const fs::path closed = m_dir / "closed"; // root's, not writable by others
    fs::create_directory(shared);
    fs::create_directory(closed);
    fs::permissions(shared, fs::perms::all);
    struct Target
    {
        fs::path file;
        uid_t owner;
        fs::perms mode;
        bool written;
    };
    using P = fs::perms;
    const P rw = P::owner_read | P::owner_write;
    for (const Target &t :
         {Target{shared / "read-only.sin", kNobody, P::owner_read | P::group_read, false},
          Target{shared / "root.sin", 0, rw, false},
          Target{shared / "group.sin", 0, rw | P::group_read | P::group_write, true},
          Target{closed / "own.sin", kNobody, rw, true}}) {
        std::ofstream(t.file) << "old";
        ASSERT_EQ(::chown(t.file.c_str(), t.owner, kNogroup), 0);
        fs::permissions(t.file, t.mode);

        EXPECT_EQ(cliAs(kNobody, kNogroup, {"resave", data("hand-set.sin"), "-o", t.file}),
                  t.written ? 0 : 1)
            << t.file;
        EXPECT_EQ(slurp(t.file), t.written ? slurp(data("hand-set.sin")) : "old") << t.file;
        struct stat info = {};
        ::stat(t.file.c_str(), &info);
        EXPECT_EQ(info.st_uid, t.owner) << t.file;
        EXPECT_EQ(fs::status(t.file).permissions(), t.mode) << t.file;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(closed), fs::directory_iterator()), 1);
}

// Output that never reached its destination is a failure of every command.
TEST_F(CliTest, OutputToAFullDeviceFailsTheCommand)
{
    const std::vector<std::vector<std::string>> commands{
        {"--help"},
        {"help", "read"},
        {"info", data("hand-set.sin")},
        {"table", data("hand-set.sin")},
        {"resave", "--help"},
        {"ports"},
        {"export", data("hand-set.sin")},
        {"diff", data("hand-set.sin"), data("new-pmr-lpd.sin")},
        {"options", data("hand-set.sin")},
        {"report", data("hand-set.sin"), "-o", "-"},
    };
    for (const auto &command : commands) {
        const CliRun r = cli(command, "/dev/full");
        // diff keeps 2 for trouble, apart from 1 for "the files differ".
        EXPECT_EQ(r.status, command[0] == "diff" ? 2 : 1) << command[0];
        EXPECT_EQ(r.err, "kx9-cli: cannot write to standard output: No space left on device\n");
    }
}

// Runs kx9-cli with standard output into a pipe whose reader has gone, with
// SIGPIPE as a shell leaves it.
CliRun cliIntoClosedPipe(const fs::path &folder, std::vector<std::string> args)
{
    args.insert(args.begin(), KX9_CLI);
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    ::close(pipeEnds[0]);
    const std::string errFile = (folder / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) == 0) {
        ::close(pipeEnds[1]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    run.err = slurp(errFile);
    return run;
}

// A reader that stopped early (| head) is an output failure with its reason,
// not a silent death by SIGPIPE (141).
TEST_F(CliTest, OutputToAClosedPipeFailsWithTheReason)
{
    for (const auto &command :
         std::vector<std::vector<std::string>>{{"table", data("hand-set.sin")},
                                               {"export", data("hand-set.sin")},
                                               {"report", data("hand-set.sin"), "-o", "-"}}) {
        const CliRun r = cliIntoClosedPipe(m_dir, command);
        EXPECT_EQ(r.status, 1) << command[0];
        EXPECT_EQ(r.err, "kx9-cli: cannot write to standard output: Broken pipe\n") << command[0];
    }
}

// report needs no display, even where the session names one it cannot
// reach, and leaves no runtime folder behind in the temporary folder.
TEST_F(CliTest, ReportNeedsNoDisplayNorARuntimeFolder)
{
    const fs::path tmp = m_dir / "tmp";
    fs::create_directory(tmp);
    const CliRun r = kx9::test::runProgram(
        m_dir, {"/usr/bin/env", "-u", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM=xcb",
                "DISPLAY=", "TMPDIR=" + tmp.string(), KX9_CLI, "report", data("hand-set.sin"), "-o",
                path("r.pdf")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(slurp(path("r.pdf")).starts_with("%PDF-"));
    EXPECT_TRUE(fs::is_empty(tmp));
}

} // namespace
