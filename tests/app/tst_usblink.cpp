// SPDX-License-Identifier: GPL-3.0-or-later
// The window's USB link over in-process devices: the device list as clocks
// come and go, access problems, and a clock slower than the tick.

#include "protocol/commands/StatusRequests.h"
#include "sim/ClockPeer.h"
#include "support/PanelFixture.h"

#include <QComboBox>
#include <QMenu>
#include <QRandomGenerator>
#include <QtTest>
#include <cerrno>
#include <deque>

class UsbLinkTest : public QObject {
    Q_OBJECT

private slots:
    void unpluggedClockFallsBackToSerial();
    void quietNotificationKeepsTheChoice();
    void clockWithoutAccessSaysSoOnce();
    void slowClockKeepsTheQueueShort();
};

void UsbLinkTest::unpluggedClockFallsBackToSerial()
{
    FakeHidDevice clock;
    Panel p;
    auto* list = p.Get<QComboBox>("DevListBox");
    p.hid->devices = {&clock};
    p.hid->Change();
    QCOMPARE(list->count(), 1);

    p.hid->devices = {};
    p.hid->Change();
    QCOMPARE(list->count(), 0);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->placeholderText(), QStringLiteral("No device found"));
    QVERIFY(p.Action("Serial1")->isChecked());
    QVERIFY(!p.Visible("DevListBox"));

    p.hid->devices = {&clock};
    p.hid->Change();
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(p.form.CurrentHidDevice, p.hid->DeviceOf(clock));
    QVERIFY(p.form.CurrentHidDevice->Reading());
    QVERIFY2(p.Action("Serial1")->isChecked(),
        "the user chose the serial link meanwhile, as far as the window knows");
    QVERIFY(!p.Visible("DevListBox"));
}

void UsbLinkTest::quietNotificationKeepsTheChoice()
{
    FakeHidDevice first;
    FakeHidDevice second;
    Panel p;
    p.hid->devices = {&first, &second};
    p.hid->Change();
    auto* list = p.Get<QComboBox>("DevListBox");
    list->setCurrentIndex(1);
    p.hid->Change();
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(p.form.CurrentHidDevice, p.hid->DeviceOf(second));
}

void UsbLinkTest::clockWithoutAccessSaysSoOnce()
{
    FakeHidDevice clock;
    clock.openError = EACCES;
    clock.path = "/dev/hidraw3";
    FakeHidDevice keyboard;
    keyboard.vendorId = 0x046D;
    Panel p;
    p.hid->devices = {&clock};
    p.hid->Change();
    QCOMPARE(p.dialogs->messages.size(), 1);
    QVERIFY(p.dialogs->messages[0].contains(QStringLiteral("/dev/hidraw3")));
    QVERIFY(p.dialogs->messages[0].contains(QStringLiteral("70-whirlbeam-clock.rules")));
    p.hid->devices = {&clock, &keyboard};
    p.hid->Change();
    QCOMPARE(p.dialogs->messages.size(), 1);
    QVERIFY(!p.form.CurrentHidDevice->Reading());

    p.Open();
    QVERIFY2(!p.form.UsbLinkOpen, "a clock that cannot be read does not make an open link");
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QCOMPARE(p.dialogs->errors, p.dialogs->messages);
}

// Ten minutes of the 20 ms tick in simulated time against a clock that now
// and then answers only after 30 ms, so that some ticks see no reply and
// the LED keeps going red and green again.
void UsbLinkTest::slowClockKeepsTheQueueShort()
{
    constexpr qint64 kRunMs = 10 * 60 * 1000;
    constexpr qint64 kUserEveryMs = 7000;
    const QDateTime start(QDate(2026, 3, 2), QTime(12, 0));
    qint64 now = 0;
    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    quiet.driftIntervalMs = 0;
    ClockPeer peer(quiet, [&] { return start.addMSecs(now); });
    QRandomGenerator random(7);
    struct Reply {
        qint64 due;
        QByteArray line;
    };
    std::deque<Reply> replies;
    QObject::connect(&peer, &ClockPeer::ReplyReady, [&](const QByteArray& line) {
        const qint64 delay = random.bounded(3) == 0 ? 30 : 5;
        replies.push_back({qMax(now + delay, replies.empty() ? 0 : replies.back().due), line + "\r\n"});
    });

    FakeHidDevice clock;
    Panel p;
    p.hid->devices = {&clock};
    p.hid->Change();
    p.Open();
    p.form.Timer1()->stop();
    TJvHidDevice* device = p.form.CurrentHidDevice;

    int longestQueue = 0;
    int flips = 0;
    qint64 longestWait = 0;
    QHash<QByteArray, qint64> userQueuedAt;
    qsizetype fed = 0;
    for (now = 0; now < kRunMs; ++now) {
        while (!replies.empty() && replies.front().due <= now) {
            p.form.HidDeviceData(device, 0, replies.front().line);
            replies.pop_front();
        }
        if (now % kUserEveryMs == 0) {
            const qint64 n = now / kUserEveryMs;
            const QByteArray command = QStringLiteral("s%1%2%3")
                                           .arg(n / 60, 2, 10, QLatin1Char('0'))
                                           .arg(n % 60, 2, 10, QLatin1Char('0'))
                                           .arg(0, 2, 10, QLatin1Char('0'))
                                           .toLatin1();
            p.form.QueueCommand(command);
            userQueuedAt.insert(command, now);
        }
        if (now % kUsbTickMs != 0)
            continue;
        const bool wasGreen = p.Led1()->Color() == lcGreen;
        p.form.Timer1Timer();
        flips += !wasGreen && p.Led1()->Color() == lcGreen;
        for (; fed < clock.reports.size(); ++fed)
            peer.FeedUsbLine(clock.reports[fed].mid(1));
        longestQueue = qMax(longestQueue, p.form.CommandMemo.Count());
        if (const auto queued = userQueuedAt.constFind(p.form.LastCommand); queued != userQueuedAt.cend()) {
            longestWait = qMax(longestWait, now - *queued);
            userQueuedAt.erase(queued);
        }
    }
    QVERIFY2(flips > 1000, "the clock is slow enough to turn the LED red again and again");
    QVERIFY2(longestQueue < 100, qPrintable(QString::number(longestQueue)));
    QVERIFY2(longestWait <= 3000, qPrintable(QString::number(longestWait)));
    QVERIFY(userQueuedAt.isEmpty());
}

QTEST_MAIN(UsbLinkTest)
#include "tst_usblink.moc"
