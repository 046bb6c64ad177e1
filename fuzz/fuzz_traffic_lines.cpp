// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic view's model takes every line the link carries: the clock's
// replies as they come and the commands a person types. Each input line is
// one event by its first byte: '>' the tick polls, '+' it sends a queued
// line, '?' the rest is the search text, '#' a batch is inserted; any other
// line is received as it stands. Invariants: no crash or undefined
// behaviour; never more rows than the bound; the rows as the traffic log
// writes them are one printable line each; the filter shows only rows that
// hold the search text; a line the command line check lets pass is one.

#include "link/ClockConnection.h"
#include "link/CustomComPort.h"
#include "link/TrafficModel.h"
#include "link/TtyAnnouncer.h"
#include "link/hid/HidDevice.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

void Feed(ClockConnection& connection, TrafficModel& model, TrafficFilter& filter, const QByteArray& line,
    QString& search)
{
    const QByteArray rest = line.mid(1);
    switch (line.isEmpty() ? '\0' : line.front()) {
    case '>': emit connection.Tick().Sending(rest, false); break;
    case '+': emit connection.Tick().Sending(rest, true); break;
    case '?':
        search = QString::fromLatin1(rest);
        filter.SetSearch(search);
        break;
    case '#': model.Flush(); break;
    default: emit connection.LineReceived(line); break;
    }
}

bool PrintableLines(const QByteArray& text, int lines)
{
    for (const char c : text) {
        if (c != '\n' && (c < 0x20 || c > 0x7E))
            return false;
    }
    return text.count('\n') == lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray stream(reinterpret_cast<const char*>(data), qsizetype(size));
    ClockConnection connection(nullptr, nullptr);
    TrafficModel model;
    TrafficFilter filter;
    filter.setSourceModel(&model);
    const bool showPoll = size % 2 == 0;
    filter.SetShowPoll(showPoll);
    model.Attach(connection);
    QString search;
    for (const QByteArray& line : stream.split('\n'))
        Feed(connection, model, filter, line, search);
    model.Flush();

    Check(model.rowCount() <= TrafficModel::kMaxRows);
    QList<int> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << row;
    Check(PrintableLines(model.LogText(rows), model.rowCount()));
    Check(filter.rowCount() <= model.rowCount());
    for (int row = 0; row < filter.rowCount(); ++row) {
        const TrafficRow& shown = model.Row(filter.mapToSource(filter.index(row, 0)).row());
        const QString line = filter.index(row, TrafficModel::LineColumn).data().toString();
        Check(showPoll || !shown.poll);
        Check(line.contains(search, Qt::CaseInsensitive) || shown.words.contains(search, Qt::CaseInsensitive));
    }
    return 0;
}
