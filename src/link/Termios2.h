// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Line speeds beyond the fixed Bnnn set go through the kernel's termios2.
// Its header clashes with <termios.h>, so it stays behind these functions.

// Sets both directions to rate bits per second; returns 0 or the errno.
int SetTermios2Speed(int fd, int rate);

// The output speed in bits per second, or -1 with errno set.
long Termios2OutputSpeed(int fd);
