#include "FrequencyCheck.h"

#include "DecimalMath.h"
#include "NumberText.h"

namespace kx9 {

long long frequencyTextToCount(std::string_view text)
{
    return truncateToInteger(DecimalMultiply(leadingNumber(text), 100000.0));
}

FrequencyCheck checkFrequency(std::string_view text)
{
    const double f = leadingNumber(text);
    FrequencyCheck result;
    result.normalised = formatFixed(f, 5);
    // Negative and huge values fail the range test whatever 32-bit pattern
    // they would truncate to.
    const long long n = truncateToInteger(DecimalMultiply(f, 100000.0));
    if (n < kLowestFrequency || n > kHighestFrequency) {
        result.error = FrequencyError::OutOfRange;
        return result;
    }
    result.count = static_cast<std::uint32_t>(n);
    if (n % 625 != 0 && n % 500 != 0 && n % 250 != 0) {
        result.error = FrequencyError::OffStep;
    }
    return result;
}

} // namespace kx9
