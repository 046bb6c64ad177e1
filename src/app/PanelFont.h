// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The font of the pixel-laid windows (the main window, the serial setup
// dialog). Their controls have fixed sizes, so the font is fixed in pixels
// too: Liberation Sans, metric-compatible with the sans serif the layout was
// drawn for, where it is installed; the desktop's font otherwise.
QFont PanelFont();
