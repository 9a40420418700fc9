#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the service tools that the radio maker's program never had: our
// own prompts and the messages for the cases we do not leave silent.
namespace kx9::text {

// Status prompts of the power tuning commands: status line, then tooltip.
inline constexpr std::string_view kHighPowerDebugPrompt =
    KX9_UI("kx9", "Tune the radio's high transmit power on line\nHigh Power Debug");
inline constexpr std::string_view kLowPowerDebugPrompt =
    KX9_UI("kx9", "Tune the radio's low transmit power on line\nLow Power Debug");
inline constexpr std::string_view kDebugModeItem = KX9_UI("kx9", "&Debug Mode...");

// Closing a power tuning dialog: the radio never acknowledged the exit
// wake-up, so the exit code was not sent.
inline constexpr TextPair kServiceExitUnanswered{
    "The radio did not answer the request to leave power tuning; it may still be in service "
    "mode. Switch it off and on again.",
    "对讲机未回应退出功率调试的请求，可能仍处于调试状态，请关闭电源后重新开机。"};

// Debug mode Start with a frequency the radio cannot transmit on.
inline constexpr TextPair kDebugFrequencyOutOfBand{
    "The debug frequencies must lie between 400 and 470 MHz; nothing was sent.",
    "调试频率必须在 400 到 470 MHz 之间，未发送任何数据。"};

// Debug mode dialog. Its controls exist in English only.
inline constexpr std::string_view kDebugModeCaption = KX9_UI("kx9", "Debug Mode");
inline constexpr std::string_view kDebugModePrompt =
    KX9_UI("kx9", "Debug TX Power,Squelch Level,Low Power Alert\nDebug on line");
inline constexpr std::string_view kDebugFrequency = KX9_UI("kx9", "Debug Frequency");
inline constexpr std::string_view kHighFrequency = KX9_UI("kx9", "High Frequency");
inline constexpr std::string_view kMiddleFrequency = KX9_UI("kx9", "Middle Frequency");
inline constexpr std::string_view kLowFrequency = KX9_UI("kx9", "Low Frequency");
// The group caption of the Low page has a lower-case f.
inline constexpr std::string_view kLowFrequencyCaption = KX9_UI("kx9", "Low frequency");
inline constexpr std::string_view kDebugItem = KX9_UI("kx9", "Debug Item");
inline constexpr std::string_view kTxFrequencyItem = KX9_UI("kx9", "TX Frequency");
inline constexpr std::string_view kLowPowerVoltageItem = KX9_UI("kx9", "Low Power Voltage");
inline constexpr std::string_view kSquelchLevelItem = KX9_UI("kx9", "Squelch Level");
inline constexpr std::string_view kTxPowerItem = KX9_UI("kx9", "TX Power");
inline constexpr std::string_view kExitDebug = KX9_UI("kx9", "Exit Debug");
inline constexpr std::string_view kChooseFrequencyFirst =
    KX9_UI("kx9", "Please Choose Frequency first");
inline constexpr std::string_view kReceiveGroup = KX9_UI("kx9", "Receive");
inline constexpr std::string_view kTransmitGroup = KX9_UI("kx9", "Transmit");
inline constexpr std::string_view kFrequencyMhzLabel = KX9_UI("kx9", "Frequency (MHz)");
inline constexpr std::string_view kToneLabel = KX9_UI("kx9", "Tone");
inline constexpr std::string_view kToneMethodLabel = KX9_UI("kx9", "Tone Method");
inline constexpr std::string_view kStepValueLabel = KX9_UI("kx9", "Step Value");
inline constexpr std::string_view kQt = KX9_UI("kx9", "QT");
inline constexpr std::string_view kDqt = KX9_UI("kx9", "DQT");
inline constexpr std::string_view kStep500 = KX9_UI("kx9", "5.00KHZ");
inline constexpr std::string_view kStep625 = KX9_UI("kx9", "6.25KHZ");
inline constexpr std::string_view kParameterValue = KX9_UI("kx9", "Parameter Value");
inline constexpr std::string_view kMin = KX9_UI("kx9", "Min");
inline constexpr std::string_view kMax = KX9_UI("kx9", "Max");
inline constexpr std::string_view kCurrentPosition = KX9_UI("kx9", "Current Position:");
inline constexpr std::string_view kChooseDebugFrequency = KX9_UI("kx9", "Choose Debug Frequency");
inline constexpr std::string_view kHighMhz = KX9_UI("kx9", "High(MHz)");
inline constexpr std::string_view kMiddleMhz = KX9_UI("kx9", "Middle(MHz)");
inline constexpr std::string_view kLowMhz = KX9_UI("kx9", "Low(MHz)");
inline constexpr std::string_view kDefault = KX9_UI("kx9", "Default");
inline constexpr TextPair kFinishSuccessfully{"Finish successfully!", "对讲机已收到!"};
inline constexpr TextPair kDebugError{" Error had happen ,need try again", " 错误需延时再试"};
inline constexpr TextPair kNoVisibleInformation{" There are no Visible information",
                                                " 没有可视信息"};

// Power debug dialogs: every text in English only.
inline constexpr std::string_view kHighPowerDebug = KX9_UI("kx9", "&High Power Debug");
inline constexpr std::string_view kLowPowerDebug = KX9_UI("kx9", "&Low Power Debug");
// The dialogs' captions, as the exchanges name them.
inline constexpr std::string_view kHighPowerCaption = KX9_UI("kx9", "High Power Debug");
inline constexpr std::string_view kLowPowerCaption = KX9_UI("kx9", "Low Power Debug");
inline constexpr std::string_view kPowerDebugOpenFailed =
    "Power debug Could not Open the Port,Please check whether the Port are occupied or the "
    "device are ok";
inline constexpr std::string_view kMyDebugOpenFailed =
    "mydebug Could not Open the Port,Please check whether the Port are occupied or the device "
    "are ok";
// Capital N, unlike the read/write message.
inline constexpr std::string_view kPowerNotEnoughBytes = "Not received enough  byte";
inline constexpr std::string_view kPowerErrorL1 = " Error had happen L1,need try again";
inline constexpr std::string_view kPowerErrorL2 = " Error had happen L2,need try again";
inline constexpr std::string_view kPowerError = " Error had happen ,need try again";

} // namespace kx9::text
