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

// A stored value without an item prints as it is, with what OK stores, in
// JSON too (where it alone would read as what the file holds); a control
// byte in the PTT ID never reaches the terminal as it is.
TEST_F(OptionsCli, ShowsEveryValueAsTheDialogDoesInTextAndJson)
{
    const std::string odd =
        variant({{0x81A, char(200)}, {0x830, 'a'}, {0x831, '\x1b'}, {0x832, '"'}});
    const CliRun text = cli({"options", odd}), json = cli({"options", odd, "--json"});
    EXPECT_EQ(std::tie(text.status, text.out),
              std::tuple(0, slurp(data("options/odd-settings.txt"))));
    EXPECT_EQ(std::tie(json.status, json.out),
              std::tuple(0, slurp(data("options/odd-settings.json"))));
}

// What each value stores is the option values' tests; here the command line
// reaches them, and OK and Save As run on the file.
TEST_F(OptionsCli, SetStoresTheValuesAsOkDoesAndSavesAsSaveAsDoes)
{
    const CliRun r = cli({"options", data("hand-set.sin"), "--set", "Squelch Level=1", "--set",
                          "squelch level=8", "--set=PTT ID=ab1", "-o", path("out.sin")});
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(0, "")) << r.err;
    std::string expected = slurp(data("hand-set.sin"));
    // 0x812: OK clears the rest, the manual setting "Close" stays 0; 0x813:
    // the last --set of a label wins; 0x816 bits 0-1 cleared.
    expected.replace(0x812, 7, "\x40\x08\x00\x00\x00\x04\x00"sv);
    expected.replace(0x830, 6, "AB1\xFF\xFF\xFF");
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
    EXPECT_EQ(std::tie(r.status, r.out), std::tuple(1, slurp(data("options/diff-after-ok.txt"))));
}

TEST_F(OptionsCli, RefusalsNameWhatIsAllowedAndWriteNothing)
{
    const std::string out = path("out.sin"), hand = data("hand-set.sin");
    const std::string differ = "Frequency Differ Direction=";
    // A differ set alone is checked against the direction the file holds.
    ASSERT_EQ(cli({"options", hand, "--set", differ + "+", "-o", path("plus.sin")}).status, 0);
    // A file holding 500 with "-" is refused whatever is set: OK would store 0.
    const std::string minus500 = variant({{0xD0D, 0x78}, {0xD10, 0x50}});
    // The arguments after "options", the exit status and a part of the message.
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = {
        {{hand, "--set", "Squelch=3", "-o", out},
         2,
         "unknown setting \"Squelch\"; the settings are: Squelch Level, Time Out Timer, "},
        {{hand, "--set", "Squelch Level 3", "-o", out}, 2, "LABEL=VALUE"},
        {{hand, "--set", " Squelch Level =99", "-o", out},
         2,
         "Squelch Level takes one of: 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 (not \"99\")"},
        {{hand, "--set", "Squelch Level=3"}, 2, "--set needs -o OUT"},
        {{hand, "--json", "-o", out}, 2, "--json"},
        {{hand, "--set", "Frequency Differ=500", "--set", differ + "-", "-o", out}, 2, "below 0"},
        {{hand, "--set", "Frequency Differ=600", "--set", differ + "+", "-o", out},
         2,
         "above 999.99999 MHz"},
        {{path("plus.sin"), "--set", "Frequency Differ=600", "-o", out}, 2, "above 999.99999 MHz"},
        {{minus500, "--set", "Squelch Level=3", "-o", out}, 2, "500.00000 with the direction -"},
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
