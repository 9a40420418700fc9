#include "CliRunner.h"

#include <sstream>

namespace {

namespace fs = std::filesystem;
using kx9::test::CliRun;
using kx9::test::lines;
using kx9::test::slurp;

class CliTest : public kx9::test::CliFixture
{
};

TEST_F(CliTest, NewWritesTheGoldenNewDocument)
{
    CliRun r = cli({"new", "-o", path("n.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("n.sin")), slurp(data("new-pmr-lpd.sin")));

    r = cli({"new", "--type", "400-470MHz", "-o", path("f.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("f.sin")), slurp(data("new-400-470.sin")));

    r = cli({"new", "--type=PMR+LPD", "--output", path("g.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("g.sin")), slurp(data("new-pmr-lpd.sin")));

    // Type names as people type them.
    r = cli({"new", "--type", "pmr+lpd", "-o", path("h.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("h.sin")), slurp(data("new-pmr-lpd.sin")));
    r = cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "kx9-cli 1.0.0.1\n");
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

TEST_F(CliTest, ResaveOfASavedFileIsIdentical)
{
    const CliRun r = cli({"resave", data("hand-set.sin"), "-o", path("r.sin")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(path("r.sin")), slurp(data("hand-set.sin")));
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

TEST_F(CliTest, FailuresGoToStderrWithStatusAndWriteNothing)
{
    CliRun r = cli({"table", path("missing.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "kx9-cli: cannot open " + path("missing.sin") + ": No such file or directory\n");

    std::ofstream(path("short.sin")) << "short";
    r = cli({"resave", path("short.sin"), "-o", path("out.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is too short: 5 bytes"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.sin")));

    r = cli({"new", "--type", "UHF", "-o", path("out.sin")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown type \"UHF\""), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.sin")));

    r = cli({"new", "-o", path("no/folder/out.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;

    EXPECT_EQ(cli({"new"}).status, 2); // no -o
    EXPECT_EQ(cli({"table", data("hand-set.sin"), "--lang", "fr"}).status, 2);
    EXPECT_EQ(cli({"info"}).status, 2);
    EXPECT_EQ(cli({"info", "--bogus", data("hand-set.sin")}).status, 2);
    EXPECT_EQ(cli({"resave", data("hand-set.sin"), "-o"}).status, 2);
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(CliTest, HelpForTheProgramAndEachCommand)
{
    CliRun r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char *name : {"new", "table", "resave", "info"}) {
        EXPECT_NE(r.out.find(std::string("  ") + name + " "), std::string::npos) << name;
        const CliRun one = cli({name, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_EQ(one.out.rfind(std::string("Usage: kx9-cli ") + name, 0), 0u) << one.out;
    }
}

} // namespace
