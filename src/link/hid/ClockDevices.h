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

// For a listed clock that could not be opened for reading and writing: what
// is wrong, and how to put it right. Empty when nothing is.
QString ClockAccessProblem(const TJvHidDevice& clock);
