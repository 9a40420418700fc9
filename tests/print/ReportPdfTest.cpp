// kx9-cli report as a user runs it, its PDF read back with poppler's tools.

#include "ProgramRun.h"

#include <filesystem>
#include <regex>

namespace kx9::test {
namespace {

bool has(const std::string &text, const std::string &what)
{
    return text.find(what) != std::string::npos;
}

class ReportPdf : public CliFixture
{
protected:
    // The text of one page, runs of blanks as one so that texts compare
    // whatever spacing the extraction finds.
    std::string pageText(const std::string &pdf, int page) const
    {
        const std::string n = std::to_string(page);
        const CliRun r = runProgram(m_dir, {KX9_PDFTOTEXT, "-layout", "-f", n, "-l", n, pdf, "-"});
        EXPECT_EQ(r.status, 0) << r.err;
        return std::regex_replace(r.out, std::regex("[ \t]+"), " ");
    }
};

// Which text goes on which page where is ReportLayoutTest's; here the file's
// pages hold their texts, in the language and on the paper asked for.
struct PdfCase
{
    const char *name;
    std::vector<std::string> options;
    const char *paper; // as pdfinfo tells it
    std::vector<const char *> firstPage;
    const char *lastPage;
};

class ReportPdfPages : public ReportPdf, public ::testing::WithParamInterface<PdfCase>
{
};

TEST_P(ReportPdfPages, FivePagesWithTheirTitlesSettingsAndChannels)
{
    const PdfCase &c = GetParam();
    std::vector<std::string> args{"report", data("hand-set.sin"), "-o", path("r.pdf")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun r = cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const CliRun info = runProgram(m_dir, {KX9_PDFINFO, path("r.pdf")});
    EXPECT_TRUE(has(info.out, "Pages:           5")) << info.out;
    EXPECT_TRUE(has(info.out, c.paper)) << info.out;
    const std::string one = pageText(path("r.pdf"), 1);
    for (const char *text : c.firstPage)
        EXPECT_TRUE(has(one, text)) << text << "\n" << one;
    EXPECT_TRUE(has(pageText(path("r.pdf"), 5), c.lastPage));
}

const PdfCase kPdfCases[] = {
    {"EnglishOnA4",
     {},
     "(A4)",
     {"The Radio Settings", "Type: PMR+LPD", "TX power rank: 3", "Squelch Level: 3",
      "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone W/N",
      "CH-P02 446.01250 446.51250 D754I 254.1 Narrow Yes Low QT/DQT"},
     "The Fifth Pages"},
    {"ChineseOnLetter",
     {"--lang", "zh", "--page-size", "Letter"},
     "612 x 792 pts",
     {"整机设置", "机型: PMR+LPD", "频道 接收频率 发射频率 接收信令 发射信令 宽/窄",
      "CH-P01 446.00625 446.00625 67.0 D023N 宽 否 高 载波"},
     "第五页"}};
INSTANTIATE_TEST_SUITE_P(Languages, ReportPdfPages, ::testing::ValuesIn(kPdfCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportPdf, FailuresLeaveTheTargetAsItWas)
{
    const std::string pdf = path("old.pdf");
    std::ofstream(pdf) << "old";
    CliRun r = cli({"report", path("missing.sin"), "-o", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "cannot open")) << r.err;
    EXPECT_EQ(slurp(pdf), "old");

    r = cli({"report", data("hand-set.sin"), "-o", path("no/folder/out.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "cannot write")) << r.err;

    EXPECT_EQ(cli({"report", data("hand-set.sin"), "-o", pdf, "--lang", "fr"}).status, 2);
    EXPECT_EQ(cli({"report", data("hand-set.sin"), "-o", pdf, "--page-size", "A3"}).status, 2);
    EXPECT_EQ(cli({"report", data("hand-set.sin")}).status, 2);
    EXPECT_EQ(cli({"report", "-o", pdf}).status, 2);
    EXPECT_EQ(slurp(pdf), "old");
}

TEST_F(ReportPdf, SeveralFilesMakeOnePdfEachInTheFolderNamedByOutput)
{
    const std::string dir = path("reports");
    std::filesystem::create_directory(dir);
    // A file that cannot be read is reported; the others still get theirs. A
    // leading dot does not start an extension.
    const std::string hidden = path(".hand-set");
    std::filesystem::copy_file(data("hand-set.sin"), hidden);
    const CliRun r =
        cli({"report", hidden, path("missing.sin"), data("new-pmr-lpd.sin"), "-o", dir});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "missing.sin")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing.pdf"));
    EXPECT_TRUE(has(pageText(dir + "/.hand-set.pdf", 1), "Type: PMR+LPD"));
    EXPECT_TRUE(has(pageText(dir + "/new-pmr-lpd.pdf", 1), "The Radio Settings"));

    // Refused before anything is drawn: -o not a folder, or two files that
    // would make one PDF.
    EXPECT_EQ(
        cli({"report", data("hand-set.sin"), data("new-pmr-lpd.sin"), "-o", path("x.pdf")}).status,
        2);
    EXPECT_EQ(cli({"report", data("hand-set.sin"), data("hand-set.sin"), "-o", dir}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(path("x.pdf")));
}

} // namespace
} // namespace kx9::test
