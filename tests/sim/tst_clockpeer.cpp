// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LineAssembly.h"
#include "sim/ClockPeer.h"
#include "sim/PeerFraming.h"

#include <QRegularExpression>
#include <QtTest>

using Lines = QList<QByteArray>;

namespace {
const QByteArray kDel(1, char(0x7F));

// Timers off: every step of the clock happens when the test says so.
ClockPeerOptions ManualOptions()
{
    ClockPeerOptions options;
    options.silenceTimeoutMs = 0;
    options.driftIntervalMs = 0;
    options.rc5IntervalMs = 0;
    return options;
}

// A clock whose computer time is `now`, Friday 15 March 2024, 12:00:30.
struct Rig {
    explicit Rig(const ClockPeerOptions& options = ManualOptions())
        : peer(options, [this] { return now; })
    {
        QObject::connect(&peer, &ClockPeer::ReplyReady, [this](const QByteArray& line) { replies.append(line); });
    }

    QByteArray Ask(const QByteArray& command)
    {
        replies.clear();
        peer.FeedUsbLine(command);
        return replies.value(0);
    }

    void Pass(int seconds) { now = now.addSecs(seconds); }

    int HexAt(const QByteArray& command, int position, int width)
    {
        return Ask(command).mid(position - 1, width).toInt(nullptr, 16);
    }

    QDateTime now{QDate(2024, 3, 15), QTime(12, 0, 30)};
    ClockPeer peer;
    Lines replies;
};

int Signed(int byte)
{
    return byte > 127 ? byte - 256 : byte;
}
} // namespace

class ClockPeerTest : public QObject {
    Q_OBJECT

private slots:
    void secondBeginsWhenTheTimeCommandIsWhole_data();
    void secondBeginsWhenTheTimeCommandIsWhole();
    void serialCommandsSeparateByLength_data();
    void serialCommandsSeparateByLength();
    void shortFormsEndAfterSilence_data();
    void shortFormsEndAfterSilence();
    void silenceTimerEndsShortForm();
    void replyLayouts_data();
    void replyLayouts();
    void configuration_data();
    void configuration();
    void settingsChangeQueries_data();
    void settingsChangeQueries();
    void timeRuns();
    void relayCountsDown();
    void autoStandbyStopsWhirlbeam();
    void alarmRunsAtItsMinute();
    void dcf77DecodesAtMinuteMarks();
    void measurementsDriftWithinRangeAndCarryOffsets();
    void spontaneousRc5PacketsAreForeign();
    void dropNextReply();
    void refusedIdentityAndVersion();
    void delayedRepliesKeepOrder();
    void garbageLinesBetweenReplies();
    void usbFraming();
};

void ClockPeerTest::serialCommandsSeparateByLength_data()
{
    QTest::addColumn<Lines>("chunks");
    QTest::addColumn<Lines>("replies");

    const Lines burst = {"Pelk Whirlbeam Clock", "V04.02", "O401D", "W8C000000", "K039F063013", "L039F063013"};
    QTest::newRow("one run, no terminators") << Lines{"pvow00k039F063013l03"} << burst;
    QTest::newRow("cut inside fields") << Lines{"pvow0", "0k039F0", "63013l", "03"} << burst;
    QByteArray oneByOne = "pvow00k039F063013l03";
    Lines bytes;
    for (const char byte : oneByOne)
        bytes.append(QByteArray(1, byte));
    QTest::newRow("byte by byte") << bytes << burst;
    QTest::newRow("noise before a prefix is dropped") << Lines{"#!Ep"} << Lines{"Pelk Whirlbeam Clock"};
    QTest::newRow("line ends between commands") << Lines{"p\r\nv\n"} << Lines{"Pelk Whirlbeam Clock", "V04.02"};
    QTest::newRow("DEL command of nine") << Lines{kDel + "00000000d"} << Lines{"_00000000", "D2024031505"};
    QTest::newRow("grave and statistics") << Lines{"`80FFfA0E5"} << Lines{"@80FF", "FA0E539"};
    QTest::newRow("set date then time") << Lines{"b2024010101s235959"} << Lines{"B2024010101", "S235959"};
}

void ClockPeerTest::serialCommandsSeparateByLength()
{
    QFETCH(Lines, chunks);
    QFETCH(Lines, replies);
    Rig rig;
    for (const QByteArray& chunk : chunks)
        rig.peer.FeedSerial(chunk);
    QCOMPARE(rig.replies, replies);
}

void ClockPeerTest::shortFormsEndAfterSilence_data()
{
    QTest::addColumn<QByteArray>("shortForm");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("queryReply");

    QTest::newRow("mode only keeps motor flags") << QByteArray("g81") << QByteArray("G8101")
                                                 << QByteArray("h") << QByteArray("H8101");
    QTest::newRow("hours only keep light limit") << QByteArray("q0722") << QByteArray("Q072220")
                                                 << QByteArray("r") << QByteArray("R072220");
}

void ClockPeerTest::shortFormsEndAfterSilence()
{
    QFETCH(QByteArray, shortForm);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, queryReply);
    Rig rig;
    rig.peer.FeedSerial(shortForm);
    QVERIFY(rig.replies.isEmpty());
    rig.peer.EndCommandAfterSilence();
    QCOMPARE(rig.replies, Lines{reply});
    rig.peer.FeedSerial(query);
    QCOMPARE(rig.replies, (Lines{reply, queryReply}));
    QCOMPARE(rig.Ask(shortForm), reply); // a USB line is complete as it stands
}

void ClockPeerTest::silenceTimerEndsShortForm()
{
    ClockPeerOptions options = ManualOptions();
    options.silenceTimeoutMs = 100;
    Rig rig(options);
    rig.peer.FeedSerial("g8");
    rig.peer.FeedSerial("1");
    QTRY_COMPARE(rig.replies, Lines{"G8101"});
}

void ClockPeerTest::replyLayouts_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("layout");

    QTest::newRow("identification") << QByteArray("p") << QStringLiteral("Pelk.*");
    QTest::newRow("version") << QByteArray("v") << QStringLiteral("V(0[3-9]|[1-9]\\d).*");
    QTest::newRow("date, ISO weekday") << QByteArray("d") << QStringLiteral("D2024031505");
    QTest::newRow("time") << QByteArray("t") << QStringLiteral("T120030");
    QTest::newRow("clear seconds") << QByteArray("c") << QStringLiteral("C120000");
    QTest::newRow("whirlbeam") << QByteArray("w00") << QStringLiteral("W[0-9A-F]{8}");
    QTest::newRow("relay") << QByteArray("y") << QStringLiteral("Y[0-9A-F]{4}");
    QTest::newRow("relay off") << QByteArray("x0000") << QStringLiteral("X0000");
    QTest::newRow("IR on-time") << QByteArray("`0000") << QStringLiteral("@00FF");
    QTest::newRow("RC5 packet") << QByteArray("a058C") << QStringLiteral("A058C");
    QTest::newRow("statistics first") << QByteArray("fA0E0") << QStringLiteral("FA0E0[0-9A-F]{2}");
    QTest::newRow("statistics last") << QByteArray("fA0F7") << QStringLiteral("FA0F7[0-9A-F]{2}");
    QTest::newRow("mode") << QByteArray("h") << QStringLiteral("H4801");
    QTest::newRow("auto standby") << QByteArray("j") << QStringLiteral("J012C");
    QTest::newRow("PWM") << QByteArray("n") << QStringLiteral("N28700C502870");
    QTest::newRow("sound times") << QByteArray("r") << QStringLiteral("R072220");
    QTest::newRow("DCF77 state") << QByteArray("{") << QStringLiteral("\\[[0-9A-F]{2}\\d{2}[0-9A-F]{10}");
    QTest::newRow("measurements") << QByteArray("|") << QStringLiteral("\\\\[0-9A-F]{10}");
    QTest::newRow("offsets") << kDel + "00000000" << QStringLiteral("_00000000");
    QTest::newRow("alarm") << QByteArray("l00") << QStringLiteral("L009F063013");
    QTest::newRow("end of read") << QByteArray("z0190") << QStringLiteral("Z.*");
    QTest::newRow("clear alarm sound") << QByteArray("~80") << QStringLiteral("\\^.*");
}

void ClockPeerTest::replyLayouts()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, layout);
    Rig rig;
    const QByteArray reply = rig.Ask(command);
    const QRegularExpression expected(QRegularExpression::anchoredPattern(layout));
    QVERIFY2(expected.match(QString::fromLatin1(reply)).hasMatch(), reply.constData());
    QCOMPARE(reply.front(), char(command.front() & ~0x20));
    QCOMPARE(rig.replies.size(), 1);
}

void ClockPeerTest::configuration_data()
{
    QTest::addColumn<int>("alarms");
    QTest::addColumn<int>("chip");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("40, no chip code") << 40 << -1 << QByteArray("O401D");
    QTest::newRow("20, no chip code") << 20 << -1 << QByteArray("O201D");
    QTest::newRow("40, 18F2550") << 40 << 50 << QByteArray("O401D50");
    QTest::newRow("20, 16F628") << 20 << 28 << QByteArray("O201D28");
}

void ClockPeerTest::configuration()
{
    QFETCH(int, alarms);
    QFETCH(int, chip);
    QFETCH(QByteArray, reply);
    ClockPeerOptions options = ManualOptions();
    options.alarmCount = alarms;
    if (chip >= 0)
        options.chipCode = chip;
    Rig rig(options);
    QCOMPARE(rig.Ask("o"), reply);
    QCOMPARE(rig.Ask("l19"), QByteArray("L1900000000"));
    QCOMPARE(rig.Ask("k20FF07008A"), alarms > 20 ? QByteArray("K20FF07008A") : QByteArray("K2000000000"));
    QCOMPARE(rig.Ask("l20"), alarms > 20 ? QByteArray("L20FF07008A") : QByteArray("L2000000000"));
}

void ClockPeerTest::settingsChangeQueries_data()
{
    QTest::addColumn<Lines>("commands");
    QTest::addColumn<Lines>("replies");

    QTest::newRow("set time")
        << Lines{"s070509", "t", "s24xx00", "t"} << Lines{"S070509", "T070509", "S070509", "T070509"};
    QTest::newRow("set date, weekday from the date")
        << Lines{"b2024010703", "d", "b2023022903", "d"}
        << Lines{"B2024010707", "D2024010707", "B2024010707", "D2024010707"};
    QTest::newRow("leap day") << Lines{"b2024022904"} << Lines{"B2024022904"};
    QTest::newRow("alarm round trip")
        << Lines{"k039F063013", "l03", "k0500321540", "l05", "k0500xx1540", "l05"}
        << Lines{"K039F063013", "L039F063013", "K0500321540", "L0500321540", "K0500321540", "L0500321540"};
    QTest::newRow("alarm time out of range kept out")
        << Lines{"k07FF24008A", "k07FF07608A", "l07"} << Lines{"K0700000000", "K0700000000", "L0700000000"};
    QTest::newRow("mode and motor") << Lines{"gDF0F", "h", "g00", "h"} << Lines{"GDF0F", "HDF0F", "G000F", "H000F"};
    QTest::newRow("auto standby") << Lines{"iFFFF", "j", "i012C", "j"} << Lines{"IFFFF", "JFFFF", "I012C", "J012C"};
    QTest::newRow("sound times") << Lines{"q000000", "r", "q2500FF", "r"}
                                 << Lines{"Q000000", "R000000", "Q000000", "R000000"};
    QTest::newRow("PWM, pulses limited to 115")
        << Lines{"m28280C20", "n", "mFF00FF00", "n"}
        << Lines{"M28280C202828", "N28280C202828", "M730073007300", "N730073007300"};
    QTest::newRow("default PWM line in lower case") << Lines{"m28700c50"} << Lines{"M28700C502870"};
    QTest::newRow("start and stop")
        << Lines{"s120000", "w80", "w00", "w81", "w00"}
        << Lines{"S120000", "W03000000", "W03000000", "W0C000000", "W0C000000"};
    QTest::newRow("deep sleep without coil drive")
        << Lines{"s120000", "g4C01", "w80", "n"} << Lines{"S120000", "G4C01", "W43000000", "N28700C500000"};
    QTest::newRow("relay on and off") << Lines{"x015A", "y", "x0000", "y"} << Lines{"X015A", "Y015A", "X0000", "Y0000"};
    QTest::newRow("relay on-time for IR")
        << Lines{"`8005", "`0000", "`00FF", "`0000"} << Lines{"@8005", "@0005", "@0005", "@0005"};
    QTest::newRow("offsets, only the selected, limited")
        << Lines{kDel + "80FE0500", kDel + "E0F60A05", kDel + "200000EC", kDel + "E00F0000"}
        << Lines{"_80FE0000", "_E0F60A05", "_20F60AF6", "_E00A0000"};
    QTest::newRow("RC5 standby key toggles the whirlbeam")
        << Lines{"s120000", "a1D0C", "w00", "a1D8C", "w00", "a050C", "w00"}
        << Lines{"S120000", "A1D0C", "W03000000", "A1D8C", "W0C000000", "A050C", "W0C000000"};
    QTest::newRow("clear seconds") << Lines{"s070559", "c", "t"} << Lines{"S070559", "C070500", "T070500"};
    QTest::newRow("unmapped memory reads 00") << Lines{"fA0DF", "fA1E0"} << Lines{"FA0DF00", "FA1E000"};
    QTest::newRow("unknown and unreadable commands stay silent")
        << Lines{"e", "U", "lxx", "fA0", "p"} << Lines{"", "", "", "", "Pelk Whirlbeam Clock"};
}

void ClockPeerTest::settingsChangeQueries()
{
    QFETCH(Lines, commands);
    QFETCH(Lines, replies);
    Rig rig;
    Lines answers;
    for (const QByteArray& command : commands)
        answers.append(rig.Ask(command));
    QCOMPARE(answers, replies);
}

void ClockPeerTest::timeRuns()
{
    Rig rig;
    rig.Ask("b2024123102");
    rig.Ask("s235958");
    rig.Pass(3);
    QCOMPARE(rig.Ask("t"), QByteArray("T000001"));
    QCOMPARE(rig.Ask("d"), QByteArray("D2025010103"));
}

void ClockPeerTest::relayCountsDown()
{
    Rig rig;
    QCOMPARE(rig.Ask("x0102"), QByteArray("X0102"));
    rig.Pass(1);
    QCOMPARE(rig.Ask("y"), QByteArray("Y0102"));
    rig.Pass(60);
    QCOMPARE(rig.Ask("y"), QByteArray("Y0101"));
    rig.Pass(59);
    QCOMPARE(rig.Ask("y"), QByteArray("Y0000"));
    QCOMPARE(rig.Ask("x0100"), QByteArray("X0100"));
    rig.Pass(3600);
    QCOMPARE(rig.Ask("y"), QByteArray("Y0100"));
}

void ClockPeerTest::autoStandbyStopsWhirlbeam()
{
    Rig rig;
    rig.Ask("s120000");
    rig.Ask("i000A");
    QCOMPARE(rig.Ask("g4901"), QByteArray("G4901"));
    rig.Pass(4);
    QCOMPARE(rig.Ask("w00"), QByteArray("W0C000006"));
    rig.Pass(6);
    QCOMPARE(rig.Ask("w00"), QByteArray("W03000000"));
    QCOMPARE(rig.Ask("w81"), QByteArray("W0C00000A"));
}

void ClockPeerTest::alarmRunsAtItsMinute()
{
    Rig rig;
    rig.Ask("s120030");
    rig.Ask("k09FF120120");  // every day 12:01: whirlbeam off
    rig.Ask("k10FF32028A");  // every hour at minute 02: relay for 10 minutes
    rig.Pass(20);
    QCOMPARE(rig.Ask("w00"), QByteArray("W0C000000"));
    rig.Pass(20);
    QCOMPARE(rig.Ask("w00"), QByteArray("W03000000"));
    QCOMPARE(rig.Ask("y"), QByteArray("Y0000"));
    rig.Pass(60);
    QCOMPARE(rig.Ask("y"), QByteArray("Y010A"));
}

void ClockPeerTest::dcf77DecodesAtMinuteMarks()
{
    Rig rig;
    rig.Ask("b2024031505");
    rig.Ask("s235850");
    QCOMPARE(rig.Ask("w00").mid(1, 2), QByteArray("0C")); // a hand-set time is valid
    rig.Pass(15);                                          // 23:59:05, a frame error
    QCOMPARE(rig.Ask("{").mid(7, 8), QByteArray("564A0000")); // still 15th 12:00, waiting
    rig.Pass(60);                                          // Saturday 16 March, 00:00
    const QByteArray state = rig.Ask("{");
    QCOMPARE(state.mid(3, 2), QByteArray("24"));
    QCOMPARE(state.mid(5, 2), QByteArray("1E"));           // March, Saturday
    QCOMPARE(state.mid(7, 2), QByteArray("59"));           // 16th, data ready
    QCOMPARE(state.mid(9, 4), QByteArray("0000"));         // 00:00, no error
    QCOMPARE(state.mid(13, 2), QByteArray("01"));          // one in this hour
    QCOMPARE(rig.HexAt("fA0E0", 6, 2), 1);
    QCOMPARE(rig.HexAt("fA0F7", 6, 2), 0);                 // hour 23 began anew and failed
    QCOMPARE(rig.Ask("g0001"), QByteArray("G0001"));       // synchronisation off
    rig.Pass(60);
    QCOMPARE(rig.Ask("{").mid(7, 2), QByteArray("5A"));   // waits for the signal
}

void ClockPeerTest::measurementsDriftWithinRangeAndCarryOffsets()
{
    Rig rig;
    QSet<QByteArray> seen;
    for (int step = 0; step < 300; ++step) {
        rig.peer.Housekeep();
        const QByteArray reply = rig.Ask("|");
        seen.insert(reply);
        QVERIFY(Signed(reply.mid(3, 2).toInt(nullptr, 16)) >= 15);
        QVERIFY(reply.mid(5, 2).toInt(nullptr, 16) <= 100);
        QVERIFY(qAbs(reply.mid(7, 4).toInt(nullptr, 16) - 1013) <= 40);
    }
    QVERIFY(seen.size() > 10);
    const QByteArray before = rig.Ask("|");
    rig.Ask(kDel + "E0F6FF03");
    const QByteArray after = rig.Ask("|");
    QCOMPARE(Signed(after.mid(3, 2).toInt(nullptr, 16)), Signed(before.mid(3, 2).toInt(nullptr, 16)) - 10);
    QCOMPARE(after.mid(5, 2).toInt(nullptr, 16), before.mid(5, 2).toInt(nullptr, 16) - 1);
    QCOMPARE(after.mid(7, 4).toInt(nullptr, 16), before.mid(7, 4).toInt(nullptr, 16) + 3);
}

void ClockPeerTest::spontaneousRc5PacketsAreForeign()
{
    Rig rig;
    for (int packet = 0; packet < 20; ++packet)
        rig.peer.ReceiveRc5Packet();
    QCOMPARE(rig.replies.size(), 20);
    for (const QByteArray& line : rig.replies) {
        QVERIFY(QRegularExpression("^A[0-9A-F]{4}$").match(QString::fromLatin1(line)).hasMatch());
        QVERIFY(line.mid(1, 2) != "1D");
    }
    QVERIFY(rig.replies[0].mid(3, 2).toInt(nullptr, 16) & 0x80);   // toggle bit flips per key press
    QVERIFY(!(rig.replies[1].mid(3, 2).toInt(nullptr, 16) & 0x80));
}

void ClockPeerTest::dropNextReply()
{
    Rig rig;
    rig.peer.DropNextReply();
    rig.peer.FeedSerial("pvz0190");
    QCOMPARE(rig.replies, (Lines{"V04.02", "Z0190"}));
    rig.peer.DropNextReply();
    rig.peer.FeedSerial("lxxz0190t");
    QCOMPARE(rig.replies.mid(2), Lines{"T120030"});   // an unanswered command does not use up the drop
}

void ClockPeerTest::refusedIdentityAndVersion()
{
    ClockPeerOptions options = ManualOptions();
    options.wrongIdentification = true;
    options.versionTwo = true;
    Rig rig(options);
    const QByteArray identification = rig.Ask("p");
    QVERIFY(identification.startsWith('P'));
    QVERIFY(!identification.startsWith("Pelk"));
    QCOMPARE(rig.Ask("v").left(3), QByteArray("V02"));
    options.wrongIdentification = false;
    rig.peer.SetOptions(options);
    QVERIFY(rig.Ask("p").startsWith("Pelk"));
}

void ClockPeerTest::delayedRepliesKeepOrder()
{
    ClockPeerOptions options = ManualOptions();
    options.replyDelayMs = 40;
    Rig rig(options);
    rig.peer.FeedSerial("l00l01l02z0190");
    QVERIFY(rig.replies.isEmpty());
    QTRY_COMPARE(rig.replies.size(), 4);
    QCOMPARE(rig.replies, (Lines{"L009F063013", "L0160080040", "L02FF230020", "Z0190"}));
}

void ClockPeerTest::garbageLinesBetweenReplies()
{
    ClockPeerOptions options = ManualOptions();
    options.garbageEvery = 2;
    Rig rig(options);
    rig.peer.FeedSerial("pvotd");
    Lines real;
    for (const QByteArray& line : rig.replies) {
        if (QByteArray("@ABCDEFGHIJKLMNOPQRSTVWXYZ[\\_").contains(line.front()))
            real.append(line);
    }
    QCOMPARE(rig.replies.size(), 7);
    QCOMPARE(real, (Lines{"Pelk Whirlbeam Clock", "V04.02", "O401D", "T120030", "D2024031505"}));
}

void ClockPeerTest::usbFraming()
{
    const QByteArray report = UsbReplyReport("W0C000000", 16);
    QCOMPARE(report, QByteArray("\0W0C000000\r\n\0\0\0\0", 16));
    QCOMPARE(ExtractUsbReplyLine(report.mid(1)), QByteArray("W0C000000"));
    QCOMPARE(UsbReplyReport("Pelk Whirlbeam Clock", 8), QByteArray("\0Pelk \r\n", 8));
    QCOMPARE(UsbCommandLine(FrameUsbReport("w00", 65)->mid(1)), QByteArray("w00"));

    Rig rig;
    QCOMPARE(rig.Ask("d\r\n"), QByteArray("D2024031505"));
}

// A time command takes effect with its last byte: on a serial line seven
// characters after the first arrived (9600 baud: 7.3 ms), over USB one
// report latency after the report was written.
void ClockPeerTest::secondBeginsWhenTheTimeCommandIsWhole_data()
{
    QTest::addColumn<bool>("serial");
    QTest::addColumn<int>("wholeAfterMs");
    QTest::newRow("serial, 9600 baud") << true << 7;
    QTest::newRow("USB") << false << 1;
}

void ClockPeerTest::secondBeginsWhenTheTimeCommandIsWhole()
{
    QFETCH(bool, serial);
    QFETCH(int, wholeAfterMs);
    Rig rig;
    rig.peer.SetCharacterTime(SerialLineTime(1, 10, 9600));
    if (serial)
        rig.peer.FeedSerial("s123456");
    else
        rig.peer.FeedUsbLine("s123456");
    const QDateTime set = rig.now;
    // Read just under a second after the set instant, and just over; the
    // query is a USB report itself, whole a millisecond after it is written.
    rig.now = set.addMSecs(wholeAfterMs + 998);
    QCOMPARE(rig.Ask("t"), QByteArray("T123456"));
    rig.now = set.addMSecs(wholeAfterMs + 999);
    QCOMPARE(rig.Ask("t"), QByteArray("T123457"));
}

QTEST_MAIN(ClockPeerTest)
#include "tst_clockpeer.moc"
