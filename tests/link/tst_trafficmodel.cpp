// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockConnection.h"
#include "link/TrafficModel.h"
#include "link/TtyAnnouncer.h"
#include "link/hid/HidDevice.h"
#include "support/FakeComPort.h"

#include <QtTest>

namespace {

// One event on the link: "poll d" the tick polls, "queue s01" it sends a
// queued line, "held t12" a line out of turn, "recv T12" a line comes in.
void Replay(ClockConnection& connection, const QStringList& events)
{
    for (const QString& event : events) {
        const QString kind = event.section(QLatin1Char(' '), 0, 0);
        const QByteArray line = event.section(QLatin1Char(' '), 1).toLatin1();
        if (kind == QLatin1String("poll") || kind == QLatin1String("queue"))
            emit connection.Tick().Sending(line, kind == QLatin1String("queue"));
        else if (kind == QLatin1String("held"))
            emit connection.Tick().SentOutOfTurn(line, WallTime());
        else
            emit connection.LineReceived(line);
    }
}

QStringList ShownLines(const TrafficFilter& filter)
{
    QStringList lines;
    for (int row = 0; row < filter.rowCount(); ++row)
        lines << filter.index(row, TrafficModel::LineColumn).data().toString();
    return lines;
}

} // namespace

class TrafficModelTest : public QObject {
    Q_OBJECT

private slots:
    void shownRows_data();
    void shownRows();
    void pausedLinesAreCountedNotKept();
    void detachedModelRecordsNothing();
};

// What the view shows: poll traffic (the poll cycle's requests and the
// replies they bring) hidden unless asked for, the search in line and words,
// and the bound on the rows, the oldest dropped.
void TrafficModelTest::shownRows_data()
{
    QTest::addColumn<int>("filler"); // queued lines sent before the events, in one batch
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("showPoll");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("shown"); // the newest lines shown, oldest first
    QTest::addColumn<int>("count");

    const QStringList mixed{"poll d", "recv D2612093", "queue s01", "recv S01", "poll t", "recv T235959",
        "recv P unasked"};
    QTest::newRow("poll hidden") << 0 << mixed << false << "" << QStringList{"s01", "S01", "P unasked"} << 3;
    QTest::newRow("poll shown") << 0 << mixed << true << ""
                                << QStringList{"d", "D2612093", "s01", "S01", "t", "T235959", "P unasked"} << 7;
    QTest::newRow("search in the line, any case")
        << 0 << mixed << true << "t2359" << QStringList{"T235959"} << 1;
    QTest::newRow("search in the words") << 0 << mixed << true << "23:59:59" << QStringList{"T235959"} << 1;
    QTest::newRow("search and poll hidden") << 0 << mixed << false << "23:59" << QStringList{} << 0;
    QTest::newRow("a queued line's reply is not poll, though a poll waits for its letter")
        << 0 << QStringList{"poll d", "queue d", "recv D2612093", "recv D2612093", "recv D2612093"} << false << ""
        << QStringList{"d", "D2612093", "D2612093"} << 3;
    QTest::newRow("out of turn is not poll")
        << 0 << QStringList{"held t1200", "recv T120000"} << false << "" << QStringList{"t1200", "T120000"} << 2;
    QTest::newRow("escaped as the log writes it")
        << 0 << QStringList{QString::fromLatin1("recv P\x01\xff")} << false << "\\x01" << QStringList{"P\\x01\\xFF"} << 1;
    QTest::newRow("bound reached exactly")
        << TrafficModel::kMaxRows - 1 << QStringList{"queue o"} << false << "" << QStringList{"f9998", "o"}
        << TrafficModel::kMaxRows;
    QTest::newRow("oldest dropped") << TrafficModel::kMaxRows << QStringList{"queue o", "recv O"} << false << ""
                                    << QStringList{"f9999", "o", "O"} << TrafficModel::kMaxRows;
    QTest::newRow("one batch beyond the bound")
        << 2 * TrafficModel::kMaxRows + 3 << QStringList{} << false << ""
        << QStringList{"f20001", "f20002"} << TrafficModel::kMaxRows;
}

void TrafficModelTest::shownRows()
{
    QFETCH(int, filler);
    QFETCH(QStringList, events);
    QFETCH(bool, showPoll);
    QFETCH(QString, search);
    QFETCH(QStringList, shown);
    QFETCH(int, count);

    ClockConnection connection(std::make_unique<FakeComPort>(), nullptr);
    TrafficModel model;
    TrafficFilter filter;
    filter.setSourceModel(&model);
    filter.SetShowPoll(showPoll);
    filter.SetSearch(search);
    model.Attach(connection);
    for (int i = 0; i < filler; ++i)
        emit connection.Tick().Sending(QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0')).toLatin1(), true);
    model.Flush();
    const int before = model.rowCount();
    Replay(connection, events);
    QCOMPARE(model.rowCount(), before); // nothing before the batch
    model.Flush();

    QVERIFY(model.rowCount() <= TrafficModel::kMaxRows);
    QCOMPARE(filter.rowCount(), count);
    QCOMPARE(ShownLines(filter).mid(count - shown.size()), shown);
}

void TrafficModelTest::pausedLinesAreCountedNotKept()
{
    ClockConnection connection(std::make_unique<FakeComPort>(), nullptr);
    TrafficModel model;
    model.Attach(connection);
    QSignalSpy skipped(&model, &TrafficModel::SkippedChanged);
    model.SetPaused(true);
    Replay(connection, {"queue s01", "recv S01"});
    model.SetPaused(false);
    Replay(connection, {"queue s02"});
    QTRY_COMPARE(model.rowCount(), 1); // by the batch timer
    QCOMPARE(model.index(0, TrafficModel::LineColumn).data().toString(), QStringLiteral("s02"));
    QCOMPARE(skipped.at(skipped.size() - 2).at(0).toInt(), 2);
    QCOMPARE(model.Skipped(), 0);
    QCOMPARE(model.LogText({0}).mid(23), QByteArray(" > s02\n"));
}

void TrafficModelTest::detachedModelRecordsNothing()
{
    ClockConnection connection(std::make_unique<FakeComPort>(), nullptr);
    TrafficModel model;
    model.Attach(connection);
    model.Detach();
    Replay(connection, {"queue s01", "recv S01"});
    model.Flush();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TrafficModelTest)
#include "tst_trafficmodel.moc"
