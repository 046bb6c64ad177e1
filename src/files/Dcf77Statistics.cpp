// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Dcf77Statistics.h"

#include <QString>

QList<QByteArray> Dcf77StatisticsLines(const std::array<int, 24>& hourStats)
{
    QList<QByteArray> lines;
    for (int hour = 0; hour < int(hourStats.size()); ++hour)
        lines << QString::asprintf("%.2d %.2d", hour, hourStats[size_t(hour)]).toLatin1();
    return lines;
}
