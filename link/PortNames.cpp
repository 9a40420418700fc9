#include "PortNames.h"

#include <filesystem>
#include <system_error>

namespace kx9 {

std::string portDevicePath(std::string_view name)
{
    for (std::size_t i = 0; i < std::size(kComPorts); ++i)
        if (name == kComPorts[i])
            return "/dev/ttyUSB" + std::to_string(i);
    if (name.empty() || name.front() == '/')
        return std::string(name);
    // "./radio" is a path from here, as a shell user means it, not /dev/./radio.
    if (name.starts_with("./") || name.starts_with("../")) {
        std::error_code error;
        const std::filesystem::path from = std::filesystem::absolute(name, error);
        if (!error)
            return from.lexically_normal().string();
    }
    return "/dev/" + std::string(name);
}

std::string usbCableName(const std::string &devicePath, const std::string &byIdFolder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path device = fs::canonical(devicePath, error);
    if (error)
        return {};
    fs::directory_iterator it(byIdFolder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == device && !linkError)
            return it->path().filename().string();
    }
    return {};
}

} // namespace kx9
