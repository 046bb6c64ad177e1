// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

// The log of received reply lines (the hidden "ReceiveMemo" of the window).
// Appending a line runs the change handler at once, before Append returns;
// the handler takes lines from the top, so the log works as a queue and is
// empty whenever reply handling is idle. Taking a line does not run the
// handler again.
class ReplyLog {
public:
    using ChangeHandler = std::function<void()>;

    void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

    void Append(const QByteArray& line)
    {
        lines_.append(line);
        if (onChange_)
            onChange_();
    }

    bool IsEmpty() const { return lines_.isEmpty(); }
    QByteArray TakeFirst() { return lines_.takeFirst(); }
    const QList<QByteArray>& Lines() const { return lines_; }

private:
    QList<QByteArray> lines_;
    ChangeHandler onChange_;
};
