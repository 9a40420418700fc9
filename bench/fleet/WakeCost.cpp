// Prints the CPU time, in microseconds, that one 1 ms sleep costs this
// machine: the floor under each of the waits a transfer cannot avoid.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main()
{
    constexpr int kSleeps = 3000;
    const double start = cpuSeconds();
    for (int i = 0; i < kSleeps; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::printf("%.2f\n", (cpuSeconds() - start) / kSleeps * 1e6);
    return 0;
}
