#include "ProgramRun.h"

#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace kx9::test::cli_test {

namespace fs = std::filesystem;

// A channel list with a line import warns about and two it refuses.
const std::string kRefusedLines = "Location,Name,Frequency,Mode\r\n1,ok,446.018750,FM\r\n"
                                  "2,air,124.500000,AM\r\n3,bad,446.001000,FM\r\n";

// kx9-cli given a command line as one string of words split at spaces, in
// which '@' stands for the test's folder and '%' for the test data's.
struct CliTest : public CliFixture
{
    std::string expand(std::string text) const
    {
        for (std::size_t at; (at = text.find_first_of("@%")) != std::string::npos;)
            text.replace(at, 1, text[at] == '@' ? (m_dir / "").string() : data(""));
        return text;
    }
    // The command, started through another program (env, setpriv) when one is given.
    CliRun run(const std::string &command, const std::string &starter = "",
               const std::string &stdoutPath = {}) const
    {
        std::vector<std::string> args;
        // Split first: a folder's name may hold a space. '!' stands for kx9-cli.
        std::istringstream in(starter + " ! " + command);
        for (std::string word; in >> word;)
            args.push_back(word == "!" ? KX9_CLI : expand(word));
        return runProgram(m_dir, std::move(args), stdoutPath);
    }
};

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
    // \302\233: the C1 control CSI in UTF-8.
    writeFile(path("esc.csv"), "Location,Name,Frequency,Mode\r\n1,\x1b[31mred,446.018750,FM\r\n"
                               "2,x,446.018750,\x1b]0;title\x07\r\n3,\302\2331m,446.03125,FM\r\n");
    fs::create_directory(m_dir / "folder");
    const CliRun r = run(c.command);
    const std::string &said = c.status == 0 ? r.out : r.err;
    // Text from the files reaches the terminal escaped: a name sends no escape sequence.
    EXPECT_EQ(std::tuple(r.status, c.status == 0 ? r.err : r.out, r.err.find_first_of("\x1b\x07"),
                         said.find(expand(c.said)) != std::string::npos),
              std::tuple(c.status, "", std::string::npos, true))
        << said;
    if (c.golden != nullptr)
        EXPECT_EQ(slurp(path("out.sin")), slurp(data(c.golden)));
    else
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 5);
}

const std::string kTwice = "takes one value; it is given more than once";
const std::string kJson = "--json goes with more than one --port";
const std::string kTrace = "--trace goes with one --port";

const Case kCases[] = {
    {"New", "new -o @out.sin", 0, "", "new-pmr-lpd.sin"},
    {"NewOfAType", "new --type 400-470MHZ -o @out.sin", 0, "", "new-400-470.sin"},
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
    {"ImportEscapesNamesAndModes", "import @esc.csv --into %new-pmr-lpd.sin -o @out.sin", 1,
     "@esc.csv:2: warning: name \"\\x1B[31mred\" stored as \"31MRED\"\n"
     "@esc.csv:3: refused: mode \"\\x1B]0;title\\x07\" cannot be held (FM or NFM only)\n"
     "@esc.csv:4: warning: name \"\\x9B1m\" stored as \"1M\"\n"},
    {"NoCommand", "", 2, "Commands:\n  new"},
    // A file name or an option as given reaches the terminal escaped too.
    {"MissingFileNamedWithAnEscape", "table @x\x1b[31m.sin", 1,
     "kx9-cli: cannot open @x\\x1B[31m.sin: No such file or directory\n"},
    {"UnknownOptionWithAC1Control", "diff --x\xC2\x9B %hand-set.sin %hand-set.sin", 2,
     "unknown option --x\\x9B\n"},
    {"Version", "--version", 0, "License GPLv3+"},
    {"OptionsOfTwoFiles", "options %hand-set.sin %new-pmr-lpd.sin", 2, "needs exactly one FILE"},
    {"OptionsToAnEmptyName", "options %hand-set.sin --set Squelch=3 --output=", 2,
     "-o needs a file name"},
    {"ReadJsonOfOnePort", "read --port @p --json -o @out.sin", 2, kJson},
    {"WriteJsonOfOnePort", "write --port @p --json %hand-set.sin", 2, kJson},
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
    {"ReportToAnEmptyName", "report %hand-set.sin --output=", 2, "needs -o OUT.pdf"},
    {"PageSizeTwice", "report %hand-set.sin --page-size A4 --page-size Letter -o @a", 2, kTwice},
    {"IntoTwice", "import %hand-set.sin --into %hand-set.sin --into %new-400-470.sin -o @a", 2,
     kTwice},
    {"PortTwice", "power --port @p --port @q high", 2, kTwice},
    {"EmptyPort", "power --port= high", 2, "an empty port name"},
    {"FrequencyTwice", "debug --port @p --freq 1 --freq 2 rx 446", 2, kTwice},
    // Service values outside what the radio takes, refused before the port is opened.
    {"PowerHighAbove250", "power high --set 251 --port @p", 2, ""},
    {"PowerLowAbove200", "power low --set 201 --port @p", 2, ""},
    {"PowerLowOfZero", "power low --set 0 --port @p", 2, ""},
    {"PowerNotANumber", "power low --set 1a --port @p", 2, ""},
    // The largest values are taken: they reach the port, missing here (its
    // name said escaped).
    {"PowerHighOf250", "power high --set 250 --port @p\x07", 1, "p\\x07 does not exist"},
    {"PowerLowOf200", "power low --set 200 --port @p", 1, "does not exist"},
    {"PowerMedium", "power medium --port @p", 2, ""},
    {"DebugTxPowerAbove255", "debug tx-power 256 --port @p", 2, ""},
    {"DebugUnknownItem", "debug volume 5 --port @p", 2, ""},
    {"DebugFrequencyNotANumber", "debug tx-power 5 --freq top --port @p", 2, ""},
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
    {"FleetReadWithTrace", "read --port @a --port @b --trace -o @folder", 2, kTrace},
    {"FleetReadWithoutOutput", "read --port @a --port @b", 2, "needs -o DIR"},
    {"FleetReadIntoAFile", "read --port @a --port @b -o @short.sin", 1, "not a folder"},
    {"FleetReadIntoNoFolder", "read --port @a --port @b -o @none", 1, "none: no such folder"},
    {"FleetWriteWithTrace", "write --port @a --port @b --trace %hand-set.sin", 2, kTrace},
    {"ReadIntoAnEmptyName", "read --port @no-such-port --output=", 2, "needs -o OUT"},
    {"ResaveWithoutOutput", "resave %hand-set.sin", 2, "needs -o OUT"},
    {"ExportToAnEmptyName", "export %hand-set.sin --output=", 2, "-o needs a file name"},
    // An output of another kind than the input, over the input itself.
    {"ExportOverItsFile", "export @short.sin -o @folder/../short.sin", 2,
     "-o @folder/../short.sin is @short.sin itself, which would be lost"},
    {"ImportOverItsList", "import @lines.csv --into %new-pmr-lpd.sin -o @lines.csv", 2,
     "-o @lines.csv is @lines.csv itself"},
    {"ReportOverItsFile", "report @short.sin -o @short.sin", 2, "is @short.sin itself"},
    {"PowerIntoAnEmptyName", "power high --port @p --into=", 2, "--into needs a file name"},
    {"RestoreJsonOfOnePort", "restore --port @p --json %hand-set.sin", 2, kJson},
    {"RestoreVerifyAndNot", "restore --port @p --verify --no-verify %hand-set.sin", 2,
     "--verify and --no-verify exclude each other"},
    {"BackupsDirAndJson", "backups --dir --json", 2, "--dir and --json exclude each other"},
    {"HelpOfACommand", "help restore", 0, "Usage: kx9-cli restore"},
    {"HelpOptionOfACommand", "--help restore", 0, "Usage: kx9-cli restore"},
    {"HelpOfNoCommand", "help nosuch", 2, "unknown command \"nosuch\""},
    {"HelpAfterOtherWords", "read --port @p --help", 0, "Usage: kx9-cli read"},
    // After "--" a word is a file's name, even one that reads as an option.
    {"AFileNamedLikeHelp", "info -- --help", 1, "cannot open --help"},
};

INSTANTIATE_TEST_SUITE_P(Commands, CliCommand, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Without XDG_DATA_HOME, or with a relative one, the backups are under HOME;
// without HOME, or with it empty, under the account's own home, as Qt finds
// it for the window. A control character in the folder is shown escaped.
TEST_F(CliTest, TheBackupsFolderFollowsHomeOrElseTheAccount)
{
    const passwd *me = ::getpwuid(::geteuid());
    ASSERT_NE(me, nullptr);
    const std::string account = std::string(me->pw_dir) + "/.local/share";
    for (const auto &[starter, data] :
         {std::pair<const char *, std::string>{"/usr/bin/env -u XDG_DATA_HOME HOME=/nowhere",
                                               "/nowhere/.local/share"},
          {"/usr/bin/env XDG_DATA_HOME=data HOME=/nowhere", "/nowhere/.local/share"},
          {"/usr/bin/env -u XDG_DATA_HOME -u HOME", account},
          {"/usr/bin/env -u XDG_DATA_HOME HOME=", account},
          {"/usr/bin/env XDG_DATA_HOME=/a\x1b[1m", "/a\\x1B[1m"}}) {
        const CliRun r = run("backups --dir", starter);
        EXPECT_EQ(std::tuple(r.status, r.out), std::tuple(0, data + "/kx9/backups\n")) << starter;
    }
}

// A save is a plain write: in a folder everyone may write, a read-only file
// and another user's file are refused, and a file the group may write is
// written and stays its owner's; a file of one's own in a folder one may not
// write is written where it is.
TEST_F(CliTest, ResaveAsAnotherUserTreatsTheTargetAsAPlainWriteWould)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    fs::create_directory(path("shared"));
    fs::create_directory(path("closed")); // root's, not writable by others
    fs::permissions(path("shared"), fs::perms::all);
    // {file, owner, mode, written}; 65534 is nobody, and nogroup for the group.
    const std::tuple<const char *, uid_t, mode_t, bool> targets[] = {
        {"shared/read-only.sin", 65534, 0440, false},
        {"shared/root.sin", 0, 0600, false},
        {"shared/group.sin", 0, 0660, true},
        {"closed/own.sin", 65534, 0600, true}};
    for (const auto &[name, owner, mode, written] : targets) {
        writeFile(path(name), "old");
        ASSERT_EQ(::chown(path(name).c_str(), owner, 65534), 0);
        ::chmod(path(name).c_str(), mode);
        const CliRun r = run("resave %hand-set.sin -o @" + std::string(name),
                             "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups");
        struct stat info = {};
        ::stat(path(name).c_str(), &info);
        EXPECT_EQ(
            std::tuple(r.status, slurp(path(name)), info.st_uid, info.st_mode & 07777),
            std::tuple(written ? 0 : 1, written ? slurp(data("hand-set.sin")) : "old", owner, mode))
            << name;
    }
    // The four files and their folders, and nothing left behind.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(m_dir), {}), 6);
}

// Output that never reached its destination is a failure of every command,
// with the reason: a full disk, or a reader that stopped early (| head), which
// is no silent death by SIGPIPE either. A closed pipe: a FIFO whose only
// reader is gone, SIGPIPE left as a shell leaves it.
TEST_F(CliTest, OutputThatCannotBeWrittenFailsTheCommand)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    // Standard output into the FIFO $1 with no reader left.
    writeFile(path("closed.sh"),
              "exec 3<>\"$1\" >\"$1\" 3<&-; shift; exec env --default-signal=PIPE \"$@\"");
    for (const auto &[starter, why] :
         {std::pair{"", "kx9-cli: cannot write to standard output: No space left on device\n"},
          {"/bin/sh @closed.sh @pipe", "kx9-cli: cannot write to standard output: Broken pipe\n"}})
        for (const std::string command :
             {"--help", "info %hand-set.sin", "table %hand-set.sin", "ports",
              "export %hand-set.sin", "diff %hand-set.sin %new-pmr-lpd.sin",
              "options %hand-set.sin", "report %hand-set.sin -o -"}) {
            const CliRun r = run(command, starter, "/dev/full");
            // diff keeps 2 for trouble, apart from 1 for "the files differ".
            EXPECT_EQ(std::tuple(r.status, r.err),
                      std::tuple(command.starts_with("diff") ? 2 : 1, why))
                << command;
        }
}

// report needs no display, even where the session names one it cannot
// reach, nor a runtime folder of the user's own (none, or one open to
// others), and leaves none behind in the temporary folder.
TEST_F(CliTest, ReportNeedsNoDisplayNorARuntimeFolder)
{
    fs::create_directory(path("tmp"));
    ::chmod(path("tmp").c_str(), 0755);
    for (const std::string runtime : {"-u XDG_RUNTIME_DIR", "XDG_RUNTIME_DIR=@tmp"}) {
        fs::remove(path("r.pdf")); // each run writes its own
        const CliRun r =
            run("report %hand-set.sin -o @r.pdf",
                "/usr/bin/env " + runtime + " QT_QPA_PLATFORM=xcb DISPLAY= TMPDIR=@tmp");
        EXPECT_EQ(std::tie(r.status, r.err), std::tuple(0, "")) << runtime;
        EXPECT_TRUE(slurp(path("r.pdf")).starts_with("%PDF-"));
        EXPECT_TRUE(fs::is_empty(path("tmp")));
    }
}

// The report's helper, run by hand, takes files only in pairs with their
// outputs: a file without one is refused, not read past the arguments.
TEST_F(CliTest, TheReportHelperRefusesAFileWithoutItsOutput)
{
    const std::string file = data("hand-set.sin");
    for (const auto &args : {std::vector<std::string>{KX9_REPORT, file},
                             std::vector<std::string>{KX9_REPORT, file, path("a.pdf"), file}}) {
        const CliRun r = runProgram(m_dir, args);
        EXPECT_EQ(std::tuple(r.status, r.err),
                  std::tuple(2, std::string("kx9-cli: kx9-report is run by 'kx9-cli report'\n")));
    }
    EXPECT_FALSE(fs::exists(path("a.pdf")));
}

// Each line's fields are ChannelCsvTest's; here every channel in use goes
// out, to a file or standard output, and comes back as it was.
TEST_F(CliTest, ChannelListExportThenImportGivesBackTheSameFileAndDiffFindsNothing)
{
    ASSERT_EQ(run("export %hand-set.sin -o @list.csv").status, 0);
    EXPECT_EQ(run("export %hand-set.sin").out, slurp(path("list.csv")));

    EXPECT_EQ(run("import @list.csv --into %hand-set.sin -o @back.sin").err,
              "kx9-cli import: channels imported: 76, lines refused: 0\n");
    EXPECT_EQ(slurp(path("back.sin")), slurp(data("hand-set.sin")));
    const CliRun r = run("diff %hand-set.sin @back.sin");
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(0, ""));
}

// A refused line writes nothing (the command table) unless --skip-bad asks
// for the other lines; standard input is named alike in every message; diff
// escapes what it shows of a file.
TEST_F(CliTest, ChannelListSkipBadWritesTheOtherLinesAndStandardInputIsNamedOneWay)
{
    writeFile(path("in.csv"), kRefusedLines);
    CliRun r = run("import @in.csv --into %new-pmr-lpd.sin -o @out.sin --skip-bad --replace");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.ends_with("kx9-cli import: channels imported: 1, lines refused: 2; channels "
                                "emptied (not in the list): 74\n"))
        << r.err;
    EXPECT_NE(run("table @out.sin").out.find("CH-P01\t446.01875\t446.01875\tOff\tOff\tWide"),
              std::string::npos);

    writeFile(path("from.sh"), "exec <\"$1\"; shift; exec \"$@\""); // standard input from $1
    for (const auto &[input, first] :
         {std::pair{"@in.csv", "(standard input):2: warning:"},
          {"@", "kx9-cli: cannot open (standard input): Is a directory"}}) {
        r = run("import - --into %new-pmr-lpd.sin -o @stdin.sin",
                "/bin/sh @from.sh " + std::string(input));
        EXPECT_EQ(std::tuple(r.status, r.err.starts_with(first)), std::tuple(1, true)) << r.err;
    }
    EXPECT_FALSE(fs::exists(path("stdin.sin")));

    writeFile(path("odd.sin"), slurp(data("new-pmr-lpd.sin")).replace(0x830, 2, "a\x1b"));
    r = run("diff %new-pmr-lpd.sin @odd.sin");
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(1, "PTT ID: (empty) -> a\\x1B\n"));
}

} // namespace kx9::test::cli_test
