// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Requests that ask the clock for its whole state at once. Both ask for
// identification, version, configuration, date, time, PWM, mode, auto
// standby, sound times, relay, measurements, sensor offsets and whirlbeam
// status; they differ only in their twelfth line.

// Queued by the transmit tick each time replies start to arrive again; its
// twelfth line asks for the relay on-time for IR commands.
QList<QByteArray> ReplyResumedBatch();

// Queued by View > Refresh; its twelfth line asks for the DCF77 state.
QList<QByteArray> RefreshMenuBatch();
