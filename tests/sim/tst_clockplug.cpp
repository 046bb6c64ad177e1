// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockLink.h"
#include "link/hid/HidDevice.h"
#include "sim/ClockPlug.h"
#include "sim/PlugSignals.h"
#include "sim/SimHid.h"
#include "sim/SimulatedClock.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
enum class Way { ByHand, OnSchedule, BySignal };
constexpr int kUnplugMs = 200;
constexpr int kReplugMs = 100;

ClockPeerOptions QuietOptions()
{
    ClockPeerOptions options;
    options.driftIntervalMs = 0;
    options.rc5IntervalMs = 0;
    return options;
}

// Opens the port as a panel would and asks for the identification.
bool Identifies(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    termios tio{};
    ::tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    QByteArray received;
    const bool asked = ::write(fd, "p", 1) == 1;
    const bool answered = asked && QTest::qWaitFor([&] {
        char buffer[64];
        ssize_t count;
        while ((count = ::read(fd, buffer, sizeof buffer)) > 0)
            received.append(buffer, count);
        return received.contains('\n');
    });
    ::close(fd);
    return answered && received == "Pelk Whirlbeam Clock\r\n";
}

bool HungUp(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    if (::poll(&watched, 1, 0) != 1 || !(watched.revents & POLLHUP))
        return false;
    char byte;
    const ssize_t got = ::read(fd, &byte, 1); // end of file or EIO, as the kernel likes
    return got == 0 || (got < 0 && errno == EIO);
}

// What the controller lists each time it announces a change: serial
// number and instance of every device.
QStringList Listed(const TJvHidDeviceController& controller)
{
    QStringList listed;
    for (const TJvHidDevice* device : controller.Devices())
        listed << device->Info().serial + QLatin1Char(' ') + QString::fromLatin1(device->Info().instance);
    return listed;
}
} // namespace

Q_DECLARE_METATYPE(Way)

class ClockPlugTest : public QObject {
    Q_OBJECT

private slots:
    void delays_data();
    void delays();
    void unplugAndReplug_data();
    void unplugAndReplug();
};

void ClockPlugTest::delays_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<int>("ms"); // 0: refused
    QTest::newRow("whole") << "3" << 3000;
    QTest::newRow("decimals") << "0.25" << 250;
    QTest::newRow("rounded up to 1 ms") << "0.0005" << 1;
    QTest::newRow("rounds to nothing") << "0.0004" << 0;
    QTest::newRow("a day") << "86400" << 86'400'000;
    QTest::newRow("more than a day") << "86400.001" << 0;
    QTest::newRow("exponent") << "1e2" << 100'000;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("word") << "soon" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("infinite") << "inf" << 0;
    QTest::newRow("not a number") << "nan" << 0;
}

void ClockPlugTest::delays()
{
    QFETCH(QString, seconds);
    QFETCH(int, ms);
    QCOMPARE(PlugDelayMs(seconds).value_or(0), ms);
}

void ClockPlugTest::unplugAndReplug_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<Way>("out");
    QTest::addColumn<Way>("back");
    QTest::newRow("serial by hand") << false << Way::ByHand << Way::ByHand;
    QTest::newRow("serial on schedule") << false << Way::OnSchedule << Way::OnSchedule;
    QTest::newRow("serial by signal") << false << Way::BySignal << Way::BySignal;
    QTest::newRow("usb by hand") << true << Way::ByHand << Way::ByHand;
    QTest::newRow("usb on schedule") << true << Way::OnSchedule << Way::OnSchedule;
    QTest::newRow("usb by signal, back on schedule") << true << Way::BySignal << Way::OnSchedule;
}

void ClockPlugTest::unplugAndReplug()
{
    QFETCH(bool, usb);
    QFETCH(Way, out);
    QFETCH(Way, back);
    PlugSchedule schedule;
    if (out == Way::OnSchedule)
        schedule.unplugAfterMs = kUnplugMs;
    if (back == Way::OnSchedule)
        schedule.replugAfterMs = kReplugMs;
    QString error;
    const auto clock = SimulatedClock::Make(
        usb ? SimulatedClock::Kind::Usb : SimulatedClock::Kind::Serial, schedule, &error, QuietOptions());
    QVERIFY2(clock, qPrintable(error));
    ClockPlug& plug = clock->Plug();
    QSignalSpy unplugged(&plug, &ClockPlug::Unplugged);
    QSignalSpy replugged(&plug, &ClockPlug::Replugged);
    const auto act = [&plug](Way way, int signal, void (ClockPlug::*step)()) {
        if (way == Way::ByHand)
            (plug.*step)();
        else if (way == Way::BySignal)
            ::kill(::getpid(), signal);
    };

    // Serial: the port's name is a link, and what it leads to when the
    // clock goes out.
    const QString port = clock->PortPath();
    int panel = -1;
    bool linkedWhenOut = true;
    // USB: every list the controller announces.
    std::unique_ptr<TJvHidDeviceController> controller;
    QList<QStringList> announced;
    if (usb) {
        QVERIFY(port.isEmpty());
        controller = std::make_unique<TJvHidDeviceController>(clock->TakeBackend());
        AwaitFirstScan(*controller);
        announced << Listed(*controller);
        connect(controller.get(), &TJvHidDeviceController::OnDeviceChange, this,
            [&] { announced << Listed(*controller); });
    } else {
        QVERIFY(QFileInfo(port).isSymLink());
        // On schedule the clock may go before it could answer.
        QVERIFY(out == Way::OnSchedule || Identifies(port));
        panel = ::open(QFile::encodeName(port).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(panel >= 0);
        connect(&plug, &ClockPlug::Unplugged, this, [&] { linkedWhenOut = QFileInfo(port).isSymLink(); });
    }

    act(out, SIGUSR1, &ClockPlug::Unplug);
    QTRY_COMPARE(unplugged.count(), 1);
    QVERIFY(!plug.PluggedIn() || back == Way::OnSchedule);
    if (usb) {
        // The replug on schedule may already have followed.
        QTRY_VERIFY(announced.size() >= 2);
    } else {
        QVERIFY(HungUp(panel));
        QVERIFY(!linkedWhenOut);
        ::close(panel);
    }

    act(back, SIGUSR2, &ClockPlug::Replug);
    QTRY_COMPARE(replugged.count(), 1);
    QVERIFY(plug.PluggedIn());
    if (usb) {
        QTRY_COMPARE(announced.size(), 3);
        QCOMPARE(announced[0].size(), 1);
        QVERIFY(announced[0][0].startsWith("SIM0001 "));
        QCOMPARE(announced[1], QStringList());
        QCOMPARE(announced[2].size(), 1);
        QVERIFY(announced[2][0].startsWith("SIM0001 "));
        QVERIFY(announced[2][0] != announced[0][0]);
    } else {
        QVERIFY(QFileInfo(port).symLinkTarget().startsWith("/dev/pts/"));
        QVERIFY(Identifies(port));
    }

    // Putting back a clock that is in does nothing, and the schedule
    // unplugs only once.
    plug.Replug();
    QTest::qWait(2 * kReplugMs);
    QCOMPARE(replugged.count(), 1);
    QCOMPARE(unplugged.count(), 1);
}

// Before QTest starts its watchdog thread, which would otherwise take a
// SIGUSR1 by its default action and end the test.
int main(int argc, char* argv[])
{
    if (WatchPlugSignals() < 0)
        return 1;
    QCoreApplication app(argc, argv);
    ClockPlugTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_clockplug.moc"
