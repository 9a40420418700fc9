#include "FrequencyCheck.h"

#include "DecimalMath.h"
#include "NumberText.h"

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

} // namespace

FrequencyCheck checkFrequency(std::string_view text)
{
    const double f = leadingNumber(text);
    FrequencyCheck result;
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
    return result;
}

} // namespace kx9
