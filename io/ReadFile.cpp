#include "ReadFile.h"

#include "Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace kx9 {

ReadFileResult readDescriptor(int fd, std::size_t limit)
{
    ReadFileResult result;
    char buffer[65536];
    for (;;) {
        // One byte past the limit tells a file of exactly the limit from a
        // larger one.
        const std::size_t wanted = std::min(sizeof buffer, limit + 1 - result.data.size());
        const ssize_t n = ::read(fd, buffer, wanted);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.error = errno;
            return result;
        }
        if (n == 0) {
            return result;
        }
        result.data.append(buffer, static_cast<std::size_t>(n));
        if (result.data.size() > limit) {
            result.data.resize(limit);
            result.more = true;
            return result;
        }
    }
}

ReadFileResult readFile(const std::string &path, std::size_t limit)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        ReadFileResult failed;
        failed.error = errno;
        return failed;
    }
    return readDescriptor(file.get(), limit);
}

} // namespace kx9
