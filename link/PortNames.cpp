#include "PortNames.h"

namespace kx9 {

std::string portDevicePath(std::string_view name)
{
    for (std::size_t i = 0; i < std::size(kComPorts); ++i)
        if (name == kComPorts[i])
            return "/dev/ttyUSB" + std::to_string(i);
    if (name.empty() || name.front() == '/')
        return std::string(name);
    return "/dev/" + std::string(name);
}

} // namespace kx9
