#pragma once

#include "RadioSim.h"

#include <cstdint>
#include <vector>

namespace kx9::test {

using Bytes = std::vector<std::uint8_t>;

// Faults with one field set, for a table row.
template <typename T, typename V> SimFaults with(T SimFaults::*field, V value)
{
    SimFaults faults;
    faults.*field = value;
    return faults;
}

} // namespace kx9::test
