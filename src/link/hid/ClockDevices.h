// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidDevice.h"

#include <QList>
#include <QString>

// The udev rule that gives the user at the desk access to the clock.
extern const char* const kClockUdevRule;

// Claims every available device of the controller and keeps the clocks, in
// the controller's order, each set to queue 128 input reports; every other
// device goes straight back, so that one unplugged later is dropped.
QList<TJvHidDevice*> ClaimClocks(TJvHidDeviceController& controller);

// Gives every device of the list back and empties the list.
void ReleaseClocks(TJvHidDeviceController& controller, QList<TJvHidDevice*>& clocks);

// What the advice on a clock without access depends on.
struct ClockAccessFacts {
    bool ruleInstalled = false; // in udev's rules folder or in /etc/udev/rules.d
    bool atTheDesk = false; // a session at the machine's own seat, not ssh or cron
};

// The facts of this machine and this session.
ClockAccessFacts ClockAccessFactsHere();

// For a listed clock that could not be opened for reading and writing: what
// is wrong, and how to put it right as the panel was installed: install the
// rule when it is missing; with the rule, plug the clock in again, or, away
// from the desk, where the rule gives no access, use a group instead.
// Empty when nothing is wrong.
QString ClockAccessProblem(const TJvHidDevice& clock, const ClockAccessFacts& facts);
QString ClockAccessProblem(const TJvHidDevice& clock);
