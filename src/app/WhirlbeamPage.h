#pragma once

#include <QObject>

class TLED;

// "Whirlbeam": run, sleep and deep-sleep state of the whirlbeam.
class WhirlbeamPage : public QObject {
    Q_OBJECT
public:
    explicit WhirlbeamPage(QWidget* panel);

    TLED* ErrorLED;
    TLED* IndexLED;
};
