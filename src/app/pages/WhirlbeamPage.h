#pragma once

#include <QObject>

class QCheckBox;
class QLineEdit;
class TLED;

// "Whirlbeam": run, sleep and deep-sleep state of the whirlbeam. The check
// boxes are the record of the clock's last status reply; the LEDs and the
// status texts are taken from them.
class WhirlbeamPage : public QObject {
    Q_OBJECT
public:
    explicit WhirlbeamPage(QWidget* panel);

    // Sets the seven status boxes from the status flags.
    void ShowStatusFlags(int flags);
    void ShowRemainingSeconds(int seconds);

    bool StandBy() const;
    bool Sleep() const;
    bool HighPowerCoil() const;
    bool IndexLedOn() const;
    bool DeepSleep() const;
    bool TimeInvalid() const;

    QCheckBox* StandByCheckBox;
    QCheckBox* SleepCheckBox;
    QCheckBox* CoilCheckBox;
    QCheckBox* IndexCheckBox;
    QCheckBox* DeapSleepCheckBox;
    QCheckBox* InvalidTimeCheckBox;
    QCheckBox* I2CBusCheckBox;
    QLineEdit* RemainingTimeEdit;
    TLED* ErrorLED;
    TLED* IndexLED;
};
