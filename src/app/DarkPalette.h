// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

// A dark palette for the Fusion style, for desktops whose Qt does not follow
// a dark desktop theme by itself (whirlbeam-panel --dark).
QPalette DarkPalette();
