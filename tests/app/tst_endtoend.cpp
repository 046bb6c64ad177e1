// The panel against the simulated clock over a real pseudo terminal (the
// termios port on one side, the clock's master on the other), and over USB
// as an in-process HID device behind the real controller and reader thread.

#include "app/pages/AlarmTable.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "link/CustomComPort.h"
#include "protocol/commands/StatusRequests.h"
#include "sim/PtyClock.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"
#include "widgets/LED.h"

#include <QCheckBox>
#include <QDateEdit>
#include "widgets/Spin.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

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
    PtyClock clock{QuietClock()};
    FakeDialogs* dialogs = new FakeDialogs;
    std::unique_ptr<TForm1> form;
    Lines commands;
    Lines replies;

    Bench()
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

struct UsbBench {
    UsbClock clock{QuietClock()};
    SimHidBackend* usb = new SimHidBackend;
    std::unique_ptr<TForm1> form;
    Lines commands;

    UsbBench()
    {
        usb->Plug(&clock, false);
        QObject::connect(&clock.Peer(), &ClockPeer::CommandReceived,
                         [this](const QByteArray& command) { commands << command; });
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
    void vanishedClockClosesTheLink();
    void alarmsFollowTheClock();
    void usbReadsTheClockAtTheTick();
    void usbUnplugMidReadClosesOnce();
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

void EndToEndTest::vanishedClockClosesTheLink()
{
    Bench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(bench.Get<TLED>("LED1")->Color() == lcGreen, kConnectMs);
    bench.clock.HangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.form->ComPort1()->Connected(), kConnectMs);
    QCOMPARE(bench.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QVERIFY(!bench.form->LinkOpen());
    QTest::qWait(300);
    QCOMPARE(bench.dialogs->errors.size(), 1);
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
                     [&] { ticksToRead = bench.clock.Reports().size(); });
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
    for (const QByteArray& report : bench.clock.Reports())
        QCOMPARE(report.size(), UsbClock::kReportLength);
}

void EndToEndTest::usbUnplugMidReadClosesOnce()
{
    UsbBench bench;
    bench.Open();
    QTRY_VERIFY_WITH_TIMEOUT(bench.commands.contains("l10"), kConnectMs);
    bench.usb->Unplug(&bench.clock);
    QVERIFY(!bench.form->UsbLinkOpen);
    QCOMPARE(bench.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QCOMPARE(bench.form->StatusText(0), QStringLiteral("Clock unplugged"));
    const qsizetype written = bench.clock.Reports().size();

    bench.form->SetStatusText(0, QString());
    bench.usb->Notify();
    QTest::qWait(100);
    QCOMPARE(bench.form->StatusText(0), QString());
    QCOMPARE(bench.clock.Reports().size(), written);
    QCOMPARE(bench.clock.WritesWhileUnplugged(), 0);
    QVERIFY(!bench.form->Timer1()->isActive());
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
