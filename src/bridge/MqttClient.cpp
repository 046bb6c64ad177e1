// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttClient.h"

#include "bridge/MqttEntities.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <mosquitto.h>
#include <sys/socket.h>

namespace {

// libmosquitto wants its global state made once per process; it is kept
// until the process ends.
void InitLibraryOnce()
{
    static const bool done = [] {
        mosquitto_lib_init();
        return true;
    }();
    Q_UNUSED(done);
}

// How often the keepalive and the resending of unacknowledged messages run:
// well within the keepalive, few wakeups.
constexpr int kMiscIntervalMs = 5000;

void ReleaseLater(std::unique_ptr<QSocketNotifier>& notifier)
{
    if (!notifier)
        return;
    // It may be the one whose signal runs now.
    notifier->setEnabled(false);
    notifier.release()->deleteLater();
}

// Under TLS, libmosquitto 2.0 takes a connection refused during its
// handshake for a handshake still under way, and the hung-up socket would
// wake the read notifier without end: a socket that ended before the broker
// took the connection is a lost one.
bool SocketEnded(int socket)
{
    char byte = 0;
    const ssize_t got = ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

} // namespace

MqttClient::MqttClient(Settings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
{
    InitLibraryOnce();
    const QByteArray id = settings_.clientId.toUtf8();
    client_ = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    mosquitto_int_option(client_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(client_, &MqttClient::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttClient::OnDisconnect);
    mosquitto_message_callback_set(client_, &MqttClient::OnMessage);
    if (!settings_.willTopic.isEmpty())
        mosquitto_will_set(client_, settings_.willTopic.toUtf8().constData(),
            int(settings_.willPayload.size()), settings_.willPayload.constData(), 1, settings_.willRetained);
    if (!settings_.username.isEmpty())
        mosquitto_username_pw_set(client_, settings_.username.toUtf8().constData(),
            settings_.password.isNull() ? nullptr : settings_.password.constData());
    SetUpTls();
    misc_.setInterval(kMiscIntervalMs);
    connect(&misc_, &QTimer::timeout, this, &MqttClient::Misc);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &MqttClient::Connect);
}

// A CA file that cannot be read fails here; the connection then fails its
// handshake and is tried again as any other (its owner checks the file first).
void MqttClient::SetUpTls()
{
    if (!settings_.tls)
        return;
    const QByteArray file = settings_.caFile.toUtf8();
    const QByteArray folder = settings_.caPath.toUtf8();
    mosquitto_tls_set(client_, file.isEmpty() ? nullptr : file.constData(),
        file.isEmpty() ? folder.constData() : nullptr, nullptr, nullptr, nullptr);
}

MqttClient::~MqttClient()
{
    reading_.reset();
    writing_.reset();
    mosquitto_destroy(client_);
}

void MqttClient::Start()
{
    stopping_ = false;
    Connect();
}

// libmosquitto looks the broker's name up itself, on the event loop: a
// name server that does not answer would stop the bridge's loop (the clock
// unasked, commands unsent) for its whole timeout. Qt's resolver asks first,
// waiting on a thread of its own; the library's lookup that follows finds a
// name that has just answered.
void MqttClient::Connect()
{
    lookup_ = QHostInfo::lookupHost(settings_.host, this, &MqttClient::Resolved);
}

void MqttClient::Resolved(const QHostInfo& found)
{
    lookup_ = -1;
    if (stopping_)
        return;
    if (found.error() != QHostInfo::NoError || found.addresses().isEmpty()) {
        Lost(QStringLiteral("%1: %2").arg(settings_.host, found.errorString()));
        return;
    }
    const int code = started_ ? mosquitto_reconnect_async(client_)
                              : mosquitto_connect_async(client_, settings_.host.toUtf8().constData(),
                                  settings_.port, settings_.keepaliveSeconds);
    started_ = true;
    if (code != MOSQ_ERR_SUCCESS) {
        Lost(QString::fromUtf8(mosquitto_strerror(code)));
        return;
    }
    Watch();
}

void MqttClient::Watch()
{
    Unwatch();
    const int socket = mosquitto_socket(client_);
    if (socket < 0)
        return;
    reading_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    connect(reading_.get(), &QSocketNotifier::activated, this, &MqttClient::Read);
    writing_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
    connect(writing_.get(), &QSocketNotifier::activated, this, &MqttClient::Write);
    misc_.start();
    UpdateWriteWatch();
}

void MqttClient::Unwatch()
{
    ReleaseLater(reading_);
    ReleaseLater(writing_);
    misc_.stop();
}

void MqttClient::Read()
{
    if (!connected_ && SocketEnded(mosquitto_socket(client_))) {
        Handle(MOSQ_ERR_CONN_LOST);
        return;
    }
    Handle(mosquitto_loop_read(client_, 1));
}

void MqttClient::Write() { Handle(mosquitto_loop_write(client_, 1)); }

void MqttClient::Misc() { Handle(mosquitto_loop_misc(client_)); }

// Written only while libmosquitto holds something to send (the connect
// packet too, until the connection is made).
void MqttClient::UpdateWriteWatch()
{
    if (writing_)
        writing_->setEnabled(mosquitto_want_write(client_));
}

void MqttClient::Handle(int code)
{
    if (code == MOSQ_ERR_SUCCESS) {
        UpdateWriteWatch();
        return;
    }
    // The library has closed the socket and said so through OnDisconnect,
    // where it could; a socket that is still open is closed here.
    if (mosquitto_socket(client_) >= 0)
        mosquitto_disconnect(client_);
    Lost(QString::fromUtf8(mosquitto_strerror(code)));
}

void MqttClient::Lost(const QString& why)
{
    Unwatch();
    const bool wasConnected = connected_;
    connected_ = false;
    if (stopping_)
        return;
    // The library may tell of one loss twice: through its callback and
    // through what its loop returns.
    if (!retry_.isActive())
        emit Disconnected(why, RetryLater());
    else if (wasConnected)
        emit Disconnected(why, retry_.remainingTime());
}

int MqttClient::RetryLater()
{
    const int delay = retryMs_;
    retry_.start(delay);
    retryMs_ = std::min(retryMs_ * 2, kLongestRetryMs);
    return delay;
}

void MqttClient::Stop(const QString& topic, const QByteArray& payload, bool retained)
{
    stopping_ = true;
    retry_.stop();
    if (lookup_ >= 0)
        QHostInfo::abortHostLookup(lookup_);
    lookup_ = -1;
    if (connected_) {
        if (!topic.isEmpty())
            Publish(topic, payload, retained, 0);
        mosquitto_disconnect(client_);
        // The last words and the disconnect go out before the socket closes.
        mosquitto_loop_write(client_, 1);
    }
    connected_ = false;
    Unwatch();
}

bool MqttClient::Publish(const QString& topic, const QByteArray& payload, bool retained, int qos)
{
    if (!connected_)
        return false;
    const int code = mosquitto_publish(client_, nullptr, topic.toUtf8().constData(), int(payload.size()),
        payload.constData(), qos, retained);
    UpdateWriteWatch();
    return code == MOSQ_ERR_SUCCESS;
}

void MqttClient::Subscribe(const QString& pattern)
{
    if (!subscriptions_.contains(pattern))
        subscriptions_ << pattern;
    if (connected_)
        mosquitto_subscribe(client_, nullptr, pattern.toUtf8().constData(), 1);
    UpdateWriteWatch();
}

void MqttClient::OnConnect(mosquitto*, void* self, int code)
{
    auto* client = static_cast<MqttClient*>(self);
    if (code != 0) {
        // Refused (bad credentials, say): tried again later, as a lost connection.
        QMetaObject::invokeMethod(
            client, [client, code] { client->Handle(code == 5 ? MOSQ_ERR_AUTH : MOSQ_ERR_CONN_REFUSED); },
            Qt::QueuedConnection);
        return;
    }
    client->connected_ = true;
    client->retryMs_ = kFirstRetryMs;
    for (const QString& pattern : std::as_const(client->subscriptions_))
        mosquitto_subscribe(client->client_, nullptr, pattern.toUtf8().constData(), 1);
    emit client->Connected();
}

void MqttClient::OnDisconnect(mosquitto*, void* self, int code)
{
    auto* client = static_cast<MqttClient*>(self);
    if (client->stopping_)
        return;
    const QString why
        = code == 0 ? QStringLiteral("disconnected") : QString::fromUtf8(mosquitto_strerror(code));
    // Called from within the library's read or write; handled after it returns.
    QMetaObject::invokeMethod(
        client, [client, why] { client->Lost(why); }, Qt::QueuedConnection);
}

void MqttClient::OnMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    auto* client = static_cast<MqttClient*>(self);
    emit client->MessageReceived(QString::fromUtf8(message->topic),
        QByteArray(static_cast<const char*>(message->payload), message->payloadlen));
}

bool PublishOnce(const MqttClient::Settings& settings, const QList<MqttMessage>& messages, int timeoutMs)
{
    MqttClient client(settings);
    QEventLoop loop;
    // Queued: Connected comes from within the library's callback, where
    // leaving the broker would wait on the library's own lock.
    QObject::connect(
        &client, &MqttClient::Connected, &loop,
        [&] {
            for (const MqttMessage& message : messages)
                // QoS 0: sent at once, not held back for acknowledgements that the
                // disconnect below would never wait for.
                client.Publish(message.topic, message.payload, message.retained, 0);
            client.Stop();
            loop.exit(0);
        },
        Qt::QueuedConnection);
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.exit(1); });
    client.Start();
    if (loop.exec() == 0)
        return true;
    client.Stop();
    return false;
}
