// SPDX-License-Identifier: GPL-3.0-or-later
// The serial settings dialog "Setup", its combo boxes, and the two Settings
// menu items.

#include "app/ComSetup.h"
#include "app/PelkMain.h"
#include "link/ComPortTexts.h"
#include "support/FakeDialogs.h"
#include "support/FakeHid.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Picks = QList<QPair<QString, QString>>; // combo, item text

// The port list the dialog sees, for as long as the guard lives.
auto FakePortList(const QStringList& ports)
{
    TComSelect::SetPortLister([ports] { return ports; });
    return qScopeGuard([] { TComSelect::SetPortLister({}); });
}

// What the user's pick does: the list's current item changes and the box
// hears of it as a pick.
void Pick(TComComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QString Summary(const TComPort& port)
{
    return QStringList{port.Port(), ComText(port.BaudRate()), ComText(port.DataBits()), ComText(port.StopBits()),
                       ComText(port.Parity().Bits()), ComText(port.FlowControl().FlowControl())}
        .join(QLatin1Char(' '));
}

// A pseudo terminal whose master shows the termios the port gives it.
struct Pty {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    Pty()
    {
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            qFatal("no pseudo terminal");
    }
    ~Pty() { ::close(master); }
    QString Slave() const { return QString::fromLocal8Bit(::ptsname(master)); }
    speed_t Speed() const
    {
        termios settings{};
        ::tcgetattr(master, &settings);
        return cfgetospeed(&settings);
    }
};

// A window with the real serial port, in a folder of its own.
struct Window {
    QTemporaryDir dir;
    QString oldDir = QDir::currentPath();
    FakeDialogs* dialogs = new FakeDialogs;
    std::unique_ptr<TForm1> form;

    Window()
    {
        QDir::setCurrent(dir.path());
        form = std::make_unique<TForm1>(TForm1::Devices{nullptr, std::make_unique<FakeHidController>(),
                                                        std::unique_ptr<DialogSeam>(dialogs)});
    }
    ~Window() { QDir::setCurrent(oldDir); }
    void Trigger(const char* item) const { form->findChild<QAction*>(QLatin1String(item))->trigger(); }
};

} // namespace

class ComSetupTest : public QObject {
    Q_OBJECT

private slots:
    void dialogIsLaidOut();
    void listsFollowTheProperty_data();
    void listsFollowTheProperty();
    void boxShowsThePortsValue_data();
    void boxShowsThePortsValue();
    void settingsWorkByName();
    void pickAppliesWithAutoApply();
    void destroyedPortIsLetGo();
    void setupDialog_data();
    void setupDialog();
    void okReachesAnOpenPort();
    void unreadablePortListShowsRegistryError();
    void failedSaveIsShown();
    void screenshot();
};

void ComSetupTest::dialogIsLaidOut()
{
    const auto list = FakePortList({QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")});
    const TComSetupFrm dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Setup"));
    QCOMPARE(dialog.size(), QSize(231, 216));
    QCOMPARE(dialog.GroupBox1->title(), QStringLiteral(" Settings "));
    QCOMPARE(dialog.GroupBox1->geometry(), QRect(8, 8, 217, 169));
    const char* const labels[] = {"Port", "Baud rate", "Data bits", "Stop bits", "Parity", "Flow control"};
    const TComProperty properties[] = {cpPort, cpBaudRate, cpDataBits, cpStopBits, cpParity, cpFlowControl};
    QWidget* focus = dialog.Combos()[0];
    for (int row = 0; row < 6; ++row) {
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(row + 1));
        QCOMPARE(label->text(), QString::fromLatin1(labels[row]));
        QCOMPARE(label->pos(), QPoint(8, 24 + 24 * row));
        QVERIFY(label->geometry().right() < 80);
        TComComboBox* combo = dialog.Combos()[size_t(row)];
        QCOMPARE(combo->objectName(), QStringLiteral("Combo%1").arg(row + 1));
        QCOMPARE(combo->geometry(), QRect(80, 16 + 24 * row, 129, 21));
        QCOMPARE(combo->ComProperty(), properties[row]);
        QVERIFY(!combo->isEditable());
        QCOMPARE(focus, combo);
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus));
    }
    QCOMPARE(focus, dialog.OkButton);
    QCOMPARE(dialog.OkButton->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.OkButton->geometry(), QRect(70, 184, 75, 25));
    QVERIFY(dialog.OkButton->isDefault());
    QCOMPARE(dialog.CancelButton->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog.CancelButton->geometry(), QRect(150, 184, 75, 25));
}

void ComSetupTest::listsFollowTheProperty_data()
{
    QTest::addColumn<TComProperty>("property");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("ports sorted ignoring case")
        << cpPort << QStringList{"COM1", "COM10", "com11", "COM2", "ttyS0", "ttyUSB0"};
    QTest::newRow("baud rates") << cpBaudRate << TComTexts<TBaudRate>::Texts();
    QTest::newRow("data bits") << cpDataBits << QStringList{"5", "6", "7", "8"};
    QTest::newRow("stop bits") << cpStopBits << QStringList{"1", "1.5", "2"};
    QTest::newRow("parity") << cpParity << QStringList{"None", "Odd", "Even", "Mark", "Space"};
    QTest::newRow("flow control") << cpFlowControl << QStringList{"Hardware", "Software", "None", "Custom"};
    QTest::newRow("none") << cpNone << QStringList{};
}

void ComSetupTest::listsFollowTheProperty()
{
    QFETCH(TComProperty, property);
    QFETCH(QStringList, items);
    const auto list = FakePortList({"ttyUSB0", "COM2", "com11", "COM10", "ttyS0", "COM1"});
    TComComboBox box;
    box.SetComProperty(property);
    QStringList shown;
    for (int i = 0; i < box.count(); ++i)
        shown << box.itemText(i);
    QCOMPARE(shown, items);
    // Without a port the first item stands.
    QCOMPARE(box.Text(), items.value(0));
}

void ComSetupTest::boxShowsThePortsValue_data()
{
    QTest::addColumn<TComProperty>("property");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("pending");
    QTest::newRow("port ignoring case") << cpPort << "com10" << "COM10" << "COM10";
    QTest::newRow("COM1 is ttyS0") << cpPort << "COM1" << "ttyS0" << "ttyS0";
    QTest::newRow("unlisted port shows nothing") << cpPort << "/dev/pts/99999" << "" << "";
    QTest::newRow("baud rate") << cpBaudRate << "" << "9600" << "9600";
    QTest::newRow("stop bits") << cpStopBits << "" << "1" << "1";
    QTest::newRow("flow summary") << cpFlowControl << "" << "None" << "None";
}

void ComSetupTest::boxShowsThePortsValue()
{
    QFETCH(TComProperty, property);
    QFETCH(QString, port);
    QFETCH(QString, shown);
    QFETCH(QString, pending);
    const auto list = FakePortList({"ttyS0", "COM10", "ttyUSB0"});
    TComPort comPort;
    if (!port.isEmpty())
        comPort.SetPort(port);
    TComComboBox box;
    box.SetComProperty(property);
    box.SetComPort(&comPort);
    QCOMPARE(box.Text(), shown);
    QCOMPARE(box.currentIndex() < 0, shown.isEmpty());
    QCOMPARE(box.Select().PendingText(), pending);
}

void ComSetupTest::settingsWorkByName()
{
    TComPort port;
    TComComboBox box;
    QVERIFY(box.setProperty("ComProperty", QVariant::fromValue(cpParity)));
    QVERIFY(box.setProperty("ComPort", QVariant::fromValue(&port)));
    QCOMPARE(box.property("Text").toString(), QStringLiteral("None"));
    QVERIFY(box.setProperty("Text", QStringLiteral("eVEN")));
    QCOMPARE(box.Text(), QStringLiteral("Even"));
    box.SetText(QStringLiteral("Sometimes"));
    QCOMPARE(box.Text(), QStringLiteral("Even"));
    QVERIFY(QMetaObject::invokeMethod(&box, "ApplyToPort"));
    QCOMPARE(port.Parity().Bits(), prEven);
    port.Parity().SetBits(prMark);
    QVERIFY(QMetaObject::invokeMethod(&box, "ReadFromPort"));
    QCOMPARE(box.Text(), QStringLiteral("Mark"));
    QCOMPARE(box.property("AutoApply").toBool(), false);
}

void ComSetupTest::pickAppliesWithAutoApply()
{
    TComPort port;
    TComComboBox box;
    box.SetComProperty(cpBaudRate);
    box.SetComPort(&port);
    QList<TBaudRate> atChange;
    connect(&box, &TComComboBox::OnChange, this, [&] { atChange << port.BaudRate(); });
    Pick(&box, QStringLiteral("19200"));
    QCOMPARE(port.BaudRate(), br9600);
    box.SetAutoApply(true);
    Pick(&box, QStringLiteral("38400"));
    QCOMPARE(atChange, (QList<TBaudRate>{br9600, br38400}));
}

void ComSetupTest::destroyedPortIsLetGo()
{
    auto port = std::make_unique<TComPort>();
    port->SetDataBits(dbSix);
    TComComboBox box;
    box.SetComProperty(cpDataBits);
    box.SetComPort(port.get());
    QCOMPARE(box.Text(), QStringLiteral("6"));
    port.reset();
    QCOMPARE(box.ComPort(), nullptr);
    QCOMPARE(box.Text(), QStringLiteral("5"));
    box.ApplyToPort();
    // A box that goes first leaves the port nothing to tell.
    TComPort other;
    { TComComboBox gone; gone.SetComPort(&other); }
}

void ComSetupTest::setupDialog_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<Picks>("picks");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("listedToo"); // beside COM1, COM10, COM2
    const Picks all = {{"Combo1", "COM10"}, {"Combo2", "19200"}, {"Combo3", "7"},
                       {"Combo4", "2"},     {"Combo5", "Even"},  {"Combo6", "Hardware"}};
    QTest::newRow("OK applies all six") << "COM2" << all << "OkButton" << "COM10 19200 7 2 Even Hardware" << "";
    QTest::newRow("Cancel changes nothing")
        << "COM2" << all << "CancelButton" << "COM2 9600 8 1 None None" << "";
    QTest::newRow("closing changes nothing") << "COM2" << all << "" << "COM2 9600 8 1 None None" << "";
    QTest::newRow("same device, other name") << "/dev/ttyS0" << Picks{} << "OkButton" << "COM1 9600 8 1 None None"
                                             << "";
    QTest::newRow("unlisted port kept by OK") << "/dev/pts/99999" << Picks{{"Combo2", "110"}} << "OkButton"
                                              << "/dev/pts/99999 110 8 1 None None" << "/dev/pts/99999";
    QTest::newRow("by-id name kept by OK")
        << "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0" << Picks{} << "OkButton"
        << "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0 9600 8 1 None None"
        << "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0";
    QTest::newRow("unlisted port replaced by a pick") << "/dev/pts/99999" << Picks{{"Combo1", "COM1"}} << "OkButton"
                                                      << "COM1 9600 8 1 None None" << "/dev/pts/99999";
    QTest::newRow("no name stays none") << "" << Picks{} << "OkButton" << " 9600 8 1 None None" << "";
}

void ComSetupTest::setupDialog()
{
    QFETCH(QString, port);
    QFETCH(Picks, picks);
    QFETCH(QString, button);
    QFETCH(QString, result);
    QFETCH(QString, listedToo);
    const auto list = FakePortList({"COM1", "COM2", "COM10"});
    TComPort comPort;
    comPort.SetPort(port);
    FakeDialogs dialogs;
    QStringList shownPorts;
    dialogs.onModal = [&](QDialog& dialog) {
        const auto* setup = qobject_cast<TComSetupFrm*>(&dialog);
        for (int i = 0; i < setup->Combo1->count(); ++i)
            shownPorts << setup->Combo1->itemText(i);
        QCOMPARE(setup->Combo1->Text(), port == "/dev/ttyS0" ? "COM1" : port);
        for (const auto& [name, text] : picks)
            Pick(dialog.findChild<TComComboBox*>(name), text);
        if (!button.isEmpty())
            dialog.findChild<QPushButton*>(button)->click();
    };
    RunSetupDialog(comPort, dialogs);
    QCOMPARE(dialogs.modals, QStringList{"Setup"});
    QCOMPARE(shownPorts, (QStringList{"COM1", "COM10", "COM2"} + (listedToo.isEmpty() ? QStringList() : QStringList{listedToo})));
    QCOMPARE(Summary(comPort), result);
    if (comPort.Port().isEmpty() || comPort.Port().startsWith('/')) {
        try {
            comPort.Open();
            QFAIL("a port that names nothing opened");
        } catch (const EComPort& error) {
            QCOMPARE(error.Code(), EComPort::kOpenFailed);
        }
    }
}

// The settings reach an open device at the end of the update; one the
// device refuses fails there, and the update is over all the same.
void ComSetupTest::okReachesAnOpenPort()
{
    Pty pty;
    const auto list = FakePortList({pty.Slave()});
    TComPort port;
    port.SetPort(pty.Slave());
    port.Open();
    FakeDialogs dialogs;
    dialogs.onModal = [](QDialog& dialog) {
        Pick(dialog.findChild<TComComboBox*>("Combo2"), "19200");
        dialog.accept();
    };
    RunSetupDialog(port, dialogs);
    QVERIFY(port.Connected());
    QCOMPARE(pty.Speed(), speed_t(B19200));

    dialogs.onModal = [](QDialog& dialog) {
        Pick(dialog.findChild<TComComboBox*>("Combo4"), "1.5");
        dialog.accept();
    };
    try {
        RunSetupDialog(port, dialogs);
        QFAIL("1.5 stop bits reached a pseudo terminal");
    } catch (const EComPort& error) {
        QCOMPARE(error.Code(), 7);
    }
    port.SetStopBits(sbOneStopBit);
    port.SetBaudRate(br38400);
    QCOMPARE(pty.Speed(), speed_t(B38400));
}

void ComSetupTest::unreadablePortListShowsRegistryError()
{
    TComSelect::SetPortLister([] { return TComPort::EnumComPorts(QStringLiteral("/nonexistent/tty")); });
    const auto restore = qScopeGuard([] { TComSelect::SetPortLister({}); });
    Window window;
    window.Trigger("Parameters1");
    QVERIFY(window.dialogs->modals.isEmpty());
    QCOMPARE(window.dialogs->errors.size(), 1);
    QVERIFY2(window.dialogs->errors[0].startsWith("Registry error (win error code: 2)\n"),
             qPrintable(window.dialogs->errors[0]));
}

void ComSetupTest::failedSaveIsShown()
{
    Window window;
    QVERIFY(QDir(window.dir.path()).mkdir(QStringLiteral("WhirlbeamClock.ini")));
    window.Trigger("SaveSettings2");
    QCOMPARE(window.dialogs->errors,
             QStringList{"Failed to store settings\n" + window.dir.filePath(QStringLiteral("WhirlbeamClock.ini"))});
}

// With WHIRLBEAM_SCREENSHOTS=DIR the dialog is also saved as
// DIR/setup-dialog.png, as the documentation shows it.
void ComSetupTest::screenshot()
{
    const auto list = FakePortList({"ttyS0", "ttyS1", "ttyUSB0"});
    TComPort port;
    port.SetPort(QStringLiteral("ttyUSB0"));
    TComSetupFrm dialog;
    for (TComComboBox* combo : dialog.Combos())
        combo->SetComPort(&port);
    const QImage image = dialog.grab().toImage();
    QCOMPARE(image.size() / image.devicePixelRatio(), QSize(231, 216));
    const QString dir = qEnvironmentVariable("WHIRLBEAM_SCREENSHOTS");
    if (!dir.isEmpty())
        QVERIFY(image.save(QDir(dir).filePath(QStringLiteral("setup-dialog.png"))));
}

QTEST_MAIN(ComSetupTest)
#include "tst_comsetup.moc"
