// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/PeripheralCommands.h"

#include "protocol/commands/Fields.h"

#include <QtGlobal>

namespace {

QByteArray ByteField(int value) { return HexField(qBound(0, value, 0xFF), 2); }

// -1 is FF, -10 is F6.
QByteArray SignedByteField(int value) { return HexField(qBound(-128, value, 127) & 0xFF, 2); }

constexpr char kGrave = 0x60;
constexpr char kDel = 0x7F;

} // namespace

QByteArray RelayOnCommand(int minutes) { return "x01" + ByteField(minutes); }

QByteArray RelayOffCommand() { return "x0000"; }

QByteArray RelayIrTimeCommand(int minutes) { return kGrave + QByteArray("80") + ByteField(minutes); }

QByteArray Rc5Command(int address, int command) { return "a" + ByteField(address) + ByteField(command); }

QByteArray SensorOffsetCommand(int select, int temperature, int humidity, int pressure)
{
    return kDel + ByteField(select) + SignedByteField(temperature) + SignedByteField(humidity)
        + SignedByteField(pressure);
}
