// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <array>

// The DCF77 statistics export: one line per hour of the day, hour 0 first,
// "hh nn" with the hour in two digits and the hour's figure in at least two.
QList<QByteArray> Dcf77StatisticsLines(const std::array<int, 24>& hourStats);
