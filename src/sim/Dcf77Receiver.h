// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <optional>

// The clock's DCF77 decoder as the panel sees it: a telegram ends at every
// minute mark, most decode, a few fail with a parity or frame error. The
// clock keeps the successes of each hour of the last day (the bytes at
// A0E0..A0F7), of the running hour, and in total (wrapping at 256).
class Dcf77Receiver {
public:
    static constexpr int StatisticsAddress = 0xA0E0;

    explicit Dcf77Receiver(const QDateTime& wallTime);

    // One telegram ends at the minute mark of wallTime. While synchronisation
    // is switched off the decoder only waits for the signal.
    // Returns whether it decoded.
    bool EndTelegram(const QDateTime& wallTime, bool enabled, bool summerTime);

    // The 14 characters after "[": total, year, month and weekday, day and
    // state, hour and errors, minute and summer time, last hour.
    QByteArray StateFields() const;

    // The statistics byte at address, or nothing outside A0E0..A0F7.
    std::optional<int> StatisticsByte(int address) const;

private:
    void StartHour(int hour);

    std::array<int, 24> hourCounts_{};
    int total_ = 0;
    int hour_ = 0;
    QDateTime decoded_;
    bool summerTime_ = false;
    bool dataReady_ = false;
    bool waitingForSync_ = true;
    bool parityError_ = false;
    bool frameError_ = false;
};
