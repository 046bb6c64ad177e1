// SPDX-License-Identifier: GPL-3.0-or-later
// Every control a keyboard reaches has a name a screen reader can speak,
// as Qt's accessibility interface gives it to the reader.

#include "app/ComSetup.h"
#include "support/FakeDialogs.h"
#include "support/PanelFixture.h"

#include <QAccessible>
#include <QtTest>

namespace {

// The controls below top that take the focus by Tab, and that have no
// spoken name.
QStringList Unnamed(QWidget* top)
{
    QStringList unnamed;
    for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
        if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                       : widget->objectName());
    }
    return unnamed;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfTheWindowHasAName();
    void everyControlOfTheSetupDialogHasAName();
    void builtNamesSayTheRow_data();
    void builtNamesSayTheRow();
};

void AccessibilityTest::everyControlOfTheWindowHasAName()
{
    Panel p;
    const QStringList unnamed = Unnamed(&p.form);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QString::number(unnamed.size()) + QStringLiteral(" unnamed: ")
                                    + unnamed.mid(0, 40).join(QLatin1Char(' '))));
}

void AccessibilityTest::everyControlOfTheSetupDialogHasAName()
{
    TComSetupFrm dialog;
    const QStringList unnamed = Unnamed(&dialog);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

// Where no label stands beside a control, its name is built from its row.
void AccessibilityTest::builtNamesSayTheRow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("day box") << "Alm12W6CheckBox" << "Alarm 12, Saturday";
    QTest::newRow("time") << "Alm12TimePicker" << "Alarm 12 time";
    QTest::newRow("row zero") << "Alm00EnableCheckBox" << "Alarm 00, enabled";
    QTest::newRow("count") << "Alm39SpinEdit" << "Alarm 39 count";
}

void AccessibilityTest::builtNamesSayTheRow()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    Panel p;
    QWidget* widget = p.Get(control.toLatin1().constData());
    QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
