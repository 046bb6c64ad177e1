// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ClockModel;
class CommandQueue;

// What the panel sends in answer to the replies that steer the connection:
// a clock that does not say "Pelk" is asked again, and nothing else is sent
// to it meanwhile; a version below 3 is asked for again with the
// identification; the configuration's alarm count starts the alarm
// read-out.
class ConnectionSequence : public QObject {
    Q_OBJECT
public:
    ConnectionSequence(ClockModel& model, CommandQueue& queue, QObject* parent = nullptr);

private:
    CommandQueue& queue_;
};
