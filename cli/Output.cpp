#include "Output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace kx9::cli {

namespace {

// Larger than any output of ours (a report PDF with its fonts included).
char g_buffer[1 << 24];
bool g_failed = false;
int g_error = 0;

void flushKeepingTheReason()
{
    if (g_failed)
        return;
    errno = 0;
    std::cout.flush();
    if (std::fflush(stdout) != 0 || !std::cout || std::ferror(stdout) != 0) {
        g_failed = true;
        g_error = errno;
    }
}

} // namespace

void holdOutput()
{
    std::setvbuf(stdout, g_buffer, _IOFBF, sizeof g_buffer);
}

void flushOutput()
{
    flushKeepingTheReason();
}

int finishOutput(int status, int failureStatus)
{
    flushKeepingTheReason();
    if (!g_failed)
        return status;
    std::cerr << "kx9-cli: cannot write to standard output";
    if (g_error != 0)
        std::cerr << ": " << std::strerror(g_error);
    std::cerr << "\n";
    return std::max(status, failureStatus);
}

std::string escaped(std::string_view utf8, bool json)
{
    std::string out;
    auto code = [&](unsigned value) {
        char buf[8];
        std::snprintf(buf, sizeof buf, json ? "\\u%04X" : "\\x%02X", value);
        out += buf;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x20 || b == 0x7F) {
            code(b);
        } else if (b == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            code(static_cast<unsigned char>(utf8[++i]));
        } else if (json && (b == '"' || b == '\\')) {
            out += '\\';
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

std::string escapedLines(std::string_view utf8)
{
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t end = utf8.find('\n', start);
        out += escaped(utf8.substr(start, end - start));
        if (end == std::string_view::npos)
            return out;
        out += '\n';
        start = end + 1;
    }
}

} // namespace kx9::cli
