#pragma once

#include "Language.h"
#include "UiMark.h"

#include <string_view>

namespace kx9 {

// A text the user sees in two forms. The English form comes first; both are
// UTF-8. Misspellings and full-width commas are the radio maker's own and are
// kept exactly, since dealers know the program by them.
struct TextPair
{
    std::string_view en;
    std::string_view zh;

    constexpr std::string_view in(Language language) const
    {
        return language == Language::English ? en : zh;
    }
    // The form of the language in force now.
    std::string_view text() const { return in(currentLanguage()); }
    // True when s is either form.
    constexpr bool matches(std::string_view s) const { return s == en || s == zh; }
};

// The catalogue of every text of the program that exists in both languages,
// and the few that exist in English only (en == zh): the texts shared by
// several parts here, the others in the topic headers beside this one.
namespace text {

inline constexpr std::string_view kAppTitle = KX9_UI("kx9", "VANTARO Programing Software");

// Channel table: column headers (row 0 of the grid).
inline constexpr TextPair kHeaders[10] = {
    {"CH", "频道"},          {"Receive(MHz)", "接收频率"}, {"Transmit(MHz)", "发射频率"},
    {"Rx Tone", "接收信令"}, {"Tx Tone", "发射信令"},      {" W/N ", " 宽/窄"},
    {"Scan", "扫描添加"},    {"Tx Power", "发射功率"},     {"BusyLock", "繁忙锁定"},
    {"Name", "名称"},
};

// Channel table: flag cell texts.
inline constexpr TextPair kWide{"Wide", "宽"};
inline constexpr TextPair kNarrow{"Narrow", "窄"};
inline constexpr TextPair kYes{"Yes", "是"};
inline constexpr TextPair kNo{"No", "否"};
inline constexpr TextPair kHigh{"High", "高"};
inline constexpr TextPair kLow{"Low", "低"};
inline constexpr TextPair kClose{"Close", "关闭"};
inline constexpr TextPair kCarrier{"Carrier", "载波"};
inline constexpr TextPair kQtDqt{"QT/DQT", "QT/DQT"};

// Names a screen reader speaks: the grid, a cell ("Receive, CH-P01,
// 446.00625": column, channel and value joined by kCellJoin), an empty
// cell's value, a transfer's progress ("Reading: 35 %") and a document
// without a file.
inline constexpr TextPair kGridName{"Channels", "频道表"};
inline constexpr TextPair kCellJoin{"%1, %2", "%1，%2"};
inline constexpr TextPair kCellEmpty{"empty", "空"};
// Under the first lines of a report too long for a message box.
inline constexpr TextPair kMoreLines{"… and %1 more lines", "……另有 %1 行"};
inline constexpr TextPair kReadingName{"Reading: %1 %", "正在读取：%1 %"};
inline constexpr TextPair kWritingName{"Writing: %1 %", "正在写入：%1 %"};
inline constexpr TextPair kUntitled{"Untitled", "未命名"};

// Main view labels.
inline constexpr TextPair kTypeSetting{"Type Setting", "整机设置"};
inline constexpr TextPair kTypeLabel{"Type", "机型"};
inline constexpr TextPair kTxPowerRankLabel{"Tx Power Rank", "发射功率等级"};
inline constexpr TextPair kManulSettingLabel{"Manul Setting", "手动设置"};

// Serial port.
inline constexpr TextPair kOpenPortFailed{
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok",
    "无法打开串口，请检查该设备是否正常，或是否被占用"};
// Said below that message: %1 is the device path, %2 the system's reason.
inline constexpr TextPair kPortMissing{
    "%1 does not exist (%2). Is the programming cable plugged in?",
    "%1 不存在（%2）。请检查写频线是否已插好。"};
inline constexpr TextPair kPortBusy{"%1 is in use: %2.", "%1 正被占用：%2。"};
inline constexpr TextPair kPortNoPermission{
    "No permission to use %1 (%2). Serial ports belong to the dialout group: run "
    "sudo usermod -aG dialout $USER, then log in again.",
    "没有使用 %1 的权限（%2）。串口属于 dialout 组：请执行 sudo usermod -aG dialout $USER，"
    "然后重新登录。"};
inline constexpr TextPair kPortOtherFailure{"%1: %2", "%1：%2"};
// The port's own reasons, said as %2 above; the system's are its own words.
inline constexpr TextPair kPortReasonMissing{"no such device", "没有这个设备"};
inline constexpr TextPair kPortReasonNotSerial{"not a serial port", "不是串口"};
inline constexpr TextPair kPortReasonHeldExclusively{"held exclusively by another program",
                                                     "被另一个程序独占"};
inline constexpr TextPair kPortReasonHeld{"held by another program", "被另一个程序占用"};

// Read/write transfer. The two status texts exist in English only.
inline constexpr std::string_view kStatusDetecting =
    "Now are detecting Communication Port,Please wait...";
inline constexpr std::string_view kStatusWaiting =
    KX9_UI("kx9", "Waiting the response from radio....");
inline constexpr TextPair kRadioTypeMismatch{
    " Radio Type are not match for your setting，If you want continue,push ok button",
    " 对讲机的类型与你所设置的不一样，若要覆盖请按确定按钮"};
inline constexpr TextPair kSendOrderError{" Error in the Send Order", " 发送数据错误"};
inline constexpr TextPair kNotEnoughBytes{"not received enough  byte", "未收到足够字节"};
inline constexpr TextPair kReadBlockError{"Error had happen,please try again",
                                          "接收出错中断，请重试"};
inline constexpr TextPair kCommunicationError{
    "Communication Error，Please check all the connections and the radio power",
    "通讯错误，请检查连接线是否接触良好或对讲机电源是否开启"};
inline constexpr TextPair kProgramInterrupt{
    " Program Interrupt，Please reset the radio and try again", " 接收出错中断，请重试"};
inline constexpr TextPair kInterrupted{"Communication had been interrupted,please try again",
                                       "通讯已被中断,请重新开始"};
// The status bar after such an interruption: %1 blocks done of %2; a write
// adds kInterruptedPartialWrite.
inline constexpr TextPair kInterruptedFocusLost{
    "interrupted: the progress window lost the focus at block %1 of %2",
    "已中断：进度窗口在第 %1 块（共 %2 块）时失去了焦点"};
inline constexpr TextPair kInterruptedMoved{
    "interrupted: the progress window was moved at block %1 of %2",
    "已中断：进度窗口在第 %1 块（共 %2 块）时被移动"};
inline constexpr TextPair kInterruptedPartialWrite{
    "; the radio may hold a partial write: write it again",
    "；对讲机中可能只写入了部分数据：请重新写入"};
// The read back that verifies a write: the caption, and the status with %1
// the percentage read.
inline constexpr TextPair kVerifyingCaption{"Verifying", "正在校验"};
inline constexpr TextPair kVerifyingStatus{"Verifying %1%", "正在校验 %1%"};

// Progress dialog: captions and controls exist in English only.
inline constexpr std::string_view kReadingCaption = KX9_UI("kx9", "Reading Data Progress");
inline constexpr std::string_view kWritingCaption = KX9_UI("kx9", "Writing Data Progress");
inline constexpr std::string_view kStart = KX9_UI("kx9", "Start");
inline constexpr std::string_view kCancel = KX9_UI("kx9", "Cancel");
inline constexpr std::string_view kProgressLabel = KX9_UI("kx9", "Progress：");
inline constexpr std::string_view kNotStartYet = KX9_UI("kx9", "   Not start yet");
// The OK button of several dialogs.
inline constexpr std::string_view kOk = KX9_UI("kx9", "OK");

// Cell editing.
inline constexpr TextPair kErrorDataFormat{"Error Data Format，Please input again",
                                           "输入数据错误，请按正确的格式及大小重新输入"};
inline constexpr TextPair kErrorDataValue{
    "Error data Value，Please input according the step value(6.25K/5k/2.5k)",
    "输入数据错误，请按6.25K/5k/2.5k的倍数重新输入"};
// The Enter-key commit shows the step message with a capital K at the end.
inline constexpr TextPair kErrorDataValueEnter{
    "Error data Value，Please input according the step value(6.25K/5k/2.5k)",
    "输入数据错误，请按6.25K/5k/2.5K的倍数重新输入"};
inline constexpr TextPair kPleaseInputNumber{"Please input Number", "请输入数字"};
inline constexpr TextPair kEditCommand{"Please directly double click inside the table",
                                       "请直接在右边的表格双击"};

// Status-bar hints.
inline constexpr TextPair kHintList{
    "Please click the CommBox to choose value，For help，please press F1",
    "请点击组合框右边的箭头按钮以进行选择"};
inline constexpr TextPair kHintGrid{
    "Please Click the cell to edit or input data，For help，please press F1",
    "请单击格子进入编辑状态或直接输入数字,如需帮助，请按F1键"};
inline constexpr TextPair kHintOther{"For help，please press F1", "如需帮助，请按F1键"};
inline constexpr std::string_view kIdlePrompt = KX9_UI("kx9", "For Help，Please Press F1");

// A type change that would replace channels of the user's.
inline constexpr TextPair kTypeChangeQuestion{
    "Changing the radio type replaces every channel with the new type's defaults. Continue?",
    "更改机型会用新机型的默认频道替换全部频道，是否继续？"};
// The status bar after a transfer; %1 is a count of bytes, %2 the device.
inline constexpr TextPair kReadComplete{"Read complete: %1 bytes from %2",
                                        "读取完成：从 %2 读取了 %1 字节"};
inline constexpr TextPair kWriteComplete{"Write complete: %1 bytes to %2",
                                         "写入完成：向 %2 写入了 %1 字节"};

// Paste into the grid and the channel moves of the Edit menu.
inline constexpr TextPair kPasteRefused{"These cells were not pasted and keep their value:",
                                        "以下单元格未粘贴，保留原值："};
inline constexpr TextPair kPasteNotATone{"%1 is not a tone of the tone list",
                                         "%1 不是信令列表中的信令"};
inline constexpr TextPair kPasteNotAnItem{"%1 is none of %2", "%1 不是 %2 之一"};
inline constexpr TextPair kPasteNoFrequency{"the channel has no frequency", "该频道没有频率"};
inline constexpr TextPair kPastePastType{
    "%1 lines past channel %2, the last of this radio type, were not pasted.",
    "超出本机型最后一个频道 %2 的 %1 行未粘贴。"};
inline constexpr TextPair kPasteChanged{"These cells were pasted with a change:",
                                        "以下单元格已粘贴，但有改动："};
inline constexpr TextPair kPasteNameFitted{"name \"%1\" stored as \"%2\"",
                                           "名称 \"%1\" 存为 \"%2\""};
// A frequency accepted outside the radio's band (typed, pasted or imported);
// %1 is the value as stored.
inline constexpr TextPair kOutsideBand{
    "%1 MHz is outside the radio's band of 400-470 MHz; it was stored all the same",
    "%1 MHz 超出对讲机的 400-470 MHz 频段，仍已存入"};
inline constexpr TextPair kInsertNoRoom{
    "The last channel of this radio type is in use: an inserted channel would push it out. "
    "Delete or move a channel first.",
    "本机型的最后一个频道正在使用，插入频道会将其挤出。请先删除或移动一个频道。"};
// The status bar after an import or export; %1 a count, %2 a file.
inline constexpr TextPair kExported{"Exported %1 channels to %2", "已将 %1 个频道导出到 %2"};
inline constexpr TextPair kImported{"Imported %1 channels from %2", "已从 %2 导入 %1 个频道"};

// Unsaved changes (asked before New, Open, a dropped file and Exit, and
// before a read replaces the channels).
inline constexpr TextPair kSaveChanges{"The channel data has been changed. Save it first?",
                                       "频道数据已修改，是否先保存？"};

// Pick lists of the channel editor, in list order (the tone list holds the
// ToneTable names in both languages).
inline constexpr TextPair kBandwidthItems[2] = {kWide, kNarrow};
inline constexpr TextPair kScanItems[2] = {kYes, kNo};
inline constexpr TextPair kPowerItems[2] = {kLow, kHigh};
inline constexpr TextPair kBusyLockItems[3] = {kClose, kCarrier, kQtDqt};

// The channel files in the file dialogs.
inline constexpr std::string_view kFileFilterName = KX9_UI("kx9", "Channel Data (*.sin)");

// Channel file errors; %1 is the file name, %2 the system's reason or a count.
inline constexpr TextPair kCannotOpenFile{"cannot open %1: %2", "无法打开 %1：%2"};
inline constexpr TextPair kNotChannelFile{
    "%1 is not a channel file: it holds %2 bytes, a channel file exactly 4096",
    "%1 不是频道文件：它有 %2 字节，频道文件应正好为 4096 字节"};
// The size of a file too long to count; %1 is 4096.
inline constexpr TextPair kMoreThan{"more than %1", "超过 %1"};
inline constexpr TextPair kCannotWriteFile{"cannot write %1: %2", "无法写入 %1：%2"};

} // namespace text
} // namespace kx9
