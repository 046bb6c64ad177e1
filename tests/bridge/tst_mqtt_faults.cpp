// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeamctl mqtt across the faults a bridge meets in months of running:
// the simulated clock unplugged and plugged back in on either link, watched
// through a real broker (Debian's mosquitto on a free port of 127.0.0.1),
// and a broker whose name is not found.

#include "bridge/MqttClient.h"
#include "support/LocalBroker.h"
#include "support/MosquittoBroker.h"

#include <QProcess>
#include <QtTest>

#include <signal.h>

namespace {

constexpr int kWaitMs = 20000;

} // namespace

class TestMqttFaults : public QObject {
    Q_OBJECT
private slots:
    void clockUnpluggedAndBack_data();
    void clockUnpluggedAndBack();
    void brokerNameNotFound();
};

void TestMqttFaults::clockUnpluggedAndBack_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("USB") << QStringLiteral("usb");
    QTest::newRow("serial") << QStringLiteral("serial");
}

// While the clock is away its topics say "offline" and keep their last
// values; back, it says "online" and its values are asked for anew.
void TestMqttFaults::clockUnpluggedAndBack()
{
    QFETCH(QString, link);
    if (BrokerProgram().isEmpty())
        QSKIP("the mosquitto broker is not installed (scripts/setup installs it)");
    MosquittoBroker mosquitto;
    QVERIFY(mosquitto.Start());

    // Every payload of the bridge's availability topic, in order.
    QList<QByteArray> availability;
    QHash<QString, int> received; // messages per topic
    MqttClient::Settings watching;
    watching.host = QStringLiteral("127.0.0.1");
    watching.port = mosquitto.Port();
    watching.clientId = QStringLiteral("tst_mqtt_faults");
    MqttClient observer(watching);
    connect(&observer, &MqttClient::MessageReceived, this,
        [&](const QString& topic, const QByteArray& payload) {
            received[topic] += 1;
            if (topic == QLatin1String("whirlbeam/faults/availability"))
                availability.append(payload);
        });
    observer.Subscribe(QStringLiteral("whirlbeam/faults/#"));
    observer.Start();
    QTRY_VERIFY_WITH_TIMEOUT(observer.IsConnected(), kWaitMs);

    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    bridge.start(QStringLiteral(WHIRLBEAMCTL_BINARY),
        {QStringLiteral("mqtt"), QStringLiteral("--simulate"), link, QStringLiteral("--poll"),
            QStringLiteral("1"), QStringLiteral("--id"), QStringLiteral("faults"), QStringLiteral("--broker"),
            mosquitto.Address()});
    QVERIFY(bridge.waitForStarted());
    const auto stopBridge = qScopeGuard([&] {
        bridge.kill();
        bridge.waitForFinished(5000);
    });
    const QString identity = QStringLiteral("whirlbeam/faults/identity");
    QTRY_COMPARE_WITH_TIMEOUT(availability.value(availability.size() - 1), QByteArray("online"), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(received.value(identity), 1, kWaitMs);

    ::kill(pid_t(bridge.processId()), SIGUSR1);
    QTRY_COMPARE_WITH_TIMEOUT(availability.value(availability.size() - 1), QByteArray("offline"), kWaitMs);
    // The identity is no change: only a new broker connection repeats it.
    received.remove(identity);
    ::kill(pid_t(bridge.processId()), SIGUSR2);
    QTRY_COMPARE_WITH_TIMEOUT(availability.value(availability.size() - 1), QByteArray("online"), kWaitMs);
    // Before the clock's first answer the bridge may have said "offline".
    const QList<QByteArray> sinceFirstAnswer = availability.mid(availability.indexOf("online"));
    QCOMPARE(sinceFirstAnswer, (QList<QByteArray>{"online", "offline", "online"}));
    QCOMPARE(received.value(identity), 0);
    QVERIFY(bridge.state() == QProcess::Running);
    observer.Stop();
}

// A name no resolver knows is a broker away like any other: said, and
// tried again later, while the event loop goes on.
void TestMqttFaults::brokerNameNotFound()
{
    MqttClient::Settings settings;
    settings.host = QStringLiteral("broker.invalid");
    MqttClient client(settings);
    QSignalSpy lost(&client, &MqttClient::Disconnected);
    client.Start();
    QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, kWaitMs);
    QVERIFY(lost.first().at(0).toString().startsWith(QLatin1String("broker.invalid: ")));
    QCOMPARE(lost.first().at(1).toInt(), MqttClient::kFirstRetryMs);
    QVERIFY(!client.IsConnected());
    client.Stop();
}

QTEST_GUILESS_MAIN(TestMqttFaults)
#include "tst_mqtt_faults.moc"
