#pragma once

#include "ChannelImage.h"
#include "ChannelTable.h"
#include "Language.h"

namespace kx9 {

// Fills rows 1-128 of the table from the image, flag texts in the given
// language, and returns the three selections. The caller's current radio type
// index becomes the returned type. Row 0 is left alone.
Selectors imageToTable(const ChannelImage &image, ChannelTable &table, Language language);

// Writes rows 1-128 and the selectors into the image. Every byte the
// conversion does not name stays as it was. Texts of either language are
// read; nothing is checked (the cell editor checks what is typed).
void tableToImage(const ChannelTable &table, const Selectors &selectors, ChannelImage &image);

// How many of the 128 records are in use by the image's own rule.
int channelsInUse(const ChannelImage &image);

} // namespace kx9
