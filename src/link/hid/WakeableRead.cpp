// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/WakeableRead.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

WakeableRead::WakeableRead()
    : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

WakeableRead::~WakeableRead()
{
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

int WakeableRead::Read(int fd, char* buffer, int size, int timeoutMs, int* error)
{
    pollfd watched[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int ready = ::poll(watched, wakeFd_ >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0) {
        if (errno == EINTR)
            return 0;
        *error = errno;
        return -1;
    }
    if (watched[1].revents & POLLIN) {
        uint64_t count = 0;
        // Clears the eventfd; a second Wake before this read is one wake.
        [[maybe_unused]] const ssize_t drained = ::read(wakeFd_, &count, sizeof count);
        return 0;
    }
    if (watched[0].revents & POLLIN) {
        const ssize_t count = ::read(fd, buffer, size_t(size));
        if (count > 0)
            return int(count);
        if (count == 0 && (watched[0].revents & POLLHUP)) {
            *error = ENODEV;
            return -1;
        }
        if (count == 0)
            return 0;
        if (errno == EAGAIN || errno == EINTR)
            return 0;
        *error = errno;
        return -1;
    }
    if (watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        // A node whose device is gone hangs up without an errno.
        *error = ENODEV;
        return -1;
    }
    return 0;
}

void WakeableRead::Wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}
