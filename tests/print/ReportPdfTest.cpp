// kx9-cli report as a user runs it, its PDF read back with poppler's tools.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Finished
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs of blanks as one, so texts compare whatever spacing the extraction finds.
std::string squeezed(const std::string &text)
{
    return std::regex_replace(text, std::regex("[ \t]+"), " ");
}

class ReportPdf : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("kx9-report-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const char *name) const { return (m_dir / name).string(); }
    static std::string data(const char *name) { return std::string(KX9_TEST_DATA) + "/" + name; }

    // Runs program with args through the shell; stdout to a file, or to
    // stdoutPath when given.
    Finished run(const char *program, const std::vector<std::string> &args,
                 const std::string &stdoutPath = {}) const
    {
        std::string command = std::string("'") + program + "'";
        for (const auto &a : args)
            command += " '" + a + "'";
        const std::string out = stdoutPath.empty() ? path(".out") : stdoutPath;
        const int status =
            std::system((command + " >'" + out + "' 2>'" + path(".err") + "'").c_str());
        Finished r;
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = slurp(path(".err"));
        if (stdoutPath.empty())
            r.out = slurp(out);
        return r;
    }

    Finished report(std::vector<std::string> args, const std::string &stdoutPath = {}) const
    {
        args.insert(args.begin(), "report");
        return run(KX9_CLI, std::move(args), stdoutPath);
    }

    // The text of one page, blanks squeezed.
    std::string pageText(const std::string &pdf, int page) const
    {
        const std::string n = std::to_string(page);
        const Finished r = run(KX9_PDFTOTEXT, {"-layout", "-f", n, "-l", n, pdf, "-"});
        EXPECT_EQ(r.status, 0) << r.err;
        return squeezed(r.out);
    }

    std::string info(const std::string &pdf) const
    {
        const Finished r = run(KX9_PDFINFO, {pdf});
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }

    fs::path m_dir;
};

bool has(const std::string &text, const std::string &what)
{
    return text.find(what) != std::string::npos;
}

TEST_F(ReportPdf, FivePagesWithTheirTitlesSettingsAndChannels)
{
    const std::string pdf = path("hand.pdf");
    const Finished r = report({data("hand-set.sin"), "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string pdfInfo = info(pdf);
    EXPECT_TRUE(has(pdfInfo, "Pages:           5")) << pdfInfo;
    EXPECT_TRUE(has(pdfInfo, "(A4)")) << pdfInfo;

    const std::string one = pageText(pdf, 1);
    for (const char *text :
         {"The Radio Settings", "Function Setting:", "Type: PMR+LPD", "TX power rank: 3",
          "Squelch Level: 3", "Channel Setting:", "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone W/N",
          "CH-P01 446.00625 446.00625 67.0 D023N Wide No High Carrier",
          "CH-P02 446.01250 446.51250 D754I 254.1 Narrow Yes Low QT/DQT", "CH-L14"})
        EXPECT_TRUE(has(one, text)) << text << "\n" << one;
    // The name column is not printed; channel 23 belongs to page 2.
    EXPECT_FALSE(has(one, "CH 1-A")) << one;
    EXPECT_FALSE(has(one, "CH-L15")) << one;

    const std::string two = pageText(pdf, 2);
    EXPECT_TRUE(has(two, "The Second Page")) << two;
    EXPECT_TRUE(has(two, "CH-L15 433.") && has(two, "CH-L46")) << two;
    EXPECT_FALSE(has(two, "Function Setting:")) << two;
    EXPECT_TRUE(has(pageText(pdf, 3), "The Third Page"));
    EXPECT_TRUE(has(pageText(pdf, 4), "The Fourth Pages"));

    // Page 5 lists channels 119 to 128, which no radio type has.
    const std::string five = pageText(pdf, 5);
    EXPECT_TRUE(has(five, "The Fifth Pages")) << five;
    EXPECT_TRUE(has(five, "Channel Setting:")) << five;
    EXPECT_FALSE(has(five, "CH-")) << five;
}

TEST_F(ReportPdf, ChineseReportOnLetterPaper)
{
    const std::string pdf = path("zh.pdf");
    const Finished r =
        report({data("hand-set.sin"), "--lang", "zh", "--page-size", "Letter", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(info(pdf), "612 x 792 pts")) << info(pdf);
    const std::string one = pageText(pdf, 1);
    for (const char *text : {"整机设置", "功能设置:", "机型: PMR+LPD", "发射功率等级: 3",
                             "频道设置:", "频道 接收频率 发射频率 接收信令 发射信令 宽/窄",
                             "CH-P01 446.00625 446.00625 67.0 D023N 宽 否 高 载波"})
        EXPECT_TRUE(has(one, text)) << text << "\n" << one;
    EXPECT_TRUE(has(pageText(pdf, 5), "第五页"));
}

TEST_F(ReportPdf, ColumnsSitWhereTheTwipPositionsPutThem)
{
    const std::string pdf = path("pos.pdf");
    ASSERT_EQ(report({data("hand-set.sin"), "-o", pdf}).status, 0);
    const Finished r = run(KX9_PDFTOTEXT, {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    // A4 less quarter-inch margins at 600 dpi: 4660 px wide, so the column
    // unit is (4660 x 1440 / 600 - 900) / 80 = 128 twips = 6.4 pt.
    const double margin = 18, unit = 6.4;
    auto xMin = [&](const std::string &word) {
        const std::regex re("<word xMin=\"([0-9.]+)\"[^>]*>" + word + "</word>");
        std::smatch m;
        return std::regex_search(r.out, m, re) ? std::stod(m[1]) : -1.0;
    };
    EXPECT_NEAR(xMin("CH-P01"), margin + 1 * unit, 1.0);
    EXPECT_NEAR(xMin("D023N"), margin + 32 * unit, 1.0);
    EXPECT_NEAR(xMin("Carrier"), margin + 64 * unit, 1.0);
    EXPECT_NEAR(xMin("Function"), margin + 5 * unit, 1.0);
}

TEST_F(ReportPdf, FailuresLeaveTheTargetAsItWas)
{
    const std::string pdf = path("old.pdf");
    std::ofstream(pdf) << "old";
    Finished r = report({path("missing.sin"), "-o", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "cannot open")) << r.err;
    EXPECT_EQ(slurp(pdf), "old");

    r = report({data("hand-set.sin"), "-o", path("no/folder/out.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "cannot write")) << r.err;

    EXPECT_EQ(report({data("hand-set.sin"), "-o", pdf, "--lang", "fr"}).status, 2);
    EXPECT_EQ(report({data("hand-set.sin"), "-o", pdf, "--page-size", "A3"}).status, 2);
    EXPECT_EQ(report({data("hand-set.sin")}).status, 2);
    EXPECT_EQ(report({"-o", pdf}).status, 2);
    EXPECT_EQ(slurp(pdf), "old");

    // A replaced file keeps its mode.
    ::chmod(pdf.c_str(), 0640);
    ASSERT_EQ(report({data("hand-set.sin"), "-o", pdf}).status, 0);
    struct stat st
    {
    };
    ASSERT_EQ(::stat(pdf.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(slurp(pdf).rfind("%PDF-", 0), 0u);
}

TEST_F(ReportPdf, StandardOutputTakesThePdfWhenAskedFor)
{
    const Finished r = report({data("hand-set.sin"), "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("%PDF-", 0), 0u);
    std::ofstream(path("piped.pdf"), std::ios::binary) << r.out;
    EXPECT_TRUE(has(pageText(path("piped.pdf"), 1), "The Radio Settings"));

    // Output that does not arrive is a failure.
    const Finished full = report({data("hand-set.sin"), "-o", "-"}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(has(full.err, "standard output")) << full.err;
}

} // namespace
