#include "CliRuns.h"

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kx9::test::CliRun;
using kx9::test::kRefusedLines;
using kx9::test::runProgram;
using kx9::test::slurp;
using kx9::test::writeFile;
using CliTest = kx9::test::CliTest;

// On success what a command prints (part of standard output) and the file it
// writes (@out.sin) byte for byte, type names as people type them, a resave
// changing nothing; on failure why on stderr with its status (1: trouble, 2:
// a wrong command line); nothing else written.
struct Case
{
    const char *name;
    const char *command;
    int status;
    std::string said; // part of standard output on success, of stderr otherwise
    const char *golden = nullptr;
    friend void PrintTo(const Case &c, std::ostream *os) { *os << c.command; }
};

class CliCommand : public CliTest, public ::testing::WithParamInterface<Case>
{
};

TEST_P(CliCommand, DoesWhatItPromisesOrSaysWhyAndWritesNothing)
{
    const Case &c = GetParam();
    writeFile(m_dir / "short.sin", "short");
    writeFile(m_dir / "nolist.csv", "just,some,words\r\n");
    writeFile(m_dir / "lines.csv", kRefusedLines);
    writeFile(m_dir / "esc.csv", "Location,Name,Frequency,Mode\r\n1,\x1b[31mred,446.018750,"
                                 "FM\r\n2,x,446.018750,\x1b]0;title\x07\r\n3,\xC2\x9B"
                                 "1m,446.03125,FM\r\n");
    fs::create_directory(m_dir / "folder");
    const CliRun r = run(c.command);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(c.status == 0 ? r.err : r.out, "");
    // Text from the files reaches the terminal escaped: a name sends no escape sequence.
    EXPECT_EQ(r.err.find_first_of("\x1b\x07"), std::string::npos) << r.err;
    const std::string &said = c.status == 0 ? r.out : r.err;
    EXPECT_NE(said.find(expand(c.said)), std::string::npos) << said;
    if (c.golden != nullptr)
        EXPECT_EQ(slurp(path("out.sin")), slurp(data(c.golden)));
    else
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 5);
}

const std::string kTwice = "takes one value; it is given more than once";

const Case kCases[] = {
    {"New", "new -o @out.sin", 0, "", "new-pmr-lpd.sin"},
    {"NewOfAType", "new --type 400-470MHz -o @out.sin", 0, "", "new-400-470.sin"},
    {"NewTypeInAnyCase", "new --type=pmr+lpd --output @out.sin", 0, "", "new-pmr-lpd.sin"},
    {"Resave", "resave %hand-set.sin -o @out.sin", 0, "", "hand-set.sin"},
    {"Info", "info %hand-set.sin", 0,
     "radio type: PMR+LPD\nradio identity: 0x42\npower rank: 3\nmanual setting: Close\n"
     "channels in use: 76\n"},
    {"InfoOfAnotherType", "info %new-400-470.sin", 0,
     "radio type: 400-470MHz\nradio identity: 0xFF\npower rank: 9\nmanual setting: Open\n"
     "channels in use: 0\n"},
    {"Table", "table %hand-set.sin", 0,
     "CH\tReceive(MHz)\tTransmit(MHz)\tRx Tone\tTx Tone\t W/N \tScan\tTx Power\tBusyLock\tName\n"
     "CH-P01\t446.00625\t446.00625\t67.0\tD023N\tWide\tNo\tHigh\tCarrier\tCH 1-A\n"
     "CH-P02\t446.01250\t446.51250\tD754I\t254.1\tNarrow\tYes\tLow\tQT/DQT\tAB\n"
     "CH-P03\t\t\t\t\t\t\t\t\t\n"},
    {"TableInChinese", "table %hand-set.sin --lang zh", 0,
     "频道\t接收频率\t发射频率\t接收信令\t发射信令\t 宽/窄\t扫描添加\t发射功率\t繁忙锁定\t名称\n"
     "CH-P01\t446.00625\t446.00625\t67.0\tD023N\t宽\t否\t高\t载波\tCH 1-A\n"},
    {"MissingFile", "table @missing.sin", 1,
     "kx9-cli: cannot open @missing.sin: No such file or directory\n"},
    {"ShortFile", "resave @short.sin -o @out.sin", 1,
     "short.sin is not a channel file: it holds 5 bytes"},
    {"UnknownType", "new --type UHF -o @out.sin", 2, "unknown type \"UHF\""},
    {"NoFolder", "new -o @no/folder/out.sin", 1, "cannot write"},
    {"NewWithoutOutput", "new", 2, ""},
    {"UnknownLanguage", "table %hand-set.sin --lang fr", 2, ""},
    {"InfoWithoutFile", "info", 2, ""},
    {"UnknownOption", "info --bogus %hand-set.sin", 2, "unknown option --bogus"},
    {"OutputWithoutName", "resave %hand-set.sin -o", 2, "option -o needs a value"},
    {"UnknownCommand", "frobnicate", 2, ""},
    // A flag takes no value: "--yes=no" must not be taken as a yes.
    {"ValueToYes", "write --port @p --yes=no %hand-set.sin", 2, ""},
    {"ValueToVerify", "write --port @p --verify=no %hand-set.sin", 2, ""},
    {"SamePortTwice", "write --port @p --port @p --yes @none.sin", 2, "given twice"},
    {"NotAList", "import @nolist.csv --into %hand-set.sin -o @out.sin", 1,
     "kx9-cli: @nolist.csv: no channel list: the header line has no Location column\n"},
    {"MissingList", "import @missing.csv --into %hand-set.sin -o @out.sin", 1,
     "cannot open @missing.csv"},
    {"ImportWithRefusedLines", "import @lines.csv --into %new-pmr-lpd.sin -o @out.sin", 1,
     "@lines.csv:2: warning: name \"ok\" stored as \"OK\"\n"
     "@lines.csv:3: refused: mode \"AM\" cannot be held (FM or NFM only)\n"
     "@lines.csv:4: refused: receive frequency 446.00100 MHz is on no 6.25, 5 or 2.5 kHz step\n"
     "kx9-cli: nothing written: lines refused: 2 (--skip-bad writes the other lines)\n"},
    {"ImportEscapesAName", "import @esc.csv --into %new-pmr-lpd.sin -o @out.sin", 1,
     "name \"\\x1B[31mred\""},
    {"ImportEscapesAMode", "import @esc.csv --into %new-pmr-lpd.sin -o @out.sin", 1,
     "\\x1B]0;title\\x07"},
    {"ImportEscapesAC1Control", "import @esc.csv --into %new-pmr-lpd.sin -o @out.sin", 1,
     "name \"\\x9B1m\""},
    {"NoCommand", "", 2, "Commands:\n  new"},
    // A file name or an option as given reaches the terminal escaped too.
    {"MissingFileNamedWithAnEscape", "table @x\x1b[31m.sin", 1, "cannot open @x\\x1B[31m.sin"},
    {"UnknownOptionWithAC1Control", "diff --x\xC2\x9B %hand-set.sin %hand-set.sin", 2,
     "unknown option --x\\x9B\n"},
    {"Version", "--version", 0, "License GPLv3+"},
    {"OptionsOfTwoFiles", "options %hand-set.sin %new-pmr-lpd.sin", 2, "needs exactly one FILE"},
    {"OptionsToAnEmptyName", "options %hand-set.sin --set Squelch=3 --output=", 2,
     "-o needs a file name"},
    {"ReadJsonOfOnePort", "read --port @p --json -o @out.sin", 2,
     "--json goes with more than one --port"},
    {"WriteJsonOfOnePort", "write --port @p --json %hand-set.sin", 2,
     "--json goes with more than one --port"},
    {"WriteOfAMissingFile", "write --port @p @missing.sin", 1, "cannot open @missing.sin"},
    {"ExportToNoFolder", "export %hand-set.sin -o @no/folder/x.csv", 1, "cannot write"},
    // diff keeps diff(1)'s statuses: 2 when a file cannot be read.
    {"DiffOfAMissingFile", "diff %hand-set.sin @missing.sin", 2, "missing.sin"},
    {"DiffOfOneFile", "diff %hand-set.sin", 2, ""},
    {"ImportWithoutInto", "import @nolist.csv -o @out.sin", 2, ""},
    {"ImportWithoutOutput", "import @nolist.csv --into %hand-set.sin", 2, ""},
    {"ExportWithoutFile", "export", 2, ""},
    {"ExportUnknownOption", "export %hand-set.sin --bogus", 2, ""},
    // A second value would silently replace the first; options meant to be
    // repeated (options --set) are not refused.
    {"OutputTwice", "new -o @a.sin --output @b.sin -o @c.sin", 2, kTwice},
    {"TypeTwice", "new --type PMR --type=PMR -o @a.sin", 2, kTwice},
    {"ResaveOutputTwice", "resave %hand-set.sin -o @a.sin -o @b.sin", 2, kTwice},
    {"LanguageTwice", "table %hand-set.sin --lang en --lang zh", 2, kTwice},
    {"OptionsOutputTwice", "options %hand-set.sin --set Squelch=3 -o @a --output=b", 2, kTwice},
    {"PageSizeTwice", "report %hand-set.sin --page-size A4 --page-size Letter -o @a", 2, kTwice},
    {"IntoTwice", "import %hand-set.sin --into %hand-set.sin --into %new-400-470.sin -o @a", 2,
     kTwice},
    {"PortTwice", "power --port @p --port @q high", 2, kTwice},
    {"FrequencyTwice", "debug --port @p --freq 1 --freq 2 rx 446", 2, kTwice},
    // A read takes ten seconds: an output that cannot be written is refused
    // before the port is opened, with the reason.
    {"ReadIntoNoFolder", "read --port @no-such-port -o @no/folder/out.sin", 1,
     "kx9-cli: cannot write @no/folder/out.sin: No such file or directory\n"},
    {"ReadIntoAFolder", "read --port @no-such-port -o @folder", 1,
     "kx9-cli: cannot write @folder: it is a folder, not a regular file\n"},
    {"ReadWithoutOutput", "read --port @no-such-port", 2, "needs -o OUT"},
    {"ExportOfAMissingFile", "export @missing.sin", 1, "cannot open @missing.sin"},
    {"ImportOfTwoLists", "import @nolist.csv @lines.csv --into %hand-set.sin -o @out.sin", 2,
     "needs exactly one IN.csv"},
    {"ImportIntoAMissingFile", "import @lines.csv --into @missing.sin -o @out.sin", 1,
     "cannot open @missing.sin"},
    {"ImportToNoFolder",
     "import @lines.csv --skip-bad --into %new-pmr-lpd.sin -o @no/folder/out.sin", 1,
     "cannot write @no/folder/out.sin"},
    {"DiffUnknownOption", "diff --bogus %hand-set.sin %hand-set.sin", 2, "unknown option --bogus"},
    {"FleetReadWithTrace", "read --port @a --port @b --trace -o @folder", 2,
     "--trace goes with one --port"},
    {"FleetReadWithoutOutput", "read --port @a --port @b", 2, "needs -o DIR"},
    {"FleetReadIntoAFile", "read --port @a --port @b -o @short.sin", 1, "not a folder"},
    {"FleetWriteWithTrace", "write --port @a --port @b --trace %hand-set.sin", 2,
     "--trace goes with one --port"},
    {"ReadIntoAnEmptyName", "read --port @no-such-port --output=", 2, "needs -o OUT"},
};

INSTANTIATE_TEST_SUITE_P(Commands, CliCommand, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

constexpr uid_t kNobody = 65534; // nobody, and nogroup for the group

// A save is a plain write: in a folder everyone may write, a read-only file
// and another user's file are refused, and a file the group may write is
// written and stays its owner's; a file of one's own in a folder one may not
// write is written where it is.
TEST_F(CliTest, ResaveAsAnotherUserTreatsTheTargetAsAPlainWriteWould)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const fs::path shared = m_dir / "shared";
    const fs::path closed = m_dir / "closed"; // root's, not writable by others
    fs::create_directory(shared);
    fs::create_directory(closed);
    fs::permissions(shared, fs::perms::all);
    using P = fs::perms;
    const P rw = P::owner_read | P::owner_write;
    const std::tuple<fs::path, uid_t, fs::perms, bool> targets[] = {
        {shared / "read-only.sin", kNobody, P::owner_read | P::group_read, false},
        {shared / "root.sin", 0, rw, false},
        {shared / "group.sin", 0, rw | P::group_read | P::group_write, true},
        {closed / "own.sin", kNobody, rw, true}};
    for (const auto &[file, owner, mode, written] : targets) {
        std::ofstream(file) << "old";
        ASSERT_EQ(::chown(file.c_str(), owner, kNobody), 0);
        fs::permissions(file, mode);
        const CliRun r = runUnder("/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups",
                                  "resave %hand-set.sin -o " + file.string());
        EXPECT_EQ(r.status, written ? 0 : 1) << file;
        EXPECT_EQ(slurp(file), written ? slurp(data("hand-set.sin")) : "old") << file;
        struct stat info = {};
        ::stat(file.c_str(), &info);
        EXPECT_EQ(info.st_uid, owner) << file;
        EXPECT_EQ(fs::status(file).permissions(), mode) << file;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(closed), fs::directory_iterator()), 1);
}

// kx9-cli with standard output into a pipe whose reader has gone, with
// SIGPIPE as a shell leaves it; the exit status and stderr.
CliRun intoClosedPipe(const fs::path &folder, std::vector<std::string> args)
{
    args.insert(args.begin(), KX9_CLI);
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string errFile = (folder / ".stderr").string();
    const pid_t child = ::fork();
    if (child == 0) {
        int ends[2];
        ::dup2(::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
        if (::pipe(ends) != 0 || ::close(ends[0]) != 0 || ::dup2(ends[1], 1) != 1)
            ::_exit(99);
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(KX9_CLI, argv.data());
        ::_exit(98);
    }
    const int status = kx9::test::waitBounded(child);
    return {status, "", slurp(errFile)};
}

// Output that never reached its destination is a failure of every command,
// with the reason; a reader that stopped early (| head) is one too, not a
// silent death by SIGPIPE.
TEST_F(CliTest, OutputThatCannotBeWrittenFailsTheCommand)
{
    for (const std::string command :
         {"--help", "help read", "info %hand-set.sin", "table %hand-set.sin", "resave --help",
          "ports", "export %hand-set.sin", "diff %hand-set.sin %new-pmr-lpd.sin",
          "options %hand-set.sin", "report %hand-set.sin -o -"}) {
        const CliRun r = run(command, "/dev/full");
        // diff keeps 2 for trouble, apart from 1 for "the files differ".
        EXPECT_EQ(r.status, command.starts_with("diff") ? 2 : 1) << command;
        EXPECT_EQ(r.err, "kx9-cli: cannot write to standard output: No space left on device\n");
    }
    for (const char *command :
         {"table %hand-set.sin", "export %hand-set.sin", "report %hand-set.sin -o -"}) {
        const CliRun r = intoClosedPipe(m_dir, words(command));
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.err, "kx9-cli: cannot write to standard output: Broken pipe\n") << command;
    }
}

// report needs no display, even where the session names one it cannot
// reach, nor a runtime folder of the user's own (none, or one open to
// others), and leaves none behind in the temporary folder.
TEST_F(CliTest, ReportNeedsNoDisplayNorARuntimeFolder)
{
    fs::create_directory(m_dir / "tmp");
    fs::permissions(m_dir / "tmp", fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    for (const std::string runtime : {"-u XDG_RUNTIME_DIR", "XDG_RUNTIME_DIR=@tmp"}) {
        const CliRun r =
            runUnder("/usr/bin/env " + runtime + " QT_QPA_PLATFORM=xcb DISPLAY= TMPDIR=@tmp",
                     "report %hand-set.sin -o @r.pdf");
        EXPECT_EQ(r.status, 0) << runtime;
        EXPECT_EQ(r.err, "") << runtime;
        EXPECT_TRUE(slurp(path("r.pdf")).starts_with("%PDF-"));
        EXPECT_TRUE(fs::is_empty(m_dir / "tmp"));
    }
}

// The report's helper, run by hand, takes files only in pairs with their
// outputs: a file without one is refused, not read past the arguments.
TEST_F(CliTest, TheReportHelperRefusesAFileWithoutItsOutput)
{
    const std::string file = data("hand-set.sin");
    for (const auto &args : {std::vector<std::string>{KX9_REPORT, file},
                             std::vector<std::string>{KX9_REPORT, file, path("a.pdf"), file}}) {
        const CliRun r = kx9::test::runProgram(m_dir, args);
        EXPECT_EQ(std::tuple(r.status, r.err),
                  std::tuple(2, std::string("kx9-cli: kx9-report is run by 'kx9-cli report'\n")));
    }
    EXPECT_FALSE(fs::exists(path("a.pdf")));
}

using ChannelListCli = kx9::test::CliTest;

// Each line's fields are ChannelCsvTest's; here every channel in use goes
// out, to a file or standard output, and comes back as it was.
TEST_F(ChannelListCli, ExportThenImportGivesBackTheSameFileAndDiffFindsNothing)
{
    CliRun r = run("export %hand-set.sin -o @list.csv");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = slurp(path("list.csv"));
    EXPECT_EQ(run("export %hand-set.sin").out, csv);

    r = run("import @list.csv --into %hand-set.sin -o @back.sin");
    EXPECT_EQ(r.err, "kx9-cli import: channels imported: 76, lines refused: 0\n");
    EXPECT_EQ(slurp(path("back.sin")), slurp(data("hand-set.sin")));
    r = run("diff %hand-set.sin @back.sin");
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(0, ""));
}

// A refused line writes nothing (the command table) unless --skip-bad asks
// for the other lines; standard input is named alike in every message; diff
// escapes what it shows of a file.
TEST_F(ChannelListCli, SkipBadWritesTheOtherLinesAndStandardInputIsNamedOneWay)
{
    writeFile(path("in.csv"), kRefusedLines);
    CliRun r = run("import @in.csv --into %new-pmr-lpd.sin -o @out.sin --skip-bad --replace");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("kx9-cli import: channels imported: 1, lines refused: 2; channels "
                         "emptied (not in the list): 74\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(run("table @out.sin").out.find("CH-P01\t446.01875\t446.01875\tOff\tOff\tWide"),
              std::string::npos);

    fs::remove(path("out.sin"));
    fs::create_directory(path("folder"));
    for (const auto &[input, first] : std::vector<std::pair<std::string, std::string>>{
             {"in.csv", "(standard input):2: warning:"},
             {"folder", "kx9-cli: cannot open (standard input): Is a directory"}}) {
        r = runProgram(m_dir,
                       {"/bin/sh", "-c",
                        expand(std::string(KX9_CLI) +
                               " import - --into %new-pmr-lpd.sin -o @out.sin < @" + input)});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.starts_with(first)) << r.err;
    }
    EXPECT_FALSE(fs::exists(path("out.sin")));

    std::string image = slurp(data("new-pmr-lpd.sin"));
    image.replace(0x830, 2, "a\x1b");
    writeFile(path("odd.sin"), image);
    r = run("diff %new-pmr-lpd.sin @odd.sin");
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(1, "PTT ID: (empty) -> a\\x1B\n"));
}

} // namespace
