// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Termios2.h"

// Only the kernel's terminal definitions here, never <termios.h>.
#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

int SetTermios2Speed(int fd, int rate)
{
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return errno;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = speed_t(rate);
    settings.c_ospeed = speed_t(rate);
    if (::ioctl(fd, TCSETS2, &settings) != 0)
        return errno;
    return 0;
}

long Termios2OutputSpeed(int fd)
{
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return -1;
    return long(settings.c_ospeed);
}
