// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/ClockModel.h"
#include "clock/ConnectionSequence.h"
#include "link/CommandQueue.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QString Optional(const std::optional<int>& value) { return value ? QString::number(*value) : QStringLiteral("-"); }

// One fact of the clock, in words a table can hold.
QString Fact(const ClockFacts& f, const QString& name)
{
    const QMap<QString, std::function<QString()>> facts = {
        {"alarmCount", [&] { return QString::number(f.alarmCount); }},
        {"initialLoad", [&] { return f.initialLoad ? QStringLiteral("yes") : QStringLiteral("no"); }},
        {"identification", [&] { return QString::fromLatin1(f.identification.line); }},
        {"version", [&] { return Optional(f.version.major); }},
        {"date", [&] { return f.date.date ? f.date.date->toString(Qt::ISODate) : QStringLiteral("-"); }},
        {"time", [&] { return f.time.time ? f.time.time->toString() : QStringLiteral("-"); }},
        {"status", [&] {
             return Optional(f.status.flags) + "/" + Optional(f.status.remainingSeconds) + "/"
                 + Optional(f.status.extraFlags);
         }},
        {"relay", [&] { return Optional(f.relay.remainingMinutes) + "/" + (f.relay.on ? QString::number(*f.relay.on) : "-"); }},
        {"sound", [&] {
             return Optional(f.soundTimes.fromHour) + "/" + Optional(f.soundTimes.toHour) + "/"
                 + Optional(f.soundTimes.lightLimit);
         }},
        {"hour0", [&] { return QString::number(f.hourFigures[0]); }},
        {"hour23", [&] { return QString::number(f.hourFigures[23]); }},
        {"alarm5", [&] {
             const AlarmSettings& a = f.alarms[5];
             return QStringLiteral("%1 %2 %3:%4").arg(QString::fromLatin1(a.row)).arg(a.enabled).arg(a.hour).arg(a.minute);
         }},
        {"rc5", [&] {
             return QString::number(f.rc5Packets.size()) + " "
                 + (f.rc5Packets.isEmpty() ? QString() : QString::fromLatin1(f.rc5Packets.last().command));
         }},
    };
    return facts.value(name)();
}

} // namespace

class ClockModelTest : public QObject {
    Q_OBJECT

private slots:
    void facts_data();
    void facts();
    void changeSignals_data();
    void changeSignals();
    void forgetKeepsTheSession();
    void keepsTheLastRc5Packets();
    void sequence_data();
    void sequence();
};

// Lines in the order they came, and one fact afterwards: a field that
// failed keeps what was known, a line of no kind changes nothing.
void ClockModelTest::facts_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QString>("fact");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing known") << QByteArrayList{} << "status" << "-/-/-";
    QTest::newRow("config count") << QByteArrayList{"O2005"} << "alarmCount" << "20";
    QTest::newRow("config without count") << QByteArrayList{"O2005", "Ox005"} << "alarmCount" << "20";
    QTest::newRow("identification") << QByteArrayList{"PELK"} << "identification" << "PELK";
    QTest::newRow("version not a number") << QByteArrayList{"V402", "V"} << "version" << "40";
    QTest::newRow("date") << QByteArrayList{"D2024031505"} << "date" << "2024-03-15";
    QTest::newRow("no such date") << QByteArrayList{"D2024031505", "D2024131505"} << "date" << "2024-03-15";
    QTest::newRow("time") << QByteArrayList{"T120000", "T246000"} << "time" << "12:00:00";
    QTest::newRow("status whole") << QByteArrayList{"W8200000A"} << "status" << "130/10/0";
    QTest::newRow("status cut short keeps the rest")
        << QByteArrayList{"W8200000A", "W0A80"} << "status" << "10/10/0";
    QTest::newRow("relay") << QByteArrayList{"X0100"} << "relay" << "0/1";
    QTest::newRow("sound times cut short") << QByteArrayList{"R250764", "Q"} << "sound" << "25/7/100";
    QTest::newRow("statistics hour 0") << QByteArrayList{"FA0E050"} << "hour0" << "80";
    QTest::newRow("statistics hour 23") << QByteArrayList{"FA0F73C"} << "hour23" << "60";
    QTest::newRow("other memory") << QByteArrayList{"FA0DF11"} << "hour0" << "0";
    QTest::newRow("alarm row 5") << QByteArrayList{"L0581063013"} << "alarm5" << "05 1 6:30";
    QTest::newRow("alarm of no row") << QByteArrayList{"LxxFF07008A"} << "alarm5" << "05 0 0:0";
    QTest::newRow("first read ends") << QByteArrayList{"Z"} << "initialLoad" << "no";
    QTest::newRow("no kind") << QByteArrayList{"U1234", "1", ""} << "initialLoad" << "yes";
}

void ClockModelTest::facts()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QString, fact);
    QFETCH(QString, expected);
    ClockModel model;
    for (const QByteArray& line : lines)
        model.Take(line);
    QCOMPARE(Fact(model.Facts(), fact), expected);
}

// Each kind tells its observers once per line, a record whose first field
// failed not at all.
void ClockModelTest::changeSignals_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("count");

    QTest::newRow("identification") << QByteArray("Pelk") << QByteArray(SIGNAL(IdentificationChanged(IdentificationRecord))) << 1;
    QTest::newRow("version") << QByteArray("V04") << QByteArray(SIGNAL(VersionChanged(VersionRecord))) << 1;
    QTest::newRow("version no number") << QByteArray("V") << QByteArray(SIGNAL(VersionChanged(VersionRecord))) << 0;
    QTest::newRow("date") << QByteArray("D2024022904") << QByteArray(SIGNAL(DateChanged(DateRecord))) << 1;
    QTest::newRow("status") << QByteArray("W00000000") << QByteArray(SIGNAL(StatusChanged(WhirlbeamStatusRecord))) << 1;
    QTest::newRow("relay ir") << QByteArray("@80x") << QByteArray(SIGNAL(RelayIrTimeChanged(RelayIrTimeRecord))) << 0;
    QTest::newRow("statistics") << QByteArray("FA0F73C") << QByteArray(SIGNAL(HourFigureRead(int,bool))) << 1;
    QTest::newRow("alarm") << QByteArray("L0500083060") << QByteArray(SIGNAL(AlarmChanged(AlarmRecord))) << 1;
    QTest::newRow("rc5") << QByteArray("A1D0C") << QByteArray(SIGNAL(Rc5PacketReceived(Rc5PacketRecord))) << 1;
    QTest::newRow("end of read") << QByteArray("Z") << QByteArray(SIGNAL(ReadEnded(bool))) << 1;
}

void ClockModelTest::changeSignals()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, signal);
    QFETCH(int, count);
    ClockModel model;
    QSignalSpy spy(&model, signal.constData());
    model.Take(line);
    QCOMPARE(spy.count(), count);
}

void ClockModelTest::forgetKeepsTheSession()
{
    ClockModel model;
    for (const char* line : {"O2005", "Z", "W8200000A", "FA0F73C"})
        model.Take(line);
    model.Forget();
    QCOMPARE(Fact(model.Facts(), "status"), "-/-/-");
    QCOMPARE(model.Facts().alarmCount, 20);
    QCOMPARE(model.Facts().initialLoad, false);
    QCOMPARE(model.Facts().hourFigures[23], 60);
    model.Reset();
    QCOMPARE(model.Facts().initialLoad, true);
}

void ClockModelTest::keepsTheLastRc5Packets()
{
    ClockModel model;
    for (int i = 0; i < ClockFacts::kRc5Packets + 3; ++i)
        model.Take("A1" + QByteArray::number(i % 10));
    QCOMPARE(model.Facts().rc5Packets.size(), ClockFacts::kRc5Packets);
    QCOMPARE(Fact(model.Facts(), "rc5"), QString::number(ClockFacts::kRc5Packets) + " " + model.Facts().rc5Packets.last().command);
}

// What the panel queues in answer to the replies that steer the connection.
void ClockModelTest::sequence_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("queued");

    QTest::newRow("a whirlbeam clock") << QByteArray("Pelk clock") << QByteArrayList{"x"};
    QTest::newRow("no whirlbeam clock") << QByteArray("PELK") << QByteArrayList{"p"};
    QTest::newRow("version 4") << QByteArray("V402") << QByteArrayList{"x"};
    QTest::newRow("version 2") << QByteArray("V2") << QByteArrayList{"p", "v"};
    QTest::newRow("version no number") << QByteArray("V") << QByteArrayList{"x"};
    QTest::newRow("two alarms") << QByteArray("O0205") << QByteArrayList{"x", "l00", "l01", "z0190"};
    QTest::newRow("no alarm count") << QByteArray("Ox005") << QByteArrayList{"x"};
}

void ClockModelTest::sequence()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, queued);
    ClockModel model;
    CommandQueue queue;
    ConnectionSequence sequence(model, queue);
    queue.Append("x");
    model.Take(line);
    QByteArrayList lines;
    while (queue.Count() > 0)
        lines << queue.TakeFirst();
    QCOMPARE(lines, queued);
}

QTEST_GUILESS_MAIN(ClockModelTest)
#include "tst_clockmodel.moc"
