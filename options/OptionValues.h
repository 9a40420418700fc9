#pragma once

#include "ChannelImage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kx9 {

class Document;

// A list without a selection, as a list control reports it.
inline constexpr int kNoSelection = -1;

// Item indexes of the Optional Features lists (the items are in OptionFields.h).
inline constexpr int kLanguageEnglish = 0, kLanguageOff = 1;
inline constexpr int kMenuOn = 0, kMenuOff = 1;
inline constexpr int kModeWide = 0, kModeNarrow = 1;
inline constexpr int kDirectionOff = 0, kDirectionPlus = 1, kDirectionMinus = 2;
inline constexpr int kStep25k = 4;
// The time-out up-down runs 0..40, each step 15 seconds; 0 is off.
inline constexpr int kTimeOutPositions = 40;
inline constexpr int kTimeOutSeconds = 15;
// Typing limits of the two edits.
inline constexpr std::size_t kPttIdMaxChars = 6;
inline constexpr std::size_t kDifferMaxChars = 8;
// The largest count, in 10 Hz units, that eight BCD digits hold: 999.99999 MHz.
inline constexpr long long kMaxStoredCount = 99999999;

// What the Optional Features dialog's controls hold: list selections as item
// indexes (kNoSelection when none), check boxes, the up-down position and the
// texts of the two edits.
struct OptionValues
{
    int squelch = 0; // "0" ... "9"
    int timeOut = 0; // up-down position; seconds = position x 15
    int voxGain = 0; // "Off" "1" "2" "3"
    int languageChoose = kLanguageOff;
    int priorityChannel = 0; // "1" ... "128"
    int step = kStep25k;     // "5k" "10k" "6.25k" "12.5k" "25k"
    bool beep = false;
    bool scrambler = false;
    bool batterySave = false;
    bool repeaterMskInvert = false;
    bool hlPowerLpd = false;
    bool endOfTxPttId = false;
    int bandwidthMenu = kMenuOff;
    int differDirectionMenu = kMenuOff;
    int frequencyDifferMenu = kMenuOff;
    int modeBandwidth = kModeWide;
    int differDirection = kDirectionOff;
    std::string frequencyDiffer = "0.00000"; // MHz, as typed
    // One byte per character, as the radio stores it (so Latin-1, not UTF-8).
    std::string pttId;

    friend bool operator==(const OptionValues &, const OptionValues &) = default;
};

// Opening the dialog: the controls' values read from the image. Stored values
// out of range show as the dialog shows them (time-out above 40 as off,
// squelch above 9 as "0", Vox above 3 as "Off", Step 5-7 and Priority above
// 127 without a selection).
OptionValues loadOptions(const ChannelImage &image);

// OK: the values written into the image. It also normalises what the dialog
// owns: byte 0x812 is replaced whole, 0x816 bits 0-1 and byte 0x818 are
// cleared, the mode frequency is derived from the differ and its direction,
// and only the low eight digits of each number reach the image.
void storeOptions(const OptionValues &values, ChannelImage &image);

// The dialog's OK on the document: the one edit of the image it makes. True
// when bytes changed, which the document then reports as modified.
bool applyOptionalFeatures(Document &document, const OptionValues &values);

// "OFF" for position 0, else the seconds (15 ... 600).
std::string timeOutText(int position);
// The differ as the dialog shows it: MHz with five decimals.
std::string frequencyDifferText(std::uint32_t count);
// The differ text in 10 Hz units, as OK reads it (leading number, truncated).
long long frequencyDifferCount(std::string_view text);
// True when the "-" direction would take the mode frequency below 0, which
// cannot be stored (OK then stores 0).
bool modeFrequencyBelowZero(const OptionValues &values);
// True when the "+" direction would take the mode frequency past the eight
// digits the image holds (OK then stores only the low eight).
bool modeFrequencyTooHigh(const OptionValues &values);

// Characters a PTT ID can hold: printable and one byte each.
bool pttIdCharAllowed(char32_t c);
// Typed letters become capitals, as far as the capital is one byte too.
char32_t pttIdUpper(char32_t c);

} // namespace kx9
