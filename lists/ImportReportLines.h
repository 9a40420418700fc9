#pragma once

#include "ChannelCsv.h"
#include "Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx9 {

// The lines that tell what an import did not take as it stood: the notes on
// the file, then refusals and warnings in the file's order, each named
// "list:line" as a compiler names them. The window and kx9-cli show the same.
std::vector<std::string> importReportLines(std::string_view listName, const CsvImportReport &report,
                                           Language language);

} // namespace kx9
