#pragma once

namespace kx9::command {

// Command ids of the menu, toolbar and accelerators. They key the status-bar
// prompts, and tests find the actions by them.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpIndex = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

inline constexpr int kReadFromRadio = 32771;
inline constexpr int kWriteToRadio = 32772;
inline constexpr int kPortCom1 = 32773;
inline constexpr int kPortCom2 = 32775;
inline constexpr int kPortCom3 = 32776;
inline constexpr int kPortCom4 = 32777;
inline constexpr int kDebugMode = 32778;
inline constexpr int kEditChannel = 32780;
inline constexpr int kOptionalFeatures = 32784;
inline constexpr int kLanguageSwitch = 32785;
inline constexpr int kHighPowerDebug = 32786;
inline constexpr int kLowPowerDebug = 32787;

// Our own: the system's other serial ports and a device path of the user's;
// Undo and Redo (the standard command ids).
inline constexpr int kPortOther = 32900;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kEditClear = 57632;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditSelectAll = 57642;
// Our own: channel moves and channel lists.
inline constexpr int kInsertChannel = 32910;
inline constexpr int kDeleteChannel = 32911;
inline constexpr int kMoveUp = 32912;
inline constexpr int kMoveDown = 32913;
inline constexpr int kFileImport = 32914;
inline constexpr int kFileExport = 32915;
// Our own: the backups of every read.
inline constexpr int kFileBackups = 32916;
inline constexpr int kKeepBackups = 32917;
inline constexpr int kWriteToSeveral = 32920;

} // namespace kx9::command
