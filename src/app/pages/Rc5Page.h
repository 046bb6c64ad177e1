#pragma once

#include <QObject>

class QLineEdit;

// "Infra RC5 commands": the clock's own RC5 address, the last packets it
// received, and sending a packet.
class Rc5Page : public QObject {
    Q_OBJECT
public:
    explicit Rc5Page(QWidget* panel);

    QLineEdit* SelfAddressEdit;
};
