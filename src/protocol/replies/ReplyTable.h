// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/ReplyKind.h"
#include "protocol/replies/ReplyWords.h"
#include "protocol/replies/StatusReplies.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <span>
#include <variant>

// The kinds whose decoders give a bare value get a record of their own, so
// that every kind has a record type of its own.
struct EndOfReadRecord {};
struct TimeRecord {
    std::optional<QTime> time;
};
struct AutoStandbyRecord {
    std::optional<int> seconds;
};
struct RelayIrTimeRecord {
    std::optional<int> minutes;
};

// One decoded reply line: the record of its kind.
using ReplyRecord = std::variant<RelayIrTimeRecord, Rc5PacketRecord, DateRecord, TimeRecord, MemoryReadRecord,
    ModeRecord, AutoStandbyRecord, AlarmRecord, PwmRecord, ConfigRecord, IdentificationRecord, SoundTimesRecord,
    VersionRecord, WhirlbeamStatusRecord, RelayRecord, EndOfReadRecord, Dcf77StateRecord, MeasurementRecord,
    SensorOffsetRecord>;

// One kind of reply line: the letters that name it, how it is decoded and
// how it reads in words. The window's dispatch, whirlbeamctl's monitor and
// status, the fuzz targets and the simulated clock's checks all go by this
// table; a new kind is a decoder, a row here and the page's handler.
struct ReplyRow {
    ReplyKind kind;
    const char* name; // the kind's name, as scripts see it: "TimeReply"
    const char* letters;
    ReplyRecord (*decode)(const QByteArray& line);
    // Which of the record's fields were read, in the order they are applied:
    // a field after one that failed is never read.
    QList<bool> (*fieldsRead)(const ReplyRecord& record);
    // The line in words, as far as it could be decoded ("time 12:34:56").
    QString (*describe)(const ReplyRecord& record, WordsFor audience);
    // The record's fields by name, numbers and flags as JSON numbers and
    // booleans; a field not read is null.
    QJsonObject (*fields)(const ReplyRecord& record);
};

std::span<const ReplyRow> ReplyTable();

// The row of the line's first character; nullptr for an empty line and for
// every character without a kind (lower case, digits, "U", "]", "^",
// anything outside 0x40..0x5F).
const ReplyRow* ReplyRowOf(const QByteArray& line);

// The line decoded by its kind's decoder; nullopt for a line of no kind.
std::optional<ReplyRecord> DecodeReply(const QByteArray& line);

// The line in words, as far as it can be decoded; empty for a line of no kind.
QString DescribeReply(const QByteArray& line, WordsFor audience = WordsFor::Scripts);

// {"kind": "TimeReply", "fields": {"time": "12:34:56"}}; both null for a
// line of no kind.
QJsonObject ReplyJson(const QByteArray& line);
