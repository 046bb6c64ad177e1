// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Dcf77Receiver.h"

#include "protocol/commands/Fields.h"

namespace {
// Good reception at night, worse by day: what a clock on a desk in Central
// Europe collects. The figures fill the hourly statistics at power-up.
constexpr std::array<int, 24> kTypicalHourCounts = {
    58, 59, 59, 60, 58, 57, 52, 47, 41, 38, 36, 35,
    34, 36, 37, 39, 42, 44, 47, 50, 53, 55, 57, 58};

// Tens in the DCF77 bytes are binary-weighted bits (10, 20, 40) above the
// units nibble.
int Bcd(int value, int unitsShift, int tensShift)
{
    return ((value % 10) << unitsShift) | ((value / 10) << tensShift);
}

bool ParityFailsAt(int minute)
{
    return minute % 20 == 13;
}

bool FrameFailsAt(int minute)
{
    return minute % 30 == 29;
}
} // namespace

Dcf77Receiver::Dcf77Receiver(const QDateTime& wallTime)
    : hourCounts_(kTypicalHourCounts)
    , hour_(wallTime.time().hour())
    , decoded_(wallTime)
{
    hourCounts_[hour_] = 0;
}

bool Dcf77Receiver::EndTelegram(const QDateTime& wallTime, bool enabled, bool summerTime)
{
    const int minute = wallTime.time().minute();
    if (wallTime.time().hour() != hour_)
        StartHour(wallTime.time().hour());
    parityError_ = enabled && ParityFailsAt(minute);
    frameError_ = enabled && FrameFailsAt(minute);
    dataReady_ = enabled && !parityError_ && !frameError_;
    waitingForSync_ = !dataReady_;
    if (!dataReady_)
        return false;
    decoded_ = wallTime;
    summerTime_ = summerTime;
    total_ = (total_ + 1) & 0xFF;
    hourCounts_[hour_] = qMin(hourCounts_[hour_] + 1, 0xFF);
    return true;
}

void Dcf77Receiver::StartHour(int hour)
{
    hour_ = hour;
    hourCounts_[hour_] = 0;
}

QByteArray Dcf77Receiver::StateFields() const
{
    const QDate date = decoded_.date();
    const QTime time = decoded_.time();
    const int monthByte = Bcd(date.month(), 3, 7) | date.dayOfWeek();
    const int dayByte = Bcd(date.day(), 2, 6) | (waitingForSync_ ? 0x02 : 0) | (dataReady_ ? 0x01 : 0);
    const int hourByte = Bcd(time.hour(), 2, 6) | (frameError_ ? 0x02 : 0) | (parityError_ ? 0x01 : 0);
    const int minuteByte = Bcd(time.minute(), 1, 5) | (summerTime_ ? 0x01 : 0);
    return HexField(total_, 2) + DecField(date.year() % 100, 2) + HexField(monthByte, 2)
        + HexField(dayByte, 2) + HexField(hourByte, 2) + HexField(minuteByte, 2)
        + HexField(hourCounts_[hour_], 2);
}

std::optional<int> Dcf77Receiver::StatisticsByte(int address) const
{
    const int hour = address - StatisticsAddress;
    if (hour < 0 || hour >= int(hourCounts_.size()))
        return std::nullopt;
    return hourCounts_[hour];
}
