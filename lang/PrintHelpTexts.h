#pragma once

#include "Texts.h"

#include <string_view>

// Texts of the report's preview and of kx9-cli report, the help window and
// the About box. The report's own page texts are in Texts.h.
namespace kx9::text {

// About box, in the language in force when it opens.
inline constexpr TextPair kAboutBoxCaption{"About KX9", "关于 KX9"};
inline constexpr TextPair kAboutProduct{"KX9 Version 4.0", "KX9 版本 4.0"};
// The radio maker's line above names another version; %1 is this program's.
inline constexpr TextPair kAboutProgramVersion{"Program version %1, License GPLv3+",
                                               "程序版本 %1，许可证 GPLv3+"};
inline constexpr TextPair kAboutNotice{"Programming software for UHF handheld radios.\n"
                                       "Free and open-source software.\n"
                                       "Reads, edits and writes the radio's channels:",
                                       "UHF 手持对讲机编程软件。\n"
                                       "自由开源软件。\n"
                                       "读取、编辑并写入对讲机的频道："};
// One line per radio type below the notice: %1 the type, %2 its channels.
inline constexpr TextPair kAboutTypeChannels{"%1: %2 channels", "%1：%2 个频道"};
inline constexpr TextPair kAboutOk{"OK", "确定"};

// Help window.
inline constexpr TextPair kHelpWindowTitle{"KX9 Help", "KX9 帮助"};
// In its place when no folder holds the manual: the file, the folders.
inline constexpr TextPair kManualMissing{
    "The manual is missing: none of these folders holds %1: %2",
    "找不到使用手册：以下文件夹中都没有 %1：%2"};

// Title in the PDF's document information.
inline constexpr TextPair kReportDocumentTitle{"KX9 Channel Report", "KX9 频道报告"};

// Print failure (a printer that will not start, an output file that
// cannot be created).
inline constexpr TextPair kPrintFailed{
    "The report could not be printed: the printer or its output file could not be opened.",
    "无法打印报告：打印机或输出文件无法打开。"};

// Print preview: English here, other languages from the language pack.
inline constexpr std::string_view kPreviewCaption = KX9_UI("kx9", "Print Preview");
inline constexpr std::string_view kPreviewPrint = KX9_UI("kx9", "&Print...");
inline constexpr std::string_view kPreviewNextPage = KX9_UI("kx9", "&Next Page");
inline constexpr std::string_view kPreviewPrevPage = KX9_UI("kx9", "Pre&v Page");
inline constexpr std::string_view kPreviewOnePage = KX9_UI("kx9", "&One Page");
inline constexpr std::string_view kPreviewTwoPage = KX9_UI("kx9", "&Two Page");
inline constexpr std::string_view kPreviewZoomIn = KX9_UI("kx9", "Zoom &In");
// Not &Out: One Page, which the same button row shows, has O.
inline constexpr std::string_view kPreviewZoomOut = KX9_UI("kx9", "Zoom O&ut");
inline constexpr std::string_view kPreviewClose = KX9_UI("kx9", "&Close");
// The status line of the preview: one page, or the first and last shown.
inline constexpr std::string_view kPreviewPage = KX9_UI("kx9", "Page %1");
inline constexpr std::string_view kPreviewPages = KX9_UI("kx9", "Pages %1-%2");

} // namespace kx9::text
