// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGUSR1 (unplug the simulated clock) and SIGUSR2 (plug it back in) as data
// on a descriptor, read in an ordinary slot rather than in a handler. The
// signals are blocked on the calling thread, so call it before any other
// thread exists: every thread then inherits the blocked set, and neither
// signal can end the process by its default action. Returns the descriptor
// (non-blocking), or -1 when there is none; the same descriptor is what
// PlugSignalDescriptor() gives from then on, and a second call returns it
// again.
int WatchPlugSignals();

// The descriptor WatchPlugSignals made, or -1 while the process does not
// watch the two signals (tests, and programs without a simulated clock).
int PlugSignalDescriptor();

// The signal that arrived, or 0 when none is waiting on the descriptor.
int TakePlugSignal(int descriptor);
