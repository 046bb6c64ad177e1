// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/TtyAnnouncer.h"

#include <memory>

// The serial device nodes udev announces (subsystem tty), after udev has
// set them up, so an announced node can be opened at once.
std::unique_ptr<TtyAnnouncer> MakeUdevTtyAnnouncer();
