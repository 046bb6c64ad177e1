// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The panel's own settings in the settings file, in a section of their own
// ([Panel]), so that the serial port's section stays byte for byte.

// "Reconnect automatically": on unless the file says Reconnect=0.
bool ReconnectSetting(const QString& file);
// False when the file cannot be read or written.
bool StoreReconnectSetting(const QString& file, bool on);
