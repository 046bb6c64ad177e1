// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct ClockFacts;

// What a command payload on <prefix>/<object>/set asks the clock to do:
// the command line to queue, or why nothing is sent.
struct MqttCommand {
    QByteArray line; // empty when refused
    QString refusal; // one sentence when refused

    bool Accepted() const { return !line.isEmpty(); }
};

// Payloads longer than this are refused unread.
constexpr int kMaxCommandPayload = 16;
// The relay switch's "ON": on for this many minutes; relay_minutes takes any.
constexpr int kRelaySwitchMinutes = 60;

// The line for the object's payload, through the same composers and limits
// as the panel's buttons and spin edits. An offset needs the clock's other
// two offsets (all three travel in one line), read by then.
MqttCommand ComposeMqttCommand(const QString& object, const QByteArray& payload, const ClockFacts& facts);
