// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/ReadProgress.h"

#include "clock/ClockModel.h"
#include "link/TransmitTick.h"
#include "protocol/commands/ClockCommands.h"
#include "protocol/commands/StatusRequests.h"
#include "protocol/replies/ReplyKind.h"

#include <algorithm>

using Stage = ReadFigures::Stage;

ReadProgress::ReadProgress(ClockModel& model, TransmitTick& tick, QObject* parent)
    : QObject(parent)
    , tick_(tick)
{
    connect(&tick_, &TransmitTick::Sending, this, [this](const QByteArray& line, bool queued) {
        if (queued)
            Sent(line);
    });
    connect(&model, &ClockModel::ReadEnded, this, &ReadProgress::Stop);
}

Stage ReadProgress::StageOf(const QByteArray& line)
{
    if (line.startsWith('l') && line.size() == 3)
        return Stage::Alarms;
    if (line.startsWith('k'))
        return Stage::SendingAlarms;
    static const QList<QByteArray> batches = ReplyResumedBatch() + RefreshMenuBatch();
    return batches.contains(line) ? Stage::Parameters : Stage::None;
}

void ReadProgress::Sent(const QByteArray& line)
{
    const Stage stage = StageOf(line);
    if (stage == Stage::None)
        return;
    const bool batchBegins = stage == Stage::Parameters && line == IdentificationQuery();
    // A status request of a page's own does not begin a read, nor end the alarms'.
    if (stage == Stage::Parameters && !batchBegins && figures_.stage != Stage::Parameters)
        return;
    if (stage != figures_.stage || batchBegins)
        Begin(stage);
    outstanding_.append(ReplyLetterOf(line));
    Update();
}

void ReadProgress::Begin(Stage stage)
{
    figures_ = {stage, 0, 0};
    outstanding_.clear();
}

void ReadProgress::Take(const QByteArray& reply)
{
    if (figures_.stage == Stage::None || reply.isEmpty())
        return;
    const qsizetype index = outstanding_.indexOf(reply.front());
    if (index < 0)
        return;
    outstanding_.removeAt(index);
    ++figures_.answered;
    Update();
}

void ReadProgress::Stop()
{
    if (figures_.stage == Stage::None)
        return;
    Begin(Stage::None);
    emit Changed(figures_);
}

int ReadProgress::QueuedOfStage() const
{
    const QList<QByteArray>& lines = tick_.Queue.Lines();
    return int(std::count_if(
        lines.begin(), lines.end(), [this](const QByteArray& line) { return StageOf(line) == figures_.stage; }));
}

void ReadProgress::Update()
{
    figures_.total = figures_.answered + int(outstanding_.size()) + QueuedOfStage();
    emit Changed(figures_);
}
