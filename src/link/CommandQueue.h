// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// The queue of command lines waiting for the transmit tick (the hidden
// "CommandMemo" of the window). First line = next to send. Lines carry no
// line end; the transmit side frames them for the link.
class CommandQueue {
public:
    void Append(const QByteArray& line)
    {
        lines_.append(line);
        numbers_.append(next_++);
    }
    void Clear()
    {
        lines_.clear();
        numbers_.clear();
    }
    bool IsEmpty() const { return lines_.isEmpty(); }
    int Count() const { return int(lines_.size()); }
    QByteArray TakeFirst()
    {
        numbers_.removeFirst();
        return lines_.takeFirst();
    }
    // Takes out a line that need not go after all.
    void RemoveAt(int index)
    {
        numbers_.removeAt(index);
        lines_.removeAt(index);
    }
    const QList<QByteArray>& Lines() const { return lines_; }

    // A mark behind the last line queued so far; Passed tells whether every
    // line before it has left the queue, sent, cleared or taken out.
    qint64 EndMark() const { return next_; }
    bool Passed(qint64 mark) const { return numbers_.isEmpty() || numbers_.first() >= mark; }

private:
    QList<QByteArray> lines_;
    QList<qint64> numbers_; // each line's place in the order of queuing
    qint64 next_ = 0;
};
