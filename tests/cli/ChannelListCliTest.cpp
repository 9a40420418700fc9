#include "ProgramRun.h"

namespace {

using namespace kx9::test;
namespace fs = std::filesystem;

using ChannelListCli = CliFixture;

TEST_F(ChannelListCli, ExportThenImportGivesBackTheSameFileAndDiffFindsNothing)
{
    CliRun r = cli({"export", data("hand-set.sin"), "-o", path("list.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = slurp(path("list.csv"));
    const auto rows = lines(csv);
    ASSERT_EQ(rows.size(), 77u); // the header and the 76 channels in use
    EXPECT_EQ(rows[1], "1,CH 1-A,446.006250,,0.000000,Cross,88.5,67.0,023,NN,023,DTCS->Tone,FM,"
                       "6.25,S,2.0W,,,,,\r");
    EXPECT_EQ(rows[2], "2,AB,446.012500,+,0.500000,Cross,254.1,88.5,023,NR,754,Tone->DTCS,NFM,"
                       "6.25,,0.5W,,,,,\r");
    EXPECT_EQ(cli({"export", data("hand-set.sin")}).out, csv); // standard output by default

    r = cli({"import", path("list.csv"), "--into", data("hand-set.sin"), "-o", path("back.sin")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "kx9-cli import: channels imported: 76, lines refused: 0\n");
    EXPECT_EQ(slurp(path("back.sin")), slurp(data("hand-set.sin")));

    r = cli({"diff", data("hand-set.sin"), path("back.sin")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

// Each difference's line is ChannelCompareTest's; here diff(1)'s status and
// the radio-wide settings named by the labels of the Optional Features dialog.
TEST_F(ChannelListCli, DiffNamesRadioWideSettingsByTheirLabels)
{
    CliRun r = cli({"options", data("hand-set.sin"), "--set", "Squelch Level=8", "--set",
                    "PTT ID=K9AB", "-o", path("s.sin")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"diff", data("hand-set.sin"), path("s.sin")});
    EXPECT_EQ(r.status, 1);
    // The bits OK clears outside its controls are named as bytes.
    EXPECT_EQ(r.out, "Squelch Level: 3 -> 8\nPTT ID: (empty) -> K9AB\nSettings 0x812: 44 -> 40\n"
                     "Settings 0x816: 03 -> 00\n");
}

TEST_F(ChannelListCli, ImportWritesNothingWhenALineIsRefusedUnlessAskedToSkipIt)
{
    writeFile(path("in.csv"), "Location,Name,Frequency,Mode\r\n"
                              "1,ok,446.018750,FM\r\n"
                              "2,air,124.500000,AM\r\n"
                              "3,bad,446.001000,FM\r\n");
    CliRun r =
        cli({"import", path("in.csv"), "--into", data("new-pmr-lpd.sin"), "-o", path("out.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              path("in.csv") + ":2: warning: name \"ok\" stored as \"OK\"\n" + path("in.csv") +
                  ":3: refused: mode \"AM\" cannot be held (FM or NFM only)\n" + path("in.csv") +
                  ":4: refused: receive frequency 446.00100 MHz is on no 6.25, 5 or 2.5 kHz "
                  "step\n"
                  "kx9-cli: nothing written: lines refused: 2 (--skip-bad writes the other "
                  "lines)\n");
    EXPECT_FALSE(fs::exists(path("out.sin")));

    r = cli({"import", path("in.csv"), "--into", data("new-pmr-lpd.sin"), "-o", path("out.sin"),
             "--skip-bad", "--replace"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("kx9-cli import: channels imported: 1, lines refused: 2; channels "
                         "emptied (not in the list): 74\n"),
              std::string::npos)
        << r.err;
    r = cli({"table", path("out.sin")});
    const auto rows = lines(r.out);
    EXPECT_EQ(rows.at(1), "CH-P01\t446.01875\t446.01875\tOff\tOff\tWide\tYes\tHigh\tClose\tOK");
    EXPECT_EQ(rows.at(2), "CH-P02\t446.01875\t446.01875\tOff\tOff\tNarrow\tYes\tHigh\tClose\t");
    EXPECT_EQ(rows.at(4), "CH-P04\t\t\t\t\t\t\t\t\t");
}

// Text from the list reaches the terminal escaped, so a name cannot send
// escape sequences; standard input is named alike in every message.
TEST_F(ChannelListCli, ImportMessagesEscapeTheListAndNameStandardInputOneWay)
{
    writeFile(path("in.csv"), "Location,Name,Frequency,Mode\r\n"
                              "1,\x1b[31mred,446.018750,FM\r\n"
                              "2,x,446.018750,\x1b]0;title\x07\r\n");
    CliRun r =
        cli({"import", path("in.csv"), "--into", data("new-pmr-lpd.sin"), "-o", path("out.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("name \"\\x1B[31mred\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\\x1B]0;title\\x07"), std::string::npos) << r.err;

    fs::create_directory(path("folder"));
    for (const auto &[input, first] : std::vector<std::pair<std::string, std::string>>{
             {path("in.csv"), "(standard input):2: warning:"},
             {path("folder"), "kx9-cli: cannot open (standard input): Is a directory"}}) {
        r = runProgram(m_dir,
                       {"/bin/sh", "-c",
                        std::string(KX9_CLI) + " import - --into " + data("new-pmr-lpd.sin") +
                            " -o " + path("out.sin") + " < " + input});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.starts_with(first)) << r.err;
    }
    EXPECT_FALSE(fs::exists(path("out.sin")));
}

TEST_F(ChannelListCli, DiffEscapesControlBytesOfTheFiles)
{
    std::string image = slurp(data("new-pmr-lpd.sin"));
    image[0x830] = 'a';
    image[0x831] = '\x1b';
    writeFile(path("odd.sin"), image);
    const CliRun r = cli({"diff", data("new-pmr-lpd.sin"), path("odd.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "PTT ID: (empty) -> a\\x1B\n");
}

} // namespace
