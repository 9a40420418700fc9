#include "ReportSettings.h"

#include "RadioType.h"
#include "ReportTexts.h"
#include "Texts.h"

namespace kx9::report {

namespace {

// Where the report finds the values that the settings block does not
// define. In the image's own layout these places hold other things
// (battery save, the fixed marker, a bit the settings dialog clears, the
// flag bits of 0x816, the language setting, the beep setting, and the
// records of channels 124 and 125); the printed report shows them under
// its own labels all the same.
constexpr std::size_t kProgramKey1 = 0x810;
constexpr std::size_t kProgramKey2 = 0x811;
constexpr std::uint8_t kVoxFunctionMask = 0x20; // in 0x812
constexpr std::size_t kVoxDelay = 0x816;
constexpr std::uint8_t kPttIdModeMask = 0x03;      // in 0x812
constexpr std::uint8_t kReceiveInhibitMask = 0x40; // in 0x812
constexpr std::size_t kBeginCode = 0x7B0;
constexpr std::size_t kEndCode = 0x7C0;

std::array<std::uint8_t, 16> sixteenBytes(const ChannelImage &image, std::size_t offset)
{
    std::array<std::uint8_t, 16> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = image.byte(offset + i);
    }
    return out;
}

std::string twoWide(int value)
{
    std::string s = std::to_string(value);
    return s.size() < 2 ? " " + s : s;
}

} // namespace

ReportSettings readReportSettings(const ChannelImage &image)
{
    const std::uint8_t functions = image.byte(layout::kFunctions);
    ReportSettings s;
    s.programKey1 = image.byte(kProgramKey1);
    s.programKey2 = image.byte(kProgramKey2);
    s.beep = image.beep();
    s.squelch = image.squelch();
    s.scrambler = image.scrambler();
    s.voxFunction = (functions & kVoxFunctionMask) != 0;
    s.voxGain = image.voxGain();
    s.voxDelay = image.byte(kVoxDelay);
    s.pttIdMode = functions & kPttIdModeMask;
    s.batterySave = image.batterySave();
    s.txTime = image.timeOutTimer();
    s.beginCode = sixteenBytes(image, kBeginCode);
    s.endCode = sixteenBytes(image, kEndCode);
    s.receiveInhibit = (functions & kReceiveInhibitMask) != 0;
    return s;
}

std::string keyFunctionText(std::uint8_t value, Language language)
{
    const std::size_t index = value < std::size(text::kKeyFunctions) ? value : 0;
    return std::string(text::kKeyFunctions[index].in(language));
}

std::string squelchText(std::uint8_t value)
{
    return value > 9 ? "0" : twoWide(value);
}

std::string voxGainText(std::uint8_t value)
{
    if (value == 0) {
        return std::string(text::kReportOff);
    }
    return value > 10 ? "0" : twoWide(value);
}

std::string voxDelayText(std::uint8_t value)
{
    const std::size_t index = value < std::size(text::kVoxDelays) ? value : 0;
    return std::string(text::kVoxDelays[index]);
}

std::string pttIdText(std::uint8_t mode)
{
    return std::string(text::kPttIdModes[mode & 0x03]);
}

std::string txTimeText(std::uint8_t value)
{
    // The time-out timer counts 15-second steps.
    return value >= 1 && value <= 40 ? std::to_string(value * 15) : std::string(text::kReportOff);
}

std::string codeText(std::span<const std::uint8_t, 16> bytes)
{
    std::string out;
    for (const std::uint8_t b : bytes) {
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'D')) {
            out += static_cast<char>(b);
        }
    }
    return out;
}

ReportSource reportSource(const ChannelTable &table, const ChannelImage &image,
                          const Selectors &selectors)
{
    return {table, image, std::string(radioTypeName(selectors.type)),
            selectors.powerRank >= 0 ? std::to_string(selectors.powerRank) : std::string()};
}

} // namespace kx9::report
