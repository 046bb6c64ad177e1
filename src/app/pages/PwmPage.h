#pragma once

#include <QObject>

class TLED;
class TSpinEdit;

// "PWM parameters": the coil's pulse widths and speeds as the clock reports
// them (disabled) beside the new values to send, and which coil drive runs.
class PwmPage : public QObject {
    Q_OBJECT
public:
    explicit PwmPage(QWidget* panel);

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
    TLED* CoilHpLED;
    TLED* CoilLpLED;
    TLED* CoilNoLED;
};
