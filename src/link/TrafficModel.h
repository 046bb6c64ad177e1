// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>
#include <QTimer>
#include <deque>
#include <vector>

class ClockConnection;

// One line of the link's traffic.
struct TrafficRow {
    QDateTime at;
    bool sent = false; // a command to the clock; else a line from it
    bool poll = false; // a poll cycle's status request, or the reply it brought
    QByteArray line; // as it went or came, unescaped
    QString words; // what the reply says; empty where the core cannot say it
};

// The traffic between the panel and the clock as a table: time, direction,
// the line as the traffic log writes it and its words. It records only
// while attached to a connection, so a closed view costs nothing. Lines are
// collected and inserted once per batch (kBatchMs, the timer running only
// while lines wait), since the 20 ms USB tick brings a hundred lines a
// second; at most kMaxRows are kept, the oldest dropped. While paused,
// lines that arrive are counted and not kept.
class TrafficModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, DirectionColumn, LineColumn, WordsColumn, kColumns };
    static constexpr int kMaxRows = 10000;
    static constexpr int kBatchMs = 250;
    static constexpr int PollRole = Qt::UserRole + 1;

    explicit TrafficModel(QObject* parent = nullptr);

    // Records what the connection's tick sends and what the connection
    // receives, until Detach.
    void Attach(ClockConnection& connection);
    void Detach();
    bool Attached() const { return !links_.isEmpty(); }

    // A line to add at the next batch.
    void Add(TrafficRow row);
    // The lines waiting for their batch, added now.
    void Flush();
    void Clear();
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // Lines that arrived since the pause began.
    int Skipped() const { return skipped_; }

    const TrafficRow& Row(int row) const { return rows_[size_t(row)]; }
    // The rows as the traffic log (--log) writes them, one entry a line.
    QByteArray LogText(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void SkippedChanged(int skipped);

private:
    void Sent(const QByteArray& line, bool poll);
    void Received(const QByteArray& line);
    bool AnswersPoll(const QByteArray& reply);
    void DropOldest(int count);

    // The reply letters of the lines sent lately, with whether each was a
    // poll request: a reply takes the oldest that its letter matches.
    struct Awaited {
        char letter;
        bool poll;
    };
    std::deque<Awaited> awaited_;
    std::deque<TrafficRow> rows_;
    std::vector<TrafficRow> pending_;
    QTimer batch_;
    QList<QMetaObject::Connection> links_;
    bool paused_ = false;
    int skipped_ = 0;
};

// What the traffic view shows of the model: poll traffic only when asked
// for, and only rows whose line or words hold the search text (any case).
class TrafficFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TrafficFilter(QObject* parent = nullptr);

    void SetShowPoll(bool show);
    void SetSearch(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool showPoll_ = false;
    QString search_;
};
