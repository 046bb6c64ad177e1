// SPDX-License-Identifier: GPL-3.0-or-later
// One run of whirlbeamctl mqtt on the simulated USB clock against a real
// broker (Debian's mosquitto, started here on a free port of 127.0.0.1 and
// stopped at the end), watched by a client of its own.

#include "bridge/MqttClient.h"
#include "support/LocalBroker.h"
#include "support/MosquittoBroker.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr int kWaitMs = 20000;

} // namespace

class TestMqttBroker : public QObject {
    Q_OBJECT
private slots:
    void bridgeOnSimulatedUsbClock();
};

void TestMqttBroker::bridgeOnSimulatedUsbClock()
{
    if (BrokerProgram().isEmpty())
        QSKIP("the mosquitto broker is not installed (scripts/setup installs it)");
    MosquittoBroker mosquitto;
    QVERIFY(mosquitto.Start());
    const int port = mosquitto.Port();

    // What every topic was given last, as the observer saw it.
    QHash<QString, QByteArray> seen;
    MqttClient::Settings watching;
    watching.host = QStringLiteral("127.0.0.1");
    watching.port = port;
    watching.clientId = QStringLiteral("tst_mqtt_broker");
    MqttClient observer(watching);
    connect(&observer, &MqttClient::MessageReceived, this,
        [&seen](const QString& topic, const QByteArray& payload) { seen.insert(topic, payload); });
    observer.Subscribe(QStringLiteral("#"));
    observer.Start(); // the broker may not listen yet: the client tries again after 1 s
    QTRY_VERIFY_WITH_TIMEOUT(observer.IsConnected(), kWaitMs);

    const QString log = mosquitto.FilePath(QStringLiteral("traffic.log"));
    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    bridge.start(QStringLiteral(WHIRLBEAMCTL_BINARY),
        {QStringLiteral("mqtt"), QStringLiteral("--simulate"), QStringLiteral("usb"),
            QStringLiteral("--poll"), QStringLiteral("1"), QStringLiteral("--broker"),
            QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("--log"), log});
    QVERIFY(bridge.waitForStarted());
    const auto stopBridge = qScopeGuard([&] {
        bridge.kill();
        bridge.waitForFinished(5000);
    });

    // The clock id is the simulated clock's USB serial number.
    QString prefix;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (auto it = seen.cbegin(); it != seen.cend(); ++it)
                if (it.key().startsWith(QLatin1String("whirlbeam/"))
                    && it.key().endsWith(QLatin1String("/availability")) && it.value() == "online")
                    prefix = it.key().chopped(int(qstrlen("/availability")));
            return !prefix.isEmpty();
        }(),
        kWaitMs);
    const QString id = prefix.section(QLatin1Char('/'), 1);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(prefix + QStringLiteral("/temperature")), kWaitMs);
    bool number = false;
    seen.value(prefix + QStringLiteral("/temperature")).toInt(&number);
    QVERIFY(number);

    const QString discovery = QStringLiteral("homeassistant/sensor/%1/temperature/config").arg(id);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(discovery), kWaitMs);
    const QJsonObject sensor = QJsonDocument::fromJson(seen.value(discovery)).object();
    QCOMPARE(sensor.value("unique_id").toString(), id + QStringLiteral("_temperature"));
    QCOMPARE(sensor.value("state_topic").toString(), prefix + QStringLiteral("/temperature"));

    // A refused payload: an error, and nothing to the clock; then one that goes.
    observer.Publish(prefix + QStringLiteral("/relay_minutes/set"), "300", false);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(prefix + QStringLiteral("/error")), kWaitMs);
    observer.Publish(prefix + QStringLiteral("/relay_minutes/set"), "7", false);
    QTRY_COMPARE_WITH_TIMEOUT(seen.value(prefix + QStringLiteral("/relay")), QByteArray("ON"), kWaitMs);
    const auto sentSoFar = [&log] {
        QFile traffic(log);
        return traffic.open(QIODevice::ReadOnly) ? traffic.readAll() : QByteArray();
    };
    const QByteArray sent = sentSoFar();
    QVERIFY(sent.contains("> x0107\n"));
    QVERIFY(!sent.contains("> x01"
                           "2C"));

    // An RC5 packet to execute, and the time set on the edge: the date line,
    // then the time line of the second it names.
    observer.Publish(prefix + QStringLiteral("/rc5_send/set"), "5,131", false);
    observer.Publish(prefix + QStringLiteral("/sync_time/set"), "PRESS", false);
    QTRY_VERIFY_WITH_TIMEOUT(sentSoFar().contains("> a0583\n"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(QRegularExpression(QStringLiteral("> b\\d{10}\n(.*\n)*.*> s\\d{6}\n"))
                                 .match(QString::fromLatin1(sentSoFar()))
                                 .hasMatch(),
        kWaitMs);

    // The broker restarted, with nothing retained: the bridge connects again
    // and tells everything anew.
    QVERIFY(mosquitto.Stop());
    QTRY_VERIFY_WITH_TIMEOUT(!observer.IsConnected(), kWaitMs);
    seen.clear();
    QVERIFY(mosquitto.Start());
    QTRY_COMPARE_WITH_TIMEOUT(
        seen.value(prefix + QStringLiteral("/availability")), QByteArray("online"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(discovery), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(prefix + QStringLiteral("/temperature")), kWaitMs);

    // A bridge that ends says so before it leaves.
    bridge.terminate();
    QVERIFY(bridge.waitForFinished(kWaitMs));
    QTRY_COMPARE_WITH_TIMEOUT(
        seen.value(prefix + QStringLiteral("/availability")), QByteArray("offline"), kWaitMs);

    // Forgotten by Home Assistant: every config emptied, the broker named
    // by a config file, the clock by --id alone.
    QFile options(mosquitto.FilePath(QStringLiteral("bridge.conf")));
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write(
        QStringLiteral("# the test's broker\nbroker = 127.0.0.1:%1\nid %2\n").arg(port).arg(id).toUtf8());
    options.close();
    QProcess remover;
    remover.setProcessChannelMode(QProcess::ForwardedChannels);
    remover.start(QStringLiteral(WHIRLBEAMCTL_BINARY),
        {QStringLiteral("mqtt"), QStringLiteral("--remove-discovery"), QStringLiteral("--config"),
            options.fileName()});
    QVERIFY(remover.waitForFinished(kWaitMs));
    QCOMPARE(remover.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (auto it = seen.cbegin(); it != seen.cend(); ++it)
                if (it.key().startsWith(QLatin1String("homeassistant/")) && !it.value().isEmpty())
                    return false;
            return true;
        }(),
        kWaitMs);
    observer.Stop();
}

QTEST_GUILESS_MAIN(TestMqttBroker)
#include "tst_mqtt_broker.moc"
