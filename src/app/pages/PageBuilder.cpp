#include "app/pages/PageBuilder.h"

#include "widgets/Spin.h"

#include <QLabel>

namespace PageBuilder {

QLabel* Label(QWidget* page, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, page);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TSpinEdit* SpinEdit(QWidget* page, const char* name, int left, int top, int width,
                    int minValue, int maxValue, int value, int maxLength)
{
    auto* edit = new TSpinEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->SetMinValue(minValue);
    edit->SetMaxValue(maxValue);
    edit->SetValue(value);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->move(left, top);
    edit->resize(width, edit->minimumHeight());
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

} // namespace PageBuilder
