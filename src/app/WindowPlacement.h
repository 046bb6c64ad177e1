// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top left corner that centres a window of this size in a screen's free
// area. A window larger than the area starts at its top left corner, so the
// title bar and the menus stay on the screen.
QPoint CentredTopLeft(QSize window, const QRect& available);

// Shows a window in the middle of the screen under the mouse (or of the
// primary screen) at the size its layout asks for, and holds it at that size:
// its pages are laid out in pixels, so a larger window would only add empty
// space. On Wayland the compositor places windows itself.
void ShowCentredAtFixedSize(QWidget& window);
