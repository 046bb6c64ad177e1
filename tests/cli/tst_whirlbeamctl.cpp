// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeamctl against the simulated clock on a pseudo terminal and as an
// in-process USB device, beside the panel where both must agree.

#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "cli/CliOptions.h"
#include "cli/WhirlbeamCtl.h"
#include "link/PortLock.h"
#include "sim/PtyClock.h"
#include "sim/UsbClock.h"
#include "support/AsNobody.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeHid.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kReadMs = 20000;

ClockPeerOptions QuietClock()
{
    ClockPeerOptions options;
    options.rc5IntervalMs = 0; // no packets from other remotes in the room
    return options;
}

using UsbBackends = std::function<std::unique_ptr<HidBackend>()>;

// A fresh set of HID services for each run, with the device plugged in.
UsbBackends UsbWith(SimHidDevice* device)
{
    return [device] {
        auto backend = std::make_unique<SimHidBackend>();
        if (device)
            backend->Plug(device, false);
        return std::unique_ptr<HidBackend>(std::move(backend));
    };
}

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run Ctl(const QStringList& arguments, const UsbBackends& usb = {})
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    WhirlbeamCtl ctl({&out, &err, usb, QStringLiteral("/nonexistent/WhirlbeamClock.ini")});
    Run run;
    run.code = ctl.Run(arguments);
    run.out = out.data();
    run.err = err.data();
    return run;
}

QByteArray Slurp(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool Write(const QString& file, const QByteArray& content)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// What a GPS receiver says, on a port chosen by mistake.
const QByteArray kGpsSentence = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

// A device on a pseudo terminal that answers every chunk of bytes it is
// sent with one line, or stays silent. Its own descriptor of the slave
// keeps the master from hanging up between the program's opens, and keeps
// the line raw, so that nothing is echoed back.
class AnsweringPty {
public:
    explicit AnsweringPty(QByteArray answer)
        : answer_(std::move(answer))
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        path_ = QString::fromLocal8Bit(::ptsname(master_));
        slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        termios raw{};
        if (slave_ < 0 || ::tcgetattr(slave_, &raw) != 0)
            return;
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
        notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
            char bytes[256];
            if (::read(master_, bytes, sizeof bytes) > 0 && !answer_.isEmpty())
                (void)!::write(master_, answer_ + "\r\n", answer_.size() + 2);
        });
    }
    ~AnsweringPty()
    {
        notifier_.reset();
        for (const int fd : {slave_, master_})
            if (fd >= 0)
                ::close(fd);
    }
    AnsweringPty(const AnsweringPty&) = delete;
    AnsweringPty& operator=(const AnsweringPty&) = delete;

    bool Ok() const { return notifier_ != nullptr; }
    const QString& SlavePath() const { return path_; }

private:
    QByteArray answer_;
    int master_ = -1;
    int slave_ = -1;
    QString path_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace

class WhirlbeamCtlTest : public QObject {
    Q_OBJECT

private slots:
    void parsesTheCommandLine_data();
    void parsesTheCommandLine();

    void statusOnEitherLink_data();
    void statusOnEitherLink();
    void jsonForScripts_data();
    void jsonForScripts();
    void countsReadAsEnglish_data();
    void countsReadAsEnglish();
    void sendPrintsTheAnswer();
    void lostAnswersAreAskedAgain();
    void syncTimeSetsTheClock();
    void offsetOfAClockAhead();
    void savesAsThePanelSaves();
    void parametersLoadIntoAFreshClock();
    void dcf77StatsListsEveryHour();
    void failuresHaveTheirExitCodes_data();
    void failuresHaveTheirExitCodes();
    void deniedPortAsAnotherUser();
    void portHolderNamedByItsLock();
    void monitorAcrossAnUnplug_data();
    void monitorAcrossAnUnplug();
    void logAppendsCsvRows();
    void programSpeaksToScriptsAndPeople_data();
    void programSpeaksToScriptsAndPeople();
};

void WhirlbeamCtlTest::parsesTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outcome"); // link|port or usb clock|command, or the error
    using L = QStringList;
    QTest::newRow("auto") << L{"status"} << "auto||status";
    QTest::newRow("serial") << L{"--serial", "ttyUSB0", "status"} << "serial|ttyUSB0|status";
    QTest::newRow("serial=") << L{"--serial=/dev/pts/3", "send", "p"} << "serial|/dev/pts/3|send p";
    QTest::newRow("usb") << L{"--usb", "status"} << "usb||status";
    QTest::newRow("usb serial") << L{"--usb", "0042", "status"} << "usb|0042|status";
    QTest::newRow("usb after the subcommand")
        << L{"alarms", "save", "--usb", "x.alm"} << "usb||alarms save x.alm";
    QTest::newRow("usb=") << L{"dcf77-stats", "--usb=0042"} << "usb|0042|dcf77-stats";
    QTest::newRow("simulate") << L{"--simulate", "monitor"} << "simulated serial||monitor";
    QTest::newRow("simulate usb") << L{"--simulate", "usb", "status", "--json"} << "simulated usb||status";
    QTest::newRow("simulate usb after") << L{"status", "--simulate", "usb"} << "simulated usb||status";
    QTest::newRow("simulate serial after") << L{"sync-time", "--simulate", "serial"} << "simulated serial||sync-time";
    QTest::newRow("simulate after, then the file")
        << L{"alarms", "save", "--simulate", "usb", "x.alm"} << "simulated usb||alarms save x.alm";
    QTest::newRow("usb serial after a whole command") << L{"status", "--usb", "0042"} << "usb|0042|status";
    QTest::newRow("options on both sides")
        << L{"--json", "sync-time", "--simulate", "usb", "--log", "t.log"} << "simulated usb||sync-time";
    QTest::newRow("log without a file") << L{"status", "--log"} << "--log needs a file name";
    QTest::newRow("zone") << L{"sync-time", "--zone", "Europe/Berlin", "--require-synced"} << "auto||sync-time";
    QTest::newRow("no such zone") << L{"sync-time", "--zone=Mars/Olympus"}
                                  << "--zone takes a time zone such as Europe/Berlin, not 'Mars/Olympus'";
    QTest::newRow("empty zone") << L{"offset", "--zone", ""}
                                << "--zone takes a time zone such as Europe/Berlin, not ''";
    QTest::newRow("watch") << L{"offset", "--watch", "5"} << "auto||offset";
    QTest::newRow("watch elsewhere") << L{"--watch", "5", "status"} << "--watch applies to offset only";
    QTest::newRow("synced elsewhere") << L{"--require-synced", "alarms", "save", "x"}
                                      << "--require-synced applies to sync-time only";
    QTest::newRow("two links") << L{"--usb", "--serial", "x", "status"}
                               << "--serial, --usb and --simulate exclude each other";
    QTest::newRow("simulate what") << L{"--simulate=tcp", "status"}
                                   << "--simulate takes 'usb' or 'serial', not 'tcp'";
    QTest::newRow("unplug and replug") << L{"--simulate", "usb", "monitor", "--unplug-after", "2", "--replug-after=0.5"}
                                       << "simulated usb||monitor|unplug 2000, replug 500";
    QTest::newRow("replug alone") << L{"--replug-after", "1", "--simulate", "monitor"}
                                  << "simulated serial||monitor|unplug -1, replug 1000";
    QTest::newRow("unplug without simulate") << L{"--usb", "status", "--unplug-after", "1"}
                                             << "--unplug-after and --replug-after apply to --simulate only";
    QTest::newRow("replug when?") << L{"--simulate", "monitor", "--replug-after", "soon"}
                                  << "--replug-after takes a number of seconds from 0.001 to 86400";
    QTest::newRow("unplug at once") << L{"--simulate", "monitor", "--unplug-after=0"}
                                    << "--unplug-after takes a number of seconds from 0.001 to 86400";
    QTest::newRow("no subcommand") << L{"--usb"} << "no subcommand given";
    QTest::newRow("half a subcommand") << L{"alarms"} << "'alarms' needs one of: save, load";
    QTest::newRow("no file") << L{"params", "load"} << "'params load' needs a file name";
    QTest::newRow("too much") << L{"status", "now"} << "unexpected argument 'now'";
    QTest::newRow("json with monitor") << L{"--json", "monitor"} << "auto||monitor";
    QTest::newRow("timeout") << L{"--timeout", "0", "status"}
                             << "--timeout takes a number of seconds from 0.001 to 3600";
    QTest::newRow("unknown") << L{"-x", "status"} << "unknown option '-x'";
    QTest::newRow("log") << L{"--simulate", "log", "--csv", "s.csv", "--interval=5", "--no-reconnect"}
                         << "simulated serial||log";
    QTest::newRow("log without a file") << L{"log", "--interval", "5"} << "'log' needs --csv FILE";
    QTest::newRow("log too often") << L{"log", "--csv", "s.csv", "--interval", "0"}
                                   << "--interval takes a number of seconds from 1 to 86400";
    QTest::newRow("log at a fraction") << L{"log", "--csv", "s.csv", "--interval", "0.5"}
                                       << "--interval takes a number of seconds from 1 to 86400";
    QTest::newRow("csv elsewhere") << L{"monitor", "--csv", "s.csv"} << "--csv applies to log only";
    QTest::newRow("monitor words") << L{"monitor", "--words"} << "auto||monitor";
    QTest::newRow("words and raw") << L{"monitor", "--words", "--raw"} << "--words and --raw exclude each other";
    QTest::newRow("raw takes no value") << L{"monitor", "--raw=yes"} << "unknown option '--raw=yes'";
    QTest::newRow("raw elsewhere") << L{"--raw", "status"} << "--raw applies to monitor only";
}

void WhirlbeamCtlTest::parsesTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outcome);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.options) {
        QCOMPARE(parsed.error, outcome);
        return;
    }
    const CliOptions& o = *parsed.options;
    static const QStringList links{"auto", "serial", "usb", "simulated serial", "simulated usb"};
    QStringList got{links[int(o.link)], o.port + o.usbClock, o.command.join(QLatin1Char(' '))};
    if (!o.plug.IsEmpty())
        got << QStringLiteral("unplug %1, replug %2")
                   .arg(o.plug.unplugAfterMs.value_or(-1))
                   .arg(o.plug.replugAfterMs.value_or(-1));
    QCOMPARE(got.join(QLatin1Char('|')), outcome);
}

void WhirlbeamCtlTest::statusOnEitherLink_data()
{
    QTest::addColumn<bool>("usb");
    QTest::newRow("pty") << false;
    QTest::newRow("usb") << true;
}

void WhirlbeamCtlTest::statusOnEitherLink()
{
    QFETCH(bool, usb);
    ClockPeerOptions options = QuietClock();
    options.chipCode = 50;
    PtyClock pty(options);
    UsbClock usbClock(options);
    QVERIFY(pty.Open());
    const QStringList link = usb ? QStringList{"--usb"} : QStringList{"--serial", pty.SlavePath()};

    const Run json = Ctl(link + QStringList{"status", "--json"}, UsbWith(&usbClock));
    QCOMPARE(json.code, 0);
    const QJsonObject status = QJsonDocument::fromJson(json.out).object();
    QCOMPARE(status["identification"].toString(), QStringLiteral("Pelk Whirlbeam Clock"));
    QCOMPARE(status["chip"].toString(), QStringLiteral("18F2550"));
    QCOMPARE(status["version"].toString(), QStringLiteral("04.02"));
    QCOMPARE(status["alarmCount"].toInt(), 40);
    QCOMPARE(status["date"].toString(), QDate::currentDate().toString(Qt::ISODate));
    QVERIFY(qAbs(QTime::fromString(status["time"].toString()).secsTo(QTime::currentTime())) <= 2);
    QCOMPARE(status["whirlbeam"]["mode"].toString(), QStringLiteral("run"));
    QCOMPARE(status["relay"]["on"], QJsonValue(false));
    QCOMPARE(status["sensors"]["airPressure"].type(), QJsonValue::Double);
    QCOMPARE(status["weekday"], QJsonValue(QDate::currentDate().dayOfWeek()));
    QCOMPARE(status["rc5Address"], QJsonValue(0x1D));
    QVERIFY(json.err.isEmpty());

    const Run text = Ctl(link + QStringList{"status"}, UsbWith(&usbClock));
    QCOMPARE(text.code, 0);
    QVERIFY2(
        text.out.contains("\nClock:     Pelk Whirlbeam Clock, chip 18F2550\nVersion:   04.02\n"), text.out);
    QVERIFY2(text.out.contains("\nRelay:     off, 0 min remaining\nSensors:   light "), text.out);
}

// Every subcommand answers --json with one object whose counts are numbers.
void WhirlbeamCtlTest::jsonForScripts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value"); // null: any number
    using L = QStringList;
    QTest::newRow("sync-time") << L{"sync-time"} << "differenceMs" << QJsonValue();
    QTest::newRow("alarms save") << L{"alarms", "save", "x.alm"} << "alarms" << QJsonValue(40);
    QTest::newRow("alarms load") << L{"alarms", "load", "one.alm"} << "sent" << QJsonValue(1);
    QTest::newRow("params save") << L{"params", "save", "x.par"} << "lines" << QJsonValue(5);
    QTest::newRow("dcf77-stats") << L{"dcf77-stats"} << "hours" << QJsonValue();
    QTest::newRow("send") << L{"send", "t"} << "replies" << QJsonValue();
}

void WhirlbeamCtlTest::jsonForScripts()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QTemporaryDir dir;
    QVERIFY(Write(dir.filePath("one.alm"), "k009F063013\r\n"));
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&oldDir] { QDir::setCurrent(oldDir); });
    UsbClock clock(QuietClock());
    const Run run = Ctl(QStringList{"--json"} + arguments + QStringList{"--usb"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(run.out).object();
    if (value.isNull()) {
        const QJsonValue found = object[key];
        QVERIFY2(found.isDouble() || (found.isArray() && !found.toArray().isEmpty()), run.out);
        if (found.isArray() && key == QLatin1String("hours"))
            QVERIFY(found.toArray().size() == 24 && found.toArray()[23].isDouble());
    } else {
        QCOMPARE(object[key], value);
    }
}

void WhirlbeamCtlTest::countsReadAsEnglish_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("one alarm") << QStringList{"alarms", "load", "one.alm"} << QByteArray("Sent 1 alarm from one.alm.\n");
    QTest::newRow("one parameter line")
        << QStringList{"params", "load", "one.par"} << QByteArray("Sent 1 parameter line from one.par.\n");
    QTest::newRow("one line skipped") << QStringList{"alarms", "load", "two.alm"}
                                      << QByteArray("Sent 1 alarm from two.alm. 1 line for rows the clock lacks "
                                                    "(it has 20 alarms) was skipped.\n");
}

void WhirlbeamCtlTest::countsReadAsEnglish()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, said);
    QTemporaryDir dir;
    QVERIFY(Write(dir.filePath("one.alm"), "k009F063013\r\n"));
    QVERIFY(Write(dir.filePath("two.alm"), "k009F063013\r\nk399F063013\r\n"));
    QVERIFY(Write(dir.filePath("one.par"), "w81\r\n"));
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&oldDir] { QDir::setCurrent(oldDir); });
    ClockPeerOptions twenty = QuietClock();
    twenty.alarmCount = 20;
    UsbClock clock(twenty);
    const Run run = Ctl(arguments + QStringList{"--usb"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, said);
}

void WhirlbeamCtlTest::sendPrintsTheAnswer()
{
    PtyClock clock(QuietClock());
    QVERIFY(clock.Open());
    const Run run = Ctl({"--serial", clock.SlavePath(), "send", "p"});
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QByteArray("Pelk Whirlbeam Clock\n"));
}

// A lost answer is asked for again; garbage between the answers is no answer.
void WhirlbeamCtlTest::lostAnswersAreAskedAgain()
{
    ClockPeerOptions noisy = QuietClock();
    noisy.garbageEvery = 2;
    UsbClock clock(noisy);
    QList<QByteArray> commands;
    connect(&clock.Peer(), &ClockPeer::CommandReceived, this,
        [&commands](const QByteArray& c) { commands << c; });
    clock.Peer().DropNextReply();
    const Run run = Ctl({"--usb", "dcf77-stats"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out.count('\n'), 24);
    QCOMPARE(commands.count("p"), 2);
    QCOMPARE(commands.size(), 3 + 24 + 1);
}

// The clock's own time stands still, so that what it reads afterwards is
// exactly what the tool set.
void WhirlbeamCtlTest::syncTimeSetsTheClock()
{
    const QDateTime frozen(QDate(2001, 2, 3), QTime(4, 5, 6));
    UsbClock clock(QuietClock(), [frozen] { return frozen; });
    QList<QByteArray> replies;
    connect(
        &clock.Peer(), &ClockPeer::ReplyReady, this, [&replies](const QByteArray& line) { replies << line; });

    const Run run = Ctl({"--usb", "sync-time"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    const QDateTime now = QDateTime::currentDateTime();
    QCOMPARE(
        Ctl({"--usb", "send", "d"}, UsbWith(&clock)).out.left(9), "D" + now.toString("yyyyMMdd").toLatin1());
    const QByteArray time = Ctl({"--usb", "send", "t"}, UsbWith(&clock)).out.trimmed();
    const QTime set = QTime::fromString(QString::fromLatin1(time.mid(1)), QStringLiteral("HHmmss"));
    QVERIFY2(qAbs(set.msecsTo(now.time())) <= 1000, time);
}

// A clock a quarter of a second ahead, measured without being changed.
void WhirlbeamCtlTest::offsetOfAClockAhead()
{
    UsbClock clock(QuietClock(), [] { return QDateTime::currentDateTime().addMSecs(250); });
    const Run run = Ctl({"--usb", "offset", "--json"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    const QJsonObject offset = QJsonDocument::fromJson(run.out).object();
    QVERIFY2(qAbs(offset["offsetMs"].toDouble() - 250.0) <= 5.0, run.out);
    QVERIFY2(offset["uncertaintyMs"].toDouble() <= 1.0, run.out);
}

// The same clock saved by the panel and by the tool, after the tool loaded
// alarms whose rows the panel's rules rewrite.
void WhirlbeamCtlTest::savesAsThePanelSaves()
{
    QTemporaryDir dir;
    UsbClock clock(QuietClock());
    const QString tricky = dir.filePath("tricky.alm");
    QVERIFY(Write(tricky, "k0160083060\r\nk02FF2359FF\r\nk0300450515\r\nk047F12345F\r\nk39FF00001A\r\n"));
    QCOMPARE(Ctl({"--usb", "alarms", "load", tricky}, UsbWith(&clock)).code, 0);

    auto* dialogs = new FakeDialogs;
    {
        TForm1 panel(TForm1::Devices{std::make_unique<FakeComPort>(),
            std::make_unique<TJvHidDeviceController>(UsbWith(&clock)()),
            std::unique_ptr<DialogSeam>(dialogs)});
        QTRY_VERIFY(panel.CurrentHidDevice);
        panel.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!panel.InitialLoad, kReadMs);
        dialogs->saveFile = dir.filePath("panel.alm");
        panel.SaveAlarmsClick();
        dialogs->saveFile = dir.filePath("panel.par");
        panel.SaveparametersClick();
        QVERIFY(dialogs->messages.isEmpty());
        ScreenCursor::SetArrow();
    }
    QCOMPARE(Ctl({"--usb", "alarms", "save", dir.filePath("cli.alm")}, UsbWith(&clock)).code, 0);
    QCOMPARE(Ctl({"--usb", "params", "save", dir.filePath("cli.par")}, UsbWith(&clock)).code, 0);
    const QByteArray alarms = Slurp(dir.filePath("cli.alm"));
    QCOMPARE(alarms, Slurp(dir.filePath("panel.alm")));
    QCOMPARE(Slurp(dir.filePath("cli.par")), Slurp(dir.filePath("panel.par")));
    QVERIFY2(alarms.contains("\r\nk0160083020\r\nk02FF2359FF\r\nk0300320515\r\nk047F12345F\r\n"), alarms);
    QCOMPARE(alarms.count("\r\n"), 40);
}

void WhirlbeamCtlTest::parametersLoadIntoAFreshClock()
{
    QTemporaryDir dir;
    const QByteArray parameters = "g81\r\ni012C\r\nq0722\r\n\x7f"
                                  "E0FE0500\r\nm28310C31\r\n";
    QVERIFY(Write(dir.filePath("in.par"), parameters));
    PtyClock clock(QuietClock());
    QVERIFY(clock.Open());
    const Run load = Ctl({"--serial", clock.SlavePath(), "params", "load", dir.filePath("in.par")});
    QCOMPARE(load.code, 0);
    QCOMPARE(load.out, "Sent 5 parameter lines from " + dir.filePath("in.par").toUtf8() + ".\n");
    QCOMPARE(Ctl({"--serial", clock.SlavePath(), "params", "save", dir.filePath("out.par")}).code, 0);
    QCOMPARE(Slurp(dir.filePath("out.par")), parameters);
}

void WhirlbeamCtlTest::dcf77StatsListsEveryHour()
{
    UsbClock clock(QuietClock());
    const Run run = Ctl({"--usb", "dcf77-stats"}, UsbWith(&clock));
    QCOMPARE(run.code, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 25);
    QVERIFY(lines[0].startsWith("00 ") && lines[23].startsWith("23 ") && lines[24].isEmpty());
}

void WhirlbeamCtlTest::failuresHaveTheirExitCodes_data()
{
    QTest::addColumn<QString>("device"); // what stands at the other end
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("error");
    using L = QStringList;
    QTest::newRow("usage") << "none" << L{"sync"} << 2
                           << "unknown subcommand 'sync' (whirlbeamctl --help lists what it takes)";
    QTest::newRow("missing port") << "none" << L{"--serial", "/dev/whirlbeam-none", "status"} << 3
                                  << "No device /dev/whirlbeam-none. Serial ports found: ";
    QTest::newRow("no clock on USB") << "usb none" << L{"--usb", "status"} << 3
                                     << "no whirlbeam clock on USB";
    QTest::newRow("USB clock without access")
        << "usb denied" << L{"--usb", "status"} << 4
        << "You may not use the clock /dev/hidraw7. ";
    QTest::newRow("silent pty") << "silent pty" << L{"--timeout", "0.5", "status"} << 5 << "no answer from ";
    QTest::newRow("not a clock") << "usb foreign" << L{"--usb", "status"} << 1 << "the USB clock sim-hid-";
    QTest::newRow("damaged alarm file")
        << "none" << L{"--serial", "/dev/whirlbeam-none", "alarms", "load", "bad"} << 6
        << "bad: Line 2 is not an alarm line: \"k05FF0700\"";
    QTest::newRow("blank in an alarm line") << "none" << L{"--simulate", "alarms", "load", "blank"} << 6
                                            << "blank: Line 1 is not an alarm line: \"k 500000000\"";
    QTest::newRow("binary parameter file")
        << "none" << L{"--serial", "/dev/whirlbeam-none", "params", "load", "bad"} << 6
        << "bad: Line 1 is not a command line: \"\\x01\\x02\"";
    QTest::newRow("empty alarm file") << "none" << L{"--simulate", "alarms", "load", "empty"} << 6
                                      << "empty: holds no alarm lines";
    QTest::newRow("empty parameter file") << "none" << L{"--simulate", "params", "load", "empty"} << 6
                                          << "empty: holds no command lines";
    QTest::newRow("unwritable log") << "none" << L{"--simulate", "status", "--log", "/nonexistent/t.log"} << 6
                                    << "cannot write the log /nonexistent/t.log: No such folder";
    QTest::newRow("bad config line") << "none" << L{"mqtt", "--config", "bad"} << 2
                                     << "bad: line 1: unknown option '\x01\x02' (whirlbeamctl --help";
    QTest::newRow("missing config") << "none" << L{"mqtt", "--config=missing"} << 6 << "cannot read missing: ";
    QTest::newRow("config folder") << "none" << L{"mqtt", "--config", "/"} << 6
                                   << "cannot read /: not a config file";
    QTest::newRow("missing file") << "none" << L{"--simulate", "params", "load", "missing"} << 6
                                  << "cannot read ";
    QTest::newRow("endless alarm file") << "none" << L{"--simulate", "alarms", "load", "/dev/zero"} << 6
                                        << "cannot read /dev/zero: larger than 1 MiB: not an alarm file";
    QTest::newRow("unwritable file") << "usb clock" << L{"--usb", "alarms", "save", "/nonexistent/x.alm"} << 6
                                     << "cannot save /nonexistent/x.alm: No such folder";
}

void WhirlbeamCtlTest::failuresHaveTheirExitCodes()
{
    QFETCH(QString, device);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(Write(
        dir.filePath("bad"), arguments.contains("alarms") ? "k0500000000\r\nk05FF0700\r\n" : "\x01\x02\r\n"));
    QVERIFY(Write(dir.filePath("blank"), "k 500000000\r\n"));
    QVERIFY(Write(dir.filePath("empty"), ""));
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&oldDir] { QDir::setCurrent(oldDir); });

    UsbClock clock(QuietClock());
    FakeHidDevice denied;
    denied.path = "/dev/hidraw7";
    denied.openError = EACCES;
    ClockPeerOptions foreign = QuietClock();
    foreign.wrongIdentification = true;
    UsbClock stranger(foreign);
    const int silent = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(silent >= 0 && ::grantpt(silent) == 0 && ::unlockpt(silent) == 0);
    const auto closeSilent = qScopeGuard([silent] { ::close(silent); });
    if (device == QLatin1String("silent pty"))
        arguments = QStringList{"--serial", QString::fromLocal8Bit(::ptsname(silent))} + arguments;
    SimHidDevice* plugged = device == QLatin1String("usb denied") ? static_cast<SimHidDevice*>(&denied)
        : device == QLatin1String("usb foreign")                  ? &stranger
        : device == QLatin1String("usb clock")                    ? &clock
                                                                  : nullptr;
    const Run run = Ctl(arguments, UsbWith(plugged));
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.startsWith("whirlbeamctl: " + error.toUtf8()), run.err);
    QVERIFY(run.err.endsWith('\n') && run.err.count('\n') == 1);
}

// A port only its owner may open, opened by another user: the program says
// who may, and exits with its own code.
void WhirlbeamCtlTest::deniedPortAsAnotherUser()
{
    if (::geteuid() != 0)
        QSKIP("needs root to run the tool as another, unprivileged user");
    const OwnerOnlyPty pty;
    QVERIFY(pty.Ok());
    const QByteArray slave = pty.SlavePath();
    const NobodysRun run = ExecAsNobody(WHIRLBEAMCTL_BINARY, {"--serial", slave, "status"});
    QVERIFY(WIFEXITED(run.status));
    QCOMPARE(WEXITSTATUS(run.status), 4);
    QCOMPARE(run.output, "whirlbeamctl: Only the user root may open " + slave + ".\n");
}

// A second whirlbeamctl on a port the first one holds finds its lock file,
// names it, and exits as "in use"; the first takes the lock along when a
// signal ends it.
void WhirlbeamCtlTest::portHolderNamedByItsLock()
{
    if (::access(QFile::encodeName(kLockFolder).constData(), W_OK) != 0)
        QSKIP("needs a lock folder this user may write");
    AnsweringPty silent{QByteArray()};
    QVERIFY(silent.Ok());
    const QString lock = LockFilePath(silent.SlavePath(), kLockFolder);
    QProcess holder;
    holder.start(QStringLiteral(WHIRLBEAMCTL_BINARY), {"--serial", silent.SlavePath(), "--timeout", "30", "status"});
    QVERIFY(holder.waitForStarted());
    const pid_t pid = pid_t(holder.processId());
    const auto ended = qScopeGuard([&holder] { holder.kill(); holder.waitForFinished(); });
    QTRY_COMPARE_WITH_TIMEOUT(PidInLock(Slurp(lock)), pid, kReadMs);

    const Run run = Ctl({"--serial", silent.SlavePath(), "status"});
    QCOMPARE(run.code, 7);
    QCOMPARE(run.err, "whirlbeamctl: " + silent.SlavePath().toUtf8() + " is in use by whirlbeamctl (process "
                 + QByteArray::number(pid) + ").\n");

    ::kill(pid, SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(holder.state() == QProcess::NotRunning, kReadMs);
    QVERIFY2(!QFile::exists(lock), "the lock outlived its holder");
}

void WhirlbeamCtlTest::monitorAcrossAnUnplug_data()
{
    QTest::addColumn<bool>("reconnect");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("err");
    QTest::newRow("waits for the clock and goes on")
        << true << 130
        << R"re(whirlbeamctl: the USB clock \S+ was unplugged; waiting for the clock to come back\n)re"
           R"re(whirlbeamctl: the clock is back on the USB clock \S+\nwhirlbeamctl: interrupted\n)re";
    QTest::newRow("--no-reconnect ends it") << false << 3 << R"re(whirlbeamctl: the USB clock \S+ was unplugged\n)re";
}

// The clock is unplugged once it has answered, plugged in again once the
// tool says it waits, and the tool interrupted once it shows replies again.
void WhirlbeamCtlTest::monitorAcrossAnUnplug()
{
    QFETCH(bool, reconnect);
    QFETCH(int, code);
    QFETCH(QString, err);
    UsbClock clock(QuietClock());
    SimHidBackend* usb = nullptr;
    QBuffer out;
    QBuffer said;
    out.open(QIODevice::WriteOnly);
    said.open(QIODevice::WriteOnly);
    WhirlbeamCtl ctl({&out, &said,
        [&] {
            auto backend = std::make_unique<SimHidBackend>();
            backend->Plug(&clock, false);
            usb = backend.get();
            return std::unique_ptr<HidBackend>(std::move(backend));
        },
        QStringLiteral("/nonexistent/WhirlbeamClock.ini")});
    int phase = 0;
    qint64 shown = 0;
    QTimer step;
    connect(&step, &QTimer::timeout, this, [&] {
        if (phase == 0 && out.data().count('\n') >= 3) {
            usb->Unplug(&clock);
            phase = 1;
        } else if (phase == 1 && said.data().contains("waiting")) {
            shown = out.size();
            usb->Plug(&clock);
            phase = 2;
        } else if (phase == 2 && said.data().contains("back on") && out.size() > shown) {
            ctl.Interrupt(SIGINT);
            phase = 3;
        }
    });
    step.start(10);
    QTimer::singleShot(kReadMs, &ctl, [&ctl] { ctl.Interrupt(SIGTERM); });
    const int ran = ctl.Run(reconnect ? QStringList{"--usb", "monitor"} : QStringList{"--usb", "monitor", "--no-reconnect"});
    QCOMPARE(ran, code);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(err)).match(QString::fromUtf8(said.data())).hasMatch(),
        said.data());
}

// Interrupted once the file holds the header and two rows, a second apart.
void WhirlbeamCtlTest::logAppendsCsvRows()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sensors.csv"));
    UsbClock clock(QuietClock());
    QBuffer out;
    QBuffer said;
    out.open(QIODevice::WriteOnly);
    said.open(QIODevice::WriteOnly);
    WhirlbeamCtl ctl({&out, &said, UsbWith(&clock), QStringLiteral("/nonexistent/WhirlbeamClock.ini")});
    QTimer step;
    connect(&step, &QTimer::timeout, this, [&] {
        if (Slurp(file).count('\n') >= 3)
            ctl.Interrupt(SIGINT);
    });
    step.start(20);
    QTimer::singleShot(kReadMs, &ctl, [&ctl] { ctl.Interrupt(SIGTERM); });
    QCOMPARE(ctl.Run({"--usb", "log", "--csv", file, "--interval", "1"}), 130);
    const QString row = R"re(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ,-?\d+,\d+,\d+,\d+\r\n)re";
    const QString csv = QString::fromLatin1(Slurp(file));
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(
                 "time,temperature_c,humidity_pct,pressure_hpa,light\r\n" + row + row))
                 .match(csv)
                 .hasMatch(),
        qPrintable(csv));
    QCOMPARE(said.data(), QByteArray("whirlbeamctl: interrupted\n"));
    QVERIFY(out.data().isEmpty());
}

// The program itself, where its environment or a signal matters: stdout
// and stderr are matched whole against the patterns (PORT: the pty's path).
void WhirlbeamCtlTest::programSpeaksToScriptsAndPeople_data()
{
    QTest::addColumn<QString>("device"); // "gps" or "silent" on a pty; "" for none
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("language"); // LC_ALL; C unless given
    QTest::addColumn<QByteArray>("signalAt"); // when stdout shows this, the signal goes
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    using L = QStringList;
    const QString iso = R"re(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d)re";
    const QString notAClock
        = R"re(the device on PORT answers, but not as a whirlbeam clock \(first line: )re";
    QTest::newRow("a GPS receiver is not a clock")
        << "gps" << L{"--serial", "PORT", "--timeout", "1", "status"} << QByteArray() << QByteArray() << 0
        << 1 << ""
        << "whirlbeamctl: " + notAClock
            + R"re("\$GPGGA,123519,4807\.038,N,01131\.000,E,1,08,0\.9,545\.4,M,46\.9,M"\.\.\.\)\n)re";
    QTest::newRow("the error as JSON too")
        << "gps" << L{"--json", "--serial", "PORT", "--timeout", "1", "send", "p"} << QByteArray()
        << QByteArray() << 0 << 1
        << R"re(\{\n    "error": ")re" + notAClock
            + R"re(\\"\$GPGGA[^\n]+\\"\.\.\.\)",\n    "exitCode": 1\n\}\n)re"
        << "whirlbeamctl: " + notAClock + R"re([^\n]+\n)re";
    QTest::newRow("an empty zone is a wrong command line")
        << "" << L{"offset", "--json", "--zone", ""} << QByteArray() << QByteArray() << 0 << 2
        << R"re(\{\n    "error": "--zone takes a time zone such as Europe/Berlin, not '' \(whirlbeamctl --help lists what it takes\)",\n    "exitCode": 2\n\}\n)re"
        << R"re(whirlbeamctl: --zone takes [^\n]+\n)re";
    QTest::newRow("monitor for scripts, until SIGTERM")
        << "" << L{"--simulate", "usb", "monitor", "--json"} << QByteArray() << QByteArray("\"TimeReply\"")
        << SIGTERM << 143
        << R"re((?s)\{"fields":\{"recognised":true\},"kind":"IdentificationReply","line":"Pelk Whirlbeam Clock","time":")re"
            + iso
            + R"re(","words":"identification"\}\n.*\{"fields":\{"time":"\d\d:\d\d:\d\d"\},"kind":"TimeReply","line":"T\d{6}","time":")re"
            + iso + R"re(","words":"time \d\d:\d\d:\d\d"\}\n.*\{"error":"interrupted","exitCode":143\}\n)re"
        << R"re(whirlbeamctl: interrupted\n)re";
    QTest::newRow("monitor for people, until Ctrl-C")
        << "" << L{"--simulate", "usb", "monitor"} << QByteArray() << QByteArray("  time ") << SIGINT << 130
        << R"re((?s)\d\d:\d\d:\d\d\.\d{3}  Pelk Whirlbeam Clock  identification\n.*)re"
        << R"re(whirlbeamctl: interrupted\n)re";
    QTest::newRow("monitor --words")
        << "" << L{"--simulate", "usb", "monitor", "--words"} << QByteArray() << QByteArray("\ntime ") << SIGINT
        << 130 << R"re(identification\nversion 04\.02\n(?s).*)re" << R"re(whirlbeamctl: interrupted\n)re";
    QTest::newRow("monitor --raw")
        << "" << L{"--simulate", "usb", "monitor", "--raw"} << QByteArray() << QByteArray("\nT") << SIGINT << 130
        << R"re(Pelk Whirlbeam Clock\nV04\.02\n(?s).*)re" << R"re(whirlbeamctl: interrupted\n)re";
    QTest::newRow("status in German")
        << "" << L{"--simulate", "usb", "status"} << QByteArray("de_DE.UTF-8") << QByteArray() << 0 << 0
        << R"re((?s).*\nDatum: +\d{4}-\d\d-\d\d \(Wochentag \d\)\nUhrzeit: +\d\d:\d\d:\d\d \((un)?gültig\)\n)re"
           R"re(Whirlbeam: +Betriebsart Lauf, Restzeit \d+ s(, [^,\n]+)*\nRelais: +aus, noch 0 min\n)re"
           R"re(Sensoren: +Licht \d+, Temperatur -?\d+ °C, Luftfeuchte \d+ %, Luftdruck \d\.\d{3} hPa\n)re"
        << "";
    QTest::newRow("a German decimal comma")
        << "silent" << L{"--serial", "PORT", "--timeout", "0.5", "status"} << QByteArray("de_DE.UTF-8")
        << QByteArray() << 0 << 5 << ""
        << R"re(whirlbeamctl: keine Antwort von PORT auf "p" innerhalb von 0,5 s\n)re";
}

void WhirlbeamCtlTest::programSpeaksToScriptsAndPeople()
{
    QFETCH(QString, device);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, signalAt);
    QFETCH(int, signal);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    std::optional<AnsweringPty> pty;
    if (!device.isEmpty()) {
        pty.emplace(device == QLatin1String("gps") ? kGpsSentence : QByteArray());
        QVERIFY(pty->Ok());
        arguments.replaceInStrings(QStringLiteral("PORT"), pty->SlavePath());
        out.replace(QStringLiteral("PORT"), QRegularExpression::escape(pty->SlavePath()));
        err.replace(QStringLiteral("PORT"), QRegularExpression::escape(pty->SlavePath()));
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(
        QStringLiteral("LC_ALL"), language.isEmpty() ? QStringLiteral("C") : QString::fromLatin1(language));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
    program.setProcessEnvironment(environment);
    QByteArray seen;
    connect(&program, &QProcess::readyReadStandardOutput, this, [&] {
        seen += program.readAllStandardOutput();
        if (signal && seen.contains(signalAt))
            ::kill(pid_t(program.processId()), std::exchange(signal, 0));
    });
    program.start(QStringLiteral(WHIRLBEAMCTL_BINARY), arguments);
    QVERIFY(program.waitForStarted());
    // The event loop runs meanwhile: the pty's far end answers from it.
    QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, kReadMs);
    seen += program.readAllStandardOutput();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), code);
    const auto whole = [](const QString& pattern) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
    };
    QVERIFY2(whole(out).match(QString::fromUtf8(seen)).hasMatch(), seen);
    const QByteArray said = program.readAllStandardError();
    QVERIFY2(whole(err).match(QString::fromUtf8(said)).hasMatch(), said);
}

QTEST_MAIN(WhirlbeamCtlTest)
#include "tst_whirlbeamctl.moc"
