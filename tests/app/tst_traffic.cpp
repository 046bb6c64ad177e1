// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic view against the simulated clock as an in-process USB device.

#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kConnectMs = 20000;

std::unique_ptr<TForm1> PanelOn(UsbClock& clock, FakeDialogs* dialogs = new FakeDialogs)
{
    auto* usb = new SimHidBackend;
    usb->Plug(&clock, false);
    return std::make_unique<TForm1>(
        TForm1::Devices{std::make_unique<FakeComPort>(),
            std::make_unique<TJvHidDeviceController>(std::unique_ptr<HidBackend>(usb)),
            std::unique_ptr<DialogSeam>(dialogs)});
}

// The shown rows as "direction line", and whether a reply row has words.
QStringList ShownRows(const QTableView& view, bool* replyHasWords)
{
    QStringList rows;
    const QAbstractItemModel& model = *view.model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString line = model.index(row, 2).data().toString();
        rows << model.index(row, 1).data().toString() + QLatin1Char(' ') + line;
        if (line.startsWith(QLatin1Char('H')))
            *replyHasWords = !model.index(row, 3).data().toString().isEmpty();
    }
    return rows;
}

} // namespace

class TrafficViewTest : public QObject {
    Q_OBJECT

private slots:
    void sentLineAndItsReplyAreListed();
};

void TrafficViewTest::sentLineAndItsReplyAreListed()
{
    QTemporaryDir dir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&] {
        QDir::setCurrent(oldDir);
        ScreenCursor::SetArrow();
    });
    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    UsbClock clock(quiet);
    auto* dialogs = new FakeDialogs;
    std::unique_ptr<TForm1> form = PanelOn(clock, dialogs);
    QTRY_VERIFY(form->CurrentHidDevice);
    auto* view = form->findChild<QDockWidget*>(QStringLiteral("TrafficView"));
    QVERIFY(view && view->isHidden());
    form->findChild<QAction*>(QStringLiteral("TrafficAction"))->trigger();
    QVERIFY(!view->isHidden());

    auto* command = view->findChild<QLineEdit*>(QStringLiteral("TrafficCommand"));
    auto* send = view->findChild<QPushButton*>(QStringLiteral("TrafficSend"));
    QVERIFY(!send->isEnabled());
    form->findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!form->InitialLoad, kConnectMs);
    QVERIFY(send->isEnabled());

    command->setText(QStringLiteral("Hello"));
    send->click();
    auto* refusal = view->findChild<QLabel*>(QStringLiteral("TrafficRefusal"));
    QVERIFY(!refusal->isHidden());
    QVERIFY(refusal->text().contains(QStringLiteral("\"Hello\"")));
    QVERIFY(form->CommandMemo.IsEmpty());

    view->findChild<QPushButton*>(QStringLiteral("TrafficClear"))->click();
    command->setText(QStringLiteral("h"));
    send->click();
    QVERIFY(refusal->isHidden());
    auto* lines = view->findChild<QTableView*>(QStringLiteral("TrafficLines"));
    bool replyHasWords = false;
    QTRY_VERIFY_WITH_TIMEOUT(ShownRows(*lines, &replyHasWords).filter(QStringLiteral("\u2190 H")).size() == 1,
        kConnectMs);
    QVERIFY(ShownRows(*lines, &replyHasWords).contains(QStringLiteral("\u2192 h")));
    QVERIFY(replyHasWords);
    // The poll cycle goes on all the while, hidden.
    QVERIFY(!ShownRows(*lines, &replyHasWords).contains(QStringLiteral("\u2192 t")));

    // Saved as --log writes it, the shown rows only.
    dialogs->saveFile = QDir(dir.path()).filePath(QStringLiteral("traffic.log"));
    view->findChild<QPushButton*>(QStringLiteral("TrafficSave"))->click();
    QFile saved(dialogs->saveFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray log = saved.readAll();
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} > h\n"),
        QRegularExpression::MultilineOption)
                .match(QString::fromLatin1(log))
                .hasMatch());
    QVERIFY(log.contains(" < H"));
    QVERIFY(!log.contains(" > t\n"));
    QVERIFY(dialogs->errors.isEmpty());

    // Kept with the panel's settings: a panel started next opens it.
    form.reset();
    UsbClock again(quiet);
    std::unique_ptr<TForm1> next = PanelOn(again);
    QVERIFY(!next->findChild<QDockWidget*>(QStringLiteral("TrafficView"))->isHidden());
    QVERIFY(next->findChild<QAction*>(QStringLiteral("TrafficAction"))->isChecked());
}

QTEST_MAIN(TrafficViewTest)
#include "tst_traffic.moc"
