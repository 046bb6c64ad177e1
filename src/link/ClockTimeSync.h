// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EdgeTiming.h"

#include <QByteArray>
#include <QObject>
#include <QTime>
#include <optional>

class ClockConnection;

// Sets the clock to the computer's time on a second's edge over an open
// connection, without waiting for answers: the date line of the planned
// second goes at the tick's pace behind the lines already queued, and when
// the tick sends it, the time line is held for the edge (TransmitTick::
// SendAt). The edge leaves room for the lines queued before, the date line
// and its answer ((queued + 2) ticks and 300 ms). A date line that went too
// late for a tick of its own before the edge makes a new plan, three in
// all; one cleared from the queue unsent, or a link closed meanwhile, ends
// the setting.
class ClockTimeSync : public QObject {
    Q_OBJECT
public:
    explicit ClockTimeSync(ClockConnection& connection, QObject* parent = nullptr);

    // Nothing while a setting runs, the tick holds a line or the link is closed.
    void Start();
    void Cancel();

private:
    void Plan(int plan);
    void LineSent(const QByteArray& line, bool queued);

    struct Setting {
        QByteArray dateLine;
        qint64 dateQueued; // the queue's mark behind the date line
        EdgeSend edge;
        QTime second;
        int plan; // plans made before this one
    };

    ClockConnection& connection_;
    std::optional<Setting> setting_;
};
