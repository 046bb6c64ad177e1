#include "app/pages/Dcf77Page.h"

#include "app/pages/PageBuilder.h"

Dcf77Page::Dcf77Page(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("DCF77 decoding state:"), 400, 16);
    DCFWaitSyncLEDlabel = LedLabel(panel, "DCFWaitSyncLEDlabel", lcBlue, QStringLiteral("Wait for synchron"), 400, 40, 113);
    DCFReadyLEDLabel = LedLabel(panel, "DCFReadyLEDLabel", lcGreen, QStringLiteral("Data ready"), 400, 64);
    DCFParityErrorLEDLabel = LedLabel(panel, "DCFParityErrorLEDLabel", lcPurple, QStringLiteral("Parity error"), 400, 88);
    DCFErrorLEDLabel = LedLabel(panel, "DCFErrorLEDLabel", lcRed, QStringLiteral("Error"), 400, 112);
    DCFSummerTimeLEDLabel = LedLabel(panel, "DCFSummerTimeLEDLabel", lcWhite,
                                     QStringLiteral("Last decoded time used CEST=UTC+2"), 400, 136, 201);
    DCFEnabledLEDLabel = LedLabel(panel, "DCFEnabledLEDLabel", lcYellow, QStringLiteral("Disabled"), 400, 160);
    // A lamp of the page that nothing drives; it stays hidden.
    LEDLabel1 = LedLabel(panel, "LEDLabel1", lcPurple, QString(), 400, 184);
    LEDLabel1->hide();
}
