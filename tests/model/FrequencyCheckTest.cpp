#include "FrequencyCheck.h"
#include "DecimalMath.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <tuple>

namespace kx9 {
namespace {

TEST(CheckFrequency, AcceptsRasterFrequenciesInTheBandAndRefusesTheRest)
{
    // input, error, normalised text, count (only looked at when the range test
    // passes), outside the band of 400-470 MHz but accepted
    const std::tuple<const char *, FrequencyError, const char *, std::uint32_t, bool> cases[] = {
        {"446.00625", FrequencyError::None, "446.00625", 44600625, false},
        {"446.005", FrequencyError::None, "446.00500", 44600500, false},
        {"446.0025", FrequencyError::None, "446.00250", 44600250, false},
        {"67", FrequencyError::None, "67.00000", 6700000, true},
        {"521", FrequencyError::None, "521.00000", 52100000, true},
        {"400", FrequencyError::None, "400.00000", 40000000, false},
        {"470", FrequencyError::None, "470.00000", 47000000, false},
        {"399.99375", FrequencyError::None, "399.99375", 39999375, true},
        {"470.00625", FrequencyError::None, "470.00625", 47000625, true},
        // A comma is the decimal point; blanks may stand around the number.
        {"446,1", FrequencyError::None, "446.10000", 44610000, false},
        {" 446.1\t ", FrequencyError::None, "446.10000", 44610000, false},
        // Tested on the truncated count, shown rounded.
        {"446.006251", FrequencyError::None, "446.00625", 44600625, false},
        {"446.001", FrequencyError::OffStep, "446.00100", 44600100, false},
        {"66.99999", FrequencyError::OutOfRange, "66.99999", 0, false},
        {"521.0025", FrequencyError::OutOfRange, "521.00250", 0, false},
        {"-446", FrequencyError::OutOfRange, "-446.00000", 0, false},
        {"abc", FrequencyError::NotANumber, "", 0, false},
        {"446.1abc", FrequencyError::NotANumber, "", 0, false},
        {"446,1,5", FrequencyError::NotANumber, "", 0, false},
        {"446 1", FrequencyError::NotANumber, "", 0, false},
        {"1e30", FrequencyError::OutOfRange, "1000000000000000019884624838656.00000", 0, false},
        // 2^32 + 44600000 units would wrap to 446 MHz in 32 bits.
        {"43395.67296", FrequencyError::OutOfRange, "43395.67296", 0, false},
        {"0x1p8", FrequencyError::NotANumber, "", 0, false},
        {"inf", FrequencyError::NotANumber, "", 0, false},
        // On step and in range when truncated, but stored rounded
        // to a value that is not.
        {"446.0062599", FrequencyError::OffStep, "446.00626", 44600625, false},
        {"521.0000051", FrequencyError::OutOfRange, "521.00001", 0, false}};
    for (const auto &[input, error, normalised, count, outsideBand] : cases) {
        const FrequencyCheck r = checkFrequency(input);
        EXPECT_EQ(std::tuple(r.error, r.normalised,
                             error == FrequencyError::OutOfRange ? 0 : r.count, r.outsideBand),
                  std::tuple(error, normalised, count, outsideBand))
            << input;
    }
}

// Only the plain decimal prefix is read; what the C library reads of it is the reference.
TEST(LeadingNumber, ReadsThePlainDecimalPrefixLikeTheCLibrary)
{
    for (const char *text : {" \t446.5MHz", ".5", "5.", "+7", "-2.5e1x", "3e", ".", "Off", "1e400",
                             " 446.5e1 MHz", "-1e400", "1e-400", "0.0001e400"}) {
        char *end = nullptr;
        const double expected = std::strtod(text, &end);
        std::size_t length = 0;
        EXPECT_EQ(leadingNumber(text, length), expected) << text;
        EXPECT_EQ(length, static_cast<std::size_t>(end - text)) << text;
    }
}

TEST(LeadingInteger, StopsAtTheFirstNonDigitAndClamps)
{
    EXPECT_EQ(std::tuple(leadingInteger(" 023N"), leadingInteger("-12x"), leadingInteger("N"),
                         leadingInteger("99999999999999999999"),
                         leadingInteger("-99999999999999999999")),
              std::tuple(23, -12, 0, INT_MAX, -static_cast<long long>(INT_MAX) - 1));
}

// The other roundings are those of the frequency and tone texts.
TEST(FormatFixed, RoundsAnExactTieToEvenLikePrintf)
{
    EXPECT_EQ(formatFixed(0.125, 2), "0.12");
}

// Every 10 Hz text of the lowest megahertz the checker accepts gives its
// exact count; a plain double product truncates many of them one unit low
// (the first is 67.00003).
TEST(DecimalMultiply, GivesTheExactCountOfEveryTenHertzText)
{
    for (long long count = 6700000; count <= 6800000; ++count) {
        char text[32];
        std::snprintf(text, sizeof text, "%lld.%05lld", count / 100000, count % 100000);
        ASSERT_EQ(static_cast<long long>(DecimalMultiply(leadingNumber(text), 100000.0)), count)
            << text;
    }
}

TEST(DecimalArithmetic, OperandsAreRoundedToFifteenDigitsFirst)
{
    // 0.1 + 0.2 is 0.30000000000000004 in binary; at 15 digits it is 0.3.
    EXPECT_EQ(std::tuple(DecimalMultiply(0.1 + 0.2, 10.0), DecimalMultiply(-2.5, 4.0),
                         DecimalMultiply(0.0, 123.0), DecimalMultiply(1e300, 1e300)),
              std::tuple(3.0, -10.0, 0.0, std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(std::isnan(DecimalMultiply(std::nan(""), 1.0)));
    EXPECT_EQ(std::tuple(DecimalAdd(0.1, 0.2), DecimalAdd(1.5, -2.25), DecimalAdd(-1.5, 1.5),
                         DecimalAdd(1e20, 1e-20)),
              std::tuple(0.3, -0.75, 0.0, 1e20));
}

// Multiplying by one must give the operand rounded to 15 significant digits,
// exactly what printf's "%.14e" shows of it, read back.
TEST(DecimalMultiply, ByOneIsTheFifteenDigitRoundingOfTheOperand)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::ldexp(mantissa(random), exponent(random)) * (i % 2 ? -1 : 1);
        char text[64];
        std::snprintf(text, sizeof text, "%.14e", x);
        ASSERT_EQ(DecimalMultiply(x, 1.0), std::strtod(text, nullptr)) << text;
        ASSERT_EQ(DecimalAdd(x, 0.0), std::strtod(text, nullptr)) << text;
    }
}

// Aligning operands whose exponents differ by more than 20 places would
// overflow 128 bits; the sum stays the correctly rounded one either side.
TEST(DecimalAdd, FifteenDigitOperandsStayExactAcrossTheWideShifts)
{
    for (int shift = 18; shift <= 27; ++shift) {
        const double small = std::pow(10.0, -shift);
        const double big = 999999999999999.0;
        EXPECT_EQ(
            std::tuple(DecimalAdd(big, small), DecimalAdd(big, -small), DecimalAdd(small, big)),
            std::tuple(big, big, big))
            << shift;
    }
}

} // namespace
} // namespace kx9
