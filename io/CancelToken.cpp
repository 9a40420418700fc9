#include "CancelToken.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace kx9 {

CancelToken::CancelToken() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelToken::~CancelToken()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CancelToken::raise() noexcept
{
    m_raised.store(true);
    if (m_fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_fd, &one, sizeof one);
    }
}

void CancelToken::reset() noexcept
{
    m_raised.store(false);
    if (m_fd >= 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_fd, &count, sizeof count);
    }
}

} // namespace kx9
