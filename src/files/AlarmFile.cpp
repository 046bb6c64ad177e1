#include "files/AlarmFile.h"

#include "protocol/replies/ReplyFields.h"

namespace {

constexpr int kAlarmLineLength = 11;
const QByteArray kEndOfBatch = "z0190";

} // namespace

AlarmFileLoad AlarmCommandsToQueue(const QList<QByteArray>& fileLines, int alarmCount)
{
    AlarmFileLoad load;
    for (const QByteArray& line : fileLines) {
        const auto row = ReplyFields(line).Dec(2, 2);
        if (!row) {
            load.rowFieldError = true;
            return load;
        }
        // The row is taken as a byte, so a negative number is never a row.
        if (line.startsWith('k') && line.size() == kAlarmLineLength && int(quint8(*row)) < alarmCount)
            load.commands.append(line);
    }
    load.commands.append(kEndOfBatch);
    return load;
}
