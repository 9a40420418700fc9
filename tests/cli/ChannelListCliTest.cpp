#include "CliRuns.h"

namespace {

using namespace kx9::test;
namespace fs = std::filesystem;

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

TEST_F(ChannelListCli, ImportWritesNothingWhenALineIsRefusedUnlessAskedToSkipIt)
{
    writeFile(path("in.csv"), "Location,Name,Frequency,Mode\r\n1,ok,446.018750,FM\r\n"
                              "2,air,124.500000,AM\r\n3,bad,446.001000,FM\r\n");
    CliRun r = run("import @in.csv --into %new-pmr-lpd.sin -o @out.sin");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, expand("@in.csv:2: warning: name \"ok\" stored as \"OK\"\n"
                            "@in.csv:3: refused: mode \"AM\" cannot be held (FM or NFM only)\n"
                            "@in.csv:4: refused: receive frequency 446.00100 MHz is on no 6.25, "
                            "5 or 2.5 kHz step\nkx9-cli: nothing written: lines refused: 2 "
                            "(--skip-bad writes the other lines)\n"));
    EXPECT_FALSE(fs::exists(path("out.sin")));

    r = run("import @in.csv --into %new-pmr-lpd.sin -o @out.sin --skip-bad --replace");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("kx9-cli import: channels imported: 1, lines refused: 2; channels "
                         "emptied (not in the list): 74\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(run("table @out.sin").out.find("CH-P01\t446.01875\t446.01875\tOff\tOff\tWide"),
              std::string::npos);
}

// Text from the files reaches the terminal escaped, so a name cannot send
// escape sequences; standard input is named alike in every message.
TEST_F(ChannelListCli, MessagesEscapeTheFilesAndNameStandardInputOneWay)
{
    writeFile(path("in.csv"), "Location,Name,Frequency,Mode\r\n1,\x1b[31mred,446.018750,FM\r\n"
                              "2,x,446.018750,\x1b]0;title\x07\r\n");
    CliRun r = run("import @in.csv --into %new-pmr-lpd.sin -o @out.sin");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("name \"\\x1B[31mred\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\\x1B]0;title\\x07"), std::string::npos) << r.err;

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
