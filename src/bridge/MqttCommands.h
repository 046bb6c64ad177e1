// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct ClockFacts;

// What a command payload on <prefix>/<object>/set asks the clock to do:
// the command line to queue, or why nothing is sent.
struct MqttCommand {
    QByteArray line; // empty when refused or when the time is set
    QString refusal; // one sentence when refused
    // The clock set to the computer's time on a second's edge (two lines,
    // timed by the bridge), not one line.
    bool setsTime = false;

    bool Accepted() const { return !line.isEmpty() || setsTime; }
};

// Payloads longer than this are refused unread; a raw line may be as long
// as a link takes one (the link's own check follows).
constexpr int kMaxCommandPayload = 16;
constexpr int kMaxRawPayload = 256;
// The relay switch's "ON": on for this many minutes; relay_minutes takes any.
constexpr int kRelaySwitchMinutes = 60;

// The line for the object's payload, through the same composers and limits
// as the panel's buttons and spin edits. An offset needs the clock's other
// two offsets (all three travel in one line), read by then. "raw" takes
// any command line, but only where allowRaw; otherwise it is no command.
MqttCommand ComposeMqttCommand(
    const QString& object, const QByteArray& payload, const ClockFacts& facts, bool allowRaw = false);
