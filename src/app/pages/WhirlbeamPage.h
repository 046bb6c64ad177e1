// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TLED;

// "Whirlbeam": run, sleep and deep-sleep state of the whirlbeam. The check
// boxes are the record of the clock's last status reply; the LEDs and the
// status texts are taken from them. Start and Stop switch the whirlbeam.
class WhirlbeamPage : public ClockPage {
    Q_OBJECT
public:
    WhirlbeamPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    // Sets the seven status boxes from the status flags.
    void ShowStatusFlags(int flags);
    void ShowRemainingSeconds(int seconds);

    bool StandBy() const;
    bool Sleep() const;
    bool HighPowerCoil() const;
    bool IndexLedOn() const;
    bool DeepSleep() const;
    bool TimeInvalid() const;

    void StartButtonClick();
    void StopButtonClick();

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
    QPushButton* StartButton;
    QPushButton* StopButton;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
