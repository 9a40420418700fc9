#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"

#include <functional>
#include <string>
#include <vector>

namespace kx9 {

// Bits of the image: length bytes from offset, each under mask; none by default.
struct ImageBits
{
    std::size_t offset = 0;
    std::uint8_t mask = 0xFF;
    std::size_t length = 0;
};

// One radio-wide setting as a user reads it ("Squelch Level", "5"), and the
// bits it is read from, which a line that differs explains.
struct SettingLine
{
    std::string label;
    std::string value;
    ImageBits bits;
};

// Reads the radio-wide settings of an image as labelled lines.
using SettingsReader = std::function<std::vector<SettingLine>(const ChannelImage &)>;

// A channel file as opened: its image and the table the grid shows.
struct OpenedChannels
{
    const ChannelImage &image;
    const ChannelTable &table;
};

// Every difference between two channel files, one line each, in this order:
//   CH-005 Receive(MHz): 446.00625 -> 446.01875     a channel cell
//   CH-100 Image 0x630: 25 -> FF                     a stored byte of a channel
//                                                    that no cell shows
//   Type: PMR+LPD -> PMR                             the radio type
//   Squelch Level: 5 -> 7                            a labelled setting
//   Settings 0x813: 05 -> 07                         a settings or frequency-mode byte
//   Image 0xFF8: 7E -> 80                            any other byte
// A settings or frequency-mode byte is listed whenever it differs in bits
// that no differing labelled line (or the Type line) is read from, so no
// difference goes unreported. No lines: the files hold the same.
std::vector<std::string> compareChannelFiles(const OpenedChannels &a, const OpenedChannels &b,
                                             const SettingsReader &settings = {},
                                             Language language = Language::English);

} // namespace kx9
