#pragma once

#include <QByteArray>
#include <QList>

// The queue of command lines waiting for the transmit tick (the hidden
// "CommandMemo" of the window). First line = next to send. Lines carry no
// line end; the transmit side frames them for the link.
class CommandQueue {
public:
    void Append(const QByteArray& line) { lines_.append(line); }
    void Clear()
    {
        gone_ += lines_.size();
        lines_.clear();
    }
    bool IsEmpty() const { return lines_.isEmpty(); }
    int Count() const { return int(lines_.size()); }
    QByteArray TakeFirst()
    {
        ++gone_;
        return lines_.takeFirst();
    }
    const QList<QByteArray>& Lines() const { return lines_; }

    // A mark behind the last line queued so far; Passed tells whether every
    // line before it has left the queue, sent or cleared.
    qint64 EndMark() const { return gone_ + lines_.size(); }
    bool Passed(qint64 mark) const { return gone_ >= mark; }

private:
    QList<QByteArray> lines_;
    qint64 gone_ = 0;
};
