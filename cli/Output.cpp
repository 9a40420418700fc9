#include "Output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

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

} // namespace kx9::cli
