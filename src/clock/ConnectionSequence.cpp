// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/ConnectionSequence.h"

#include "clock/ClockModel.h"
#include "link/CommandQueue.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/ClockCommands.h"

ConnectionSequence::ConnectionSequence(ClockModel& model, CommandQueue& queue, QObject* parent)
    : QObject(parent)
    , queue_(queue)
{
    connect(&model, &ClockModel::IdentificationChanged, this, [this](const IdentificationRecord& record) {
        if (record.recognised)
            return;
        queue_.Clear();
        queue_.Append(IdentificationQuery());
    });
    connect(&model, &ClockModel::VersionChanged, this, [this](const VersionRecord& record) {
        if (record.Valid())
            return;
        queue_.Clear();
        queue_.Append(IdentificationQuery());
        queue_.Append(VersionQuery());
    });
    connect(&model, &ClockModel::ConfigChanged, this, [this, &model] {
        for (const QByteArray& query : AlarmReadOut(0, model.Facts().alarmCount))
            queue_.Append(query);
    });
}
