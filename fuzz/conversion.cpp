// Image <-> table conversion on any 4096 bytes: the round trip through the
// table changes only the bits the conversion owns. A field the editor could
// never have written (a BCD digit past 9, a frequency of 1000 MHz or more)
// may be rewritten by the first saves; after two the file no longer changes,
// and the flag texts of either language store the same bits.

#include "ChannelConversion.h"
#include "FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using namespace kx9;

// The bits of one image byte that tableToImage may write.
std::uint8_t ownedBits(std::size_t offset)
{
    namespace l = layout;
    if (offset < l::kChannels + l::kRecordSize * kChannelCount) {
        switch (offset % l::kRecordSize) {
        case l::kToneUse:
            return l::kToneUseMask;
        case l::kFlags:
            return static_cast<std::uint8_t>(~l::kFlagsReservedMask);
        case l::kReserved:
        case l::kReserved + 1:
            return 0;
        default: // frequencies and tones
            return 0xFF;
        }
    }
    if (offset >= l::kNames && offset < l::kNames + l::kNameSize * kChannelCount)
        return 0xFF;
    switch (offset) {
    case l::kRadioType:
        return l::kRadioTypeMask;
    case l::kFunctions:
        return l::kManualOpenMask;
    case l::kPowerRank:
    case l::kMarker:
        return 0xFF;
    default:
        return 0;
    }
}

ChannelImage roundTrip(const ChannelImage &image, Language language)
{
    ChannelTable table;
    table.setHeaders(language);
    const Selectors selectors = imageToTable(image, table, language);
    ChannelImage out = image;
    tableToImage(table, selectors, out);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ChannelImage image;
    std::copy_n(data, std::min(size, kImageSize), image.bytes().begin());
    // A byte past the image chooses the language of the flag texts.
    const Language language =
        size > kImageSize && (data[kImageSize] & 1) != 0 ? Language::Chinese : Language::English;

    const ChannelImage once = roundTrip(image, language);
    for (std::size_t i = 0; i < kImageSize; ++i)
        FUZZ_CHECK(((image.byte(i) ^ once.byte(i)) & ~ownedBits(i)) == 0);
    const ChannelImage twice = roundTrip(once, language);
    FUZZ_CHECK(roundTrip(twice, language) == twice);
    const Language other = language == Language::English ? Language::Chinese : Language::English;
    FUZZ_CHECK(roundTrip(twice, other) == twice);
    return 0;
}
