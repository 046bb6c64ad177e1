// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/ModePage.h"

#include "app/pages/PageBuilder.h"
#include "clock/ClockModel.h"
#include "files/ParameterFile.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/replies/ModeReplies.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QPushButton>
#include <algorithm>
#include <span>

namespace {

constexpr int kBoxLeft = 24;
constexpr int kRowPitch = 24;
constexpr int kModeTop = 24;
constexpr int kMotorTop = 208;
constexpr int kTwinLeft = 216;

struct FlagCaption {
    const char* name;
    const char* caption;
    int bit;
};

constexpr std::array<FlagCaption, 7> kModeCaptions = {{
    {"ASTCheckBox", QT_TRANSLATE_NOOP("ModePage", "Auto standby"), ModeFlag::AutoStandby},
    {"WURCheckBox", QT_TRANSLATE_NOOP("ModePage", "Wake up in Run mode"), ModeFlag::WakeUpInRun},
    {"NCDCheckBox", QT_TRANSLATE_NOOP("ModePage", "No coil drive in Sleep mode"), ModeFlag::NoCoilInSleep},
    {"HourSoundCheckBox", QT_TRANSLATE_NOOP("ModePage", "Sound at hour change"), ModeFlag::HourSound},
    {"SoundModeCheckBox", QT_TRANSLATE_NOOP("ModePage", "Sound mode"), ModeFlag::SoundMode},
    {"DCF77SyncCheckBox", QT_TRANSLATE_NOOP("ModePage", "DCF77 synchronization"), ModeFlag::Dcf77Sync},
    {"ReInitCheckBox", QT_TRANSLATE_NOOP("ModePage", "Reread time at midnight"), ModeFlag::ReInit},
}};

constexpr std::array<FlagCaption, 4> kMotorCaptions = {{
    {"MotorPWMCheckBox", QT_TRANSLATE_NOOP("ModePage", "Motor PWM enabled"), MotorFlag::PwmEnabled},
    {"MotorManualCheckBox", QT_TRANSLATE_NOOP("ModePage", "Motor PWM manual"), MotorFlag::PwmManual},
    {"MotorPWMLightCheckBox", QT_TRANSLATE_NOOP("ModePage", "Motor PWM light"), MotorFlag::PwmLight},
    {"MotorPWMLowCheckBox", QT_TRANSLATE_NOOP("ModePage", "Motor PWM low speed"), MotorFlag::PwmLowSpeed},
}};

template <size_t N>
std::array<ModePage::FlagBox, N> EditableBoxes(
    QWidget* panel, const std::array<FlagCaption, N>& captions, int top)
{
    std::array<ModePage::FlagBox, N> boxes{};
    for (size_t i = 0; i < N; ++i) {
        boxes[i].edit = PageBuilder::CheckBox(panel, captions[i].name,
            ModePage::tr(captions[i].caption), kBoxLeft, top + int(i) * kRowPitch);
        boxes[i].bit = captions[i].bit;
    }
    return boxes;
}

using FlagBoxes = std::span<ModePage::FlagBox>;

int WidestCaption(FlagBoxes boxes)
{
    int widest = 0;
    for (const ModePage::FlagBox& box : boxes)
        widest = std::max(widest, box.edit->width());
    return widest;
}

void AddReadBackTwins(QWidget* panel, FlagBoxes boxes, int left)
{
    for (ModePage::FlagBox& box : boxes) {
        const QByteArray name = box.edit->objectName().toLatin1() + "2";
        box.readBack = PageBuilder::CheckBox(panel, name.constData(), QString(), left, box.edit->y());
        box.readBack->setEnabled(false);
        box.readBack->setAccessibleName(ModePage::tr("%1, as the clock reports it").arg(box.edit->text()));
    }
}

void ShowFlags(FlagBoxes boxes, int flags)
{
    for (const ModePage::FlagBox& box : boxes)
        box.readBack->setChecked(flags & box.bit);
}

int TickedFlags(std::span<const ModePage::FlagBox> boxes)
{
    int flags = 0;
    for (const ModePage::FlagBox& box : boxes)
        flags |= box.edit->isChecked() ? box.bit : 0;
    return flags;
}

void CopyReadBack(FlagBoxes boxes)
{
    for (const ModePage::FlagBox& box : boxes)
        box.edit->setChecked(box.readBack->isChecked());
}

} // namespace

ModePage::ModePage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel), queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    ModeBoxes = EditableBoxes(panel, kModeCaptions, kModeTop);
    MotorBoxes = EditableBoxes(panel, kMotorCaptions, kMotorTop);
    // The twins stand in one column right of the widest caption.
    const int widest = std::max(WidestCaption(ModeBoxes), WidestCaption(MotorBoxes));
    const int twinLeft = std::max(kTwinLeft, (kBoxLeft + widest + 16 + 7) / 8 * 8);
    AddReadBackTwins(panel, ModeBoxes, twinLeft);
    AddReadBackTwins(panel, MotorBoxes, twinLeft);
    SendModeButton = Button(panel, "SendModeButton", tr("Send mode"), kBoxLeft, 320);

    ASTSpinEdit = NamedBy(Label(panel, tr("Auto standby time [sec]:"), 360, 27),
        SpinEdit(panel, ClockValue::AutoStandbySeconds, 520, 24, 65));
    SendASTButton = Button(panel, "SendASTButton", tr("Send "), 600, 22);
    SendASTButton->setAccessibleName(tr("Send auto standby time"));
    Label(panel, tr("Sound generated"), 360, 67);
    Label(panel, tr("Form"), 360, 91);
    FromSpinEdit = SpinEdit(panel, ClockValue::SoundFromHour, 400, 88, 41);
    Label(panel, tr("To"), 456, 91);
    ToSpinEdit = SpinEdit(panel, ClockValue::SoundToHour, 480, 88, 41);
    FromSpinEdit->setAccessibleName(tr("Sound generated from hour"));
    ToSpinEdit->setAccessibleName(tr("Sound generated to hour"));
    LightLimitSpinEdit = NamedBy(
        Label(panel, tr("Light limit:"), 360, 123), SpinEdit(panel, ClockValue::LightLimit, 440, 120, 49));
    SendSoundParButton
        = Button(panel, "SendSoundParButton", tr("Send times and light limit"), 360, 160, 161);

    connect(SendModeButton, &QPushButton::clicked, this, &ModePage::SendModeButtonClick);
    connect(SendASTButton, &QPushButton::clicked, this, &ModePage::SendASTButtonClick);
    connect(SendSoundParButton, &QPushButton::clicked, this, &ModePage::SendSoundParButtonClick);
}

void ModePage::ModeReply(const ModeRecord& record, bool initialLoad)
{
    if (!record.modeFlags)
        return;
    ShowFlags(ModeBoxes, *record.modeFlags);
    if (!record.motorFlags)
        return;
    ShowFlags(MotorBoxes, *record.motorFlags);
    if (!initialLoad)
        return;
    CopyReadBack(ModeBoxes);
    CopyReadBack(MotorBoxes);
}

void ModePage::AutoStandbyReply(std::optional<int> seconds)
{
    if (seconds)
        ASTSpinEdit->SetValue(*seconds);
}

void ModePage::SoundTimesReply(const SoundTimesRecord& record)
{
    if (!record.fromHour)
        return;
    FromSpinEdit->SetValue(*record.fromHour);
    if (!record.toHour)
        return;
    ToSpinEdit->SetValue(*record.toHour);
    if (record.lightLimit)
        LightLimitSpinEdit->SetValue(*record.lightLimit);
}

int ModePage::ModeFlags() const { return TickedFlags(ModeBoxes); }

void ModePage::SendModeButtonClick()
{
    queueCommand_(ModeCommand(ModeFlags(), TickedFlags(MotorBoxes)));
}

void ModePage::SendASTButtonClick()
{
    queueCommand_(AutoStandbyCommand(PageBuilder::ValueInRange(ASTSpinEdit)));
}

void ModePage::SendSoundParButtonClick()
{
    using PageBuilder::ValueInRange;
    queueCommand_(SoundTimesCommand(
        ValueInRange(FromSpinEdit), ValueInRange(ToSpinEdit), ValueInRange(LightLimitSpinEdit)));
}

void ModePage::ReadParameters(ClockParameters& parameters) const
{
    parameters.modeFlags = ModeFlags();
    parameters.autoStandbySeconds = ASTSpinEdit->Value();
    parameters.soundFromHour = FromSpinEdit->Value();
    parameters.soundToHour = ToSpinEdit->Value();
}

void ModePage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::ModeChanged, this, &ModePage::ModeReply);
    connect(&model, &ClockModel::AutoStandbyChanged, this,
        [this](const AutoStandbyRecord& record) { AutoStandbyReply(record.seconds); });
    connect(&model, &ClockModel::SoundTimesChanged, this, &ModePage::SoundTimesReply);
}
