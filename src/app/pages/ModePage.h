// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>

struct ClockParameters;
class QCheckBox;
class QPushButton;
class TSpinEdit;
struct ModeRecord;
struct SoundTimesRecord;

// "Mode": operating mode flags, auto standby time, sound hours, light limit.
// Every flag has an editable box and, to its right, a disabled twin that
// shows what the clock last reported; the twins are copied into the
// editable boxes only while the window reads the clock for the first time,
// so later polling never overwrites what the user is editing.
class ModePage : public ClockPage {
    Q_OBJECT
public:
    struct FlagBox {
        QCheckBox* edit;
        QCheckBox* readBack; // the twin, named like the box with "2" appended
        int bit;
    };

    ModePage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;
    // The page's share of the parameter file: what its controls show now.
    void ReadParameters(ClockParameters& parameters) const;

    void ModeReply(const ModeRecord& record, bool initialLoad);
    void AutoStandbyReply(std::optional<int> seconds);
    void SoundTimesReply(const SoundTimesRecord& record);

    // The bits of the ticked mode boxes.
    int ModeFlags() const;

    void SendModeButtonClick();
    void SendASTButtonClick();
    void SendSoundParButtonClick();

    std::array<FlagBox, 7> ModeBoxes; // bits 0..4, 6, 7 of the mode flags
    std::array<FlagBox, 4> MotorBoxes; // bits 0..3 of the motor flags
    TSpinEdit* ASTSpinEdit;
    TSpinEdit* FromSpinEdit;
    TSpinEdit* ToSpinEdit;
    TSpinEdit* LightLimitSpinEdit;
    QPushButton* SendModeButton;
    QPushButton* SendASTButton;
    QPushButton* SendSoundParButton;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
