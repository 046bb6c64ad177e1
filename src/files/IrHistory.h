// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// The RC5 packets the clock has received, oldest first, one line each as the
// RC5 page lists them and as the IR history file (*.his) holds them. It
// keeps the last 101 packets for the life of the program.
class IrPacketHistory {
public:
    static constexpr int kMaxLines = 101;

    // True when the oldest line made room for this one.
    bool Append(const QByteArray& line);
    const QList<QByteArray>& Lines() const { return lines_; }

private:
    QList<QByteArray> lines_;
};
