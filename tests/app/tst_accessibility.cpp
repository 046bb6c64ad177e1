// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the window and the Setup dialog, walked as
// Qt's accessibility tree gives it to the reader: every object it announces
// has a name, and each kind of control says what it is and what it shows.

#include "app/ComSetup.h"
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"
#include "widgets/LED.h"
#include "widgets/MavoTrend.h"
#include "widgets/Spin.h"

#include <QAccessible>
#include <QTabBar>
#include <QtTest>

namespace {

// The roles a reader announces as something to read or to operate.
bool Announced(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Chart:
    case QAccessible::Table:
    case QAccessible::Indicator:
        return true;
    default:
        return false;
    }
}

QString Described(QAccessibleInterface* spoken)
{
    const QObject* object = spoken->object();
    if (!object)
        return QStringLiteral("(%1 in %2)").arg(int(spoken->role())).arg(Described(spoken->parent()));
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

// A widget hidden on purpose (a page not shown, a closed popup, a lamp
// nothing drives) is no part of what a reader finds.
bool Hidden(QAccessibleInterface* spoken, const QWidget* top)
{
    const auto* widget = qobject_cast<const QWidget*>(spoken->object());
    return widget && !widget->isVisibleTo(top);
}

// Every announced object below top without a name, every pair of sibling
// buttons that share one, and every lamp that does not say whether it is lit.
QStringList Faults(QWidget* top)
{
    QStringList faults;
    QList<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(top)};
    while (!pending.isEmpty()) {
        QAccessibleInterface* spoken = pending.takeLast();
        QStringList buttons;
        for (int i = 0; i < spoken->childCount(); ++i) {
            QAccessibleInterface* child = spoken->child(i);
            if (!child || !child->isValid() || Hidden(child, top))
                continue;
            pending << child;
            const QString name = child->text(QAccessible::Name).trimmed();
            if (Announced(child->role()) && name.isEmpty())
                faults << QStringLiteral("unnamed ") + Described(child);
            if (const auto* lamp = qobject_cast<const TLED*>(child->object());
                lamp && (child->role() != QAccessible::CheckBox || child->state().checked != lamp->Lit()))
                faults << QStringLiteral("lamp not told as lit or unlit: ") + Described(child);
            if (child->role() == QAccessible::PushButton && !name.isEmpty()) {
                if (buttons.contains(name))
                    faults << QStringLiteral("two buttons \"%1\" in %2").arg(name, Described(spoken));
                buttons << name;
            }
        }
    }
    return faults;
}

// The window with the alarm rows of both banks, and the Setup dialog.
struct Everything {
    Panel p;
    TComSetupFrm setup;

    Everything() { p.form.AlarmCount = 40; }

    QObject* Find(const QString& name) const
    {
        if (auto* found = p.form.findChild<QObject*>(name))
            return found;
        return setup.findChild<QObject*>(name);
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageNamesWhatItShows();
    void setupDialogNamesWhatItShows();
    void controlsSayWhatTheyAreAndShow_data();
    void controlsSayWhatTheyAreAndShow();
};

void AccessibilityTest::everyPageNamesWhatItShows()
{
    Everything all;
    for (const char* line : {"W8E000000", "X0100"}) // some lamps lit
        all.p.form.ReceiveMemo.Append(line);
    auto* tabs = all.p.Get<QTabBar>("TabControl1Tabs");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QStringList faults = Faults(&all.p.form);
        QVERIFY2(faults.isEmpty(), qPrintable(tabs->tabText(page) + QStringLiteral(": ")
                                       + faults.mid(0, 30).join(QStringLiteral(", "))));
    }
}

void AccessibilityTest::setupDialogNamesWhatItShows()
{
    TComSetupFrm dialog;
    const QStringList faults = Faults(&dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
}

// A control is given by its name; "#up", "#down" or "#n" picks a spin
// edit's arrow or a chart's sample. Lamps are lit ("lit") and the chart is
// filled with the clock's statistics ("filled") before they are read.
void AccessibilityTest::controlsSayWhatTheyAreAndShow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("checked");

    const int lamp = QAccessible::CheckBox;
    QTest::newRow("link lamp, its colour said") << "LED1" << "" << lamp << "Link lamp" << "off, red" << false;
    QTest::newRow("lit lamp") << "RunLED" << "lit" << lamp << "Whirlbeam running lamp" << "on" << true;
    QTest::newRow("lamp with a caption") << "RelaisLEDLabel" << "" << lamp << "Relais is on" << "off" << false;
    QTest::newRow("lit lamp with a caption")
        << "DCFReadyLEDLabel" << "lit" << lamp << "Data ready" << "on" << true;

    const int spin = QAccessible::SpinBox;
    QTest::newRow("count") << "Alm39SpinEdit" << "" << spin << "Alarm 39 count" << "0" << false;
    QTest::newRow("offset named by its row")
        << "TempOffsetSpinEdit" << "" << spin << "Temperature offset" << "0" << false;
    QTest::newRow("spin edit named by its label")
        << "LightLimitSpinEdit" << "" << spin << "Light limit:" << "0" << false;
    const int button = QAccessible::PushButton;
    QTest::newRow("up arrow")
        << "Alm39SpinEdit#up" << "" << button << "Increase Alarm 39 count" << "" << false;
    QTest::newRow("down arrow, labelled edit")
        << "RelaisSpinEdit#down" << "" << button << "Decrease On time" << "" << false;

    QTest::newRow("Send ") << "SendASTButton" << "" << button << "Send auto standby time" << "" << false;
    QTest::newRow("Send, PWM") << "SendPwmButton" << "" << button << "Send pulse widths and speeds" << ""
                               << false;
    QTest::newRow("Send, relay") << "RelaisOnIrButton" << "" << button << "Send on time for IR commands" << ""
                                 << false;
    QTest::newRow("Send, RC5") << "Rc5Button" << "" << button << "Send RC5 packet" << "" << false;
    QTest::newRow("Send, offset") << "SendPressureOffsetButton" << "" << button << "Send air pressure offset"
                                  << "" << false;
    QTest::newRow("Send, alarm row") << "Alm21SendButton" << "" << button << "Alarm 21, send" << "" << false;

    const int combo = QAccessible::ComboBox;
    QTest::newRow("setup list named by its label")
        << "Combo2" << "" << combo << "Baud rate" << "Custom" << false;
    QTest::newRow("setup list, flow control")
        << "Combo6" << "" << combo << "Flow control" << "Hardware" << false;

    QTest::newRow("chart") << "MavoTrend1" << "" << int(QAccessible::List)
                           << "Successful synchronizations per hour" << "" << false;
    QTest::newRow("chart sample") << "MavoTrend1#5" << "filled" << int(QAccessible::ListItem)
                                  << "Hour 5: 12 synchronizations" << "12" << false;
    QTest::newRow("chart sample, one") << "MavoTrend1#1" << "filled" << int(QAccessible::ListItem)
                                       << "Hour 1: 1 synchronization" << "1" << false;

    QTest::newRow("day box") << "Alm12W6CheckBox" << "" << lamp << "Alarm 12, Saturday" << "" << false;
    QTest::newRow("alarm time") << "Alm12TimePicker" << "" << spin << "Alarm 12 time" << "00:00" << false;
    QTest::newRow("row zero") << "Alm00EnableCheckBox" << "" << lamp << "Alarm 00, enabled" << "" << false;
}

void AccessibilityTest::controlsSayWhatTheyAreAndShow()
{
    QFETCH(QString, control);
    QFETCH(QString, before);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, checked);
    Everything all;
    const QString objectName = control.section(QLatin1Char('#'), 0, 0);
    const QString part = control.section(QLatin1Char('#'), 1);
    QObject* object = all.Find(objectName);
    QVERIFY2(object, qPrintable(objectName));
    if (before == QLatin1String("lit"))
        qobject_cast<TLED*>(object)->SetLit(true);
    if (before == QLatin1String("filled"))
        for (const char* line : {"EA0E101", "EA0E50C", "FA0F73C"})
            all.p.form.ReceiveMemo.Append(line);
    if (auto* edit = qobject_cast<TSpinEdit*>(object); edit && !part.isEmpty())
        object = part == QLatin1String("up") ? edit->Button()->UpButton() : edit->Button()->DownButton();

    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(object);
    if (qobject_cast<TMavoTrend*>(object) && !part.isEmpty())
        spoken = spoken->child(part.toInt());
    QVERIFY(spoken);
    QCOMPARE(int(spoken->role()), role);
    QCOMPARE(spoken->text(QAccessible::Name), name);
    QCOMPARE(spoken->text(QAccessible::Value), value);
    QCOMPARE(bool(spoken->state().checked), checked);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
