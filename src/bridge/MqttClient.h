// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class QHostInfo;
class QSocketNotifier;
struct mosquitto;

// A connection to an MQTT broker (MQTT 3.1.1, libmosquitto) run by the
// event loop of the thread that owns it: the client's socket is watched by
// notifiers (for writing only while libmosquitto has something to send) and
// a slow timer runs its keepalive; no thread of its own (the broker's name
// is looked up on the thread of Qt's resolver, which only waits), nothing
// polls.
// After the broker goes away it connects again after 1 s, then 2, 4 ... at
// most 60 s between tries, and subscribes again to what it was asked to.
// Nothing it does throws.
class MqttClient : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString host = QStringLiteral("localhost");
        int port = 1883;
        QString clientId; // empty: the library makes one
        QString username; // empty: none
        QByteArray password;
        int keepaliveSeconds = 30;
        // TLS, the broker's certificate checked against caFile's CAs, or
        // those of caPath without one.
        bool tls = false;
        QString caFile;
        QString caPath = QStringLiteral("/etc/ssl/certs");
        // The last will, sent by the broker when this client dies.
        QString willTopic;
        QByteArray willPayload;
        bool willRetained = true;
    };

    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLongestRetryMs = 60000;

    explicit MqttClient(Settings settings, QObject* parent = nullptr);
    ~MqttClient() override;

    // Starts connecting; Connected follows, or Disconnected and a retry.
    void Start();
    bool IsConnected() const { return connected_; }
    // Sends the last words and leaves the broker cleanly (no last will).
    void Stop(
        const QString& topic = QString(), const QByteArray& payload = QByteArray(), bool retained = true);
    // false while not connected: what is published then is lost.
    bool Publish(const QString& topic, const QByteArray& payload, bool retained, int qos = 1);
    // Kept, and sent again after every new connection.
    void Subscribe(const QString& pattern);

signals:
    void Connected();
    // why: what the library said, for one line on standard error; the
    // next try follows in retryMs.
    void Disconnected(const QString& why, int retryMs);
    void MessageReceived(const QString& topic, const QByteArray& payload);

private:
    static void OnConnect(mosquitto* client, void* self, int code);
    static void OnDisconnect(mosquitto* client, void* self, int code);
    static void OnMessage(mosquitto* client, void* self, const struct mosquitto_message* message);

    void SetUpTls();
    void Connect();
    void Resolved(const QHostInfo& found);
    void Watch();
    void Unwatch();
    void Read();
    void Write();
    void Misc();
    void UpdateWriteWatch();
    void Handle(int code);
    void Lost(const QString& why);
    int RetryLater();

    Settings settings_;
    mosquitto* client_ = nullptr;
    std::unique_ptr<QSocketNotifier> reading_;
    std::unique_ptr<QSocketNotifier> writing_;
    QTimer misc_;
    QTimer retry_;
    QStringList subscriptions_;
    int retryMs_ = kFirstRetryMs;
    int lookup_ = -1; // the broker's name being looked up
    bool started_ = false; // a connection was attempted once: later ones reconnect
    bool connected_ = false;
    bool stopping_ = false;
};

struct MqttMessage;

// Connects once, publishes the messages and leaves: for a run that only
// tells the broker something (the removal of the discovery configs). False
// when the broker did not take the connection within timeoutMs.
bool PublishOnce(const MqttClient::Settings& settings, const QList<MqttMessage>& messages, int timeoutMs);
