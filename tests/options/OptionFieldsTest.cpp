#include "OptionFields.h"
#include "CaseName.h"
#include "RadioType.h"

#include <gtest/gtest.h>

namespace kx9 {
namespace {

struct SetRow
{
    std::string_view label;
    std::string text;
    std::string shownAfter;  // empty: refused
    std::string reason = {}; // a part of the refusal
    friend void PrintTo(const SetRow &r, std::ostream *out) { *out << r.label << "=" << r.text; }
};

using SetFieldText = ::testing::TestWithParam<SetRow>;

std::string rowName(const ::testing::TestParamInfo<SetRow> &info)
{
    return test::caseName(std::string(info.param.label) + "_" + info.param.text);
}

TEST_P(SetFieldText, AcceptsWhatTheDialogOffersAndRefusesTheRest)
{
    const SetRow &row = GetParam();
    const OptionField *field = findOptionField(row.label);
    ASSERT_NE(field, nullptr) << row.label;
    const OptionValues before = loadOptions(newDocumentImage());
    OptionValues values = before;
    const std::string refused = setFieldText(*field, values, row.text);
    if (row.shownAfter.empty()) {
        EXPECT_NE(refused.find(row.reason), std::string::npos) << refused;
        EXPECT_EQ(values, before);
    } else {
        EXPECT_EQ(refused, "");
        EXPECT_EQ(fieldText(*field, values), row.shownAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, SetFieldText,
    ::testing::Values(SetRow{"Squelch Level", "7", "7"},
                      // Labels and items ignore case; the item is shown as the list has it.
                      SetRow{"step", "6.25K", "6.25k"}, SetRow{"Beep", "off", "Off"},
                      SetRow{"Time Out Timer", "off", "OFF"}, SetRow{"Time Out Timer", "15", "15"},
                      SetRow{"Time Out Timer", "600", "600"},
                      SetRow{"Priority Channel", "128", "128"}, SetRow{"PTT ID", "ab-1", "AB-1"},
                      SetRow{"PTT ID", "abcdef", "ABCDEF"},
                      SetRow{"PTT ID", "ßàéþ", "ßÀÉÞ"}, // ß has no capital of one byte
                      SetRow{"PTT ID", "÷", "÷"},       // no letter, though among them in Latin-1
                      SetRow{"Frequency Differ", "12.5", "12.5"},
                      SetRow{"Frequency Differ Direction", "-", "-"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Refused, SetFieldText,
    ::testing::Values(
        SetRow{"Step", "7k", "", "one of: 5k, 10k, 6.25k, 12.5k, 25k (not \"7k\")"},
        SetRow{"Priority Channel", "0", "", "from 1 to 128"},
        SetRow{"Priority Channel", "", "", "from 1 to 128"}, SetRow{"Beep", "yes", "", "On or Off"},
        SetRow{"Time Out Timer", "20", "", "multiple of 15"},
        SetRow{"Time Out Timer", "615", "", "multiple of 15"},
        SetRow{"Time Out Timer", "0", "", "multiple of 15"},
        // 2^32 + 15: no digit count that wraps round to 15 s.
        SetRow{"Time Out Timer", "4294967311", "", "multiple of 15"},
        SetRow{"PTT ID", "ABCDEFG", "", "at most 6"},
        // Neither a character of two bytes nor a terminal control gets in.
        SetRow{"PTT ID", "中", "", "one byte"}, SetRow{"PTT ID", "\U0001F4FB", "", "one byte"},
        // Not UTF-8, though it would be © in Latin-1.
        SetRow{"PTT ID", "\xA9", "", "printable"}, SetRow{"PTT ID", "\x1b[2J", "", "printable"},
        SetRow{"PTT ID", "\xC3", "", "printable"},
        // 0xFF would end the text in the image.
        SetRow{"PTT ID", "ÿ", "", "printable"},
        SetRow{"Frequency Differ", "1.2.3", "", "one point"},
        SetRow{"Frequency Differ", "123456789", "", "at most 8"},
        // Eight stored digits: 1000 would be stored as 0, 12345678 as 678.
        SetRow{"Frequency Differ", "1000", "", "at most 999.99999 MHz"},
        SetRow{"Frequency Differ", "12345678", "", "at most 999.99999 MHz"},
        SetRow{"Frequency Differ", "-1", "", "digits"},
        SetRow{"Frequency Differ", ".", "", "digits"}),
    rowName);

} // namespace
} // namespace kx9
