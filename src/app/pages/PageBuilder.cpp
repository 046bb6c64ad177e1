// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/PageBuilder.h"

#include "protocol/SpinRanges.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace PageBuilder {

QLabel* Label(QWidget* page, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, page);
    label->move(left, top);
    label->adjustSize();
    return label;
}

const char* SpinEditName(ClockValue value)
{
    switch (value) {
    case ClockValue::AlarmCount: return "Alm00SpinEdit";
    case ClockValue::AutoStandbySeconds: return "ASTSpinEdit";
    case ClockValue::SoundFromHour: return "FromSpinEdit";
    case ClockValue::SoundToHour: return "ToSpinEdit";
    case ClockValue::LightLimit: return "LightLimitSpinEdit";
    case ClockValue::RunPulse: return "RunPulseSpinEdit";
    case ClockValue::RunPulseToSend: return "NewRPulseSpinEdit";
    case ClockValue::HighSpeed: return "HighSpeedSpinEdit";
    case ClockValue::HighSpeedToSend: return "NewHighSpeedSpinEdit";
    case ClockValue::SleepPulse: return "SleepPulseSpinEdit";
    case ClockValue::SleepPulseToSend: return "NewSPulseSpinEdit";
    case ClockValue::LowSpeed: return "LowSpeedSpinEdit";
    case ClockValue::LowSpeedToSend: return "NewLowSpeedSpinEdit";
    case ClockValue::CurrentPulse: return "CurrentPulseSpinEdit";
    case ClockValue::CurrentPeriod: return "CurrentPeriodSpinEdit";
    case ClockValue::RelayOnMinutes: return "RelaisSpinEdit";
    case ClockValue::RelayIrMinutes: return "RelOnIrSpinEdit";
    case ClockValue::TemperatureOffset: return "TempOffsetSpinEdit";
    case ClockValue::HumidityOffset: return "HumidityOffsetSpinEdit";
    case ClockValue::PressureOffset: return "PressureOffsetSpinEdit";
    }
    return "";
}

TSpinEdit* SpinEdit(QWidget* page, ClockValue value, int left, int top, int width)
{
    const SpinRange& range = SpinRangeOf(value);
    auto* edit = new TSpinEdit(page);
    edit->setObjectName(QLatin1String(SpinEditName(value)));
    edit->SetMinValue(range.minValue);
    edit->SetMaxValue(range.maxValue);
    edit->SetValue(range.value);
    if (range.maxLength > 0)
        edit->setMaxLength(range.maxLength);
    edit->move(left, top);
    edit->resize(width, edit->minimumHeight());
    return edit;
}

QLineEdit* ReadOnlyEdit(QWidget* page, const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, 21);
    edit->setReadOnly(true);
    return edit;
}

TLED* Led(QWidget* page, const char* name, TLEDColor color, int left, int top)
{
    auto* led = new TLED(page);
    led->setObjectName(QLatin1String(name));
    led->SetColor(color);
    led->move(left, top);
    return led;
}

TLEDLabel* LedLabel(QWidget* page, const char* name, TLEDColor color, const QString& caption,
                    int left, int top, int width)
{
    auto* led = new TLEDLabel(page);
    led->setObjectName(QLatin1String(name));
    led->SetColor(color);
    led->SetCaption(caption);
    led->setGeometry(left, top, width, 17);
    return led;
}

QCheckBox* CheckBox(QWidget* page, const char* name, const QString& caption, int left, int top)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    box->move(left, top);
    box->adjustSize();
    return box;
}

QPushButton* Button(QWidget* page, const char* name, const QString& caption, int left, int top, int width)
{
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, std::max(width, button->sizeHint().width()), 25);
    return button;
}

int ValueInRange(const TSpinEdit* edit)
{
    const int value = edit->Value();
    return edit->MinValue() == edit->MaxValue() ? value : std::clamp(value, edit->MinValue(), edit->MaxValue());
}

} // namespace PageBuilder
