#pragma once

#include <QByteArray>
#include <QList>

// What loading an alarm file queues for the clock: every alarm command line
// ("k", 11 characters) whose row the clock has, in file order, then the
// batch end "z0190". A line whose row field is not a number stops the load
// there, without "z0190".
struct AlarmFileLoad {
    QList<QByteArray> commands;
    bool rowFieldError = false;
};
AlarmFileLoad AlarmCommandsToQueue(const QList<QByteArray>& fileLines, int alarmCount);
