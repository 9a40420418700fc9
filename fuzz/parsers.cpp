// The number, frequency and tone parsers on any text. A frequency that the
// check lets through is in range and on a channel step as it will be stored,
// and so is what the cell editor writes into the table; every tone name of
// the table comes back from its code.

#include "EditRules.h"
#include "FrequencyCheck.h"
#include "FuzzCheck.h"
#include "NumberText.h"
#include "ToneTable.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace kx9;

bool onStep(long long count)
{
    return count % 625 == 0 || count % 500 == 0 || count % 250 == 0;
}

bool storable(long long count)
{
    return count >= kLowestFrequency && count <= kHighestFrequency && onStep(count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const double number = leadingNumber(text);
    FUZZ_CHECK(!std::isnan(number));
    const long long integer = leadingInteger(text);
    FUZZ_CHECK(integer >= -2147483648LL && integer <= 2147483647LL);
    frequencyTextToCount(text);

    const FrequencyCheck check = checkFrequency(text);
    if (check.error == FrequencyError::None) {
        // The cell keeps the normalised text; the image gets its count.
        const long long stored = frequencyTextToCount(check.normalised);
        FUZZ_CHECK(storable(stored));
        FUZZ_CHECK(stored == check.count);
    }

    // The cell editor on the Receive cell of an empty channel.
    ChannelTable table;
    const EditOutcome edit =
        commitFrequency(table, 1, kColReceive, text, CommitKind::Leave, Language::English);
    for (const CellEdit &e : edit.edits) {
        if ((e.col == kColReceive || e.col == kColTransmit) && !e.text.empty())
            FUZZ_CHECK(storable(frequencyTextToCount(e.text)));
    }

    const int tone = ToneTable::indexOf(text);
    if (tone > 0)
        FUZZ_CHECK(toneCodeToText(toneTextToCode(text), true) == text);
    toneTextToCode(text);
    return 0;
}
