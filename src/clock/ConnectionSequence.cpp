// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/ConnectionSequence.h"

#include "clock/ClockModel.h"
#include "link/CommandQueue.h"
#include "protocol/commands/AlarmCommand.h"

namespace {

const QByteArray kIdentificationQuery = "p";
const QByteArray kVersionQuery = "v";

} // namespace

ConnectionSequence::ConnectionSequence(ClockModel& model, CommandQueue& queue, QObject* parent)
    : QObject(parent)
    , queue_(queue)
{
    connect(&model, &ClockModel::IdentificationChanged, this, [this](const IdentificationRecord& record) {
        if (record.recognised)
            return;
        queue_.Clear();
        queue_.Append(kIdentificationQuery);
    });
    connect(&model, &ClockModel::VersionChanged, this, [this](const VersionRecord& record) {
        if (record.Valid())
            return;
        queue_.Clear();
        queue_.Append(kIdentificationQuery);
        queue_.Append(kVersionQuery);
    });
    connect(&model, &ClockModel::ConfigChanged, this, [this, &model] {
        for (const QByteArray& query : AlarmReadOut(0, model.Facts().alarmCount))
            queue_.Append(query);
    });
}
