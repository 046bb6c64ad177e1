#include "app/pages/MeasurementPage.h"

#include "app/pages/PageBuilder.h"
#include "protocol/commands/PeripheralCommands.h"
#include "protocol/replies/PeripheralReplies.h"
#include "widgets/Spin.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// Rows of the page; the offsets column starts in the light row with its heading.
constexpr int kRowTop[] = {24, 56, 88, 120};

} // namespace

MeasurementPage::MeasurementPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : QObject(panel)
    , queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("Light:"), 24, kRowTop[0] + 3);
    LightEdit = ReadOnlyEdit(panel, "LightEdit", 120, kRowTop[0], 49);
    Label(panel, QStringLiteral("Offsets:"), 296, kRowTop[0] + 3);

    Label(panel, QStringLiteral("Temperature:"), 24, kRowTop[1] + 3);
    TemperatureEdit = ReadOnlyEdit(panel, "TemperatureEdit", 120, kRowTop[1], 49);
    Label(panel, QStringLiteral("°C"), 176, kRowTop[1] + 3);
    TempOffsetSpinEdit = SpinEdit(panel, "TempOffsetSpinEdit", 296, kRowTop[1], 49, -10, 10, 0, 3);
    SendTempOffsetButton
        = Button(panel, "SendTempOffsetButton", QStringLiteral("Send"), 352, kRowTop[1], 65, 21);

    Label(panel, QStringLiteral("Humidity:"), 24, kRowTop[2] + 3);
    HumidityEdit = ReadOnlyEdit(panel, "HumidityEdit", 120, kRowTop[2], 49);
    Label(panel, QStringLiteral("%"), 176, kRowTop[2] + 3);
    HumidityOffsetSpinEdit = SpinEdit(panel, "HumidityOffsetSpinEdit", 296, kRowTop[2], 49, -10, 10, 0, 3);
    SendHumidityOffsetButton
        = Button(panel, "SendHumidityOffsetButton", QStringLiteral("Send"), 352, kRowTop[2], 65, 21);

    Label(panel, QStringLiteral("Air pressure:"), 24, kRowTop[3] + 3);
    AirPressureEdit = ReadOnlyEdit(panel, "AirPressureEdit", 120, kRowTop[3], 49);
    Label(panel, QStringLiteral("hPa"), 176, kRowTop[3] + 3);
    PressureOffsetSpinEdit = SpinEdit(panel, "PressureOffsetSpinEdit", 296, kRowTop[3], 49, -10, 10, 0, 3);
    SendPressureOffsetButton
        = Button(panel, "SendPressureOffsetButton", QStringLiteral("Send"), 352, kRowTop[3], 65, 21);

    const std::pair<QPushButton*, int> sends[] = {{SendTempOffsetButton, kTemperatureOffsetSelect},
        {SendHumidityOffsetButton, kHumidityOffsetSelect}, {SendPressureOffsetButton, kPressureOffsetSelect}};
    for (const auto& [button, tag] : sends) {
        button->setProperty("Tag", tag);
        connect(button, &QPushButton::clicked, this,
            [this, button = button] { SendTempOffsetButtonClick(button); });
    }
}

void MeasurementPage::MeasurementReply(const MeasurementRecord& record)
{
    if (!record.light)
        return;
    LightEdit->setText(QString::asprintf("%3d", *record.light));
    if (!record.temperature)
        return;
    TemperatureEdit->setText(QString::asprintf("%3d", *record.temperature));
    if (!record.humidity)
        return;
    HumidityEdit->setText(QString::asprintf("%3d", *record.humidity));
    if (!record.airPressure)
        return;
    AirPressureEdit->setText(QString::asprintf("%4d", *record.airPressure));
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
    queueCommand_(SensorOffsetCommand(sender->property("Tag").toInt(), TempOffsetSpinEdit->Value(),
        HumidityOffsetSpinEdit->Value(), PressureOffsetSpinEdit->Value()));
}
