#pragma once

#include <string>
#include <string_view>

namespace kx9 {

// The four port names the program offers, as on the radio maker's cable.
inline constexpr std::string_view kComPorts[] = {"COM1", "COM2", "COM3", "COM4"};

// "COM1".."COM4" name the first four USB serial adapters (/dev/ttyUSB0..3);
// a name starting with ./ or ../ is a path from the current folder; any
// other is a device path or a name under /dev, taken as it is.
std::string portDevicePath(std::string_view name);

// The name udev gives a USB serial cable under /dev/serial/by-id (for
// example "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0") when one of its
// links leads to the device; empty otherwise.
std::string usbCableName(const std::string &devicePath,
                         const std::string &byIdFolder = "/dev/serial/by-id");

} // namespace kx9
