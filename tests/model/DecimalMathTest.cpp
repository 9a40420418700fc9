#include "DecimalMath.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

namespace kx9 {
namespace {

long long decimalCount(double f)
{
    return static_cast<long long>(DecimalMultiply(f, 100000.0));
}

std::string frequencyText(long long count)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%05lld", count / 100000, count % 100000);
    return text;
}

// Every 10 Hz text of the lowest megahertz the checker accepts gives its
// exact count; a plain double product truncates many of them one unit low
// (the first is 67.00003).
TEST(DecimalMultiply, GivesTheExactCountOfEveryTenHertzText)
{
    for (long long count = 6700000; count <= 6800000; ++count) {
        const std::string text = frequencyText(count);
        ASSERT_EQ(decimalCount(leadingNumber(text)), count) << text;
    }
}

TEST(DecimalArithmetic, OperandsAreRoundedToFifteenDigitsFirst)
{
    // 0.1 + 0.2 is 0.30000000000000004 in binary; at 15 digits it is 0.3.
    EXPECT_EQ(DecimalMultiply(0.1 + 0.2, 10.0), 3.0);
    EXPECT_EQ(DecimalMultiply(-2.5, 4.0), -10.0);
    EXPECT_EQ(DecimalMultiply(0.0, 123.0), 0.0);
    EXPECT_EQ(DecimalMultiply(1e300, 1e300), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(DecimalMultiply(std::nan(""), 1.0)));
    EXPECT_EQ(DecimalAdd(0.1, 0.2), 0.3);
    EXPECT_EQ(DecimalAdd(1.5, -2.25), -0.75);
    EXPECT_EQ(DecimalAdd(-1.5, 1.5), 0.0);
    EXPECT_EQ(DecimalAdd(1e20, 1e-20), 1e20);
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
        EXPECT_EQ(DecimalAdd(999999999999999.0, small), 999999999999999.0) << shift;
        EXPECT_EQ(DecimalAdd(999999999999999.0, -small), 999999999999999.0) << shift;
        EXPECT_EQ(DecimalAdd(small, 999999999999999.0), 999999999999999.0) << shift;
    }
}

} // namespace
} // namespace kx9
