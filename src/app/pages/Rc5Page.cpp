#include "app/pages/Rc5Page.h"

#include "app/pages/PageBuilder.h"

#include <QLineEdit>

Rc5Page::Rc5Page(QWidget* panel) : QObject(panel)
{
    PageBuilder::Label(panel, QStringLiteral("Address of clock:"), 24, 19);
    SelfAddressEdit = new QLineEdit(panel);
    SelfAddressEdit->setObjectName(QStringLiteral("SelfAddressEdit"));
    SelfAddressEdit->setGeometry(136, 16, 33, 21);
    SelfAddressEdit->setReadOnly(true);
}
