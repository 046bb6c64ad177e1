// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/ClockPlug.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the mqtt subcommand alone takes.
struct MqttOptions {
    static constexpr int kDefaultPort = 1883;
    static constexpr int kDefaultTlsPort = 8883;
    static constexpr int kDefaultPollSeconds = 5;

    QString host = QStringLiteral("localhost");
    int port = kDefaultPort; // kDefaultTlsPort with TLS, unless --broker names one
    bool portGiven = false;
    bool tls = false;
    QString caFile; // empty: the system's CA folder; implies TLS
    bool allowRaw = false; // --allow-raw: <prefix>/raw/set takes any command line
    QString topicPrefix; // empty: whirlbeam/<clock id>
    QString discoveryPrefix = QStringLiteral("homeassistant");
    QString clockId; // empty: the USB serial number, the port's by-id name or the port's name
    int pollSeconds = kDefaultPollSeconds;
    bool discovery = true;
    bool removeDiscovery = false; // --remove-discovery: empty the configs, then end
    QString username;
    QString passwordFile;
    QString configFile; // --config: more options, which the command line overrides
};

// What the log subcommand alone takes.
struct SensorLogOptions {
    static constexpr int kDefaultIntervalSeconds = 60;

    QString csvFile; // --csv: the rows are appended to it
    int intervalSeconds = kDefaultIntervalSeconds;
};

// What monitor prints of each reply line.
enum class MonitorShows {
    Decoded, // the time, the line and its words for people
    Words, // --words: the reply table's words alone
    Raw, // --raw: the line as received, escaped as --log escapes it
};

// The command line of whirlbeamctl: a subcommand and its arguments, with
// the options before, between or after them.
struct CliOptions {
    enum class Link { Auto, Serial, Usb, SimulatedSerial, SimulatedUsb };

    static constexpr int kDefaultTimeoutMs = 5000;

    Link link = Link::Auto;
    QString port; // with Link::Serial
    QString usbClock; // with Link::Usb: a serial number or device path; empty for the first clock
    bool json = false;
    QString logFile; // --log: the traffic is appended to it
    bool requireSynced = false; // sync-time only while this computer's clock is synchronised
    QString zone; // the time zone the clock keeps; empty for this computer's
    int watchMinutes = 0; // offset: go on measuring for so long
    bool reconnect = true; // monitor, log: wait for a clock that goes away to return
    MonitorShows monitorShows = MonitorShows::Decoded;
    SensorLogOptions sensorLog;
    int timeoutMs = kDefaultTimeoutMs;
    MqttOptions mqtt;
    PlugSchedule plug; // with a simulated link: when its clock is unplugged and plugged back in
    bool help = false;
    bool version = false;
    // The subcommand and its arguments: {"alarms", "save", "x.alm"}.
    QStringList command;
};

struct ParsedCommandLine {
    std::optional<CliOptions> options;
    QString error; // one sentence when options is empty
};

// arguments without the program's name.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);
// What is wrong with the one option (with its value as --name=value), as
// ParseCommandLine would say it; empty when nothing is.
QString OptionError(const QString& argument);

// The --help text: options, subcommands and exit codes.
QString UsageText();
