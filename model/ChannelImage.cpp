#include "ChannelImage.h"

namespace kx9 {

std::uint32_t decodeBcd8Le(std::span<const std::uint8_t, 4> bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value * 100 + bcdPairValue(bytes[static_cast<std::size_t>(i)]);
    }
    return value;
}

std::uint32_t decodeBcd8Be(std::span<const std::uint8_t, 4> bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value * 100 + bcdPairValue(bytes[i]);
    }
    return value;
}

Bcd8Bytes encodeBcd8Le(std::uint32_t value)
{
    Bcd8Bytes out{};
    for (std::size_t i = 0; i < 4; ++i) {
        out[i] = bcdPairByte(value % 100);
        value /= 100;
    }
    return out;
}

Bcd8Bytes encodeBcd8Be(std::uint32_t value)
{
    Bcd8Bytes le = encodeBcd8Le(value);
    return {le[3], le[2], le[1], le[0]};
}

std::uint8_t NameCharToCode(char32_t c)
{
    if (c >= U'0' && c <= U'9') {
        return static_cast<std::uint8_t>(c - U'0');
    }
    if (c >= U'A' && c <= U'Z') {
        return static_cast<std::uint8_t>(c - U'A' + 10);
    }
    if (c == U'-') {
        return 36;
    }
    if (c == U' ') {
        return 37;
    }
    return kNameEnd;
}

std::optional<char> NameCodeToChar(std::uint8_t code)
{
    if (code <= 9) {
        return static_cast<char>('0' + code);
    }
    if (code <= 35) {
        return static_cast<char>('A' + (code - 10));
    }
    if (code == 36) {
        return '-';
    }
    if (code == 37) {
        return ' ';
    }
    return std::nullopt;
}

void ChannelImage::setBit(std::size_t offset, std::uint8_t mask, bool on)
{
    const std::uint8_t old = byte(offset);
    setByte(offset, static_cast<std::uint8_t>(on ? (old | mask) : (old & ~mask)));
}

void ChannelImage::writeFour(std::size_t offset, const Bcd8Bytes &bytes)
{
    for (std::size_t i = 0; i < 4; ++i) {
        setByte(offset + i, bytes[i]);
    }
}

void ChannelImage::writeBcd8Le(std::size_t offset, std::uint32_t value)
{
    writeFour(offset, encodeBcd8Le(value));
}

bool ChannelImage::channelInUse(int channel) const
{
    const std::size_t r = record(channel);
    const auto programmed = [](std::uint8_t b) { return b != 0x00 && b != 0xFF; };
    return programmed(byte(r + layout::kRxHighByte)) || programmed(byte(r + layout::kTxHighByte));
}

std::uint32_t ChannelImage::rxFrequency(int channel) const
{
    return readBcd8Le(record(channel) + layout::kRxFrequency);
}

std::uint32_t ChannelImage::txFrequency(int channel) const
{
    return readBcd8Le(record(channel) + layout::kTxFrequency);
}

void ChannelImage::setRxFrequency(int channel, std::uint32_t count)
{
    const std::size_t at = record(channel) + layout::kRxFrequency;
    writeFour(at, count == 0 ? Bcd8Bytes{0xFF, 0xFF, 0xFF, 0xFF} : encodeBcd8Le(count));
}

void ChannelImage::setTxFrequency(int channel, std::uint32_t count)
{
    const std::size_t at = record(channel) + layout::kTxFrequency;
    writeFour(at, count == 0 ? Bcd8Bytes{0xFF, 0xFF, 0xFF, 0xFF} : encodeBcd8Le(count));
}

ToneCode ChannelImage::rxTone(int channel) const
{
    const std::size_t at = record(channel) + layout::kRxTone;
    return {byte(at), byte(at + 1)};
}

ToneCode ChannelImage::txTone(int channel) const
{
    const std::size_t at = record(channel) + layout::kTxTone;
    return {byte(at), byte(at + 1)};
}

void ChannelImage::setRxTone(int channel, ToneCode code)
{
    const std::size_t at = record(channel) + layout::kRxTone;
    setByte(at, code.low);
    setByte(at + 1, code.high);
}

void ChannelImage::setTxTone(int channel, ToneCode code)
{
    const std::size_t at = record(channel) + layout::kTxTone;
    setByte(at, code.low);
    setByte(at + 1, code.high);
}

bool ChannelImage::toneUse(int channel) const
{
    return bit(record(channel) + layout::kToneUse, layout::kToneUseMask);
}

void ChannelImage::setToneUse(int channel, bool on)
{
    setBit(record(channel) + layout::kToneUse, layout::kToneUseMask, on);
}

bool ChannelImage::highPower(int channel) const
{
    return bit(record(channel) + layout::kFlags, layout::kHighPowerMask);
}

void ChannelImage::setHighPower(int channel, bool on)
{
    setBit(record(channel) + layout::kFlags, layout::kHighPowerMask, on);
}

bool ChannelImage::wide(int channel) const
{
    return bit(record(channel) + layout::kFlags, layout::kWideMask);
}

void ChannelImage::setWide(int channel, bool on)
{
    setBit(record(channel) + layout::kFlags, layout::kWideMask, on);
}

bool ChannelImage::scan(int channel) const
{
    return bit(record(channel) + layout::kFlags, layout::kScanMask);
}

void ChannelImage::setScan(int channel, bool on)
{
    setBit(record(channel) + layout::kFlags, layout::kScanMask, on);
}

BusyLock ChannelImage::busyLock(int channel) const
{
    const int bits =
        (byte(record(channel) + layout::kFlags) & layout::kBusyLockMask) >> layout::kBusyLockShift;
    switch (bits) {
    case 1:
        return BusyLock::Carrier;
    case 2:
        return BusyLock::QtDqt;
    default:
        return BusyLock::Close;
    }
}

void ChannelImage::setBusyLock(int channel, BusyLock value)
{
    const std::size_t at = record(channel) + layout::kFlags;
    const auto bits =
        static_cast<std::uint8_t>(static_cast<std::uint8_t>(value) << layout::kBusyLockShift);
    setByte(at, static_cast<std::uint8_t>((byte(at) & ~layout::kBusyLockMask) | bits));
}

ChannelImage::NameCodes ChannelImage::nameCodes(int channel) const
{
    assert(channel >= 1 && channel <= kChannelCount);
    NameCodes codes{};
    const std::size_t at = layout::nameOffset(channel);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        codes[i] = byte(at + i);
    }
    return codes;
}

void ChannelImage::setNameCodes(int channel, const NameCodes &codes)
{
    assert(channel >= 1 && channel <= kChannelCount);
    const std::size_t at = layout::nameOffset(channel);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        setByte(at + i, codes[i]);
    }
}

void ChannelImage::setStep(std::uint8_t value)
{
    const auto rest = static_cast<std::uint8_t>(byte(layout::kStep) & ~layout::kStepMask);
    setByte(layout::kStep, static_cast<std::uint8_t>(rest | (value & layout::kStepMask)));
}

void ChannelImage::setRadioTypeBits(std::uint8_t bits)
{
    const auto rest = static_cast<std::uint8_t>(byte(layout::kRadioType) & ~layout::kRadioTypeMask);
    setByte(layout::kRadioType, static_cast<std::uint8_t>(rest | (bits & layout::kRadioTypeMask)));
}

ChannelImage::PttIdBytes ChannelImage::pttId() const
{
    PttIdBytes out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = byte(layout::kPttId + i);
    }
    return out;
}

void ChannelImage::setPttId(const PttIdBytes &bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        setByte(layout::kPttId + i, bytes[i]);
    }
}

DifferDirection ChannelImage::differDirection() const
{
    const std::uint8_t bits = byte(layout::kModeFlags) & layout::kDifferDirectionMask;
    if (bits == 0) {
        return DifferDirection::Off;
    }
    return bits == layout::kDifferPlus ? DifferDirection::Plus : DifferDirection::Minus;
}

void ChannelImage::setDifferDirection(DifferDirection direction)
{
    std::uint8_t bits = 0;
    if (direction == DifferDirection::Plus) {
        bits = layout::kDifferPlus;
    } else if (direction == DifferDirection::Minus) {
        bits = layout::kDifferMinus;
    }
    const auto rest =
        static_cast<std::uint8_t>(byte(layout::kModeFlags) & ~layout::kDifferDirectionMask);
    setByte(layout::kModeFlags, static_cast<std::uint8_t>(rest | bits));
}

std::uint32_t ChannelImage::frequencyDiffer() const
{
    return decodeBcd8Be(four(layout::kFrequencyDiffer));
}

void ChannelImage::setFrequencyDiffer(std::uint32_t count)
{
    writeFour(layout::kFrequencyDiffer, encodeBcd8Be(count));
}

} // namespace kx9
