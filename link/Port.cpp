#include "Port.h"

#include <thread>

namespace kx9 {

void Port::pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

} // namespace kx9
