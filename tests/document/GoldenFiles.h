#pragma once

#include "Document.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kx9::golden {

// How each channel file under tests/data is made. The bytes come from our
// own code fed with documented values; GoldenFilesTest compares the files
// byte for byte and rewrites them when KX9_WRITE_GOLDEN=1 is set.

// new-pmr-lpd.sin: File New, saved without edits.
Document newPmrLpd();
// new-400-470.sin: File New, then the type "400-470MHz" selected.
Document new400470();
// hand-set.sin: File New, then these edits by hand:
//  row 1: 446.00625 / 446.00625, 67.0 / D023N, Wide, No, High, Carrier, "CH 1-A"
//  row 2: 446.0125 / 446.5125 (5 kHz raster), D754I / 254.1, Narrow, Yes, Low,
//         QT/DQT, "AB"
//  row 3: emptied; row 4: name "abc" (lower case is stored as 0xFF)
//  power rank 3, manual setting "Close", squelch 3, radio identity 0x42,
//  high-power calibration 0x7E.
Document handSet();

// The whole content of a file.
std::vector<std::uint8_t> readBytes(const std::filesystem::path &path);

} // namespace kx9::golden
