#include "ProgramRun.h"

namespace {

namespace fs = std::filesystem;
using kx9::test::CliRun;
using kx9::test::slurp;
using namespace std::literals;

class OptionsCli : public kx9::test::CliFixture
{
protected:
    // A copy of the new document's file with some bytes changed.
    std::string variant(const std::vector<std::pair<std::size_t, char>> &bytes)
    {
        std::string image = slurp(data("new-pmr-lpd.sin"));
        for (auto [offset, value] : bytes)
            image[offset] = value;
        std::ofstream(path("odd.sin"), std::ios::binary) << image;
        return path("odd.sin");
    }
};

TEST_F(OptionsCli, ShowsEveryValueAsTheDialogDoesInTextAndJson)
{
    // A stored value without an item prints as it is (null in JSON); a
    // control byte in the PTT ID never reaches the terminal as it is. The
    // labels and texts themselves are the field table's own tests.
    const std::string odd =
        variant({{0x81A, char(200)}, {0x830, 'a'}, {0x831, '\x1b'}, {0x832, '"'}});
    CliRun r = cli({"options", odd});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("Squelch Level: 5\nTime Out Timer: OFF\n")) << r.out;
    EXPECT_NE(r.out.find("\nPriority Channel: 201 (not in 1-128; OK stores FF)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\nPTT ID: a\\x1B\"\n"), std::string::npos);
    r = cli({"options", odd, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        r.out.starts_with("{\n  \"Squelch Level\": \"5\",\n  \"Time Out Timer\": \"OFF\",\n"))
        << r.out;
    EXPECT_NE(r.out.find("\n  \"Priority Channel\": null,\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n  \"PTT ID\": \"a\\u001B\\\"\",\n"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with(",\n  \"Frequency Differ\": \"0.00000\"\n}\n")) << r.out;
}

TEST_F(OptionsCli, SetStoresTheValuesAsOkDoesAndSavesAsSaveAsDoes)
{
    const CliRun r = cli({"options", data("hand-set.sin"), "--set", "Squelch Level=1", "--set",
                          "squelch level=8", "--set=PTT ID=ab1", "--set", "Time Out Timer=600",
                          "--set", "Frequency Differ=0.6", "--set", "Frequency Differ Direction=-",
                          "--set", "Step=6.25k", "-o", path("out.sin")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::string expected = slurp(data("hand-set.sin"));
    // 0x812: OK clears the rest, the manual setting "Close" stays 0; 0x813:
    // the last --set of a label wins; then 0x814-0x818.
    expected.replace(0x812, 7, "\x40\x08\x28\x00\x00\x02\x00"sv);
    expected.replace(0x830, 6, "AB1\xFF\xFF\xFF");
    // The mode frequency at 0xD04, the direction bits of 0xD0D, the differ at 0xD10.
    expected.replace(0xD04, 10, "\x00\x00\x54\x44\xFF\xFF\xFF\xFF\x00\x78"sv);
    expected.replace(0xD10, 4, "\x00\x06\x00\x00"sv);
    EXPECT_EQ(slurp(path("out.sin")), expected);
}

// After an OK over values the dialog cannot show, diff names them as the
// options command prints them, and every other byte OK changed.
TEST_F(OptionsCli, DiffAfterOkOverValuesTheDialogCannotShowListsEveryChangedByte)
{
    const std::string odd =
        variant({{0x813, 0x0C}, {0x815, 0x07}, {0x817, 0x07}, {0x818, 0x5A}, {0x81A, char(0x90)}});
    CliRun r = cli({"options", odd, "-o", path("after-ok.sin")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"diff", odd, path("after-ok.sin")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Squelch Level: 12 (not in 0-9; OK stores 0) -> 0\n"
                     "Vox Gain Level: 7 (not in 0-3; OK stores Off) -> Off\n"
                     "Priority Channel: 145 (not in 1-128; OK stores FF) -> (empty)\n"
                     "Step: 7 (not in 0-4; OK stores 25k) -> 25k\n"
                     "Settings 0x812: C4 -> C0\n"
                     "Settings 0x816: 03 -> 00\n"
                     "Settings 0x818: 5A -> 00\n");
}

TEST_F(OptionsCli, RefusalsNameWhatIsAllowedAndWriteNothing)
{
    const std::string out = path("out.sin"), hand = data("hand-set.sin");
    const std::string differ = "Frequency Differ Direction=";
    // A differ set alone is checked against the direction the file holds.
    ASSERT_EQ(cli({"options", hand, "--set", differ + "+", "-o", path("plus.sin")}).status, 0);
    // The arguments after "options", the exit status and a part of the message.
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
        {{hand, "--set", "Squelch=3", "-o", out},
         2,
         "unknown setting \"Squelch\"; the settings are: Squelch Level, Time Out Timer, "},
        {{hand, "--set", "Squelch Level 3", "-o", out}, 2, "LABEL=VALUE"},
        {{hand, "--set", "Squelch Level=3"}, 2, "--set needs -o OUT"},
        {{hand, "--json", "-o", out}, 2, "--json"},
        {{hand, "--set", "Frequency Differ=500", "--set", differ + "-", "-o", out}, 2, "below 0"},
        {{hand, "--set", "Frequency Differ=600", "--set", differ + "+", "-o", out},
         2,
         "above 999.99999 MHz"},
        {{path("plus.sin"), "--set", "Frequency Differ=600", "-o", out}, 2, "above 999.99999 MHz"},
        {{path("missing.sin"), "--set", "Squelch Level=3", "-o", out}, 1, "cannot open"},
    };
    for (auto [args, status, message] : rows) {
        args.insert(args.begin(), "options");
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, status) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out)) << message;
    }
}

} // namespace
