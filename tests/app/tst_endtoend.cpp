// The panel against the simulated clock over a real pseudo terminal: the
// termios port on one side, the clock's master on the other.

#include "app/ComSetup.h"
#include "app/pages/AlarmTable.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "link/CustomComPort.h"
#include "protocol/commands/StatusRequests.h"
#include "sim/PtyClock.h"
#include "support/FakeDialogs.h"
#include "widgets/LED.h"

#include <QCheckBox>
#include <QDateEdit>
#include "widgets/Spin.h"
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
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
        form = std::make_unique<TForm1>(TForm1::Devices{nullptr, nullptr, std::unique_ptr<DialogSeam>(dialogs)});
        QObject::connect(form.get(), &TForm1::ReplyTaken, [this](const QByteArray& line) { replies << line; });
        form->SelectSerialLink(clock.SlavePath());
    }
    ~Bench() { ScreenCursor::SetArrow(); }

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
    void portChosenInTheDialogIsRemembered();
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

// The user picks the pseudo terminal in Setup and saves; the next panel
// started in the same folder reads the file and reaches the clock there.
void EndToEndTest::portChosenInTheDialogIsRemembered()
{
    PtyClock clock{QuietClock()};
    QVERIFY(clock.Open());
    QTemporaryDir dir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(oldDir); });
    TComSelect::SetPortLister([&clock] { return QStringList{QStringLiteral("ttyS0"), clock.SlavePath()}; });
    const auto machineList = qScopeGuard([] { TComSelect::SetPortLister({}); });
    const auto arrow = qScopeGuard([] { ScreenCursor::SetArrow(); });

    {
        auto* dialogs = new FakeDialogs;
        TForm1 first(TForm1::Devices{nullptr, nullptr, std::unique_ptr<DialogSeam>(dialogs)});
        dialogs->onModal = [&clock](QDialog& dialog) {
            auto* port = dialog.findChild<TComComboBox*>(QStringLiteral("Combo1"));
            const int index = port->findText(clock.SlavePath());
            port->setCurrentIndex(index);
            emit port->activated(index);
            dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        };
        first.findChild<QAction*>(QStringLiteral("Parameters1"))->trigger();
        first.findChild<QAction*>(QStringLiteral("SaveSettings2"))->trigger();
        QCOMPARE(dialogs->modals, QStringList{"Setup"});
        QVERIFY(dialogs->errors.isEmpty());
    }

    TForm1 second(TForm1::Devices{nullptr, nullptr, std::make_unique<FakeDialogs>()});
    QCOMPARE(second.ComPort1()->Port(), clock.SlavePath());
    second.findChild<QAction*>(QStringLiteral("Serial1"))->trigger();
    second.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    QVERIFY(second.ComPort1()->Connected());
    QTRY_VERIFY_WITH_TIMEOUT(second.findChild<TLED*>(QStringLiteral("LED1"))->Color() == lcGreen, kConnectMs);
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
