// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

// The traffic of the link as text, for whoever builds or debugs a clock's
// firmware: every command line handed to the link ("> ") and every reply
// line taken from it ("< "), one per line behind the local time to the
// millisecond:
//
//   2026-12-08 05:23:32.123 > p
//   2026-12-08 05:23:32.141 < Pelk Whirlbeam Clock
//
// A byte outside printable ASCII is written as \xNN, so every entry stays
// one line of plain text. A log that is not open writes nothing.
class LinkLog {
public:
    using Clock = std::function<QDateTime()>;
    using FailureHandler = std::function<void(const QString& reason)>;

    explicit LinkLog(Clock clock = &QDateTime::currentDateTime);
    ~LinkLog();
    LinkLog(const LinkLog&) = delete;
    LinkLog& operator=(const LinkLog&) = delete;

    // Creates the file or appends to it, so the runs of a debugging session
    // collect in one file. False, with one line saying why, when the file
    // cannot be written.
    bool Open(const QString& file, QString* error);
    bool IsOpen() const { return fd_ >= 0; }

    void Sent(const QByteArray& line) { Write('>', line); }
    void Received(const QByteArray& line) { Write('<', line); }

    // A write that fails later (a full disk) closes the log and is reported
    // once through the handler; the link goes on without its log.
    void SetOnFailure(FailureHandler handler) { onFailure_ = std::move(handler); }

    static QByteArray Entry(const QDateTime& at, char direction, const QByteArray& line);

private:
    void Write(char direction, const QByteArray& line);
    void Close();

    Clock clock_;
    FailureHandler onFailure_;
    QString file_;
    int fd_ = -1;
};
