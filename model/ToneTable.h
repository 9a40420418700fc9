#pragma once

#include "ChannelImage.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kx9 {

// The one list of tone names: "Off", 50 CTCSS tones, 105 DCS codes normal and
// the same 105 inverted. A tone travels between cells and the image as its
// text; no index of this table is ever stored.
class ToneTable
{
public:
    static constexpr std::size_t kSize = 261;
    static constexpr std::size_t kFirstCtcss = 1;
    static constexpr std::size_t kFirstDcsNormal = 51;
    static constexpr std::size_t kFirstDcsInverted = 156;

    static const std::array<std::string, kSize> &entries();
    // Position of text in the table, or -1.
    static int indexOf(std::string_view text);
};

// Image to cell: "Off" for no tone when the channel is in use, empty when not.
std::string toneCodeToText(ToneCode code, bool channelInUse);
// Cell to image, with the lenient parsing the radio's files were made with:
// any text holding a "D" is a DCS code, inverted unless it holds an "N".
ToneCode toneTextToCode(std::string_view text);

} // namespace kx9
