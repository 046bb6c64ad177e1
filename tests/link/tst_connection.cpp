// SPDX-License-Identifier: GPL-3.0-or-later
// The clock connection's states and faults, over a fake port, in-process
// HID devices and announcements made by hand.

#include "link/ClockConnection.h"
#include "link/TtyAnnouncer.h"
#include "support/FakeComPort.h"
#include "support/FakeHid.h"

#include <QtTest>
#include <cerrno>

namespace {

class HandAnnouncer : public TtyAnnouncer {
public:
    bool Start() override { return listening = true; }
    void Stop() override { listening = false; }
    void Announce() { emit Announced(); }
    bool listening = false;
};

// The connection and its devices, driven step by step.
struct Rig {
    FakeComPort* port = new FakeComPort;
    FakeHidController* hid = new FakeHidController;
    HandAnnouncer* announcer = new HandAnnouncer;
    ClockConnection connection{std::unique_ptr<TCustomComPort>(port), std::unique_ptr<TJvHidDeviceController>(hid),
        std::unique_ptr<TtyAnnouncer>(announcer)};
    FakeHidDevice clock;
    FakeHidDevice other;
    QString states; // each state entered: C(losed), o(pening), O(pen), W(aiting)
    int opens = 0;
    QList<LinkFailure> failures;

    Rig()
    {
        clock.serial = QStringLiteral("A1");
        other.serial = QStringLiteral("B2");
        QObject::connect(&connection, &ClockConnection::StateChanged,
            [this](ClockConnection::State state) { states += "CoOW"[int(state)]; });
        QObject::connect(&connection, &ClockConnection::AfterOpen, [this] { ++opens; });
        QObject::connect(&connection, &ClockConnection::Failed, [this](const LinkFailure& why) { failures << why; });
        Plug({&clock});
    }
    void Plug(const QList<FakeHidDevice*>& devices)
    {
        hid->devices = devices;
        hid->Change();
    }
    qsizetype Sent() const { return port->writes.size() + clock.reports.size() + other.reports.size(); }

    void Step(const QString& step, bool usb)
    {
        if (step == QLatin1String("open")) {
            QVERIFY(usb ? connection.OpenUsbClock(QString()) : connection.Open(LinkKind::Serial));
        } else if (step == QLatin1String("eio")) {
            // The node is gone with the device: it will not open until it is back.
            port->failOpenWith = ENOENT;
            port->failReadWith = EIO;
            port->closesOnFailure = true;
            port->Receive("W");
        } else if (step == QLatin1String("hangup")) {
            port->failOpenWith = ENOENT;
            port->HangUp();
        } else if (step == QLatin1String("writefails")) {
            port->failOpenWith = ENOENT;
            port->failWriteWith = EIO;
            port->closesOnFailure = true;
            connection.Tick().Tick();
        } else if (step == QLatin1String("locked")) {
            // Back, but udev has yet to give it its rights.
            port->failOpenWith = EACCES;
            announcer->Announce();
        } else if (step == QLatin1String("back")) {
            port->failOpenWith = port->failReadWith = port->failWriteWith = 0;
            if (usb)
                Plug({&clock});
            else
                announcer->Announce();
        } else if (step == QLatin1String("unplug")) {
            Plug({});
        } else if (step == QLatin1String("another")) {
            Plug({&other});
        } else if (step == QLatin1String("close")) {
            QVERIFY(connection.Close());
        }
    }
};

} // namespace

class ConnectionTest : public QObject {
    Q_OBJECT

private slots:
    void statesAndFaults_data();
    void statesAndFaults();
};

void ConnectionTest::statesAndFaults_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<bool>("reconnect");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("losses");

    QTest::newRow("serial: EIO on read, back") << false << true << "open eio back" << "oOCWO" << 2 << 1;
    QTest::newRow("serial: hang-up, back") << false << true << "open hangup back" << "oOCWO" << 2 << 1;
    QTest::newRow("serial: write fails, back") << false << true << "open writefails back" << "oOCWO" << 2 << 1;
    QTest::newRow("serial: back but not yet openable")
        << false << true << "open hangup locked back" << "oOCWO" << 2 << 1;
    QTest::newRow("serial: reconnect off") << false << false << "open hangup back" << "oOC" << 1 << 1;
    QTest::newRow("serial: closed by the owner") << false << true << "open close back" << "oOC" << 1 << 0;
    QTest::newRow("serial: return after closing while waiting")
        << false << true << "open hangup close back" << "oOCWC" << 1 << 1;
    QTest::newRow("usb: unplugged, back") << true << true << "open unplug back" << "oOCWO" << 2 << 1;
    QTest::newRow("usb: another clock does not count")
        << true << true << "open unplug another" << "oOCW" << 1 << 1;
    QTest::newRow("usb: another, then the same") << true << true << "open unplug another back" << "oOCWO" << 2 << 1;
    QTest::newRow("usb: reconnect off") << true << false << "open unplug back" << "oOC" << 1 << 1;
    QTest::newRow("usb: return after closing while waiting")
        << true << true << "open unplug close back" << "oOCWC" << 1 << 1;
}

// Nothing goes out while the clock is away; a return starts the poll cycle
// and the reply watch afresh, with the queue of the clock that went empty.
void ConnectionTest::statesAndFaults()
{
    QFETCH(bool, usb);
    QFETCH(bool, reconnect);
    QFETCH(QString, steps);
    QFETCH(QString, states);
    QFETCH(int, opens);
    QFETCH(int, losses);
    Rig rig;
    rig.connection.SetReconnect(reconnect);
    rig.connection.Tick().SetPolling(true);
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        rig.Step(step, usb);
        const bool waiting = rig.connection.CurrentState() == ClockConnection::State::WaitingForReturn;
        if (waiting) {
            rig.connection.Tick().Queue.Append("c");
            rig.connection.Tick().NoteReply("W8E000000");
        }
        const qsizetype sent = rig.Sent();
        rig.connection.Tick().Tick();
        QCOMPARE(rig.Sent() > sent, rig.connection.CurrentState() == ClockConnection::State::Open);
        QCOMPARE(rig.announcer->listening, waiting && !usb);
        if (waiting)
            QCOMPARE(rig.connection.Awaited(), usb ? QStringLiteral("A1") : QStringLiteral("/dev/ttyS0"));
    }
    QCOMPARE(rig.states, states);
    QCOMPARE(rig.opens, opens);
    int gone = 0;
    for (const LinkFailure& why : rig.failures)
        gone += why.kind == LinkFailure::Kind::Gone;
    QCOMPARE(gone, losses);
    if (opens == 2) {
        QCOMPARE(rig.connection.Tick().LastCommand, QByteArray("p"));
        QCOMPARE(rig.connection.Tick().Queue.Count(), 0);
        QCOMPARE(rig.connection.Kind(), usb ? LinkKind::Usb : LinkKind::Serial);
        if (usb)
            QCOMPARE(rig.connection.HookedDevice(), rig.hid->DeviceOf(rig.clock));
    }
}

QTEST_MAIN(ConnectionTest)
#include "tst_connection.moc"
