// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/ClockCommands.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/ReplyFields.h"
#include "protocol/replies/ReplyKind.h"
#include "protocol/replies/ReplyTable.h"
#include "protocol/replies/StatusReplies.h"

#include <QtTest>
#include <climits>

using OptInt = std::optional<int>;
Q_DECLARE_METATYPE(OptInt)

class RepliesTest : public QObject {
    Q_OBJECT

private slots:
    void fieldEncodings_data();
    void fieldEncodings();
    void kinds_data();
    void kinds();
    void tableHasEveryKindOnce();
    void describesReplies_data();
    void describesReplies();
    void identification_data();
    void identification();
    void version_data();
    void version();
    void config_data();
    void config();
    void date_data();
    void date();
    void time_data();
    void time();
    void whirlbeamStatus_data();
    void whirlbeamStatus();
    void relay_data();
    void relay();
    void setDateAndTime_data();
    void setDateAndTime();
};

void RepliesTest::fieldEncodings_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("length");
    QTest::addColumn<OptInt>("value");

    QTest::newRow("hex upper") << QByteArray("W8A") << QByteArray("hex") << 2 << 2 << OptInt(0x8A);
    QTest::newRow("hex lower") << QByteArray("Wff") << QByteArray("hex") << 2 << 2 << OptInt(0xFF);
    QTest::newRow("hex four") << QByteArray("WFFFFFF") << QByteArray("hex") << 4 << 4 << OptInt(0xFFFF);
    QTest::newRow("hex blank") << QByteArray("W 1") << QByteArray("hex") << 2 << 2 << OptInt();
    QTest::newRow("hex sign") << QByteArray("W+1") << QByteArray("hex") << 2 << 2 << OptInt();
    QTest::newRow("hex past end, one left") << QByteArray("WA") << QByteArray("hex") << 2 << 2 << OptInt(0xA);
    QTest::newRow("hex past end, none") << QByteArray("W") << QByteArray("hex") << 2 << 2 << OptInt();
    QTest::newRow("hex G") << QByteArray("W1G") << QByteArray("hex") << 2 << 2 << OptInt();
    QTest::newRow("signed F6") << QByteArray("\\F6") << QByteArray("signed") << 2 << 2 << OptInt(-10);
    QTest::newRow("signed 7F") << QByteArray("\\7F") << QByteArray("signed") << 2 << 2 << OptInt(127);
    QTest::newRow("signed 80") << QByteArray("\\80") << QByteArray("signed") << 2 << 2 << OptInt(-128);
    QTest::newRow("dec") << QByteArray("V04") << QByteArray("dec") << 2 << 2 << OptInt(4);
    QTest::newRow("dec leading blank") << QByteArray("V 4") << QByteArray("dec") << 2 << 2 << OptInt(4);
    QTest::newRow("dec sign") << QByteArray("V-4") << QByteArray("dec") << 2 << 2 << OptInt(-4);
    QTest::newRow("dec plus") << QByteArray("V+4") << QByteArray("dec") << 2 << 2 << OptInt(4);
    QTest::newRow("dec trailing blank") << QByteArray("V4 ") << QByteArray("dec") << 2 << 2 << OptInt();
    QTest::newRow("dec blanks only") << QByteArray("V  ") << QByteArray("dec") << 2 << 2 << OptInt();
    QTest::newRow("dec hex digit") << QByteArray("V0A") << QByteArray("dec") << 2 << 2 << OptInt();
    QTest::newRow("dec empty") << QByteArray("V") << QByteArray("dec") << 2 << 2 << OptInt();
    QTest::newRow("dec sign only") << QByteArray("V -") << QByteArray("dec") << 2 << 2 << OptInt();
    QTest::newRow("dec blank after sign") << QByteArray("V-4 ") << QByteArray("dec") << 2 << 3 << OptInt();
    QTest::newRow("dec two signs") << QByteArray("V+-4") << QByteArray("dec") << 2 << 3 << OptInt();
    QTest::newRow("dec widest int") << QByteArray("V2147483647") << QByteArray("dec") << 2 << 10 << OptInt(INT_MAX);
    QTest::newRow("dec past int") << QByteArray("V2147483648") << QByteArray("dec") << 2 << 10 << OptInt();
}

void RepliesTest::fieldEncodings()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, encoding);
    QFETCH(int, position);
    QFETCH(int, length);
    QFETCH(OptInt, value);
    const ReplyFields fields(line);
    const OptInt read = encoding == "hex"      ? fields.Hex(position, length)
                        : encoding == "signed" ? fields.SignedHex(position)
                                               : fields.Dec(position, length);
    QCOMPARE(read, value);
}

void RepliesTest::kinds_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    const QList<std::pair<const char*, ReplyKind>> known = {
        {"@", ReplyKind::RelayIrTimeReply}, {"A", ReplyKind::Rc5PacketReply},
        {"B", ReplyKind::DateReply}, {"D", ReplyKind::DateReply}, {"C", ReplyKind::TimeReply},
        {"S", ReplyKind::TimeReply}, {"T", ReplyKind::TimeReply}, {"E", ReplyKind::MemoryReadReply},
        {"F", ReplyKind::MemoryReadReply}, {"G", ReplyKind::ModeReply}, {"H", ReplyKind::ModeReply},
        {"I", ReplyKind::AutoStandbyReply}, {"J", ReplyKind::AutoStandbyReply},
        {"K", ReplyKind::AlarmReply}, {"L", ReplyKind::AlarmReply}, {"M", ReplyKind::PwmReply},
        {"N", ReplyKind::PwmReply}, {"O", ReplyKind::ConfigReply}, {"P", ReplyKind::IdentificationReply},
        {"Q", ReplyKind::SoundTimesReply}, {"R", ReplyKind::SoundTimesReply},
        {"V", ReplyKind::VersionReply}, {"W", ReplyKind::WhirlbeamStatusReply},
        {"X", ReplyKind::RelayReply}, {"Y", ReplyKind::RelayReply}, {"Z", ReplyKind::EndOfReadReply},
        {"[", ReplyKind::Dcf77StateReply}, {"\\", ReplyKind::MeasurementReply},
        {"_", ReplyKind::SensorOffsetReply}};
    for (const auto& [letter, kind] : known)
        QTest::newRow(letter) << QByteArray(letter) << int(kind);
    for (const char* none : {"", "U", "]", "^", "p", "z", "0", "`", "{", "?"})
        QTest::newRow(*none ? none : "empty") << QByteArray(none) << -1;
}

void RepliesTest::kinds()
{
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    const auto found = KindOf(line);
    QCOMPARE(found ? int(*found) : -1, kind);
}

// Replies in words for scripts, as monitor's JSON carries them.
void RepliesTest::describesReplies_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("words");
    QTest::newRow("time") << QByteArray("T235959") << "time 23:59:59";
    QTest::newRow("no such date") << QByteArray("D2023022903") << "date ?";
    QTest::newRow("status, no extra flags")
        << QByteArray("W42zz012C") << "whirlbeam deep sleep mode, remaining time 300 s, time valid";
    QTest::newRow("relay flags not hex") << QByteArray("Yzz05") << "relay ?, 5 min remaining";
    QTest::newRow("alarm, off beats on") << QByteArray(
        "L0381453063") << "alarm 03: enabled, days 1, every hour at :30, whirlbeam off, count 3";
    QTest::newRow("alarm, relay") << QByteArray("L04FF07008A")
                                  << "alarm 04: enabled, days 1234567, 07:00, relay on for 10 min";
    QTest::newRow("statistics") << QByteArray("FA0F73C") << "DCF77 statistics, hour 23: 60";
    QTest::newRow("measurement, short")
        << QByteArray("\\8DF6") << "light 141, temperature -10 °C, humidity ? %, air pressure ? hPa";
    QTest::newRow("no kind") << QByteArray("]x") << "";
}

void RepliesTest::describesReplies()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, words);
    QCOMPARE(DescribeReply(line), words);
}

// One row a kind, each decoding into a record type of its own.
void RepliesTest::tableHasEveryKindOnce()
{
    QSet<int> kinds;
    QSet<size_t> records;
    for (const ReplyRow& row : ReplyTable()) {
        kinds << int(row.kind);
        const ReplyRecord record = row.decode(QByteArray(1, row.letters[0]));
        records << record.index();
        for (const char* letter = row.letters; *letter; ++letter)
            QCOMPARE(ReplyRowOf(QByteArray(1, *letter)), &row);
    }
    QCOMPARE(kinds.size(), kReplyKinds);
    QCOMPARE(records.size(), size_t(kReplyKinds));
}

void RepliesTest::identification_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("recognised");
    QTest::newRow("Pelk") << QByteArray("Pelk Whirlbeam") << true;
    QTest::newRow("exactly Pelk") << QByteArray("Pelk") << true;
    QTest::newRow("letter case") << QByteArray("PELK Whirlbeam") << false;
    QTest::newRow("short") << QByteArray("Pel") << false;
    QTest::newRow("other") << QByteArray("Pxlk") << false;
}

void RepliesTest::identification()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, recognised);
    const IdentificationRecord record = DecodeIdentification(line);
    QCOMPARE(record.recognised, recognised);
    QCOMPARE(record.line, line);
}

void RepliesTest::version_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<OptInt>("major");
    QTest::addColumn<bool>("valid");
    QTest::newRow("04") << QByteArray("V04.02") << OptInt(4) << true;
    QTest::newRow("03") << QByteArray("V03") << OptInt(3) << true;
    QTest::newRow("02") << QByteArray("V02.99") << OptInt(2) << false;
    QTest::newRow("V alone") << QByteArray("V") << OptInt() << false;
    QTest::newRow("not a number") << QByteArray("Vx4") << OptInt() << false;
}

void RepliesTest::version()
{
    QFETCH(QByteArray, line);
    QFETCH(OptInt, major);
    QFETCH(bool, valid);
    const VersionRecord record = DecodeVersion(line);
    QCOMPARE(record.major, major);
    QCOMPARE(record.Valid(), valid);
    QCOMPARE(record.text, line.mid(1));
}

void RepliesTest::config_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<OptInt>("count");
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("chip");
    QTest::addColumn<bool>("chipRead");
    QTest::newRow("20, no chip") << QByteArray("O201F") << OptInt(20) << QByteArray("1F") << QByteArray(" 16F628 - 648") << true;
    QTest::newRow("21, no chip") << QByteArray("O211F") << OptInt(21) << QByteArray("1F") << QByteArray(" 16F87 - 88") << true;
    QTest::newRow("6 characters") << QByteArray("O401F5") << OptInt(40) << QByteArray("1F") << QByteArray(" 16F87 - 88") << true;
    QTest::newRow("chip 50") << QByteArray("O201F50") << OptInt(20) << QByteArray("1F") << QByteArray(" 18F2550") << true;
    QTest::newRow("chip 88") << QByteArray("O4000885") << OptInt(40) << QByteArray("00") << QByteArray(" 16F88") << true;
    QTest::newRow("chip 99") << QByteArray("O401F99") << OptInt(40) << QByteArray("1F") << QByteArray("") << true;
    QTest::newRow("chip not a number") << QByteArray("O401Fxx") << OptInt(40) << QByteArray("1F") << QByteArray() << false;
    QTest::newRow("count not a number") << QByteArray("Ox01F") << OptInt() << QByteArray() << QByteArray() << false;
}

void RepliesTest::config()
{
    QFETCH(QByteArray, line);
    QFETCH(OptInt, count);
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, chip);
    QFETCH(bool, chipRead);
    const ConfigRecord record = DecodeConfig(line);
    QCOMPARE(record.alarmCount, count);
    QCOMPARE(record.selfAddress, address);
    QCOMPARE(record.chipName.has_value(), chipRead);
    if (chipRead)
        QCOMPARE(*record.chipName, chip);
}

void RepliesTest::date_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QByteArray>("weekday");
    QTest::newRow("D") << QByteArray("D2024031505") << QDate(2024, 3, 15) << QByteArray("5");
    QTest::newRow("B") << QByteArray("B2024010107") << QDate(2024, 1, 1) << QByteArray("7");
    QTest::newRow("leap day") << QByteArray("D2024022904") << QDate(2024, 2, 29) << QByteArray("4");
    QTest::newRow("no leap day") << QByteArray("D2023022903") << QDate() << QByteArray();
    QTest::newRow("month 13") << QByteArray("D2024131505") << QDate() << QByteArray();
    QTest::newRow("year 0") << QByteArray("D0000010105") << QDate() << QByteArray();
    QTest::newRow("no weekday") << QByteArray("D20240315") << QDate(2024, 3, 15) << QByteArray();
    QTest::newRow("day missing") << QByteArray("D202403") << QDate() << QByteArray();
}

void RepliesTest::date()
{
    QFETCH(QByteArray, line);
    QFETCH(QDate, date);
    QFETCH(QByteArray, weekday);
    const DateRecord record = DecodeDate(line);
    QCOMPARE(record.date.value_or(QDate()), date);
    QCOMPARE(record.weekday, weekday);
}

void RepliesTest::time_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QTime>("time");
    QTest::newRow("T") << QByteArray("T070509") << QTime(7, 5, 9);
    QTest::newRow("midnight") << QByteArray("S000000") << QTime(0, 0, 0);
    QTest::newRow("23:59:59") << QByteArray("C235959") << QTime(23, 59, 59);
    QTest::newRow("hour 24") << QByteArray("T240000") << QTime();
    QTest::newRow("minute 60") << QByteArray("T236000") << QTime();
    QTest::newRow("seconds missing") << QByteArray("T2359") << QTime();
    QTest::newRow("negative") << QByteArray("T-10000") << QTime();
}

void RepliesTest::time()
{
    QFETCH(QByteArray, line);
    QFETCH(QTime, time);
    QCOMPARE(DecodeTime(line).value_or(QTime()), time);
}

void RepliesTest::whirlbeamStatus_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<OptInt>("flags");
    QTest::addColumn<OptInt>("remaining");
    QTest::addColumn<OptInt>("extra");
    QTest::newRow("full") << QByteArray("W827F003C") << OptInt(0x82) << OptInt(60) << OptInt(0x7F);
    QTest::newRow("FFFF") << QByteArray("W0080FFFF") << OptInt(0) << OptInt(65535) << OptInt(0x80);
    QTest::newRow("no remaining") << QByteArray("W4280") << OptInt(0x42) << OptInt() << OptInt();
    QTest::newRow("bad extra") << QByteArray("W40xx0001") << OptInt(0x40) << OptInt(1) << OptInt();
    QTest::newRow("bad flags") << QByteArray("Wxx000001") << OptInt() << OptInt() << OptInt();
}

void RepliesTest::whirlbeamStatus()
{
    QFETCH(QByteArray, line);
    QFETCH(OptInt, flags);
    QFETCH(OptInt, remaining);
    QFETCH(OptInt, extra);
    const WhirlbeamStatusRecord record = DecodeWhirlbeamStatus(line);
    QCOMPARE(record.flags, flags);
    QCOMPARE(record.remainingSeconds, remaining);
    QCOMPARE(record.extraFlags, extra);
}

void RepliesTest::relay_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<OptInt>("minutes");
    QTest::addColumn<int>("on");
    QTest::newRow("on 90") << QByteArray("Y015A") << OptInt(90) << 1;
    QTest::newRow("flags 03 count as on") << QByteArray("X0300") << OptInt(0) << 1;
    QTest::newRow("flags 02 off") << QByteArray("Y0205") << OptInt(5) << 0;
    QTest::newRow("bad minutes") << QByteArray("Y01zz") << OptInt() << -1;
    QTest::newRow("bad flags") << QByteArray("Yzz05") << OptInt(5) << -1;
}

void RepliesTest::relay()
{
    QFETCH(QByteArray, line);
    QFETCH(OptInt, minutes);
    QFETCH(int, on);
    const RelayRecord record = DecodeRelay(line);
    QCOMPARE(record.remainingMinutes, minutes);
    QCOMPARE(record.on ? int(*record.on) : -1, on);
    QCOMPARE(DecodeRelayIrTime("@80FF"), OptInt(255));
}

void RepliesTest::setDateAndTime_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Friday") << SetDateCommand(QDate(2024, 3, 15)) << QByteArray("b2024031505");
    QTest::newRow("Monday") << SetDateCommand(QDate(2024, 1, 1)) << QByteArray("b2024010101");
    QTest::newRow("Sunday") << SetDateCommand(QDate(2024, 1, 7)) << QByteArray("b2024010707");
    QTest::newRow("07:05:09") << SetTimeCommand(QTime(7, 5, 9)) << QByteArray("s070509");
    QTest::newRow("midnight") << SetTimeCommand(QTime(0, 0, 0)) << QByteArray("s000000");
    QTest::newRow("23:59:59") << SetTimeCommand(QTime(23, 59, 59)) << QByteArray("s235959");
    QTest::newRow("clear seconds") << ClearSecondsCommand() << QByteArray("c");
}

void RepliesTest::setDateAndTime()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, expected);
    QCOMPARE(line, expected);
}

QTEST_APPLESS_MAIN(RepliesTest)
#include "tst_replies.moc"
