// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeamctl mqtt over TLS: a broker with a certificate made here (openssl
// req, self-signed, for 127.0.0.1) on a free port of 127.0.0.1, the bridge
// and a watching client both checking it against that certificate alone.

#include "bridge/MqttClient.h"
#include "support/LocalBroker.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kWaitMs = 20000;

bool Write(const QString& file, const QByteArray& text)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

// The broker drops its privileges when started as root: its files must be
// readable by anyone (a test key, worth nothing).
bool MakeCertificate(const QTemporaryDir& folder)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
        {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
            "subjectAltName=IP:127.0.0.1", "-keyout", folder.filePath("key.pem"), "-out",
            folder.filePath("cert.pem")});
    if (!openssl.waitForFinished(kWaitMs) || openssl.exitCode() != 0)
        return false;
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    return QFile::setPermissions(folder.path(),
               readable | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther)
        && QFile::setPermissions(folder.filePath("key.pem"), readable);
}

} // namespace

class TestMqttTls : public QObject {
    Q_OBJECT
private slots:
    void unreadableCaFileRefused();
    void bridgeOverTls();
};

void TestMqttTls::unreadableCaFileRefused()
{
    QProcess bridge;
    bridge.start(QStringLiteral(WHIRLBEAMCTL_BINARY),
        {"mqtt", "--simulate", "usb", "--cafile", "/nonexistent/ca.pem", "--broker", "127.0.0.1:1"});
    QVERIFY(bridge.waitForFinished(kWaitMs));
    QCOMPARE(bridge.exitCode(), 6);
    const QByteArray error = bridge.readAllStandardError();
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.contains("/nonexistent/ca.pem"), error);
}

void TestMqttTls::bridgeOverTls()
{
    const QString broker = BrokerProgram();
    if (broker.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
        QSKIP("mosquitto or openssl is not installed (scripts/setup installs them)");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(MakeCertificate(folder));
    const QString certificate = folder.filePath(QStringLiteral("cert.pem"));
    const int port = FreeLoopbackPort();
    QVERIFY(port > 0);
    const QString config = folder.filePath(QStringLiteral("mosquitto.conf"));
    QVERIFY(Write(config,
        QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\nlog_type error\n"
                       "certfile %2\nkeyfile %3\n")
            .arg(port)
            .arg(certificate, folder.filePath(QStringLiteral("key.pem")))
            .toUtf8()));
    QProcess mosquitto;
    mosquitto.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mosquitto.start(broker, {QStringLiteral("-c"), config});
    QVERIFY(mosquitto.waitForStarted());
    const auto stopBroker = qScopeGuard([&] {
        mosquitto.terminate();
        mosquitto.waitForFinished(5000);
    });

    QHash<QString, QByteArray> seen;
    MqttClient::Settings watching;
    watching.host = QStringLiteral("127.0.0.1");
    watching.port = port;
    watching.clientId = QStringLiteral("tst_mqtt_tls");
    watching.tls = true;
    watching.caFile = certificate;
    MqttClient observer(watching);
    connect(&observer, &MqttClient::MessageReceived, this,
        [&seen](const QString& topic, const QByteArray& payload) { seen.insert(topic, payload); });
    observer.Subscribe(QStringLiteral("whirlbeam/#"));
    // The broker may not listen yet: a refused handshake is tried again after 1 s.
    observer.Start();
    QTRY_VERIFY_WITH_TIMEOUT(observer.IsConnected(), kWaitMs);

    QProcess bridge;
    bridge.setProcessChannelMode(QProcess::ForwardedChannels);
    bridge.start(QStringLiteral(WHIRLBEAMCTL_BINARY),
        {"mqtt", "--simulate", "usb", "--id", "TLS1", "--broker", QStringLiteral("127.0.0.1:%1").arg(port),
            "--cafile", certificate});
    QVERIFY(bridge.waitForStarted());
    const auto stopBridge = qScopeGuard([&] {
        bridge.kill();
        bridge.waitForFinished(5000);
    });
    QTRY_COMPARE_WITH_TIMEOUT(seen.value("whirlbeam/TLS1/availability"), QByteArray("online"), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains("whirlbeam/TLS1/temperature"), kWaitMs);
    bridge.terminate();
    QVERIFY(bridge.waitForFinished(kWaitMs));
    QTRY_COMPARE_WITH_TIMEOUT(seen.value("whirlbeam/TLS1/availability"), QByteArray("offline"), kWaitMs);
    observer.Stop();
}

QTEST_GUILESS_MAIN(TestMqttTls)
#include "tst_mqtt_tls.moc"
