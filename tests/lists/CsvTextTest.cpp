#include "CsvText.h"
#include "CaseName.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

struct Fields
{
    int line;
    std::vector<std::string> fields;
    bool unterminatedQuote = false;
    bool operator==(const Fields &) const = default;
};

struct ParseCase
{
    const char *what;
    std::string text;
    std::vector<Fields> records;
};

using CsvParse = ::testing::TestWithParam<ParseCase>;

TEST_P(CsvParse, GivesTheRecordsWithTheirLineNumbers)
{
    std::vector<Fields> records;
    for (const auto &r : parseCsv(GetParam().text))
        records.push_back({r.line, r.fields, r.unterminatedQuote});
    EXPECT_EQ(records, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CsvParse,
    ::testing::Values(
        ParseCase{"lf", "a,b\n1,2\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ParseCase{"crlf without a last line end", "a,b\r\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        ParseCase{"lone cr", "a\r1\r", {{1, {"a"}}, {2, {"1"}}}},
        ParseCase{"byte-order mark", "\xEF\xBB\xBFLocation,Name\n", {{1, {"Location", "Name"}}}},
        ParseCase{"comments and blank lines keep the count",
                  "# list\r\n\r\na,b\r\n#1,2\r\n\r\n3,4\r\n",
                  {{3, {"a", "b"}}, {6, {"3", "4"}}}},
        ParseCase{"empty fields", ",,\n", {{1, {"", "", ""}}}},
        ParseCase{"quotes hold commas and doubled quotes",
                  "\"a,b\",\"say \"\"hi\"\"\",c\n",
                  {{1, {"a,b", "say \"hi\"", "c"}}}},
        ParseCase{"a line end inside quotes is kept and counted",
                  "\"two\r\nlines\",x\r\nnext,y\r\n",
                  {{1, {"two\r\nlines", "x"}}, {3, {"next", "y"}}}},
        ParseCase{"a # inside a record is text", "a,#b\n", {{1, {"a", "#b"}}}},
        ParseCase{"text after a closing quote is kept", "\"ab\"c,d\n", {{1, {"abc", "d"}}}},
        ParseCase{"an open quote runs to the end and is marked",
                  "a,b\n1,\"unclosed\n2,3\n",
                  {{1, {"a", "b"}}, {2, {"1", "unclosed\n2,3\n"}, true}}},
        ParseCase{"a file cut short after a doubled quote is marked",
                  "a,\"cut \"\"",
                  {{1, {"a", "cut \""}, true}}}),
    [](const auto &info) { return test::caseName(info.param.what); });

TEST(CsvWrite, QuotesOnlyWhatNeedsItAndReadsBackTheSame)
{
    const std::vector<std::string> fields = {"plain",      "",       "a,b", "say \"hi\"",
                                             "two\nlines", "CH 1-A", "宽"};
    const std::string line = csvLine(fields);
    EXPECT_EQ(line, "plain,,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",CH 1-A,宽\r\n");
    const auto records = parseCsv(line);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, fields);
}

} // namespace
} // namespace kx9
