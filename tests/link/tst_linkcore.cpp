// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockLink.h"
#include "link/ComputerClock.h"
#include "link/EdgeTiming.h"
#include "link/LineAssembly.h"
#include "link/LinkLog.h"
#include "link/PortDescription.h"
#include "link/TransmitTick.h"
#include "support/FakeComPort.h"
#include "link/PollCycle.h"
#include "link/EComPort.h"
#include "link/SystemErrorText.h"
#include "protocol/commands/StatusRequests.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using Lines = QList<QByteArray>;
using Properties = QHash<QByteArray, QByteArray>;

class LinkCoreTest : public QObject {
    Q_OBJECT

private slots:
    void serialChunksBecomeLines_data();
    void serialChunksBecomeLines();
    void unfinishedLineIsBounded();
    void overLongLineIsDroppedWholeHoweverCut_data();
    void overLongLineIsDroppedWholeHoweverCut();
    void usbReportBecomesLine_data();
    void usbReportBecomesLine();
    void usbReportFraming_data();
    void usbReportFraming();
    void replyLetters_data();
    void replyLetters();
    void pollCycle_data();
    void pollCycle();
    void idleLinkPollsInOrder();
    void refreshBatches();
    void transmitTick_data();
    void transmitTick();
    void failedSendLeavesTheTick();
    void serialLinkFramesCutsAndLogs_data();
    void serialLinkFramesCutsAndLogs();
    void comPortErrorMessages_data();
    void comPortErrorMessages();
    void systemErrorsExplained_data();
    void systemErrorsExplained();
    void portDescriptions_data();
    void portDescriptions();
    void edgeSends_data();
    void edgeSends();
    void offsetFoundOnASimulatedClock_data();
    void offsetFoundOnASimulatedClock();
    void driftWithItsError_data();
    void driftWithItsError();
    void synchronisedComputerClock_data();
    void synchronisedComputerClock();
};

void LinkCoreTest::serialChunksBecomeLines_data()
{
    QTest::addColumn<Lines>("chunks");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QByteArray>("left");

    QTest::newRow("three chunks") << Lines{"V", "402", "\r\n"} << Lines{"V402"} << QByteArray();
    QTest::newRow("two lines in one chunk, both at once")
        << Lines{"P1\nV04\n"} << Lines{"P1", "V04"} << QByteArray();
    QTest::newRow("CR inside a line") << Lines{"A\rB\n"} << Lines{"AB"} << QByteArray();
    QTest::newRow("lone CR LF") << Lines{"\r\n"} << Lines{} << QByteArray();
    QTest::newRow("empty lines between") << Lines{"\n\nZ\n\r\n"} << Lines{"Z"} << QByteArray();
    QTest::newRow("tail waits") << Lines{"D2024\nT12"} << Lines{"D2024"} << QByteArray("T12");
    QTest::newRow("no LF") << Lines{"W8100"} << Lines{} << QByteArray("W8100");
    QTest::newRow("lower case and digits pass")
        << Lines{"abc\n0x\n"} << Lines{"abc", "0x"} << QByteArray();
}

void LinkCoreTest::serialChunksBecomeLines()
{
    QFETCH(Lines, chunks);
    QFETCH(Lines, lines);
    QFETCH(QByteArray, left);
    SerialLineAssembler assembler;
    Lines taken;
    for (const QByteArray& chunk : chunks)
        taken += assembler.Take(chunk);
    QCOMPARE(taken, lines);
    QCOMPARE(assembler.Pending(), left);
}

void LinkCoreTest::unfinishedLineIsBounded()
{
    const int limit = SerialLineAssembler::MaxUnfinishedBytes;
    SerialLineAssembler longest;
    QCOMPARE(longest.Take(QByteArray(limit, 'x')), Lines{});
    QCOMPARE(longest.Take("\n"), Lines{QByteArray(limit, 'x')});

    SerialLineAssembler runaway;
    runaway.Take(QByteArray(limit, 'x'));
    runaway.Take("y");
    QVERIFY(runaway.Pending().isEmpty());
    QCOMPARE(runaway.Take("P-clock\n"), Lines{});
    QCOMPARE(runaway.Take("P-clock\n"), Lines{"P-clock"});
}

void LinkCoreTest::overLongLineIsDroppedWholeHoweverCut_data()
{
    const int limit = SerialLineAssembler::MaxUnfinishedBytes;
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("one byte over, then a reply")
        << QByteArray(limit + 1, 'x') + "V02\r\nP1\n" << Lines{"P1"};
    QTest::newRow("CRs do not count") << QByteArray(limit, 'x') + "\r\r\nP1\n"
                                      << Lines{QByteArray(limit, 'x'), "P1"};
    QTest::newRow("longest kept") << "A\n" + QByteArray(limit, 'x') + "\nZ\n"
                                  << Lines{"A", QByteArray(limit, 'x'), "Z"};
    QTest::newRow("two long lines") << QByteArray(limit + 7, 'y') + "\n" + QByteArray(2 * limit, 'z') + "\nC1\n"
                                    << Lines{"C1"};
}

// The same bytes, cut at every place and in random pieces, give the same
// lines: the tail of a thrown-away line never comes out as a reply.
void LinkCoreTest::overLongLineIsDroppedWholeHoweverCut()
{
    QFETCH(QByteArray, stream);
    QFETCH(Lines, lines);
    const auto feed = [](const Lines& chunks) {
        SerialLineAssembler assembler;
        Lines taken;
        for (const QByteArray& chunk : chunks)
            taken += assembler.Take(chunk);
        return taken;
    };
    QCOMPARE(feed({stream}), lines);
    for (qsizetype cut = 1; cut < stream.size(); ++cut)
        QCOMPARE(feed({stream.left(cut), stream.mid(cut)}), lines);
    QRandomGenerator random(7);
    for (int run = 0; run < 50; ++run) {
        Lines chunks;
        for (qsizetype at = 0; at < stream.size();) {
            const qsizetype size = 1 + random.bounded(int(stream.size() / 3 + 1));
            chunks << stream.mid(at, size);
            at += size;
        }
        QCOMPARE(feed(chunks), lines);
    }
}

void LinkCoreTest::usbReportBecomesLine_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("Z CR LF zeros") << QByteArray("Z\r\n\0\0\0", 6) << QByteArray("Z");
    QTest::newRow("first byte zero") << QByteArray("\0Z\r\n", 4) << QByteArray();
    QTest::newRow("TAB dropped") << QByteArray("A0\t5\r\n\0", 7) << QByteArray("A05");
    QTest::newRow("stops at first zero") << QByteArray("V04\0Z\r\n", 7) << QByteArray("V04");
    QTest::newRow("0x10 kept") << QByteArray("\x10Q", 2) << QByteArray("\x10Q");
    QTest::newRow("no zero, no CR LF") << QByteArray("D20240315") << QByteArray("D20240315");
}

void LinkCoreTest::usbReportBecomesLine()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, line);
    QCOMPARE(ExtractUsbReplyLine(data), line);
}

void LinkCoreTest::usbReportFraming_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<bool>("sent");

    QTest::newRow("w00") << QByteArray("w00") << 9 << QByteArray("\0w00\r\n\0\0\0", 9) << true;
    QTest::newRow("empty command") << QByteArray() << 5 << QByteArray("\0\r\n\0\0", 5) << true;
    QTest::newRow("exact fit") << QByteArray("abc") << 6 << QByteArray("\0abc\r\n", 6) << true;
    QTest::newRow("one byte short") << QByteArray("abcd") << 6 << QByteArray() << false;
    QTest::newRow("no output report") << QByteArray("p") << 0 << QByteArray() << false;
}

void LinkCoreTest::usbReportFraming()
{
    QFETCH(QByteArray, command);
    QFETCH(int, length);
    QFETCH(QByteArray, report);
    QFETCH(bool, sent);
    const auto framed = FrameUsbReport(command, length);
    QCOMPARE(framed.has_value(), sent);
    if (sent)
        QCOMPARE(*framed, report);
}

void LinkCoreTest::replyLetters_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("reply");
    QTest::newRow("@") << QByteArray("@80FF") << true;
    QTest::newRow("_") << QByteArray("_000000") << true;
    QTest::newRow("backslash") << QByteArray("\\1F") << true;
    QTest::newRow("?") << QByteArray("?") << false;
    QTest::newRow("grave") << QByteArray("`") << false;
    QTest::newRow("lower case") << QByteArray("pelk") << false;
    QTest::newRow("digit") << QByteArray("0") << false;
    QTest::newRow("high byte") << QByteArray("\xC1") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void LinkCoreTest::replyLetters()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, reply);
    QCOMPARE(StartsWithReplyLetter(line), reply);
}

void LinkCoreTest::pollCycle_data()
{
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<QByteArray>("next");
    const QList<QPair<QByteArray, QByteArray>> table = {
        {"", "p"}, {"0", "p"}, {"p", "v"}, {"v", "o"}, {"o", "d"}, {"d", "t"}, {"t", "y"},
        {"y", "n"}, {"n", "w00"}, {"w00", "|"}, {"w81", "|"}, {"|", "{"}, {"{", "d"},
        {"b2024031505", "d"}, {"k039F063013", "d"}, {"\x7f" "00000000", "d"}, {"z0190", "d"}};
    for (const auto& [last, next] : table)
        QTest::newRow(last.isEmpty() ? "empty" : last.constData()) << last << next;
}

void LinkCoreTest::pollCycle()
{
    QFETCH(QByteArray, last);
    QFETCH(QByteArray, next);
    QCOMPARE(NextPollCommand(last), next);
}

void LinkCoreTest::idleLinkPollsInOrder()
{
    QByteArray last;
    Lines sent;
    for (int tick = 0; tick < 17; ++tick)
        sent << (last = NextPollCommand(last));
    QCOMPARE(sent, (Lines{"p", "v", "o", "d", "t", "y", "n", "w00", "|", "{",
                          "d", "t", "y", "n", "w00", "|", "{"}));
}

void LinkCoreTest::refreshBatches()
{
    const Lines common = {"p", "v", "o", "d", "t", "n", "h", "j", "r", "y", "|"};
    QCOMPARE(ReplyResumedBatch(), (common + Lines{"`0000", "\x7f" "00000000", "w00"}));
    QCOMPARE(RefreshMenuBatch(), (common + Lines{"{", "\x7f" "00000000", "w00"}));
    QCOMPARE(ReplyResumedBatch().at(12).size(), 9);
}

// One tick after another, a reply having come before the ticks marked 'r'.
void LinkCoreTest::transmitTick_data()
{
    QTest::addColumn<QString>("replies");
    QTest::addColumn<bool>("polling");
    QTest::addColumn<Lines>("queued");
    QTest::addColumn<Lines>("sent");
    QTest::addColumn<QString>("watches"); // Silent, Resumed, Answering at each tick
    QTest::addColumn<int>("left");
    const Lines none;
    QTest::newRow("silent clock") << "--" << true << none << Lines{"p", "v"} << "SS" << 0;
    QTest::newRow("first answer queues the refresh")
        << "-r" << true << none << Lines{"p", "p"} << "SR" << 13;
    QTest::newRow("answers go on") << "-rr" << true << none << Lines{"p", "p", "v"} << "SRA" << 12;
    QTest::newRow("no second batch while the first waits")
        << "-r-r" << true << none << Lines{"p", "p", "v", "o"} << "SRSR" << 11;
    QTest::newRow("queue first, the cycle goes on from it")
        << "--" << true << Lines{"b20261208"} << Lines{"b20261208", "d"} << "SS" << 0;
    QTest::newRow("without polling only the queue") << "---" << false << Lines{"x1"} << Lines{"x1"} << "SSS" << 0;
}

void LinkCoreTest::transmitTick()
{
    QFETCH(QString, replies);
    QFETCH(bool, polling);
    QFETCH(Lines, queued);
    QFETCH(Lines, sent);
    QFETCH(QString, watches);
    QFETCH(int, left);
    TransmitTick tick;
    tick.SetPolling(polling);
    tick.SetRefreshOnResume(true);
    Lines transmitted;
    tick.SetTransmit([&transmitted](const QByteArray& line) { transmitted << line; });
    QString watched;
    connect(&tick, &TransmitTick::Watched, this,
        [&watched](TransmitTick::Watch watch) { watched += "SRA"[int(watch)]; });
    for (const QByteArray& line : queued)
        tick.Queue.Append(line);
    for (const QChar reply : replies) {
        if (reply == 'r')
            tick.NoteReply("Z");
        tick.Tick();
    }
    QCOMPARE(transmitted, sent);
    QCOMPARE(watched, watches);
    QCOMPARE(tick.Queue.Count(), left);
    QVERIFY(!tick.ReplySeen);
}

// A send that throws leaves the tick there: the line is gone, the answer
// seen before it still counts at the next tick.
void LinkCoreTest::failedSendLeavesTheTick()
{
    TransmitTick tick;
    tick.SetTransmit([](const QByteArray&) { throw EComPort(2, 5); });
    tick.Queue.Append("s120000");
    tick.NoteReply("T120000");
    QVERIFY_THROWS_EXCEPTION(EComPort, tick.Tick());
    QVERIFY(tick.Queue.IsEmpty());
    QVERIFY(tick.ReplySeen);
    QCOMPARE(tick.LastCommand, QByteArray("s120000"));
}

// The serial link over a port: bare characters out, lines cut in, both
// logged; the port's errors come back as the link's failure.
void LinkCoreTest::serialLinkFramesCutsAndLogs_data()
{
    QTest::addColumn<Lines>("chunks");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("one line in two chunks") << Lines{"V4", "02\r\n"} << Lines{"V402"};
    QTest::newRow("two lines at once") << Lines{"P1\nZ\n"} << Lines{"P1", "Z"};
    QTest::newRow("nothing whole") << Lines{"W81"} << Lines{};
}

void LinkCoreTest::serialLinkFramesCutsAndLogs()
{
    QFETCH(Lines, chunks);
    QFETCH(Lines, lines);
    FakeComPort port;
    port.connected = true;
    SerialClockLink link(port);
    QStringList logged;
    LinkLog log([] { return QDateTime(QDate(2026, 12, 8), QTime(5, 23, 32)); });
    QTemporaryDir dir;
    QString error;
    QVERIFY(log.Open(dir.filePath("t.log"), &error));
    link.SetLog(&log);
    Lines received;
    connect(&link, &ClockLink::LineReceived, this, [&received](const QByteArray& line) { received << line; });
    port.OnRxChar = [&link](int count) { link.Receive(count); };

    link.Transmit("w00");
    for (const QByteArray& chunk : chunks)
        port.Receive(chunk);
    QCOMPARE(port.writes, Lines{"w00"});
    QCOMPARE(received, lines);
    QFile file(dir.filePath("t.log"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 1 + lines.size());
    port.failWriteWith = EIO;
    QList<LinkFailure> failures;
    connect(&link, &ClockLink::Failed, this, [&failures](const LinkFailure& why) { failures << why; });
    QVERIFY(!link.Transmit("d"));
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures[0].portCode, 2);
    QCOMPARE(failures[0].error, EIO);
}

void LinkCoreTest::comPortErrorMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("winCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing port") << 1 << 2 << "Unable to open com port (win error code: 2)";
    QTest::newRow("no system code") << 14 << -1 << "Cannot set property while connected";
    QTest::newRow("registry") << 23 << 5 << "Registry error (win error code: 5)";
    QTest::newRow("write") << 2 << 5 << "WriteFile function failed (win error code: 5)";
}

void LinkCoreTest::comPortErrorMessages()
{
    QFETCH(int, code);
    QFETCH(int, winCode);
    QFETCH(QString, message);
    const EComPort error(code, winCode);
    QCOMPARE(error.Message(), message);
    QCOMPARE(error.Code(), code);
    QCOMPARE(error.WinCode(), winCode);
}

void LinkCoreTest::systemErrorsExplained_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("groupMayUse");
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QString>("text");
    const int opening = int(ErrorSite::OpeningPort);
    const int open = int(ErrorSite::OpenPort);
    const int file = int(ErrorSite::File);
    const QStringList none;
    QTest::newRow("no device") << ENOENT << "/dev/ttyUSB0" << opening << "" << false << QStringList{"ttyS0", "ttyUSB1"}
                               << "No device /dev/ttyUSB0. Serial ports found: ttyS0, ttyUSB1.";
    QTest::newRow("no device, no ports") << ENXIO << "/dev/ttyS3" << opening << "dialout" << true << none
                                         << "No device /dev/ttyS3. Serial ports found: none.";
    QTest::newRow("dialout") << EACCES << "/dev/ttyS0" << opening << "dialout" << true << none
                             << "/dev/ttyS0 belongs to the group dialout. Add yourself to it with: "
                                "sudo usermod -aG dialout $USER, then log in again.";
    QTest::newRow("owner only") << EACCES << "/dev/pts/3" << opening << "tty" << false << none
                                << "Only the user root may open /dev/pts/3.";
    QTest::newRow("busy") << EBUSY << "/dev/ttyUSB0" << opening << "" << false << none
                          << "/dev/ttyUSB0 is in use by another program.";
    QTest::newRow("locked") << EWOULDBLOCK << "/dev/ttyUSB0" << opening << "" << false << none
                            << "/dev/ttyUSB0 is in use by another program.";
    QTest::newRow("gone while open") << EIO << "/dev/ttyUSB0" << open << "" << false << none
                                     << "The device is gone (unplugged?). Plug it in again and press Open.";
    QTest::newRow("disk full") << ENOSPC << "/m/x.alm" << file << "" << false << none << "No space left on device";
    QTest::newRow("no write access") << EACCES << "/m/x.alm" << file << "" << false << none << "Permission denied";
    QTest::newRow("no folder") << ENOENT << "/m/x.alm" << file << "" << false << none << "No such folder";
    QTest::newRow("nothing to add") << 0 << "/dev/ttyS0" << opening << "" << false << none << "";
}

void LinkCoreTest::systemErrorsExplained()
{
    QFETCH(int, error);
    QFETCH(QString, path);
    QFETCH(int, site);
    QFETCH(QString, group);
    QFETCH(bool, groupMayUse);
    QFETCH(QStringList, ports);
    QFETCH(QString, text);
    DeviceFacts facts;
    facts.exists = true;
    facts.ownerUser = QStringLiteral("root");
    facts.ownerGroup = group;
    facts.groupMayUse = groupMayUse;
    facts.folderExists = false;
    facts.serialPorts = ports;
    QCOMPARE(ExplainSystemError(error, path, ErrorSite(site), facts), text);
}

// What udev keeps of a tty, as the Setup dialog and the missing-port
// explanation tell it.
void LinkCoreTest::portDescriptions_data()
{
    QTest::addColumn<Properties>("properties");
    QTest::addColumn<QString>("text");
    const QByteArray byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A600ABCD-if00-port0";
    QTest::newRow("USB adapter")
        << Properties{{"ID_VENDOR", "FTDI"}, {"ID_MODEL", "FT232R_USB_UART"}, {"ID_SERIAL_SHORT", "A600ABCD"},
               {"DEVLINKS", "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0 " + byId}}
        << "FTDI FT232R USB UART, serial A600ABCD, " + QString::fromLatin1(byId);
    QTest::newRow("names from the hardware database first")
        << Properties{{"ID_VENDOR", "1a86"}, {"ID_VENDOR_FROM_DATABASE", "QinHeng Electronics"},
               {"ID_MODEL", "USB_Serial"}, {"ID_MODEL_FROM_DATABASE", "CH340 serial converter"}}
        << "QinHeng Electronics CH340 serial converter";
    QTest::newRow("on-board port") << Properties{{"DEVLINKS", "/dev/serial/by-path/platform-serial8250"}} << "";
    QTest::newRow("nothing known") << Properties{} << "";
}

void LinkCoreTest::portDescriptions()
{
    QFETCH(Properties, properties);
    QFETCH(QString, text);
    QCOMPARE(DescribeUdevProperties(properties).Text(), text);
}

// A line is handed over so that its last byte arrives on the first edge
// that leaves a lead of 300 ms: a character of 10 bits takes 10/baud s.
void LinkCoreTest::edgeSends_data()
{
    QTest::addColumn<int>("baud"); // 0: USB
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("nowMs"); // past a whole second
    QTest::addColumn<int>("edgeS"); // seconds after that whole second
    QTest::addColumn<int>("sendUs"); // before the edge
    QTest::newRow("9600, early in the second") << 9600 << 7 << 100 << 1 << 7292;
    QTest::newRow("9600, late in the second: the next one") << 9600 << 7 << 990 << 2 << 7292;
    QTest::newRow("1200, slow line") << 1200 << 7 << 100 << 1 << 58333;
    QTest::newRow("115200") << 115200 << 7 << 0 << 1 << 608;
    QTest::newRow("USB, one report latency") << 0 << 7 << 100 << 1 << 1000;
}

void LinkCoreTest::edgeSends()
{
    using namespace std::chrono;
    QFETCH(int, baud);
    QFETCH(int, characters);
    QFETCH(int, nowMs);
    QFETCH(int, edgeS);
    QFETCH(int, sendUs);
    const WallTime second{seconds(1765000000)};
    const Micros travel = baud ? SerialLineTime(characters, 10, baud) : kUsbReportLatency;
    const EdgeSend plan = PlanEdgeSend(second + milliseconds(nowMs), travel, milliseconds(300));
    QCOMPARE(plan.edge, second + seconds(edgeS));
    QCOMPARE(duration_cast<microseconds>(plan.edge - plan.sendAt).count(), sendUs);
}

// A clock with a known offset and drift, read at the instants the finder
// asks for (as fast as a round trip until it brackets the change of second):
// the finder ends within its uncertainty of the truth.
// Readings every `spacing` seconds; a drift is known only once its error
// is smaller than itself.
void LinkCoreTest::driftWithItsError_data()
{
    QTest::addColumn<double>("spacing");
    QTest::addColumn<QList<double>>("offsetsMs");
    QTest::addColumn<double>("readingErrorMs");
    QTest::addColumn<double>("ppm"); // NaN: nothing to tell
    QTest::addColumn<double>("errorPpm");
    QTest::addColumn<bool>("known");
    const double none = std::nan("");
    QList<double> noise; // a minute of readings +-0.4 ms about nothing
    for (int i = 0; i < 6; ++i)
        noise << (i % 2 ? -0.4 : 0.4);
    QList<double> drifting; // half an hour of 10 ppm under the same noise
    for (int i = 0; i <= 180; ++i)
        drifting << i * 0.1 + (i % 2 ? -0.4 : 0.4);
    const QList<double> line{0.0, 0.1, 0.2, 0.3};
    QTest::newRow("two readings: a slope, but no error")
        << 10.0 << QList<double>{0.0, 0.1} << 0.0 << none << 0.0 << false;
    QTest::newRow("all at one time") << 0.0 << QList<double>{0.0, 0.1, 0.2} << 0.0 << none << 0.0 << false;
    QTest::newRow("a straight line") << 10.0 << line << 0.0 << 10.0 << 0.0 << true;
    QTest::newRow("a straight line of rough readings") << 10.0 << line << 0.25 << 10.0 << 11.180 << false;
    QTest::newRow("a minute of noise") << 10.0 << noise << 0.0 << -6.857 << 11.198 << false;
    QTest::newRow("noise wider than the readings' error")
        << 10.0 << noise << 0.1 << -6.857 << 11.198 << false;
    QTest::newRow("a drift above the noise") << 10.0 << drifting << 0.0 << 10.0 << 0.0572 << true;
}

void LinkCoreTest::driftWithItsError()
{
    QFETCH(double, spacing);
    QFETCH(QList<double>, offsetsMs);
    QFETCH(double, readingErrorMs);
    QFETCH(double, ppm);
    QFETCH(double, errorPpm);
    QFETCH(bool, known);
    std::vector<std::pair<double, double>> series;
    for (qsizetype i = 0; i < offsetsMs.size(); ++i)
        series.emplace_back(double(i) * spacing, offsetsMs[i] / 1000.0);
    const std::optional<Drift> drift = FitDrift(series, readingErrorMs / 1000.0);
    QCOMPARE(drift.has_value(), !std::isnan(ppm));
    if (!drift)
        return;
    QVERIFY2(std::abs(drift->ppm - ppm) < 1e-3, qPrintable(QString::number(drift->ppm)));
    QVERIFY2(std::abs(drift->standardErrorPpm - errorPpm) < 1e-3,
        qPrintable(QString::number(drift->standardErrorPpm)));
    QCOMPARE(drift->Known(), known);
}

void LinkCoreTest::offsetFoundOnASimulatedClock_data()
{
    QTest::addColumn<double>("offset"); // seconds, the clock ahead
    QTest::addColumn<double>("driftPpm");
    QTest::addColumn<double>("roundTrip"); // seconds between readings before the bracket
    QTest::newRow("a little ahead") << 0.0123 << 0.0 << 0.012;
    QTest::newRow("behind, drifting") << -0.4375 << 50.0 << 0.012;
    QTest::newRow("an hour and a half second ahead") << 3600.5 << -20.0 << 0.002;
    QTest::newRow("just short of a second behind") << -0.9995 << 0.0 << 0.02;
}

void LinkCoreTest::offsetFoundOnASimulatedClock()
{
    QFETCH(double, offset);
    QFETCH(double, driftPpm);
    QFETCH(double, roundTrip);
    const double start = 43200.37; // time of day on the computer
    const auto clockSecond = [&](double t) {
        return int(std::floor(std::fmod(t + offset + driftPpm * 1e-6 * (t - start) + 86400.0, 86400.0)));
    };
    SecondEdgeFinder finder;
    double now = start;
    int readings = 0;
    while (!finder.Bracketed() || finder.Uncertainty() > 0.0005) {
        QVERIFY2(++readings < 200, "the finder never settles");
        const auto probe = finder.NextProbe(now + 0.03);
        now = probe ? *probe : now + roundTrip;
        finder.Take(now, clockSecond(now));
    }
    const double truth = offset + driftPpm * 1e-6 * (now - start);
    QVERIFY2(std::abs(finder.Offset() - truth) <= finder.Uncertainty() + 1e-4,
        qPrintable(QStringLiteral("%1 for %2").arg(finder.Offset()).arg(truth)));
    QVERIFY(now - start < 12.0);
}

void LinkCoreTest::synchronisedComputerClock_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("maxErrorUs");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("synchronised");
    QTest::newRow("NTP in step") << 0x2001 << 25000 << true << true;
    QTest::newRow("never synchronised") << 0x0040 << 16000000 << true << false;
    QTest::newRow("in step, but the error grew") << 0x2001 << 250000 << true << false;
    QTest::newRow("at the limit") << 0x0001 << 100000 << true << true;
    QTest::newRow("cannot be asked") << 0 << 0 << false << false;
}

void LinkCoreTest::synchronisedComputerClock()
{
    QFETCH(int, status);
    QFETCH(int, maxErrorUs);
    QFETCH(bool, readable);
    QFETCH(bool, synchronised);
    QCOMPARE(WhyNotSynchronised({status, maxErrorUs, readable}).isEmpty(), synchronised);
}

QTEST_APPLESS_MAIN(LinkCoreTest)
#include "tst_linkcore.moc"
