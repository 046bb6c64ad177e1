#include "app/pages/MeasurementPage.h"

#include "app/pages/PageBuilder.h"
#include "widgets/Spin.h"

MeasurementPage::MeasurementPage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("Offsets:"), 296, 24);
    Label(panel, QStringLiteral("Temperature:"), 24, 51);
    TempOffsetSpinEdit = SpinEdit(panel, "TempOffsetSpinEdit", 296, 48, 49, -10, 10, 0, 3);
    Label(panel, QStringLiteral("Humidity:"), 24, 83);
    HumidityOffsetSpinEdit = SpinEdit(panel, "HumidityOffsetSpinEdit", 296, 80, 49, -10, 10, 0, 3);
    Label(panel, QStringLiteral("Air pressure:"), 24, 115);
    PressureOffsetSpinEdit = SpinEdit(panel, "PressureOffsetSpinEdit", 296, 112, 49, -10, 10, 0, 3);
}
