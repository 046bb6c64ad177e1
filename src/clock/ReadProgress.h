// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

class ClockModel;
class TransmitTick;

// How far a read of the clock (or an alarm file's load) has come: of the
// lines of the running stage, how many the clock has answered and how many
// there are, sent or still queued. The figures are plain data, for the
// panel's status bar and for whatever else shows them.
struct ReadFigures {
    enum class Stage {
        None, // nothing is being read
        Parameters, // the batch of status requests (a connection, a reread)
        Alarms, // the alarm read-out
        SendingAlarms, // an alarm file's lines
    };
    Stage stage = Stage::None;
    int answered = 0;
    int total = 0;

    bool operator==(const ReadFigures&) const = default;
};

// Watches the lines the transmit tick takes from the queue and the replies
// that come back. A read begins with the batch's identification query or
// the first alarm line and ends with the end-of-read reply; the polls of an
// idle tick do not count. A reply answers the oldest sent line of the
// stage whose reply letter it bears.
class ReadProgress : public QObject {
    Q_OBJECT
public:
    ReadProgress(ClockModel& model, TransmitTick& tick, QObject* parent = nullptr);

    const ReadFigures& Figures() const { return figures_; }
    // Every reply line, as the link delivers it.
    void Take(const QByteArray& reply);
    // The link closed: no answers will come.
    void Stop();

    // The stage a queued line belongs to; None for a line no stage counts
    // (the end-of-batch marker, a command set from a page, a poll).
    static ReadFigures::Stage StageOf(const QByteArray& line);

signals:
    void Changed(const ReadFigures& figures);

private:
    void Sent(const QByteArray& line);
    void Begin(ReadFigures::Stage stage);
    void Update();
    int QueuedOfStage() const;

    TransmitTick& tick_;
    ReadFigures figures_;
    QList<char> outstanding_; // reply letters of the stage's lines sent and not yet answered
};
