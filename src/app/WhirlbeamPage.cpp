#include "app/WhirlbeamPage.h"

#include "app/PageBuilder.h"

WhirlbeamPage::WhirlbeamPage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    ErrorLED = Led(panel, "ErrorLED", lcRed, 24, 26);
    Label(panel, QStringLiteral("Time invalid"), 42, 25);
    IndexLED = Led(panel, "IndexLED", lcGreen, 24, 50);
    Label(panel, QStringLiteral("Index LED on"), 42, 49);
}
