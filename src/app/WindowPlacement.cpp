// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint CentredTopLeft(QSize window, const QRect& available)
{
    return {available.left() + std::max(0, (available.width() - window.width()) / 2),
        available.top() + std::max(0, (available.height() - window.height()) / 2)};
}

// Without an explicit position the window manager chooses one, and most put
// a new window wherever there is room; a position asked for is kept. The
// size is fixed only once the window is up: its bars take their final
// height when they are first shown.
void ShowCentredAtFixedSize(QWidget& window)
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        window.ensurePolished();
        window.move(CentredTopLeft(window.sizeHint(), screen->availableGeometry()));
    }
    window.show();
    // Activated at once, so that the size is fixed whether or not the bars
    // already had their height before the window was shown.
    if (window.layout()) {
        window.layout()->setSizeConstraint(QLayout::SetFixedSize);
        window.layout()->activate();
    }
}
