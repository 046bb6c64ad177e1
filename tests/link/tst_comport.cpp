// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPort.h"
#include "link/Termios2.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo terminal: the port opens the slave end, the test plays the device
// on the master end. The master also shows the slave's termios.
class Pty {
public:
    Pty()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Pty() { Unplug(); }

    bool IsValid() const { return !slave_.isEmpty(); }
    QString Slave() const { return slave_; }
    int Master() const { return master_; }

    void Send(const QByteArray& bytes) const
    {
        QCOMPARE(::write(master_, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }

    // Everything the port has sent so far.
    QByteArray Received()
    {
        char chunk[256];
        for (ssize_t n; (n = ::read(master_, chunk, sizeof chunk)) > 0;)
            received_.append(chunk, n);
        return received_;
    }

    termios Settings() const
    {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    // What unplugging an adapter does to the port's side.
    void Unplug()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    QString slave_;
    QByteArray received_;
};

// Records every event of a port in one list, in the order raised. It lets
// go of the port first, since the port raises its close events on the way out.
struct EventLog {
    explicit EventLog(TComPort& port)
        : port(port)
    {
        port.OnBeforeOpen = [this] { events << QStringLiteral("BeforeOpen"); };
        port.OnAfterOpen = [this] { events << QStringLiteral("AfterOpen"); };
        port.OnBeforeClose = [this] { events << QStringLiteral("BeforeClose"); };
        port.OnAfterClose = [this] { events << QStringLiteral("AfterClose"); };
        port.OnCTSChange = [this](bool on) { events << QStringLiteral("CTS %1").arg(on); };
        port.OnDSRChange = [this](bool on) { events << QStringLiteral("DSR %1").arg(on); };
        port.OnRLSDChange = [this](bool on) { events << QStringLiteral("RLSD %1").arg(on); };
        port.OnRxChar = [this](int count) { counts << count; };
        port.OnException = [this](const EComPort& error) { exceptions << error; };
    }

    ~EventLog()
    {
        port.OnBeforeOpen = port.OnAfterOpen = port.OnBeforeClose = port.OnAfterClose = nullptr;
        port.OnCTSChange = port.OnDSRChange = port.OnRLSDChange = nullptr;
        port.OnRxChar = nullptr;
        port.OnException = nullptr;
    }

    QStringList OpenCloseEvents() const
    {
        QStringList kept = events;
        kept.removeIf([](const QString& event) { return event.contains(QLatin1Char(' ')); });
        return kept;
    }

    TComPort& port;
    QStringList events;
    QList<int> counts;
    QList<EComPort> exceptions;
};

} // namespace

class ComPortTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsGiveRaw8N1WithoutFlowControl();
    void lineSettingsMapToTermios_data();
    void lineSettingsMapToTermios();
    void lineSettingsReachOpenDevice();
    void parityCheckReplacesOnlyWhenAsked_data();
    void parityCheckReplacesOnlyWhenAsked();
    void arbitraryRatesRoundTrip_data();
    void arbitraryRatesRoundTrip();
    void equalValueAppliesNothing();
    void settingsUpdateAppliesAtOutermostEnd();
    void settingsRefusedAtOpen_data();
    void settingsRefusedAtOpen();
    void readTextTakesWhatIsWaiting();
    void discardNullDropsNulBytes();
    void writeTextReachesLine();
    void writeGivesUpAfterTimeout();
    void severalBytesGiveOneRxChar();
    void unreadBytesComeAgainWithNextByte();
    void eventsSelectionTakesEffectAtOpen();
    void openAndCloseRaiseTheirEventsOnce();
    void missingPortRefused();
    void heldPortRefused();
    void vanishedDeviceClosesPortOnce();
    void vanishingSeenByReadText_data();
    void vanishingSeenByReadText();
    void throwingHandlerKeepsDelivery_data();
    void throwingHandlerKeepsDelivery();
    void portChangeWhileOpenReopens();
    void syncMethodFixedWhileOpen();
    void oddBufferSizeStoredLower_data();
    void oddBufferSizeStoredLower();
    void flowControlSummary_data();
    void flowControlSummary();
    void flowControlSummaryAssignment_data();
    void flowControlSummaryAssignment();
    void devicePath_data();
    void devicePath();
    void portListFromSysfs();
    void portListWithoutSysfs();
};

void ComPortTest::defaultsGiveRaw8N1WithoutFlowControl()
{
    Pty pty;
    QVERIFY(pty.IsValid());
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    const termios s = pty.Settings();
    QCOMPARE(s.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD), tcflag_t(CS8 | CLOCAL | CREAD));
    QCOMPARE(s.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP), tcflag_t(0));
    QCOMPARE(s.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(s.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(cfgetospeed(&s), speed_t(B9600));
    QCOMPARE(s.c_cc[VMIN], cc_t(1));
    QCOMPARE(s.c_cc[VTIME], cc_t(0));
}

void ComPortTest::lineSettingsMapToTermios_data()
{
    QTest::addColumn<TBaudRate>("rate");
    QTest::addColumn<TDataBits>("dataBits");
    QTest::addColumn<TStopBits>("stopBits");
    QTest::addColumn<TParityBits>("parity");
    QTest::addColumn<TFlowControl>("flow");
    QTest::addColumn<speed_t>("speed");
    QTest::addColumn<tcflag_t>("cflag");
    QTest::addColumn<tcflag_t>("iflag");

    QTest::newRow("7E2 at 19200") << br19200 << dbSeven << sbTwoStopBits << prEven << fcNone << speed_t(B19200)
                                  << tcflag_t(CS7 | CSTOPB | PARENB) << tcflag_t(0);
    QTest::newRow("5O1 at 110") << br110 << dbFive << sbOneStopBit << prOdd << fcNone << speed_t(B110)
                                << tcflag_t(CS5 | PARENB | PARODD) << tcflag_t(0);
    QTest::newRow("mark parity") << br115200 << dbEight << sbOneStopBit << prMark << fcNone << speed_t(B115200)
                                 << tcflag_t(CS8 | PARENB | PARODD | CMSPAR) << tcflag_t(0);
    QTest::newRow("space parity") << br57600 << dbSix << sbOneStopBit << prSpace << fcNone << speed_t(B57600)
                                  << tcflag_t(CS6 | PARENB | CMSPAR) << tcflag_t(0);
    QTest::newRow("hardware flow") << br9600 << dbEight << sbOneStopBit << prNone << fcHardware << speed_t(B9600)
                                   << tcflag_t(CS8 | CRTSCTS) << tcflag_t(0);
    QTest::newRow("software flow") << br38400 << dbEight << sbOneStopBit << prNone << fcSoftware
                                   << speed_t(B38400) << tcflag_t(CS8) << tcflag_t(IXON | IXOFF);
}

// A pty keeps only 8N1, so the mapping itself is checked without a device,
// starting from settings that leave a mark of everything not set.
void ComPortTest::lineSettingsMapToTermios()
{
    QFETCH(TBaudRate, rate);
    QFETCH(TDataBits, dataBits);
    QFETCH(TStopBits, stopBits);
    QFETCH(TParityBits, parity);
    QFETCH(TFlowControl, flow);
    QFETCH(speed_t, speed);
    QFETCH(tcflag_t, cflag);
    QFETCH(tcflag_t, iflag);
    TComPort port;
    port.SetBaudRate(rate);
    port.SetDataBits(dataBits);
    port.SetStopBits(stopBits);
    port.Parity().SetBits(parity);
    port.FlowControl().SetFlowControl(flow);
    termios cooked{};
    cooked.c_cflag = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | CIBAUD;
    cooked.c_iflag = IXON | IXOFF | IXANY | INPCK | ICRNL;
    cooked.c_lflag = ICANON | ECHO | ISIG;
    cooked.c_oflag = OPOST;
    const termios s = port.LineTermios(cooked);
    QCOMPARE(cfgetospeed(&s), speed);
    QCOMPARE(s.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | CIBAUD | CLOCAL | CREAD),
             cflag | CLOCAL | CREAD);
    QCOMPARE(s.c_iflag, iflag);
    QCOMPARE(s.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
    QCOMPARE(s.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(s.c_cc[VSTART], cc_t(17));
    QCOMPARE(s.c_cc[VSTOP], cc_t(19));
}

// Each assignment to an open port reaches the device on its own.
void ComPortTest::lineSettingsReachOpenDevice()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    port.SetBaudRate(br19200);
    port.SetStopBits(sbTwoStopBits);
    port.FlowControl().SetFlowControl(fcSoftware);
    port.FlowControl().SetXonChar('\x05');
    port.FlowControl().SetXoffChar('\x06');
    termios s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B19200));
    QCOMPARE(s.c_cflag & CSTOPB, tcflag_t(CSTOPB));
    QCOMPARE(s.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    QCOMPARE(s.c_cc[VSTART], cc_t(5));
    QCOMPARE(s.c_cc[VSTOP], cc_t(6));

    port.FlowControl().SetFlowControl(fcHardware);
    s = pty.Settings();
    QCOMPARE(s.c_cflag & CRTSCTS, tcflag_t(CRTSCTS));
    QCOMPARE(s.c_iflag & (IXON | IXOFF), tcflag_t(0));
}

void ComPortTest::parityCheckReplacesOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<tcflag_t>("iflag");

    QTest::newRow("no check") << false << true << tcflag_t(0);
    QTest::newRow("check, bytes pass unchanged") << true << false << tcflag_t(0);
    QTest::newRow("check and replace") << true << true << tcflag_t(INPCK);
}

void ComPortTest::parityCheckReplacesOnlyWhenAsked()
{
    QFETCH(bool, check);
    QFETCH(bool, replace);
    QFETCH(tcflag_t, iflag);
    TComPort port;
    TComParity parity = port.Parity();
    parity.SetBits(prEven);
    parity.SetCheck(check);
    parity.SetReplace(replace);
    port.SetParity(parity);
    QCOMPARE(port.Parity(), parity);
    termios marked{};
    marked.c_iflag = INPCK | IGNPAR | PARMRK;
    QCOMPARE(port.LineTermios(marked).c_iflag & (INPCK | IGNPAR | PARMRK), iflag);
}

void ComPortTest::arbitraryRatesRoundTrip_data()
{
    QTest::addColumn<TBaudRate>("rate");
    QTest::addColumn<int>("custom");
    QTest::addColumn<long>("speed");

    QTest::newRow("custom 12345") << brCustom << 9600 << 12345L;
    QTest::newRow("custom standard 57600") << brCustom << 57600 << 57600L;
    QTest::newRow("14400") << br14400 << 9600 << 14400L;
    QTest::newRow("56000") << br56000 << 9600 << 56000L;
    QTest::newRow("128000") << br128000 << 9600 << 128000L;
    QTest::newRow("256000") << br256000 << 9600 << 256000L;
}

void ComPortTest::arbitraryRatesRoundTrip()
{
    QFETCH(TBaudRate, rate);
    QFETCH(int, custom);
    QFETCH(long, speed);
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.SetCustomBaudRate(custom == 9600 ? 12345 : custom);
    port.SetBaudRate(rate);
    port.Open();
    QCOMPARE(Termios2OutputSpeed(pty.Master()), speed);

    // Back on a standard rate, no separate input speed may linger.
    port.SetBaudRate(br9600);
    QCOMPARE(Termios2OutputSpeed(pty.Master()), 9600L);
    QCOMPARE(pty.Settings().c_cflag & CIBAUD, tcflag_t(0));
}

void ComPortTest::equalValueAppliesNothing()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    port.SetBaudRate(br19200);
    termios changedBehindPort = pty.Settings();
    cfsetospeed(&changedBehindPort, B9600);
    ::tcsetattr(pty.Master(), TCSANOW, &changedBehindPort);

    port.SetBaudRate(br19200);
    termios s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B9600));
    port.SetBaudRate(br38400);
    s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B38400));
}

void ComPortTest::settingsUpdateAppliesAtOutermostEnd()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    port.BeginSettingsUpdate();
    port.BeginSettingsUpdate();
    port.SetBaudRate(br19200);
    port.SetStopBits(sbTwoStopBits);
    port.EndSettingsUpdate();
    termios s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B9600));
    QCOMPARE(s.c_cflag & CSTOPB, tcflag_t(0));

    port.EndSettingsUpdate();
    s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B19200));
    QCOMPARE(s.c_cflag & CSTOPB, tcflag_t(CSTOPB));
    port.EndSettingsUpdate(); // unmatched: does nothing
    port.SetBaudRate(br38400);
    s = pty.Settings();
    QCOMPARE(cfgetospeed(&s), speed_t(B38400));
}

void ComPortTest::settingsRefusedAtOpen_data()
{
    QTest::addColumn<TStopBits>("stopBits");
    QTest::addColumn<int>("customRate");

    QTest::newRow("1.5 stop bits") << sbOne5StopBits << 9600;
    QTest::newRow("custom rate 0") << sbOneStopBit << 0;
}

// The device is let go again: a corrected port opens at the next attempt.
void ComPortTest::settingsRefusedAtOpen()
{
    QFETCH(TStopBits, stopBits);
    QFETCH(int, customRate);
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.SetStopBits(stopBits);
    port.SetCustomBaudRate(customRate);
    port.SetBaudRate(brCustom);
    try {
        port.Open();
        QFAIL("Open accepted settings termios cannot express");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 7);
        QCOMPARE(error.WinCode(), EINVAL);
    }
    QVERIFY(!port.Connected());
    QCOMPARE(log.events, QStringList{QStringLiteral("BeforeOpen")});

    port.SetStopBits(sbOneStopBit);
    port.SetBaudRate(br9600);
    port.Open();
    QVERIFY(port.Connected());
    QVERIFY_THROWS_EXCEPTION(EComPort, port.SetStopBits(sbOne5StopBits));
    QVERIFY(port.Connected());
}

void ComPortTest::readTextTakesWhatIsWaiting()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.Open();
    pty.Send("1234567");
    QTRY_COMPARE(log.counts, QList<int>{7});

    QByteArray text = "stale";
    QCOMPARE(port.ReadText(text, 0), 0);
    QVERIFY(text.isEmpty());
    QCOMPARE(port.ReadText(text, 100), 7);
    QCOMPARE(text, QByteArray("1234567"));
    QCOMPARE(port.ReadText(text, 100), 0);
    QVERIFY(text.isEmpty());
}

void ComPortTest::discardNullDropsNulBytes()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.SetDiscardNull(true);
    port.Open();
    pty.Send(QByteArray("a\0b\0", 4));
    QTRY_COMPARE(log.counts, QList<int>{4});
    QByteArray text;
    QCOMPARE(port.ReadText(text, 4), 2);
    QCOMPARE(text, QByteArray("ab"));
}

void ComPortTest::writeTextReachesLine()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    QCOMPARE(port.WriteText(QByteArray()), 0);
    QCOMPARE(port.WriteText("V\r\n"), 3);
    QCOMPARE(port.WriteText(QByteArray("\x00\xff", 2)), 2);
    QTRY_COMPARE(pty.Received(), QByteArray("V\r\n\x00\xff", 5));
}

// Nobody reads the other side, so the line takes only part of a large text.
void ComPortTest::writeGivesUpAfterTimeout()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.Timeouts().SetWriteTotalConstant(100);
    port.Timeouts().SetWriteTotalMultiplier(0);
    port.Open();
    const QByteArray text(4 << 20, 'x');
    const int written = port.WriteText(text);
    QVERIFY(written > 0);
    QVERIFY(written < text.size());
    QVERIFY(port.Connected());
}

void ComPortTest::severalBytesGiveOneRxChar()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    QByteArray taken;
    port.OnRxChar = [&](int count) {
        log.counts << count;
        QByteArray text;
        port.ReadText(text, count);
        taken += text;
    };
    port.SetPort(pty.Slave());
    port.Open();
    pty.Send("V0402\n");
    QTRY_COMPARE(log.counts, QList<int>{6});
    pty.Send("Z");
    QTRY_COMPARE(log.counts, (QList<int>{6, 1}));
    QCOMPARE(taken, QByteArray("V0402\nZ"));
}

void ComPortTest::unreadBytesComeAgainWithNextByte()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.Open();
    pty.Send("abc");
    QTRY_COMPARE(log.counts, QList<int>{3});
    pty.Send("de");
    QTRY_COMPARE(log.counts, (QList<int>{3, 5}));
}

void ComPortTest::eventsSelectionTakesEffectAtOpen()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.Open();
    port.SetEvents(TComEvents{evCTS});
    pty.Send("a");
    QTRY_COMPARE(log.counts, QList<int>{1});

    port.Close();
    port.Open();
    pty.Send("b");
    QByteArray text;
    QByteArray taken;
    QTRY_COMPARE((port.ReadText(text, 10), taken += text), QByteArray("b"));
    QCOMPARE(log.counts, QList<int>{1});
}

void ComPortTest::openAndCloseRaiseTheirEventsOnce()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.Close();
    port.Open();
    port.Open();
    port.SetConnected(true);
    port.Close();
    port.SetConnected(false);
    const QStringList lines = {QStringLiteral("CTS 0"), QStringLiteral("DSR 0"), QStringLiteral("RLSD 0")};
    const QStringList opened = {QStringLiteral("BeforeOpen"), QStringLiteral("AfterOpen")};
    const QStringList closed = {QStringLiteral("BeforeClose"), QStringLiteral("AfterClose")};
    QCOMPARE(log.events, opened + lines + lines + closed);
}

void ComPortTest::missingPortRefused()
{
    TComPort port;
    EventLog log(port);
    port.SetPort(QStringLiteral("/dev/whirlbeam-no-such-port"));
    try {
        port.Open();
        QFAIL("a missing port opened");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 1);
        QCOMPARE(error.WinCode(), ENOENT);
        QCOMPARE(error.Message(), QStringLiteral("Unable to open com port (win error code: 2)"));
    }
    QVERIFY(!port.Connected());
    QCOMPARE(log.events, QStringList{QStringLiteral("BeforeOpen")});
}

// As root the tty's exclusive flag is not enforced; the lock still is.
void ComPortTest::heldPortRefused()
{
    Pty pty;
    TComPort holder;
    holder.SetPort(pty.Slave());
    holder.Open();
    TComPort other;
    EventLog log(other);
    other.SetPort(pty.Slave());
    try {
        other.Open();
        QFAIL("a held port opened twice");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 1);
        QVERIFY2(error.WinCode() == EBUSY || error.WinCode() == EWOULDBLOCK, error.what());
    }
    QVERIFY(!other.Connected());
    QVERIFY(holder.Connected());
    QCOMPARE(log.events, QStringList{QStringLiteral("BeforeOpen")});

    holder.Close();
    other.Open();
    QVERIFY(other.Connected());
}

void ComPortTest::vanishedDeviceClosesPortOnce()
{
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.SetPort(pty.Slave());
    port.Open();
    log.events.clear();
    pty.Unplug();
    QTRY_COMPARE(log.exceptions.size(), 1);
    QCOMPARE(log.exceptions[0].Code(), 3);
    QCOMPARE(log.exceptions[0].WinCode(), EIO);
    QVERIFY(!port.Connected());
    QCOMPARE(log.OpenCloseEvents(), (QStringList{QStringLiteral("BeforeClose"), QStringLiteral("AfterClose")}));

    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
    QCOMPARE(log.exceptions.size(), 1);
    QCOMPARE(log.OpenCloseEvents().size(), 2);
    QVERIFY(log.counts.isEmpty());
}

void ComPortTest::vanishingSeenByReadText_data()
{
    QTest::addColumn<bool>("handlerCatches");

    QTest::newRow("handler shows the error") << true;
    QTest::newRow("error leaves the handler") << false;
}

// The handler's read is the first to notice: the port is closed before the
// read fails, so the error is seen once and nothing follows.
void ComPortTest::vanishingSeenByReadText()
{
    QFETCH(bool, handlerCatches);
    Pty pty;
    TComPort port;
    EventLog log(port);
    QList<EComPort> caught;
    bool connectedWhenThrown = true;
    port.OnRxChar = [&](int count) {
        log.counts << count;
        pty.Unplug();
        try {
            QByteArray text;
            port.ReadText(text, count);
        } catch (const EComPort& error) {
            connectedWhenThrown = port.Connected();
            if (!handlerCatches)
                throw;
            caught << error;
        }
    };
    port.SetPort(pty.Slave());
    port.Open();
    pty.Send("V");
    QTRY_VERIFY(!port.Connected());
    QVERIFY(!connectedWhenThrown);
    QCOMPARE(caught.size() + log.exceptions.size(), 1);
    QCOMPARE((handlerCatches ? caught : log.exceptions)[0].WinCode(), EIO);
    QVERIFY(log.OpenCloseEvents().endsWith(QStringLiteral("AfterClose")));

    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
    QCOMPARE(log.counts, QList<int>{1});
    QCOMPARE(caught.size() + log.exceptions.size(), 1);
}

void ComPortTest::throwingHandlerKeepsDelivery_data()
{
    QTest::addColumn<bool>("readsFirst");
    QTest::addColumn<bool>("portError");
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("port error after reading") << true << true << QList<int>{2, 1};
    QTest::newRow("port error before reading") << false << true << QList<int>{2, 3};
    QTest::newRow("other error") << true << false << QList<int>{2, 1};
}

void ComPortTest::throwingHandlerKeepsDelivery()
{
    QFETCH(bool, readsFirst);
    QFETCH(bool, portError);
    QFETCH(QList<int>, counts);
    Pty pty;
    TComPort port;
    EventLog log(port);
    port.OnRxChar = [&](int count) {
        log.counts << count;
        QByteArray text;
        if (readsFirst || log.counts.size() > 1)
            port.ReadText(text, count);
        if (log.counts.size() > 1)
            return;
        if (portError)
            throw EComPort(3, EIO);
        throw std::runtime_error("handler broke");
    };
    if (!portError)
        QTest::ignoreMessage(QtWarningMsg, "Serial port event handler failed: handler broke");
    port.SetPort(pty.Slave());
    port.Open();
    pty.Send("ab");
    QTRY_COMPARE(log.counts.size(), 1);
    QCOMPARE(log.exceptions.size(), portError ? 1 : 0);
    QVERIFY(port.Connected());

    pty.Send("c");
    QTRY_COMPARE(log.counts, counts);
    QCOMPARE(log.exceptions.size(), portError ? 1 : 0);
}

void ComPortTest::portChangeWhileOpenReopens()
{
    Pty first;
    Pty second;
    TComPort port;
    EventLog log(port);
    port.SetPort(first.Slave());
    port.Open();
    log.events.clear();
    port.SetPort(second.Slave());
    QCOMPARE(log.OpenCloseEvents(), (QStringList{QStringLiteral("BeforeClose"), QStringLiteral("AfterClose"),
                                                 QStringLiteral("BeforeOpen"), QStringLiteral("AfterOpen")}));
    QVERIFY(port.Connected());
    log.events.clear();
    port.SetPort(second.Slave());
    QVERIFY(log.events.isEmpty());

    second.Send("on B");
    QTRY_COMPARE(log.counts, QList<int>{4});
}

void ComPortTest::syncMethodFixedWhileOpen()
{
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    port.SetSyncMethod(smNone);
    QCOMPARE(port.SyncMethod(), smNone);
    port.SetSyncMethod(smThreadSync);
    port.Open();
    port.SetSyncMethod(smThreadSync);
    try {
        port.SetSyncMethod(smWindowSync);
        QFAIL("sync method changed while open");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 14);
        QCOMPARE(error.WinCode(), -1);
        QCOMPARE(error.Message(), QStringLiteral("Cannot set property while connected"));
    }
    QCOMPARE(port.SyncMethod(), smThreadSync);
}

void ComPortTest::oddBufferSizeStoredLower_data()
{
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");

    QTest::newRow("1025") << 1025 << 1024;
    QTest::newRow("1024") << 1024 << 1024;
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("4097") << 4097 << 4096;
}

void ComPortTest::oddBufferSizeStoredLower()
{
    QFETCH(int, assigned);
    QFETCH(int, stored);
    TComPort port;
    port.Buffer().SetInputSize(assigned);
    port.Buffer().SetOutputSize(assigned);
    QCOMPARE(port.Buffer().InputSize(), stored);
    QCOMPARE(port.Buffer().OutputSize(), stored);
}

void ComPortTest::flowControlSummary_data()
{
    QTest::addColumn<TRTSFlowControl>("rts");
    QTest::addColumn<bool>("cts");
    QTest::addColumn<bool>("xonIn");
    QTest::addColumn<bool>("xonOut");
    QTest::addColumn<TFlowControl>("summary");

    QTest::newRow("all off") << rtsDisable << false << false << false << fcNone;
    QTest::newRow("RTS handshake and CTS") << rtsHandshake << true << false << false << fcHardware;
    QTest::newRow("XON/XOFF both ways") << rtsDisable << false << true << true << fcSoftware;
    QTest::newRow("RTS handshake alone") << rtsHandshake << false << false << false << fcCustom;
    QTest::newRow("CTS alone") << rtsDisable << true << false << false << fcCustom;
    QTest::newRow("XON/XOFF in only") << rtsDisable << false << true << false << fcCustom;
    QTest::newRow("XON/XOFF out only") << rtsDisable << false << false << true << fcCustom;
    QTest::newRow("RTS held high") << rtsEnable << false << false << false << fcCustom;
    QTest::newRow("RTS toggled") << rtsToggle << false << false << false << fcCustom;
    QTest::newRow("hardware plus XON in") << rtsHandshake << true << true << false << fcCustom;
    QTest::newRow("software plus RTS high") << rtsEnable << false << true << true << fcCustom;
}

// DTR, DSR, DSR sensitivity and continue-on-XOFF never change the summary.
void ComPortTest::flowControlSummary()
{
    QFETCH(TRTSFlowControl, rts);
    QFETCH(bool, cts);
    QFETCH(bool, xonIn);
    QFETCH(bool, xonOut);
    QFETCH(TFlowControl, summary);
    TComFlowControl flow;
    flow.SetControlRTS(rts);
    flow.SetOutCTSFlow(cts);
    flow.SetXonXoffIn(xonIn);
    flow.SetXonXoffOut(xonOut);
    QCOMPARE(flow.FlowControl(), summary);
    flow.SetControlDTR(dtrHandshake);
    flow.SetOutDSRFlow(true);
    flow.SetDSRSensitivity(true);
    flow.SetTxContinueOnXoff(true);
    QCOMPARE(flow.FlowControl(), summary);
}

void ComPortTest::flowControlSummaryAssignment_data()
{
    QTest::addColumn<TFlowControl>("assigned");
    QTest::addColumn<TRTSFlowControl>("rts");
    QTest::addColumn<bool>("cts");
    QTest::addColumn<bool>("xon");
    QTest::addColumn<tcflag_t>("cflag");

    QTest::newRow("hardware") << fcHardware << rtsHandshake << true << false << tcflag_t(CRTSCTS);
    QTest::newRow("software") << fcSoftware << rtsDisable << false << true << tcflag_t(0);
    QTest::newRow("none") << fcNone << rtsDisable << false << false << tcflag_t(0);
    QTest::newRow("custom keeps the fields") << fcCustom << rtsEnable << true << false << tcflag_t(CRTSCTS);
}

// Every assignment re-applies, fcCustom too: the device gets back the flow
// control that was changed behind the port's back.
void ComPortTest::flowControlSummaryAssignment()
{
    QFETCH(TFlowControl, assigned);
    QFETCH(TRTSFlowControl, rts);
    QFETCH(bool, cts);
    QFETCH(bool, xon);
    QFETCH(tcflag_t, cflag);
    Pty pty;
    TComPort port;
    port.SetPort(pty.Slave());
    TComFlowControl& flow = port.FlowControl();
    flow.SetControlRTS(rtsEnable);
    flow.SetOutCTSFlow(true);
    flow.SetXonXoffIn(false);
    flow.SetControlDTR(dtrEnable);
    flow.SetOutDSRFlow(true);
    port.Open();
    termios changedBehindPort = pty.Settings();
    changedBehindPort.c_cflag ^= CRTSCTS;
    ::tcsetattr(pty.Master(), TCSANOW, &changedBehindPort);

    flow.SetFlowControl(assigned);
    QCOMPARE(flow.ControlRTS(), rts);
    QCOMPARE(flow.OutCTSFlow(), cts);
    QCOMPARE(flow.XonXoffIn(), xon);
    QCOMPARE(flow.XonXoffOut(), xon);
    QCOMPARE(flow.ControlDTR(), dtrEnable);
    QVERIFY(flow.OutDSRFlow());
    QCOMPARE(pty.Settings().c_cflag & CRTSCTS, cflag);
}

void ComPortTest::devicePath_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("path");

    QTest::newRow("COM1") << "COM1" << "/dev/ttyS0";
    QTest::newRow("above COM9") << "COM10" << "/dev/ttyS9";
    QTest::newRow("lower case") << "com2" << "/dev/ttyS1";
    QTest::newRow("COM0 is no COM port") << "COM0" << "/dev/COM0";
    QTest::newRow("COM without number") << "COMX" << "/dev/COMX";
    QTest::newRow("USB adapter") << "ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("pty path") << "/dev/pts/3" << "/dev/pts/3";
}

void ComPortTest::devicePath()
{
    QFETCH(QString, port);
    QFETCH(QString, path);
    QCOMPARE(TComPort::DevicePath(port), path);
}

void ComPortTest::portListFromSysfs()
{
    QTemporaryDir sysfs;
    QVERIFY(sysfs.isValid());
    const auto tty = [&](const QString& name, bool device, const QByteArray& type = QByteArray()) {
        QDir root(sysfs.path());
        QVERIFY(root.mkpath(name + (device ? QStringLiteral("/device") : QString())));
        if (type.isNull())
            return;
        QFile file(root.filePath(name + QStringLiteral("/type")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(type);
    };
    tty(QStringLiteral("ttyS0"), true, "4\n");
    tty(QStringLiteral("ttyS1"), true, "0\n");
    tty(QStringLiteral("ttyS2"), false, "4\n");
    tty(QStringLiteral("ttyUSB0"), true);
    tty(QStringLiteral("ttyACM1"), true);
    tty(QStringLiteral("ttymxc0"), true, "62\n");
    tty(QStringLiteral("tty0"), false);
    tty(QStringLiteral("console"), false);
    QCOMPARE(TComPort::EnumComPorts(sysfs.path()),
             (QStringList{QStringLiteral("ttyACM1"), QStringLiteral("ttymxc0"), QStringLiteral("ttyS0"),
                          QStringLiteral("ttyUSB0")}));
}

void ComPortTest::portListWithoutSysfs()
{
    try {
        TComPort::EnumComPorts(QStringLiteral("/whirlbeam-no-such-dir"));
        QFAIL("a missing tty class directory listed");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 23);
        QCOMPARE(error.WinCode(), ENOENT);
    }
}

QTEST_MAIN(ComPortTest)
#include "tst_comport.moc"
