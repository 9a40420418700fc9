#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kx9 {

inline constexpr std::size_t kImageSize = 4096;
inline constexpr int kChannelCount = 128;

// Layout of the image. Radio address A is image offset A.
namespace layout {

// 128 channel records of 16 bytes; channel n (1..128) at 16 * (n - 1).
inline constexpr std::size_t kChannels = 0x000;
inline constexpr std::size_t kRecordSize = 16;
// Fields inside a record.
inline constexpr std::size_t kRxFrequency = 0; // 4 bytes, BCD8 little-endian, 10 Hz units
inline constexpr std::size_t kTxFrequency = 4; // 4 bytes, BCD8 little-endian, 10 Hz units
inline constexpr std::size_t kRxTone = 8;      // low byte, then high byte
inline constexpr std::size_t kTxTone = 10;     // low byte, then high byte
inline constexpr std::size_t kToneUse = 12;    // bit 4 only; other bits carried
inline constexpr std::size_t kFlags = 13;      // bit field below
inline constexpr std::size_t kReserved = 14;   // 2 bytes, carried unchanged
// The "in use" test looks only at the high byte of each frequency.
inline constexpr std::size_t kRxHighByte = kRxFrequency + 3;
inline constexpr std::size_t kTxHighByte = kTxFrequency + 3;

inline constexpr std::uint8_t kToneUseMask = 0x10;
inline constexpr std::uint8_t kHighPowerMask = 0x20;
inline constexpr std::uint8_t kWideMask = 0x10;
inline constexpr std::uint8_t kScanMask = 0x08;
inline constexpr std::uint8_t kBusyLockMask = 0x06;
inline constexpr int kBusyLockShift = 1;
inline constexpr std::uint8_t kFlagsReservedMask = 0xC1;

// 128 names of 8 name character codes; name of channel n at 0x850 + 8 * (n - 1).
inline constexpr std::size_t kNames = 0x850;
inline constexpr std::size_t kNameSize = 8;

// Settings block, up to the names.
inline constexpr std::size_t kSettings = 0x800;
inline constexpr std::size_t kSettingsEnd = 0x850;
inline constexpr std::size_t kNewOnly80A = 0x80A;
inline constexpr std::size_t kNewOnly80B = 0x80B;
inline constexpr std::size_t kBatterySave = 0x810; // bit 4
inline constexpr std::uint8_t kBatterySaveMask = 0x10;
inline constexpr std::size_t kMarker = 0x811;
inline constexpr std::uint8_t kMarkerValue = 0xA8;
inline constexpr std::size_t kFunctions = 0x812;
inline constexpr std::uint8_t kLanguageChooseMask = 0x03; // value 2 = "English"
inline constexpr std::uint8_t kLanguageChooseEnglish = 0x02;
inline constexpr std::uint8_t kScramblerMask = 0x10;
inline constexpr std::uint8_t kBeepMask = 0x40;
inline constexpr std::uint8_t kManualOpenMask = 0x80;
inline constexpr std::size_t kSquelch = 0x813;      // 0-9
inline constexpr std::size_t kTimeOutTimer = 0x814; // 0 off, 1-40 = value x 15 s
inline constexpr std::size_t kVoxGain = 0x815;      // 0 off, 1-3
inline constexpr std::size_t kPttOptions = 0x816;
inline constexpr std::uint8_t kRepeaterMskInvertMask = 0x04;
inline constexpr std::uint8_t kEndOfTxPttIdMask = 0x10;
inline constexpr std::uint8_t kPttOptionsClearedMask = 0x03; // cleared by the features dialog
inline constexpr std::size_t kStep = 0x817;                  // bits 0-2
inline constexpr std::uint8_t kStepMask = 0x07;
inline constexpr std::size_t kUninterpreted818 = 0x818;
inline constexpr std::size_t kPowerRank = 0x819;       // 0-9
inline constexpr std::size_t kPriorityChannel = 0x81A; // 0-127 = channel 1-128
inline constexpr std::size_t kRadioIdentity = 0x81B;
inline constexpr std::size_t kNewOnly81D = 0x81D;
inline constexpr std::size_t kRadioType = 0x81F;
inline constexpr std::uint8_t kRadioTypeMask = 0x06;
inline constexpr std::uint8_t kRadioTypePmrLpd = 0x00;
inline constexpr std::uint8_t kRadioTypePmr = 0x02;
inline constexpr std::uint8_t kRadioType400470 = 0x04;
inline constexpr std::uint8_t kHlPowerLpdMask = 0x08;
inline constexpr std::uint8_t kBandwidthMenuMask = 0x10;
inline constexpr std::uint8_t kDifferDirectionMenuMask = 0x20;
inline constexpr std::uint8_t kFrequencyDifferMenuMask = 0x40;
inline constexpr std::size_t kPttId = 0x830; // 6 plain character bytes, 0xFF after the text
inline constexpr std::size_t kPttIdSize = 6;

// Frequency-mode block.
inline constexpr std::size_t kModeBase = 0xD00;      // BCD8 little-endian, 10 Hz units
inline constexpr std::size_t kModeEnd = 0xD14;       // one past the frequency-mode block
inline constexpr std::size_t kModeFrequency = 0xD04; // BCD8 little-endian, 10 Hz units
inline constexpr std::size_t kNewOnlyD0C = 0xD0C;
inline constexpr std::size_t kModeFlags = 0xD0D;
inline constexpr std::uint8_t kModeWideMask = 0x10;
inline constexpr std::uint8_t kDifferDirectionMask = 0xC0;
inline constexpr std::uint8_t kDifferPlus = 0x80;
inline constexpr std::uint8_t kDifferMinus = 0x40;
inline constexpr std::size_t kFrequencyDiffer = 0xD10; // BCD8 big-endian, 10 Hz units

// Calibration bytes, raw values reported by the radio when power is tuned.
inline constexpr std::size_t kLowPowerCalibration = 0xFF8;
inline constexpr std::size_t kHighPowerCalibration = 0xFF9;

constexpr std::size_t recordOffset(int channel)
{
    return kChannels + kRecordSize * static_cast<std::size_t>(channel - 1);
}
constexpr std::size_t nameOffset(int channel)
{
    return kNames + kNameSize * static_cast<std::size_t>(channel - 1);
}

} // namespace layout

// One BCD byte: the tens digit in the high nibble. Encoding computes
// tens * 16 + units and keeps 8 bits, whatever the value.
constexpr std::uint32_t bcdPairValue(std::uint8_t b)
{
    return static_cast<std::uint32_t>((b >> 4) * 10 + (b & 0x0F));
}
constexpr std::uint8_t bcdPairByte(long long twoDigits)
{
    return static_cast<std::uint8_t>((twoDigits / 10) * 16 + twoDigits % 10);
}

// BCD8: 8 decimal digits in 4 bytes, high nibble the tens digit of a pair.
// Decoding does not check the nibbles: a nibble of 10-15 adds its value in its
// digit position, as the radio's own firmware readers do. Encoding keeps the
// low eight decimal digits.
using Bcd8Bytes = std::array<std::uint8_t, 4>;
std::uint32_t decodeBcd8Le(std::span<const std::uint8_t, 4> bytes);
std::uint32_t decodeBcd8Be(std::span<const std::uint8_t, 4> bytes);
Bcd8Bytes encodeBcd8Le(std::uint32_t value);
Bcd8Bytes encodeBcd8Be(std::uint32_t value);

// Name character codes: "0"-"9" 0-9, "A"-"Z" 10-35, "-" 36, space 37.
inline constexpr std::uint8_t kNameEnd = 0xFF;
std::uint8_t NameCharToCode(char32_t c);
// No character for a code outside 0-37: the caller ends the name there.
std::optional<char> NameCodeToChar(std::uint8_t code);

// Two bytes of a tone in a channel record: low byte first in the image.
struct ToneCode
{
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    friend bool operator==(const ToneCode &, const ToneCode &) = default;
};

enum class BusyLock : std::uint8_t { Close = 0, Carrier = 1, QtDqt = 2 };
enum class DifferDirection : std::uint8_t { Off, Plus, Minus };

// The radio's 4096-byte configuration memory; radio address A is offset A.
class ChannelImage
{
public:
    using Bytes = std::array<std::uint8_t, kImageSize>;
    using NameCodes = std::array<std::uint8_t, layout::kNameSize>;
    using PttIdBytes = std::array<std::uint8_t, layout::kPttIdSize>;

    ChannelImage() { m_bytes.fill(0xFF); }

    std::uint8_t byte(std::size_t offset) const
    {
        assert(offset < kImageSize);
        return m_bytes[offset];
    }
    void setByte(std::size_t offset, std::uint8_t value)
    {
        assert(offset < kImageSize);
        m_bytes[offset] = value;
    }

    std::span<const std::uint8_t, kImageSize> bytes() const { return m_bytes; }
    std::span<std::uint8_t, kImageSize> bytes() { return m_bytes; }

    friend bool operator==(const ChannelImage &, const ChannelImage &) = default;

    // Channel records, channel 1..128.
    bool channelInUse(int channel) const;
    std::uint32_t rxFrequency(int channel) const; // 10 Hz units
    std::uint32_t txFrequency(int channel) const;
    // A count of 0 means no frequency and is stored as 0xFF x 4.
    void setRxFrequency(int channel, std::uint32_t count);
    void setTxFrequency(int channel, std::uint32_t count);
    ToneCode rxTone(int channel) const;
    ToneCode txTone(int channel) const;
    void setRxTone(int channel, ToneCode code);
    void setTxTone(int channel, ToneCode code);
    bool toneUse(int channel) const;
    void setToneUse(int channel, bool on);
    bool highPower(int channel) const;
    void setHighPower(int channel, bool on);
    bool wide(int channel) const;
    void setWide(int channel, bool on);
    bool scan(int channel) const;
    void setScan(int channel, bool on);
    // Bits 11 are never written and read as Close.
    BusyLock busyLock(int channel) const;
    void setBusyLock(int channel, BusyLock value);
    NameCodes nameCodes(int channel) const;
    void setNameCodes(int channel, const NameCodes &codes);

    // Settings block.
    bool batterySave() const { return bit(layout::kBatterySave, layout::kBatterySaveMask); }
    void setBatterySave(bool on) { setBit(layout::kBatterySave, layout::kBatterySaveMask, on); }
    std::uint8_t marker() const { return byte(layout::kMarker); }
    void setMarker(std::uint8_t value) { setByte(layout::kMarker, value); }
    bool languageChooseEnglish() const
    {
        return (byte(layout::kFunctions) & layout::kLanguageChooseMask) ==
               layout::kLanguageChooseEnglish;
    }
    bool scrambler() const { return bit(layout::kFunctions, layout::kScramblerMask); }
    void setScrambler(bool on) { setBit(layout::kFunctions, layout::kScramblerMask, on); }
    bool beep() const { return bit(layout::kFunctions, layout::kBeepMask); }
    void setBeep(bool on) { setBit(layout::kFunctions, layout::kBeepMask, on); }
    bool manualOpen() const { return bit(layout::kFunctions, layout::kManualOpenMask); }
    void setManualOpen(bool open) { setBit(layout::kFunctions, layout::kManualOpenMask, open); }
    std::uint8_t squelch() const { return byte(layout::kSquelch); }
    void setSquelch(std::uint8_t value) { setByte(layout::kSquelch, value); }
    std::uint8_t timeOutTimer() const { return byte(layout::kTimeOutTimer); }
    void setTimeOutTimer(std::uint8_t value) { setByte(layout::kTimeOutTimer, value); }
    std::uint8_t voxGain() const { return byte(layout::kVoxGain); }
    void setVoxGain(std::uint8_t value) { setByte(layout::kVoxGain, value); }
    bool repeaterMskInvert() const
    {
        return bit(layout::kPttOptions, layout::kRepeaterMskInvertMask);
    }
    void setRepeaterMskInvert(bool on)
    {
        setBit(layout::kPttOptions, layout::kRepeaterMskInvertMask, on);
    }
    bool endOfTxPttId() const { return bit(layout::kPttOptions, layout::kEndOfTxPttIdMask); }
    void setEndOfTxPttId(bool on) { setBit(layout::kPttOptions, layout::kEndOfTxPttIdMask, on); }
    std::uint8_t step() const { return byte(layout::kStep) & layout::kStepMask; }
    void setStep(std::uint8_t value);
    std::uint8_t powerRank() const { return byte(layout::kPowerRank); }
    void setPowerRank(std::uint8_t value) { setByte(layout::kPowerRank, value); }
    std::uint8_t priorityChannel() const { return byte(layout::kPriorityChannel); }
    void setPriorityChannel(std::uint8_t value) { setByte(layout::kPriorityChannel, value); }
    std::uint8_t radioIdentity() const { return byte(layout::kRadioIdentity); }
    void setRadioIdentity(std::uint8_t value) { setByte(layout::kRadioIdentity, value); }
    // Bits 1-2 of 0x81F as they are (one of the kRadioType... values, or 0x06).
    std::uint8_t radioTypeBits() const { return byte(layout::kRadioType) & layout::kRadioTypeMask; }
    void setRadioTypeBits(std::uint8_t bits);
    bool hlPowerLpd() const { return bit(layout::kRadioType, layout::kHlPowerLpdMask); }
    void setHlPowerLpd(bool on) { setBit(layout::kRadioType, layout::kHlPowerLpdMask, on); }
    bool bandwidthMenu() const { return bit(layout::kRadioType, layout::kBandwidthMenuMask); }
    void setBandwidthMenu(bool on) { setBit(layout::kRadioType, layout::kBandwidthMenuMask, on); }
    bool differDirectionMenu() const
    {
        return bit(layout::kRadioType, layout::kDifferDirectionMenuMask);
    }
    void setDifferDirectionMenu(bool on)
    {
        setBit(layout::kRadioType, layout::kDifferDirectionMenuMask, on);
    }
    bool frequencyDifferMenu() const
    {
        return bit(layout::kRadioType, layout::kFrequencyDifferMenuMask);
    }
    void setFrequencyDifferMenu(bool on)
    {
        setBit(layout::kRadioType, layout::kFrequencyDifferMenuMask, on);
    }
    PttIdBytes pttId() const;
    void setPttId(const PttIdBytes &bytes);

    // Frequency-mode block.
    std::uint32_t modeBase() const { return readBcd8Le(layout::kModeBase); }
    void setModeBase(std::uint32_t count) { writeBcd8Le(layout::kModeBase, count); }
    std::uint32_t modeFrequency() const { return readBcd8Le(layout::kModeFrequency); }
    void setModeFrequency(std::uint32_t count) { writeBcd8Le(layout::kModeFrequency, count); }
    bool modeWide() const { return bit(layout::kModeFlags, layout::kModeWideMask); }
    void setModeWide(bool on) { setBit(layout::kModeFlags, layout::kModeWideMask, on); }
    // Both direction bits set read as "-".
    DifferDirection differDirection() const;
    void setDifferDirection(DifferDirection direction);
    std::uint32_t frequencyDiffer() const;
    void setFrequencyDiffer(std::uint32_t count);

    // Calibration bytes.
    std::uint8_t lowPowerCalibration() const { return byte(layout::kLowPowerCalibration); }
    void setLowPowerCalibration(std::uint8_t v) { setByte(layout::kLowPowerCalibration, v); }
    std::uint8_t highPowerCalibration() const { return byte(layout::kHighPowerCalibration); }
    void setHighPowerCalibration(std::uint8_t v) { setByte(layout::kHighPowerCalibration, v); }

private:
    bool bit(std::size_t offset, std::uint8_t mask) const { return (byte(offset) & mask) != 0; }
    void setBit(std::size_t offset, std::uint8_t mask, bool on);
    std::span<const std::uint8_t, 4> four(std::size_t offset) const
    {
        assert(offset + 4 <= kImageSize);
        return std::span<const std::uint8_t, 4>(m_bytes.data() + offset, 4);
    }
    std::uint32_t readBcd8Le(std::size_t offset) const { return decodeBcd8Le(four(offset)); }
    void writeBcd8Le(std::size_t offset, std::uint32_t value);
    void writeFour(std::size_t offset, const Bcd8Bytes &bytes);
    static std::size_t record(int channel)
    {
        assert(channel >= 1 && channel <= kChannelCount);
        return layout::recordOffset(channel);
    }

    Bytes m_bytes;
};

} // namespace kx9
