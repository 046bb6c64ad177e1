// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QTime>

// What the clock is asked about itself first, in this order, before
// anything else it is told: who it is ("p"), its firmware version ("v") and
// its configuration ("o": alarm rows, RC5 address, chip).
QByteArray IdentificationQuery();
QByteArray VersionQuery();
QByteArray ConfigQuery();

// Setting the clock's date: "b" + year[4d] + month[2d] + day[2d] + "0" +
// the ISO weekday (1 = Monday .. 7 = Sunday).
QByteArray SetDateCommand(const QDate& date);
// Setting the clock's time of day: "s" + hour[2d] + minute[2d] + second[2d].
QByteArray SetTimeCommand(const QTime& time);
// Clearing the seconds of the clock's time.
QByteArray ClearSecondsCommand();
