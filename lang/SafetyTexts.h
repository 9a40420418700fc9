#pragma once

#include "Texts.h"

// Texts of saving files that must not be turned against the user, and of a
// write to the radio that ended half-way.
namespace kx9::text {

// Why a save refused its target (the %2 of kCannotWriteFile).
inline constexpr TextPair kTargetIsFolder{"it is a folder, not a regular file",
                                          "它是文件夹，不是普通文件"};
inline constexpr TextPair kTargetIsDevice{"it is a device, not a regular file",
                                          "它是设备，不是普通文件"};
inline constexpr TextPair kTargetIsFifo{"it is a FIFO, not a regular file",
                                        "它是管道，不是普通文件"};
inline constexpr TextPair kTargetIsSocket{"it is a socket, not a regular file",
                                          "它是套接字，不是普通文件"};
inline constexpr TextPair kTargetIsDanglingLink{
    "it is a symbolic link to a file that does not exist", "它是指向不存在的文件的符号链接"};
inline constexpr TextPair kTargetIsPlantedLink{
    "it is a symbolic link that another user made in a folder everyone may write in",
    "它是其他用户在公共可写文件夹中创建的符号链接"};
inline constexpr TextPair kTargetIsPlantedFile{
    "it belongs to another user in a folder everyone may write in",
    "它是公共可写文件夹中属于其他用户的文件"};
inline constexpr TextPair kTargetReplaced{"another file took its place while it was being saved",
                                          "保存期间它被另一个文件替换了"};

// Added to the message of a write that failed or was cancelled after the
// radio had been sent data.
inline constexpr TextPair kPartialWrite{
    "The radio may now hold a partial write: write it again before using the radio.",
    "对讲机中可能只写入了部分数据：请重新写入后再使用对讲机。"};

} // namespace kx9::text
