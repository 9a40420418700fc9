#include "CellLanguage.h"

#include "EditRules.h"
#include "Texts.h"

#include <span>

namespace kx9 {

std::string_view translateCellText(int col, std::string_view text, Language from, Language to)
{
    for (const TextPair &pair : pickListTexts(editorForColumn(col))) {
        if (text == pair.in(from)) {
            return pair.in(to);
        }
    }
    return text;
}

void translateChannelRows(ChannelTable &table, Language from, Language to)
{
    for (int row = 1; row < kTableRows; ++row) {
        for (int col : {kColBandwidth, kColScan, kColPower, kColBusyLock}) {
            const std::string &was = table.cell(row, col);
            const std::string_view is = translateCellText(col, was, from, to);
            if (is != was) {
                table.setCell(row, col, std::string(is));
            }
        }
    }
}

} // namespace kx9
