#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the main window: menus, status prompts, the import dialog and
// the Port menu.
namespace kx9::text {

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
inline constexpr std::string_view kMoveUpItem = KX9_UI("kx9", "&Move Up");
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
// What a screen reader says as a menu opens: "File menu".
inline constexpr std::string_view kMenuOpened = KX9_UI("kx9", "%1 menu");
inline constexpr std::string_view kToolbarItem = KX9_UI("kx9", "&Toolbar");
// The toolbar's own name, which a screen reader speaks.
inline constexpr std::string_view kToolbarName = KX9_UI("kx9", "Standard");
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
inline constexpr std::string_view kOtherPortItem = KX9_UI("kx9", "&Other...");
inline constexpr std::string_view kOtherPortPrompt =
    KX9_UI("kx9", "Use a serial device by its path");
// After COM1-COM4 in the Port menu: whether their device is there.
inline constexpr std::string_view kPortNotConnected = KX9_UI("kx9", "not connected");
// The status bar's keyboard indicators: the same in every language, so not
// marked for translation.
inline constexpr std::string_view kIndicatorCaps = "CAP";
inline constexpr std::string_view kIndicatorNum = "NUM";
inline constexpr std::string_view kIndicatorScroll = "SCRL";

} // namespace kx9::text
