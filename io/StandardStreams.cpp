#include "StandardStreams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kx9 {

void reserveStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number: this one, since those below it are open.
        // Not close-on-exec, so that a program run in our place sees it too.
        const int standIn = ::open("/dev/null", O_RDONLY);
        if (standIn >= 0 && standIn != fd) {
            ::dup2(standIn, fd);
            ::close(standIn);
        }
    }
}

} // namespace kx9
