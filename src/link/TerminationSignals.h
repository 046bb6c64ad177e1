// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGINT and SIGTERM as data on a descriptor, so that a program ends in an
// ordinary slot (its notifier's) rather than in a signal handler, and can
// tidy up on the way out. The default dispositions are restored first: a
// shell starts background jobs with SIGINT ignored, which would swallow a
// "kill -INT". Call before any thread exists, so that every thread inherits
// the blocked set. Returns the descriptor (non-blocking), or -1 when there
// is none, in which case the signals end the process the usual way.
int WatchTerminationSignals();

// The signal that arrived, or 0 when none is waiting on the descriptor.
int TakeTerminationSignal(int descriptor);
