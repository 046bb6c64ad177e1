// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/AlarmTable.h"

#include "app/ScreenCursor.h"
#include "app/pages/AlarmTimeEdit.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/AlarmReply.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

constexpr int kCheckBoxWidth = 17;
constexpr int kCheckBoxHeight = 17;
constexpr SpinRange kCount = SpinRangeOf(ClockValue::AlarmCount);
constexpr std::array<int, 7> kWeekdayLefts = {96, 112, 128, 144, 160, 176, 192};
constexpr int kBankButtonTop = 480;
const QByteArray kClearAlarmSound = "~80";

QString ControlName(int row, const char* field)
{
    return QStringLiteral("Alm%1%2").arg(row, 2, 10, QLatin1Char('0')).arg(QLatin1String(field));
}

QCheckBox* MakeCheckBox(QWidget* page, int row, const char* field, int left)
{
    auto* box = new QCheckBox(page);
    box->setObjectName(ControlName(row, field));
    box->setGeometry(left, AlarmTable::RowTop(row), kCheckBoxWidth, kCheckBoxHeight);
    return box;
}

QCheckBox* AlarmRow::*ActionBox(AlarmAction action)
{
    switch (action) {
    case AlarmAction::RelayOn: return &AlarmRow::RelOnCheckBox;
    case AlarmAction::WhirlbeamOn: return &AlarmRow::PonCheckBox;
    case AlarmAction::WhirlbeamOff: return &AlarmRow::PoffCheckBox;
    case AlarmAction::Sound: return &AlarmRow::SoundCheckBox;
    }
    return &AlarmRow::SoundCheckBox;
}

void SetTag(QObject* control, int tag) { control->setProperty("Tag", tag); }

} // namespace

AlarmTable::AlarmTable(QWidget* bankI, QWidget* bankII,
                       std::function<void(const QByteArray&)> queueCommand, QObject* parent)
    : ClockPage(parent), bankI_(bankI), bankII_(bankII), queueCommand_(std::move(queueCommand))
{
    AddColumnCaptions(bankI_);
    AddColumnCaptions(bankII_);
    AddBankButtons(bankI_, 0);
    AddBankButtons(bankII_, kRowsPerBank);
    designedRow_ = CreateRow(0, bankI_);
    designedRow_.TimePicker->setTime(QTime(0, 0));
    WireSharedHandlers(designedRow_);
}

void AlarmTable::FillRowZero() { AlarmRows[0] = designedRow_; }

void AlarmTable::CreateRuntimeRows()
{
    const QTimeEdit* model = designedRow_.TimePicker;
    for (int row = 1; row < kRows; ++row) {
        AlarmRow controls = CreateRow(row, row < kRowsPerBank ? bankI_ : bankII_);
        controls.TimePicker->setDisplayFormat(model->displayFormat());
        controls.TimePicker->setTime(model->time());
        WireSharedHandlers(controls);
        AlarmRows[size_t(row)] = controls;
    }
}

AlarmRow AlarmTable::CreateRow(int row, QWidget* page)
{
    const int top = RowTop(row);
    AlarmRow controls;

    controls.Edit = new QLineEdit(QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')), page);
    controls.Edit->setObjectName(ControlName(row, "Edit"));
    controls.Edit->setGeometry(16, top, 25, 21);
    controls.Edit->setEnabled(false);

    controls.EnableCheckBox = MakeCheckBox(page, row, "EnableCheckBox", 56);
    for (size_t day = 0; day < controls.WCheckBoxes.size(); ++day) {
        const QByteArray field = "W" + QByteArray::number(int(day) + 1) + "CheckBox";
        QCheckBox* box = MakeCheckBox(page, row, field.constData(), kWeekdayLefts[day]);
        box->setToolTip(QString::number(day + 1));
        controls.WCheckBoxes[day] = box;
    }

    controls.TimePicker = new AlarmTimeEdit(page);
    controls.TimePicker->setObjectName(ControlName(row, "TimePicker"));
    controls.TimePicker->setGeometry(224, top, 89, 21);

    controls.IgnoreHourCheckBox = MakeCheckBox(page, row, "IgnoreHourCheckBox", 344);
    controls.PonCheckBox = MakeCheckBox(page, row, "PonCheckBox", 448);
    controls.PoffCheckBox = MakeCheckBox(page, row, "PoffCheckBox", 472);
    controls.SoundCheckBox = MakeCheckBox(page, row, "SoundCheckBox", 512);
    controls.RelOnCheckBox = MakeCheckBox(page, row, "RelOnCheckBox", 576);

    controls.SpinEdit = new TSpinEdit(page);
    controls.SpinEdit->setObjectName(ControlName(row, "SpinEdit"));
    controls.SpinEdit->SetMinValue(kCount.minValue);
    controls.SpinEdit->SetMaxValue(kCount.maxValue);
    controls.SpinEdit->setMaxLength(kCount.maxLength);
    controls.SpinEdit->SetValue(kCount.value);
    controls.SpinEdit->move(600, top);
    controls.SpinEdit->resize(41, controls.SpinEdit->minimumHeight());

    controls.SendButton = new QPushButton(tr("Send"), page);
    controls.SendButton->setObjectName(ControlName(row, "SendButton"));
    controls.SendButton->setGeometry(656, top, 65, 21);

    for (QObject* tagged : {static_cast<QObject*>(controls.PonCheckBox),
                            static_cast<QObject*>(controls.PoffCheckBox),
                            static_cast<QObject*>(controls.SoundCheckBox),
                            static_cast<QObject*>(controls.RelOnCheckBox),
                            static_cast<QObject*>(controls.SendButton)})
        SetTag(tagged, row);
    NameRow(controls, row);
    return controls;
}

// The column captions stand over the first row only; each control's spoken
// name says its row and its column.
void AlarmTable::NameRow(const AlarmRow& controls, int row)
{
    const QString alarm = tr("Alarm %1").arg(row, 2, 10, QLatin1Char('0'));
    const auto named = [&alarm](QWidget* control, const QString& column) {
        control->setAccessibleName(tr("%1, %2").arg(alarm, column));
    };
    controls.Edit->setAccessibleName(alarm);
    named(controls.EnableCheckBox, tr("enabled"));
    for (size_t day = 0; day < controls.WCheckBoxes.size(); ++day)
        named(controls.WCheckBoxes[day], DayName(int(day) + 1));
    controls.TimePicker->setAccessibleName(tr("%1 time").arg(alarm));
    named(controls.IgnoreHourCheckBox, tr("ignore hour"));
    named(controls.PonCheckBox, tr("whirlbeam on"));
    named(controls.PoffCheckBox, tr("whirlbeam off"));
    named(controls.SoundCheckBox, tr("sound"));
    named(controls.RelOnCheckBox, tr("relay on"));
    controls.SpinEdit->setAccessibleName(tr("%1 count").arg(alarm));
    named(controls.SendButton, tr("send"));
}

QString AlarmTable::DayName(int day)
{
    const std::array<QString, 7> names = {tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"),
        tr("Friday"), tr("Saturday"), tr("Sunday")};
    return names[size_t(day - 1)];
}

// Every row reaches row 0's handlers; a box changed by a rule or by a reply
// runs its handler just as a click does.
void AlarmTable::WireSharedHandlers(const AlarmRow& controls)
{
    const auto wire = [this](QCheckBox* box, void (AlarmTable::*handler)(QObject*)) {
        connect(box, &QCheckBox::toggled, this, [this, box, handler] { (this->*handler)(box); });
    };
    wire(controls.RelOnCheckBox, &AlarmTable::Alm00RelOnCheckBoxClick);
    wire(controls.PonCheckBox, &AlarmTable::Alm00PonCheckBoxClick);
    wire(controls.PoffCheckBox, &AlarmTable::Alm00PoffCheckBoxClick);
    wire(controls.SoundCheckBox, &AlarmTable::Alm00SoundCheckBoxClick);
    QPushButton* send = controls.SendButton;
    connect(send, &QPushButton::clicked, this, [this, send] { Alm00SendButtonClick(send); });
}

void AlarmTable::AddColumnCaptions(QWidget* page)
{
    // Two caption lines fit above the first row; the action columns use both.
    constexpr int kUpper = 0;
    constexpr int kLower = 11;
    const struct { int left; int top; const char* text; } captions[] = {
        {16, kLower, QT_TR_NOOP("Alm:")}, {48, kLower, QT_TR_NOOP("Enable:")}, {96, kLower, QT_TR_NOOP("On days of week:")},
        {224, kLower, QT_TR_NOOP("Alarm time:")}, {328, kLower, QT_TR_NOOP("Ignore hour")}, {446, kUpper, QT_TR_NOOP("Whirlbeam ")},
        {448, kLower, QT_TR_NOOP("On")}, {472, kLower, QT_TR_NOOP("Off")}, {506, kLower, QT_TR_NOOP("Sound")}, {562, kUpper, QT_TR_NOOP("Relais")},
        {576, kLower, QT_TR_NOOP("On")}, {600, kUpper, QT_TR_NOOP("On time min. /")}, {600, kLower, QT_TR_NOOP("Sound count")}};
    QStringList days;
    for (int day = 1; day <= 7; ++day)
        days << tr("%1 %2").arg(day).arg(DayName(day));
    for (const auto& caption : captions) {
        auto* label = new QLabel(tr(caption.text), page);
        label->move(caption.left, caption.top);
        label->adjustSize();
        // The day boxes' own tips are their numbers; the column says the days.
        if (caption.left == kWeekdayLefts.front())
            label->setToolTip(days.join(QLatin1Char('\n')));
    }
}

// The buttons of bank II carry the same names as bank I's with a "2".
void AlarmTable::AddBankButtons(QWidget* page, int firstRow)
{
    const QString bank = firstRow == 0 ? QString() : QStringLiteral("2");
    const auto button = [page, &bank](const char* name, const QString& caption, int left, int tag) {
        auto* made = new QPushButton(caption, page);
        made->setObjectName(QLatin1String(name).arg(bank));
        made->setGeometry(left, kBankButtonTop, 113, 25);
        made->setProperty("Tag", tag);
        return made;
    };
    QPushButton* send = button("SendAlarms%1Button", tr("Send all alarms"), 16, firstRow);
    QPushButton* disable = button("DisableAlarms%1Button", tr("Disable all alarms"), 136, firstRow + 1);
    QPushButton* clear = button("ClearAlarmSound%1Button", tr("Clear alarm sound"), 256, firstRow);
    QPushButton* reread = button("RereadAlarms%1Button", tr("Reread alarms"), 376, firstRow);
    for (QPushButton* bankSender : {send, disable})
        connect(bankSender, &QPushButton::clicked, this, [this, bankSender] { SendAlarmsButtonClick(bankSender); });
    connect(clear, &QPushButton::clicked, this, &AlarmTable::ClearAlarmSoundButtonClick);
    connect(reread, &QPushButton::clicked, this, [this, reread] { RereadAlarmsButtonClick(reread); });
}

const AlarmRow* AlarmTable::RowOf(QObject* sender) const
{
    const int row = sender->property("Tag").toInt();
    if (row < 0 || row >= kRows || !AlarmRows[size_t(row)].SendButton)
        return nullptr;
    return &AlarmRows[size_t(row)];
}

// An action box that has just been ticked clears the boxes it excludes, in
// their order; a box that has been cleared does nothing.
void AlarmTable::Exclude(QObject* sender, AlarmAction ticked)
{
    const AlarmRow* row = RowOf(sender);
    if (!row || !(row->*ActionBox(ticked))->isChecked())
        return;
    for (AlarmAction other : ExcludedActions(ticked))
        (row->*ActionBox(other))->setChecked(false);
}

void AlarmTable::Alm00RelOnCheckBoxClick(QObject* sender) { Exclude(sender, AlarmAction::RelayOn); }
void AlarmTable::Alm00PonCheckBoxClick(QObject* sender) { Exclude(sender, AlarmAction::WhirlbeamOn); }
void AlarmTable::Alm00PoffCheckBoxClick(QObject* sender) { Exclude(sender, AlarmAction::WhirlbeamOff); }
void AlarmTable::Alm00SoundCheckBoxClick(QObject* sender) { Exclude(sender, AlarmAction::Sound); }

void AlarmTable::Alm00SendButtonClick(QObject* sender)
{
    if (const AlarmRow* row = RowOf(sender))
        queueCommand_(RowCommand(int(row - AlarmRows.data())));
}

QByteArray AlarmTable::RowCommand(int index) const { return AlarmCommand(RowSettings(index)); }

AlarmSettings AlarmTable::RowSettings(int index) const
{
    const AlarmRow& row = AlarmRows[size_t(index)];
    AlarmSettings alarm;
    alarm.row = row.Edit->text().toLatin1();
    alarm.enabled = row.EnableCheckBox->isChecked();
    for (size_t day = 0; day < alarm.days.size(); ++day)
        alarm.days[day] = row.WCheckBoxes[day]->isChecked();
    const QTime time = row.TimePicker->time(); // not cheap: read once
    alarm.hour = time.hour();
    alarm.minute = time.minute();
    alarm.ignoreHour = row.IgnoreHourCheckBox->isChecked();
    alarm.whirlbeamOn = row.PonCheckBox->isChecked();
    alarm.whirlbeamOff = row.PoffCheckBox->isChecked();
    alarm.sound = row.SoundCheckBox->isChecked();
    alarm.relayOn = row.RelOnCheckBox->isChecked();
    alarm.count = kCount.Held(row.SpinEdit->Value());
    return alarm;
}

void AlarmTable::SendAlarmsButtonClick(QObject* sender)
{
    const int tag = sender->property("Tag").toInt();
    ScreenCursor::SetHourglass();
    const int first = tag < kRowsPerBank ? 0 : kRowsPerBank;
    if (tag == 1 || tag == kRowsPerBank + 1) {
        for (int row = first; row < first + kRowsPerBank; ++row)
            AlarmRows[size_t(row)].EnableCheckBox->setChecked(false);
    }
    for (int row = first; row < first + kRowsPerBank; ++row)
        queueCommand_(RowCommand(row));
    queueCommand_(kEndOfBatchCommand);
}

void AlarmTable::ClearAlarmSoundButtonClick() { queueCommand_(kClearAlarmSound); }

void AlarmTable::RereadAlarmsButtonClick(QObject* sender)
{
    ScreenCursor::SetHourglass();
    const int first = sender->property("Tag").toInt();
    for (const QByteArray& line : AlarmReadOut(first, kRowsPerBank))
        queueCommand_(line);
}

// The reply is applied to the row's alarm by the core's rules, and what it
// changed is written into the row's controls; the action boxes' own
// handlers then find the boxes already as the rules left them.
void AlarmTable::AlarmReply(const AlarmRecord& record)
{
    if (!record.row || !record.dayByte)
        return;
    const AlarmRow& row = AlarmRows[size_t(*record.row)];
    const AlarmSettings before = RowSettings(*record.row);
    AlarmSettings alarm = before;
    ApplyAlarmReply(alarm, record);
    ShowChecked(row.EnableCheckBox, alarm.enabled);
    for (int day = 6; day >= 0; --day)
        ShowChecked(row.WCheckBoxes[size_t(day)], alarm.days[size_t(day)]);
    ShowChecked(row.IgnoreHourCheckBox, alarm.ignoreHour);
    if (alarm.hour != before.hour || alarm.minute != before.minute)
        ShowTime(row.TimePicker, QTime(alarm.hour, alarm.minute));
    ShowChecked(row.RelOnCheckBox, alarm.relayOn);
    ShowChecked(row.PonCheckBox, alarm.whirlbeamOn);
    ShowChecked(row.PoffCheckBox, alarm.whirlbeamOff);
    ShowChecked(row.SoundCheckBox, alarm.sound);
    if (alarm.count != before.count)
        row.SpinEdit->SetValue(alarm.count);
}

void AlarmTable::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::AlarmChanged, this, &AlarmTable::AlarmReply);
}
