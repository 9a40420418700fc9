#pragma once

#include "ChannelTable.h"
#include "Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// Edits of many cells at once: the clipboard and the channel moves of the
// Edit menu. Each works on the table alone, so the caller can record it as
// one undo step.

// A rectangle of the grid, rows 1-128 and columns 1-9, both ends included.
struct CellRange
{
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;
    int rows() const { return bottom - top + 1; }
};

// The cells as lines of TAB-separated texts, which spreadsheets paste as cells.
std::string copyCells(const ChannelTable &table, const CellRange &range);

struct PasteRefusal
{
    int row;
    int col;
    std::string reason; // in the language of the paste
};

struct PasteResult
{
    ChannelTable table; // the pasted cells written in
    std::vector<PasteRefusal> refused;
    // Cells written with a change to what was pasted (a name brought to the
    // radio's rules) or with a warning (a frequency outside the band).
    std::vector<PasteRefusal> changed;
    int rowsPastType = 0; // lines of the block that fell past the type's channels
};

// Writes TAB-separated lines into a copy of the table, the first cell at
// (row, col). Every cell goes through the rules of typing: the frequency
// check and a new row's defaults, tone and list values (a list value in
// either language), the name rules. A refused cell keeps its value and is
// listed. Empty cells of the block empty a frequency, and leave other cells
// as they are. Lines past the type's channels and cells past the Name
// column are not written. A cell written otherwise than pasted, or with a
// warning, is listed as changed.
PasteResult pasteCells(const ChannelTable &table, int type, int row, int col, std::string_view text,
                       Language language);

// The message that lists a paste's refusals and changed cells, or "" when
// there are none.
std::string pasteReport(const ChannelTable &table, const PasteResult &result, int type,
                        Language language);

// Empties every cell of the channels but their labels.
void clearChannels(ChannelTable &table, int firstRow, int lastRow);

// Channel moves among the type's channels; names move with their channels,
// labels stay with their rows. Each returns false, changing nothing, when
// the move cannot be made: rows outside the type's channels, an insert that
// would push a channel in use past the last one, a move past either end.
bool insertEmptyChannels(ChannelTable &table, int type, int row, int count);
bool deleteChannels(ChannelTable &table, int type, int row, int count);
bool moveChannels(ChannelTable &table, int type, int row, int count, int by);

} // namespace kx9
