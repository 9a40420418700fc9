#include "PortFileName.h"

namespace kx9 {

std::string portFileStem(std::string_view portName)
{
    if (portName.starts_with("/dev/"))
        portName.remove_prefix(5);
    while (portName.starts_with('/') || portName.starts_with('\\'))
        portName.remove_prefix(1);
    std::string stem(portName);
    for (char &c : stem) {
        if (c == '/' || c == '\\')
            c = '-';
        else if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                   c == '-' || c == '_'))
            c = '_';
    }
    if (stem.size() > kMaxPortFileStem)
        stem.erase(0, stem.size() - kMaxPortFileStem);
    return stem.empty() ? std::string("port") : stem;
}

} // namespace kx9
