#pragma once

#include "Texts.h"

#include <string_view>

namespace kx9::text {

// Optional Features dialog: its labels and list items exist in English only
// (the Chinese dialog comes from the translation files).
inline constexpr std::string_view kOptionalFeaturesTitle = KX9_UI("kx9", "Optional Features");
inline constexpr std::string_view kOptionalFeaturesPrompt =
    KX9_UI("kx9", "Set the rest  functional features for the interphone");
inline constexpr std::string_view kFunctionSet = KX9_UI("kx9", "Function Set");
inline constexpr std::string_view kTimeOutTimerLabel = KX9_UI("kx9", "Time Out Timer");
inline constexpr std::string_view kSquelchLevelLabel = KX9_UI("kx9", "Squelch Level");
inline constexpr std::string_view kVoxGainLevelLabel = KX9_UI("kx9", "Vox Gain Level");
inline constexpr std::string_view kLanguageChooseLabel = KX9_UI("kx9", "Language Choose");
inline constexpr std::string_view kPriorityChannelLabel = KX9_UI("kx9", "Priority Channel");
inline constexpr std::string_view kStepLabel = KX9_UI("kx9", "Step");
inline constexpr std::string_view kPttIdLabel = KX9_UI("kx9", "PTT ID");
inline constexpr std::string_view kBandwidthMenuLabel = KX9_UI("kx9", "BandWidth Menu");
inline constexpr std::string_view kFrequencyDifferMenuLabel =
    KX9_UI("kx9", "Frequency Differ Menu");
inline constexpr std::string_view kDifferDirectionMenuLabel =
    KX9_UI("kx9", "Differ Direction Menu");
inline constexpr std::string_view kFrequencyModeBandwidthLabel =
    KX9_UI("kx9", "Frequency Mode BandWidth");
inline constexpr std::string_view kFrequencyDifferDirectionLabel =
    KX9_UI("kx9", "Frequency Differ Direction");
inline constexpr std::string_view kFrequencyDifferLabel = KX9_UI("kx9", "Frequency Differ");
inline constexpr std::string_view kBeepCheck = KX9_UI("kx9", "Beep");
inline constexpr std::string_view kScramblerCheck = KX9_UI("kx9", "Scrambler Activation");
inline constexpr std::string_view kBatterySaveCheck = KX9_UI("kx9", "Battery Save");
inline constexpr std::string_view kRepeaterMskInvertCheck = KX9_UI("kx9", "Repeater MSK Invert");
inline constexpr std::string_view kHlPowerLpdCheck = KX9_UI("kx9", "H/L Power LPD");
inline constexpr std::string_view kEndOfTxPttIdCheck = KX9_UI("kx9", "End Of Tx PTT ID");
inline constexpr std::string_view kTimeOutOff = KX9_UI("kx9", "OFF");
inline constexpr std::string_view kSquelchItems[10] = {"0", "1", "2", "3", "4",
                                                       "5", "6", "7", "8", "9"};
inline constexpr std::string_view kVoxGainItems[4] = {KX9_UI("kx9", "Off"), "1", "2", "3"};
inline constexpr std::string_view kLanguageChooseItems[2] = {KX9_UI("kx9", "English"),
                                                             KX9_UI("kx9", "Off")};
inline constexpr std::string_view kStepItems[5] = {KX9_UI("kx9", "5k"), KX9_UI("kx9", "10k"),
                                                   KX9_UI("kx9", "6.25k"), KX9_UI("kx9", "12.5k"),
                                                   KX9_UI("kx9", "25k")};
inline constexpr std::string_view kOnOffItems[2] = {KX9_UI("kx9", "On"), KX9_UI("kx9", "Off")};
inline constexpr std::string_view kModeBandwidthItems[2] = {KX9_UI("kx9", "Wide"),
                                                            KX9_UI("kx9", "Narrow")};
inline constexpr std::string_view kDifferDirectionItems[3] = {KX9_UI("kx9", "Off"), "+", "-"};

// Opening the dialog on stored values its controls cannot show: the
// heading, then one line per value: its label and kUnshownValue, with %1 the
// value as stored, %2 what the control shows, %3 what OK stores.
inline constexpr TextPair kUnshownHeading{
    "These stored settings cannot be shown here; OK stores what the dialog shows instead:",
    "以下已存储的设置无法在此显示；按确定将改为保存对话框所显示的值："};
inline constexpr TextPair kUnshownValue{"%1 (not in %2; OK stores %3)",
                                        "%1（不在 %2 之内；按确定将保存 %3）"};

} // namespace kx9::text
