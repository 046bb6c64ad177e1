// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// "Get statistics": one memory read "fA0" + low byte[2h] per hour of the
// day, hour 0 (A0E0) to hour 23 (A0F7), in that order.
QList<QByteArray> StatisticsReadCommands();
