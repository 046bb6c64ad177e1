// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// A clock's operating parameters as the panel shows them.
struct ClockParameters {
    int modeFlags = 0; // the mode boxes' bits
    int autoStandbySeconds = 0;
    int soundFromHour = 0;
    int soundToHour = 0;
    int temperatureOffset = 0;
    int humidityOffset = 0;
    int pressureOffset = 0;
    int runPulse = 0; // as the clock last reported them
    int sleepPulse = 0;
};

// The parameters as the panel's spin edits hold what the clock reported
// (their ranges: protocol/SpinRanges.h).
ClockParameters HeldByControls(ClockParameters reported);

// The five lines of a parameter file (.par). Parameter files have always
// had their own forms, shorter than what the Send buttons compose, and
// clocks and users' files rely on them:
//   "g" + mode[2h], without the DCF77 synchronisation bit and without a
//       motor byte;
//   "i" + seconds[4h];
//   "q" + from[2d] + to[2d], without the light limit;
//   DEL + "E0" + the three offsets as two's-complement bytes;
//   "m" + runPulse[2h] + "31" + sleepPulse[2h] + "31".
QList<QByteArray> ParameterFileLines(const ClockParameters& parameters);

// What loading a parameter file queues: every line that is not empty,
// unchanged and in order. Lines are not examined otherwise, so a file may
// carry any command lines.
QList<QByteArray> ParameterFileCommands(const QList<QByteArray>& lines);

// What is said of a parameter file's line that is not a command line
// (FileProblem).
inline constexpr char kNotACommandLine[] = QT_TRANSLATE_NOOP("FileProblem", "Line %1 is not a command line: %2");
// What is said of a file too large to load as one (kLoadLimit).
inline constexpr char kNotAParameterFile[] = QT_TRANSLATE_NOOP("FileProblem", "larger than 1 MiB: not a parameter file");

// A line the clock could take as a command: a command character
// (0x60..0x7F) first, printable ASCII after it.
bool IsCommandLine(const QByteArray& line);
// Why a line given alone to be sent (whirlbeamctl send, the MQTT bridge's
// raw command) is refused, in one sentence; empty for a command line.
QString WhyNotACommandLine(const QByteArray& line);

// The number (from 1) of the first line that is neither empty nor a
// command line; 0 when there is none. Loading into the panel queues such
// lines all the same; a tool that must not send half a file checks first.
int FirstDamagedParameterLine(const QList<QByteArray>& lines);
