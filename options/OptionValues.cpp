#include "OptionValues.h"

#include "DecimalMath.h"
#include "Document.h"
#include "NumberText.h"
#include "OptionTexts.h"

namespace kx9 {

namespace {

constexpr int kSquelchItems = 10;
constexpr int kVoxItems = 4;
constexpr int kStepItems = 5;
// The mode frequency is this fixed 446.00000 MHz (10 Hz units) plus or minus
// the differ, whatever 0xD00 holds.
constexpr long long kModeBaseCount = 44600000;
constexpr long long kEightDigits = 100000000;

// A list selection as one byte; no selection (-1) becomes 0xFF.
std::uint8_t lowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// BCD8 holds eight digits; a frequency below 0 has no encoding at all.
std::uint32_t lowEightDigits(long long value)
{
    return value < 0 ? 0u : static_cast<std::uint32_t>(value % kEightDigits);
}

} // namespace

OptionValues loadOptions(const ChannelImage &image)
{
    OptionValues v;
    const int timeOut = image.timeOutTimer();
    v.timeOut = timeOut > kTimeOutPositions ? 0 : timeOut;
    const int squelch = image.squelch();
    v.squelch = squelch < kSquelchItems ? squelch : 0;
    const int priority = image.priorityChannel();
    v.priorityChannel = priority < kChannelCount ? priority : kNoSelection;
    v.beep = image.beep();
    v.scrambler = image.scrambler();
    v.batterySave = image.batterySave();
    const int vox = image.voxGain();
    v.voxGain = vox < kVoxItems ? vox : 0;
    v.repeaterMskInvert = image.repeaterMskInvert();
    v.languageChoose = image.languageChooseEnglish() ? kLanguageEnglish : kLanguageOff;
    v.modeBandwidth = image.modeWide() ? kModeWide : kModeNarrow;
    switch (image.differDirection()) {
    case DifferDirection::Off:
        v.differDirection = kDirectionOff;
        break;
    case DifferDirection::Plus:
        v.differDirection = kDirectionPlus;
        break;
    case DifferDirection::Minus:
        v.differDirection = kDirectionMinus;
        break;
    }
    const int step = image.step();
    v.step = step < kStepItems ? step : kNoSelection;
    v.frequencyDiffer = frequencyDifferText(image.frequencyDiffer());
    v.hlPowerLpd = image.hlPowerLpd();
    v.endOfTxPttId = image.endOfTxPttId();
    // The text ends at the first erased (0xFF) or zero byte.
    v.pttId.clear();
    for (std::uint8_t b : image.pttId()) {
        if (b == 0xFF || b == 0x00) {
            break;
        }
        v.pttId += static_cast<char>(b);
    }
    v.bandwidthMenu = image.bandwidthMenu() ? kMenuOn : kMenuOff;
    v.differDirectionMenu = image.differDirectionMenu() ? kMenuOn : kMenuOff;
    v.frequencyDifferMenu = image.frequencyDifferMenu() ? kMenuOn : kMenuOff;
    return v;
}

void storeOptions(const OptionValues &v, ChannelImage &image)
{
    using namespace layout;
    image.setByte(kFunctions, v.languageChoose == kLanguageEnglish ? kLanguageChooseEnglish : 0);
    image.setScrambler(v.scrambler);
    image.setBeep(v.beep);
    image.setBatterySave(v.batterySave);
    image.setSquelch(lowByte(v.squelch));
    image.setTimeOutTimer(lowByte(v.timeOut));
    image.setByte(kPttOptions,
                  static_cast<std::uint8_t>(image.byte(kPttOptions) & ~kPttOptionsClearedMask));
    image.setByte(kUninterpreted818, 0);
    image.setVoxGain(lowByte(v.voxGain));
    image.setPriorityChannel(lowByte(v.priorityChannel));
    image.setRepeaterMskInvert(v.repeaterMskInvert);
    image.setModeWide(v.modeBandwidth != kModeNarrow);

    const long long differ = frequencyDifferCount(v.frequencyDiffer);
    long long mode = kModeBaseCount;
    if (v.differDirection == kDirectionOff) {
        image.setDifferDirection(DifferDirection::Off);
    } else if (v.differDirection == kDirectionPlus) {
        image.setDifferDirection(DifferDirection::Plus);
        mode += differ;
    } else {
        image.setDifferDirection(DifferDirection::Minus);
        mode -= differ;
    }
    image.setModeFrequency(lowEightDigits(mode));
    image.setFrequencyDiffer(lowEightDigits(differ));

    image.setStep(static_cast<std::uint8_t>(v.step >= 0 && v.step < kStep25k ? v.step : kStep25k));
    image.setHlPowerLpd(v.hlPowerLpd);
    image.setEndOfTxPttId(v.endOfTxPttId);
    ChannelImage::PttIdBytes ptt;
    ptt.fill(0xFF);
    for (std::size_t i = 0; i < ptt.size() && i < v.pttId.size(); ++i) {
        ptt[i] = static_cast<std::uint8_t>(v.pttId[i]);
    }
    image.setPttId(ptt);
    image.setBandwidthMenu(v.bandwidthMenu != kMenuOff);
    image.setDifferDirectionMenu(v.differDirectionMenu != kMenuOff);
    image.setFrequencyDifferMenu(v.frequencyDifferMenu != kMenuOff);
}

bool applyOptionalFeatures(Document &document, const OptionValues &values)
{
    ChannelImage edited = document.image();
    storeOptions(values, edited);
    return document.acceptOptions(edited);
}

std::string timeOutText(int position)
{
    return position == 0 ? std::string(text::kTimeOutOff)
                         : std::to_string(position * kTimeOutSeconds);
}

std::string frequencyDifferText(std::uint32_t count)
{
    return formatFixed(DecimalMultiply(static_cast<double>(count), 0.00001), 5);
}

long long frequencyDifferCount(std::string_view text)
{
    const long long count = truncateToInteger(DecimalMultiply(leadingNumber(text), 100000.0));
    return count < 0 ? 0 : count;
}

bool modeFrequencyBelowZero(const OptionValues &values)
{
    return values.differDirection != kDirectionOff && values.differDirection != kDirectionPlus &&
           frequencyDifferCount(values.frequencyDiffer) > kModeBaseCount;
}

bool modeFrequencyTooHigh(const OptionValues &values)
{
    return values.differDirection == kDirectionPlus &&
           kModeBaseCount + frequencyDifferCount(values.frequencyDiffer) > kMaxStoredCount;
}

bool pttIdCharAllowed(char32_t c)
{
    // 0xFF would end the text in the image; C0 and C1 controls are no characters.
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0xFF);
}

char32_t pttIdUpper(char32_t c)
{
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    // Latin-1 small letters whose capitals are Latin-1 too (not the division sign).
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    return c;
}

} // namespace kx9
