// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Debian's mosquitto for the bridge's tests, on 127.0.0.1 only.

// A port nothing listens on now; the broker takes it at once.
int FreeLoopbackPort();
// The broker's program; empty when it is not installed.
QString BrokerProgram();
