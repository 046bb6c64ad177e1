// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Fixed-width fields of command lines: zero-padded decimal, and zero-padded
// hexadecimal with upper-case digits. A value that needs more digits keeps
// them all; a negative value in a hex field shows its 32-bit two's
// complement. Composers keep values inside their fields.
QByteArray DecField(int value, int width);
QByteArray HexField(int value, int width);
