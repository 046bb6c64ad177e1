// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/ReplyTable.h"

#include <QByteArray>
#include <array>
#include <functional>

// Hands each reply line to the handler of its kind, found through the reply
// table. Whoever shows a kind registers its handler: the window's frame and
// its pages. A line of no kind, or of a kind nobody handles, goes nowhere.
class ReplyRouter {
public:
    using LineHandler = std::function<void(const QByteArray& line)>;

    // The handler gets the line as it came.
    void On(ReplyKind kind, LineHandler handler);

    // The handler gets the record the kind's decoder made of the line; the
    // record type must be the kind's own.
    template <typename Record> void On(ReplyKind kind, std::function<void(const Record&)> handler)
    {
        CheckRecordType(kind, [](const ReplyRecord& record) { return std::holds_alternative<Record>(record); });
        On(kind, [handler = std::move(handler)](const QByteArray& line) {
            handler(std::get<Record>(ReplyRowOf(line)->decode(line)));
        });
    }

    bool Handles(ReplyKind kind) const { return bool(handlers_[size_t(kind)]); }
    void Route(const QByteArray& line) const;

private:
    static void CheckRecordType(ReplyKind kind, bool (*isOwn)(const ReplyRecord& record));

    std::array<LineHandler, kReplyKinds> handlers_;
};
