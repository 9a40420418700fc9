#pragma once

#include "Language.h"

#include <array>
#include <cassert>
#include <string>

namespace kx9 {

inline constexpr int kTableRows = 129, kTableCols = 10;

// Columns of the channel table; row r (1..128) shows channel r, row 0 is the
// header row.
inline constexpr int kColLabel = 0, kColReceive = 1, kColTransmit = 2, kColRxTone = 3,
                     kColTxTone = 4, kColBandwidth = 5, kColScan = 6, kColPower = 7,
                     kColBusyLock = 8, kColName = 9;

// The working copy of the channels as the user edits them: 129 x 10 UTF-8
// cell texts. The grid on screen mirrors it.
class ChannelTable
{
public:
    const std::string &cell(int row, int col) const { return m_cells[index(row, col)]; }
    void setCell(int row, int col, std::string text) { m_cells[index(row, col)] = std::move(text); }

    // Empties all ten columns of the row.
    void clearRow(int row)
    {
        for (int col = 0; col < kTableCols; ++col) {
            setCell(row, col, {});
        }
    }
    void clear()
    {
        for (auto &c : m_cells) {
            c.clear();
        }
    }
    // Row 0: the ten column headers in the given language.
    void setHeaders(Language language);

    friend bool operator==(const ChannelTable &, const ChannelTable &) = default;

private:
    static std::size_t index(int row, int col)
    {
        assert(row >= 0 && row < kTableRows && col >= 0 && col < kTableCols);
        return static_cast<std::size_t>(row * kTableCols + col);
    }

    std::array<std::string, static_cast<std::size_t>(kTableRows *kTableCols)> m_cells;
};

// The three selectors of the main view. type is the type selector's index
// (0 "400-470MHz", 1 "PMR", 2 "PMR+LPD", -1 no selection); powerRank the
// index 0-9 of the power-rank selector; manual the manual-setting selector
// (0 "Open", 1 "Close").
struct Selectors
{
    int type = 2;
    int powerRank = 9;
    int manual = 0;
    friend bool operator==(const Selectors &, const Selectors &) = default;
};

} // namespace kx9
