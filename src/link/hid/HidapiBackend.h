// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidBackend.h"

#include <memory>

// The machine's HID devices through hidapi (hidraw), with hot-plug from a
// libudev monitor.
std::unique_ptr<HidBackend> MakeHidapiBackend();
