// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/Dcf77Page.h"

#include "app/pages/PageBuilder.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/ProtocolBits.h"
#include "protocol/commands/Dcf77Commands.h"
#include "protocol/replies/Dcf77Replies.h"
#include "widgets/MavoTrend.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kDecodedLeft = 24;
constexpr int kDecodedEditLeft = 112;
constexpr int kRowTop = 40;
constexpr int kRowPitch = 24;
constexpr int kCountersTop = 208;
constexpr QRect kChartRect(64, 288, 624, 169);
constexpr int kHourLabelTop = 460;
constexpr int kButtonTop = 484;

// A read-only field beside its caption, on a row of the LED column's pitch.
QLineEdit* FieldAt(QWidget* page, const char* name, const QString& caption, int captionLeft, int editLeft,
    int top, int width = 33)
{
    auto* edit = PageBuilder::NamedBy(PageBuilder::Label(page, caption, captionLeft, top + 2), new QLineEdit(page));
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(editLeft, top - 2, width, 21);
    edit->setReadOnly(true);
    return edit;
}

QString Count(int value) { return QStringLiteral("%1").arg(value, 3); }
QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }
// Right-aligned in two places but never without a digit: 0 shows " 0".
QString Weekday(int value) { return QStringLiteral("%1").arg(value, 2); }

} // namespace

Dcf77Page::Dcf77Page(
    QWidget* panel, std::array<int, kHours>& hourStats, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel)
    , hourStats_(hourStats)
    , queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    Label(panel, tr("DCF77 decoded:"), kDecodedLeft, 16);
    const auto decoded = [panel](const char* name, const char* caption, int row) {
        return FieldAt(
            panel, name, tr(caption), kDecodedLeft, kDecodedEditLeft, kRowTop + row * kRowPitch);
    };
    DCFYearEdit = decoded("DCFYearEdit", QT_TR_NOOP("Year:"), 0);
    DCFMonthEdit = decoded("DCFMonthEdit", QT_TR_NOOP("Month:"), 1);
    DCFDayEdit = decoded("DCFDayEdit", QT_TR_NOOP("Day:"), 2);
    DCFWDayEdit = decoded("DCFWDayEdit", QT_TR_NOOP("Day of week:"), 3);
    DCFHourEdit = decoded("DCFHourEdit", QT_TR_NOOP("Hour:"), 4);
    DCFMinuteEdit = decoded("DCFMinuteEdit", QT_TR_NOOP("Minute:"), 5);

    DCFSuccessEdit = FieldAt(panel, "DCFSuccessEdit",
        tr("Number of successfull synchronizations:"), kDecodedLeft, 232, kCountersTop);
    DCFPSuccessEdit
        = FieldAt(panel, "DCFPSuccessEdit", tr("in last hour:"), 280, 344, kCountersTop);

    Label(panel, tr("DCF77 decoding state:"), 400, 16);
    DCFWaitSyncLEDlabel
        = LedLabel(panel, "DCFWaitSyncLEDlabel", lcBlue, tr("Wait for synchron"), 400, 40, 113);
    DCFReadyLEDLabel = LedLabel(panel, "DCFReadyLEDLabel", lcGreen, tr("Data ready"), 400, 64);
    DCFParityErrorLEDLabel
        = LedLabel(panel, "DCFParityErrorLEDLabel", lcPurple, tr("Parity error"), 400, 88);
    DCFErrorLEDLabel = LedLabel(panel, "DCFErrorLEDLabel", lcRed, tr("Error"), 400, 112);
    DCFSummerTimeLEDLabel = LedLabel(panel, "DCFSummerTimeLEDLabel", lcWhite,
        tr("Last decoded time used CEST=UTC+2"), 400, 136, 201);
    DCFEnabledLEDLabel
        = LedLabel(panel, "DCFEnabledLEDLabel", lcYellow, tr("Disabled"), 400, 160);
    // A lamp of the page that nothing drives; it stays hidden.
    LEDLabel1 = LedLabel(panel, "LEDLabel1", lcPurple, QString(), 400, 184);
    LEDLabel1->hide();

    MavoTrend1 = new TMavoTrend(panel);
    MavoTrend1->setObjectName(QStringLiteral("MavoTrend1"));
    MavoTrend1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    MavoTrend1->setGeometry(kChartRect);
    MavoTrend1->SetColor(QColor(0, 128, 0));
    MavoTrend1->SetMaxVal(60);
    MavoTrend1->SetDivisions(kHours);
    MavoTrend1->SetOptions(TMavoTrend::toValues);
    MavoTrend1->SetStyle(TMavoTrend::tsBar);
    MavoTrend1->SetGridStyle(TMavoTrend::gsYGrid);
    MavoTrend1->SetGridXstep(25);
    MavoTrend1->SetGridYstep(5);
    MavoTrend1->setAccessibleName(tr("Successful synchronizations per hour"));
    MavoTrend1->SetSampleText([](int hour, int count) {
        return count == 1 ? tr("Hour %1: 1 synchronization").arg(hour)
                          : tr("Hour %1: %2 synchronizations").arg(hour).arg(count);
    });
    for (int hour = 0; hour < kHours; ++hour) {
        QLabel* label = Label(panel, QString::number(hour), 0, kHourLabelTop);
        label->move(kChartRect.left() + MavoTrend1->BarCenter(hour) - label->width() / 2, kHourLabelTop);
    }

    getStatisticsButton
        = Button(panel, "getStatisticsButton", tr("Get statistics"), kChartRect.left(), kButtonTop);
    Button5 = Button(panel, "Button5", tr("Save statistics"), kChartRect.left() + 104, kButtonTop);
    connect(getStatisticsButton, &QPushButton::clicked, this, &Dcf77Page::getStatisticsButtonClick);
}

void Dcf77Page::Dcf77StateReply(const Dcf77StateRecord& record)
{
    if (!record.total)
        return;
    ShowText(DCFSuccessEdit, Count(*record.total));
    ShowText(DCFYearEdit, QString::fromLatin1(*record.year));
    if (!record.month)
        return;
    ShowText(DCFMonthEdit, TwoDigits(*record.month));
    if (!record.day)
        return;
    DCFWaitSyncLEDlabel->SetLit(record.day->waitForSync);
    DCFReadyLEDLabel->SetLit(record.day->dataReady);
    ShowText(DCFDayEdit, TwoDigits(record.day->day));
    ShowText(DCFWDayEdit, Weekday(*record.weekday));
    if (!record.hour)
        return;
    DCFParityErrorLEDLabel->SetLit(record.hour->parityError);
    DCFErrorLEDLabel->SetLit(record.hour->error);
    ShowText(DCFHourEdit, TwoDigits(record.hour->hour));
    if (!record.minute)
        return;
    DCFSummerTimeLEDLabel->SetLit(record.minute->summerTime);
    ShowText(DCFMinuteEdit, TwoDigits(record.minute->minute));
    if (record.lastHour)
        ShowText(DCFPSuccessEdit, Count(*record.lastHour));
}

void Dcf77Page::MemoryReadReply(int, bool complete)
{
    if (!complete)
        return;
    for (const int figure : hourStats_)
        MavoTrend1->AddValue(figure);
}

void Dcf77Page::getStatisticsButtonClick()
{
    for (const QByteArray& command : StatisticsReadCommands())
        queueCommand_(command);
}

void Dcf77Page::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::Dcf77StateChanged, this, &Dcf77Page::Dcf77StateReply);
    connect(&model, &ClockModel::HourFigureRead, this, &Dcf77Page::MemoryReadReply);
    connect(&model, &ClockModel::ModeChanged, this, &Dcf77Page::ModeReply);
}

// The lamp is lit while the clock does not synchronise with DCF77.
void Dcf77Page::ModeReply(const ModeRecord& record)
{
    if (record.modeFlags)
        DCFEnabledLEDLabel->SetLit(!(*record.modeFlags & ModeFlag::Dcf77Sync));
}
