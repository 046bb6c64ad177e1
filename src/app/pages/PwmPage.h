// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <functional>

struct ClockParameters;
class QPushButton;
class TLED;
class TSpinEdit;
struct WhirlbeamStatusRecord;
struct PwmRecord;

// "PWM parameters": the coil's pulse widths and speeds as the clock reports
// them (disabled) beside the new values to send, and which coil drive runs.
// The reported pulse widths become the new values only while the window
// reads the clock for the first time; the speeds to send stay the user's.
class PwmPage : public ClockPage {
    Q_OBJECT
public:
    PwmPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;
    // The page's share of the parameter file: what its controls show now.
    void ReadParameters(ClockParameters& parameters) const;
    // The coil lamps follow the whirlbeam's state.
    void WhirlbeamStatusReply(const WhirlbeamStatusRecord& record);

    void PwmReply(const PwmRecord& record, bool initialLoad);

    // "Send" (Tag 0) sends the new values, "Dafault" (Tag 1) the clock's
    // factory settings.
    void SendPwmButtonClick(QObject* sender);
    void StartButtonClick();
    void StopButtonClick();

    TSpinEdit* RunPulseSpinEdit;
    TSpinEdit* NewRPulseSpinEdit;
    TSpinEdit* HighSpeedSpinEdit;
    TSpinEdit* NewHighSpeedSpinEdit;
    TSpinEdit* SleepPulseSpinEdit;
    TSpinEdit* NewSPulseSpinEdit;
    TSpinEdit* LowSpeedSpinEdit;
    TSpinEdit* NewLowSpeedSpinEdit;
    TSpinEdit* CurrentPulseSpinEdit;
    TSpinEdit* CurrentPeriodSpinEdit;
    QPushButton* SendPwmButton;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    TLED* CoilHpLED;
    TLED* CoilLpLED;
    TLED* CoilNoLED;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
