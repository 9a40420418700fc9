#pragma once

#include "ChannelTable.h"
#include "Texts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// The rules of the channel editor, as functions over the channel table. The
// grid widget asks them what to write and which message to show, then does it.

// Which path finishes an edit: leaving the cell, or pressing Enter in the
// editor. They differ in small ways the radio's users are used to.
enum class CommitKind { Leave, Enter };

// The in-place editor that serves a column.
enum class EditorKind {
    Frequency,
    Name,
    ToneList,
    BandwidthList,
    ScanList,
    PowerList,
    BusyLockList
};

EditorKind editorForColumn(int col);
bool isPickList(EditorKind kind);

// The two-language texts of a pick list (none for the tone list, which is the
// same in both languages, nor for the typed columns).
std::span<const TextPair> pickListTexts(EditorKind kind);

// Items of a pick list in the given language (the tone list: the 261 tone names).
std::vector<std::string> pickListItems(EditorKind kind, Language language);

// The item a pick list selects when a cell is entered: the first whose text
// begins with the cell text, ignoring case; else the first item.
int pickListIndexFor(const std::vector<std::string> &items, std::string_view cellText);

// Rows past the radio type's channel count hold no channel.
bool rowInsideType(int row, int typeIndex);

struct CellEdit
{
    int row;
    int col;
    std::string text;
    friend bool operator==(const CellEdit &, const CellEdit &) = default;
};

struct EditOutcome
{
    std::vector<CellEdit> edits; // applied in order
    std::optional<TextPair> message;
    // A warning on an edit that was made (a frequency outside the radio's
    // band), for the status bar, in the language of the edit; empty for none.
    std::string notice;
};

// A value typed into the Receive or Transmit cell. New-row defaults are
// written in the given language; a refused value changes nothing and only
// brings its message; a value outside the radio's band brings a notice.
EditOutcome commitFrequency(const ChannelTable &table, int row, int col, std::string_view text,
                            CommitKind kind, Language language);

// A tone chosen in the Rx/Tx Tone list (listText is the list's text).
EditOutcome commitTone(const ChannelTable &table, int row, int col, std::string_view listText,
                       const std::vector<std::string> &items, CommitKind kind);

// A bandwidth, scan, power or busy-lock value chosen in its list.
EditOutcome commitPick(const ChannelTable &table, int row, int col, std::string_view listText,
                       CommitKind kind);

// A name typed into the name editor.
EditOutcome commitName(const ChannelTable &table, int row, std::string_view text, CommitKind kind);

// How a text editor opens over a cell. ch is the typed character, 0 for a
// mouse press and 13 for the Enter walk.
struct TextEditorOpening
{
    std::string text;
    bool selectAll = false;    // otherwise the caret stands after the text
    bool askForNumber = false; // show "Please input Number" first
};
TextEditorOpening openTextEditor(std::string_view cellText, char32_t ch);

// Whether a typed character over the grid earns the "Please input Number" message.
bool typedCharNeedsNumberMessage(char32_t ch);

} // namespace kx9
