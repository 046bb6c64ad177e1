// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge's entity table (state payloads, discovery configs), its command
// payloads and its options, as pure functions.

#include "bridge/MqttCommands.h"
#include "bridge/MqttEntities.h"
#include "cli/CliOptions.h"
#include "cli/ConfigFile.h"
#include "clock/ClockModel.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// Whatever the machine's zone, the clock's time is told in this one.
const bool kZoneSet = qputenv("TZ", "Europe/Berlin");

const MqttNames kNames{
    QStringLiteral("SIM1"), QStringLiteral("whirlbeam/SIM1"), QStringLiteral("homeassistant")};

// A clock that has told everything once.
ClockFacts KnownClock()
{
    ClockFacts facts;
    facts.identification.line = "Pelk Whirlbeam Clock";
    facts.version = {4, "04.02"};
    facts.config.alarmCount = 40;
    facts.measurement = {140, -3, 45, 1013};
    facts.status.flags = StatusFlag::Sleep | StatusFlag::TimeInvalid;
    facts.relay = {12, true};
    facts.offsets = {1, -2, 3};
    facts.date.date = QDate(2026, 12, 9);
    facts.time.time = QTime(13, 37, 42);
    facts.dcf77 = DecodeDcf77State("[");
    facts.dcf77.total = 17;
    facts.dcf77.lastHour = 2;
    facts.hourFigures[23] = 5;
    facts.hourFiguresRead = true;
    return facts;
}

QJsonObject Config(const QString& object, const ClockFacts& facts)
{
    const MqttEntity* entity = FindMqttEntity(object);
    return entity ? QJsonDocument::fromJson(DiscoveryMessage(kNames, *entity, facts).payload).object()
                  : QJsonObject();
}

} // namespace

class TestMqttTables : public QObject {
    Q_OBJECT
private slots:
    void statePayloads_data();
    void statePayloads();
    void unknownValuesPublishNothing();
    void discoveryConfigs_data();
    void discoveryConfigs();
    void discoveryIdsAreUnique();
    void commandPayloads_data();
    void commandPayloads();
    void commandTopics_data();
    void commandTopics();
    void options_data();
    void options();
    void configLines_data();
    void configLines();
    void commandLineWinsOverConfig();
};

void TestMqttTables::statePayloads_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("temperature below zero") << "whirlbeam/SIM1/temperature" << QByteArray("-3");
    QTest::newRow("humidity") << "whirlbeam/SIM1/humidity" << QByteArray("45");
    QTest::newRow("pressure") << "whirlbeam/SIM1/pressure" << QByteArray("1013");
    QTest::newRow("light") << "whirlbeam/SIM1/light" << QByteArray("140");
    QTest::newRow("whirlbeam asleep") << "whirlbeam/SIM1/whirlbeam" << QByteArray("sleep");
    QTest::newRow("time invalid") << "whirlbeam/SIM1/time_valid" << QByteArray("OFF");
    QTest::newRow("relay on") << "whirlbeam/SIM1/relay" << QByteArray("ON");
    QTest::newRow("relay minutes left") << "whirlbeam/SIM1/relay_minutes" << QByteArray("12");
    QTest::newRow("negative offset") << "whirlbeam/SIM1/humidity_offset" << QByteArray("-2");
    QTest::newRow("identity") << "whirlbeam/SIM1/identity" << QByteArray("Pelk Whirlbeam Clock");
    QTest::newRow("version") << "whirlbeam/SIM1/version" << QByteArray("04.02");
    QTest::newRow("alarm count") << "whirlbeam/SIM1/alarm_count" << QByteArray("40");
    QTest::newRow("date to the minute, with the zone's offset")
        << "whirlbeam/SIM1/date" << QByteArray("2026-12-09T13:37:00+01:00");
    QTest::newRow("offset to the millisecond") << "whirlbeam/SIM1/offset" << QByteArray("-0.250");
    QTest::newRow("dcf77 with its hour figures")
        << "whirlbeam/SIM1/dcf77"
        << QByteArray("{\"dataReady\":null,\"day\":null,\"error\":null,\"hour\":null,"
                      "\"hours\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,5],\"lastHour\":2,"
                      "\"minute\":null,\"month\":null,\"parityError\":null,\"summerTime\":null,"
                      "\"total\":17,\"waitForSync\":null,\"weekday\":null,\"year\":null}");
}

void TestMqttTables::statePayloads()
{
    QFETCH(QString, topic);
    QFETCH(QByteArray, payload);
    MqttReadings readings;
    readings.offsetSeconds = -0.2504;
    const QList<MqttMessage> messages = StateMessages(kNames, KnownClock(), readings);
    const auto found = std::find_if(
        messages.begin(), messages.end(), [&](const MqttMessage& m) { return m.topic == topic; });
    QVERIFY2(found != messages.end(), qPrintable(topic));
    QCOMPARE(found->payload, payload);
    QVERIFY(found->retained);
}

void TestMqttTables::unknownValuesPublishNothing() { QVERIFY(StateMessages(kNames, ClockFacts{}).isEmpty()); }

void TestMqttTables::discoveryConfigs_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QJsonObject>("fields"); // each must be in the config as given
    QTest::newRow("temperature sensor")
        << "temperature"
        << "homeassistant/sensor/SIM1/temperature/config"
        << QJsonObject{{"unique_id", "SIM1_temperature"}, {"state_topic", "whirlbeam/SIM1/temperature"},
               {"device_class", "temperature"}, {"unit_of_measurement", "°C"}, {"state_class", "measurement"},
               {"availability_topic", "whirlbeam/SIM1/availability"}};
    QTest::newRow("relay switch") << "relay"
                                  << "homeassistant/switch/SIM1/relay/config"
                                  << QJsonObject{{"command_topic", "whirlbeam/SIM1/relay/set"},
                                         {"state_topic", "whirlbeam/SIM1/relay"}, {"payload_on", "ON"}};
    QTest::newRow("offset number") << "pressure_offset"
                                   << "homeassistant/number/SIM1/pressure_offset/config"
                                   << QJsonObject{{"min", -10}, {"max", 10}, {"step", 1},
                                          {"command_topic", "whirlbeam/SIM1/pressure_offset/set"},
                                          {"entity_category", "diagnostic"}};
    QTest::newRow("start button") << "whirlbeam_start"
                                  << "homeassistant/button/SIM1/whirlbeam_start/config"
                                  << QJsonObject{{"command_topic", "whirlbeam/SIM1/whirlbeam_start/set"},
                                         {"payload_press", "PRESS"}};
    QTest::newRow("sync time button") << "sync_time"
                                      << "homeassistant/button/SIM1/sync_time/config"
                                      << QJsonObject{{"command_topic", "whirlbeam/SIM1/sync_time/set"},
                                             {"payload_press", "PRESS"}, {"name", "Sync time"}};
    QTest::newRow("rc5 send text") << "rc5_send"
                                   << "homeassistant/text/SIM1/rc5_send/config"
                                   << QJsonObject{{"command_topic", "whirlbeam/SIM1/rc5_send/set"},
                                          {"pattern", "^[0-9]{1,2},[0-9]{1,3}$"}, {"min", 3}, {"max", 6}};
    QTest::newRow("dcf77 json sensor") << "dcf77"
                                       << "homeassistant/sensor/SIM1/dcf77/config"
                                       << QJsonObject{{"state_topic", "whirlbeam/SIM1/dcf77"},
                                              {"json_attributes_topic", "whirlbeam/SIM1/dcf77"},
                                              {"value_template", "{{ value_json.total }}"}};
    QTest::newRow("date timestamp") << "date"
                                    << "homeassistant/sensor/SIM1/date/config"
                                    << QJsonObject{{"state_topic", "whirlbeam/SIM1/date"},
                                           {"device_class", "timestamp"}};
    QTest::newRow("offset measured") << "offset"
                                     << "homeassistant/sensor/SIM1/offset/config"
                                     << QJsonObject{{"state_topic", "whirlbeam/SIM1/offset"},
                                            {"device_class", "duration"}, {"unit_of_measurement", "s"},
                                            {"state_class", "measurement"}};
    QTest::newRow("rc5 event") << "rc5"
                               << "homeassistant/event/SIM1/rc5/config"
                               << QJsonObject{{"state_topic", "whirlbeam/SIM1/rc5"}};
}

void TestMqttTables::discoveryConfigs()
{
    QFETCH(QString, object);
    QFETCH(QString, topic);
    QFETCH(QJsonObject, fields);
    const MqttMessage message = DiscoveryMessage(kNames, *FindMqttEntity(object), KnownClock());
    QCOMPARE(message.topic, topic);
    QVERIFY(message.retained);
    const QJsonObject config = QJsonDocument::fromJson(message.payload).object();
    for (auto field = fields.begin(); field != fields.end(); ++field)
        QCOMPARE(config.value(field.key()), field.value());
    const QJsonObject device = config.value("device").toObject();
    QCOMPARE(device.value("name").toString(), QStringLiteral("Whirlbeam clock"));
    QCOMPARE(device.value("model").toString(), QStringLiteral("Pelk Whirlbeam Clock"));
    QCOMPARE(device.value("sw_version").toString(), QStringLiteral("04.02"));
    QVERIFY(!device.value("identifiers").toArray().isEmpty());
}

void TestMqttTables::discoveryIdsAreUnique()
{
    QSet<QString> ids;
    for (const MqttEntity& entity : MqttEntities()) {
        const QJsonObject config = Config(QLatin1String(entity.object), KnownClock());
        QVERIFY2(!config.isEmpty(), entity.object);
        ids.insert(config.value("unique_id").toString());
        // Whatever takes commands names its topic; whatever has a state names that.
        QCOMPARE(config.contains("command_topic"), entity.commands);
    }
    QCOMPARE(ids.size(), qsizetype(MqttEntities().size()));
}

void TestMqttTables::commandPayloads_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("line"); // empty: refused; "sets time": the time set on the edge
    QTest::addColumn<bool>("allowRaw");
    QTest::newRow("relay ON") << "relay" << QByteArray("ON") << QByteArray("x013C") << false;
    QTest::newRow("relay OFF") << "relay" << QByteArray("OFF") << QByteArray("x0000") << false;
    QTest::newRow("relay lower case") << "relay" << QByteArray("on") << QByteArray() << false;
    QTest::newRow("relay minutes") << "relay_minutes" << QByteArray("255") << QByteArray("x01FF") << false;
    QTest::newRow("relay minutes 0 is off")
        << "relay_minutes" << QByteArray("0") << QByteArray("x0000") << false;
    QTest::newRow("relay minutes too many") << "relay_minutes" << QByteArray("256") << QByteArray() << false;
    QTest::newRow("relay minutes negative") << "relay_minutes" << QByteArray("-1") << QByteArray() << false;
    QTest::newRow("relay minutes decimal") << "relay_minutes" << QByteArray("5.0") << QByteArray() << false;
    QTest::newRow("relay minutes blank") << "relay_minutes" << QByteArray(" 5") << QByteArray() << false;
    QTest::newRow("relay minutes long digits")
        << "relay_minutes" << QByteArray("0005") << QByteArray() << false;
    QTest::newRow("start") << "whirlbeam_start" << QByteArray("PRESS") << QByteArray("w81") << false;
    QTest::newRow("clear alarm sound")
        << "alarm_sound_clear" << QByteArray("PRESS") << QByteArray("~80") << false;
    QTest::newRow("clear alarm sound ON") << "alarm_sound_clear" << QByteArray("ON") << QByteArray() << false;
    QTest::newRow("stop") << "whirlbeam_stop" << QByteArray("PRESS") << QByteArray("w80") << false;
    QTest::newRow("stop other payload") << "whirlbeam_stop" << QByteArray("1") << QByteArray() << false;
    // The other two offsets travel as the clock holds them (1, -2, 3).
    QTest::newRow("temperature offset") << "temperature_offset" << QByteArray("-10")
                                        << QByteArray("\x7f"
                                                      "80F6FE03")
                                        << false;
    QTest::newRow("humidity offset") << "humidity_offset" << QByteArray("10")
                                     << QByteArray("\x7f"
                                                   "40010A03")
                                     << false;
    QTest::newRow("pressure offset") << "pressure_offset" << QByteArray("0")
                                     << QByteArray("\x7f"
                                                   "2001FE00")
                                     << false;
    QTest::newRow("offset beyond") << "pressure_offset" << QByteArray("11") << QByteArray() << false;
    QTest::newRow("offset minus only") << "pressure_offset" << QByteArray("-") << QByteArray() << false;
    QTest::newRow("binary") << "relay_minutes" << QByteArray("1\0", 2) << QByteArray() << false;
    QTest::newRow("huge") << "relay" << QByteArray(100000, 'O') << QByteArray() << false;
    QTest::newRow("a state, not a command") << "temperature" << QByteArray("20") << QByteArray() << false;
    QTest::newRow("raw not allowed") << "raw" << QByteArray("x0000") << QByteArray() << false;
    QTest::newRow("raw allowed") << "raw" << QByteArray("x0000") << QByteArray("x0000") << true;
    QTest::newRow("raw longer than other payloads")
        << "raw" << QByteArray("`8012345678901234567") << QByteArray("`8012345678901234567") << true;
    QTest::newRow("raw upper case") << "raw" << QByteArray("X0000") << QByteArray() << true;
    QTest::newRow("raw control character") << "raw" << QByteArray("x00\n") << QByteArray() << true;
    QTest::newRow("raw beyond ascii") << "raw" << QByteArray("w\xc3\xa4") << QByteArray() << true;
    QTest::newRow("raw empty") << "raw" << QByteArray() << QByteArray() << true;
    QTest::newRow("raw huge") << "raw" << QByteArray(300, 'w') << QByteArray() << true;
    QTest::newRow("sync time") << "sync_time" << QByteArray("PRESS") << QByteArray("sets time") << false;
    QTest::newRow("sync time other payload") << "sync_time" << QByteArray("ON") << QByteArray() << false;
    QTest::newRow("rc5 send") << "rc5_send" << QByteArray("31,255") << QByteArray("a1FFF") << false;
    QTest::newRow("rc5 send zeros") << "rc5_send" << QByteArray("0,0") << QByteArray("a0000") << false;
    QTest::newRow("rc5 address beyond") << "rc5_send" << QByteArray("32,1") << QByteArray() << false;
    QTest::newRow("rc5 command beyond") << "rc5_send" << QByteArray("1,256") << QByteArray() << false;
    QTest::newRow("rc5 negative") << "rc5_send" << QByteArray("-1,5") << QByteArray() << false;
    QTest::newRow("rc5 one number") << "rc5_send" << QByteArray("12") << QByteArray() << false;
    QTest::newRow("rc5 three numbers") << "rc5_send" << QByteArray("1,2,3") << QByteArray() << false;
    QTest::newRow("rc5 blank") << "rc5_send" << QByteArray("1, 2") << QByteArray() << false;
    QTest::newRow("rc5 hex") << "rc5_send" << QByteArray("0x1,2") << QByteArray() << false;
}

void TestMqttTables::commandPayloads()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, line);
    QFETCH(bool, allowRaw);
    const MqttCommand command = ComposeMqttCommand(object, payload, KnownClock(), allowRaw);
    const bool setsTime = line == "sets time";
    QCOMPARE(command.setsTime, setsTime);
    QCOMPARE(command.line, setsTime ? QByteArray() : line);
    QCOMPARE(command.refusal.isEmpty(), !line.isEmpty());
}

void TestMqttTables::commandTopics_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("object"); // empty: not a command topic of this clock
    QTest::newRow("ours") << "whirlbeam/SIM1/relay/set"
                          << "relay";
    QTest::newRow("another clock's") << "whirlbeam/SIM2/relay/set"
                                     << "";
    QTest::newRow("deeper") << "whirlbeam/SIM1/a/relay/set"
                            << "";
    QTest::newRow("state topic") << "whirlbeam/SIM1/relay"
                                 << "";
    QTest::newRow("empty object") << "whirlbeam/SIM1//set"
                                  << "";
}

void TestMqttTables::commandTopics()
{
    QFETCH(QString, topic);
    QFETCH(QString, object);
    QCOMPARE(CommandObject(kNames, topic), object);
}

void TestMqttTables::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::newRow("defaults") << QStringList{"mqtt"} << "localhost" << 1883;
    QTest::newRow("host and port") << QStringList{"mqtt", "--broker", "10.1.2.3:8883"} << "10.1.2.3" << 8883;
    QTest::newRow("bracketed ipv6") << QStringList{"mqtt", "--broker=[::1]:1884"} << "::1" << 1884;
    QTest::newRow("bare ipv6") << QStringList{"mqtt", "--broker", "::1"} << "" << 0;
    QTest::newRow("port zero") << QStringList{"mqtt", "--broker", "h:0"} << "" << 0;
    QTest::newRow("empty port") << QStringList{"mqtt", "--broker", "h:"} << "" << 0;
    QTest::newRow("wildcard prefix") << QStringList{"mqtt", "--topic-prefix", "a/#"} << "" << 0;
    QTest::newRow("id with slash") << QStringList{"mqtt", "--id", "a/b"} << "" << 0;
    QTest::newRow("poll zero") << QStringList{"mqtt", "--poll", "0"} << "" << 0;
    QTest::newRow("tls takes its own port") << QStringList{"mqtt", "--tls"} << "localhost" << 8883;
    QTest::newRow("tls on a port given") << QStringList{"mqtt", "--broker", "h:1883", "--tls"} << "h" << 1883;
    QTest::newRow("tls on a host given") << QStringList{"--broker=h", "mqtt", "--tls"} << "h" << 8883;
    QTest::newRow("cafile means tls") << QStringList{"mqtt", "--cafile", "/ca.pem"} << "localhost" << 8883;
    QTest::newRow("cafile without a file") << QStringList{"mqtt", "--cafile"} << "" << 0;
    QTest::newRow("raw allowed") << QStringList{"mqtt", "--allow-raw"} << "localhost" << 1883;
    QTest::newRow("mqtt option elsewhere") << QStringList{"status", "--broker", "h"} << "" << 0;
}

void TestMqttTables::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    QCOMPARE(parsed.options.has_value(), !host.isEmpty());
    if (!parsed.options) {
        QVERIFY(!parsed.error.isEmpty());
        // Other subcommands know nothing of the bridge's options, as before.
        if (arguments.first() != QLatin1String("mqtt"))
            QCOMPARE(parsed.error, QStringLiteral("unknown option '--broker'"));
        return;
    }
    QCOMPARE(parsed.options->mqtt.host, host);
    QCOMPARE(parsed.options->mqtt.port, port);
}

void TestMqttTables::configLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // empty: taken
    using L = QStringList;
    QTest::newRow("empty") << QByteArray() << L{} << "";
    QTest::newRow("both forms") << QByteArray("broker = h:1884\npoll 30\n")
                                << L{"--broker=h:1884", "--poll=30"} << "";
    QTest::newRow("blanks and comments")
        << QByteArray("# the kitchen clock\r\n\n  id=kitchen   # by the door\r\n\t\n") << L{"--id=kitchen"}
        << "";
    QTest::newRow("flag alone") << QByteArray("no-discovery\nusb\nsimulate usb")
                                << L{"--no-discovery", "--usb", "--simulate=usb"} << "";
    QTest::newRow("hash inside a value") << QByteArray("username a#b") << L{"--username=a#b"} << "";
    QTest::newRow("tls, cafile, raw") << QByteArray("tls\ncafile = /etc/ca.pem\nallow-raw")
                                      << L{"--tls", "--cafile=/etc/ca.pem", "--allow-raw"} << "";
    QTest::newRow("tls with value") << QByteArray("tls yes") << L{} << "line 1: tls takes no value";
    QTest::newRow("unknown key") << QByteArray("\nbrokr = h") << L{} << "line 2: unknown option 'brokr'";
    QTest::newRow("dashes kept") << QByteArray("--broker h") << L{} << "line 1: unknown option '--broker'";
    QTest::newRow("no nesting") << QByteArray("config other.conf") << L{}
                                << "line 1: unknown option 'config'";
    QTest::newRow("no help") << QByteArray("help") << L{} << "line 1: unknown option 'help'";
    QTest::newRow("value missing") << QByteArray("poll =") << L{} << "line 1: --poll needs a value";
    QTest::newRow("flag with value") << QByteArray("json = yes") << L{} << "line 1: json takes no value";
    QTest::newRow("bad value") << QByteArray("id = k\npoll = 0") << L{}
                               << "line 2: --poll takes a number of seconds from 1 to 3600";
    QTest::newRow("wildcard")
        << QByteArray("topic-prefix = a/+") << L{}
        << "line 1: --topic-prefix takes a topic without + or # and without a trailing /, "
           "not 'a/+'";
}

void TestMqttTables::configLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ConfigOptions config = ReadConfigText(text);
    QCOMPARE(config.error, error);
    QCOMPARE(config.arguments, arguments);
}

void TestMqttTables::commandLineWinsOverConfig()
{
    const QStringList config{"--broker=a:1", "--poll=30", "--serial=/dev/ttyS0", "--id=k"};
    const QStringList merged = MergeConfig(config, {"mqtt", "--poll", "7", "--simulate"});
    QCOMPARE(merged, (QStringList{"--broker=a:1", "--id=k", "mqtt", "--poll", "7", "--simulate"}));
    const ParsedCommandLine parsed = ParseCommandLine(merged);
    QVERIFY2(parsed.options, qPrintable(parsed.error));
    QCOMPARE(parsed.options->mqtt.pollSeconds, 7);
    QCOMPARE(parsed.options->mqtt.host, QStringLiteral("a"));
    QCOMPARE(parsed.options->link, CliOptions::Link::SimulatedSerial);
}

QTEST_GUILESS_MAIN(TestMqttTables)
#include "tst_mqtt_tables.moc"
