#pragma once

#include "Language.h"

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

inline constexpr std::string_view kAppTitle = "VANTARO Programing Software";

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
inline constexpr std::string_view kStart = "Start";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kProgressLabel = "Progress：";
inline constexpr std::string_view kNotStartYet = "   Not start yet";

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
inline constexpr std::string_view kIdlePrompt = "For Help，Please Press F1";

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
inline constexpr std::string_view kOptionalFeaturesTitle = "Optional Features";
inline constexpr std::string_view kOptionalFeaturesPrompt =
    "Set the rest  functional features for the interphone";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kFunctionSet = "Function Set";
inline constexpr std::string_view kTimeOutTimerLabel = "Time Out Timer";
inline constexpr std::string_view kSquelchLevelLabel = "Squelch Level";
inline constexpr std::string_view kVoxGainLevelLabel = "Vox Gain Level";
inline constexpr std::string_view kLanguageChooseLabel = "Language Choose";
inline constexpr std::string_view kPriorityChannelLabel = "Priority Channel";
inline constexpr std::string_view kStepLabel = "Step";
inline constexpr std::string_view kPttIdLabel = "PTT ID";
inline constexpr std::string_view kBandwidthMenuLabel = "BandWidth Menu";
inline constexpr std::string_view kFrequencyDifferMenuLabel = "Frequency Differ Menu";
inline constexpr std::string_view kDifferDirectionMenuLabel = "Differ Direction Menu";
inline constexpr std::string_view kFrequencyModeBandwidthLabel = "Frequency Mode BandWidth";
inline constexpr std::string_view kFrequencyDifferDirectionLabel = "Frequency Differ Direction";
inline constexpr std::string_view kFrequencyDifferLabel = "Frequency Differ";
inline constexpr std::string_view kBeepCheck = "Beep";
inline constexpr std::string_view kScramblerCheck = "Scrambler Activation";
inline constexpr std::string_view kBatterySaveCheck = "Battery Save";
inline constexpr std::string_view kRepeaterMskInvertCheck = "Repeater MSK Invert";
inline constexpr std::string_view kHlPowerLpdCheck = "H/L Power LPD";
inline constexpr std::string_view kEndOfTxPttIdCheck = "End Of Tx PTT ID";
inline constexpr std::string_view kTimeOutOff = "OFF";
inline constexpr std::string_view kSquelchItems[10] = {"0", "1", "2", "3", "4",
                                                       "5", "6", "7", "8", "9"};
inline constexpr std::string_view kVoxGainItems[4] = {"Off", "1", "2", "3"};
inline constexpr std::string_view kLanguageChooseItems[2] = {"English", "Off"};
inline constexpr std::string_view kStepItems[5] = {"5k", "10k", "6.25k", "12.5k", "25k"};
inline constexpr std::string_view kOnOffItems[2] = {"On", "Off"};
inline constexpr std::string_view kModeBandwidthItems[2] = {"Wide", "Narrow"};
inline constexpr std::string_view kDifferDirectionItems[3] = {"Off", "+", "-"};

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
inline constexpr std::string_view kDebugModeCaption = "Debug Mode";
inline constexpr std::string_view kDebugModePrompt =
    "Debug TX Power,Squelch Level,Low Power Alert\nDebug on line";
inline constexpr std::string_view kDebugFrequency = "Debug Frequency";
inline constexpr std::string_view kHighFrequency = "High Frequency";
inline constexpr std::string_view kMiddleFrequency = "Middle Frequency";
inline constexpr std::string_view kLowFrequency = "Low Frequency";
// The group caption of the Low page has a lower-case f.
inline constexpr std::string_view kLowFrequencyCaption = "Low frequency";
inline constexpr std::string_view kDebugItem = "Debug Item";
inline constexpr std::string_view kTxFrequencyItem = "TX Frequency";
inline constexpr std::string_view kLowPowerVoltageItem = "Low Power Voltage";
inline constexpr std::string_view kSquelchLevelItem = "Squelch Level";
inline constexpr std::string_view kTxPowerItem = "TX Power";
inline constexpr std::string_view kExitDebug = "Exit Debug";
inline constexpr std::string_view kChooseFrequencyFirst = "Please Choose Frequency first";
inline constexpr std::string_view kReceiveGroup = "Receive";
inline constexpr std::string_view kTransmitGroup = "Transmit";
inline constexpr std::string_view kFrequencyMhzLabel = "Frequency (MHz)";
inline constexpr std::string_view kToneLabel = "Tone";
inline constexpr std::string_view kToneMethodLabel = "Tone Method";
inline constexpr std::string_view kStepValueLabel = "Step Value";
inline constexpr std::string_view kQt = "QT";
inline constexpr std::string_view kDqt = "DQT";
inline constexpr std::string_view kStep500 = "5.00KHZ";
inline constexpr std::string_view kStep625 = "6.25KHZ";
inline constexpr std::string_view kParameterValue = "Parameter Value";
inline constexpr std::string_view kMin = "Min";
inline constexpr std::string_view kMax = "Max";
inline constexpr std::string_view kCurrentPosition = "Current Position:";
inline constexpr std::string_view kChooseDebugFrequency = "Choose Debug Frequency";
inline constexpr std::string_view kHighMhz = "High(MHz)";
inline constexpr std::string_view kMiddleMhz = "Middle(MHz)";
inline constexpr std::string_view kLowMhz = "Low(MHz)";
inline constexpr std::string_view kDefault = "Default";
inline constexpr TextPair kFinishSuccessfully{"Finish successfully!", "对讲机已收到!"};
inline constexpr TextPair kDebugError{" Error had happen ,need try again", " 错误需延时再试"};
inline constexpr TextPair kNoVisibleInformation{" There are no Visible information",
                                                " 没有可视信息"};

// Power debug dialogs: every text in English only.
inline constexpr std::string_view kHighPowerDebug = "High Power Debug";
inline constexpr std::string_view kLowPowerDebug = "Low Power Debug";
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
inline constexpr std::string_view kFileMenu = "&File";
inline constexpr std::string_view kNewItem = "&New";
inline constexpr std::string_view kOpenItem = "&Open...";
inline constexpr std::string_view kSaveItem = "&Save";
inline constexpr std::string_view kSaveAsItem = "Save &As...";
inline constexpr std::string_view kPrintItem = "&Print...";
inline constexpr std::string_view kPrintPreviewItem = "Print Pre&view";
inline constexpr std::string_view kPrintSetupItem = "P&rint Setup...";
inline constexpr std::string_view kExitItem = "E&xit";
inline constexpr std::string_view kProgramMenu = "&Program";
inline constexpr std::string_view kReadItem = "&Read From Radio";
inline constexpr std::string_view kWriteItem = "&Write To Radio";
inline constexpr std::string_view kOptionalFeaturesItem = "&Optional Features";
inline constexpr std::string_view kEditMenu = "&Edit";
inline constexpr std::string_view kUndoItem = "&Undo";
inline constexpr std::string_view kRedoItem = "&Redo";
inline constexpr std::string_view kCutItem = "Cu&t";
inline constexpr std::string_view kCopyItem = "&Copy";
inline constexpr std::string_view kPasteItem = "&Paste";
inline constexpr std::string_view kDeleteItem = "&Delete";
inline constexpr std::string_view kSelectAllItem = "Select &All";
inline constexpr std::string_view kInsertChannelItem = "&Insert Empty Channel";
inline constexpr std::string_view kDeleteChannelItem = "Delete C&hannel";
inline constexpr std::string_view kMoveUpItem = "Move &Up";
inline constexpr std::string_view kMoveDownItem = "Move Do&wn";
inline constexpr std::string_view kImportItem = "&Import...";
inline constexpr std::string_view kExportItem = "&Export...";
inline constexpr std::string_view kCutPrompt =
    "Copy the selected cells and empty their channels\nCut";
inline constexpr std::string_view kCopyPrompt = "Copy the selected cells\nCopy";
inline constexpr std::string_view kPastePrompt =
    "Paste cells from the clipboard at the current cell\nPaste";
inline constexpr std::string_view kDeletePrompt =
    "Empty the channels of the selected cells\nDelete";
inline constexpr std::string_view kSelectAllPrompt = "Select every cell of the grid\nSelect All";
inline constexpr std::string_view kInsertChannelPrompt =
    "Insert empty channels above the selected ones; later channels move down\nInsert Channel";
inline constexpr std::string_view kDeleteChannelPrompt =
    "Delete the selected channels; later channels move up\nDelete Channel";
inline constexpr std::string_view kMoveUpPrompt = "Move the selected channels up one\nMove Up";
inline constexpr std::string_view kMoveDownPrompt =
    "Move the selected channels down one\nMove Down";
inline constexpr std::string_view kImportPrompt = "Read channels from a CSV channel list\nImport";
inline constexpr std::string_view kExportPrompt =
    "Write the channels to a CSV channel list\nExport";
// The import dialog.
inline constexpr std::string_view kImportCaption = "Import Channel List";
inline constexpr std::string_view kImportFrom = "Channels from:";
inline constexpr std::string_view kReplaceAllChannels = "Replace all channels";
inline constexpr std::string_view kReplaceAllHint =
    "Channels the list does not name are emptied; otherwise they are kept.";
inline constexpr std::string_view kCsvFilterName = "Channel List (*.csv)";
inline constexpr std::string_view kUndoPrompt = "Undo the last action\nUndo";
inline constexpr std::string_view kRedoPrompt = "Redo the previously undone action\nRedo";
inline constexpr std::string_view kPortMenu = "P&ort";
inline constexpr std::string_view kPortItems[4] = {"COM1(&P)", "COM2(&Q)", "COM3(&S)", "COM4(&T)"};
inline constexpr std::string_view kPortShortcuts[4] = {"Ctrl+C", "Ctrl+D", "Ctrl+E", "Ctrl+F"};
inline constexpr std::string_view kViewMenu = "&View";
inline constexpr std::string_view kToolbarItem = "&Toolbar";
inline constexpr std::string_view kStatusBarItem = "&Status Bar";
inline constexpr std::string_view kHelpMenu = "&Help";
inline constexpr std::string_view kHelpTopicsItem = "&Help Topics";
inline constexpr std::string_view kAboutItem = "&About KX9...";
inline constexpr std::string_view kReadPrompt = "Read Data From Radio\nRead";
inline constexpr std::string_view kPortPrompts[4] = {
    "Choose Communication Port one \nCom1", "Choose Communication Port two \nCom2",
    "Choose Communication Port three \nCom3", "Choose Communication Port four \nCom4"};
inline constexpr std::string_view kHelpTopicsPrompt = "List Help topics\nHelp Topics";
inline constexpr std::string_view kContextHelpPrompt =
    "Display help for clicked on buttons, menus and windows\nHelp";
inline constexpr std::string_view kEditPrompt = "Edit channel Data \nEdit";
inline constexpr std::string_view kWritePrompt = "Write Data to Radio \nWrite";
// The usual prompts of the standard commands: first line for the status bar,
// second for the tooltip.
inline constexpr std::string_view kNewPrompt = "Create a new document\nNew";
inline constexpr std::string_view kOpenPrompt = "Open an existing document\nOpen";
inline constexpr std::string_view kSavePrompt = "Save the active document\nSave";
inline constexpr std::string_view kSaveAsPrompt =
    "Save the active document with a new name\nSave As";
inline constexpr std::string_view kPrintPrompt = "Print the active document\nPrint";
inline constexpr std::string_view kPrintPreviewPrompt = "Display full pages\nPrint Preview";
inline constexpr std::string_view kPrintSetupPrompt =
    "Change the printer and printing options\nPrint Setup";
inline constexpr std::string_view kExitPrompt =
    "Quit the application; prompts to save documents\nExit";
inline constexpr std::string_view kToolbarPrompt = "Show or hide the toolbar\nToggle ToolBar";
inline constexpr std::string_view kStatusBarPrompt =
    "Show or hide the status bar\nToggle StatusBar";
inline constexpr std::string_view kAboutPrompt =
    "Display program information, version number and copyright\nAbout";
inline constexpr std::string_view kHelpPrompt = "Display help\nHelp";
// Our own additions to the Port menu: the system's serial ports and any path.
inline constexpr std::string_view kSystemPortPrompt = "Use the serial port ";
inline constexpr std::string_view kOtherPortItem = "Other...";
inline constexpr std::string_view kOtherPortPrompt = "Use a serial device by its path";
// After COM1-COM4 in the Port menu: whether their device is there.
inline constexpr std::string_view kPortNotConnected = "not connected";
// The status bar's keyboard indicators.
inline constexpr std::string_view kIndicatorCaps = "CAP";
inline constexpr std::string_view kIndicatorNum = "NUM";
inline constexpr std::string_view kIndicatorScroll = "SCRL";
// The channel files in the file dialogs.
inline constexpr std::string_view kFileFilterName = "Channel Data (*.sin)";

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
inline constexpr std::string_view kReportOff = "OFF";
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
