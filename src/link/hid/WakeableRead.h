// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A blocking read of one input report from a device node that another
// thread can end at once: the reader waits in poll() on the node and on an
// eventfd, so it needs no timeout to notice a stop and sleeps until there is
// something to do.
class WakeableRead {
public:
    WakeableRead();
    ~WakeableRead();
    WakeableRead(const WakeableRead&) = delete;
    WakeableRead& operator=(const WakeableRead&) = delete;

    // Whether the eventfd could be made; without it the reader must not wait
    // without a timeout.
    bool Usable() const { return wakeFd_ >= 0; }

    // One report from fd (a node giving one report per read, or any
    // message-preserving descriptor): its length; 0 when timeoutMs (-1 for
    // none) passed or Wake was called; -1 on failure or hang-up, with the
    // system error in *error.
    int Read(int fd, char* buffer, int size, int timeoutMs, int* error);

    // Ends the Read that waits now, or the next one if none does. Any thread.
    void Wake();

private:
    int wakeFd_ = -1;
};
