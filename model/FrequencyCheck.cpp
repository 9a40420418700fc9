#include "FrequencyCheck.h"

#include "DecimalMath.h"
#include "NumberText.h"
#include "TextFormat.h"
#include "Texts.h"

#include <optional>

namespace kx9 {

long long frequencyTextToCount(std::string_view text)
{
    return truncateToInteger(DecimalMultiply(leadingNumber(text), 100000.0));
}

namespace {

FrequencyError judge(long long n)
{
    if (n < kLowestFrequency || n > kHighestFrequency)
        return FrequencyError::OutOfRange;
    if (n % 625 != 0 && n % 500 != 0 && n % 250 != 0)
        return FrequencyError::OffStep;
    return FrequencyError::None;
}

// The number of a typed text, or nothing when more than blanks follow it.
std::optional<double> soleNumber(std::string_view text)
{
    const std::string number = withDecimalPoint(text);
    std::size_t length = 0;
    const double value = leadingNumber(number, length);
    if (length == 0 || number.find_first_not_of(" \t", length) != std::string::npos)
        return std::nullopt;
    return value;
}

} // namespace

std::string withDecimalPoint(std::string_view text)
{
    std::string number(text);
    if (const std::size_t comma = number.find(','); comma != std::string::npos)
        number[comma] = '.';
    return number;
}

std::string outsideBandWarning(std::string_view normalised, Language language)
{
    return fillIn(text::kOutsideBand.in(language), {normalised});
}

FrequencyCheck checkFrequency(std::string_view text)
{
    FrequencyCheck result;
    const std::optional<double> number = soleNumber(text);
    if (!number) {
        result.error = FrequencyError::NotANumber;
        return result;
    }
    const double f = *number;
    result.normalised = formatFixed(f, 5);
    // Negative and huge values fail the range test whatever 32-bit pattern
    // they would truncate to.
    const long long typed = truncateToInteger(DecimalMultiply(f, 100000.0));
    // The cell keeps the normalised text and the image gets its count, so
    // that must pass too: with more than five decimals a value can pass on
    // its truncated count and round to one that does not (446.0062599 would
    // be stored as 446.00626).
    const long long stored = frequencyTextToCount(result.normalised);
    result.error = judge(typed);
    if (result.error == FrequencyError::None)
        result.error = judge(stored);
    if (result.error != FrequencyError::OutOfRange)
        result.count =
            static_cast<std::uint32_t>(result.error == FrequencyError::None ? stored : typed);
    result.outsideBand = result.error == FrequencyError::None &&
                         (result.count < kBandLowest || result.count > kBandHighest);
    return result;
}

} // namespace kx9
