// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of a read as the tick sends its lines and the clock answers.
#include "clock/ClockModel.h"
#include "clock/ConnectionSequence.h"
#include "clock/ReadProgress.h"
#include "link/TransmitTick.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/StatusRequests.h"
#include "protocol/replies/ReplyKind.h"

#include <QtTest>
#include <deque>

namespace {

// The clock's answer to a line, as far as the sequence needs one: the
// identification and version as a whirlbeam clock gives them, 40 alarms.
QByteArray AnswerTo(const QByteArray& command)
{
    if (command.startsWith('p'))
        return "Pelk Whirlbeam Clock";
    if (command.startsWith('v'))
        return "V04.02";
    if (command.startsWith('o'))
        return "O401D";
    return QByteArray(1, ReplyLetterOf(command)) + "00";
}

QString Shown(const ReadFigures& figures)
{
    static const QStringList stages{"none", "parameters", "alarms", "sending"};
    return QStringLiteral("%1 %2/%3").arg(stages[int(figures.stage)]).arg(figures.answered).arg(figures.total);
}

} // namespace

class ReadProgressTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
};

void ReadProgressTest::figures_data()
{
    QTest::addColumn<QString>("script"); // batch, page, alarmfile N, send N, answer N, poll, close
    QTest::addColumn<QString>("shown");
    QTest::newRow("the batch begins") << "batch send 1" << "parameters 0/14";
    QTest::newRow("sent, unanswered lines stay in the total") << "batch send 3" << "parameters 0/14";
    QTest::newRow("answers count") << "batch send 5 answer 4" << "parameters 4/14";
    QTest::newRow("the alarms queued behind are not parameters") << "batch send 14 answer 14" << "parameters 14/14";
    QTest::newRow("the first alarm sent begins the alarms") << "batch send 3 answer 3 send 12" << "alarms 0/40";
    QTest::newRow("late parameter answers do not count as alarms") << "batch send 3 answer 3 send 14 answer 12" << "alarms 1/40";
    QTest::newRow("alarm 12 of 40") << "batch send 3 answer 3 send 27 answer 23" << "alarms 12/40";
    QTest::newRow("the end-of-read reply ends it") << "batch send 3 answer 3 send 52 answer 52" << "none 0/0";
    QTest::newRow("the end marker is no alarm") << "batch send 3 answer 3 send 52 answer 51" << "alarms 40/40";
    QTest::newRow("polls are no read") << "poll answer 1 poll answer 1" << "none 0/0";
    QTest::newRow("a page's request begins nothing") << "page send 1 answer 1" << "none 0/0";
    QTest::newRow("an alarm file's lines") << "alarmfile 3 send 2 answer 1" << "sending 1/3";
    QTest::newRow("an alarm file ends with its marker") << "alarmfile 3 send 4 answer 4" << "none 0/0";
    QTest::newRow("a closed link ends it") << "batch send 3 answer 2 close" << "none 0/0";
    QTest::newRow("a reread begins anew") << "batch send 3 answer 3 send 52 answer 52 batch send 2 answer 1" << "parameters 1/14";
}

void ReadProgressTest::figures()
{
    QFETCH(QString, script);
    QFETCH(QString, shown);
    TransmitTick tick;
    std::deque<QByteArray> sent;
    tick.SetTransmit([&sent](const QByteArray& line) { sent.push_back(line); });
    ClockModel model;
    ConnectionSequence sequence(model, tick.Queue);
    ReadProgress progress(model, tick);
    QString signalled = Shown(progress.Figures());
    connect(&progress, &ReadProgress::Changed, this, [&](const ReadFigures& figures) { signalled = Shown(figures); });
    const QStringList words = script.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        const int count = i + 1 < words.size() ? words[i + 1].toInt() : 0;
        if (word == QLatin1String("batch")) {
            for (const QByteArray& line : ReplyResumedBatch())
                tick.Queue.Append(line);
        } else if (word == QLatin1String("page")) {
            tick.Queue.Append("d");
        } else if (word == QLatin1String("alarmfile")) {
            for (int row = 0; row < count; ++row)
                tick.Queue.Append("k" + QByteArray::number(row).rightJustified(2, '0') + "F063013");
            tick.Queue.Append(kEndOfBatchCommand);
        } else if (word == QLatin1String("send")) {
            for (int n = 0; n < count; ++n)
                tick.Tick();
        } else if (word == QLatin1String("poll")) {
            tick.SetPolling(true);
            tick.Tick();
            tick.SetPolling(false);
        } else if (word == QLatin1String("answer")) {
            for (int n = 0; n < count && !sent.empty(); ++n) {
                const QByteArray reply = AnswerTo(sent.front());
                sent.pop_front();
                model.Take(reply);
                progress.Take(reply);
            }
        } else if (word == QLatin1String("close")) {
            progress.Stop();
        }
    }
    QCOMPARE(Shown(progress.Figures()), shown);
    QCOMPARE(signalled, shown);
}

QTEST_MAIN(ReadProgressTest)
#include "tst_readprogress.moc"
