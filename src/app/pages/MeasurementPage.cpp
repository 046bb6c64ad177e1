// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/MeasurementPage.h"

#include "app/pages/PageBuilder.h"
#include "app/pages/SensorChart.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "files/ParameterFile.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/PeripheralCommands.h"
#include "protocol/replies/PeripheralReplies.h"
#include "widgets/Spin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Rows of the page; the offsets column starts in the light row with its heading.
constexpr int kLightTop = 24;
constexpr int kRowHeight = 32;
// The chart below the rows, across the page; its Export button beside the heading.
constexpr QRect kChartRect(16, 184, 705, 329);
constexpr int kChartHeadingTop = 160;

// A reading with its caption and unit, and the offset the clock adds to it
// with the Send button whose Tag selects the row.
struct SensorRow {
    const char* caption;
    const char* reading;
    const char* unit;
    ClockValue offset;
    const char* send;
    const char* sendName; // the Send buttons share their caption
    int select;
};

} // namespace

MeasurementPage::MeasurementPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel)
    , queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    LightEdit
        = NamedBy(Label(panel, tr("Light:"), 24, kLightTop + 3), ReadOnlyEdit(panel, "LightEdit", 120, kLightTop, 49));
    Label(panel, tr("Offsets:"), 296, kLightTop + 3);

    const SensorRow rows[] = {
        {QT_TR_NOOP("Temperature:"), "TemperatureEdit", "°C", ClockValue::TemperatureOffset, "SendTempOffsetButton",
            QT_TR_NOOP("Send temperature offset"), kTemperatureOffsetSelect},
        {QT_TR_NOOP("Humidity:"), "HumidityEdit", "%", ClockValue::HumidityOffset, "SendHumidityOffsetButton",
            QT_TR_NOOP("Send humidity offset"), kHumidityOffsetSelect},
        {QT_TR_NOOP("Air pressure:"), "AirPressureEdit", "hPa", ClockValue::PressureOffset, "SendPressureOffsetButton",
            QT_TR_NOOP("Send air pressure offset"), kPressureOffsetSelect},
    };
    QLineEdit** readings[] = {&TemperatureEdit, &HumidityEdit, &AirPressureEdit};
    TSpinEdit** offsets[] = {&TempOffsetSpinEdit, &HumidityOffsetSpinEdit, &PressureOffsetSpinEdit};
    QPushButton** sends[] = {&SendTempOffsetButton, &SendHumidityOffsetButton, &SendPressureOffsetButton};
    for (int i = 0; i < 3; ++i) {
        const SensorRow& row = rows[i];
        const int top = kLightTop + (i + 1) * kRowHeight;
        QLabel* caption = Label(panel, tr(row.caption), 24, top + 3);
        *readings[i] = NamedBy(caption, ReadOnlyEdit(panel, row.reading, 120, top, 49));
        Label(panel, QString::fromUtf8(row.unit), 176, top + 3);
        *offsets[i] = SpinEdit(panel, row.offset, 296, top, 49);
        (*offsets[i])->setAccessibleName(tr("%1 offset").arg(caption->text().chopped(1)));
        QPushButton* send = *sends[i] = Button(panel, row.send, tr("Send"), 352, top - 2, 65);
        send->setProperty("Tag", row.select);
        send->setAccessibleName(tr(row.sendName));
        connect(send, &QPushButton::clicked, this, [this, send] { SendTempOffsetButtonClick(send); });
    }
    BuildChart(panel);
}

void MeasurementPage::BuildChart(QWidget* panel)
{
    using namespace PageBuilder;
    QLabel* heading = Label(panel, tr("Sensors over time:"), 24, kChartHeadingTop + 3);
    Chart = new SensorChart(history_, panel);
    Chart->setGeometry(kChartRect);
    heading->setBuddy(Chart);
    SensorExport = Button(panel, "SensorExport", tr("Export..."), kChartRect.right() - 96, kChartHeadingTop - 2);
    SensorExport->setAccessibleName(tr("Export the sensor history"));
}

void MeasurementPage::MeasurementReply(const MeasurementRecord& record)
{
    history_.Add(SensorSample::Of(now_(), record));
    Chart->HistoryChanged();
    if (!record.light)
        return;
    ShowText(LightEdit, QString::asprintf("%3d", *record.light));
    if (!record.temperature)
        return;
    ShowText(TemperatureEdit, QString::asprintf("%3d", *record.temperature));
    if (!record.humidity)
        return;
    ShowText(HumidityEdit, QString::asprintf("%3d", *record.humidity));
    if (!record.airPressure)
        return;
    ShowText(AirPressureEdit, QString::asprintf("%4d", *record.airPressure));
}

// The spin edits hold each offset to -10..10.
void MeasurementPage::SensorOffsetReply(const SensorOffsetRecord& record)
{
    if (!record.temperature)
        return;
    TempOffsetSpinEdit->SetValue(*record.temperature);
    if (!record.humidity)
        return;
    HumidityOffsetSpinEdit->SetValue(*record.humidity);
    if (!record.pressure)
        return;
    PressureOffsetSpinEdit->SetValue(*record.pressure);
}

void MeasurementPage::SendTempOffsetButtonClick(QObject* sender)
{
    using PageBuilder::ValueInRange;
    queueCommand_(SensorOffsetCommand(sender->property("Tag").toInt(), ValueInRange(TempOffsetSpinEdit),
        ValueInRange(HumidityOffsetSpinEdit), ValueInRange(PressureOffsetSpinEdit)));
}

void MeasurementPage::ReadParameters(ClockParameters& parameters) const
{
    parameters.temperatureOffset = TempOffsetSpinEdit->Value();
    parameters.humidityOffset = HumidityOffsetSpinEdit->Value();
    parameters.pressureOffset = PressureOffsetSpinEdit->Value();
}

void MeasurementPage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::MeasurementChanged, this, &MeasurementPage::MeasurementReply);
    connect(&model, &ClockModel::SensorOffsetsChanged, this, &MeasurementPage::SensorOffsetReply);
}
