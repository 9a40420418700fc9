#pragma once

#include "Arguments.h"
#include "ChannelImage.h"

#include <functional>
#include <optional>
#include <string_view>

namespace kx9::cli {

// read and write with more than one --port: every radio at once, each with
// its own port, then a table of the results (or --json).
// write and restore send the image they make of their file (command names
// them in usage errors); image() has said why when it gives none. The
// command line is checked before the file is read.
int runFleetWrite(const Arguments &args, std::string_view command,
                  const std::function<std::optional<ChannelImage>()> &image, bool verify);
int runFleetRead(const Arguments &args);

} // namespace kx9::cli
