// SPDX-License-Identifier: GPL-3.0-or-later
// The Mode, PWM and Whirlbeam pages: what each button queues, and what each
// reply shows, during the first load and after it.

#include "support/PanelFixture.h"

#include "widgets/Spin.h"

#include <QCheckBox>
#include <QtTest>

namespace {

const QStringList kAllFlagBoxes = {"ASTCheckBox", "WURCheckBox", "NCDCheckBox", "HourSoundCheckBox",
                                   "SoundModeCheckBox", "DCF77SyncCheckBox", "ReInitCheckBox",
                                   "MotorPWMCheckBox", "MotorManualCheckBox", "MotorPWMLightCheckBox",
                                   "MotorPWMLowCheckBox"};

// A line that closes the link and opens it again instead of arriving.
const QByteArray kReopen = "<reopen>";

} // namespace

class ModePagesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void buttonsQueue_data();
    void buttonsQueue();
    void repliesShow_data();
    void repliesShow();
};

void ModePagesTest::buttonsQueue_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QVariantMap>("typed"); // spin edit -> text, not yet bounded by leaving it
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("queued");

    const QStringList none;
    const QVariantMap nothing;
    const QStringList g4901 = {"ASTCheckBox", "HourSoundCheckBox", "DCF77SyncCheckBox", "MotorPWMCheckBox"};
    QTest::newRow("mode g4901") << g4901 << nothing << "SendModeButton" << QByteArray("g4901");
    QTest::newRow("mode none") << none << nothing << "SendModeButton" << QByteArray("g0000");
    QTest::newRow("mode all") << kAllFlagBoxes << nothing << "SendModeButton" << QByteArray("gDF0F");
    QTest::newRow("standby 300") << none << QVariantMap{{"ASTSpinEdit", "300"}} << "SendASTButton"
                                 << QByteArray("i012C");
    QTest::newRow("standby past range") << none << QVariantMap{{"ASTSpinEdit", "99999"}} << "SendASTButton"
                                        << QByteArray("iFFFF");
    const QVariantMap sound = {{"FromSpinEdit", "7"}, {"ToSpinEdit", "22"}, {"LightLimitSpinEdit", "100"}};
    QTest::newRow("sound 7..22, light 100") << none << sound << "SendSoundParButton" << QByteArray("q072264");
    QTest::newRow("sound zeros") << none << nothing << "SendSoundParButton" << QByteArray("q000000");
    QTest::newRow("pwm start values") << none << nothing << "SendPwmButton" << QByteArray("m28280C20");
    const QVariantMap pwm = {{"NewRPulseSpinEdit", "100"}, {"NewHighSpeedSpinEdit", "1"}};
    QTest::newRow("pwm default") << none << pwm << "Button1" << QByteArray("m28700c50");
    QTest::newRow("whirlbeam page start") << none << nothing << "StartButton" << QByteArray("w81");
    QTest::newRow("whirlbeam page stop") << none << nothing << "StopButton" << QByteArray("w80");
    QTest::newRow("pwm page start") << none << nothing << "Button2" << QByteArray("w81");
    QTest::newRow("pwm page stop") << none << nothing << "Button3" << QByteArray("w80");
}

void ModePagesTest::buttonsQueue()
{
    QFETCH(QStringList, ticked);
    QFETCH(QVariantMap, typed);
    QFETCH(QString, button);
    QFETCH(QByteArray, queued);
    Panel p;
    p.ChooseSerial();
    p.Open(); // the pages take clicks only while a link is open
    for (const QString& box : ticked)
        p.Get<QCheckBox>(qPrintable(box))->setChecked(true);
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        p.Get<TSpinEdit>(qPrintable(it.key()))->setText(it.value().toString());
    p.Get<QPushButton>(qPrintable(button))->click();
    QCOMPARE(p.Queue(), Lines{queued});
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        QCOMPARE(p.Get<TSpinEdit>(qPrintable(it.key()))->text(), it.value().toString());
}

void ModePagesTest::repliesShow_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QVariantMap>("shown"); // control -> checked, lit or value

    const QStringList none;
    QTest::newRow("mode 40, first load")
        << none << Lines{"H4000"}
        << QVariantMap{{"DCF77SyncCheckBox2", true}, {"DCF77SyncCheckBox", true}, {"DCFEnabledLEDLabel", false}};
    QTest::newRow("mode 00 lights Disabled")
        << none << Lines{"H4000", "G0000"}
        << QVariantMap{{"DCF77SyncCheckBox2", false}, {"DCFEnabledLEDLabel", true}};
    QTest::newRow("mode 20 checks nothing")
        << none << Lines{"G2000"}
        << QVariantMap{{"ASTCheckBox2", false}, {"WURCheckBox2", false}, {"NCDCheckBox2", false},
                       {"HourSoundCheckBox2", false}, {"SoundModeCheckBox2", false},
                       {"DCF77SyncCheckBox2", false}, {"ReInitCheckBox2", false}};
    QTest::newRow("motor flags not hex")
        << none << Lines{"H000F", "H41zz"}
        << QVariantMap{{"ASTCheckBox2", true}, {"DCF77SyncCheckBox2", true}, {"DCFEnabledLEDLabel", false},
                       {"MotorPWMCheckBox2", true}, {"MotorPWMLowCheckBox", true}, {"ASTCheckBox", false}};
    QTest::newRow("mode after first load")
        << QStringList{"WURCheckBox", "MotorPWMLowCheckBox"} << Lines{"Z", "GFFFF"}
        << QVariantMap{{"ASTCheckBox", false}, {"ASTCheckBox2", true}, {"WURCheckBox", true},
                       {"ReInitCheckBox2", true}, {"MotorPWMCheckBox", false}, {"MotorPWMCheckBox2", true},
                       {"MotorPWMLowCheckBox", true}};
    QTest::newRow("mode after first load and reopen")
        << none << Lines{"Z", kReopen, "GFFFF"} << QVariantMap{{"ASTCheckBox", false}, {"ASTCheckBox2", true}};
    QTest::newRow("pwm, first load")
        << none << Lines{"NFF1A502B3C4D"}
        << QVariantMap{{"RunPulseSpinEdit", 115}, {"NewRPulseSpinEdit", 115}, {"HighSpeedSpinEdit", 26},
                       {"NewHighSpeedSpinEdit", 40}, {"SleepPulseSpinEdit", 80}, {"NewSPulseSpinEdit", 80},
                       {"LowSpeedSpinEdit", 43}, {"NewLowSpeedSpinEdit", 32}, {"CurrentPulseSpinEdit", 60},
                       {"CurrentPeriodSpinEdit", 77}};
    QTest::newRow("pwm after first load")
        << none << Lines{"Z", "MFF1A502B3C4D"}
        << QVariantMap{{"RunPulseSpinEdit", 115}, {"NewRPulseSpinEdit", 40}, {"SleepPulseSpinEdit", 80},
                       {"NewSPulseSpinEdit", 12}};
    QTest::newRow("pwm ends after position 7")
        << none << Lines{"M641A50"}
        << QVariantMap{{"RunPulseSpinEdit", 100}, {"NewRPulseSpinEdit", 100}, {"HighSpeedSpinEdit", 26},
                       {"SleepPulseSpinEdit", 80}, {"NewSPulseSpinEdit", 80}, {"LowSpeedSpinEdit", 32},
                       {"CurrentPulseSpinEdit", 32}, {"CurrentPeriodSpinEdit", 32}};
    QTest::newRow("sound 25/07")
        << none << Lines{"R250764"}
        << QVariantMap{{"FromSpinEdit", 23}, {"ToSpinEdit", 7}, {"LightLimitSpinEdit", 100}};
    QTest::newRow("standby after first load")
        << none << Lines{"JFFFF", "Z", "I012C", "Ix"} << QVariantMap{{"ASTSpinEdit", 300}};
}

void ModePagesTest::repliesShow()
{
    QFETCH(QStringList, ticked);
    QFETCH(Lines, lines);
    QFETCH(QVariantMap, shown);
    Panel p;
    p.ChooseSerial();
    for (const QString& box : ticked)
        p.Get<QCheckBox>(qPrintable(box))->setChecked(true);
    for (const QByteArray& line : lines) {
        if (line == kReopen) {
            p.Open();
            p.Open();
        } else {
            p.form.ReceiveMemo.Append(line);
        }
    }
    for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
        auto* control = p.Get<QObject>(qPrintable(it.key()));
        QVariant value;
        if (auto* spin = qobject_cast<TSpinEdit*>(control))
            value = spin->Value();
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            value = box->isChecked();
        else
            value = qobject_cast<TLEDLabel*>(control)->Lit();
        QVERIFY2(value == it.value(), qPrintable(it.key() + " shows " + value.toString()));
    }
}

QTEST_MAIN(ModePagesTest)
#include "tst_modepages.moc"
