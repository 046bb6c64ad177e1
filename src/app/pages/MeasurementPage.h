// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <functional>

struct ClockParameters;
class QLineEdit;
class QPushButton;
class TSpinEdit;
struct MeasurementRecord;
struct SensorOffsetRecord;

// "Measurements": the sensor readings as the clock reports them, and the
// correction offsets it applies to three of them.
class MeasurementPage : public ClockPage {
    Q_OBJECT
public:
    MeasurementPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;
    // The page's share of the parameter file: what its controls show now.
    void ReadParameters(ClockParameters& parameters) const;

    void MeasurementReply(const MeasurementRecord& record);
    void SensorOffsetReply(const SensorOffsetRecord& record);
    // The three Send buttons; the pressed one's Tag says which row asks.
    void SendTempOffsetButtonClick(QObject* sender);

    QLineEdit* LightEdit;
    QLineEdit* TemperatureEdit;
    QLineEdit* HumidityEdit;
    QLineEdit* AirPressureEdit;
    TSpinEdit* TempOffsetSpinEdit;
    TSpinEdit* HumidityOffsetSpinEdit;
    TSpinEdit* PressureOffsetSpinEdit;
    QPushButton* SendTempOffsetButton;
    QPushButton* SendHumidityOffsetButton;
    QPushButton* SendPressureOffsetButton;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
