// SPDX-License-Identifier: GPL-3.0-or-later
// The HID controller, its devices and reader threads over in-process
// devices; report descriptors; device captions.

#include "link/hid/ClockDevices.h"
#include "link/hid/HidDevice.h"
#include "link/hid/ReportDescriptor.h"
#include "link/hid/WakeableRead.h"
#include "support/FakeHid.h"

#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Spaces group the items; fromHex skips them.
QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

// An input report of report ID 0 carrying one byte.
QByteArray Report(char byte) { return QByteArray(1, '\0') + byte; }

// Waits without serving the window thread's events.
bool WaitPlainly(const std::function<bool()>& done)
{
    for (int i = 0; i < 5000; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

struct Hid {
    FakeHidController controller;
    FakeHidDevice clock;
    TJvHidDevice* device = nullptr;
    QList<QByteArray> delivered;

    Hid()
    {
        controller.devices = {&clock};
        controller.Change();
        device = controller.CheckOut();
    }
    void Hook()
    {
        device->SetOnData(
            [this](TJvHidDevice*, quint8, const QByteArray& data) { delivered << data.left(1); });
    }
};

// A clock at /dev/hidraw7 this user may not open, listed by a scan.
struct DeniedClock {
    DeniedClock()
    {
        clock.openError = EACCES;
        clock.path = "/dev/hidraw7";
        hid.devices = {&clock};
        hid.Change();
    }
    FakeHidDevice clock;
    FakeHidController hid;
};

} // namespace

class HidTest : public QObject {
    Q_OBJECT

private slots:
    void reportLengths_data();
    void reportLengths();
    void captions_data();
    void captions();
    void firstScanTellsOnceAndQuietScansDoNot();
    void unplugByInstanceKeepsClaimedDevices();
    void notificationDuringAScanScansAfterIt();
    void claimingKeepsClocksOnly();
    void deviceWithoutAccessIsNeverRead();
    void scanOpensOnlyTheClock_data();
    void scanOpensOnlyTheClock();
    void accessAdviceFitsTheInstall_data();
    void accessAdviceFitsTheInstall();
    void writesStayWithinTheReport();
    void stopServesThePendingReportAndNoMore();
    void hookCyclesUnderAStream();
    void handlerMayUnhookItself();
    void goneDeviceReportsErrorsWithoutSpinning();
    void wakeableRead_data();
    void wakeableRead();
    void wakeEndsAReadThatWaitsForever();
};

void HidTest::reportLengths_data()
{
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::addColumn<bool>("reportIds");
    // Vendor page, 64 bytes in and out, no report IDs (the clock's kind).
    QTest::newRow("vendor 64 in/out")
        << Hex("0600ff0901a101190129401500 26ff00 75089540 8100 19012940 9100 c0") << 65 << 65 << false;
    // Boot keyboard: 8 input bytes, 5 LED bits + 3 padding out.
    const QByteArray keyboard = Hex("05010906a101050719e029e7150025017501950881029501750881019505750105081901"
                                    "2905910295017503910195067508150025650507190029658100c0");
    QTest::newRow("keyboard") << keyboard << 9 << 2 << false;
    // The same keyboard as report 1 beside a 16-bit consumer control, report 2.
    QByteArray numbered = keyboard;
    numbered.insert(6, Hex("8501"));
    numbered += Hex("050c0901a10185021500 26ff03 1900 2aff03 75109501 8100 c0");
    QTest::newRow("report IDs") << numbered << 9 << 2 << true;
    // Push and pop restore the report size and count.
    QTest::newRow("push/pop") << Hex("75089502a475109501b48102") << 3 << 0 << false;
    QTest::newRow("long item skipped") << Hex("fe0210aabb75089501 8102") << 2 << 0 << false;
    QTest::newRow("empty") << QByteArray() << 0 << 0 << false;
    QTest::newRow("cut short") << Hex("750895") << -1 << -1 << false;
    QTest::newRow("long item cut short") << Hex("fe05") << -1 << -1 << false;
    QTest::newRow("pop without push") << Hex("b4") << -1 << -1 << false;
    QTest::newRow("report ID 0") << Hex("8500") << -1 << -1 << false;
    QTest::newRow("report too long") << Hex("77ffffffff97ffffffff8102") << -1 << -1 << false;
}

void HidTest::reportLengths()
{
    QFETCH(QByteArray, descriptor);
    QFETCH(int, input);
    QFETCH(int, output);
    QFETCH(bool, reportIds);
    const std::optional<ReportLengths> lengths = ParseReportDescriptor(descriptor);
    if (input < 0) {
        QVERIFY(!lengths);
        return;
    }
    QVERIFY(lengths);
    QCOMPARE(lengths->input, input);
    QCOMPARE(lengths->output, output);
    QCOMPARE(lengths->reportIds, reportIds);
}

void HidTest::captions_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("languagesReadable");
    QTest::addColumn<QString>("caption");
    const QString english(QChar(0x0409));
    QTest::newRow("product and serial") << "Whirlbeam Clock"
                                        << "42" << true << "Whirlbeam Clock (Serial=42)";
    QTest::newRow("no product") << ""
                                << "123" << true << "Device VID=04D8 PID=AB02 (Serial=123)";
    QTest::newRow("no serial") << "Whirlbeam Clock"
                               << "" << true << "Whirlbeam Clock";
    QTest::newRow("language list unreadable") << ""
                                              << "123" << false << "Device VID=04D8 PID=AB02";
    QTest::newRow("serial repeats the languages") << "Clock" << english + "12" << true << "Clock";
}

void HidTest::captions()
{
    QFETCH(QString, product);
    QFETCH(QString, serial);
    QFETCH(bool, languagesReadable);
    QFETCH(QString, caption);
    HidDeviceInfo info;
    info.vendorId = kClockVendorId;
    info.productId = kClockProductId;
    info.product = product;
    info.serial = serial;
    if (languagesReadable)
        info.languages = QString(QChar(0x0409));
    QCOMPARE(DeviceCaption(info), caption);
}

void HidTest::firstScanTellsOnceAndQuietScansDoNot()
{
    FakeHidController hid;
    QSignalSpy told(&hid, &TJvHidDeviceController::OnDeviceChange);
    QTRY_COMPARE(told.size(), 1);
    hid.Change();
    QCoreApplication::processEvents();
    QCOMPARE(told.size(), 1);

    FakeHidDevice clock;
    hid.devices = {&clock};
    hid.Change();
    QCOMPARE(told.size(), 2);
    hid.Change();
    QCOMPARE(told.size(), 2);

    TJvHidDeviceController none;
    QSignalSpy silent(&none, &TJvHidDeviceController::OnDeviceChange);
    QTest::qWait(20);
    QCOMPARE(silent.size(), 0);
}

void HidTest::unplugByInstanceKeepsClaimedDevices()
{
    FakeHidDevice claimed;
    FakeHidDevice other;
    FakeHidController hid;
    hid.devices = {&claimed, &other};
    hid.Change();
    TJvHidDevice* device = hid.CheckOut();
    QCOMPARE(device, hid.DeviceOf(claimed));

    hid.devices = {};
    hid.Change();
    QCOMPARE(hid.Devices(), QList<TJvHidDevice*>{device});
    QVERIFY(!device->IsPluggedIn());
    QVERIFY(!hid.CheckOut());

    // Plugged in again before it was given back: a new device, the old one
    // dropped once it comes back.
    hid.devices = {&claimed};
    hid.Change();
    QCOMPARE(hid.Devices().size(), 2);
    hid.CheckIn(device);
    QCOMPARE(hid.Devices(), QList<TJvHidDevice*>{hid.DeviceOf(claimed)});
    QVERIFY(hid.DeviceOf(claimed)->IsPluggedIn());
}

void HidTest::notificationDuringAScanScansAfterIt()
{
    FakeHidController hid;
    FakeHidDevice first;
    FakeHidDevice second;
    QList<int> seen;
    QObject::connect(&hid, &TJvHidDeviceController::OnDeviceChange, [&] {
        seen << int(hid.Devices().size());
        if (seen.size() == 1) {
            hid.devices = {&first, &second};
            hid.Change(); // as from a message box's event loop
            seen << -1;
        }
    });
    hid.devices = {&first};
    hid.Change();
    QCOMPARE(seen, (QList<int>{1, -1}));
    QTRY_COMPARE(seen, (QList<int>{1, -1, 2}));
}

void HidTest::claimingKeepsClocksOnly()
{
    FakeHidDevice first;
    FakeHidDevice keyboard;
    keyboard.vendorId = 0x046D;
    FakeHidDevice mouse;
    mouse.productId = 0xC077;
    FakeHidDevice second;
    FakeHidController hid;
    hid.devices = {&first, &keyboard, &mouse, &second};
    hid.Change();
    QList<TJvHidDevice*> clocks = ClaimClocks(hid);
    QCOMPARE(clocks, (QList<TJvHidDevice*>{hid.DeviceOf(first), hid.DeviceOf(second)}));
    QCOMPARE(clocks[0]->NumInputBuffers(), 128);
    QCOMPARE(hid.CheckOut(), hid.DeviceOf(keyboard));

    ReleaseClocks(hid, clocks);
    QVERIFY(clocks.isEmpty());
    QVERIFY(!hid.DeviceOf(first)->IsCheckedOut());
}

void HidTest::deviceWithoutAccessIsNeverRead()
{
    DeniedClock denied;
    FakeHidController& hid = denied.hid;
    FakeHidDevice& clock = denied.clock;
    TJvHidDevice* device = hid.CheckOut();
    QVERIFY(!device->HasReadWriteAccess());
    device->SetOnData([](TJvHidDevice*, quint8, const QByteArray&) {});
    QVERIFY(!device->Reading());
    QCOMPARE(clock.OpenConnections(), 0);
    QVERIFY(!device->WriteReport(QByteArray(65, '\0')));
    const QString problem = ClockAccessProblem(*device);
    QVERIFY(problem.contains(QStringLiteral("/dev/hidraw7")));
    QVERIFY(problem.contains(QStringLiteral("70-whirlbeam-clock.rules")));

    QFile rule(QStringLiteral(WHIRLBEAM_SOURCE_DIR "/udev/70-whirlbeam-clock.rules"));
    QVERIFY(rule.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(rule.readAll());
    for (const char* needed : {"SUBSYSTEM==\"hidraw\"", "\"04d8\"", "\"ab02\"", "TAG+=\"uaccess\"",
             "GROUP=\"dialout\"", "MODE=\"0660\""})
        QVERIFY2(text.contains(QLatin1String(needed)), needed);
    QVERIFY2(text.count(QLatin1String("MODE=")) == 1,
             "access goes to the user at the desk and the serial ports' group, not to everyone");
}

// Keyboards and security keys are listed but never opened, not even to
// learn whether they could be.
void HidTest::scanOpensOnlyTheClock_data()
{
    QTest::addColumn<int>("vendor");
    QTest::addColumn<int>("product");
    QTest::addColumn<int>("opened");
    QTest::newRow("the clock") << 0x04D8 << 0xAB02 << 1;
    QTest::newRow("a keyboard") << 0x046D << 0xC31C << 0;
    QTest::newRow("a security key") << 0x1050 << 0x0407 << 0;
    QTest::newRow("the clock's vendor, another product") << 0x04D8 << 0x0001 << 0;
}

void HidTest::scanOpensOnlyTheClock()
{
    QFETCH(int, vendor);
    QFETCH(int, product);
    QFETCH(int, opened);
    FakeHidDevice device;
    device.vendorId = quint16(vendor);
    device.productId = quint16(product);
    FakeHidController hid;
    hid.devices = {&device};
    hid.Change();
    hid.Change();
    QCOMPARE(device.OpenAttempts(), opened);
    QCOMPARE(hid.Devices().size(), 1);
    QList<TJvHidDevice*> clocks = ClaimClocks(hid);
    QCOMPARE(device.OpenAttempts(), opened);
    QCOMPARE(clocks.size(), opened);
    ReleaseClocks(hid, clocks);
}

void HidTest::accessAdviceFitsTheInstall_data()
{
    QTest::addColumn<bool>("ruleInstalled");
    QTest::addColumn<bool>("atTheDesk");
    QTest::addColumn<QString>("advice");
    QTest::newRow("no rule") << false << true << "Install the udev rule 70-whirlbeam-clock.rules into ";
    QTest::newRow("rule, at the desk") << true << true << "is installed; unplug the clock and plug it in again";
    QTest::newRow("rule, away from the desk") << true << false << "join that group (sudo usermod -aG dialout $USER)";
}

void HidTest::accessAdviceFitsTheInstall()
{
    QFETCH(bool, ruleInstalled);
    QFETCH(bool, atTheDesk);
    QFETCH(QString, advice);
    DeniedClock denied;
    FakeHidController& hid = denied.hid;
    FakeHidDevice& clock = denied.clock;
    const QString problem = ClockAccessProblem(*hid.DeviceOf(clock), {ruleInstalled, atTheDesk});
    QVERIFY2(problem.startsWith(QStringLiteral("You may not use the clock /dev/hidraw7.\n")), qPrintable(problem));
    QVERIFY2(problem.contains(advice), qPrintable(problem));
    QVERIFY(!problem.contains(QStringLiteral("cmake")) || !ruleInstalled);
}

void HidTest::writesStayWithinTheReport()
{
    Hid hid;
    QVERIFY(hid.device->WriteReport(QByteArray(65, 'x')));
    QVERIFY(!hid.device->WriteReport(QByteArray(66, 'x')));
    QCOMPARE(hid.clock.reports.size(), 1);

    hid.controller.devices = {};
    hid.controller.Change();
    QVERIFY(!hid.device->WriteReport(QByteArray(65, 'x')));
    QCOMPARE(hid.clock.reports.size(), 1);
    QCOMPARE(hid.clock.WritesWhileUnplugged(), 0);
}

void HidTest::stopServesThePendingReportAndNoMore()
{
    Hid hid;
    hid.Hook();
    QVERIFY(WaitPlainly([&] { return hid.clock.ReadersIdle(); }));
    hid.clock.Input(Report('A'));
    // Taken: the reader now waits for the window thread, which is busy here.
    QVERIFY(WaitPlainly([&] { return hid.clock.QueuedForReaders() == 0; }));
    hid.clock.Input(Report('B'));
    hid.device->SetOnData({});
    QCOMPARE(hid.delivered, QList<QByteArray>{"A"});
    QTest::qWait(20);
    QCOMPARE(hid.delivered, QList<QByteArray>{"A"});
    QCOMPARE(hid.clock.OpenConnections(), 0);
}

void HidTest::hookCyclesUnderAStream()
{
    Hid hid;
    std::atomic<bool> streaming{true};
    std::thread stream([&] {
        while (streaming) {
            hid.clock.Input(Report('R'));
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    bool hooked = false;
    int late = 0;
    int delivered = 0;
    for (int cycle = 0; cycle < 1000; ++cycle) {
        hooked = true;
        hid.device->SetOnData([&](TJvHidDevice*, quint8, const QByteArray&) {
            ++delivered;
            late += hooked ? 0 : 1;
        });
        QCoreApplication::processEvents();
        if (cycle % 2)
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        hid.device->SetOnData({});
        hooked = false;
        QCoreApplication::processEvents();
    }
    streaming = false;
    stream.join();
    QTest::qWait(10);
    QCOMPARE(late, 0);
    QVERIFY(delivered > 0);
}

void HidTest::handlerMayUnhookItself()
{
    Hid hid;
    int delivered = 0;
    hid.device->SetOnData([&](TJvHidDevice* device, quint8, const QByteArray&) {
        ++delivered;
        device->SetOnData({});
    });
    QVERIFY(hid.clock.Deliver(Report('A')));
    hid.clock.Input(Report('B'));
    QTest::qWait(50);
    QCOMPARE(delivered, 1);
    QVERIFY(!hid.device->Reading());
    QTRY_COMPARE(hid.clock.OpenConnections(), 0);
}

void HidTest::goneDeviceReportsErrorsWithoutSpinning()
{
    Hid hid;
    QList<int> errors;
    hid.device->SetOnDataError([&](TJvHidDevice*, int error) { errors << error; });
    hid.Hook();
    // Gone without the controller knowing yet (its notice is still on the way).
    hid.controller.Sim().Unplug(&hid.clock, false);
    QTRY_VERIFY(!errors.isEmpty());
    QTest::qWait(300);
    QCOMPARE(errors.first(), ENODEV);
    QVERIFY2(errors.size() < 30, "a reader backs off between failed reads");
    hid.device->SetOnData({});
}

// A message-preserving socket pair stands in for a device node: one report
// per read, and a hang-up when the far end goes.
void HidTest::wakeableRead_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<bool>("woken");
    QTest::addColumn<bool>("hungUp");
    QTest::addColumn<int>("result");
    QTest::newRow("a report") << QByteArray("W01") << false << false << 3;
    QTest::newRow("nothing within the timeout") << QByteArray() << false << false << 0;
    QTest::newRow("woken before the read") << QByteArray() << true << false << 0;
    QTest::newRow("hang-up") << QByteArray() << false << true << -1;
}

void HidTest::wakeableRead()
{
    QFETCH(QByteArray, sent);
    QFETCH(bool, woken);
    QFETCH(bool, hungUp);
    QFETCH(int, result);
    int ends[2];
    QCOMPARE(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    if (!sent.isEmpty())
        QCOMPARE(::write(ends[1], sent.constData(), size_t(sent.size())), ssize_t(sent.size()));
    if (hungUp)
        ::close(ends[1]);
    WakeableRead read;
    QVERIFY(read.Usable());
    if (woken)
        read.Wake();
    char buffer[8] = {};
    int error = 0;
    QCOMPARE(read.Read(ends[0], buffer, sizeof buffer, 50, &error), result);
    QCOMPARE(QByteArray(buffer, qMax(result, 0)), sent);
    QCOMPARE(error, hungUp ? ENODEV : 0);
    ::close(ends[0]);
    if (!hungUp)
        ::close(ends[1]);
}

void HidTest::wakeEndsAReadThatWaitsForever()
{
    int ends[2];
    QCOMPARE(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
    WakeableRead read;
    std::thread waker([&read] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        read.Wake();
    });
    char buffer[8];
    int error = 0;
    QCOMPARE(read.Read(ends[0], buffer, sizeof buffer, -1, &error), 0);
    waker.join();
    ::close(ends[0]);
    ::close(ends[1]);
}

QTEST_MAIN(HidTest)
#include "tst_hid.moc"
