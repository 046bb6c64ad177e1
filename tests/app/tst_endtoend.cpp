// SPDX-License-Identifier: GPL-3.0-or-later
// The panel against the simulated clock over a real pseudo terminal (the
// termios port on one side, the clock's master on the other), and over USB
// as an in-process HID device behind the real controller and reader thread.

#include "app/ComSetup.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/Rc5Page.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "link/CustomComPort.h"
#include "protocol/commands/StatusRequests.h"
#include "sim/PtyClock.h"
#include "app/pages/SensorChart.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/AsNobody.h"
#include "support/FakeDialogs.h"
#include "widgets/LED.h"
#include "widgets/MavoTrend.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFile>
#include "widgets/Spin.h"
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Lines = QList<QByteArray>;

namespace {

constexpr int kConnectMs = 20000;

ClockPeerOptions QuietClock()
{
    ClockPeerOptions options;
    options.rc5IntervalMs = 0; // no stray packets from other remotes in the room
    return options;
}

struct Bench {
    PtyClock clock;
    FakeDialogs* dialogs = new FakeDialogs;
    std::unique_ptr<TForm1> form;
    Lines commands;
    Lines replies;

    explicit Bench(const ClockPeerOptions& options = QuietClock())
        : clock(options)
    {
        if (!clock.Open())
            qFatal("no pseudo terminal: %s", qPrintable(clock.ErrorString()));
        QObject::connect(&clock.Peer(), &ClockPeer::CommandReceived,
                         [this](const QByteArray& command) { commands << command; });
        form = std::make_unique<TForm1>(TForm1::Devices{
            nullptr, std::make_unique<TJvHidDeviceController>(), std::unique_ptr<DialogSeam>(dialogs)});
        QObject::connect(form.get(), &TForm1::ReplyTaken, [this](const QByteArray& line) { replies << line; });
        form->SelectSerialLink(clock.SlavePath());
    }
    ~Bench() { ScreenCursor::SetArrow(); }

    template <typename T = QWidget> T* Get(const char* name) const { return form->findChild<T*>(name); }
    void Open() { Get<QPushButton>("OpenButton")->click(); }
};

// A clock this far from the computer's time.
ClockPeer::TimeSource WrongBy(qint64 ms)
{
    return [ms] { return QDateTime::currentDateTime().addMSecs(ms); };
}

struct UsbBench {
    UsbClock clock;
    SimHidBackend* usb = new SimHidBackend;
    std::unique_ptr<TForm1> form;
    Lines commands;
    Lines reports;

    explicit UsbBench(qint64 wrongByMs = 0)
        : clock(QuietClock(), WrongBy(wrongByMs))
    {
        usb->Plug(&clock, false);
        QObject::connect(&clock.Peer(), &ClockPeer::CommandReceived,
                         [this](const QByteArray& command) { commands << command; });
        QObject::connect(&clock, &UsbClock::ReportWritten, [this](const QByteArray& report) { reports << report; });
        form = std::make_unique<TForm1>(
            TForm1::Devices{std::make_unique<FakeComPort>(),
                            std::make_unique<TJvHidDeviceController>(std::unique_ptr<HidBackend>(usb)),
                            std::make_unique<FakeDialogs>()});
        // The first scan lists and hooks the clock.
        QTRY_VERIFY(form->CurrentHidDevice);
    }
    ~UsbBench() { ScreenCursor::SetArrow(); }

    template <typename T = QWidget> T* Get(const char* name) const { return form->findChild<T*>(name); }
    void Open() { Get<QPushButton>("OpenButton")->click(); }
};

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void connectsAndReadsTheClock();
    void opensOnFirstActivation();
    void sendTimeSetsTheClock();
    void syncTimeStartsTheClocksSecondOnTheComputers();
    void vanishedClockClosesTheLink();
    void deniedPortExplainsItself();
    void alarmsFollowTheClock();
    void usbReadsTheClockAtTheTick();
    void usbUnplugMidReadClosesOnce();
    void clockReturnsAfterAReplug_data();
    void clockReturnsAfterAReplug();
    void modeAndPwmFollowTheClock();
    void peripheralPagesFollowTheClock();
    void sensorSeriesGrowWithTheReplies();
    void statisticsFillTheChart();
    void portChosenInTheDialogIsRemembered();
    void parametersCarryToAnotherClock();
};

void EndToEndTest::connectsAndReadsTheClock()
{
    Bench bench;
    bench.Open();
    QVERIFY(bench.form->ComPort1()->Connected());
    QVERIFY(bench.dialogs->errors.isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<TLED>("LED1")->Color() == lcGreen, kConnectMs);
    QCOMPARE(bench.commands.first(), QByteArray("p"));
    QTRY_VERIFY_WITH_TIMEOUT(bench.commands.size() >= 16, kConnectMs);
    // "p" went unanswered at the first tick; the reply to it turned the LED
    // green and queued the refresh batch, which then goes out in order.
    const qsizetype batchStart = bench.commands.indexOf(ReplyResumedBatch().first(), 1);
    QVERIFY(batchStart > 0);
    QCOMPARE(bench.commands.mid(batchStart, 14), ReplyResumedBatch());
    QVERIFY(bench.replies.contains(QByteArrayLiteral("Pelk Whirlbeam Clock")));

    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->InitialLoad, 40 * kConnectMs);
    QCOMPARE(bench.form->AlarmCount, 40);
    QCOMPARE(bench.form->StatusText(0), QStringLiteral("Connected"));
    QVERIFY(bench.Get<QLineEdit>("DeviceEdit")->text().startsWith(QStringLiteral("Pelk")));
    QVERIFY(bench.Get<QLineEdit>("VersionEdit")->text().startsWith(QStringLiteral("04")));
    QVERIFY(!ScreenCursor::IsHourglass());
    QVERIFY(bench.dialogs->errors.isEmpty());
}

void EndToEndTest::opensOnFirstActivation()
{
    Bench bench;
    bench.form->OpenOnFirstActivation();
    QVERIFY(!bench.form->ComPort1()->Connected());
    bench.form->show();
    QVERIFY(QTest::qWaitForWindowActive(bench.form.get()));
    QTRY_VERIFY_WITH_TIMEOUT(bench.form->ComPort1()->Connected(), kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<TLED>("LED1")->Color() == lcGreen, kConnectMs);
}

void EndToEndTest::sendTimeSetsTheClock()
{
    Bench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<TLED>("LED1")->Color() == lcGreen, kConnectMs);
    bench.Get<QCheckBox>("RefreshTimeCheckBox")->setChecked(false);
    bench.Get<QTimeEdit>("TimePicker")->setTime(QTime(3, 4, 5));
    bench.Get<QPushButton>("SendTimeButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(bench.commands.contains(QByteArrayLiteral("s030405")), 40 * kConnectMs);
    // The clock answers in the layout of its time, now running from 03:04:05.
    QTRY_VERIFY_WITH_TIMEOUT(bench.replies.contains(QByteArrayLiteral("S030405")), kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<QTimeEdit>("DateTimePicker2")->time().hour() == 3, kConnectMs);
}

// "Send Time" leaves the clock up to a second and more behind; this sets it
// to within what a scheduler's latency adds.
void EndToEndTest::syncTimeStartsTheClocksSecondOnTheComputers()
{
    constexpr qint64 kWrongByMs = -2345;
    UsbBench bench(kWrongByMs);
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->InitialLoad, kConnectMs);
    const qsizetype before = bench.commands.size();
    bench.Get<QPushButton>("SyncTimeButton")->click();
    const auto timeSent = [&bench, before] {
        return std::any_of(bench.commands.begin() + before, bench.commands.end(),
            [](const QByteArray& command) { return command.startsWith('s'); });
    };
    QTRY_VERIFY_WITH_TIMEOUT(timeSent(), kConnectMs);
    const qint64 offset = bench.clock.Peer().WallOffsetMs() + kWrongByMs;
    QVERIFY2(std::abs(offset) <= 50, qPrintable(QStringLiteral("%1 ms").arg(offset)));
}

void EndToEndTest::vanishedClockClosesTheLink()
{
    Bench bench;
    bench.Get<QAction>("Reconnect1")->setChecked(false);
    bench.Open();
    QTRY_COMPARE_WITH_TIMEOUT(bench.form->StatusText(0), QStringLiteral("Connected"), kConnectMs);
    bench.clock.HangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->ComPort1()->Connected(), kConnectMs);
    QCOMPARE(bench.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QVERIFY(!bench.form->LinkOpen());
    QCOMPARE(bench.form->StatusText(0), QStringLiteral("Not connected"));
    QTest::qWait(300);
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QCOMPARE(bench.dialogs->errors[0].section(QLatin1Char('\n'), 1),
             QStringLiteral("The device is gone (unplugged?). Plug it in again and press Open."));
}

// A port only its owner may open, opened by another user: the box keeps the
// port's message and says in plain words who may open it.
void EndToEndTest::deniedPortExplainsItself()
{
    if (::geteuid() != 0)
        QSKIP("needs root to open the port as another, unprivileged user");
    const OwnerOnlyPty pty;
    QVERIFY(pty.Ok());
    const QString slave = QString::fromLocal8Bit(pty.SlavePath());

    // The open must really be refused, so it runs as nobody in a child;
    // the child only opens, writes what the box said and ends.
    const NobodysRun run = RunAsNobody([&slave](int out) {
        auto* dialogs = new FakeDialogs;
        TForm1 form(TForm1::Devices{nullptr, nullptr, std::unique_ptr<DialogSeam>(dialogs)});
        form.SelectSerialLink(slave);
        form.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
        const QByteArray said = dialogs->errors.join(QLatin1Char('|')).toUtf8();
        const bool written = ::write(out, said.constData(), size_t(said.size())) == said.size();
        ::_exit(written ? 0 : 4);
    });
    QVERIFY(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0);
    QCOMPARE(QString::fromUtf8(run.output), QStringLiteral("Unable to open com port (win error code: 13)\n"
                                                           "Only the user root may open %1.").arg(slave));
}

void EndToEndTest::alarmsFollowTheClock()
{
    Bench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->InitialLoad, 40 * kConnectMs);
    AlarmTable* alarms = bench.form->Alarms();
    int readBack = 0;
    for (const QByteArray& reply : bench.replies) {
        if (!reply.startsWith('L'))
            continue;
        ++readBack;
        QCOMPARE(alarms->RowCommand(reply.mid(1, 2).toInt()), "k" + reply.mid(1));
    }
    QCOMPARE(readBack, 40);

    const AlarmRow& row3 = alarms->AlarmRows[3];
    row3.EnableCheckBox->setChecked(true);
    row3.WCheckBoxes[1]->setChecked(true);
    row3.TimePicker->setTime(QTime(12, 34));
    row3.RelOnCheckBox->setChecked(true);
    row3.SpinEdit->SetValue(5);
    const QByteArray sent = alarms->RowCommand(3);
    QCOMPARE(sent, QByteArray("k0382123485"));
    row3.SendButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(bench.replies.contains("K" + sent.mid(1)), kConnectMs);

    const AlarmRow& row30 = alarms->AlarmRows[30];
    row30.EnableCheckBox->setChecked(true);
    row30.SendButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(bench.replies.contains(QByteArrayLiteral("K3080000000")), kConnectMs);
    bench.replies.clear();
    bench.Get<QPushButton>("DisableAlarms2Button")->click();
    QTRY_VERIFY_WITH_TIMEOUT(bench.replies.contains(QByteArrayLiteral("Z0190")), 2 * kConnectMs);
    int disabled = 0;
    for (const QByteArray& reply : bench.replies) {
        if (reply.startsWith('K')) {
            QVERIFY(reply.mid(1, 2).toInt() >= 20);
            QCOMPARE(reply.mid(3, 2), QByteArray("00"));
            ++disabled;
        }
    }
    QCOMPARE(disabled, 20);
    QVERIFY(!row30.EnableCheckBox->isChecked());
}

void EndToEndTest::usbReadsTheClockAtTheTick()
{
    UsbBench bench;
    qsizetype ticksToRead = -1;
    QObject::connect(bench.form.get(), &TForm1::FirstLoadDone,
                     [&] { ticksToRead = bench.reports.size(); });
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(ticksToRead > 0, kConnectMs);

    // "p" at the first tick; its reply turns the LED green and queues the
    // batch, whose "o" queues the 40 alarm queries and the end marker.
    Lines expected = ReplyResumedBatch();
    for (int alarm = 0; alarm < 40; ++alarm)
        expected << QByteArray("l") + QByteArray::number(alarm).rightJustified(2, '0');
    expected << "z0190";
    QCOMPARE(bench.commands.first(), QByteArray("p"));
    const qsizetype batchStart = bench.commands.indexOf(ReplyResumedBatch().first(), 1);
    QVERIFY(batchStart > 0);
    QCOMPARE(bench.commands.mid(batchStart, expected.size()), expected);
    QVERIFY2(ticksToRead <= 1 + 14 + 40 + 1 + 4, qPrintable(QString::number(ticksToRead)));
    QCOMPARE(bench.form->AlarmCount, 40);
    QCOMPARE(bench.form->StatusText(0), QStringLiteral("Connected"));
    for (const QByteArray& report : bench.reports)
        QCOMPARE(report.size(), UsbClock::kReportLength);
}

void EndToEndTest::usbUnplugMidReadClosesOnce()
{
    UsbBench bench;
    bench.Get<QAction>("Reconnect1")->setChecked(false);
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(bench.commands.contains("l10"), kConnectMs);
    bench.usb->Unplug(&bench.clock);
    QVERIFY(!bench.form->UsbLinkOpen);
    QCOMPARE(bench.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QCOMPARE(bench.form->StatusText(0), QStringLiteral("Clock unplugged"));
    const qsizetype written = bench.reports.size();

    bench.form->SetStatusText(0, QString());
    bench.usb->Notify();
    QTest::qWait(100);
    QCOMPARE(bench.form->StatusText(0), QString());
    QCOMPARE(bench.reports.size(), written);
    QCOMPARE(bench.clock.WritesWhileUnplugged(), 0);
    QVERIFY(!bench.form->Timer1()->isActive());
}

void EndToEndTest::clockReturnsAfterAReplug_data()
{
    QTest::addColumn<bool>("usb");
    QTest::newRow("serial: the pty's other end closed, a new pty at the same path") << false;
    QTest::newRow("USB: unplugged and plugged in again") << true;
}

// The returned clock is read whole again, as after Open: the poll, the
// refresh batch on its first answer, the alarm read-out.
void EndToEndTest::clockReturnsAfterAReplug()
{
    QFETCH(bool, usb);
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("clock"));
    std::optional<Bench> serial;
    std::optional<UsbBench> usbClock;
    std::unique_ptr<PtyClock> second;
    TForm1* form = nullptr;
    if (usb) {
        usbClock.emplace();
        form = usbClock->form.get();
    } else {
        serial.emplace();
        QVERIFY(QFile::link(serial->clock.SlavePath(), link));
        serial->form->SelectSerialLink(link);
        form = serial->form.get();
    }
    form->findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!form->InitialLoad, 40 * kConnectMs);
    if (usb)
        usbClock->usb->Unplug(&usbClock->clock);
    else
        serial->clock.HangUp();
    QTRY_COMPARE_WITH_TIMEOUT(form->StatusText(0),
        QStringLiteral("Waiting for the clock to return (%1)").arg(usb ? QStringLiteral("USB serial SIM0001") : link),
        kConnectMs);

    Lines afterReturn;
    const auto note = [&afterReturn](const QByteArray& command) { afterReturn << command; };
    if (usb) {
        QObject::connect(&usbClock->clock.Peer(), &ClockPeer::CommandReceived, note);
        usbClock->usb->Plug(&usbClock->clock);
    } else {
        second = std::make_unique<PtyClock>(QuietClock());
        QVERIFY(second->Open());
        QObject::connect(&second->Peer(), &ClockPeer::CommandReceived, note);
        const QString fresh = dir.filePath(QStringLiteral("clock.new"));
        QVERIFY(QFile::link(second->SlavePath(), fresh));
        QCOMPARE(::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(link).constData()), 0);
    }
    Lines expected = ReplyResumedBatch();
    for (int alarm = 0; alarm < 40; ++alarm)
        expected << QByteArray("l") + QByteArray::number(alarm).rightJustified(2, '0');
    QTRY_VERIFY_WITH_TIMEOUT(afterReturn.contains("l39"), 40 * kConnectMs);
    QCOMPARE(afterReturn.first(), QByteArray("p"));
    const qsizetype batchStart = afterReturn.indexOf(ReplyResumedBatch().first(), 1);
    QVERIFY(batchStart > 0);
    QCOMPARE(afterReturn.mid(batchStart, expected.size()), expected);
    QTRY_COMPARE_WITH_TIMEOUT(form->StatusText(0), QStringLiteral("Connected"), kConnectMs);
    if (usb)
        QCOMPARE(usbClock->clock.WritesWhileUnplugged(), 0);
}

void EndToEndTest::modeAndPwmFollowTheClock()
{
    Bench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->InitialLoad, 40 * kConnectMs);
    const auto checked = [&](const char* name) { return bench.Get<QCheckBox>(name)->isChecked(); };
    const auto value = [&](const char* name) { return bench.Get<TSpinEdit>(name)->Value(); };
    // The simulated clock's own settings: DCF77 sync, sound at hour change,
    // motor PWM; 300 s standby, sound 7..22, light limit 0x20; factory coil drive.
    QVERIFY(checked("DCF77SyncCheckBox") && checked("HourSoundCheckBox") && checked("MotorPWMCheckBox"));
    QVERIFY(!checked("ASTCheckBox") && !checked("ReInitCheckBox"));
    QCOMPARE((QList<int>{value("ASTSpinEdit"), value("FromSpinEdit"), value("ToSpinEdit"),
                         value("LightLimitSpinEdit")}),
             (QList<int>{300, 7, 22, 32}));
    QCOMPARE((QList<int>{value("RunPulseSpinEdit"), value("HighSpeedSpinEdit"), value("SleepPulseSpinEdit"),
                         value("LowSpeedSpinEdit"), value("NewRPulseSpinEdit"), value("NewHighSpeedSpinEdit")}),
             (QList<int>{40, 112, 12, 80, 40, 40}));

    bench.Get<QCheckBox>("ReInitCheckBox")->setChecked(true);
    bench.Get<QPushButton>("SendModeButton")->click();
    bench.Get<QCheckBox>("ASTCheckBox")->setChecked(true); // edited while the command is on its way
    QTRY_VERIFY_WITH_TIMEOUT(checked("ReInitCheckBox2"), kConnectMs);
    QVERIFY(bench.commands.contains(QByteArrayLiteral("gC801")));
    QVERIFY(checked("ASTCheckBox") && !checked("ASTCheckBox2"));

    bench.Get<TSpinEdit>("NewRPulseSpinEdit")->SetValue(100);
    bench.Get<QPushButton>("SendPwmButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(value("RunPulseSpinEdit"), 100, kConnectMs);
    bench.Get<QPushButton>("Button1")->click();
    QTRY_COMPARE_WITH_TIMEOUT(value("RunPulseSpinEdit"), 40, kConnectMs);
    QCOMPARE((QList<int>{value("HighSpeedSpinEdit"), value("SleepPulseSpinEdit"), value("LowSpeedSpinEdit"),
                         value("NewRPulseSpinEdit")}),
             (QList<int>{112, 12, 80, 100}));

    bench.Get<QPushButton>("StopButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(bench.form->StatusText(1), QStringLiteral("Whirlbeam in sleep mode"), kConnectMs);
    QVERIFY(!bench.Get<TLED>("RunLED")->Lit());
    bench.Get<QPushButton>("Button2")->click();
    QTRY_COMPARE_WITH_TIMEOUT(bench.form->StatusText(1), QStringLiteral("Whirlbeam in run mode"), kConnectMs);
}

void EndToEndTest::statisticsFillTheChart()
{
    Bench bench;
    bench.Open();
    bench.Get<QPushButton>("getStatisticsButton")->click();
    const auto lastHourRead = [&bench] {
        return std::any_of(bench.replies.begin(), bench.replies.end(),
                           [](const QByteArray& reply) { return reply.startsWith("FA0F7"); });
    };
    QTRY_VERIFY_WITH_TIMEOUT(lastHourRead(), 2 * kConnectMs);

    Lines reads;
    for (int hour = 0; hour < 24; ++hour)
        reads << "fA0" + QByteArray::number(0xE0 + hour, 16).toUpper();
    const qsizetype first = bench.commands.indexOf("fA0E0");
    QCOMPARE(bench.commands.mid(first, 24), reads);
    QCOMPARE(std::count_if(bench.commands.begin(), bench.commands.end(),
                           [](const QByteArray& command) { return command.startsWith('f'); }),
             24);

    QList<int> figures(24, -1);
    for (const QByteArray& reply : bench.replies)
        if (reply.startsWith("FA0"))
            figures[reply.mid(3, 2).toInt(nullptr, 16) - 0xE0] = reply.mid(5, 2).toInt(nullptr, 16);
    auto* chart = bench.Get<TMavoTrend>("MavoTrend1");
    for (int hour = 0; hour < 24; ++hour) {
        QVERIFY(figures[hour] >= 0);
        QCOMPARE(chart->Value(hour), qMin(figures[hour], 60));
        QCOMPARE(bench.form->DcfHourStats[size_t(hour)], figures[hour]);
    }
}

void EndToEndTest::peripheralPagesFollowTheClock()
{
    Bench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->InitialLoad, 40 * kConnectMs);

    bench.clock.Peer().ReceiveRc5Packet();
    const auto* rc5 = bench.form->findChild<Rc5Page*>();
    QTRY_COMPARE_WITH_TIMEOUT(rc5->HistoryLines().size(), 1, kConnectMs);
    QVERIFY(rc5->HistoryLines().first().startsWith("Addr: 0"));

    bench.Get<TSpinEdit>("RelaisSpinEdit")->SetValue(2);
    bench.Get<QPushButton>("RelaisOnButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<TLED>("RelaisLED")->Lit(), kConnectMs);
    QCOMPARE(bench.form->StatusText(2), QStringLiteral("Relais is on"));
    QCOMPARE(bench.Get<QLineEdit>("RelaisRemainingEdit")->text(), QStringLiteral("  2"));

    // What the spin edit shows afterwards can only come from the clock.
    auto* offset = bench.Get<TSpinEdit>("HumidityOffsetSpinEdit");
    offset->SetValue(-7);
    bench.Get<QPushButton>("SendHumidityOffsetButton")->click();
    offset->SetValue(0);
    QTRY_COMPARE_WITH_TIMEOUT(offset->Value(), -7, kConnectMs);
    QVERIFY(bench.replies.contains(QByteArrayLiteral("_4000F900")));
}

// Every measurement reply of the poll cycle is one more sample in each
// series, with the reading the edits show.
void EndToEndTest::sensorSeriesGrowWithTheReplies()
{
    Bench bench;
    bench.Open();
    const auto* chart = bench.Get<SensorChart>("SensorChart");
    QTRY_VERIFY_WITH_TIMEOUT(chart->SampleCount() >= 3, 40 * kConnectMs);
    const int count = chart->SampleCount();
    QCOMPARE(chart->property("SampleCount").toInt(), count);
    for (const char* series : {"TemperatureSeries", "HumiditySeries", "PressureSeries", "LightSeries"}) {
        const QVariantList values = chart->property(series).toList();
        QVERIFY2(values.size() >= count, series);
        QVERIFY2(values.first().isValid(), series);
    }
    QTRY_COMPARE_WITH_TIMEOUT(
        chart->TemperatureSeries().constLast().toInt(), bench.Get<QLineEdit>("TemperatureEdit")->text().toInt(),
        kConnectMs);
}

// The user picks the pseudo terminal in Setup and saves; the next panel
// started in the same folder reads the file and reaches the clock there.
void EndToEndTest::portChosenInTheDialogIsRemembered()
{
    PtyClock clock{QuietClock()};
    QVERIFY(clock.Open());
    QTemporaryDir dir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(oldDir); });
    TComSelect::SetPortLister([&clock] { return QStringList{QStringLiteral("ttyS0"), clock.SlavePath()}; });
    const auto machineList = qScopeGuard([] { TComSelect::SetPortLister({}); });
    const auto arrow = qScopeGuard([] { ScreenCursor::SetArrow(); });

    {
        auto* dialogs = new FakeDialogs;
        TForm1 first(TForm1::Devices{nullptr, nullptr, std::unique_ptr<DialogSeam>(dialogs)});
        dialogs->onModal = [&clock](QDialog& dialog) {
            auto* port = dialog.findChild<TComComboBox*>(QStringLiteral("Combo1"));
            const int index = port->findText(clock.SlavePath());
            port->setCurrentIndex(index);
            emit port->activated(index);
            dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        };
        first.findChild<QAction*>(QStringLiteral("Parameters1"))->trigger();
        first.findChild<QAction*>(QStringLiteral("SaveSettings2"))->trigger();
        QCOMPARE(dialogs->modals, QStringList{"Setup"});
        QVERIFY(dialogs->errors.isEmpty());
    }

    TForm1 second(TForm1::Devices{nullptr, nullptr, std::make_unique<FakeDialogs>()});
    QCOMPARE(second.ComPort1()->Port(), clock.SlavePath());
    second.findChild<QAction*>(QStringLiteral("Serial1"))->trigger();
    second.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    QVERIFY(second.ComPort1()->Connected());
    QTRY_VERIFY_WITH_TIMEOUT(second.findChild<TLED*>(QStringLiteral("LED1"))->Color() == lcGreen, kConnectMs);
}

// The parameters set on one clock through the pages, saved, and loaded into
// a second clock fresh from the factory: the second reports them as the file
// carries them (no DCF77 synchronisation bit, no motor byte).
void EndToEndTest::parametersCarryToAnotherClock()
{
    ClockPeerOptions small = QuietClock();
    small.alarmCount = 20;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("clock.par"));
    const auto spin = [](Bench& bench, const char* name) { return bench.Get<TSpinEdit>(name); };
    const auto click = [](Bench& bench, const char* name) { bench.Get<QPushButton>(name)->click(); };
    {
        Bench first(small);
        first.Open();
        QTRY_VERIFY_WITH_TIMEOUT(!first.form->InitialLoad, 2 * kConnectMs);
        first.Get<QCheckBox>("ASTCheckBox")->setChecked(true);
        first.Get<QCheckBox>("HourSoundCheckBox")->setChecked(false);
        click(first, "SendModeButton");
        spin(first, "ASTSpinEdit")->SetValue(600);
        click(first, "SendASTButton");
        spin(first, "FromSpinEdit")->SetValue(6);
        spin(first, "ToSpinEdit")->SetValue(21);
        click(first, "SendSoundParButton");
        spin(first, "TempOffsetSpinEdit")->SetValue(-3);
        spin(first, "HumidityOffsetSpinEdit")->SetValue(4);
        spin(first, "PressureOffsetSpinEdit")->SetValue(-1);
        // Each button sets its own sensor's offset on the clock.
        for (const char* send : {"SendTempOffsetButton", "SendHumidityOffsetButton", "SendPressureOffsetButton"})
            click(first, send);
        spin(first, "NewRPulseSpinEdit")->SetValue(50);
        spin(first, "NewSPulseSpinEdit")->SetValue(20);
        click(first, "SendPwmButton");
        QTRY_COMPARE_WITH_TIMEOUT(spin(first, "SleepPulseSpinEdit")->Value(), 20, kConnectMs);
        QCOMPARE(spin(first, "RunPulseSpinEdit")->Value(), 50);
        first.dialogs->saveFile = file;
        first.form->SaveparametersClick();
        QVERIFY(first.dialogs->messages.isEmpty());
    }
    Bench second(small);
    second.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!second.form->InitialLoad, 2 * kConnectMs);
    QVERIFY(second.Get<QCheckBox>("DCF77SyncCheckBox2")->isChecked());
    second.dialogs->openFile = file;
    second.form->LoadparametersClick();
    QTRY_COMPARE_WITH_TIMEOUT(spin(second, "SleepPulseSpinEdit")->Value(), 20, kConnectMs);
    const auto twin = [&second](const char* name) { return second.Get<QCheckBox>(name)->isChecked(); };
    QVERIFY(twin("ASTCheckBox2") && !twin("HourSoundCheckBox2") && !twin("DCF77SyncCheckBox2"));
    QVERIFY(twin("MotorPWMCheckBox2"));
    QCOMPARE((QList<int>{spin(second, "ASTSpinEdit")->Value(), spin(second, "FromSpinEdit")->Value(),
                         spin(second, "ToSpinEdit")->Value(), spin(second, "TempOffsetSpinEdit")->Value(),
                         spin(second, "HumidityOffsetSpinEdit")->Value(),
                         spin(second, "PressureOffsetSpinEdit")->Value(), spin(second, "RunPulseSpinEdit")->Value()}),
             (QList<int>{600, 6, 21, -3, 4, -1, 50}));
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
