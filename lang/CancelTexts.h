#pragma once

#include "Texts.h"

// What a cancelled transfer or service exchange says: what was done, and what
// the radio holds now.
namespace kx9::text {

inline constexpr TextPair kCancelledNothingWritten{"cancelled; nothing was written",
                                                   "已取消；未写入任何数据"};
inline constexpr TextPair kCancelledPartialWrite{
    "cancelled; the radio may now hold a partial write: write it again before using the radio",
    "已取消；对讲机中可能只写入了部分数据：请重新写入后再使用对讲机"};
// The whole file went in; only the read back was stopped.
inline constexpr TextPair kCancelledNotVerified{"written, not verified (cancelled)",
                                                "已写入，未校验（已取消）"};
inline constexpr TextPair kCancelledNothingSaved{"cancelled; nothing was read or saved",
                                                 "已取消；未读取或保存任何数据"};

// Several radios at once: the table that follows says each radio's state.
inline constexpr TextPair kCancelledFleet{"cancelled; what each radio holds is in the table",
                                          "已取消；各对讲机的状态见下表"};

// Power tuning stopped by Ctrl-C; the radio was taken out of tuning first.
inline constexpr TextPair kCancelledPowerRead{
    "cancelled; the value was read; the radio has left power tuning",
    "已取消；已读取数值；对讲机已退出功率调试"};
inline constexpr TextPair kCancelledPowerLeft{
    "cancelled; nothing was tuned; the radio has left power tuning",
    "已取消；未调整任何数值；对讲机已退出功率调试"};
inline constexpr TextPair kCancelledPowerNotLeft{
    "cancelled; the radio did not confirm leaving power tuning: switch it off and on again",
    "已取消；对讲机未确认退出功率调试：请关闭电源后重新开机"};
inline constexpr TextPair kCancelledPowerNotEntered{
    "cancelled; the radio was not put into power tuning", "已取消；对讲机未进入功率调试"};
inline constexpr TextPair kCancelledDebugSetting{
    "cancelled; the radio may not have taken the setting", "已取消；对讲机可能未接受该设置"};

} // namespace kx9::text
