#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the automatic backups of what a radio held, and of the check
// that reads a write back.
namespace kx9::text {

// %1 is the backups folder, %2 the system's reason.
inline constexpr TextPair kBackupNotKept{
    "The radio's data was read, but no backup of it could be kept in %1: %2",
    "已读取对讲机数据，但无法在 %1 中保存备份：%2"};
// %1 is the backup file.
inline constexpr TextPair kBackupKept{"A backup of the radio was kept: %1", "已保存对讲机备份：%1"};
inline constexpr TextPair kBackupUnchanged{
    "The radio holds what its newest backup holds; no new backup was needed.",
    "对讲机数据与最新备份相同，无需新备份。"};
// Why a folder is not used for backups, as %2 of kBackupNotKept and
// kBackupFolderRefused: another user could delete the backups or plant one.
inline constexpr TextPair kFolderIsLink{"it is a symbolic link", "它是符号链接"};
inline constexpr TextPair kFolderNotAFolder{"it is not a folder", "它不是文件夹"};
inline constexpr TextPair kFolderNotYours{"it belongs to another user", "它属于其他用户"};
inline constexpr TextPair kFolderWritable{"other users can write to it", "其他用户可以写入它"};
// %1 is the folder, %2 one of the reasons above.
inline constexpr TextPair kBackupFolderRefused{
    "The backups in %1 are not used: %2. Make it a folder of your own that only you can write "
    "(chmod 700).",
    "不使用 %1 中的备份：%2。请使用只有您自己可以写入的文件夹（chmod 700）。"};
// Said once when the clock reads earlier than the newest backup's name.
inline constexpr TextPair kBackupClockBehind{
    "The clock is behind the newest backup; nothing pruned.",
    "时钟早于最新备份的时间；未删除任何旧备份。"};
// A write that was to keep a backup first, and could not.
inline constexpr TextPair kNothingWrittenNoBackup{
    "Nothing was written: the radio's data could not be kept first. %1",
    "未写入任何数据：未能先保存对讲机中的数据。%1"};
inline constexpr TextPair kNothingWrittenReadFailed{
    "Nothing was written: the radio could not be read first.",
    "未写入任何数据：未能先读取对讲机。"};
// %1 is the count of differing bytes, %2 the first of their addresses.
inline constexpr TextPair kVerifyFailed{
    "Verify after writing failed: the radio holds other values than were written in %1 of "
    "the written bytes, at %2. Write the radio again.",
    "写入后校验失败：对讲机中有 %1 个字节与写入的数据不同，位于 %2。请重新写入对讲机。"};
inline constexpr TextPair kVerifyReadFailed{
    "The radio was written, but it could not be read back to verify the write.",
    "已写入对讲机，但无法读回以校验写入。"};
// The radio identity question answered Cancel.
inline constexpr TextPair kNothingWrittenIdentity{
    "Nothing was written: the radio keeps its data and its identity.",
    "未写入任何数据：对讲机保留原有数据和型号标识。"};
// %1 is the device.
inline constexpr TextPair kRestoreComplete{
    "Restore complete: the radio on %1 was sent the backup's bytes 0x000-0xFEF as they are.",
    "恢复完成：已将备份的 0x000-0xFEF 字节原样写入 %1 上的对讲机。"};
inline constexpr TextPair kVerifyPassed{"Verified: the radio holds what was written.",
                                        "校验通过：对讲机中的数据与写入的一致。"};

// Menu and dialog texts, shown through ui() (the Chinese is in the pack).
inline constexpr std::string_view kBackupsItem = KX9_UI("kx9", "&Backups...");
inline constexpr std::string_view kBackupsPrompt =
    KX9_UI("kx9", "List the copies kept of every radio read, and open one\nBackups");
inline constexpr std::string_view kBackupsCaption = KX9_UI("kx9", "Backups");
inline constexpr std::string_view kBackupsColumns[5] = {
    KX9_UI("kx9", "Date and time"), KX9_UI("kx9", "Port"), KX9_UI("kx9", "Radio type"),
    KX9_UI("kx9", "Channels in use"), KX9_UI("kx9", "Compared with the window")};
inline constexpr std::string_view kBackupDiffers = KX9_UI("kx9", "Differs");
inline constexpr std::string_view kBackupSame = KX9_UI("kx9", "Same");
inline constexpr std::string_view kBackupUnreadable = KX9_UI("kx9", "Not a channel file");
inline constexpr std::string_view kBackupsOpen = KX9_UI("kx9", "&Open");
inline constexpr std::string_view kBackupsRestore = KX9_UI("kx9", "&Restore To Radio...");
inline constexpr std::string_view kBackupsHow = KX9_UI(
    "kx9", "Open makes a new document of the backup: its Write converts the channel table as "
           "every Write does, so an empty channel goes to the radio in its fixed form. Restore "
           "To Radio sends the backup's bytes 0x000-0xFEF exactly as they are.");
// The progress window of a restore; %1 is the backup's date and time.
inline constexpr std::string_view kRestoreCaption = KX9_UI("kx9", "Restore the backup of %1");
inline constexpr std::string_view kBackupsShowFolder = KX9_UI("kx9", "Show &Folder");
inline constexpr std::string_view kBackupsClose = KX9_UI("kx9", "Close");
// %1 is the backups folder.
inline constexpr std::string_view kBackupsFolder = KX9_UI("kx9", "Folder: %1");
inline constexpr std::string_view kBackupsNone =
    KX9_UI("kx9", "No backups yet: every read from a radio keeps one here.");
inline constexpr std::string_view kBackupsFolderFailed =
    KX9_UI("kx9", "The backups folder could not be opened: %1");
// The window title of a backup opened as a new document; %1 is its date and time.
inline constexpr std::string_view kBackupTitle = KX9_UI("kx9", "Backup of %1");
// The window's settings, and the two choices of a write.
inline constexpr std::string_view kKeepBackupsItem = KX9_UI("kx9", "&Keep a Backup of Every Read");
inline constexpr std::string_view kKeepBackupsPrompt = KX9_UI(
    "kx9", "Keep a copy of the radio's data from every read in the backups folder\nKeep backups");
inline constexpr std::string_view kBackupFirstBox =
    KX9_UI("kx9", "&Read the radio first and keep a copy");
inline constexpr std::string_view kVerifyBox = KX9_UI("kx9", "&Verify after writing");
inline constexpr std::string_view kSecondSessionTip = KX9_UI(
    "kx9", "Needs a second session with the radio after the first one ends; some radios must be "
           "switched off and on between sessions.");

} // namespace kx9::text
