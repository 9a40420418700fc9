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
