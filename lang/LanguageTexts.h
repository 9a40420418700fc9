#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the language switch and the dialog texts that had no catalogue
// entry yet. English here; the Chinese comes from the language pack.
namespace kx9::text {

// View menu: the switch. Both language names, so that a user who reads
// only one of them finds the item.
inline constexpr std::string_view kLanguageItem = KX9_UI("kx9", "&Language / 语言");
inline constexpr std::string_view kLanguagePrompt =
    KX9_UI("kx9", "Switch the program between English and Chinese\nLanguage");

// Names of the F1, context-help and Edit commands, which have no menu item:
// they show as tooltips.
inline constexpr std::string_view kHelpName = KX9_UI("kx9", "Help");
inline constexpr std::string_view kEditName = KX9_UI("kx9", "Edit");

// Message box buttons.
inline constexpr std::string_view kYesButton = KX9_UI("kx9", "&Yes");
inline constexpr std::string_view kNoButton = KX9_UI("kx9", "&No");
inline constexpr std::string_view kRetryButton = KX9_UI("kx9", "&Retry");
inline constexpr std::string_view kSaveButton = KX9_UI("kx9", "&Save");
inline constexpr std::string_view kDiscardButton = KX9_UI("kx9", "&Discard");

// File dialogs and the device path question of Port > Other.
inline constexpr std::string_view kAllFilesFilter = KX9_UI("kx9", "All Files (*)");
inline constexpr std::string_view kDevicePathTitle = KX9_UI("kx9", "Serial Port");
inline constexpr std::string_view kDevicePathLabel =
    KX9_UI("kx9", "Device path of the programming cable:");

// Start-up, on standard error, when the language chosen last cannot be
// loaded: %1 is the pack's file name.
inline constexpr std::string_view kStartPackMissing =
    "kx9: Load Dll Resources fail (%1); starting in English";

// Language switch.
inline constexpr TextPair kConfirmChangeLanguage{"Confirm change language", " 请确认是否修改语言"};
inline constexpr std::string_view kLoadDllFailed = "Load Dll Resources fail";
// Settings handed to the settings store by the switch.
inline constexpr std::string_view kSettingsSection = "MAIN";
inline constexpr std::string_view kSettingsLanguage = "LANGUAGE";
inline constexpr std::string_view kSettingsLanguageForce = "LANGUAGE_FORCE";
// A choice (the language, a check box) that the settings file could not
// take: %1 is the file.
inline constexpr TextPair kSettingNotKept{
    "This choice holds only until KX9 closes: the settings file %1 cannot be written.",
    "此选择仅在 KX9 关闭前有效：无法写入设置文件 %1。"};

} // namespace kx9::text
