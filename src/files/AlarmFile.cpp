// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/AlarmFile.h"

#include "protocol/commands/AlarmCommand.h"
#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/ReplyFields.h"

#include <QtGlobal>
#include <algorithm>
#include <cctype>

namespace {

constexpr int kAlarmLineLength = 11;

} // namespace

AlarmFileLoad AlarmCommandsToQueue(const QList<QByteArray>& fileLines, int alarmCount)
{
    AlarmFileLoad load;
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        const QByteArray& line = fileLines[i];
        const auto row = ReplyFields(line).Dec(2, 2);
        if (!row) {
            load.stoppedAtLine = int(i + 1);
            return load;
        }
        // The row is taken as a byte, so a negative number is never a row.
        if (line.startsWith('k') && line.size() == kAlarmLineLength && int(quint8(*row)) < alarmCount)
            load.commands.append(line);
    }
    load.commands.append(kEndOfBatchCommand);
    return load;
}

QList<QByteArray> AlarmFileLines(const QList<AlarmSettings>& rows, int alarmCount)
{
    QList<QByteArray> lines;
    for (qsizetype row = 0; row < qMin(qsizetype(alarmCount), rows.size()); ++row)
        lines << AlarmCommand(rows[row]);
    return lines;
}

int FirstDamagedAlarmLine(const QList<QByteArray>& fileLines)
{
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        const QByteArray& line = fileLines[i];
        // The clock answers an alarm command with the alarm in the same
        // layout; its fields are digits only, where replies may have blanks.
        const bool digits = std::all_of(line.begin() + qMin(1, int(line.size())), line.end(),
            [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
        const bool whole = line.startsWith('k') && line.size() == kAlarmLineLength && digits
            && DecodeAlarm("K" + line.mid(1)).actionByte.has_value();
        if (!whole)
            return int(i + 1);
    }
    return 0;
}
