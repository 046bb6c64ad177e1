#include "link/LineAssembly.h"
#include "link/PollCycle.h"
#include "link/EComPort.h"
#include "protocol/commands/StatusRequests.h"

#include <QtTest>

using Lines = QList<QByteArray>;

class LinkCoreTest : public QObject {
    Q_OBJECT

private slots:
    void serialChunksBecomeLines_data();
    void serialChunksBecomeLines();
    void unfinishedLineIsBounded();
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
    void comPortErrorMessages_data();
    void comPortErrorMessages();
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
    QCOMPARE(runaway.Take("P-clock\n"), Lines{"P-clock"});
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

QTEST_APPLESS_MAIN(LinkCoreTest)
#include "tst_linkcore.moc"
