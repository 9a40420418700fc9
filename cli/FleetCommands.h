#pragma once

#include "Arguments.h"

namespace kx9::cli {

// read and write with more than one --port: every radio at once, each on its
// own thread and port, then a table of the results (or --json).
int runFleetWrite(const Arguments &args);
int runFleetRead(const Arguments &args);

} // namespace kx9::cli
