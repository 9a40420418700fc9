#include "ChannelConversion.h"

#include "FrequencyCheck.h"
#include "NumberText.h"
#include "RadioType.h"
#include "TextFormat.h"
#include "Texts.h"
#include "ToneTable.h"

namespace kx9 {

namespace {

// Beyond this many 10 Hz units a count no longer fits the 8 BCD digits.
constexpr long long kBcd8Limit = 100000000;

std::string frequencyText(std::uint32_t count)
{
    return formatFixed(count * 0.00001, 5);
}

// A count that cannot be a frequency (zero, negative) is stored as no
// frequency rather than as digits of a wrapped number; a count past eight
// digits keeps its low eight digits, as the BCD8 field can hold no more.
std::uint32_t storableCount(long long count)
{
    if (count <= 0) {
        return 0;
    }
    return static_cast<std::uint32_t>(count % kBcd8Limit);
}

// The next character of UTF-8 text at i, advancing i. A malformed byte
// counts as one character that is no name character.
char32_t nextCharacter(std::string_view s, std::size_t &i)
{
    const Utf8Char ch = utf8CharAt(s, i);
    i += ch.length;
    return ch.c;
}

std::string nameText(const ChannelImage::NameCodes &codes)
{
    std::string name;
    for (const std::uint8_t code : codes) {
        const auto c = NameCodeToChar(code);
        if (!c) {
            break;
        }
        name += *c;
    }
    return name;
}

ChannelImage::NameCodes nameCodes(std::string_view text)
{
    ChannelImage::NameCodes codes;
    codes.fill(kNameEnd);
    std::size_t i = 0;
    for (std::size_t k = 0; k < codes.size() && i < text.size(); ++k) {
        codes[k] = NameCharToCode(nextCharacter(text, i));
    }
    return codes;
}

std::string_view busyLockText(BusyLock value, Language language)
{
    switch (value) {
    case BusyLock::Carrier:
        return text::kCarrier.in(language);
    case BusyLock::QtDqt:
        return text::kQtDqt.in(language);
    default:
        return text::kClose.in(language);
    }
}

void fillRow(const ChannelImage &image, int row, ChannelTable &table, Language language)
{
    const std::size_t r = layout::recordOffset(row);
    const auto hasFrequency = [&](std::size_t highByte) {
        const std::uint8_t b = image.byte(r + highByte);
        return b != 0x00 && b != 0xFF;
    };
    table.setCell(row, kColReceive,
                  hasFrequency(layout::kRxHighByte) ? frequencyText(image.rxFrequency(row)) : "");
    table.setCell(row, kColTransmit,
                  hasFrequency(layout::kTxHighByte) ? frequencyText(image.txFrequency(row)) : "");
    const bool inUse = image.channelInUse(row);
    table.setCell(row, kColRxTone, toneCodeToText(image.rxTone(row), inUse));
    table.setCell(row, kColTxTone, toneCodeToText(image.txTone(row), inUse));
    if (inUse) {
        const auto pick = [&](bool on, const TextPair &yes, const TextPair &no) {
            return std::string((on ? yes : no).in(language));
        };
        table.setCell(row, kColBandwidth, pick(image.wide(row), text::kWide, text::kNarrow));
        table.setCell(row, kColScan, pick(image.scan(row), text::kYes, text::kNo));
        table.setCell(row, kColPower, pick(image.highPower(row), text::kHigh, text::kLow));
        table.setCell(row, kColBusyLock, std::string(busyLockText(image.busyLock(row), language)));
    } else {
        for (int col = kColBandwidth; col <= kColBusyLock; ++col) {
            table.setCell(row, col, {});
        }
    }
    table.setCell(row, kColName, nameText(image.nameCodes(row)));
}

BusyLock busyLockFromText(std::string_view s)
{
    if (text::kClose.matches(s)) {
        return BusyLock::Close;
    }
    if (text::kCarrier.matches(s)) {
        return BusyLock::Carrier;
    }
    return BusyLock::QtDqt;
}

} // namespace

Selectors imageToTable(const ChannelImage &image, ChannelTable &table, Language language)
{
    for (int row = 1; row <= kChannelCount; ++row) {
        fillRow(image, row, table, language);
    }
    Selectors s;
    s.type = radioTypeFromImage(image);
    const int count = channelCount(s.type);
    for (int row = 1; row <= kChannelCount; ++row) {
        if (row <= count) {
            table.setCell(row, kColLabel, channelLabel(s.type, row));
        } else {
            table.clearRow(row);
        }
    }
    s.manual = image.manualOpen() ? 0 : 1;
    s.powerRank = image.powerRank() > 9 ? 0 : image.powerRank();
    return s;
}

void tableToImage(const ChannelTable &table, const Selectors &selectors, ChannelImage &image)
{
    for (int row = 1; row <= kChannelCount; ++row) {
        image.setRxFrequency(row,
                             storableCount(frequencyTextToCount(table.cell(row, kColReceive))));
        image.setTxFrequency(row,
                             storableCount(frequencyTextToCount(table.cell(row, kColTransmit))));
        const std::string &rxTone = table.cell(row, kColRxTone);
        const std::string &txTone = table.cell(row, kColTxTone);
        image.setRxTone(row, toneTextToCode(rxTone));
        image.setTxTone(row, toneTextToCode(txTone));
        image.setToneUse(row, !(rxTone == "Off" && txTone == "Off"));
        image.setWide(row, text::kWide.matches(table.cell(row, kColBandwidth)));
        image.setScan(row, text::kYes.matches(table.cell(row, kColScan)));
        image.setHighPower(row, text::kHigh.matches(table.cell(row, kColPower)));
        image.setBusyLock(row, busyLockFromText(table.cell(row, kColBusyLock)));
        image.setNameCodes(row, nameCodes(table.cell(row, kColName)));
    }
    image.setRadioTypeBits(radioTypeBits(selectors.type));
    image.setManualOpen(selectors.manual == 0);
    image.setPowerRank(static_cast<std::uint8_t>(selectors.powerRank & 0xFF));
    image.setMarker(layout::kMarkerValue);
}

int channelsInUse(const ChannelImage &image)
{
    int count = 0;
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        count += image.channelInUse(channel) ? 1 : 0;
    }
    return count;
}

} // namespace kx9
