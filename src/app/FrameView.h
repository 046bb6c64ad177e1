// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <functional>

class ClockModel;
class DateTimePage;
class QDateEdit;
class QLineEdit;
class QTimeEdit;
class QTimer;
class TLED;
struct ConfigRecord;
struct IdentificationRecord;
struct RelayRecord;
struct VersionRecord;
struct WhirlbeamStatusRecord;

// What the window's frame shows of the clock, from the clock model: the top
// row's identification, version, date, time and lamps, the status panels 1
// to 3 and the blink of the time invalid lamps. The pages show the rest.
// Its texts are the window's, under the window's translation context.
class FrameView : public QObject {
    Q_DECLARE_TR_FUNCTIONS(TForm1)
public:
    // The frame's controls it writes; the date page shows the clock's date
    // and time first, and the top row copies them as that page shows them.
    struct Controls {
        QLineEdit* device;
        QLineEdit* version;
        QDateEdit* date;
        QTimeEdit* time;
        TLED* run;
        TLED* relais;
        QTimer* blink;
        DateTimePage* dateTime;
        std::function<void(int panel, const QString& text)> setStatusText;
    };

    FrameView(ClockModel& model, Controls controls, QObject* parent);

    // Without a link nothing is known of the clock: no status text or clock
    // time stays shown from a clock that is gone or was never read.
    void ShowClockUnknown();

private:
    void ShowIdentification(const IdentificationRecord& record);
    void ShowVersion(const VersionRecord& record);
    void ShowConfig(const ConfigRecord& record);
    void ShowWhirlbeamStatus(const WhirlbeamStatusRecord& record);
    void ShowRelay(const RelayRecord& record);

    Controls c_;
};
