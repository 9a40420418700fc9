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
// and the few that exist in English only (en == zh).
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

// Read/write transfer. The two status texts exist in English only.
inline constexpr std::string_view kStatusDetecting =
    "Now are detecting Communication Port,Please wait...";
inline constexpr std::string_view kStatusWaiting = "Waiting the response from radio....";
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

// Progress dialog: captions and controls exist in English only.
inline constexpr std::string_view kReadingCaption = "Reading Data Progress";
inline constexpr std::string_view kWritingCaption = "Writing Data Progress";
inline constexpr std::string_view kStart = KX9_UI("kx9", "Start");
inline constexpr std::string_view kCancel = KX9_UI("kx9", "Cancel");
inline constexpr std::string_view kProgressLabel = KX9_UI("kx9", "Progress：");
inline constexpr std::string_view kNotStartYet = KX9_UI("kx9", "   Not start yet");

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

// Optional Features dialog: its labels and list items exist in English only
// (the Chinese dialog comes from the translation files).
inline constexpr std::string_view kOptionalFeaturesTitle = KX9_UI("kx9", "Optional Features");
inline constexpr std::string_view kOptionalFeaturesPrompt =
    KX9_UI("kx9", "Set the rest  functional features for the interphone");
inline constexpr std::string_view kOk = KX9_UI("kx9", "OK");
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

// Language switch. The relabelled view uses capitals the first display
// does not ("TYPE", "TX Power Rank").
inline constexpr TextPair kConfirmChangeLanguage{"Confirm change language", " 请确认是否修改语言"};
inline constexpr std::string_view kLoadDllFailed = "Load Dll Resources fail";
inline constexpr TextPair kTypeLabelSwitched{"TYPE", "机型"};
inline constexpr TextPair kTxPowerRankLabelSwitched{"TX Power Rank", "发射功率等级"};
// Settings handed to the settings store by the switch.
inline constexpr std::string_view kSettingsSection = "MAIN";
inline constexpr std::string_view kSettingsLanguage = "LANGUAGE";
inline constexpr std::string_view kSettingsLanguageForce = "LANGUAGE_FORCE";

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
inline constexpr std::string_view kHighPowerDebug = KX9_UI("kx9", "High Power Debug");
inline constexpr std::string_view kLowPowerDebug = KX9_UI("kx9", "Low Power Debug");
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

// Application shell: menus, prompts and names exist in English only (the
// Chinese menu comes from the translation files).
inline constexpr std::string_view kFileMenu = KX9_UI("kx9", "&File");
inline constexpr std::string_view kNewItem = KX9_UI("kx9", "&New");
inline constexpr std::string_view kOpenItem = KX9_UI("kx9", "&Open...");
inline constexpr std::string_view kSaveItem = KX9_UI("kx9", "&Save");
inline constexpr std::string_view kSaveAsItem = KX9_UI("kx9", "Save &As...");
inline constexpr std::string_view kPrintItem = KX9_UI("kx9", "&Print...");
inline constexpr std::string_view kPrintPreviewItem = KX9_UI("kx9", "Print Pre&view");
inline constexpr std::string_view kPrintSetupItem = KX9_UI("kx9", "P&rint Setup...");
inline constexpr std::string_view kExitItem = KX9_UI("kx9", "E&xit");
inline constexpr std::string_view kProgramMenu = KX9_UI("kx9", "&Program");
inline constexpr std::string_view kReadItem = KX9_UI("kx9", "&Read From Radio");
inline constexpr std::string_view kWriteItem = KX9_UI("kx9", "&Write To Radio");
inline constexpr std::string_view kOptionalFeaturesItem = KX9_UI("kx9", "&Optional Features");
inline constexpr std::string_view kEditMenu = KX9_UI("kx9", "&Edit");
inline constexpr std::string_view kUndoItem = KX9_UI("kx9", "&Undo");
inline constexpr std::string_view kRedoItem = KX9_UI("kx9", "&Redo");
inline constexpr std::string_view kCutItem = KX9_UI("kx9", "Cu&t");
inline constexpr std::string_view kCopyItem = KX9_UI("kx9", "&Copy");
inline constexpr std::string_view kPasteItem = KX9_UI("kx9", "&Paste");
inline constexpr std::string_view kDeleteItem = KX9_UI("kx9", "&Delete");
inline constexpr std::string_view kSelectAllItem = KX9_UI("kx9", "Select &All");
inline constexpr std::string_view kInsertChannelItem = KX9_UI("kx9", "&Insert Empty Channel");
inline constexpr std::string_view kDeleteChannelItem = KX9_UI("kx9", "Delete C&hannel");
inline constexpr std::string_view kMoveUpItem = KX9_UI("kx9", "Move &Up");
inline constexpr std::string_view kMoveDownItem = KX9_UI("kx9", "Move Do&wn");
inline constexpr std::string_view kImportItem = KX9_UI("kx9", "&Import...");
inline constexpr std::string_view kExportItem = KX9_UI("kx9", "&Export...");
inline constexpr std::string_view kCutPrompt =
    KX9_UI("kx9", "Copy the selected cells and empty their channels\nCut");
inline constexpr std::string_view kCopyPrompt = KX9_UI("kx9", "Copy the selected cells\nCopy");
inline constexpr std::string_view kPastePrompt =
    KX9_UI("kx9", "Paste cells from the clipboard at the current cell\nPaste");
inline constexpr std::string_view kDeletePrompt =
    KX9_UI("kx9", "Empty the channels of the selected cells\nDelete");
inline constexpr std::string_view kSelectAllPrompt =
    KX9_UI("kx9", "Select every cell of the grid\nSelect All");
inline constexpr std::string_view kInsertChannelPrompt = KX9_UI(
    "kx9",
    "Insert empty channels above the selected ones; later channels move down\nInsert Channel");
inline constexpr std::string_view kDeleteChannelPrompt =
    KX9_UI("kx9", "Delete the selected channels; later channels move up\nDelete Channel");
inline constexpr std::string_view kMoveUpPrompt =
    KX9_UI("kx9", "Move the selected channels up one\nMove Up");
inline constexpr std::string_view kMoveDownPrompt =
    KX9_UI("kx9", "Move the selected channels down one\nMove Down");
inline constexpr std::string_view kImportPrompt =
    KX9_UI("kx9", "Read channels from a CSV channel list\nImport");
inline constexpr std::string_view kExportPrompt =
    KX9_UI("kx9", "Write the channels to a CSV channel list\nExport");
// The import dialog.
inline constexpr std::string_view kImportCaption = KX9_UI("kx9", "Import Channel List");
inline constexpr std::string_view kImportFrom = KX9_UI("kx9", "Channels from:");
inline constexpr std::string_view kReplaceAllChannels = KX9_UI("kx9", "Replace all channels");
inline constexpr std::string_view kReplaceAllHint =
    KX9_UI("kx9", "Channels the list does not name are emptied; otherwise they are kept.");
inline constexpr std::string_view kCsvFilterName = KX9_UI("kx9", "Channel List (*.csv)");
inline constexpr std::string_view kUndoPrompt = KX9_UI("kx9", "Undo the last action\nUndo");
inline constexpr std::string_view kRedoPrompt =
    KX9_UI("kx9", "Redo the previously undone action\nRedo");
inline constexpr std::string_view kPortMenu = KX9_UI("kx9", "P&ort");
inline constexpr std::string_view kPortItems[4] = {
    KX9_UI("kx9", "COM1(&P)"), KX9_UI("kx9", "COM2(&Q)"), KX9_UI("kx9", "COM3(&S)"),
    KX9_UI("kx9", "COM4(&T)")};
inline constexpr std::string_view kPortShortcuts[4] = {"Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F"};
inline constexpr std::string_view kViewMenu = KX9_UI("kx9", "&View");
inline constexpr std::string_view kToolbarItem = KX9_UI("kx9", "&Toolbar");
inline constexpr std::string_view kStatusBarItem = KX9_UI("kx9", "&Status Bar");
inline constexpr std::string_view kHelpMenu = KX9_UI("kx9", "&Help");
inline constexpr std::string_view kHelpTopicsItem = KX9_UI("kx9", "&Help Topics");
inline constexpr std::string_view kAboutItem = KX9_UI("kx9", "&About KX9...");
inline constexpr std::string_view kReadPrompt = KX9_UI("kx9", "Read Data From Radio\nRead");
inline constexpr std::string_view kPortPrompts[4] = {
    KX9_UI("kx9", "Choose Communication Port one \nCom1"),
    KX9_UI("kx9", "Choose Communication Port two \nCom2"),
    KX9_UI("kx9", "Choose Communication Port three \nCom3"),
    KX9_UI("kx9", "Choose Communication Port four \nCom4")};
inline constexpr std::string_view kHelpTopicsPrompt =
    KX9_UI("kx9", "List Help topics\nHelp Topics");
inline constexpr std::string_view kContextHelpPrompt =
    KX9_UI("kx9", "Display help for clicked on buttons, menus and windows\nHelp");
inline constexpr std::string_view kEditPrompt = KX9_UI("kx9", "Edit channel Data \nEdit");
inline constexpr std::string_view kWritePrompt = KX9_UI("kx9", "Write Data to Radio \nWrite");
// The usual prompts of the standard commands: first line for the status bar,
// second for the tooltip.
inline constexpr std::string_view kNewPrompt = KX9_UI("kx9", "Create a new document\nNew");
inline constexpr std::string_view kOpenPrompt = KX9_UI("kx9", "Open an existing document\nOpen");
inline constexpr std::string_view kSavePrompt = KX9_UI("kx9", "Save the active document\nSave");
inline constexpr std::string_view kSaveAsPrompt =
    KX9_UI("kx9", "Save the active document with a new name\nSave As");
inline constexpr std::string_view kPrintPrompt = KX9_UI("kx9", "Print the active document\nPrint");
inline constexpr std::string_view kPrintPreviewPrompt =
    KX9_UI("kx9", "Display full pages\nPrint Preview");
inline constexpr std::string_view kPrintSetupPrompt =
    KX9_UI("kx9", "Change the printer and printing options\nPrint Setup");
inline constexpr std::string_view kExitPrompt =
    KX9_UI("kx9", "Quit the application; prompts to save documents\nExit");
inline constexpr std::string_view kToolbarPrompt =
    KX9_UI("kx9", "Show or hide the toolbar\nToggle ToolBar");
inline constexpr std::string_view kStatusBarPrompt =
    KX9_UI("kx9", "Show or hide the status bar\nToggle StatusBar");
inline constexpr std::string_view kAboutPrompt =
    KX9_UI("kx9", "Display program information, version number and copyright\nAbout");
inline constexpr std::string_view kHelpPrompt = KX9_UI("kx9", "Display help\nHelp");
// Our own additions to the Port menu: the system's serial ports and any path.
inline constexpr std::string_view kSystemPortPrompt = KX9_UI("kx9", "Use the serial port ");
inline constexpr std::string_view kOtherPortItem = KX9_UI("kx9", "Other...");
inline constexpr std::string_view kOtherPortPrompt =
    KX9_UI("kx9", "Use a serial device by its path");
// After COM1-COM4 in the Port menu: whether their device is there.
inline constexpr std::string_view kPortNotConnected = KX9_UI("kx9", "not connected");
// The status bar's keyboard indicators.
inline constexpr std::string_view kIndicatorCaps = "CAP";
inline constexpr std::string_view kIndicatorNum = "NUM";
inline constexpr std::string_view kIndicatorScroll = "SCRL";
// The channel files in the file dialogs.
inline constexpr std::string_view kFileFilterName = KX9_UI("kx9", "Channel Data (*.sin)");

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

// Channel file errors; %1 is the file name, %2 the system's reason or a count.
inline constexpr TextPair kCannotOpenFile{"cannot open %1: %2", "无法打开 %1：%2"};
inline constexpr TextPair kFileTooShort{"%1 is too short: %2 bytes, a channel file holds 4096",
                                        "%1 太短：只有 %2 字节，频道文件应为 4096 字节"};
inline constexpr TextPair kCannotWriteFile{"cannot write %1: %2", "无法写入 %1：%2"};

} // namespace text
} // namespace kx9
