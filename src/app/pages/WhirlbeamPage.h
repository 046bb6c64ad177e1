// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TLED;
struct WhirlbeamStatusRecord;

// "Whirlbeam": run, sleep and deep-sleep state of the whirlbeam, as the
// clock's status replies tell it. Start and Stop switch the whirlbeam.
class WhirlbeamPage : public ClockPage {
    Q_OBJECT
public:
    WhirlbeamPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;
    // The status boxes and the lamps, as far as the reply could be read.
    void WhirlbeamStatusReply(const WhirlbeamStatusRecord& record);
    // The time invalid lamp blinks while the clock's time is invalid.
    void Blink();

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
