// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyRouter.h"

#include <QtGlobal>

void ReplyRouter::On(ReplyKind kind, LineHandler handler) { handlers_[size_t(kind)] = std::move(handler); }

void ReplyRouter::Route(const QByteArray& line) const
{
    const ReplyRow* row = ReplyRowOf(line);
    if (!row)
        return;
    if (const LineHandler& handler = handlers_[size_t(row->kind)])
        handler(line);
}

// A handler registered for another kind's record would fail on the first
// line; it is refused when it is registered, which every start runs.
void ReplyRouter::CheckRecordType(ReplyKind kind, bool (*isOwn)(const ReplyRecord& record))
{
    for (const ReplyRow& row : ReplyTable())
        if (row.kind == kind && !isOwn(row.decode(QByteArray(1, row.letters[0]))))
            qFatal("A reply handler takes another kind's record");
}
