#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"
#include "ReportLayout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace kx9::report {

// The radio-wide values the report's settings section prints, as the
// report reads them from the image. Eight of them have no place of their
// own in the settings block; the report has always taken them from the
// bytes named in ReportSettings.cpp, and printed reports are compared
// against each other by dealers, so that reading is kept.
struct ReportSettings
{
    std::uint8_t programKey1 = 0;
    std::uint8_t programKey2 = 0;
    bool beep = false;
    std::uint8_t squelch = 0;
    bool scrambler = false;
    bool voxFunction = false;
    std::uint8_t voxGain = 0;
    std::uint8_t voxDelay = 0;
    std::uint8_t pttIdMode = 0;
    bool batterySave = false;
    std::uint8_t txTime = 0;
    std::array<std::uint8_t, 16> beginCode{};
    std::array<std::uint8_t, 16> endCode{};
    bool receiveInhibit = false;
};

ReportSettings readReportSettings(const ChannelImage &image);

// What the report prints of a document: its grid, its image, and the type
// and power rank its selectors hold. The window and kx9-cli both use it.
ReportSource reportSource(const ChannelTable &table, const ChannelImage &image,
                          const Selectors &selectors);

// Renderings of single values, label not included.
std::string keyFunctionText(std::uint8_t value, Language language);
std::string squelchText(std::uint8_t value); // "%2d" for 0-9, else "0"
std::string voxGainText(std::uint8_t value); // "OFF", "%2d" for 1-10, else "0"
std::string voxDelayText(std::uint8_t value);
std::string pttIdText(std::uint8_t mode);
std::string txTimeText(std::uint8_t value); // seconds for 1-40, else "OFF"
// Digits and A-D of the 16 bytes in order; any other byte adds nothing.
std::string codeText(std::span<const std::uint8_t, 16> bytes);

} // namespace kx9::report
