#include "app/pages/RelaisPage.h"

#include "app/pages/PageBuilder.h"
#include "widgets/Spin.h"

#include <QLineEdit>

RelaisPage::RelaisPage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    RelaisLEDLabel = LedLabel(panel, "RelaisLEDLabel", lcYellow, QStringLiteral("Relais is on"), 24, 24);
    Label(panel, QStringLiteral("Remaining time:"), 24, 51);
    RelaisRemainingEdit = new QLineEdit(panel);
    RelaisRemainingEdit->setObjectName(QStringLiteral("RelaisRemainingEdit"));
    RelaisRemainingEdit->setGeometry(184, 48, 49, 21);
    RelaisRemainingEdit->setReadOnly(true);
    Label(panel, QStringLiteral("[minute]"), 240, 51);
    Label(panel, QStringLiteral("On time:"), 24, 75);
    RelaisSpinEdit = SpinEdit(panel, "RelaisSpinEdit", 184, 72, 49, 0, 255, 0, 3);
    Label(panel, QStringLiteral("[minute]"), 240, 75);
    Label(panel, QStringLiteral("On time for IR commands:"), 24, 115);
    RelOnIrSpinEdit = SpinEdit(panel, "RelOnIrSpinEdit", 184, 112, 49, 0, 255, 255, 3);
    Label(panel, QStringLiteral("[minute]"), 240, 115);
}

void RelaisPage::ShowRemainingMinutes(int minutes)
{
    RelaisRemainingEdit->setText(QString::asprintf("%3d", minutes));
}
