// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <QByteArray>

// Commands for the clock's relay, its RC5 receiver and its sensors. Every
// field is one byte and every line has its fixed length: a value beyond its
// byte is held at the byte's end rather than lengthening the line, which on
// the serial link would run into the next command.

// Relay on for 1..255 minutes: "x01" + minutes[2h].
QByteArray RelayOnCommand(int minutes);
// Relay off: "x0000".
QByteArray RelayOffCommand();
// The relay's on-time when an RC5 command switches it: GRAVE + "80" + minutes[2h].
QByteArray RelayIrTimeCommand(int minutes);
// Makes the clock execute an RC5 packet: "a" + address[2h] + command[2h];
// bit 0x80 of the command sets the packet's toggle bit.
QByteArray Rc5Command(int address, int command);
// What the RC5 page's edits take: RC5 has 5 address bits; the command's
// byte carries the toggle bit above its own 7 bits.
constexpr int kMaxRc5Address = 31;
constexpr int kMaxRc5Command = 255;

// DEL + select[2h] (the offset select bits: which row's Send button asks
// for the offsets; all three travel every time) + the three offsets as two's-complement bytes.
QByteArray SensorOffsetCommand(int select, int temperature, int humidity, int pressure);
