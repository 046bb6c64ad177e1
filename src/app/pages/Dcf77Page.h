#pragma once

#include <QObject>

class TLEDLabel;

// "DCF77 synchron": the decoder's state and its hourly statistics.
class Dcf77Page : public QObject {
    Q_OBJECT
public:
    explicit Dcf77Page(QWidget* panel);

    TLEDLabel* DCFWaitSyncLEDlabel;
    TLEDLabel* DCFReadyLEDLabel;
    TLEDLabel* DCFParityErrorLEDLabel;
    TLEDLabel* DCFErrorLEDLabel;
    TLEDLabel* DCFSummerTimeLEDLabel;
    TLEDLabel* DCFEnabledLEDLabel;
    TLEDLabel* LEDLabel1;
};
