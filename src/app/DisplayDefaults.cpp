// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayDefaults.h"

#include <QByteArray>
#include <QtGlobal>

void SetDisplayDefaults()
{
    // An idle panel repaints only a blinking lamp of 12 x 13 pixels. Through
    // the X server's shared memory every such repaint waits for a round trip
    // (the segment must be free again), which wakes the process twice more;
    // plain image requests need none, and the whole window is small enough
    // to go through the socket.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
