#pragma once

#include <QByteArray>
#include <QList>

// The queue of command lines waiting for the transmit tick (the hidden
// "CommandMemo" of the window). First line = next to send. Lines carry no
// line end; the transmit side frames them for the link.
class CommandQueue {
public:
    void Append(const QByteArray& line) { lines_.append(line); }
    void Clear() { lines_.clear(); }
    bool IsEmpty() const { return lines_.isEmpty(); }
    int Count() const { return int(lines_.size()); }
    QByteArray TakeFirst() { return lines_.takeFirst(); }
    const QList<QByteArray>& Lines() const { return lines_; }

private:
    QList<QByteArray> lines_;
};
