#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kx9::test {

// A table row's words as a test name, which holds only letters, digits and
// '_': other ASCII becomes '_', other bytes their hex digits, so that "é"
// and "÷" stay apart.
inline std::string caseName(std::string_view words)
{
    std::string name;
    for (const char c : words) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= 'a' && byte <= 'z')) {
            name += c;
        } else if (byte < 0x80) {
            name += '_';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", byte);
            name += hex;
        }
    }
    return name;
}

} // namespace kx9::test
