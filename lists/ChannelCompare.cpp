#include "ChannelCompare.h"

#include "ChannelListTexts.h"
#include "RadioType.h"

#include <array>
#include <cstdio>

namespace kx9 {

namespace {

std::string hex(std::size_t value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*zX", digits, value);
    return buffer;
}

std::string channelLabel(int channel)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "CH-%03d", channel);
    return buffer;
}

std::string shown(const std::string &cell, Language language)
{
    return cell.empty() ? std::string(text::kDiffEmpty.in(language)) : cell;
}

// The column header without the blanks the grid pads it with.
std::string header(int col, Language language)
{
    std::string_view h = text::kHeaders[col].in(language);
    while (!h.empty() && h.front() == ' ') {
        h.remove_prefix(1);
    }
    while (!h.empty() && h.back() == ' ') {
        h.remove_suffix(1);
    }
    return std::string(h);
}

void byteLine(std::vector<std::string> &out, std::string_view label, const ChannelImage &a,
              const ChannelImage &b, std::size_t offset, std::uint8_t mask = 0xFF)
{
    if (((a.byte(offset) ^ b.byte(offset)) & mask) != 0) {
        out.push_back(std::string(label) + " 0x" + hex(offset, 3) + ": " + hex(a.byte(offset), 2) +
                      " -> " + hex(b.byte(offset), 2));
    }
}

// A channel's stored bytes that its cells cannot show: all of them when the
// cells agree, otherwise the bits no cell is made from.
void hiddenChannelBytes(std::vector<std::string> &out, const OpenedChannels &a,
                        const OpenedChannels &b, int channel, Language language)
{
    bool recordCellsDiffer = false;
    for (int col = kColReceive; col < kColName; ++col) {
        recordCellsDiffer =
            recordCellsDiffer || a.table.cell(channel, col) != b.table.cell(channel, col);
    }
    const std::string label =
        channelLabel(channel) + " " + std::string(text::kDiffImage.in(language));
    const std::size_t record = layout::recordOffset(channel);
    for (std::size_t i = 0; i < layout::kRecordSize; ++i) {
        std::uint8_t mask = 0xFF;
        if (recordCellsDiffer && i < layout::kToneUse) {
            mask = 0x00; // frequencies and tones
        } else if (recordCellsDiffer && i == layout::kToneUse) {
            mask = static_cast<std::uint8_t>(~layout::kToneUseMask);
        } else if (recordCellsDiffer && i == layout::kFlags) {
            mask = layout::kFlagsReservedMask;
        }
        byteLine(out, label, a.image, b.image, record + i, mask);
    }
    if (a.table.cell(channel, kColName) == b.table.cell(channel, kColName)) {
        for (std::size_t i = 0; i < layout::kNameSize; ++i) {
            byteLine(out, label, a.image, b.image, layout::nameOffset(channel) + i);
        }
    }
}

} // namespace

std::vector<std::string> compareChannelFiles(const OpenedChannels &a, const OpenedChannels &b,
                                             const SettingsReader &settings, Language language)
{
    std::vector<std::string> out;
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int col = kColReceive; col < kTableCols; ++col) {
            const std::string &x = a.table.cell(channel, col);
            const std::string &y = b.table.cell(channel, col);
            if (x != y) {
                out.push_back(channelLabel(channel) + " " + header(col, language) + ": " +
                              shown(x, language) + " -> " + shown(y, language));
            }
        }
        hiddenChannelBytes(out, a, b, channel, language);
    }

    const int typeA = radioTypeFromImage(a.image);
    const int typeB = radioTypeFromImage(b.image);
    if (typeA != typeB) {
        out.push_back(std::string(text::kTypeLabel.in(language)) + ": " +
                      std::string(radioTypeName(typeA)) + " -> " +
                      std::string(radioTypeName(typeB)));
    }

    // The bits that a differing line above is read from; every other
    // differing bit of the settings shows as its byte.
    std::array<std::uint8_t, kImageSize> explained{};
    if (typeA != typeB) {
        explained[layout::kRadioType] |= layout::kRadioTypeMask;
    }
    if (settings) {
        const std::vector<SettingLine> x = settings(a.image);
        const std::vector<SettingLine> y = settings(b.image);
        for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
            if (x[i].value != y[i].value) {
                out.push_back(x[i].label + ": " + shown(x[i].value, language) + " -> " +
                              shown(y[i].value, language));
                const ImageBits &bits = x[i].bits;
                for (std::size_t k = 0; k < bits.length && bits.offset + k < kImageSize; ++k) {
                    explained[bits.offset + k] |= bits.mask;
                }
            }
        }
    }
    const std::string_view settingsLabel = text::kDiffSettings.in(language);
    for (std::size_t offset = layout::kSettings; offset < layout::kSettingsEnd; ++offset) {
        byteLine(out, settingsLabel, a.image, b.image, offset,
                 static_cast<std::uint8_t>(~explained[offset]));
    }
    for (std::size_t offset = layout::kModeBase; offset < layout::kModeEnd; ++offset) {
        byteLine(out, settingsLabel, a.image, b.image, offset,
                 static_cast<std::uint8_t>(~explained[offset]));
    }

    const std::string_view label = text::kDiffImage.in(language);
    for (std::size_t offset = layout::nameOffset(kChannelCount + 1); offset < kImageSize;
         ++offset) {
        if (offset < layout::kModeBase || offset >= layout::kModeEnd) {
            byteLine(out, label, a.image, b.image, offset);
        }
    }
    return out;
}

} // namespace kx9
