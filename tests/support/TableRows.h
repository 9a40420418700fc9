#pragma once

#include "ChannelTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kx9::test {

// The last N cells of a table row written as "a|b|...|z" (N = 10: from the
// label on; N = 9: from the receive frequency on); missing cells are empty.
template <std::size_t N = kTableCols> std::array<std::string, N> splitCells(std::string_view text)
{
    std::array<std::string, N> out;
    for (std::size_t i = 0, start = 0; i < N && start <= text.size(); ++i) {
        const std::size_t end = std::min(text.find('|', start), text.size());
        out[i] = std::string(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// Writes the cells into the last N columns of a row.
template <std::size_t N>
void setRow(ChannelTable &table, int row, const std::array<std::string, N> &cells)
{
    for (std::size_t i = 0; i < N; ++i)
        table.setCell(row, kTableCols - static_cast<int>(N) + static_cast<int>(i), cells[i]);
}

// The last N cells of a row.
template <std::size_t N = kTableCols>
std::array<std::string, N> rowOf(const ChannelTable &table, int row)
{
    std::array<std::string, N> cells;
    for (std::size_t i = 0; i < N; ++i)
        cells[i] = table.cell(row, kTableCols - static_cast<int>(N) + static_cast<int>(i));
    return cells;
}

} // namespace kx9::test
