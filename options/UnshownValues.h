#pragma once

#include "ChannelImage.h"
#include "Language.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// A stored setting that the Optional Features dialog cannot show, so that
// its OK would store something else in its place.
struct UnshownValue
{
    std::string_view label; // the field's English label
    std::size_t offset = 0; // the byte it is stored in
    std::string stored;     // as the image holds it: "12"
    std::string range;      // the stored values the control shows: "0-9"
    std::string okStores;   // what OK stores instead, as the control shows it: "0"
};

// Every list or up-down value of the image that the dialog cannot show, so
// that OK without a change would store another: squelch above 9, time-out
// above 40, Vox above 3, language bits 1 or 3, priority above 127, step 5-7,
// a frequency differ whose digits read past 999.99999.
// (The bits OK clears outside its controls are not values it shows.)
std::vector<UnshownValue> unshownValues(const ChannelImage &image);

// What the value is and what OK stores: "12 (not in 0-9; OK stores 0)".
std::string unshownText(const UnshownValue &value, Language language);
// The value of an image's field as kx9-cli shows it: unshownText when the
// dialog cannot show it, empty otherwise.
std::string unshownFieldText(const std::vector<UnshownValue> &values, std::string_view label,
                             Language language);

} // namespace kx9
