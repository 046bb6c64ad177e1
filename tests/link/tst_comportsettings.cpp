// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port's settings file: ReadSettings and WriteSettings.

#include "link/ComPort.h"
#include "link/ComPortTexts.h"
#include "support/TinyDisk.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

using Preset = std::function<void(TComPort&)>;

// Everything the settings file holds, on one line.
QString Summary(const TComPort& port)
{
    const TComFlowControl& flow = port.FlowControl();
    return QStringLiteral("%1 %2/%3 %4 %5 %6 rts%7 cts%8 xi%9 xo%10")
        .arg(port.Port(), ComText(port.BaudRate()))
        .arg(port.CustomBaudRate())
        .arg(ComText(port.DataBits()), ComText(port.Parity().Bits()), ComText(port.StopBits()))
        .arg(int(flow.ControlRTS()))
        .arg(int(flow.OutCTSFlow()))
        .arg(int(flow.XonXoffIn()))
        .arg(int(flow.XonXoffOut()));
}

const QString kDefault = QStringLiteral("COM1 9600/9600 8 None 1 rts0 cts0 xi0 xo0");

// A port far from the defaults, with flow-control switches of its own.
void Unusual(TComPort& port)
{
    port.SetPort(QStringLiteral("ttyS1"));
    port.SetBaudRate(brCustom);
    port.SetCustomBaudRate(31250);
    port.SetDataBits(dbSeven);
    port.Parity().SetBits(prOdd);
    port.SetStopBits(sbTwoStopBits);
    port.FlowControl().SetControlRTS(rtsEnable);
    port.FlowControl().SetXonXoffIn(true);
}
const QString kUnusual = QStringLiteral("ttyS1 Custom/31250 7 Odd 2 rts1 cts0 xi1 xo0");

void Default(TComPort&) { }

bool Put(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray Get(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int CodeOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EComPort& error) {
        return error.Code();
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Preset)

class ComPortSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void readSettings_data();
    void readSettings();
    void writeSettings_data();
    void writeSettings();
    void storedSettingsLoadUnchanged();
    void failuresRaiseTheirCodes();
    void failedWriteKeepsTheOldFile();
};

void ComPortSettingsTest::readSettings_data()
{
    QTest::addColumn<Preset>("preset");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("result");

    const auto row = [](const char* name, Preset preset, const char* section, const QString& result) {
        QTest::newRow(name) << preset << (section ? QByteArray("[ComPort1]\n") + section : QByteArray()) << result;
    };
    row("missing file", Unusual, nullptr, kUnusual);
    QTest::newRow("missing section") << Preset(Unusual) << QByteArray("[ComPort2]\nPort=COM7\nBaudRate=110\n")
                                     << kUnusual;
    row("empty section: a custom rate the file lacks is 9600", Unusual, "",
        "ttyS1 Custom/9600 7 Odd 2 rts1 cts0 xi1 xo0");
    row("19200", Default, "BaudRate=19200", "COM1 19200/9600 8 None 1 rts0 cts0 xi0 xo0");
    row("19201 falls back to 9600", Unusual, "BaudRate=19201", "ttyS1 9600/31250 7 Odd 2 rts1 cts0 xi1 xo0");
    row("custom with its rate", Default, "BaudRate=custom\nCustomBaudRate=31250",
        "COM1 Custom/31250 8 None 1 rts0 cts0 xi0 xo0");
    row("custom without a rate", Default, "BaudRate=CUSTOM", "COM1 Custom/9600 8 None 1 rts0 cts0 xi0 xo0");
    row("custom rate in hex", Default, "BaudRate=Custom\nCustomBaudRate=0x7A12",
        "COM1 Custom/31250 8 None 1 rts0 cts0 xi0 xo0");
    row("custom rate in 0X hex", Default, "BaudRate=Custom\nCustomBaudRate=0X7a12",
        "COM1 Custom/31250 8 None 1 rts0 cts0 xi0 xo0");
    row("custom rate not a number", Unusual, "CustomBaudRate=fast", "ttyS1 Custom/9600 7 Odd 2 rts1 cts0 xi1 xo0");
    row("custom rate 0x alone", Unusual, "CustomBaudRate=0x", "ttyS1 Custom/9600 7 Odd 2 rts1 cts0 xi1 xo0");
    row("custom rate out of range", Unusual, "CustomBaudRate=99999999999",
        "ttyS1 Custom/9600 7 Odd 2 rts1 cts0 xi1 xo0");
    row("custom rate unread for a table rate", Unusual, "BaudRate=110\nCustomBaudRate=50",
        "ttyS1 110/31250 7 Odd 2 rts1 cts0 xi1 xo0");
    row("hardware flow", Unusual, "FlowControl=Hardware", "ttyS1 Custom/9600 7 Odd 2 rts2 cts1 xi0 xo0");
    row("software flow", Default, "FlowControl=software", "COM1 9600/9600 8 None 1 rts0 cts0 xi1 xo1");
    row("no flow", Unusual, "FlowControl=None", "ttyS1 Custom/9600 7 Odd 2 rts0 cts0 xi0 xo0");
    row("unknown flow keeps the switches", Unusual, "FlowControl=Sometimes",
        "ttyS1 Custom/9600 7 Odd 2 rts1 cts0 xi1 xo0");
    row("the other keys", Default, "Port=ttyUSB0\nStopBits=2\nDataBits=5\nParity=sPACE",
        "ttyUSB0 9600/9600 5 Space 2 rts0 cts0 xi0 xo0");
    row("unknown texts fall back", Unusual, "StopBits=3\nDataBits=9\nParity=Some",
        "ttyS1 Custom/9600 8 None 1 rts1 cts0 xi1 xo0");
    row("1.5 stop bits", Default, "StopBits=1.5", "COM1 9600/9600 8 None 1.5 rts0 cts0 xi0 xo0");
    row("blanks and quotes", Default, "  Port = \"/dev/pts/7\" \n BaudRate =  57600 ",
        "/dev/pts/7 57600/9600 8 None 1 rts0 cts0 xi0 xo0");
}

void ComPortSettingsTest::readSettings()
{
    QFETCH(Preset, preset);
    QFETCH(QByteArray, file);
    QFETCH(QString, result);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("WhirlbeamClock.ini"));
    if (!file.isNull())
        QVERIFY(Put(path, file));
    TComPort port;
    preset(port);
    port.ReadSettings(ssIniFile, path);
    QCOMPARE(Summary(port), result);
}

void ComPortSettingsTest::writeSettings_data()
{
    QTest::addColumn<Preset>("preset");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("the window's settings, new file")
        << Preset(Default) << QByteArray()
        << QByteArray("[ComPort1]\r\nPort=COM1\r\nBaudRate=9600\r\nStopBits=1\r\nDataBits=8\r\nParity=None\r\n"
                      "FlowControl=None\r\n");
    QTest::newRow("custom rate written after the rate")
        << Preset(Unusual) << QByteArray()
        << QByteArray("[ComPort1]\r\nPort=ttyS1\r\nBaudRate=Custom\r\nCustomBaudRate=31250\r\nStopBits=2\r\n"
                      "DataBits=7\r\nParity=Odd\r\nFlowControl=Custom\r\n");
    QTest::newRow("old custom rate kept")
        << Preset(Default) << QByteArray("[ComPort1]\nBaudRate=Custom\nCustomBaudRate=31250\n")
        << QByteArray("[ComPort1]\nBaudRate=9600\nCustomBaudRate=31250\nPort=COM1\nStopBits=1\nDataBits=8\n"
                      "Parity=None\nFlowControl=None\n");
    const QByteArray others = "; the clock in the hall\r\n[Window]\r\nLeft = 10\r\n\r\n[ComPort1]\r\n"
                              "  Port = ttyS3   \r\nbaudrate=\t115200\r\nStopBits=1\r\nDataBits=8\r\n"
                              "Parity=None\r\nFlowControl=None\r\nMine=yes\r\n\r\n[After]\r\nx=1";
    QTest::newRow("the rest of the file kept byte for byte")
        << Preset(Default) << others
        << QByteArray("; the clock in the hall\r\n[Window]\r\nLeft = 10\r\n\r\n[ComPort1]\r\n"
                      "  Port = COM1   \r\nbaudrate=\t9600\r\nStopBits=1\r\nDataBits=8\r\n"
                      "Parity=None\r\nFlowControl=None\r\nMine=yes\r\n\r\n[After]\r\nx=1");
}

void ComPortSettingsTest::writeSettings()
{
    QFETCH(Preset, preset);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("WhirlbeamClock.ini"));
    if (!before.isNull())
        QVERIFY(Put(path, before));
    TComPort port;
    preset(port);
    port.WriteSettings(ssIniFile, path);
    QCOMPARE(Get(path), after);
}

void ComPortSettingsTest::storedSettingsLoadUnchanged()
{
    const QList<Preset> presets = {
        Default,
        Unusual,
        [](TComPort& port) {
            port.SetPort(QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
            port.SetBaudRate(br256000);
            port.FlowControl().SetFlowControl(fcHardware);
        },
        [](TComPort& port) {
            port.SetPort(QStringLiteral(" odd \"name\" "));
            port.SetStopBits(sbOne5StopBits);
            port.FlowControl().SetFlowControl(fcSoftware);
        },
    };
    QTemporaryDir dir;
    for (const Preset& preset : presets) {
        const QString path = dir.filePath(QStringLiteral("round.ini"));
        TComPort stored;
        preset(stored);
        stored.WriteSettings(ssIniFile, path);
        TComPort loaded;
        // The file holds the flow-control summary only; "Custom" keeps the
        // switches of the port it is read into.
        loaded.SetFlowControl(stored.FlowControl());
        loaded.ReadSettings(ssIniFile, path);
        QCOMPARE(Summary(loaded), Summary(stored));
    }
}

void ComPortSettingsTest::failuresRaiseTheirCodes()
{
    QTemporaryDir dir;
    TComPort port;
    Unusual(port);
    const QString file = dir.filePath(QStringLiteral("x.ini"));
    QCOMPARE(CodeOf([&] { port.WriteSettings(ssIniFile, dir.filePath(QStringLiteral("missing/x.ini"))); }), 16);
    QCOMPARE(CodeOf([&] { port.WriteSettings(ssRegistry, file); }), 16);
    QCOMPARE(CodeOf([&] { port.ReadSettings(ssRegistry, file); }), 17);
    // A file that cannot be read is neither loaded nor overwritten.
    QCOMPARE(CodeOf([&] { port.ReadSettings(ssIniFile, dir.path()); }), 17);
    QCOMPARE(CodeOf([&] { port.WriteSettings(ssIniFile, dir.path()); }), 16);
    QVERIFY(QFileInfo(dir.path()).isDir());
    // A port name that no line can hold is not stored.
    port.SetPort(QStringLiteral("COM1\nBaudRate=110"));
    QCOMPARE(CodeOf([&] { port.WriteSettings(ssIniFile, file); }), 16);
    QVERIFY(!QFile::exists(file));
    port.SetPort(QStringLiteral("ttyS1"));
    QCOMPARE(Summary(port), kUnusual);
}

void ComPortSettingsTest::failedWriteKeepsTheOldFile()
{
    TinyDisk disk;
    if (!disk.Mounted())
        QSKIP(qPrintable(disk.Why()));
    const QByteArray old = "[ComPort1]\r\nPort=COM2\r\n";
    const QString path = disk.Path(QStringLiteral("WhirlbeamClock.ini"));
    QVERIFY(disk.Put(QStringLiteral("WhirlbeamClock.ini"), old));
    QVERIFY(disk.MakeReadOnly());
    TComPort port;
    QCOMPARE(CodeOf([&] { port.WriteSettings(ssIniFile, path); }), 16);
    QCOMPARE(Get(path), old);
}

QTEST_MAIN(ComPortSettingsTest)
#include "tst_comportsettings.moc"
