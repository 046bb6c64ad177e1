#include "app/pages/ModePage.h"

#include "app/pages/PageBuilder.h"
#include "widgets/Spin.h"

ModePage::ModePage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("Auto standby time [sec]:"), 360, 27);
    ASTSpinEdit = SpinEdit(panel, "ASTSpinEdit", 520, 24, 65, 0, 65535, 0, 5);
    Label(panel, QStringLiteral("Sound generated"), 360, 67);
    Label(panel, QStringLiteral("Form"), 360, 91);
    FromSpinEdit = SpinEdit(panel, "FromSpinEdit", 400, 88, 41, 0, 23, 0, 2);
    Label(panel, QStringLiteral("To"), 456, 91);
    ToSpinEdit = SpinEdit(panel, "ToSpinEdit", 480, 88, 41, 0, 23, 0, 2);
    Label(panel, QStringLiteral("Light limit:"), 360, 123);
    LightLimitSpinEdit = SpinEdit(panel, "LightLimitSpinEdit", 440, 120, 49, 0, 255, 0, 3);
}
