// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MqttSubcommand.h"

#include "bridge/MqttBridge.h"
#include "bridge/MqttClient.h"
#include "cli/CliTexts.h"
#include "link/ClockSession.h"
#include "link/hid/HidDevice.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Each wait of the session runs this long; the bridge lives across them.
constexpr int kWaitMs = 3600 * 1000;

// The password's file must not be readable by anyone but its owner: a
// password on the command line or in a shared file is no secret.
Outcome ReadPassword(const QString& file, QByteArray* password)
{
    if (file.isEmpty())
        return {};
    const QFileInfo info(file);
    if (!info.exists())
        return Outcome::Fail(ExitCode::BadFile, CliTexts::tr("%1: no such file").arg(file));
    if (info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther))
        return Outcome::Fail(ExitCode::BadFile,
            CliTexts::tr("%1 is readable or writable by others; allow its owner alone (chmod 600)")
                .arg(file));
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return Outcome::Fail(
            ExitCode::BadFile, CliTexts::tr("cannot read %1: %2").arg(file, source.errorString()));
    *password = source.readLine(4096);
    while (password->endsWith('\n') || password->endsWith('\r'))
        password->chop(1);
    return {};
}

// Checked at the start: libmosquitto would only fail each handshake.
Outcome CheckCaFile(const QString& file)
{
    if (file.isEmpty())
        return {};
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return Outcome::Fail(
            ExitCode::BadFile, CliTexts::tr("cannot read %1: %2").arg(file, source.errorString()));
    return {};
}

// The USB clock's serial number, or the name of the serial device as udev
// keeps it for the adapter (by-id), or the port's name.
QString ClockIdOf(ClockConnection& connection)
{
    if (connection.Kind() == LinkKind::Usb) {
        TJvHidDevice* device = connection.HookedDevice();
        const QString serial = device ? device->Info().serial : QString();
        return MqttClockId(serial.isEmpty() ? QFileInfo(connection.Link().Device()).fileName() : serial);
    }
    const QString device = connection.Link().Device();
    const QString byId = device.startsWith(QLatin1String("/dev/serial/by-id/")) ? device : ByIdLinkOf(device);
    return MqttClockId(QFileInfo(byId.isEmpty() ? connection.Link().GivenName() : byId).fileName());
}

MqttNames NamesOf(const MqttOptions& options, const QString& clockId)
{
    MqttNames names;
    names.clockId = clockId;
    names.prefix
        = options.topicPrefix.isEmpty() ? QStringLiteral("whirlbeam/") + clockId : options.topicPrefix;
    names.discoveryPrefix = options.discoveryPrefix;
    return names;
}

MqttBridge::Settings BridgeSettings(const MqttOptions& options, ClockConnection& connection)
{
    MqttBridge::Settings settings;
    settings.names = NamesOf(options, options.clockId.isEmpty() ? ClockIdOf(connection) : options.clockId);
    settings.discovery = options.discovery;
    settings.pollMs = options.pollSeconds * 1000;
    settings.allowRaw = options.allowRaw;
    return settings;
}

// The broker says "offline" for the bridge when it dies without a word.
MqttClient::Settings BrokerSettings(
    const MqttOptions& options, const MqttNames& names, const QByteArray& password)
{
    MqttClient::Settings broker;
    broker.host = options.host;
    broker.port = options.port;
    broker.clientId = QStringLiteral("whirlbeamctl-") + names.clockId;
    broker.username = options.username;
    broker.password = password;
    broker.tls = options.tls;
    broker.caFile = options.caFile;
    broker.willTopic = AvailabilityTopic(names);
    broker.willPayload = "offline";
    return broker;
}

// Home Assistant forgets the clock: an empty retained config for every
// entity, sent once the broker takes the connection.
Outcome RemoveDiscovery(
    const MqttOptions& options, const MqttNames& names, const QByteArray& password, int timeoutMs)
{
    MqttClient::Settings broker = BrokerSettings(options, names, password);
    // A running bridge of the same clock keeps its connection and its will.
    broker.clientId += QStringLiteral("-remove");
    broker.willTopic.clear();
    if (PublishOnce(broker, DiscoveryRemovals(names), timeoutMs))
        return {};
    return Outcome::Fail(ExitCode::NoAnswer,
        CliTexts::tr("the broker %1:%2 did not take the connection").arg(options.host).arg(options.port));
}

} // namespace

Outcome Mqtt(CliContext& context, const QStringList&)
{
    const MqttOptions& options = context.options.mqtt;
    QByteArray password;
    if (Outcome outcome = ReadPassword(options.passwordFile, &password); !outcome.Ok())
        return outcome;
    if (Outcome outcome = CheckCaFile(options.caFile); !outcome.Ok())
        return outcome;
    // With --id the clock need not be there to be forgotten.
    if (options.removeDiscovery && !options.clockId.isEmpty())
        return RemoveDiscovery(
            options, NamesOf(options, options.clockId), password, context.options.timeoutMs);
    Outcome outcome;
    ClockSession* session = context.connect(&outcome);
    if (!session)
        return outcome;
    if (options.removeDiscovery)
        return RemoveDiscovery(
            options, NamesOf(options, ClockIdOf(session->Connection())), password, context.options.timeoutMs);
    const MqttBridge::Settings settings = BridgeSettings(options, session->Connection());
    MqttClient client(BrokerSettings(options, settings.names, password));
    MqttBridge bridge(settings, *session, context.model, client,
        [&context](const QString& line) { context.console.Error(line); });
    bridge.Start();
    // Only a signal or a link lost for good ends the waits, as for monitor.
    WaitEnd end;
    do
        end = session->Linger(kWaitMs);
    while (end.Done());
    bridge.Stop();
    return OutcomeOf(end);
}
