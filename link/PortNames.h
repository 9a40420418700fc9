#pragma once

#include <string>
#include <string_view>

namespace kx9 {

// The four port names the program offers, as on the radio maker's cable.
inline constexpr std::string_view kComPorts[] = {"COM1", "COM2", "COM3", "COM4"};

// "COM1".."COM4" name the first four USB serial adapters (/dev/ttyUSB0..3);
// any other name is a device path or a name under /dev, taken as it is.
std::string portDevicePath(std::string_view name);

} // namespace kx9
