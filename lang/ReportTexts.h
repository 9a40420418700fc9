#pragma once

#include "Texts.h"

#include <string_view>

namespace kx9::text {

// Printed report.
inline constexpr TextPair kPageTitles[5] = {
    {"The Radio Settings", "整机设置"}, {"The Second Page", "第二页"}, {"The Third Page", "第三页"},
    {"The Fourth Pages", "第四页"},     {"The Fifth Pages", "第五页"},
};
inline constexpr TextPair kFunctionSetting{"Function Setting:", "功能设置:"};
inline constexpr TextPair kReportType{"Type:   ", "机型:   "};
inline constexpr std::string_view kReportPf1 = "Pf1:   ";
inline constexpr std::string_view kReportPf2 = "Pf2: ";
inline constexpr std::string_view kReportPttId = "PTT ID: ";
inline constexpr std::string_view kPttIdModes[4] = {"BOT", "EOT", "BOTH", "BOTH"};
inline constexpr std::string_view kReportOff = KX9_UI("kx9", "OFF");
inline constexpr TextPair kBeepWarning{"Beep Warning: ", "报警音提示: "};
inline constexpr TextPair kReportSquelch{"Squelch Level: ", "静噪等级: "};
inline constexpr TextPair kReportPowerRank{"TX power rank: ", "发射功率等级: "};
inline constexpr TextPair kReportScrambler{"Scrambler Activation:", "扰频器激活:"};
inline constexpr TextPair kVoxFunction{"Vox Function:", "Vox 功能:"};
inline constexpr TextPair kVoxGainLevel{"Vox Gain Level:", "Vox 增益电平:"};
inline constexpr TextPair kVoxDelayTime{"Vox Delay Time: ", "Vox 延迟时间(秒): "};
inline constexpr TextPair kReportBatterySave{"Battery Save:", "电池省电:"};
inline constexpr TextPair kTotalTxTime{"Total Tx Time(s):", "发射时间(s):"};
inline constexpr TextPair kBeginOfTx{"Begin of Tx:", "发射开始:"};
inline constexpr TextPair kEndOfTx{"End of Tx:  ", "发射结束:"};
inline constexpr TextPair kVoxInhibit{"Vox inhibit on recieve:", "接收时禁止VOX:"};
// On/off words: the first of a pair for 1, the second for 0.
inline constexpr TextPair kEnable{"Enable", "打开"};
inline constexpr TextPair kDisable{"Disable", "关闭"};
inline constexpr TextPair kEnableBatterySave{"Enable", "启动"};
inline constexpr TextPair kEnableInhibit{"Enable", "使能"};
inline constexpr TextPair kDisableInhibit{"Disable", "不使能"};
// Programmable-key functions 0-5; any other value reads as the first.
inline constexpr TextPair kKeyFunctions[6] = {
    {"None", "无"},      {"Autodial", "自动拨号"},          {"Key Lock", "按键锁定"},
    {"Monitor", "监听"}, {"Monitor Momentary", "监听瞬时"}, {"Scrambler", "扰频器"},
};
// VOX delay 0-5; any other value reads as the first.
inline constexpr std::string_view kVoxDelays[6] = {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
inline constexpr TextPair kChannelSetting{"Channel Setting:", "频道设置:"};
// Pieces of the report's channel header line after the column 0 header,
// with the blanks between them; h3 and h4 are inserted after the second
// frequency and the receive tone as the report describes.
inline constexpr TextPair kReportRx{"Rx(MHz)", "接收频率"};
inline constexpr TextPair kReportTx{"Tx(MHz)", "发射频率"};
inline constexpr TextPair kReportWn{"W/N", "宽/窄"};
inline constexpr TextPair kReportScanAdd{"Scan Add", "扫描添加"};
inline constexpr TextPair kReportTxPower{"Tx Power", "发射功率"};
inline constexpr TextPair kReportBusy{"Busy", "繁忙锁定"};

} // namespace kx9::text
