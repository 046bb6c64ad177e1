// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TrafficModel.h"

#include "link/ClockConnection.h"
#include "link/LinkLog.h"
#include "protocol/LineText.h"
#include "protocol/replies/ReplyTable.h"

#include <algorithm>
#include <iterator>

namespace {

// Enough for the lines a slow clock leaves unanswered; an older one will
// not be answered any more.
constexpr size_t kAwaitedLines = 16;

QString DirectionArrow(bool sent) { return sent ? QStringLiteral("\u2192") : QStringLiteral("\u2190"); }

QString DirectionWords(bool sent)
{
    return sent ? TrafficModel::tr("sent") : TrafficModel::tr("received");
}

QString ShownTime(const QDateTime& at) { return at.toString(QStringLiteral("hh:mm:ss.zzz")); }

QString ShownLine(const QByteArray& line) { return QString::fromLatin1(EscapedLine(line)); }

} // namespace

TrafficModel::TrafficModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    batch_.setSingleShot(true);
    batch_.setInterval(kBatchMs);
    connect(&batch_, &QTimer::timeout, this, &TrafficModel::Flush);
}

// The tick is the only sender on the link: what it hands over is what the
// traffic log writes as sent.
void TrafficModel::Attach(ClockConnection& connection)
{
    Detach();
    TransmitTick& tick = connection.Tick();
    links_ << connect(&tick, &TransmitTick::Sending, this,
        [this](const QByteArray& line, bool queued) { Sent(line, !queued); });
    links_ << connect(&tick, &TransmitTick::SentOutOfTurn, this,
        [this](const QByteArray& line, WallTime) { Sent(line, false); });
    links_ << connect(&connection, &ClockConnection::LineReceived, this, &TrafficModel::Received);
}

void TrafficModel::Detach()
{
    for (const QMetaObject::Connection& link : std::as_const(links_))
        disconnect(link);
    links_.clear();
    awaited_.clear();
    Flush();
}

void TrafficModel::Sent(const QByteArray& line, bool poll)
{
    awaited_.push_back({ReplyLetterOf(line), poll});
    if (awaited_.size() > kAwaitedLines)
        awaited_.pop_front();
    Add({QDateTime::currentDateTime(), true, poll, line, QString()});
}

void TrafficModel::Received(const QByteArray& line)
{
    const bool poll = AnswersPoll(line);
    Add({QDateTime::currentDateTime(), false, poll, line, DescribeReply(line, WordsFor::People)});
}

bool TrafficModel::AnswersPoll(const QByteArray& reply)
{
    if (reply.isEmpty())
        return false;
    const auto answered = std::find_if(
        awaited_.begin(), awaited_.end(), [letter = reply.front()](const Awaited& sent) { return sent.letter == letter; });
    if (answered == awaited_.end())
        return false;
    const bool poll = answered->poll;
    awaited_.erase(answered);
    return poll;
}

void TrafficModel::Add(TrafficRow row)
{
    if (paused_) {
        emit SkippedChanged(++skipped_);
        return;
    }
    pending_.push_back(std::move(row));
    if (!batch_.isActive())
        batch_.start();
}

void TrafficModel::Flush()
{
    batch_.stop();
    if (pending_.empty())
        return;
    // Of a batch larger than the bound only its newest rows stay.
    const auto kept = std::min(pending_.size(), size_t(kMaxRows));
    const auto first = pending_.end() - qsizetype(kept);
    DropOldest(int(rows_.size() + kept) - kMaxRows);
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + kept) - 1);
    std::move(first, pending_.end(), std::back_inserter(rows_));
    endInsertRows();
    pending_.clear();
}

void TrafficModel::DropOldest(int count)
{
    if (count <= 0)
        return;
    beginRemoveRows({}, 0, count - 1);
    rows_.erase(rows_.begin(), rows_.begin() + count);
    endRemoveRows();
}

void TrafficModel::Clear()
{
    batch_.stop();
    pending_.clear();
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void TrafficModel::SetPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    skipped_ = 0;
    emit SkippedChanged(0);
}

QByteArray TrafficModel::LogText(const QList<int>& rows) const
{
    QByteArray text;
    for (const int row : rows) {
        const TrafficRow& line = Row(row);
        text += LinkLog::Entry(line.at, line.sent ? '>' : '<', line.line);
    }
    return text;
}

int TrafficModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TrafficModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant TrafficModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TrafficRow& row = Row(index.row());
    if (role == PollRole)
        return row.poll;
    const bool direction = index.column() == DirectionColumn;
    if (direction && (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole))
        return DirectionWords(row.sent);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TimeColumn: return ShownTime(row.at);
    case DirectionColumn: return DirectionArrow(row.sent);
    case LineColumn: return ShownLine(row.line);
    case WordsColumn: return row.words;
    default: return {};
    }
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TimeColumn: return tr("Time");
    case DirectionColumn: return tr("Dir.");
    case LineColumn: return tr("Line");
    case WordsColumn: return tr("Meaning");
    default: return {};
    }
}

// ---- The filter ----------------------------------------------------------------

TrafficFilter::TrafficFilter(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

void TrafficFilter::SetShowPoll(bool show)
{
    if (show == showPoll_)
        return;
    showPoll_ = show;
    invalidateFilter();
}

void TrafficFilter::SetSearch(const QString& text)
{
    if (text == search_)
        return;
    search_ = text;
    invalidateFilter();
}

bool TrafficFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const TrafficRow& row = static_cast<const TrafficModel*>(sourceModel())->Row(sourceRow);
    if (row.poll && !showPoll_)
        return false;
    if (search_.isEmpty())
        return true;
    return ShownLine(row.line).contains(search_, Qt::CaseInsensitive)
        || row.words.contains(search_, Qt::CaseInsensitive);
}
