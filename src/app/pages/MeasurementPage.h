// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"
#include "clock/SensorHistory.h"

#include <QObject>
#include <functional>

struct ClockParameters;
class QLineEdit;
class QPushButton;
class SensorChart;
class TSpinEdit;
struct MeasurementRecord;
struct SensorOffsetRecord;

// "Measurements": the sensor readings as the clock reports them, the
// correction offsets it applies to three of them, and every reading of the
// session over time in a chart below.
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

    const SensorHistory& History() const { return history_; }
    // The clock the samples are stamped with; the computer's UTC time
    // unless a test or a benchmark sets its own.
    void SetNow(std::function<QDateTime()> now) { now_ = std::move(now); }

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
    SensorChart* Chart;
    QPushButton* SensorExport;

private:
    void BuildChart(QWidget* panel);

    std::function<void(const QByteArray&)> queueCommand_;
    std::function<QDateTime()> now_ = [] { return QDateTime::currentDateTimeUtc(); };
    SensorHistory history_;
};
