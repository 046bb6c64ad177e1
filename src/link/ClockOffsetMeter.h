// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EdgeTiming.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class ClockConnection;

// Measures the clock's time against the computer's over an open connection
// without waiting in a loop of its own, as whirlbeamctl offset does it: a
// time query out of turn (TransmitTick::SendAt) as often as the link allows
// until the change of second is bracketed, then each at the instant that
// halves what is left, until the offset is known to half a millisecond.
// The clock keeps this computer's time zone. Meanwhile nothing else should
// ask the clock for its time: any time reply counts as the query's answer.
class ClockOffsetMeter : public QObject {
    Q_OBJECT
public:
    explicit ClockOffsetMeter(ClockConnection& connection, QObject* parent = nullptr);

    // Nothing while a measurement runs, the tick holds a line or the link is closed.
    void Start();
    bool Running() const { return running_; }

signals:
    // seconds: the clock's time minus the computer's; uncertainty either way.
    void Measured(double seconds, double uncertainty);
    // The second was not found within 30 s, or the link closed meanwhile.
    void Failed();

private:
    double TimeOfDay(WallTime instant) const;
    WallTime WallTimeOf(double timeOfDay) const;
    void Probe();
    void SentOutOfTurn(const QByteArray& line, WallTime sentAt);
    void LineReceived(const QByteArray& line);
    void Finish(bool measured);

    ClockConnection& connection_;
    SecondEdgeFinder finder_;
    QTimer giveUp_;
    WallTime start_;
    double startOfDay_ = 0.0;
    WallTime queryWhole_; // when the query sent last was whole at the clock
    bool running_ = false;
    bool awaitingAnswer_ = false;
};
