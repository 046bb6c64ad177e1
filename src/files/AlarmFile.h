// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

struct AlarmSettings;

// What is said of an alarm file's line that is not one (FileProblem).
inline constexpr char kNotAnAlarmLine[] = QT_TRANSLATE_NOOP("FileProblem", "Line %1 is not an alarm line: %2");
// What is said of a file too large to load as one (kLoadLimit).
inline constexpr char kNotAnAlarmFile[] = QT_TRANSLATE_NOOP("FileProblem", "larger than 1 MiB: not an alarm file");

// What loading an alarm file queues for the clock: every alarm command line
// ("k", 11 characters) whose row the clock has, in file order, then the
// batch end "z0190". A line whose row field is not a number stops the load
// there, without "z0190".
struct AlarmFileLoad {
    QList<QByteArray> commands;
    int stoppedAtLine = 0; // from 1: the line that stopped the load; 0 when none did
};
AlarmFileLoad AlarmCommandsToQueue(const QList<QByteArray>& fileLines, int alarmCount);

// The lines of an alarm file (.alm): the alarm command of each row the
// clock has, in row order, as its Send button composes it; never more lines
// than rows given, whatever the clock claims.
QList<QByteArray> AlarmFileLines(const QList<AlarmSettings>& rows, int alarmCount);

// The number (from 1) of the first line that is not a whole alarm line:
// "k", 11 characters, a row 00..39 and fields of digits that read as an
// alarm. 0 when every line is one. Loading skips such lines or stops at
// them; a tool that must not send half a file checks first.
int FirstDamagedAlarmLine(const QList<QByteArray>& fileLines);
