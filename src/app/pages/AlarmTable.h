// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"
#include "protocol/ProtocolBits.h"

#include <QObject>
#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QWidget;
class TSpinEdit;
struct AlarmRecord;
struct AlarmSettings;
enum class AlarmAction;

// The controls of one alarm, in the order the table keeps them.
struct AlarmRow {
    QLineEdit* Edit = nullptr;
    QCheckBox* EnableCheckBox = nullptr;
    std::array<QCheckBox*, 7> WCheckBoxes{}; // W1CheckBox .. W7CheckBox
    QTimeEdit* TimePicker = nullptr;
    QCheckBox* IgnoreHourCheckBox = nullptr;
    QCheckBox* PonCheckBox = nullptr;
    QCheckBox* PoffCheckBox = nullptr;
    QCheckBox* SoundCheckBox = nullptr;
    QCheckBox* RelOnCheckBox = nullptr;
    TSpinEdit* SpinEdit = nullptr;
    QPushButton* SendButton = nullptr;
};

// The 40 alarm rows: rows 0..19 on the "Alarms I" page, rows 20..39 on
// "Alarms II". Row 0 is built with the page; rows 1..39 are created when the
// window starts, as copies of row 0's layout. The action boxes and the Send
// button of every row share one handler each, which finds its row by the
// sender's "Tag" property.
class AlarmTable : public ClockPage {
    Q_OBJECT
public:
    static constexpr int kRows = kAlarmRows;
    static constexpr int kRowsPerBank = kAlarmRowsPerBank;

    AlarmTable(QWidget* bankI, QWidget* bankII, std::function<void(const QByteArray&)> queueCommand,
               QObject* parent = nullptr);

    void Observe(ClockModel& model) override;

    void FillRowZero();
    void CreateRuntimeRows();

    std::array<AlarmRow, kRows> AlarmRows;

    static int RowTop(int row) { return (row % kRowsPerBank) * 22 + 24; }
    // "Monday" .. "Sunday" for the weekdays 1 .. 7 of an alarm.
    static QString DayName(int day);

    void Alm00RelOnCheckBoxClick(QObject* sender);
    void Alm00PonCheckBoxClick(QObject* sender);
    void Alm00PoffCheckBoxClick(QObject* sender);
    void Alm00SoundCheckBoxClick(QObject* sender);
    void Alm00SendButtonClick(QObject* sender);

    // The bank buttons: send or disable a whole bank, clear the alarm
    // sound, read a bank back. Each finds its bank by its "Tag".
    void SendAlarmsButtonClick(QObject* sender);
    void ClearAlarmSoundButtonClick();
    void RereadAlarmsButtonClick(QObject* sender);

    // Writes an alarm as the clock reported it into its row, as far as the
    // reply could be read.
    void AlarmReply(const AlarmRecord& record);

    // The alarm a row holds, as its Send button sends it.
    AlarmSettings RowSettings(int row) const;
    QByteArray RowCommand(int row) const;

private:
    AlarmRow CreateRow(int row, QWidget* page);
    static void NameRow(const AlarmRow& controls, int row);
    void WireSharedHandlers(const AlarmRow& controls);
    static void AddColumnCaptions(QWidget* page);
    void AddBankButtons(QWidget* page, int firstRow);
    const AlarmRow* RowOf(QObject* sender) const;
    void Exclude(QObject* sender, AlarmAction ticked);

    QWidget* bankI_;
    QWidget* bankII_;
    AlarmRow designedRow_;
    std::function<void(const QByteArray&)> queueCommand_;
};
