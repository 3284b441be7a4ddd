// Whole writes on a plain file descriptor, retried after interrupts: 0 or an errno.
#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace spectrane {

// Writes all `size` bytes at the descriptor's offset; EIO when write makes no progress.
inline int writeAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace spectrane
