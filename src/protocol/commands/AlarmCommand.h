// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <array>
#include <span>

struct AlarmRecord;

// One alarm as a row of the alarm table holds it.
struct AlarmSettings {
    QByteArray row;                 // the row's number as shown, "00".."39"
    bool enabled = false;
    std::array<bool, 7> days{};     // weekdays 1..7
    int hour = 0;
    int minute = 0;
    bool ignoreHour = false;
    bool whirlbeamOn = false;
    bool whirlbeamOff = false;
    bool sound = false;
    bool relayOn = false;
    int count = 0;                  // relay minutes 0..127, or sound count
};

// The action boxes of an alarm. The relay excludes the other three, the
// whirlbeam's on and off exclude each other, and the sound goes with
// either of those two.
enum class AlarmAction { RelayOn, WhirlbeamOn, WhirlbeamOff, Sound };
// The boxes a box clears when it becomes ticked, in the order they are
// cleared; the alarm table and the reply rules both go by it.
std::span<const AlarmAction> ExcludedActions(AlarmAction ticked);

// Bit 7 enables the alarm, bits 0..6 the weekdays 1..7.
int DayByte(const AlarmSettings& alarm);
// With the relay: bit 7 and the on-time in bits 0..6. Without: bit 6
// whirlbeam on, bit 5 whirlbeam off, bit 4 sound, the count's low nibble.
int ActionByte(const AlarmSettings& alarm);
// "k" + row + days[2h] + hour[2d] + minute[2d] + action[2h]; hour 32 means
// the hour is ignored.
QByteArray AlarmCommand(const AlarmSettings& alarm);

// Writes an alarm reply into a row as the alarm table does: field by field
// as far as the reply could be read, each action box clearing the boxes it
// excludes when it is ticked. A reply for another row changes nothing.
void ApplyAlarmReply(AlarmSettings& row, const AlarmRecord& record);

// The end-of-batch marker: the clock's "Z" reply to it ends a read-out or a
// batch of alarms.
inline const QByteArray kEndOfBatchCommand = "z0190";

// "l" + row[2d]: asks for one alarm.
QByteArray AlarmReadCommand(int row);

// The read-out of count alarms from row first on: one query a row, then the
// end-of-batch marker.
QList<QByteArray> AlarmReadOut(int first, int count);
