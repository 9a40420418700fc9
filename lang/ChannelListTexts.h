#pragma once

#include "Texts.h"

// Texts of channel-list import, export and comparison. %1, %2, ... are
// filled in with fillIn (TextFormat.h).
namespace kx9::text {

// The file as a whole.
inline constexpr TextPair kCsvNoHeader{
    "no channel list: the file has no header line naming Location and Frequency",
    "不是频道列表：文件没有含 Location 和 Frequency 的标题行"};
inline constexpr TextPair kCsvMissingColumn{"no channel list: the header line has no %1 column",
                                            "不是频道列表：标题行没有 %1 列"};
inline constexpr TextPair kCsvTooLarge{"%1 is too large for a channel list (over %2 bytes)",
                                       "%1 太大，不是频道列表（超过 %2 字节）"};

// Reasons a line is refused.
inline constexpr TextPair kCsvUnterminatedQuote{"a quoted field is not closed",
                                                "引号内的字段没有结束"};
inline constexpr TextPair kCsvUnterminatedQuoteLines{
    "a quoted field is not closed: it took in lines %1 to %2",
    "引号内的字段没有结束：它吞并了第 %1 至 %2 行"};
inline constexpr TextPair kCsvFewerFields{"%1 fields where the header line has %2",
                                          "只有 %1 个字段，标题行有 %2 个"};
inline constexpr TextPair kCsvBadLocation{"Location \"%1\" is not a channel number",
                                          "Location \"%1\" 不是频道号"};
inline constexpr TextPair kCsvLocationOutside{
    "channel %1 is outside the channels 1-%2 of this radio type",
    "频道 %1 超出此机型的频道范围 1-%2"};
inline constexpr TextPair kCsvDuplicateChannel{"channel %1 is already given on line %2",
                                               "频道 %1 已在第 %2 行给出"};
inline constexpr TextPair kCsvNotANumber{"%1 \"%2\" is not a number", "%1 \"%2\" 不是数字"};
inline constexpr TextPair kCsvRxOutOfRange{"receive frequency %1 MHz is outside 67 to 521 MHz",
                                           "接收频率 %1 MHz 超出 67 至 521 MHz"};
inline constexpr TextPair kCsvTxOutOfRange{"transmit frequency %1 MHz is outside 67 to 521 MHz",
                                           "发射频率 %1 MHz 超出 67 至 521 MHz"};
inline constexpr TextPair kCsvRxOffStep{"receive frequency %1 MHz is on no 6.25, 5 or 2.5 kHz step",
                                        "接收频率 %1 MHz 不是 6.25K/5K/2.5K 的倍数"};
inline constexpr TextPair kCsvTxOffStep{
    "transmit frequency %1 MHz is on no 6.25, 5 or 2.5 kHz step",
    "发射频率 %1 MHz 不是 6.25K/5K/2.5K 的倍数"};
inline constexpr TextPair kCsvUnknownDuplex{
    "Duplex \"%1\" is none of \"\", +, -, split, off",
    "Duplex \"%1\" 无法识别（应为 \"\"、+、-、split、off）"};
inline constexpr TextPair kCsvToneModeNotHeld{"tone mode \"%1\" cannot be held by this radio",
                                              "此对讲机不支持信令方式 \"%1\""};
inline constexpr TextPair kCsvCrossModeUnknown{"CrossMode \"%1\" is not understood",
                                               "CrossMode \"%1\" 无法识别"};
inline constexpr TextPair kCsvMissingValue{"tone mode %1 needs a %2 value",
                                           "信令方式 %1 需要 %2 的值"};
inline constexpr TextPair kCsvToneNotInTable{"tone %1 is not in the tone table",
                                             "信令 %1 不在信令表中"};
inline constexpr TextPair kCsvBadPolarity{"DtcsPolarity \"%1\" is none of NN, NR, RN, RR",
                                          "DtcsPolarity \"%1\" 无法识别（应为 NN、NR、RN、RR）"};
inline constexpr TextPair kCsvModeNotHeld{"mode \"%1\" cannot be held (FM or NFM only)",
                                          "不支持模式 \"%1\"（只支持 FM 或 NFM）"};
inline constexpr TextPair kCsvBadSkip{"Skip \"%1\" is none of \"\", S, P",
                                      "Skip \"%1\" 无法识别（应为 \"\"、S、P）"};
inline constexpr TextPair kCsvBadPower{"Power \"%1\" is neither High, Low nor watts",
                                       "Power \"%1\" 无法识别（应为 High、Low 或瓦数）"};

// Warnings: the line is applied, with a change the user should know of.
inline constexpr TextPair kCsvNameFitted{"name \"%1\" stored as \"%2\"", "名称 \"%1\" 存为 \"%2\""};
inline constexpr TextPair kCsvFrequencyCut{"frequency %1 MHz stored to 10 Hz as %2",
                                           "频率 %1 MHz 按 10 Hz 存为 %2"};
// The note of a list that counts its channels from 0.
inline constexpr TextPair kCsvLocationsFromZero{
    "the Locations start at 0: each line went into channel Location + 1",
    "Location 从 0 开始：每行写入频道 Location + 1"};
// A line of the import's report in the window: %1 the file and line, %2 why.
inline constexpr TextPair kCsvNoteLine{"%1: note: %2", "%1：注意：%2"};
inline constexpr TextPair kCsvRefusedLine{"%1: refused: %2", "%1：拒绝：%2"};
inline constexpr TextPair kCsvWarningLine{"%1: warning: %2", "%1：警告：%2"};
inline constexpr TextPair kCsvImportSummary{"channels imported: %1, lines refused: %2",
                                            "已导入频道：%1，拒绝行：%2"};
inline constexpr TextPair kCsvEmptied{"channels emptied (not in the list): %1",
                                      "已清空频道（列表中没有）：%1"};

// Export.
inline constexpr TextPair kCsvTransmitOnly{
    "channel %1 has a transmit but no receive frequency and was left out",
    "频道 %1 只有发射频率、没有接收频率，未导出"};

// Comparison of two channel files: labels of the lines that are not cells.
inline constexpr TextPair kDiffEmpty{"(empty)", "（空）"};
inline constexpr TextPair kDiffSettings{"Settings", "设置"};
inline constexpr TextPair kDiffImage{"Image", "数据"};

} // namespace kx9::text
