// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScreenCursor.h"

#include <QApplication>
#include <QCursor>

namespace ScreenCursor {

void SetHourglass()
{
    if (IsHourglass())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void SetArrow()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool IsHourglass()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace ScreenCursor
