#include "ChannelTable.h"

#include "Texts.h"

namespace kx9 {

void ChannelTable::setHeaders(Language language)
{
    for (int col = 0; col < kTableCols; ++col) {
        setCell(0, col, std::string(text::kHeaders[col].in(language)));
    }
}

} // namespace kx9
